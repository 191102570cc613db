#pragma once
// The difficulty choice, casual or expert, asked once per player over the
// first scene; it fixes the panel's recharge times and the tutorial hints.
#include "Interface/MenuFrame.h"

class CSelectDifficultyMenu : public CMenuFrame {
 public:
  CSelectDifficultyMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  // Drops in from above over a darkening backdrop.
  int Open() override;

 protected:
  void FindWidgets() override { LoadBackdrop(); }
};

// Made and owned by the game object.
extern CSelectDifficultyMenu* gSelectDifficultyMenu;
