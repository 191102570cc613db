// The application object: construction, engine start-up in its fixed
// order, and the release paths.
#include "GameApp.h"

#include "AppConfig.h"
#include "AppPaths.h"
#include "Engine/rovovoz/Core.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "FramePacer.h"
#include "Game.h"
#include "GameLog.h"
#include "LoadProgress.h"
#include "Platform/Paths.h"
#include "Logo.h"
#include "VideoSettings.h"

namespace {
const wchar_t* const kSource = L"Source/GameApp";
}

GameApp* gGameApp = nullptr;
int gDesktopWidth = 0;
int gDesktopHeight = 0;
rovovoz::CStaticObject3D* gWideBack = nullptr;
int gAppStarting = 0;
int gCloseAllowed = 0;
std::wstring gWindowTitleFallback;

GameApp::GameApp() {
  gamelog::Info(kSource, __LINE__, L"GameApp Constructor");
  mGame = new Game();
  gamelog::Info(kSource, __LINE__, L"New Game Ok.");
  mGameCore = new rovovoz::CGameCore();
  gamelog::Info(kSource, __LINE__, L"New Core Ok.");
  mActive = 1;
  mMinimized = 0;
  mAppliedActive = 1;
  mWindowSys = mGameCore->GetWindow();
  int width = 0, height = 0;
  ReadDesktopSize(width, height);
  mWindowSys = nullptr;
  SetDesktopSize(width, height);
  gFramePacer.SetRate(60);
}

GameApp::~GameApp() {
  Release();
  gFramePacer.Stop();
}

void GameApp::SetDesktopSize(int width, int height) {
  mDesktopWidth = gDesktopWidth = width;
  mDesktopHeight = gDesktopHeight = height;
}

void GameApp::ReadDesktopSize(int& width, int& height) const {
  zuzorev::CWindowSystem* window = mWindowSys ? mWindowSys : (mGameCore ? mGameCore->GetWindow() : nullptr);
  width = height = 0;
  if (!window) return;
  window->UpdateSizeDesktop(0);
  width = window->GetDesktopWidth();
  height = window->GetDesktopHeight();
}

int GameApp::Init(const std::wstring& iniFileName) {
  gamelog::Info(kSource, __LINE__, L"Init. Beg");
  mWindowSys = mGameCore->GetWindow();
  mInputSys = mGameCore->GetInput();
  mRenderSys = mGameCore->GetRender();
  mSoundSys = mGameCore->GetSound();
  mTextManager = mGameCore->GetTextManager();
  mFileSystem = mGameCore->GetFileSystem();
  mVideoPlayer = mGameCore->GetVideoPlayer();

  if (mFileSystem && !gInstallPath.empty()) mFileSystem->SetInstallFolder(Platform::ToPath(gInstallPath));
  if (!gAppConfig.ApplyToFileSystem(mFileSystem)) {
    gamelog::Error(kSource, __LINE__, L"Init FileSystem from ConfigApp.");
    return 0;
  }
  gIniFileName = iniFileName;

  gamelog::Info(kSource, __LINE__, L"Read info for ini. Beg");
  ReadVideoConfig();
  gamelog::Info(kSource, __LINE__, L"Read info for ini. OK.");
  if (!FindStartMode()) return 0;

  if (!InitTextManager() || !InitWindow() || !InitRender() || !InitInput() || !InitSound() || !InitVideo()) return 0;
  gamelog::Info(kSource, __LINE__, L"Init all global. OK.");
  mRenderSys->SetZEnable(0);

  delete mLogo;
  mLogo = new Logo(gAppConfig.mLogoTimePlus, gAppConfig.mLogoTimeVisible, gAppConfig.mLogoTimeMinus,
                   gAppConfig.mLogoSkip);
  if (!mLogo->Load(L"DataLoc\\Logo", mRenderSys, mInputSys)) {
    delete mLogo;
    mLogo = nullptr;
  }
  gamelog::Info(kSource, __LINE__, L"Init. OK.");

  delete gLoadProgress;
  gLoadProgress = new LoadProgress();
  if (!gLoadProgress->Load(mGameCore, this)) {
    gamelog::Error(kSource, __LINE__, L"Init load progress");
    return 0;
  }
  gLoadProgress->SetLogo(mLogo);
  mLogo = nullptr;
  gamelog::Info(kSource, __LINE__, L"Init Load Progress. OK.");
  gDisplayRequest = kDisplayNone;
  return 1;
}

