#pragma once
// The base of the scene objects whose drawing comes with their own work.
// The scene's object factory makes them from their Properties element;
// until that work is done each loads as an empty object that draws nothing,
// so scenes naming it still load.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

class TiXmlElement;

class CEmptySceneObject : public rovovoz::CBaseGeometryObject {
 public:
  explicit CEmptySceneObject(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

  // Reads its Properties: 0 on success, E_FAIL on failure.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override {
    (void)properties;
    (void)modelFile;
    (void)flags;
    return 0;
  }
  using rovovoz::CBaseGeometryObject::Load;
};
