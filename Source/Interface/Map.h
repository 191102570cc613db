#pragma once
// The location map.
#include "Engine/rovovoz/GUIForm.h"

class CMap : public rovovoz::CGUIForm {
 public:
  CMap(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : rovovoz::CGUIForm(core, parent) { SetVisible(0); }
};

// Made and owned by the game object.
extern CMap* gMap;
