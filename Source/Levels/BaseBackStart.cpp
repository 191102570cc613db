// A visit: the chapter attaches the scene and starts it; each mode of the
// mode queue starts when it reaches the front and ends before it leaves;
// the item window and the mini-game frame are driven every frame; a drain
// finishes everything pending at once.
#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "MiniGame/BaseMiniGame.h"
#include "PlayerRecord.h"

namespace {

// Virtual key and scan code of Escape.
constexpr int kVkEscape = 27;
constexpr int kScanEscape = 1;

}  // namespace

// ---- attach and start ---------------------------------------------------------------

void CBaseBack::ResetVisit() {
  mViewMatrix = zormath::Mat4f::Identity();
  mNoPick = 0;
  mTimedMessages.clear();
  mMiniGame = nullptr;
  mBusy = 0;
  mModes.clear();
  mItemWindowNames.clear();
  mOverlayBursts.clear();
  mShade.mLevel = 1.0f;
  mShade.mTargetAlpha = 1.0f;
  mShade.mState = 0;
  mShade2.mLevel = 1.0f;
  mShade2.mState = 0;
  mRunningPaths.clear();
  mPathRequests.clear();
  mObjectEffects.clear();
  mDelayedActions.clear();
}

void CBaseBack::ResetAttach(CBaseEpisod* episod, CBaseBack* owner) {
  ResetVisit();
  mZoom.mScale = 1.0f;
  mZoom.mScaleTo = 1.0f;
  mDebugFind = 0;
  mZoom.mState = 0;
  mFindItems.clear();
  mZoomRequests.clear();
  mCountdownTime = 0.0f;
  mCountdownState = 0;
  mHintKey.clear();
  mEpisod = episod;
  mOwner = owner;
}

int32_t CBaseBack::LoadBack(CBaseEpisod* episod, CBaseBack* owner) {
  ResetAttach(episod, owner);
  mSoundSequences.clear();
  return 1;
}

int32_t CBaseBack::AttachToEpisod(CBaseEpisod* episod, CBaseBack* owner) {
  ResetAttach(episod, owner);
  return 1;
}

int32_t CBaseBack::StartBack(uint32_t flags) {
  ResetVisit();
  mDebugFind = 0;
  if (gGamePanel) {
    mShade.mObject = HasOwner() ? gGamePanel->GetAlphaEkran4() : gGamePanel->GetAlphaEkran3();
    mDirka = gGamePanel->GetDirka();
    if (mDirka) {
      mDirka->SetPosition3D(zormath::Vec3f(0.0f, 250.0f, 0.0f));
      mDirka->SetRender2D(0);
    }
    mShade2.mObject = gGamePanel->GetAlphaEkran2();
  }
  mZoom.mScale = mZoom.mScaleFrom = mZoom.mScaleTo = 1.0f;
  mZoom.mState = 0;
  mZoom.mDrawOverlay = 1;
  SetFindItemsAlpha(1.0f);
  mFindItems.clear();
  mZoomRequests.clear();
  mCountdownTime = 0.0f;
  mCountdownState = 0;

  InitObjects();
  ResetAlphaFades();
  ResetAllZones();
  ApplySaveInfo();
  UpdateAllZones(1);
  ApplyObjectRender2D(1);
  mHintKey.clear();

  // A new visit: the ambient loops start over, no effect carries on.
  if (mAmbientSound) mAmbientSound->Start();
  if (mMusic) mMusic->Start();
  if (mSounds) mSounds->Start();

  if (flags & 4)
    for (SObjectEntry& entry : mEntries)
      if (entry.mFadeState == 0) entry.mFadeState = 2;
  if (flags & 1) {
    RunActionByName(L"a_back_start", 0, nullptr, kActionMaskAll);
    const std::wstring name = GetName();
    if (gCurrentPlayer.mEpisodInfo.HasBackCount2(name) &&
        RunActionByName(L"a_back_beg", 0, nullptr, kActionMaskAll) != 0)
      gCurrentPlayer.mEpisodInfo.DecrementBackCount2(name);
  }
  mHintBeamPending = 0;
  mMorphPending = 0;
  return 1;
}

void CBaseBack::QueueZoomRequest(const SZoomRequest& request) {
  mZoomRequests.push_back(request);
  PushMode(2, 0);
}

// ---- each mode's start and end -------------------------------------------------------
// A mode's end lowers exactly the counts its start raised, also when a
// drain pops a mode the moment it starts.

