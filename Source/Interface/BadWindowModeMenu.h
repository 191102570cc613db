#pragma once
// The notice that a mode cannot be shown in a window.
#include "Interface/InterfaceForm.h"

class CBadWindowModeMenu : public CInterfaceForm {
 public:
  CBadWindowModeMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CBadWindowModeMenu* gBadWindowModeMenu;
