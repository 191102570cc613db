#pragma once
// The pause menu over the running game.
#include "Interface/InterfaceForm.h"

class CEscMenu : public CInterfaceForm {
 public:
  CEscMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CEscMenu* gEscMenu;
