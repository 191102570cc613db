#pragma once
// The notice about an unreadable profile.
#include "Interface/InterfaceForm.h"

class CUserDestroyMenu : public CInterfaceForm {
 public:
  CUserDestroyMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CUserDestroyMenu* gUserDestroyMenu;
