#pragma once
// The overlay over a playing video.
#include "Interface/InterfaceForm.h"

class CRolikInterfaceMenu : public CInterfaceForm {
 public:
  CRolikInterfaceMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CRolikInterfaceMenu* gRolikInterfaceMenu;
