#pragma once
// The notice that there are too many players.
#include "Interface/InterfaceForm.h"

class CUserNameMenuMnogo : public CInterfaceForm {
 public:
  CUserNameMenuMnogo(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CUserNameMenuMnogo* gUserNameMenuMnogo;
