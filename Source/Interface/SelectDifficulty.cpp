#include "Interface/SelectDifficulty.h"

#include "Interface/GamePanel.h"
#include "PlayerRecord.h"

namespace {
void Choose(uint32_t difficulty, uint32_t tutorialHints) {
  if (gSelectDifficultyMenu) gSelectDifficultyMenu->Close();
  gCurrentPlayer.mDifficulty = difficulty;
  gCurrentPlayer.mTutorialHints = tutorialHints;
  if (gGamePanel) gGamePanel->ApplyDifficulty();
}

void OnCasual() { Choose(1, 1); }
void OnExpert() { Choose(2, 0); }

SMenuLayout DifficultyLayout() {
  SMenuLayout l;
  l.openAt = {516.0f, -200.0f, 0.0f};
  l.entry = {516.0f, -200.0f, 0.0f};
  l.rest = {516.0f, 380.0f, 0.0f};
  l.exit = {0.0f, 380.0f, 0.0f};
  l.closingScale = 0.8f;
  l.backdropFactor = 0.7f;
  l.endOfClosing = kMenuEndHide;
  l.startHidden = true;
  return l;
}
}  // namespace

CSelectDifficultyMenu::CSelectDifficultyMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, DifficultyLayout()) {
  mEsc = EEsc::None;
  AddCommand(L"BCasualClick", OnCasual);
  AddCommand(L"BExpertClick", OnExpert);
}

int CSelectDifficultyMenu::Open() {
  CMenuFrame::Open();
  SetVisible(1);
  return 1;
}
