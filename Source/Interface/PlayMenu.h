#pragma once
// The play menu (story or bonus chapter).
#include "Interface/InterfaceForm.h"

class CPlayMenu : public CInterfaceForm {
 public:
  CPlayMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CPlayMenu* gPlayMenu;
