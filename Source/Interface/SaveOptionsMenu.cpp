#include "Interface/SaveOptionsMenu.h"

#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/TextManager.h"
#include "GameState.h"
#include "Ini.h"
#include "Interface/EscMenu.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "VideoSettings.h"
#include "Interface/OptionsMenu.h"

namespace {
constexpr float kAnswerTime = 15.0f;

void OnNo() {
  if (gSaveOptionsMenu) gSaveOptionsMenu->Close();
  gPendingGameState = kStateRestoreMode;
}

// The mode being tried becomes the mode in force, in the player's record
// and in the "Video" section of game.ini.
void OnYes() {
  if (gSaveOptionsMenu) gSaveOptionsMenu->Close();
  gDisplayModeIndex = gOptionsModeIndex;
  gVideoSettings = gVideoSettingsNew;
  gCurrentPlayer.mWidth = static_cast<uint32_t>(gVideoSettingsNew.Width);
  gCurrentPlayer.mHeight = static_cast<uint32_t>(gVideoSettingsNew.Height);
  gCurrentPlayer.mWide = static_cast<uint32_t>(gVideoSettingsNew.Wide);
  gCurrentPlayer.mFullScreen = static_cast<uint32_t>(gVideoSettingsNew.FullScreen);
  if (gPlayerList) gPlayerList->SavePlayer(gCurrentPlayer);
  std::wstring path;
  WriteVideoMode(Ini::GetPath(path), gVideoSettingsNew);
  gPendingGameState = gOptionsReturnState;
}
}  // namespace

CSaveOptionsMenu::CSaveOptionsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, CEscMenu::PauseLayout()) {
  mLayout.openAt = {516.0f, 384.0f, 0.0f};
  AddCommand(L"SaveOptionsBCYes", OnYes);
  AddCommand(L"SaveOptionsBCNo", OnNo);
}

int CSaveOptionsMenu::ShownSeconds(float seconds) {
  const float whole = std::trunc(seconds);
  const float rest = seconds - whole;
  if (std::fabs(rest) > 0.5f) return static_cast<int>(whole + (rest > 0.0f ? 1.0f : -1.0f));
  return static_cast<int>(whole);
}

void CSaveOptionsMenu::FindWidgets() {
  mTextWidget = GetChild(L"Text");
  rovovoz::CTextManager* texts = GetCore() ? GetCore()->GetTextManager() : nullptr;
  if (texts) {
    mText1 = texts->GetText(L"k_save_options_menu", L"t_text1");
    mText2 = texts->GetText(L"k_save_options_menu", L"t_text2");
  }
  if (rovovoz::CGUIBaseObject* text2 = GetChild(L"Text2")) text2->SetText(L"");
}

void CSaveOptionsMenu::ShowText(const wchar_t* separator) {
  if (mTextWidget)
    mTextWidget->SetText(mText1 + separator + std::to_wstring(ShownSeconds(mCountdown)) + L" " + mText2);
}

int CSaveOptionsMenu::Open() {
  CMenuFrame::Open();
  SetDirection2D(zormath::Vec3f(0.0f, 1.0f, 0.0f));
  mCountdown = kAnswerTime;
  ShowText(L" ");
  return 1;
}

int32_t CSaveOptionsMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  mCountdown -= dt;
  if (mCountdown <= 0.0f) OnNo();
  ShowText(L"\n ");
  const int32_t result = rovovoz::CGUIBaseObject::Update(dt, cursor);
  if (IsEscDown()) OnNo();
  return result;
}

void CSaveOptionsMenu::Cancel() { OnNo(); }
