#pragma once
// The exit dialog.
#include "Interface/InterfaceForm.h"

class CExitMenu : public CInterfaceForm {
 public:
  CExitMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CExitMenu* gExitMenu;
