#pragma once
// The question whether to keep a new display mode.
#include "Interface/InterfaceForm.h"

class CSaveOptionsMenu : public CInterfaceForm {
 public:
  CSaveOptionsMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CSaveOptionsMenu* gSaveOptionsMenu;
