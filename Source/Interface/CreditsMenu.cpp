#include "Interface/CreditsMenu.h"

#include "GameState.h"

namespace {
void OnOk() {
  if (gCreditsMenu) gCreditsMenu->Close();
  gPendingGameState = gOptionsReturnState == kStatePauseMenu ? kStatePauseMenu : kStateMainMenu;
}

SMenuLayout CreditsLayout() {
  SMenuLayout l;
  l.openAt = {616.0f, 450.0f, 0.0f};
  l.entry = {636.0f, 420.0f, 0.0f};
  l.exit = {150.0f, 320.0f, 0.0f};
  l.closingScale = 0.8f;
  return l;
}
}  // namespace

CCreditsMenu::CCreditsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, CreditsLayout()) {
  AddCommand(L"CreditsBCOk", OnOk);
}

void CCreditsMenu::Cancel() { OnOk(); }
