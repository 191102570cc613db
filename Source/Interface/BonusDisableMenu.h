#pragma once
// The notice that the bonus chapter is closed.
#include "Interface/InterfaceForm.h"

class CBonusDisableMenu : public CInterfaceForm {
 public:
  CBonusDisableMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CBonusDisableMenu* gBonusDisableMenu;
