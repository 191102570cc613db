// The close-up's attach to its parent scene, its opening zoom from the
// clicked point, its frame update with the result codes for the parent,
// the closing zoom back, its actions and its drawing.
#include "Regions/BaseRegion.h"

#include <cmath>

#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Interface/HintMenu.h"
#include "Interface/InterfaceHelpers.h"
#include "Levels/BaseBackLog.h"
#include "Levels/BaseLevel.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Random.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

namespace {

constexpr float kHalfPi = 1.5707964f;
// Phase speed of both zooms, radians per second.
constexpr float kPhaseSpeed = 3.0f;
// Where every close-up stands when open.
constexpr float kOpenX = 0.0f;
constexpr float kOpenZ = 50.0f;
constexpr uint32_t kDifficultyExpert = 2;
constexpr int kModeHint = 12;

void LogNullParent() {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"Source/Regions/BaseRegion", __LINE__,
                      L"Null parent back for region");
}

}  // namespace

CBaseRegion::CBaseRegion() = default;

CBaseRegion::~CBaseRegion() { CBaseRegion::Release(0); }

int32_t CBaseRegion::Release(uint32_t flags) {
  // The frame is shared by every close-up.
  mFrameForm = nullptr;
  mCloseButton = nullptr;
  return CBaseBack::Release(flags);
}

// ---- attach ----------------------------------------------------------------------------

int32_t CBaseRegion::LoadBack(CBaseEpisod* episod, CBaseBack* owner) {
  CBaseBack::LoadBack(episod, owner);
  mFrameForm = gRegionForm;
  if (!owner) {
    LogNullParent();
    return 0;
  }
  if (!mFrameForm) return 0;
  mCloseButton = mFrameForm->GetChild(L"B_Close");
  mZoneItemName.clear();
  mOpenParam1 = 1;
  mShowFrame = 1;
  mDrawOnTop = 0;
  return 1;
}

int32_t CBaseRegion::AttachToEpisod(CBaseEpisod* episod, CBaseBack* owner) {
  if (!CBaseBack::AttachToEpisod(episod, owner)) return 0;
  mFrameForm = gRegionForm;
  if (!owner) {
    LogNullParent();
    return 0;
  }
  return 1;
}

bool CBaseRegion::FindAction(const std::wstring& name, SLogicActionEntry*& entry) {
  if (!mOwner) return false;
  return gCurrentPlayer.mEpisodInfo.mActions.FindInRegionGroup(mOwner->GetName(), GetName(), name, entry);
}

// ---- opening ------------------------------------------------------------------------------

int32_t CBaseRegion::StartBack(uint32_t flags) {
  mParticlesA = nullptr;
  mOverlay = nullptr;
  if (gGamePanel) {
    mParticlesA = gGamePanel->GetRegionParticlesA();
    if (mParticlesA) mParticlesA->Clear();
    mOverlay = gGamePanel->GetRegionParticlesB();
    if (mOverlay) {
      mOverlay->Clear();
      mOverlay->SetWorldMatrix3D(zormath::Mat4f::Identity());
    }
  }
  mTransitionValue = 0.0f;
  mTransitionState = kOpenRequested;
  mPhase = 0.0f;
  mStartScale = 0.5f;
  mEndScale = 1.0f;
  SetHintMenu(gHintMenu2);
  if (gHintMenu2) gHintMenu2->CloseHint(1, 0.0f);

  const int32_t result = CBaseBack::StartBack(flags);

  mViewMatrix(0, 0) = 0.5f;
  mViewMatrix(2, 2) = 0.5f;
  mCloseRequest = 0;
  mViewMatrix(3, 2) = kOpenZ;
  if (mFrameForm) {
    mFrameForm->SetPositionZ3D(kOpenZ);
    mFrameForm->SetScale(0.5f, 0.5f, 1.0f);
  }
  SetAllObjectsAlpha(0.0f);
  ApplyViewToObjects();
  if (mCloseButton) mCloseButton->ClearState();
  if ((flags & 1) && mOwner) {
    SEpisodInfo& progress = gCurrentPlayer.mEpisodInfo;
    const std::wstring parent = mOwner->GetName();
    if (progress.IsNamedCountDone(parent, GetName())) progress.SetNamedCount(parent, GetName(), CountOpenWork());
  }
  OnRegionStarted();
  if (flags == 1) ui::PlaySound(mCore, L"Otkrytie_okna");
  return result;
}

int32_t CBaseRegion::CountOpenWork() { return UpdateMouseList() + UpdatePushList() + UpdateHogList(); }