void CBaseBack::HandleStartEnd(int drain) {
  mTipRequest = 0;
  if (mModes.empty()) return;
  const int mode = mModes.front();
  auto raise = [&](bool pick) {
    ++mBusy;
    if (pick) ++mNoPick;
  };
  switch (mode) {
    case 1:
      raise(true);
      if (drain) {
        PopMode(drain);
      } else if (!mMiniGame) {
        PopMode(0);
      } else {
        mMiniGame->Start();
        if (gInputSystem) {
          gInputSystem->ClearStateButton(0, 1);
          gInputSystem->ClearStateButton(0, 4);
        }
        if (mMiniGame->PausesSceneSound()) PauseAmbientSounds();
      }
      break;
    case 2: {
      raise(true);
      if (drain) {
        PopMode(drain);
        break;
      }
      if (mZoomRequests.empty()) {
        PopMode(0);
        break;
      }
      const SZoomRequest& request = mZoomRequests.front();
      if (request.mCommand == L"start") {
        const int drawOverlay = request.mOverlayValue == 0 ? 1 : 0;
        const bool started =
            request.mObject.empty()
                ? StartZoom(request.mX, request.mY, request.mZ, request.mViewScale, request.mOverlayScale,
                            request.mSpeed, drawOverlay)
                : ZoomToObject(request.mObject, request.mViewScale, request.mOverlayScale, request.mSpeed,
                               drawOverlay);
        if (!started) PopMode(0);
      } else if (request.mCommand == L"end") {
        if (!EndZoom()) PopMode(0);
      }
      break;
    }
    case 3:
      raise(true);
      if (drain)
        PopMode(drain);
      else if (mTimedMessages.empty())
        PopMode(0);
      break;
    case 6:
      raise(true);
      if (drain)
        PopMode(drain);
      else if (!gGamePanel || mItemWindowNames.empty() || !gGamePanel->ShowPredmet(mItemWindowNames.front()))
        PopMode(0);
      break;
    case 7:
      raise(true);
      if (mPathRequests.empty())
        PopMode(drain);
      else
        StartFrontPathRequest();
      break;
    case 8:
      // Raised also when a drain pops it at once, since its end always
      // lowers it.
      raise(false);
      if (drain) PopMode(drain);
      break;
    case 9:
      raise(true);
      FadeInShade2();
      break;
    case 10:
      raise(true);
      FadeOutShade2();
      break;
    case 4:
    case 5:
    case 11:
      if (drain) PopMode(drain);
      break;
    default:
      break;
  }
}

void CBaseBack::CloseItemMenuAndMiniGame(int drain) {
  if (mModes.empty()) return;
  auto lower = [&](bool pick) {
    --mBusy;
    if (pick) --mNoPick;
  };
  switch (mModes.front()) {
    case 1:
      lower(true);
      if (!drain && mMiniGame) DoAction(L"close_mini_" + mMiniGame->GetName(), 0, nullptr, kActionMaskAll);
      break;
    case 2:
      lower(true);
      if (!mZoomRequests.empty()) {
        const std::wstring action = mZoomRequests.front().mAction;
        if (!action.empty()) DoAction(action, drain ? 2 : 0, nullptr, kActionMaskAll);
        if (!mZoomRequests.empty()) mZoomRequests.erase(mZoomRequests.begin());
      }
      break;
    case 3:
      lower(true);
      if (!mTimedMessages.empty()) mTimedMessages.erase(mTimedMessages.begin());
      break;
    case 6:
      lower(true);
      if (!mItemWindowNames.empty()) {
        const std::wstring item = mItemWindowNames.front();
        mItemWindowNames.erase(mItemWindowNames.begin());
        if (mEpisod) mEpisod->RunAction(L"a_close_pmenu_" + item, 0, nullptr, kActionMaskAll);
      }
      break;
    case 7:
      lower(true);
      if (drain) PathObjectToEnd(0);
      break;
    case 8:
      lower(false);
      break;
    case 9:
    case 10:
      lower(true);
      break;
    case 12:
      mHintKey.clear();
      break;
    default:
      break;
  }
}

int32_t CBaseBack::FinishPending() {
  PopMode(1);
  PathObjectToEnd(1);
  FlushDelayedActions();
  PopMode(1);
  return 0;
}

// ---- item window and mini-game frame ------------------------------------------------

void CBaseBack::UpdateItemMenu(float dt, rovovoz::CMouseCursor* cursor) {
  if (mModes.empty() || mModes.front() != 6) return;
  if (!gGamePanel) {
    PopMode(0);
    return;
  }
  const int result = gGamePanel->UpdatePredmetMenu(dt, cursor);
  if (result == -1) {
    // The item goes to the inventory through the chapter; a scene shown
    // outside a chapter has nobody to take it.
    if (mEpisod && !mItemWindowNames.empty()) mEpisod->AddPredmet(mItemWindowNames.front(), L"p_menu");
  } else if (result == -2) {
    PopMode(0);
  }
}

void CBaseBack::CloseMiniGameKeys(float dt, rovovoz::CMouseCursor* cursor) {
  if (mModes.empty() || mModes.front() != 1) return;
  if (!mMiniGame) {
    PopMode(0);
    return;
  }
  if (gInputSystem && gInputSystem->IsVKey(kVkEscape, 1)) gInputSystem->ClearStateKey(kScanEscape, 1);
  mMiniGame->Update(dt, cursor);
  if (!mMiniGame->IsComplete()) return;
  const std::wstring name = mMiniGame->GetName();
  if (mMiniGame->IsWon())
    EndMiniGame(name);
  else
    DoAction(L"close_mini_" + name, 0, nullptr, kActionMaskAll);
  if (mMiniGame) {
    if (mMiniGame->PausesSceneSound()) SoundCallA2();
    mMiniGame->UnLoad(3);
  }
  mMiniGame = nullptr;
  PopMode(0);
}

void CBaseBack::RenderMiniGame() {
  if (!mModes.empty() && mModes.front() == 1 && mMiniGame) mMiniGame->Render();
}

void CBaseBack::EndMiniGame(const std::wstring& name) { DoAction(L"end_mini_" + name, 0, nullptr, kActionMaskAll); }

bool CBaseBack::OnRegionEvent(const std::wstring&, const std::wstring&, std::vector<int32_t>& out, int value,
                              const std::wstring&) {
  out.push_back(value);
  return true;
}
