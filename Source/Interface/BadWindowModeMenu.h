#pragma once
// The notice that the chosen window mode is not available.
#include "Interface/NoticeBox.h"

class CBadWindowModeMenu : public CNoticeBox {
 public:
  CBadWindowModeMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : CNoticeBox(core, parent) {}
  // Stands at the entry point at once (alpha 0, scale 0.2).
  int Open() override {
    CNoticeBox::Open();
    UpdateShowAnimation(0.0f);
    return 1;
  }
};

// Made and owned by the game object.
extern CBadWindowModeMenu* gBadWindowModeMenu;