void CBaseRegion::PlaceTransition(float k, float s, float x, float z) {
  mTransitionValue = k;
  // A close-up without its frame is never attached; the guard keeps a
  // stray one from touching a missing form.
  if (mFrameForm) {
    mFrameForm->SetAlpha(k);
    mFrameForm->SetScale(s, s, 1.0f);
    mFrameForm->SetPositionZ3D(z);
    mFrameForm->SetPositionX3D(x);
  }
  mViewMatrix(0, 0) = s;
  mViewMatrix(2, 2) = s;
  mViewMatrix(3, 0) = x;
  mViewMatrix(3, 2) = z;
  SetAllObjectsAlpha(k);
}

// ---- frame update ---------------------------------------------------------------------------

int32_t CBaseRegion::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mTransitionState == kClosing) return 0;
  if (mTransitionState == kOpenRequested) {
    zormath::Vec3f screen(0.0f, 0.0f, 0.0f);
    if (cursor) cursor->GetPosition(screen, 1);
    zormath::Vec3f world = screen;
    if (gCamera) gCamera->OrthoScreenToWorld(world, screen, 1);
    mOpeningPoint = world;
    if (mFrameForm) {
      mFrameForm->SetPositionZ3D(world.z);
      mFrameForm->SetPositionX3D(world.x);
    }
    mViewMatrix(3, 0) = world.x;
    mViewMatrix(3, 2) = world.z;
    mTransitionState = kOpening;
  }
  if (mTransitionState == kOpening) {
    mPhase += dt * kPhaseSpeed;
    float k;
    if (mPhase > kHalfPi) {
      mTransitionState = kOpen;
      mPhase = kHalfPi;
      k = 1.0f;
    } else {
      k = std::sin(mPhase);
    }
    const float s = mStartScale * (1.0f - k) + mEndScale * k;
    PlaceTransition(k, s, mOpeningPoint.x * (1.0f - k) + kOpenX * k, mOpeningPoint.z * (1.0f - k) + kOpenZ * k);
    ApplyViewToObjects();
    UpdateObjects(dt);
    UpdateSoundSequence(dt);
    UpdateMusic(dt);
    UpdateSounds(dt);
    return 0;
  }

  // Open.
  if (!mModes.empty() && mModes.front() == kModeMiniGame && mMiniGame && mMiniGame->IsActive()) {
    CloseMiniGameKeys(dt, cursor);
    ProcessDebugKeys();
    return 0;
  }
  if (mCloseRequest) return mCloseRequest;
  const bool shadeFading = mShade.mState == 1 || mShade.mState == -1;
  if (mModes.empty() && mDelayedActions.empty() && mAlphaFades.empty() && !shadeFading && mOwner &&
      gCurrentPlayer.mEpisodInfo.IsNamedCountDone(mOwner->GetName(), GetName()) && CountOpenWork() == 0)
    return 3;
  uint32_t event = 0;
  if (mCloseButton && mShowFrame && gGamePanel && !gGamePanel->IsMouseOverPanel(cursor)) {
    mCloseButton->Update(dt, cursor);
    event = mCloseButton->GetEvent();
    const bool pressed = (event & rovovoz::kGuiEventClick) != 0;
    if (mModes.empty() && pressed && mDelayedActions.empty()) return 1;
    if (gHintMenu2 && !mModes.empty() && mModes.front() == kModeHint &&
        gHintMenu2->GetCurrentName() == L"HintKrestik" && pressed) {
      OnHintClosed(L"HintKrestik");
      gHintMenu2->CloseHint(1, 0.0f);
      return 1;
    }
  }
  if (mOverlay) mOverlay->Update(dt, nullptr);
  UpdateDelayedActions(dt);
  UpdateEntries(dt, cursor, static_cast<int>(event & 1));
  UpdateOverlayObject(dt);
  UpdateAlphaFades(dt, 1.0f);
  UpdatePathObjects(dt);
  UpdateZoom(dt, 0);
  UpdateRegionLogic(dt, cursor);
  CloseMiniGameKeys(dt, cursor);
  UpdateItemMenu(dt, cursor);
  UpdateTimedMessages(dt);
  UpdateShade(dt);
  UpdateShade2(dt);
  UpdateCountdown(dt);
  UpdateObjectEffects(dt);
  UpdateSoundSequence(dt);
  UpdateMusic(dt);
  UpdateSounds(dt);
  ProcessDebugKeys();
  UpdateHintMenu(dt, cursor);
  return 0;
}

void CBaseRegion::UpdateRegionLogic(float dt, rovovoz::CMouseCursor*) {
  if (mOverlay) mOverlay->Update(dt, nullptr);
}

// ---- closing -------------------------------------------------------------------------------

int32_t CBaseRegion::Close(float delay) {
  if (mTransitionState != kOpen) return 0;
  mTransitionValue = 1.0f;
  mTransitionState = kClosing;
  mPhase = -delay * kPhaseSpeed;
  mStartScale = 1.0f;
  mEndScale = 0.3f;
  ui::PlaySound(mCore, L"Zakrytie_okna");
  if (gGamePanel && gGamePanel->HasCursorObject()) gGamePanel->DropCursorObject(1);
  RunActionByName(L"close_region", 0, nullptr, kActionMaskAll);
  return 1;
}

