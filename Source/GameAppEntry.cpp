#include "GameAppEntry.h"

#include "AppConfig.h"
#include "AppPaths.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorsound/Log.h"
#include "Engine/zorvideo/Log.h"
#include "Engine/zorlog/Log.h"
#include "GameApp.h"
#include "GameLog.h"
#include "InputReplay.h"
#include "Platform/Paths.h"
#include "Platform/Random.h"
#include "SingleInstance.h"

namespace {
const wchar_t* const kSource = L"Source/GameAppEntry";
const wchar_t* const kMakerFolder = L"Kestov Entertainment";
const wchar_t* const kConfigFile = L"DataLoc\\config.xml";
}  // namespace

bool PrepareProgram() {
  // Until the per-user folder is known the log has nowhere to go: what the
  // first steps log waits for it and comes first in it.
  zuzorev::KeepLinesUntilLogOpens();
  gWindowTitleFallback = L"LanternHallTale";
  gAppStarting = 1;
  gCloseAllowed = 0;

  gInstallPath = Platform::FromPath(Platform::ChooseInstallFolder());
  bool configRead = false;
  {
    // The configuration is read before the engine exists: a file system of
    // its own for this one file.
    zorfile::CFileSystem fileSystem;
    fileSystem.SetInstallFolder(Platform::ToPath(gInstallPath));
    zorfile::CFileSystem* previous = zorfile::GetFileSystem();
    zorfile::SetFileSystem(&fileSystem);
    configRead = gAppConfig.LoadFromXml(kConfigFile);
    zorfile::SetFileSystem(previous);
  }
  if (!configRead) gamelog::Error(kSource, __LINE__, L"Config file %s not read: the game cannot start.", kConfigFile);

  // A folder that cannot be made is not reported; the game goes on with
  // what it has.
  std::filesystem::path userFolder = Platform::MakeUserDataFolder(kMakerFolder, gAppConfig.mSaveDir);
  if (userFolder.empty()) userFolder = Platform::MakeUserDataFolder(kMakerFolder, L"");
  gUserDataPath = Platform::FromPath(userFolder);

  // A second start ends at its window; it must not wipe the running game's
  // logs on the way.
  if (!SingleInstance::IsHeldElsewhere(userFolder)) {
    zuzorev::InitDebugSystem(gUserDataPath, L"log.html");
    zorsound::InitDebugSystemSound(L"soundlog.html");
    zorvideo::InitDebugSystemVideo(L"videolog.html");
  }
  gamelog::Info(kSource, __LINE__, L"WinMain. Beg.");
  Platform::SeedRandomFromClock();
  return configRead;
}

int GameMain() {
  if (!PrepareProgram()) {
    zuzorev::CloseDebugSystem();
    return 1;
  }

  bool started = false;
  gGameApp = new GameApp();
  gamelog::Info(kSource, __LINE__, L"New App. OK.");
  if (gGameApp->Init(L"game.ini")) {
    // From before the load on, a replay or a recording owns the input,
    // the clock and the random source.
    if (zuzorev::CWindowSystem* window = gGameApp->GetCore()->GetWindow())
      InputReplay::AttachFromEnvironment(window->GetEvents());
    if (gGameApp->InitGame()) {
      gAppStarting = 0;
      // The main thread alone runs on one processor. A thread takes the
      // processors of the thread that starts it, so this waits until the
      // engine's own threads (the GL rasteriser's, the sound's) are running:
      // they stay free to use every processor.
      Platform::PinThreadToFirstProcessor();
      gGameApp->Run();
      started = gGameApp->HasGameStarted();
    } else {
      gamelog::Error(kSource, __LINE__, L"Init game!!!");
    }
    gGameApp->ReleaseGame();
  } else {
    gamelog::Error(kSource, __LINE__, L"Init game app!!!");
  }

  if (gGameApp) {
    delete gGameApp;
    gGameApp = nullptr;
  }
  gamelog::Info(kSource, __LINE__, L"WinApp. OK.");
  // SDL gives the desktop its own mode back when the window closes, so
  // there is no display mode left to restore here.
  zuzorev::CloseDebugSystem();
  return started ? 0 : 1;
}
