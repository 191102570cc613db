// The hint and skip buttons: recharge times by difficulty, the charges kept
// in the player's record, the presses and the drawing while they charge.
#include <cmath>

#include "AppConfig.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Interface/GamePanel.h"
#include "Interface/HintMenu.h"
#include "Interface/InterfaceHelpers.h"
#include "Logic/BaseEpisod.h"
#include "PlayerRecord.h"

void CGamePanel::ApplyDifficulty() {
  float times[3] = {60.0f, 60.0f, 60.0f};
  if (gCurrentPlayer.mDifficulty == 1) {
    times[kHogHintTime] = 30.0f;
    times[kSkipTime] = 120.0f;
  } else if (gCurrentPlayer.mDifficulty == 2) {
    times[kHintTime] = 120.0f;
    times[kSkipTime] = 120.0f;
  }
  if (gAppConfig.IsCheatOn()) times[0] = times[1] = times[2] = 3.0f;
  for (int i = 0; i < 3; ++i) mRechargeTime[i] = times[i];
}

void CGamePanel::UpdateHintRecharge(float dt) {
  float* charge = nullptr;
  float time = 0.0f;
  rovovoz::CGUIBaseObject* button = nullptr;
  rovovoz::CStaticObject3D* overlay = nullptr;
  switch (mPanelMode) {
    case kModePush:
      charge = &gCurrentPlayer.mHintTimer;
      time = mRechargeTime[kHintTime];
      button = mBHint;
      overlay = mAlphaHint.get();
      break;
    case kModeHog:
      charge = &gCurrentPlayer.mHogHintTimer;
      time = mRechargeTime[kHogHintTime];
      button = mBHint;
      overlay = mAlphaHint.get();
      break;
    case kModeMiniGame:
      charge = &gCurrentPlayer.mSkipTimer;
      time = mRechargeTime[kSkipTime];
      button = mBSkip;
      overlay = mAlphaSkip.get();
      break;
    default:
      return;
  }
  if (button) button->SetVisible(0);
  *charge += dt;
  if (*charge <= time) {
    if (overlay) overlay->SetScaleZ(1.0f - (*charge / time) * 0.95f);
    return;
  }
  if (*charge < time + 0.5f) ui::PlaySound(GetCore(), L"Podskazka_gotova");
  if (button) button->SetVisible(1);
  *charge = time + 1.0f;
}

void CGamePanel::MakeHintReady() {
  gCurrentPlayer.mHintTimer = mRechargeTime[kHintTime];
  UpdateHintRecharge(0.1f);
}

void CGamePanel::MakeHogHintReady() {
  gCurrentPlayer.mHogHintTimer = mRechargeTime[kHogHintTime];
  UpdateHintRecharge(0.1f);
}

bool CGamePanel::IsTutorialHintBlocking() const {
  auto shows = [](CHintMenu* menu, const wchar_t* name) {
    return menu && menu->IsShown() && menu->GetCurrentName() == name;
  };
  const bool shown = (gHintMenu && gHintMenu->IsShown()) || (gHintMenu2 && gHintMenu2->IsShown());
  if (!shown) return false;
  return !(shows(gHintMenu, L"HintHint") || shows(gHintMenu, L"HintHintHOG") || shows(gHintMenu2, L"HintHintPush"));
}

void CGamePanel::HandleHintButtons(float dt, rovovoz::CMouseCursor* cursor, bool blocked, bool diaryOpen) {
  if (mPanelMode == kModePush || mPanelMode == kModeHog) {
    const bool frontMode = mEpisod && mEpisod->GetSceneFrontMode() != 0;
    if (IsTutorialHintBlocking() || diaryOpen || frontMode || !mBHint) return;
    if (!ui::UpdateAndClick(mBHint, dt, cursor) || !mEpisod) return;
    const int result = mEpisod->FindHint();
    if (result == 1) {
      if (mPanelMode == kModePush) gCurrentPlayer.mHintTimer = 0.0f;
      if (mPanelMode == kModeHog) gCurrentPlayer.mHogHintTimer = 0.0f;
    } else if (result == -1) {
      gCurrentPlayer.mHintTimer = mRechargeTime[kHintTime] - 2.0f;
    }
    if (gHintMenu && gHintMenu->IsShown() && gHintMenu->GetCurrentName() == L"HintHint")
      mEpisod->RunAction(L"a_end_HintHint", 0, 0, -1);
    if (gHintMenu && gHintMenu->IsShown() && gHintMenu->GetCurrentName() == L"HintHintHOG")
      mEpisod->RunAction(L"a_end_HintHintHOG", 0, 0, -1);
  } else if (mPanelMode == kModeMiniGame) {
    if (blocked || diaryOpen || !mBSkip) return;
    if (!ui::UpdateAndClick(mBSkip, dt, cursor)) return;
    gCurrentPlayer.mSkipTimer = 0.0f;
    if (mEpisod) mEpisod->ForwardSceneAction(L"a_skip", 0, 0, -1);
  }
}

void CGamePanel::RenderRechargeButton(int mode) {
  const bool skip = mode == kModeMiniGame;
  rovovoz::CGUIBaseObject* button = skip ? mBSkip : mBHint;
  rovovoz::CStaticObject3D* def = skip ? mSkipDef.get() : mHintDef.get();
  rovovoz::CStaticObject3D* alpha = skip ? mAlphaSkip.get() : mAlphaHint.get();
  const float charge = skip ? gCurrentPlayer.mSkipTimer
                            : (mode == kModeHog ? gCurrentPlayer.mHogHintTimer : gCurrentPlayer.mHintTimer);
  const float time = mRechargeTime[skip ? kSkipTime : (mode == kModeHog ? kHogHintTime : kHintTime)];
  if (!button) return;
  if (button->GetVisible()) {
    button->Render();
    return;
  }
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (alpha && def && render) {
    render->SetZEnable(1);
    alpha->RenderTruncateTexture();
    def->Render();
    render->SetZEnable(0);
  }
  if (def && time - charge < 1.0f) {
    const float k = std::sin(3.14159265f * (time - charge));
    if (mode == kModePush)
      def->RenderAsOverlay(k);
    else
      def->RenderAsOverlayZ(k);
  }
}
