#pragma once
// The warning before a new game over a saved one.
#include "Interface/InterfaceForm.h"

class CWarningMenu : public CInterfaceForm {
 public:
  CWarningMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CWarningMenu* gWarningMenu;
