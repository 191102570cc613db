#pragma once
// The question before leaving the program, over a darkened screen.
#include "Interface/MenuFrame.h"

class CExitMenu : public CMenuFrame {
 public:
  CExitMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

 protected:
  void FindWidgets() override;
  // Esc stays where the player was.
  void Cancel() override;
  // The game object runs its state change again.
  void OnClosed() override;
};

// Made and owned by the game object.
extern CExitMenu* gExitMenu;
