#pragma once
// The warning before the player switches between the story and the bonus
// chapter: switching clears the progress of the other one.
#include "Interface/MenuFrame.h"

class CWarningMenu : public CMenuFrame {
 public:
  CWarningMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  int Open() override;
  // "BYes" switches the game mode and asks for the game; "BNo" only closes.
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;

 protected:
  void FindWidgets() override;

  rovovoz::CGUIBaseObject* mYesButton = nullptr;
  rovovoz::CGUIBaseObject* mNoButton = nullptr;
  rovovoz::CGUIBaseObject* mToBonusText = nullptr;
  rovovoz::CGUIBaseObject* mToStoryText = nullptr;
};

// Made and owned by the game object.
extern CWarningMenu* gWarningMenu;
