#pragma once
// The player-name entry.
#include "Interface/InterfaceForm.h"

class CUserNameMenu : public CInterfaceForm {
 public:
  CUserNameMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CUserNameMenu* gUserNameMenu;
