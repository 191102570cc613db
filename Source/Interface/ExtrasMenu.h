#pragma once
// The extras: wallpapers, concept art, the guide.
#include "Interface/InterfaceForm.h"

class CExtrasMenu : public CInterfaceForm {
 public:
  CExtrasMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the opening; overGame 1 when opened over the running game.
  virtual int Open(int overGame);
};

// Made and owned by the game object.
extern CExtrasMenu* gExtrasMenu;
