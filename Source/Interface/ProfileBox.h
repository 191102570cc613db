#pragma once
// The frame of the player-profile boxes: they slide in from the lower
// right over the title scene and out towards the upper left, and hand the
// chosen screen state over when they have closed. Esc is each box's cancel.
#include <functional>

#include "Interface/MenuFrame.h"

class CProfileBox : public CMenuFrame {
 public:
  // cancel: what Esc does (none: Esc does nothing).
  CProfileBox(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent, std::function<void()> cancel = {});

  static SMenuLayout Layout();

 protected:
  void Cancel() override {
    if (mCancel) mCancel();
  }

  std::function<void()> mCancel;
};

// Saves the current player's name as the one to start with next time.
void StoreCurrentPlayerName();
// The main menu's greeting follows the current player.
void RefreshGreeting();
