// One frame of the panel: the order of its steps, the slide, the diary,
// menu and guide buttons, the dialog mode, and the drawing order.
#include <algorithm>
#include <cmath>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Interface/DialogPlayer.h"
#include "Interface/Dnevnik.h"
#include "Interface/GamePanel.h"
#include "Interface/HintMenu.h"
#include "Interface/InterfaceHelpers.h"
#include "Logic/BaseEpisod.h"

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr uint32_t kMarked = 0xFF000000u;
constexpr uint32_t kUnmarked = 0xFF800000u;

bool IsDiaryState(int state) { return state == 7 || state == 8 || state == 9; }

}  // namespace

void CGamePanel::UpdateDialogMode(float dt) {
  if (mDialog) {
    mDialog->Update(dt);
    if (mEpisod) {
      if (mDialog->mTalkStarted) mEpisod->ForwardSceneAction(L"a_dialog_start_talk", 0, 0, -1);
      if (mDialog->mTalkStopped) mEpisod->ForwardSceneAction(L"a_dialog_stop_talk", 0, 0, -1);
      if (mDialog->mEnded == 1) mEpisod->ForwardSceneAction(L"a_dialog_end", 0, 0, -1);
    }
    if (mLTextDialog) {
      mLTextDialog->SetText(mDialog->GetCurrentText());
      mLTextDialog->SetAlpha(mDialog->GetTextAlpha());
    }
  }
}

void CGamePanel::UpdateDiaryButtons(float dt, rovovoz::CMouseCursor* cursor, bool blocked,
                                    const std::wstring& tutorialHint) {
  if (mDnevnikTimer >= 0.01f) {
    if (!ui::UpdateAndClick(mBDnevnikClose, dt, cursor)) return;
    mDnevnikTimer = 1.5f;
    if (mEpisod) mEpisod->RequestDiary();
    if (mBDnevnik) mBDnevnik->ClearState();
    if (tutorialHint == L"HintDnevnik" && mEpisod) mEpisod->RunAction(L"a_end_HintDnevnik", 0, 0, -1);
    return;
  }
  if (!mBDnevnik || !mEpisod || (blocked && tutorialHint != L"HintDnevnik")) return;
  if (!IsDiaryState(mEpisod->GetState()) && ui::UpdateAndClick(mBDnevnik, dt, cursor)) {
    ui::PlaySound(GetCore(), L"Otkrytie_dnevnika");
    mEpisod->RequestDiary();
    if (tutorialHint == L"HintDnevnik") mEpisod->RunAction(L"a_end_HintDnevnik", 0, 0, -1);
  }
  if (mEpisod->GetState() == 8 && ui::UpdateAndClick(mBDnevnikClose, dt, cursor)) {
    ui::PlaySound(GetCore(), L"Zakrytie_dnevnika");
    if (gDnevnik) gDnevnik->RequestClose();
  }
}

