#pragma once
// The credits screen.
#include "Interface/InterfaceForm.h"

class CCreditsMenu : public CInterfaceForm {
 public:
  CCreditsMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CCreditsMenu* gCreditsMenu;
