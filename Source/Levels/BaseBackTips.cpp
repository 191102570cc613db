// Tips through the dialog manager, the hint pop-up of mode 12, the pause of
// mode 3, the camera hold of mode 8 and the developer keys.
#include "AppConfig.h"
#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/DialogManager.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Interface/HintMenu.h"
#include "Levels/BaseBack.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

namespace {

bool FrontIs(const std::vector<int32_t>& modes, int mode) { return !modes.empty() && modes.front() == mode; }

// Virtual keys of the developer keys.
constexpr int kVkF1 = 112;
constexpr int kVkEnd = 35;
constexpr int kVkH = 72;
constexpr int kVkNumPad0 = 96;

}  // namespace

// ---- tips -------------------------------------------------------------------------------

namespace {

// The information sound, then the dialog. An empty key shows the empty
// short tip; a key without a text shows nothing.
void ShowKeyedTip(CBaseBack& back, const std::wstring& key, const std::wstring& section) {
  if (!gDialogManager) return;
  if (key.empty()) {
    back.PlaySound(L"I_Info", 1.0f, 0.0f, 1);
    gDialogManager->StartDialog(L"tips_gp", std::wstring());
    return;
  }
  const std::wstring text = gTextManager ? gTextManager->GetText(section, key) : std::wstring();
  if (text.empty()) return;
  back.PlaySound(L"I_Info", 1.0f, 0.0f, 1);
  gDialogManager->StartDialog(L"tips2_gp", text);
}

}  // namespace

void CBaseBack::ShowGameTip(const std::wstring& key) { ShowKeyedTip(*this, key, L"k_game_text"); }

void CBaseBack::ShowTip(const std::wstring& key, const std::wstring& section) { ShowKeyedTip(*this, key, section); }

void CBaseBack::ShowTipText(const std::wstring& text) {
  if (!gDialogManager || text.empty()) return;
  PlaySound(L"I_Info", 1.0f, 0.0f, 1);
  gDialogManager->StartDialog(L"tips2_gp", text);
}

void CBaseBack::ShowItemTip(const std::wstring& item) {
  if (!gDialogManager || !gLogic) return;
  const std::wstring text = gLogic->FindItemText(item);
  if (text.empty()) return;
  PlaySound(L"I_Info", 1.0f, 0.0f, 0);
  gDialogManager->StartDialog(L"tips_gp", text);
}

// ---- pause and camera hold -------------------------------------------------------------

void CBaseBack::QueueTimedMessage(const std::wstring& action, float seconds) {
  mTimedMessages.push_back({action, seconds});
  PushMode(3, 0);
}

void CBaseBack::UpdateTimedMessages(float dt) {
  if (!FrontIs(mModes, 3)) return;
  if (mTimedMessages.empty()) {
    PopMode(0);
    return;
  }
  STimedMessage& message = mTimedMessages.front();
  message.mTime -= dt;
  if (message.mTime > 0.0f) return;
  const std::wstring action = message.mAction;
  if (!action.empty()) DoAction(action, 0, nullptr, kActionMaskAll);
  // Ending mode 3 drops the front message.
  if (FrontIs(mModes, 3)) PopMode(0);
}

void CBaseBack::UpdateCountdown(float dt) {
  if (!FrontIs(mModes, 8)) return;
  constexpr float kHoldSeconds = 5.0f;
  switch (mCountdownState) {
    case 1:
      UpdateZoom(dt, 0);
      if (mZoom.mState == 2) {
        mCountdownState = 2;
        mCountdownTime = kHoldSeconds;
      }
      break;
    case 2:
      mCountdownTime -= dt;
      if (mCountdownTime <= 0.0f) {
        mCountdownState = -1;
        EndZoom();
      }
      break;
    case -1:
      UpdateZoom(dt, 0);
      if (mZoom.mState == 0) {
        mCountdownState = 0;
        PopMode(0);
      }
      break;
    default:
      break;
  }
}

// ---- hint pop-up -----------------------------------------------------------------------

int32_t CBaseBack::ShowHint(const std::wstring& key) {
  mHintKey = key;
  PushMode(12, 0);
  return 1;
}

bool CBaseBack::IsHintMode() const { return FrontIs(mModes, 12); }

void CBaseBack::UpdateHintMenu(float dt, rovovoz::CMouseCursor* cursor) {
  if (!FrontIs(mModes, 12)) {
    if (mHintMenu) mHintMenu->Update(dt, cursor);
    return;
  }
  if (mHintMenu) {
    if (mHintMenu->Update(dt, cursor) >= 0) return;
    if (mHintMenu->GetCheck()) gCurrentPlayer.mTutorialHints = 0;
  }
  OnHintClosed(mHintKey);
}

void CBaseBack::OnHintClosed(const std::wstring&) {
  if (FrontIs(mModes, 12)) {
    if (mHintMenu && mHintMenu->GetCheck()) gCurrentPlayer.mTutorialHints = 0;
    PopMode(0);
  }
  if (mHintMenu) mHintMenu->CloseHint(1, 0.0f);
}

void CBaseBack::CloseHintMenu() {
  if (!FrontIs(mModes, 12)) return;
  if (mHintMenu) mHintMenu->CloseHint(1, 0.0f);
  OnHintClosed(mHintKey);
}

void CBaseBack::RenderHintMenu() {
  if (FrontIs(mModes, 12) && mHintMenu) mHintMenu->Render();
}

bool CBaseBack::IsClickTakenByHint(rovovoz::CMouseCursor* cursor) {
  if (gGamePanel && gGamePanel->IsMouseOverPanel(cursor)) return true;
  if (!FrontIs(mModes, 12) || !mHintMenu || !cursor || !gCamera) return false;
  zormath::Vec3f screen;
  cursor->GetPosition(screen, 1);
  zormath::Vec3f point;
  gCamera->OrthoScreenToWorld(point, screen, 1);
  float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
  mHintMenu->GetBoxRect(left, top, right, bottom);
  return left <= point.x && point.x <= right && top <= point.z && point.z <= bottom;
}

// ---- developer keys --------------------------------------------------------------------

bool CBaseBack::DebugKeys(std::wstring& command) {
  command.clear();
  zuzorev::CInputSystem* input = gInputSystem;
  if (!input || !input->IsVKey(kVkF1, 2)) return false;
  const struct {
    int key;
    const wchar_t* command;
  } keys[] = {{kVkEnd, L"find"}, {kVkH, L"hide"}, {kVkNumPad0, L"win"}};
  for (const auto& k : keys)
    if (input->IsVKey(k.key, 1)) {
      command = k.command;
      return true;
    }
  return false;
}

int32_t CBaseBack::OnDebugCommand(const std::wstring& command) {
  if (Platform::EqualsNoCase(command, L"hide")) {
    gHideMode = !gHideMode;
    return 1;
  }
  if (Platform::EqualsNoCase(command, L"find")) {
    mDebugFind = 1;
    return 1;
  }
  return 0;
}

void CBaseBack::ProcessDebugKeys() {
  if (!gAppConfig.IsCheatOn()) return;
  std::wstring command;
  if (DebugKeys(command)) OnDebugCommand(command);
}
