#pragma once
// A notice with one "BOk" button: it slides in from the lower right, waits
// for the button and slides out to the left, then hides; its owner updates
// and draws it while it is visible. The bad-window-mode, wallpaper, win
// and unreadable-profile notices are this box under their own names.
#include "Interface/MenuFrame.h"

class CNoticeBox : public CMenuFrame {
 public:
  CNoticeBox(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  int Open() override;
  // Waits for "BOk" (no commands, no Esc). 0.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;

 protected:
  void FindWidgets() override;

  rovovoz::CGUIBaseObject* mOkButton = nullptr;  // owned by the form
};