int32_t CGamePanel::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mPanelMode == kModeDialog) {
    UpdateDialogMode(dt);
    // The release that clicks the skip button ends the dialog; it is not
    // also taken as a skip to the next point. A dialog that has already
    // ended (its end was passed on when it happened) is not ended twice.
    if (ui::UpdateAndClick(mBSkipDialog, dt, cursor)) {
      if (mEpisod && !(mDialog && mDialog->mEnded != 0)) {
        if (mDialog) mDialog->Finish();
        mEpisod->ForwardSceneAction(L"a_dialog_end", 0, 0, -1);
      }
      return 0;
    }
    const bool released = GetCore() && GetCore()->GetInput() && GetCore()->GetInput()->IsButton(0, 4);
    if (released && mDialog && mDialog->mEnded == 0) {
      mDialog->Skip();
      // A skip past the last point ends the dialog here, after this frame's
      // update: its end is passed on now, or the next update would only
      // mark it as ended earlier and the scene would never hear of it.
      if (mDialog->mEnded == 1 && mEpisod) mEpisod->ForwardSceneAction(L"a_dialog_end", 0, 0, -1);
    }
    return 0;
  }

  const bool blocked = (gHintMenu && gHintMenu->IsShown()) || (gHintMenu2 && gHintMenu2->IsShown());
  UpdatePanelAnimation(dt, cursor);
  if (mPanelMode == kModePush)
    mModeFade = std::min(mModeFade + dt, 1.0f);
  else
    mModeFade = std::max(mModeFade - dt, 0.0f);

  for (SHogListRow& row : mHogRows) {
    row.Alpha += dt;
    if (!row.Label) continue;
    const bool marked = !mEpisod || mEpisod->IsHogObjectMarked(row.ObjectName);
    row.Label->SetColor(marked ? kMarked : kUnmarked);
    row.Label->SetAlpha(std::clamp(row.Alpha, 0.0f, 1.0f));
  }
  UpdateMoveTexts(dt);

  mFrameFlag = 1;
  SetCursorIcon(dt, cursor);
  mArrowPhase += kTwoPi * dt;
  if (mArrowPhase > kTwoPi) mArrowPhase -= kTwoPi;
  HandleInventoryMouse(dt, cursor);
  UpdateHintRecharge(dt);

  const std::wstring tutorialHint = blocked && gHintMenu ? gHintMenu->GetCurrentName() : std::wstring();
  UpdateDiaryButtons(dt, cursor, blocked, tutorialHint);

  // Esc is the menu button's key (a mini-game that keeps Esc for itself
  // clears it before the panel's turn).
  const zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  const bool escDown = mBMenu && input && input->IsVKey(27, zuzorev::kInputDown);
  if (!blocked && (ui::UpdateAndClick(mBMenu, dt, cursor) || escDown) && mEpisod) mEpisod->RequestMenu();
  const bool diaryOpen = gDnevnik && gDnevnik->GetPhase() > 0.01f;
  HandleHintButtons(dt, cursor, blocked, diaryOpen);
  if (!blocked && ui::UpdateAndClick(mBStrategy, dt, cursor) && mEpisod) mEpisod->RequestGuide();
  return 0;
}

int32_t CGamePanel::UpdatePanelAnimation(float dt, rovovoz::CMouseCursor* cursor) {
  if (cursor) {
    const zormath::Vec3f p = cursor->GetPosition3D();
    const bool overPanel = (mKursorPanel02 && mKursorPanel02->PickOrthoPointY(p)) ||
                           (mKursorPanel03 && mKursorPanel03->PickOrthoPointY(p));
    const bool tutorial = gHintMenu2 && gHintMenu2->IsShown() && gHintMenu2->GetCurrentName() == L"HintNojPanel";
    const bool up = overPanel || mPanelMode == kModeHog || mPanelMode == kModeMiniGame || mItemBeam.Active || tutorial;
    mSlideSpeed += (up ? 2500.0f : -2500.0f) * dt;
    mSlideOffset += mSlideSpeed * dt;
    if (mSlideOffset > 0.0f) {
      mSlideOffset = 0.0f;
      mSlideSpeed = 0.0f;
    }
    if (mSlideOffset <= -83.0f) {
      mSlideOffset = -83.0f;
      mSlideSpeed = 0.0f;
    }
    // The upper panel area moves with the panel (its loaded place at offset 0).
    if (mKursorPanel02) mKursorPanel02->SetPosition3D(mKursorPanel02Rest.x, mKursorPanel02Rest.y, mKursorPanel02Rest.z + mSlideOffset);
  }
  mFrameFlag = 0;
  UpdateBeamClocks(dt);
  UpdateGhostAndMorph(dt, cursor);
  UpdateDnevnikEffect(dt);
  if (mSkipGlow) mSkipGlow->Update(dt, nullptr);
  if (mHintGlow) mHintGlow->Update(dt, nullptr);
  const bool hintShown = mBHint && mBHint->GetVisible();
  const bool skipShown = mBSkip && mBSkip->GetVisible();
  mHintGlowLevel = std::clamp(mHintGlowLevel + (hintShown ? dt : -dt), 0.0f, 1.0f);
  mSkipGlowLevel = std::clamp(mSkipGlowLevel + (skipShown ? dt : -dt), 0.0f, 1.0f);
  return 0;
}

void CGamePanel::RenderAtSlide(rovovoz::CGUIBaseObject* object, float alpha) {
  if (!object) return;
  const float restAlpha = object->GetAlpha();
  if (alpha >= 0.0f) object->SetAlpha(alpha);
  object->AddPositionZ3D(mSlideOffset);
  object->Render();
  object->AddPositionZ3D(-mSlideOffset);
  object->SetAlpha(restAlpha);
}

