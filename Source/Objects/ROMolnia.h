#pragma once
// A lightning flash.
// A scene object made by the scene's object factory from its Properties
// element. Its drawing comes with its own work; until then it loads as an
// empty object that draws nothing, so scenes naming it still load.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

class TiXmlElement;

class CROMolnia : public rovovoz::CBaseGeometryObject {
 public:
  explicit CROMolnia(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

  // Reads its Properties: 0 on success, E_FAIL on failure.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override {
    (void)properties;
    (void)modelFile;
    (void)flags;
    return 0;
  }
  using rovovoz::CBaseGeometryObject::Load;
  // Appends the meshes of the scene's model file that it draws itself.
  void GetModelNames(std::vector<std::wstring>& names) const { (void)names; }
};
