#pragma once
// The location map.
#include <string>

#include "Interface/InterfaceForm.h"

class CBaseEpisod;

class CMap : public CInterfaceForm {
 public:
  CMap(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // ---- asked by the chapter (neutral until the map's own work fills it)
  // The location the player is in now (the scene's file).
  virtual void SetCurrentLocation(const std::wstring&) {}
  // ---- asked by the playable scene's hint search (neutral until the map
  // ---- lands) ----
  // The object of the current scene that leads toward a location with work
  // left, or an empty name.
  virtual std::wstring FindRouteToActiveLocation(CBaseEpisod* episod) {
    (void)episod;
    return std::wstring();
  }
};

// Made and owned by the game object.
extern CMap* gMap;
