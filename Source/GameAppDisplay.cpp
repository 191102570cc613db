// Display modes: the "Video" settings, the choice of the start mode, and the
// display correction after activation or a turned desktop.
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "GameApp.h"
#include "GameLog.h"
#include "Ini.h"
#include "Platform/ProfileFile.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "VideoSettings.h"

namespace {

const wchar_t* const kSource = L"Source/GameAppDisplay";

std::wstring IniPath() {
  std::wstring path;
  return Ini::GetPath(path);
}

}  // namespace

void GameApp::ReadVideoConfig() {
  const std::wstring path = IniPath();
  // Lines the settings reads pass over leave their values at the defaults:
  // said once, when the settings are first read.
  if (const int unread = Platform::CountProfileLinesNotRead(path); unread > 0 && !mVideoConfigRead)
    gamelog::Warning(kSource, __LINE__, L"Settings file %s: %i lines not read; their settings keep the defaults.",
                     path.c_str(), unread);
  ReadVideoSettings(path, gVideoSettings);
  mVideoConfigRead = true;
}

void GameApp::SaveVideoConfig() {
  if (!mVideoConfigRead) return;
  WriteVideoSettings(IniPath(), gVideoSettings);
}

int GameApp::SelectBestMode() { return ChooseDisplayMode(gDisplayModes, gVideoSettings, gDisplayModeIndex) ? 1 : 0; }

int GameApp::FindStartMode() {
  zuzorev::SFindModeParams params;
  params.Windowed = 1;
  params.AnyRate = 1;
  params.Format = zuzorev::kFormatX8R8G8B8;
  params.PushFormat(zuzorev::kFormatX8R8G8B8);
  params.ColorDepth = 32;
  params.MinWidth = 800;
  params.MinHeight = 600;
  params.SortModes = 1;
  params.FullScreen = gVideoSettings.FullScreen;
  if (!mRenderSys || mRenderSys->FindMode(params, gDisplayModes) < 0) {
    gamelog::Error(kSource, __LINE__, L"Find mode.");
    return 0;
  }
  gamelog::Info(kSource, __LINE__, L"FindMode. OK.");
  if (!SelectBestMode()) {
    gamelog::Error(kSource, __LINE__, L"Find best mode 1024 x 768.");
    gVideoSettings.Width = 800;
    gVideoSettings.Height = 600;
    if (!SelectBestMode()) {
      gamelog::Error(kSource, __LINE__, L"Find best mode 800 x 600.");
      return 0;
    }
    const std::wstring path = IniPath();
    Ini::SetInt(path, L"Video", L"Width", 800);
    Ini::SetInt(path, L"Video", L"Height", 600);
  }
  gamelog::Info(kSource, __LINE__, L"FindBestMode. OK.");
  return 1;
}

LoadScreenHost::DisplayCorrection GameApp::CorrectTurnedDisplay(const wchar_t* caller) {
  int width = 0, height = 0;
  ReadDesktopSize(width, height);
  gamelog::Info(kSource, __LINE__, L"%s. w = %i h = %i wb = %i hb = %i", caller, width, height, mDesktopWidth,
                mDesktopHeight);
  const bool turned = (width < height && mDesktopWidth > mDesktopHeight) ||
                      (width > height && mDesktopWidth < mDesktopHeight);
  if (!turned) return DisplayCorrection::NotTurned;
  gamelog::Info(kSource, __LINE__, L"%s. Correct display", caller);
  SetDesktopSize(mDesktopHeight, mDesktopWidth);
  if (mWindowSys) mWindowSys->UpdateSizeDesktop(1);
  if (CorrectDisplay()) return DisplayCorrection::Corrected;
  SetDesktopSize(mDesktopHeight, mDesktopWidth);
  if (mWindowSys) mWindowSys->UpdateSizeDesktop(1);
  return DisplayCorrection::Failed;
}

void GameApp::DrawFrameOverlay() {
  if (gWideBack) gWideBack->Render();
}

int GameApp::CorrectDisplay() {
  gamelog::Info(kSource, __LINE__, L"Begin Correct Display setings");
  gamelog::Info(kSource, __LINE__, L"Beginn correct. w = %i h = %i", mDesktopWidth, mDesktopHeight);
  if (!mRenderSys) return 1;

  bool full = false;
  if (mRenderSys->IsFullScreen()) {
    const int w = mRenderSys->GetBackBufferWidth(), h = mRenderSys->GetBackBufferHeight();
    const bool desktopWide = mDesktopWidth > mDesktopHeight;
    full = (desktopWide && w < h) || (!desktopWide && w > h);
  } else {
    const auto& modes = gDisplayModes.Modes;
    // A mode index outside the list cannot be looked at: nothing to correct.
    if (gDisplayModeIndex >= 0 && static_cast<size_t>(gDisplayModeIndex) < modes.size() && mWindowSys) {
      const zuzorev::SDisplayMode& mode = modes[static_cast<size_t>(gDisplayModeIndex)];
      full = mWindowSys->IsModeFullScreen(mode.Width, mode.Height) != 0;
    }
  }

  if (full) {
    gamelog::Info(kSource, __LINE__, L"Correct Display setings all");
    if (!mWindowSys ||
        mWindowSys->ReInit(gVideoSettings.Width, gVideoSettings.Height, gVideoSettings.FullScreen, nullptr) < 0) {
      gamelog::Error(kSource, __LINE__, L"Pause. mWindowSys ReInit.");
      return 0;
    }
    if (mRenderSys->ReInit(mWindowSys->GetHWND(), gVideoSettings, 1) < 0) {
      gamelog::Error(kSource, __LINE__, L"Pause. mRenderSys ReInit.");
      return 0;
    }
    rovovoz::CalculateInterfaceKoef(mGameCore);
    SaveVideoConfig();
    if (mGame) {
      mGame->ReInitLogic();
      Game::SetupCameraTransform();
      gCurrentPlayer.mHeight = static_cast<uint32_t>(gVideoSettings.Height);
      gCurrentPlayer.mWidth = static_cast<uint32_t>(gVideoSettings.Width);
      gCurrentPlayer.mFullScreen = static_cast<uint32_t>(gVideoSettings.FullScreen);
      gCurrentPlayer.mWide = static_cast<uint32_t>(gVideoSettings.Wide);
      if (gPlayerList) gPlayerList->SavePlayer(gCurrentPlayer);
      SaveVideoConfig();
    }
    gamelog::Info(kSource, __LINE__, L"End Correct Display setings");
    return 1;
  }

  if (gVideoSettings.Wide != 0) {
    gamelog::Info(kSource, __LINE__, L"Correct Display wide");
    if (mRenderSys->ReWide(gVideoSettings) >= 0 && !mRenderSys->IsWideMode()) gVideoSettings.Wide = 0;
    Ini::SetInt(IniPath(), L"Video", L"Wide", gVideoSettings.Wide);
  }
  gamelog::Info(kSource, __LINE__, L"End Correct Display setings");
  return 1;
}
