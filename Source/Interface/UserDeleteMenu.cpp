#include "Interface/UserDeleteMenu.h"

#include "GameState.h"
#include "Interface/InterfaceHelpers.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {
void OnCancel() {
  if (gUserDeleteMenu) gUserDeleteMenu->Close();
  gPendingGameState = kStateUserMenu;
}

void OnOk() {
  if (!gUserDeleteMenu) return;
  const std::wstring name = gUserDeleteMenu->GetPlayerName();
  if (gPlayerList && !name.empty()) gPlayerList->DeletePlayer(name);
  if (!name.empty() && ui::SameName(name, gCurrentPlayer.mName)) {
    gCurrentPlayer.mName.clear();
    gCurrentPlayer.Clear();
    RefreshGreeting();
  }
  gUserDeleteMenu->Close();
  gPendingGameState = kStateUserMenu;
}
}  // namespace

CUserDeleteMenu::CUserDeleteMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CProfileBox(core, parent, OnCancel) {
  AddCommand(L"UserDBCOk", OnOk);
  AddCommand(L"UserDBCCancel", OnCancel);
}

void CUserDeleteMenu::SetPlayerName(const std::wstring& name) {
  if (mName) mName->SetText(name);
}

std::wstring CUserDeleteMenu::GetPlayerName() const { return mName ? mName->GetText() : std::wstring(); }
