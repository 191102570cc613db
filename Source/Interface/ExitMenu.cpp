#include "Interface/ExitMenu.h"

#include "GameState.h"

namespace {
void OnYes() {
  if (gExitMenu) gExitMenu->Close();
  gPendingGameState = kStateExit;
}

void OnNo() {
  gPendingGameState = gGameState;
  if (gExitMenu) gExitMenu->Close();
}

SMenuLayout ExitLayout() {
  SMenuLayout l;
  l.openAt = {516.0f, -200.0f, 0.0f};
  l.entry = {516.0f, -200.0f, 0.0f};
  l.rest = {516.0f, 380.0f, 0.0f};
  l.exit = {0.0f, 380.0f, 0.0f};
  l.closingScale = 0.8f;
  l.backdropFactor = 0.7f;
  l.endOfClosing = kMenuEndHandOff;
  return l;
}
}  // namespace

CExitMenu::CExitMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, ExitLayout()) {
  AddCommand(L"ExitBCYes", OnYes);
  AddCommand(L"ExitBCNo", OnNo);
}

void CExitMenu::FindWidgets() { LoadBackdrop(); }

void CExitMenu::Cancel() { OnNo(); }

void CExitMenu::OnClosed() { gExitMenuShown = 0; }
