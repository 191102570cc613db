#pragma once
// The notice that the extras stay locked until the game is finished. It
// grows and fades in where its form puts it, without moving.
#include "Interface/MenuFrame.h"

class CBonusDisableMenu : public CMenuFrame {
 public:
  CBonusDisableMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  int Open() override;
  // "BOk" closes it; then the form's own update. 0 while animating.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
};

// Made and owned by the game object.
extern CBonusDisableMenu* gBonusDisableMenu;
