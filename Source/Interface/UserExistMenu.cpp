#include "Interface/UserExistMenu.h"

#include "GameState.h"

namespace {
// Back to the player list.
void OnOk() {
  if (gUserExistMenu) gUserExistMenu->Close();
  gPendingGameState = kStateUserMenu;
}
}  // namespace

CUserExistMenu::CUserExistMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : CProfileBox(core, parent, OnOk) {
  AddCommand(L"UserEBCOk", OnOk);
}
