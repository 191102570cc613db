// The main loop: paced turns of input, update, drawing and display changes
// until the game or the window ends it.
#include <chrono>
#include <thread>

#include "AppPaths.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "FramePacer.h"
#include "Game.h"
#include "GameApp.h"
#include "GameLog.h"
#include "Ini.h"
#include "VideoSettings.h"

namespace {
const wchar_t* const kSource = L"Source/GameAppLoop";
constexpr float kMaxFrameTime = 0.05f;
constexpr int kInactiveSleepMs = 100;
std::function<void()> gTurnHook;
std::function<void(zuzorev::CRenderSystem&)> gFrameHook;
}  // namespace

void GameApp::SetTurnHookForTests(std::function<void()> hook) { gTurnHook = std::move(hook); }
void GameApp::SetFrameHookForTests(std::function<void(zuzorev::CRenderSystem&)> hook) { gFrameHook = std::move(hook); }

void GameApp::Run() {
  if (mGame && !mGame->Start()) {
    gamelog::Error(kSource, __LINE__, L"Start game.");
    return;
  }
  gamelog::Info(kSource, __LINE__, L"Start game [OK].");
  mGameStarted = true;
  if (mWindowSys && mWindowSys->BeginFrame() == zuzorev::kPeekQuit) {
    mFrameTimer.ZeroTimer();
    return;
  }
  for (;;) {
    ServeInstanceRequests();
    if (!IsActive()) {
      mFrameTimer.ZeroTimer();
      std::this_thread::sleep_for(std::chrono::milliseconds(kInactiveSleepMs));
    } else {
      gFramePacer.WaitFrame();
      float dt = mFrameTimer.GetElapsedTime();
      if (dt > kMaxFrameTime) dt = kMaxFrameTime;
      if (mInputSys) mInputSys->Update();
      if (mVideoPlayer) mVideoPlayer->Update(dt);
      // Sound fades and the end of sounds played once run on frame time.
      if (mSoundSys) mSoundSys->Update(dt);
      if (!UpdateGame(dt)) {
        CloseSequence();
        return;
      }
      gDisplayResult = 0;
      if (gDisplayRequest == kDisplayNone && !RenderGame(dt)) {
        CloseSequence();
        return;
      }
      bool close = false;
      CarryOutDisplayRequest(close);
      if (close) {
        CloseSequence();
        return;
      }
    }
    if (gTurnHook) gTurnHook();
    if (!mWindowSys || mWindowSys->BeginFrame() == zuzorev::kPeekQuit) {
      mFrameTimer.ZeroTimer();
      return;
    }
  }
}

void GameApp::CarryOutDisplayRequest(bool& close) {
  const int request = gDisplayRequest;
  if (request == kDisplayReInit || request == kDisplayRestore) {
    const bool ok = CarryOutReInitRequest(
        [this]() -> int32_t {
          if (!mWindowSys) return zuzorev::kFail;
          return mWindowSys->ReInit(gVideoSettingsNew.Width, gVideoSettingsNew.Height, gVideoSettingsNew.FullScreen,
                                    nullptr);
        },
        [this]() -> int32_t {
          if (!mRenderSys) return zuzorev::kFail;
          const int32_t result = mRenderSys->ReInit(mWindowSys->GetHWND(), gVideoSettingsNew, 1);
          if (result >= 0) rovovoz::CalculateInterfaceKoef(mGameCore);
          return result;
        });
    if (!ok) close = true;
  } else if (request == kDisplayWide) {
    gDisplayRequest = kDisplayNone;
    if (mRenderSys && mRenderSys->ReWide(gVideoSettingsNew) >= 0) {
      std::wstring path;
      Ini::SetInt(Ini::GetPath(path), L"Video", L"Wide", gVideoSettingsNew.Wide);
    } else {
      SaveVideoConfig();
    }
  }
}

// The loop ends by failure or by the exit state: from now on a close
// request destroys the window, which releases the engine.
void GameApp::CloseSequence() {
  if (gCloseAllowed) return;
  gCloseAllowed = 1;
  if (!mWindowSys) return;
  zuzorev::CWindowSystem* window = mWindowSys;
  window->SendMessageW(zuzorev::WM_CLOSE, 0, 0);
  window->PeekMessageWindow();
  while (window->ShowCursor(1) < 0) {
  }
}

int GameApp::UpdateGame(float dt) {
  if (!mGame) return 1;
  if (!mRenderSys || mRenderSys->IsDeviceLost()) return 1;
  if (mGame->Update(dt)) return 1;
  gamelog::Error(kSource, __LINE__, L"Update game.");
  return 0;
}

int GameApp::RenderGame(float) {
  if (!mRenderSys) return 1;
  const int32_t level = mRenderSys->TestCooperativeLevel();
  if (level >= 0) {
    if (mRenderSys->Clear() < 0) return 1;
    if (mRenderSys->Begin() < 0) return 1;
    if (mGame) {
      mGame->Render();
      mRenderSys->SetZEnable(0);
    }
    if (gFrameHook) gFrameHook(*mRenderSys);
    mRenderSys->End();
    return 1;
  }
  if (level != zuzorev::kDeviceNotReset) return 1;
  return CorrectTurnedDisplay(L"RenderFrame") == DisplayCorrection::NotTurned ? 0 : 1;
}
