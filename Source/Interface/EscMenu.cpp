#include "Interface/EscMenu.h"

#include "GameState.h"

namespace {
void OnContinue() {
  if (gEscMenu) gEscMenu->Close();
  gPendingGameState = kStateContinueGame;
}

void OnOptions() {
  if (gEscMenu) gEscMenu->Close();
  gOptionsReturnState = kStatePauseMenu;
  gPendingGameState = kStateOptions;
}

void OnExit() {
  if (gEscMenu) gEscMenu->Close();
  gPendingGameState = kStateLeaveGame;
}
}  // namespace

SMenuLayout CEscMenu::PauseLayout() {
  SMenuLayout l;
  l.openAt = {100.0f, 600.0f, 0.0f};
  l.entry = {100.0f, 600.0f, 0.0f};
  l.rest = {516.0f, 380.0f, 0.0f};
  l.exit = {0.0f, 380.0f, 0.0f};
  l.closingScale = 0.5f;
  l.endOfClosing = kMenuEndHandOff;
  return l;
}

CEscMenu::CEscMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, PauseLayout()) {
  mLayout.clearOnOpen = false;
  mEsc = EEsc::BeforeUpdate;
  AddCommand(L"EscBCContinue", OnContinue);
  AddCommand(L"EscBCOptions", OnOptions);
  AddCommand(L"EscBCExit", OnExit);
}

int CEscMenu::Open() { return CMenuFrame::Open(); }

int CEscMenu::ResetPosition() {
  ClearState();
  SetPosition2D(mLayout.rest, 1);
  mShowState = 0;
  return 1;
}

void CEscMenu::Cancel() { OnContinue(); }
