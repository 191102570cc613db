#pragma once
// The notice that a player of that name already exists.
#include "Interface/ProfileBox.h"

class CUserExistMenu : public CProfileBox {
 public:
  CUserExistMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
};

// Made and owned by the game object.
extern CUserExistMenu* gUserExistMenu;
