#include "Interface/UserMenu.h"

#include <vector>

#include "Engine/rovovoz/GUIListBox.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "Engine/rovovoz/GameCore.h"
#include "GameState.h"
#include "Interface/InterfaceHelpers.h"
#include "Interface/UserDeleteMenu.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {
constexpr int kMaxPlayers = 10;

rovovoz::CGUIListBox* List() { return gUserMenu ? gUserMenu->GetList() : nullptr; }

void CloseBox() {
  if (gUserMenu) gUserMenu->Close();
}

// The list is empty: no current player, and the name entry for a first one.
bool LeaveEmptyList() {
  rovovoz::CGUIListBox* list = List();
  if (!list || list->GetCount() != 0) return false;
  gCurrentPlayer.mName.clear();
  gPendingGameState = kStateUserNameNoPlayer;
  CloseBox();
  RefreshGreeting();
  return true;
}

// The selected entry's player becomes current; back to the main menu.
void ChooseSelected() {
  rovovoz::CGUIListBox* list = List();
  if (!list) return;
  if (list->GetSelected() < 0) list->SetSelected(0);
  PlayerRecord chosen;
  if (!gPlayerList || gPlayerList->FindPlayer(list->GetItemText(list->GetSelected()), chosen) < 0) return;
  gCurrentPlayer = chosen;
  StoreCurrentPlayerName();
  gPendingGameState = kStateMainMenu;
  CloseBox();
  RefreshGreeting();
}

void OnOk() {
  if (LeaveEmptyList()) return;
  ChooseSelected();
}

void OnCancel() {
  if (LeaveEmptyList()) return;
  rovovoz::CGUIListBox* list = List();
  if (!list) return;
  for (int i = 0; i < list->GetCount(); ++i) {
    if (!ui::SameName(list->GetItemText(i), gCurrentPlayer.mName)) continue;
    gPendingGameState = kStateMainMenu;
    CloseBox();
    RefreshGreeting();
    return;
  }
  list->SetSelected(0);
  ChooseSelected();
}

void OnCreate() {
  const int count = gPlayerList ? gPlayerList->Count() : 0;
  gPendingGameState = count < kMaxPlayers ? kStateUserName : kStateTooManyUsers;
  CloseBox();
}

void OnListDelete(uint32_t, int32_t index) {
  rovovoz::CGUIListBox* list = List();
  if (index < 0 || !list || list->GetSelected() < 0) return;
  if (gUserDeleteMenu) gUserDeleteMenu->SetPlayerName(list->GetItemText(list->GetSelected()));
  gPendingGameState = kStateUserDelete;
  CloseBox();
}

void OnDelete() {
  rovovoz::CGUIListBox* list = List();
  if (list && list->GetSelected() >= 0) OnListDelete(0, list->GetSelected());
}
}  // namespace

CUserMenu::CUserMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CProfileBox(core, parent, OnCancel) {
  AddCommand(L"UserBCOk", OnOk);
  AddCommand(L"UserBCCancel", OnCancel);
  AddCommand(L"UserBCCreate", OnCreate);
  AddCommand(L"UserBCDelete", OnDelete);
  if (GetCore() && GetCore()->GetScript())
    GetCore()->GetScript()->AddCommand(L"UserLBDelete", rovovoz::CScriptFunctions::ListHandler(OnListDelete));
}

void CUserMenu::FindWidgets() { mList = FindChild<rovovoz::CGUIListBox>(L"ListName"); }

void CUserMenu::FillList() {
  if (!mList) return;
  std::vector<std::wstring> names;
  if (gPlayerList) gPlayerList->CollectNames(names);
  mList->RemoveAll();
  int current = -1;
  for (size_t i = 0; i < names.size(); ++i) {
    mList->AddItem(names[i]);
    if (ui::SameName(names[i], gCurrentPlayer.mName)) current = static_cast<int>(i);
  }
  mList->SetSelected(current);
}

int CUserMenu::Open() {
  FillList();
  return CProfileBox::Open();
}
