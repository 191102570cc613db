#pragma once
// A frame animation: one mesh of the scene's model file per frame.
// A scene object made by the scene's object factory from its Properties
// element. Its drawing comes with its own work; until then it loads as an
// empty object that draws nothing, so scenes naming it still load.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

class TiXmlElement;

class CSimpleFrameAnim : public rovovoz::CBaseGeometryObject {
 public:
  explicit CSimpleFrameAnim(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

  // Reads its Properties: 0 on success, E_FAIL on failure.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override {
    (void)properties;
    (void)modelFile;
    (void)flags;
    return 0;
  }
  using rovovoz::CBaseGeometryObject::Load;
  // Play controls of the scene actions.
  void Play() {}
  void PlayBack() {}
  void PlayLoop() {}
  void PlayLoopUpDown() {}
  // Stops where it is (0), at the end (1) or at the start (2).
  void StopAt(int where) { (void)where; }
  // Appends the meshes of the scene's model file that it draws itself.
  void GetModelNames(std::vector<std::wstring>& names) const { (void)names; }
};
