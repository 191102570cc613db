// The application's window: one instance at a time, the window procedure,
// activation and deactivation.
#include <SDL2/SDL.h>

#include "AppPaths.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "GameApp.h"
#include "GameLog.h"
#include "Platform/Paths.h"
#include "VideoSettings.h"

namespace {
const wchar_t* const kSource = L"Source/GameAppWindow";
}

int GameApp::InitWindow() {
  std::wstring title;
  if (mTextManager) title = mTextManager->GetText(L"window_app_name_CE");
  if (title.empty()) title = gWindowTitleFallback;

  // Another game already runs for this player folder: it raises its window
  // and this start ends quietly.
  const std::filesystem::path folder = Platform::ToPath(gUserDataPath);
  if (!mInstance.Acquire(folder)) {
    SingleInstance::Poke(folder);
    return 0;
  }

  mWindowSys->UpdateSizeDesktop(0);
  if (mWindowSys->Init(title, title, 101, gVideoSettings.Width, gVideoSettings.Height, gVideoSettings.FullScreen,
                       &GameApp::WndProc, nullptr) < 0) {
    gamelog::Error(kSource, __LINE__, L"Init window.");
    return 0;
  }
  mWindowSys->ShowCursor(0);
  gamelog::Info(kSource, __LINE__, L"Init window [OK].");
  return 1;
}

bool GameApp::ServeInstanceRequests() {
  if (!mInstance.TakeRaiseRequest()) return false;
  if (mWindowSys) BringToFront(mWindowSys->GetHWND(), 1);
  return true;
}

bool GameApp::PumpEvents() {
  int result = zuzorev::kPeekNothing;
  if (mWindowSys) {
    while ((result = mWindowSys->PeekMessageWindow()) == zuzorev::kPeekHandled) {
    }
  }
  ServeInstanceRequests();
  return result == zuzorev::kPeekQuit;
}

bool GameApp::BringToFront(zuzorev::WindowHandle window, int restore) {
  SDL_Window* sdl = window ? window->GetSDLWindow() : nullptr;
  if (!sdl) return false;
  const Uint32 flags = SDL_GetWindowFlags(sdl);
  if ((flags & SDL_WINDOW_MINIMIZED) && (flags & SDL_WINDOW_SHOWN)) {
    if (!restore) return true;
    SDL_RestoreWindow(sdl);
  }
  if (SDL_GetWindowFlags(sdl) & SDL_WINDOW_INPUT_FOCUS) return true;
  SDL_RaiseWindow(sdl);
  return (SDL_GetWindowFlags(sdl) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

intptr_t GameApp::WndProc(zuzorev::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  GameApp* app = gGameApp;
  if (app) {
    switch (message) {
      case zuzorev::WM_DESTROY:
        app->ReleaseNoWindow();
        break;
      case zuzorev::WM_SIZE:
        app->mMinimized = wParam == zuzorev::SIZE_MINIMIZED ? 1 : 0;
        app->Activate();
        return 0;
      case zuzorev::WM_CLOSE:
        if (gAppStarting) return 0;
        if (!gCloseAllowed) {
          Game::RequestExit();
          return 0;
        }
        break;
      case zuzorev::WM_SETTINGCHANGE:
        if (!app->IsActive()) {
          if (app->mWindowSys) app->mWindowSys->UpdateSizeDesktop(0);
          if (app->mRenderSys) app->mRenderSys->UpdateSizeDesktop();
          int width = 0, height = 0;
          app->ReadDesktopSize(width, height);
          app->SetDesktopSize(width, height);
        }
        return 0;
      case zuzorev::WM_ACTIVATEAPP:
        app->mActive = wParam != 0 ? 1 : 0;
        app->Activate();
        return 0;
      case zuzorev::WM_NCPAINT:
        if (!gAppStarting && !app->IsActive() && !gCloseAllowed) app->RenderGame(0.0f);
        return 0;
      default:
        break;
    }
  }
  return zuzorev::DefWindowProcW(window, message, wParam, lParam);
}

void GameApp::Activate() {
  const int active = IsActive();
  if (!gAppStarting && mInputSys) mInputSys->ClearAllState();
  if (active == mAppliedActive) return;
  mAppliedActive = active;
  if (gAppStarting) return;
  gamelog::Info(kSource, __LINE__, L"Activate. Active = %i", mActive);
  if (active)
    OnActivate();
  else
    OnDeactivate();
}

void GameApp::OnDeactivate() {
  if (mInputSys) mInputSys->ClearAllState();
  if (mSoundSys) mSoundSys->PauseAll();
  if (mVideoPlayer) mVideoPlayer->Frozen();
  if (mGame) mGame->Deactivate();
  // Leaving a full-screen window loses the device until the window is back.
  if (mRenderSys && mRenderSys->mFullScreen) mRenderSys->mDeviceLost = 1;
}

void GameApp::OnActivate() {
  if (mSoundSys) mSoundSys->ResumeAll();
  if (mVideoPlayer) mVideoPlayer->UnFrozen();
  CorrectDisplay();
  if (mInputSys) {
    mInputSys->ClearAllState();
    mInputSys->Update();
  }
  if (mGame) mGame->Activate();
}
