#pragma once
// The location map.
#include "Interface/InterfaceForm.h"

class CMap : public CInterfaceForm {
 public:
  CMap(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}
};

// Made and owned by the game object.
extern CMap* gMap;
