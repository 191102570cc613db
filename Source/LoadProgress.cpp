#include "LoadProgress.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "GameLog.h"
#include "GameState.h"
#include "LoadScreenHost.h"
#include "Logo.h"
#include "ProgressTracker.h"

namespace {

const wchar_t* const kSource = L"Source/LoadProgress";
const wchar_t* const kModelFile = L"LHT60_MM.ZORM";
const wchar_t* const kObjectNames[LoadProgress::kObjectCount] = {
    L"S_nebo",        L"S_neboVerh", L"S_logoCE", L"S_loader_podlojka", L"Alpha_loader_shkala", L"S_loader_shkala",
    L"S_loader_decor"};

void SleepBetweenTries() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

}  // namespace

LoadProgress* gLoadProgress = nullptr;
LoadProgress::RetrySleep LoadProgress::sRetrySleep = &SleepBetweenTries;

void LoadProgress::SetRetrySleepForTests(RetrySleep sleep) { sRetrySleep = sleep ? sleep : &SleepBetweenTries; }

LoadProgress::LoadProgress() = default;

LoadProgress::~LoadProgress() { Release(); }

void LoadProgress::SetLogo(Logo* logo) { mLogo.reset(logo); }

rovovoz::CStaticObject3D* LoadProgress::GetObject(int index) const {
  return index >= 0 && index < kObjectCount ? mObjects[index].model : nullptr;
}

int LoadProgress::Load(rovovoz::CGameCore* core, LoadScreenHost* host) {
  mHost = host;
  mTracker = std::make_unique<ProgressTracker>();
  mTracker->Load();
  mProgress = 0.0f;
  mDone = 0;
  mCore = core;
  mRender = core ? core->GetRender() : nullptr;
  mInput = core ? core->GetInput() : nullptr;
  mTimer.ZeroTimer();
  for (int i = 0; i < kObjectCount; ++i) {
    SObject& object = mObjects[i];
    if (object.model) {
      object.model->Release(1);
      delete object.model;
    }
    object.loaded = 0;
    object.model = new rovovoz::CStaticObject3D(core);
    if (object.model->LoadModel(kModelFile, kObjectNames[i], 0x0B, 0) == 0) {
      gamelog::Error(kSource, __LINE__, L"Load objects load progress. Object = %s", kObjectNames[i]);
      return 0;
    }
    zormath::Vec3f position = object.model->GetPosition3D();
    position.z -= 895.0f;
    object.model->SetPosition3D(position);
    object.loaded = 1;
  }
  mTimer.ZeroTimer();
  return 1;
}

void LoadProgress::PumpAndRecoverDisplay() {
  for (int tries = 1;; ++tries) {
    if (!mHost || mHost->PumpEvents() || !mRender) return;
    if (mRender->TestCooperativeLevel() != zuzorev::kDeviceNotReset) return;
    if (mHost->CorrectTurnedDisplay(L"LoadProgres") != LoadScreenHost::DisplayCorrection::Failed) return;
    // The load goes on without the display after a while, or at once when
    // the player asked to leave.
    if (tries >= kMaxDisplayRecoveryTries || gExitRequest != kExitNone) {
      gamelog::Warning(kSource, __LINE__, L"LoadProgres. Display not corrected after %i tries", tries);
      return;
    }
    sRetrySleep();
  }
}

int LoadProgress::Tick(int insideFrame) {
  ++mTickCount;
  if (gMouseCursor) {
    gMouseCursor->SetWindowsCursor(1);
    gMouseCursor->SetCursor(L"cur_def", 0);
    gMouseCursor->SetVisible(1);
    gMouseCursor->UpdatePosition();
  }
  if (insideFrame == 0) PumpAndRecoverDisplay();

  float dt = mTimer.GetElapsedTime();
  if (dt > 0.1f) dt = 0.1f;
  if (mTracker) mProgress = mTracker->AddPoint();
  if (mProgress < 0.0f) return 1;  // too soon after the last tick shown
  if (mProgress > 100.0f) mProgress = 100.0f;

  float step = dt;
  if (mRender && mRender->IsDeviceLost())
    step = 0.0f;
  else
    Game::SetupCameraTransform();

  if (mLogo) {
    if (mLogo->Update(step, insideFrame == 0 ? 1 : 0)) {
      mLogo->Render(insideFrame);
      return 1;
    }
  }
  if (!mLogoFinished) {
    // Without a logo (it may have failed to load) the loading picture
    // follows at once, as after a logo that has just ended.
    mLogoFinished = 1;
    mProgressAtLogoEnd = mProgress;
    return 0;
  }

  if (mMenuMusicRequest) {
    mMenuMusicRequest = 0;
    if (rovovoz::CGameSoundSystem* sound = mCore ? mCore->GetSound() : nullptr) sound->Play(L"Music_Menu", 0.0f, 0);
  }

  if (SObject& bar = mObjects[kBarObject]; bar.loaded && bar.model) {
    const float p0 = mProgressAtLogoEnd;
    float k = 0.0f;
    if (p0 < 99.99f) k = std::clamp(1.0f - (mProgress - p0) / (100.0f - p0), 0.0f, 1.0f);
    bar.model->SetScaleX(k);
  }
  if (mProgress >= 100.0f) mDone = 1;

  if (mRender) mRender->SetTransformIdentity();
  if (gMouseCursor) gMouseCursor->Update(dt);
  if (mRender) {
    if (insideFrame == 0) {
      if (mRender->TestCooperativeLevel() >= 0 && mRender->Clear() >= 0 && mRender->Begin() >= 0) {
        DrawObjects(0);
        if (mHost) mHost->DrawFrameOverlay();
        mRender->End();
      }
    } else {
      DrawObjects(1);
    }
  }
  return mDone ? 0 : 1;
}

void LoadProgress::DrawObjects(int insideFrame) {
  // Between files the bar is cut to its scale; inside the game's frame the
  // upper sky is.
  const int truncated = insideFrame ? 1 : kBarObject;
  mRender->SetZEnable(1);
  for (int i = 0; i < kObjectCount; ++i) {
    if (!mObjects[i].loaded || !mObjects[i].model) continue;
    if (i == truncated)
      mObjects[i].model->RenderTruncateTexture();
    else
      mObjects[i].model->Render();
  }
  mRender->SetZEnable(0);
}

int LoadProgress::GetState() const {
  if (mProgress >= 100.0f && mProgressAtLogoEnd >= 100.0f) return 2;
  if (mProgress < 100.0f) return 0;
  return mLogoFinished ? 1 : 0;
}

void LoadProgress::UpdateLogo() {
  if (mLogo) mLogo->Update(0.0f, 0);
}

void LoadProgress::SaveProgress() {
  if (mTracker) {
    mTracker->Save();
    mTracker.reset();
  }
  mProgress = 101.0f;
}

int LoadProgress::Release() {
  mHost = nullptr;
  mRender = nullptr;
  mInput = nullptr;
  for (SObject& object : mObjects) {
    if (object.model) {
      object.model->Release(1);
      delete object.model;
    }
    object.model = nullptr;
    object.loaded = 0;
  }
  mLogo.reset();
  return 1;
}