void CGamePanel::RenderDialogMode() {
  if (mTopLine) mTopLine->Render();
  if (mBottomLine) mBottomLine->Render();
  if (mBSkipDialog) mBSkipDialog->Render();
  if (mLTextDialog) mLTextDialog->Render();
}

void CGamePanel::RenderNotebook() {
  if (!mBDnevnik || !mEpisod) return;
  const bool diaryState = IsDiaryState(mEpisod->GetState());
  if (!diaryState && mDnevnikTimer <= 0.01f) return;
  constexpr float kFrames = 38.99f;
  int frame = static_cast<int>((gDnevnik ? gDnevnik->GetPhase() : 0.0f) * kFrames);
  if (mDnevnikTimer > 0.01f) {
    if (mDnevnikTimer < 0.5f)
      frame = std::max(frame, static_cast<int>(mDnevnikTimer * 2.0f * kFrames));
    else if (mDnevnikTimer > 4.5f)
      frame = std::max(frame, static_cast<int>((5.0f - mDnevnikTimer) * 2.0f * kFrames));
    else
      frame = 38;
  }
  frame = std::clamp(frame, 0, 38);
  if (frame < 38) {
    if (rovovoz::CStaticObject3D* model = mDnevnikFrames[static_cast<size_t>(frame)].get()) model->Render();
  } else if (mBDnevnikClose) {
    mBDnevnikClose->Render();
  }
}

int32_t CGamePanel::Render() {
  if (mPanelMode == kModeDialog) {
    RenderDialogMode();
    return 0;
  }
  RenderAtSlide(mPodlojkaNiz);
  if (mReturnModel) mReturnModel->Render();
  if (mPanelMode == kModePush || mPanelMode == kModeHog) {
    if (mHintDis) mHintDis->Render();
  }
  if (mPanelMode == kModePush)
    RenderRechargeButton(kModePush);
  if (mPanelMode == kModePush || mPanelMode == kModeMiniGame) RenderItems();
  RenderAtSlide(mBRight);
  RenderAtSlide(mBLeft);
  RenderAtSlide(mVerh);
  RenderAtSlide(mLInventory, mModeFade);
  if (mPanelMode == kModeHog || mPanelMode == kModeMiniGame) RenderAtSlide(mPodlojka, 1.0f - mModeFade);
  if (mPanelMode == kModeMiniGame) RenderAtSlide(mLTextMiniGame, 1.0f - mModeFade);
  if (mPanelMode == kModeHog)
    for (SHogListRow& row : mHogRows) RenderAtSlide(row.Label);
  if (mBDnevnik && mEpisod && !IsDiaryState(mEpisod->GetState()) && mDnevnikTimer <= 0.01f) mBDnevnik->Render();
  if (mPanelMode == kModeHog) {
    RenderRechargeButton(kModeHog);
    RenderAtSlide(mLOstalos, 1.0f - mModeFade);
  }
  if (mPanelMode == kModeMiniGame) {
    RenderAtSlide(mLTipsMiniGame, 1.0f - mModeFade);
    if (mSkipDis) mSkipDis->Render();
    RenderRechargeButton(kModeMiniGame);
  }
  if (mLeftSide) mLeftSide->Render();
  if (mRightSide) mRightSide->Render();
  RenderNotebook();
  if (mBMenu) mBMenu->Render();
  if (mBStrategy) mBStrategy->Render();
  if (mDnevnikTimer > 0.01f) {
    if (mDnevnikCloseSel) mDnevnikCloseSel->Render();
    if (mBloknot) mBloknot->Render();
  }
  if (mPanelMode == kModeMiniGame && mSkipGlow) {
    mSkipGlow->SetAlpha(mSkipGlowLevel);
    mSkipGlow->Render();
  } else if ((mPanelMode == kModePush || mPanelMode == kModeHog) && mHintGlow) {
    mHintGlow->SetAlpha(mHintGlowLevel);
    mHintGlow->Render();
  }
  RenderMoveTexts();
  RenderGhostWindow();
  return 0;
}