int GameApp::InitTextManager() {
  if (!mTextManager) return 1;
  mTextManager->Release();
  if (!gAppConfig.LoadTexts(mTextManager)) {
    gamelog::Error(kSource, __LINE__, L"Init TextManager from ConfigApp");
    return 0;
  }
  return 1;
}

int GameApp::InitRender() {
  if (mRenderSys->Init(mWindowSys->GetHWND(), gVideoSettings) < 0) {
    gamelog::Error(kSource, __LINE__, L"Init render.");
    return 0;
  }
  SaveVideoConfig();
  mRenderSys->GetVertexBufferManager()->SetSaveDirectory(gUserDataPath);
  mRenderSys->GetTextureManager()->SetSaveDirectory(gUserDataPath);
  if (mRenderSys->GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1) < 0) {
    gamelog::Error(kSource, __LINE__, L"Init render setings.");
    return 0;
  }
  rovovoz::CalculateInterfaceKoef(mGameCore);
  if (!gAppConfig.ApplyRenderSettings(mRenderSys)) {
    gamelog::Error(kSource, __LINE__, L"Init RenderSystem from ConfigApp");
    return 0;
  }
  mRenderSys->AddInfoBuffer(0, zuzorev::kFvfXyzDiffuseTex1, 1048576, 1);
  mRenderSys->AddInfoBuffer(0, zuzorev::kFvfXyzTex1, 262160, 1);
  mRenderSys->AddInfoBuffer(0, zuzorev::kFvfXyzNormal, 1048576, 1);
  mRenderSys->AddInfoBuffer(0, zuzorev::kFvfTex1, 640000, 1);

  delete gWideBack;
  gWideBack = new rovovoz::CStaticObject3D(mGameCore);
  if (gWideBack->LoadModel(L"obrezka_screen.zorm", static_cast<const wchar_t*>(nullptr), 15, 0) <= 0) {
    gamelog::Error(kSource, __LINE__, L"Load Wide Back model.");
    delete gWideBack;
    gWideBack = nullptr;
  } else {
    gWideBack->SetPosition3D(0.0f, 490.0f, 0.0f);
  }
  gamelog::Info(kSource, __LINE__, L"Init render [OK].");
  return 1;
}

int GameApp::InitInput() {
  if (mInputSys->Init(mWindowSys->GetHWND()) < 0) {
    gamelog::Error(kSource, __LINE__, L"Init input.");
    return 0;
  }
  if (mInputSys->Acquire() < 0) {
    gamelog::Error(kSource, __LINE__, L"Acquire input.");
    return 0;
  }
  gamelog::Info(kSource, __LINE__, L"Init input [OK].");
  return 1;
}

int GameApp::InitSound() {
  if (mSoundSys) {
    if (mSoundSys->Init(4) == 0) gamelog::Error(kSource, __LINE__, L"Init sound.");
    for (int type = 0; type < rovovoz::kSoundTypeCount; ++type) mSoundSys->SetTypeVolume(type, 1.0f);
  }
  gamelog::Info(kSource, __LINE__, L"Init sound [OK].");
  return 1;
}

int GameApp::InitVideo() {
  if (mVideoPlayer) mVideoPlayer->Init(mGameCore->GetCore() ? mGameCore->GetCore()->GetSound() : nullptr);
  gamelog::Info(kSource, __LINE__, L"Init video [OK].");
  return 1;
}

