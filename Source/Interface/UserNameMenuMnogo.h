#pragma once
// The notice that the list holds as many players as it can.
#include "Interface/ProfileBox.h"

class CUserNameMenuMnogo : public CProfileBox {
 public:
  CUserNameMenuMnogo(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);
};

// Made and owned by the game object.
extern CUserNameMenuMnogo* gUserNameMenuMnogo;
