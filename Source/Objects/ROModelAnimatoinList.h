#pragma once
// A model playing the animations of a list at random.
// A scene object made by the scene's object factory from its Properties
// element. Its drawing comes with its own work; until then it loads as an
// empty object that draws nothing, so scenes naming it still load.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseGeometryObject.h"

class TiXmlElement;

class CROModelAnimatoinList : public rovovoz::CBaseGeometryObject {
 public:
  explicit CROModelAnimatoinList(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

  // Reads its Properties: 0 on success, E_FAIL on failure.
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override {
    (void)properties;
    (void)modelFile;
    (void)flags;
    return 0;
  }
  using rovovoz::CBaseGeometryObject::Load;
  // Starts a random animation of its list.
  void StartRandom() {}
};
