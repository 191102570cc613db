#pragma once
// The pause menu over the running game: continue, options, leave.
#include "Interface/MenuFrame.h"

class CEscMenu : public CMenuFrame {
 public:
  CEscMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  // Flies in from the lower left (the window is not cleared first).
  int Open() override;
  // Shows the menu at rest without the opening (back from a display change).
  virtual int ResetPosition();

  // The pause menu's and the keep-settings question's show animation: in
  // from the lower left, out to the left edge at half size.
  static SMenuLayout PauseLayout();

 protected:
  // Esc continues the game.
  void Cancel() override;
};

// Made and owned by the game object.
extern CEscMenu* gEscMenu;
