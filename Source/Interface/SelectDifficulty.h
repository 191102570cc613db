#pragma once
// The difficulty choice before a new game.
#include "Interface/InterfaceForm.h"

class CSelectDifficultyMenu : public CInterfaceForm {
 public:
  CSelectDifficultyMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CSelectDifficultyMenu* gSelectDifficultyMenu;
