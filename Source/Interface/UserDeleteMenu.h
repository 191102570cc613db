#pragma once
// The delete-player question.
#include "Interface/InterfaceForm.h"

class CUserDeleteMenu : public CInterfaceForm {
 public:
  CUserDeleteMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CUserDeleteMenu* gUserDeleteMenu;