bool CBaseRegion::UpdateZoomTransition(float dt, rovovoz::CMouseCursor* cursor) {
  if (mTransitionState != kClosing) return mTransitionState != kOpen;
  mPhase += dt * kPhaseSpeed;
  if (mPhase < 0.0f) {
    // The pause before the zoom back: the close-up stays as it is.
    UpdateAlphaFades(dt, 1.0f);
  } else {
    float v;
    if (mPhase > kHalfPi) {
      mTransitionState = kOpen;
      mPhase = kHalfPi;
      v = 1.0f;
    } else {
      v = std::sin(mPhase);
    }
    const float k = 1.0f - v;
    const float s = mStartScale * (1.0f - v) + mEndScale * v;
    PlaceTransition(k, s, kOpenX * (1.0f - v) + mOpeningPoint.x * v, kOpenZ * (1.0f - v) + mOpeningPoint.z * v);
    UpdateAlphaFades(dt, k);
  }
  ApplyViewToObjects();
  UpdateObjects(dt);
  UpdateOverlayObject(dt);
  UpdateRegionLogic(dt, cursor);
  UpdateObjectEffects(dt);
  if (mHintMenu) mHintMenu->Update(dt, cursor);
  return mTransitionState != kOpen;
}

// ---- actions, queries ---------------------------------------------------------------------

int32_t CBaseRegion::ExecuteAction(SLogicAction& record, int mode, int randomize) {
  if (mode != kActionModeNormal) return CBaseBack::ExecuteAction(record, mode, randomize);
  if (randomize) record.Countdown = record.time + Platform::RandomFloat() * record.time2;
  if (record.Countdown > 0.0f) {
    mDelayedActions.push_back(record);
    return 1;
  }
  if (record.Operation == levelcodes::kOperationClose && record.Type == levelcodes::kTargetRegion && !mCloseRequest)
    mCloseRequest = record.par_i1 != 0 ? record.par_i1 : 1;
  return CBaseBack::ExecuteAction(record, 0, randomize);
}

bool CBaseRegion::IsMiniGameActive() const {
  return !mModes.empty() && mModes.front() == kModeMiniGame && mMiniGame && mMiniGame->IsActive();
}

bool CBaseRegion::IsInputEnabled() const {
  if (mTransitionState != kOpen) return false;
  return CBaseBack::IsInputEnabled();
}

void CBaseRegion::UpdateBackSounds(float dt) {
  UpdateSoundSequence(dt);
  UpdateMusic(dt);
}

// ---- developer words -------------------------------------------------------------------

int32_t CBaseRegion::OnDebugCommand(const std::wstring& command) {
  if (!Platform::EqualsNoCase(command, L"win") || mModes.empty() || mModes.front() != kModeMiniGame)
    return CBaseBack::OnDebugCommand(command);
  return WinFrameMiniGame(*this, mMiniGame);
}

int32_t CBaseRegion::HandleWordCommand(const std::vector<std::wstring>& words) {
  if (words.empty()) return CBaseBack::HandleWordCommand(words);
  if (Platform::EqualsNoCase(words[0], L"win")) return OnDebugCommand(words[0]);
  if (!Platform::EqualsNoCase(words[0], L"form")) return CBaseBack::HandleWordCommand(words);
  // The framework reads the close-up's own form file again (and names a
  // file that fails); the close-up puts it where it stands when open.
  CBaseBack::HandleWordCommand(words);
  if (mForm) {
    mForm->SetPositionZ3D(kOpenZ);
    mForm->SetPositionX3D(kOpenX);
  }
  return 1;
}

// ---- drawing -----------------------------------------------------------------------------

void CBaseRegion::RenderBody() {
  RenderObjects(0);
  if (mOverlay && gCurrentPlayer.mDifficulty != kDifficultyExpert) mOverlay->Render();
  if (mFrameForm && mShowFrame) mFrameForm->Render();
  if (mHintBeamPending && gGamePanel) mHintBeamPending = gGamePanel->RenderHintBeam(mViewMatrix);
  RenderShade();
  RenderZoom();
}

int32_t CBaseRegion::Render() {
  if (IsMiniGameActive()) {
    RenderMiniGame();
    return 0;
  }
  if (!mDrawOnTop) RenderBody();
  return 0;
}

void CBaseRegion::RenderTop() {
  if (mDrawOnTop) RenderBody();
  RenderObjects(1);
  RenderModeOverlay();
  RenderHintMenu();
  RenderMiniGame();
  RenderShade2();
}
