#pragma once
// A model driven by a key-frame animation.
// A scene object made by the scene's object factory from its Properties
// element. Its drawing comes with its own work; until then it loads as an
// empty object that draws nothing, so scenes naming it still load.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

class TiXmlElement;

class CMaxAnim : public rovovoz::CBaseGeometryObject {
 public:
  explicit CMaxAnim(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

  // Reads its Properties: 0 on success, E_FAIL on failure.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override {
    (void)properties;
    (void)modelFile;
    (void)flags;
    return 0;
  }
  using rovovoz::CBaseGeometryObject::Load;
  // 0 once, 1 loop, 2 once and hold the last pose, 3 the end pose.
  void Play(int mode) { (void)mode; }
  // The object the animation moves.
  void SetTargetObject(rovovoz::CBaseGeometryObject* object) { (void)object; }
  void Reset() {}
  // Its model drawn with the texture cropped to the scaled extent.
  int32_t RenderTruncateTexture() { return 0; }
};
