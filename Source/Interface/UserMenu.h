#pragma once
// The player-profile list.
#include "Interface/InterfaceForm.h"

class CUserMenu : public CInterfaceForm {
 public:
  CUserMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CUserMenu* gUserMenu;
