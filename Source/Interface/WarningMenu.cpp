#include "Interface/WarningMenu.h"

#include "GameState.h"
#include "Interface/InterfaceHelpers.h"
#include "PlayerRecord.h"

namespace {
SMenuLayout WarningLayout() {
  SMenuLayout l;
  l.openAt = {516.0f, -200.0f, 0.0f};
  l.entry = {516.0f, -200.0f, 0.0f};
  l.rest = {516.0f, 380.0f, 0.0f};
  l.exit = {0.0f, 380.0f, 0.0f};
  l.closingScale = 0.8f;
  l.backdropFactor = 0.7f;
  l.endOfClosing = kMenuEndHandOff | kMenuEndHide;
  l.startHidden = true;
  return l;
}
}  // namespace

CWarningMenu::CWarningMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, WarningLayout()) {}

void CWarningMenu::FindWidgets() {
  LoadBackdrop();
  mYesButton = GetChild(L"BYes");
  mNoButton = GetChild(L"BNo");
  mToBonusText = GetChild(L"Text1");
  mToStoryText = GetChild(L"Text2");
}

int CWarningMenu::Open() {
  CMenuFrame::Open();
  // A box closed without a decision hands the current state back.
  gPendingGameState = gGameState;
  SetVisible(1);
  const uint32_t mode = gCurrentPlayer.mGameMode;
  if (mode == 1 || mode == 2) {
    if (mToBonusText) mToBonusText->SetVisible(mode == 1);
    if (mToStoryText) mToStoryText->SetVisible(mode == 2);
  }
  return 1;
}

int32_t CWarningMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  if (ui::UpdateAndClick(mYesButton, dt, cursor)) {
    const bool toBonus = gCurrentPlayer.mGameMode == 1;
    gCurrentPlayer.Clear();
    gPendingGameState = kStateInGame;
    if (toBonus) {
      gCurrentPlayer.mGameMode = 2;
      gCurrentPlayer.mStepName = kBonusStepName;
    } else {
      gCurrentPlayer.mGameMode = 1;
    }
    Close();
  }
  if (ui::UpdateAndClick(mNoButton, dt, cursor)) Close();
  return 0;
}
