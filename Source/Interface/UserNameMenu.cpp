#include "Interface/UserNameMenu.h"

#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/InputSystem.h"
#include "GameLog.h"
#include "GameState.h"
#include "PlayerFileName.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {
const wchar_t* const kSource = L"Source/Interface/UserNameMenu";

bool IsBlank(const std::wstring& text) { return text.find_first_not_of(L' ') == std::wstring::npos; }

std::wstring TypedName() {
  return gUserNameMenu && gUserNameMenu->GetEdit() ? gUserNameMenu->GetEdit()->GetText() : std::wstring();
}

void OnCancel() {
  if (gUserNameMenu) gUserNameMenu->Close();
  gPendingGameState = gGameState == kStateUserName ? kStateUserMenu : kStateMainMenu;
}

void OnOk() {
  const std::wstring name = TypedName();
  if (IsBlank(name)) return;
  if (gGameState == kStateUserName && gPlayerList && gPlayerList->IsNameTaken(name)) {
    if (gUserNameMenu) gUserNameMenu->Close();
    gPendingGameState = kStateUserExists;
    return;
  }
  // A name the profile cannot be saved under would make a player that is
  // gone at the next start: the entry stays open and says so.
  if (!PlayerNameFits(name) || PlayerFileName(name).empty()) {
    gamelog::Warning(kSource, __LINE__, L"Player name refused: it cannot name a profile file.");
    if (gUserNameMenu) gUserNameMenu->ShowBadName(true);
    return;
  }
  gCurrentPlayer = PlayerRecord();
  gCurrentPlayer.mName = name;
  gCurrentPlayer.Clear();
  if (gPlayerList) gPlayerList->SavePlayer(gCurrentPlayer);
  StoreCurrentPlayerName();
  if (gUserNameMenu) gUserNameMenu->Close();
  if (gGameState == kStateUserName)
    gPendingGameState = kStateUserMenu;
  else if (gGameState == kStateUserNameNoPlayer)
    gPendingGameState = kStateMainMenu;
  else
    gPendingGameState = kStateInGame;
  RefreshGreeting();
}

void OnEsc() {
  if (gGameState == kStateUserName) OnCancel();
}
}  // namespace

CUserNameMenu::CUserNameMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CProfileBox(core, parent, OnEsc) {
  AddCommand(L"UserNBCOk", OnOk);
  AddCommand(L"UserNBCCancel", OnCancel);
}

void CUserNameMenu::FindWidgets() {
  mEdit = FindChild<rovovoz::CGUIEditBox>(L"EditName");
  mCancelButton = GetChild(L"BCancel");
  mOkButton = GetChild(L"BOk");
  mBadName = GetChild(L"LBadName");
  ShowBadName(false);
}

void CUserNameMenu::ShowBadName(bool show) {
  mRefusedName = show && mEdit ? mEdit->GetText() : std::wstring();
  if (mBadName) mBadName->SetVisible(show ? 1 : 0);
}

int CUserNameMenu::Open() {
  if (mEdit) {
    mEdit->SetText(L"");
    mEdit->SetFocus(true);
  }
  ShowBadName(false);
  return CProfileBox::Open();
}

int32_t CUserNameMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mShowState != 0) {
    // The name is typed from the moment the box opens, not only once it
    // has come to rest.
    if (mShowState == 1 && mEdit) mEdit->TakeTypedText();
    UpdateShowAnimation(dt);
    return 0;
  }
  if (mEdit && !mEdit->GetFocus()) mEdit->SetFocus(true);
  const int32_t result = rovovoz::CGUIBaseObject::Update(dt, cursor);
  if (mShowState != 0) return result;  // a button closed the box
  const std::wstring typed = mEdit ? mEdit->GetText() : std::wstring();
  if (typed != mRefusedName) ShowBadName(false);
  const int enable = IsBlank(typed) ? 0 : 1;
  if (mOkButton && mOkButton->GetEnable() != enable) mOkButton->SetEnable(enable);
  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  if (input && input->IsVKey(13, zuzorev::kInputDown) && enable) OnOk();
  if (mShowState == 0 && IsEscDown()) Cancel();
  return result;
}
