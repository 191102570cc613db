#pragma once
// The box shown when the game is won.
#include "Interface/InterfaceForm.h"

class CWinMenu : public CInterfaceForm {
 public:
  CWinMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CWinMenu* gWinMenu;
