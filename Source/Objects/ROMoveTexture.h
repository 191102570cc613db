#pragma once
// A model whose texture scrolls.
// A scene object made by the scene's object factory from its Properties
// element. Its drawing comes with its own work; until then it loads as an
// empty object that draws nothing, so scenes naming it still load.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

class TiXmlElement;

class CROMoveTexture : public rovovoz::CBaseGeometryObject {
 public:
  explicit CROMoveTexture(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

  // Reads its Properties: 0 on success, E_FAIL on failure.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override {
    (void)properties;
    (void)modelFile;
    (void)flags;
    return 0;
  }
  using rovovoz::CBaseGeometryObject::Load;
  // Starts scrolling (direction +1, or -1 when asked).
  void Start(int direction) { (void)direction; }
};
