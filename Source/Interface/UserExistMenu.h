#pragma once
// The notice that a player name is taken.
#include "Interface/InterfaceForm.h"

class CUserExistMenu : public CInterfaceForm {
 public:
  CUserExistMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CUserExistMenu* gUserExistMenu;
