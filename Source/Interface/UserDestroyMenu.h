#pragma once
// The notice about an unreadable profile.
// Operations that are not built yet do nothing.
#include "Interface/InterfaceForm.h"

class CUserDestroyMenu : public CInterfaceForm {
 public:
  CUserDestroyMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CUserDestroyMenu* gUserDestroyMenu;