int GameApp::InitGame() {
  if (mInputSys) mInputSys->Update();
  if (!mGame) mGame = new Game();
  if (!mGame->Init(mGameCore)) {
    gamelog::Error(kSource, __LINE__, L"Init game.");
    return 0;
  }
  gamelog::Info(kSource, __LINE__, L"Game init [OK].");
  mFrameTimer.ZeroTimer();
  return 1;
}

void GameApp::ReleaseGame() {
  if (!mGame) return;
  gamelog::Info(kSource, __LINE__, L"Game Release Beg.");
  mGame->Release();
  gamelog::Info(kSource, __LINE__, L"Game Release OK.");
}

// Both release paths store the video settings and drop the loading screen
// before the engine systems go.
void GameApp::SaveConfigAndReleaseLoadProgress() {
  SaveVideoConfig();
  gamelog::Info(kSource, __LINE__, L"SetConfig OK.");
  if (mInputSys) mInputSys->UnAcquire();
  if (gLoadProgress) {
    gLoadProgress->Release();
    delete gLoadProgress;
    gLoadProgress = nullptr;
  }
  gamelog::Info(kSource, __LINE__, L"LoadProgress Release OK.");
}

void GameApp::ReleaseNoWindow() {
  gamelog::Info(kSource, __LINE__, L"Release No Window Beg.");
  if (!mWindowSys || !mWindowSys->IsDelete()) return;
  if (mGame) {
    mGame->Release();
    delete mGame;
    mGame = nullptr;
  }
  gamelog::Info(kSource, __LINE__, L"Game Release OK.");
  delete gWideBack;
  gWideBack = nullptr;
  SaveConfigAndReleaseLoadProgress();
  if (mInputSys) mInputSys->Release();
  mInputSys = nullptr;
  if (mRenderSys) mRenderSys->AddLogInfoForBuffers();
  gamelog::Info(kSource, __LINE__, L"InputSys Release OK.");
  if (mRenderSys) mRenderSys->Release();
  mRenderSys = nullptr;
  gamelog::Info(kSource, __LINE__, L"RenderSys Release OK.");
  if (mSoundSys) mSoundSys->Release();
  mSoundSys = nullptr;
  gamelog::Info(kSource, __LINE__, L"SoundSys Release OK.");
  mWindowSys->DestroyWnd();
  gamelog::Info(kSource, __LINE__, L"WindowSys Release OK.");
  if (mTextManager) mTextManager->Release();
  mTextManager = nullptr;
  gamelog::Info(kSource, __LINE__, L"TextManager Release OK.");
  if (mFileSystem) mFileSystem->Release();
  mFileSystem = nullptr;
  gamelog::Info(kSource, __LINE__, L"FileSystem Release OK.");
}

void GameApp::Release() {
  gamelog::Info(kSource, __LINE__, L"App Release Beg.");
  delete mGame;
  mGame = nullptr;
  gamelog::Info(kSource, __LINE__, L"Game Release OK.");
  delete mLogo;
  mLogo = nullptr;
  SaveConfigAndReleaseLoadProgress();
  delete gWideBack;
  gWideBack = nullptr;
  gamelog::Info(kSource, __LINE__, L"WideBack Release OK.");
  if (mRenderSys) mRenderSys->AddLogInfoForBuffers();
  gamelog::Info(kSource, __LINE__, L"AddLogInfoForBuffers OK.");
  mWindowSys = nullptr;
  mInputSys = nullptr;
  mRenderSys = nullptr;
  mSoundSys = nullptr;
  mTextManager = nullptr;
  mFileSystem = nullptr;
  mVideoPlayer = nullptr;
  mInstance.Release();
  if (mGameCore) {
    delete mGameCore;
    mGameCore = nullptr;
    gamelog::Info(kSource, __LINE__, L"GameCore Release OK.");
  }
}
