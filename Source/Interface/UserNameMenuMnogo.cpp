#include "Interface/UserNameMenuMnogo.h"

#include "GameState.h"

namespace {
// Back to the player list.
void OnOk() {
  if (gUserNameMenuMnogo) gUserNameMenuMnogo->Close();
  gPendingGameState = kStateUserMenu;
}
}  // namespace

CUserNameMenuMnogo::CUserNameMenuMnogo(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : CProfileBox(core, parent, OnOk) {
  AddCommand(L"UserNameMenuMnogoBCOk", OnOk);
}
