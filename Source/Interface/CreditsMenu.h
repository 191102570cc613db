#pragma once
// The credits: pages of names turned with two buttons.
#include "Interface/MenuFrame.h"

class CCreditsMenu : public CMenuFrame {
 public:
  CCreditsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

 protected:
  void Cancel() override;
};

// Made and owned by the game object.
extern CCreditsMenu* gCreditsMenu;
