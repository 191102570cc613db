#pragma once
// The location map.
#include <string>

#include "Interface/InterfaceForm.h"

class CMap : public CInterfaceForm {
 public:
  CMap(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // ---- asked by the chapter (neutral until the map's own work fills it)
  // The location the player is in now (the scene's file).
  virtual void SetCurrentLocation(const std::wstring&) {}
};

// Made and owned by the game object.
extern CMap* gMap;
