#include "GameGlobals.h"

#include "AppConfig.h"
#include "AppPaths.h"
#include "FramePacer.h"
#include "Game.h"
#include "GameApp.h"
#include "GameState.h"
#include "Interface/BadWindowModeMenu.h"
#include "Interface/BonusDisableMenu.h"
#include "Interface/CreditsMenu.h"
#include "Interface/Dnevnik.h"
#include "Interface/EscMenu.h"
#include "Interface/ExitMenu.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/GamePanel.h"
#include "Interface/HintMenu.h"
#include "Interface/MainMenu.h"
#include "Interface/Map.h"
#include "Interface/OptionsMenu.h"
#include "Interface/PlayMenu.h"
#include "Interface/RolikInterfaceMenu.h"
#include "Interface/SaveOptionsMenu.h"
#include "Interface/SelectDifficulty.h"
#include "Interface/UserDeleteMenu.h"
#include "Interface/UserDestroyMenu.h"
#include "Interface/UserExistMenu.h"
#include "Interface/UserMenu.h"
#include "Interface/UserNameMenu.h"
#include "Interface/UserNameMenuMnogo.h"
#include "Interface/WallpaperMenu.h"
#include "Interface/WarningMenu.h"
#include "Interface/WinMenu.h"
#include "Levels/BaseBack.h"
#include "LoadProgress.h"
#include "Logic/Logic.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "VideoSettings.h"

namespace {

void ResetEnginePointers() {
  gGameCore = nullptr;
  gWindowSystem = nullptr;
  gInputSystem = nullptr;
  gRenderSystem = nullptr;
  gSoundSystem = nullptr;
  gAnimModelManager = nullptr;
  gTextManager = nullptr;
  gVideoPlayer = nullptr;
  gParticleStateManager = nullptr;
  gCamera = nullptr;
  gGameLight = nullptr;
  gMouseCursor = nullptr;
}

void ResetMenus() {
  gMainMenu = nullptr;
  gUserMenu = nullptr;
  gUserNameMenu = nullptr;
  gUserDeleteMenu = nullptr;
  gUserExistMenu = nullptr;
  gUserNameMenuMnogo = nullptr;
  gOptionsMenu = nullptr;
  gSaveOptionsMenu = nullptr;
  gSelectDifficultyMenu = nullptr;
  gEscMenu = nullptr;
  gCreditsMenu = nullptr;
  gExitMenu = nullptr;
  gGamePanel = nullptr;
  gHintMenu = nullptr;
  gHintMenu2 = nullptr;
  gHintMenu3 = nullptr;
  gDnevnik = nullptr;
  gMap = nullptr;
  gRolikInterfaceMenu = nullptr;
  gUserDestroyMenu = nullptr;
  gBonusDisableMenu = nullptr;
  gExtrasMenu = nullptr;
  gPlayMenu = nullptr;
  gWarningMenu = nullptr;
  gWinMenu = nullptr;
  gWallpaperMenu = nullptr;
  gBadWindowModeMenu = nullptr;
  gOptionsModeLabels.clear();
  gOptionsModeIndex = 0;
}

void ResetScreenStates() {
  gGameState = gNextGameState = kStateLoading;
  gPendingGameState = gOptionsReturnState = gExitReturnState = kStateMainMenu;
  gExitRequest = kExitNone;
  gExitMenuShown = 0;
  gGameSpeed = 1.0f;
}

void ResetDisplay() {
  gVideoSettings = gVideoSettingsNew = zuzorev::SDevInitParams{};
  gDisplayModes = zuzorev::SDisplayModeI{};
  gDisplayModeIndex = 0;
  gDisplayRequest = kDisplayNone;
  gDisplayResult = 0;
  gDesktopWidth = gDesktopHeight = 0;
  gWideBack = nullptr;
}

}  // namespace

void ResetGameGlobals() {
  gGameApp = nullptr;
  gAppStarting = 0;
  gCloseAllowed = 0;
  gWindowTitleFallback.clear();
  gLoadProgress = nullptr;
  gLogic = nullptr;
  gPlayerList = nullptr;
  gCurrentPlayer = PlayerRecord();
  gHideMode = 0;
  gSoundVolume = gMusicVolume = gEffectVolume = 1.0f;
  ResetEnginePointers();
  ResetMenus();
  ResetScreenStates();
  ResetDisplay();
  gFramePacer.Stop();
  gFramePacer.SetSleepForTests(nullptr);
  gAppConfig.SetDefaults();
  gInstallPath.clear();
  gUserDataPath.clear();
  gIniFileName.clear();
}
