// The game object's menus, game panel and hint pop-ups: made and loaded at
// the data load, re-initialised after a display change, deleted at release.
#include "Game.h"

#include "Engine/rovovoz/GameCore.h"
#include "GameLog.h"
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
#include "LoadProgress.h"
#include "Logic/Logic.h"

CMainMenu* gMainMenu = nullptr;
CUserMenu* gUserMenu = nullptr;
CUserNameMenu* gUserNameMenu = nullptr;
CUserDeleteMenu* gUserDeleteMenu = nullptr;
CUserExistMenu* gUserExistMenu = nullptr;
CUserNameMenuMnogo* gUserNameMenuMnogo = nullptr;
COptionsMenu* gOptionsMenu = nullptr;
CSaveOptionsMenu* gSaveOptionsMenu = nullptr;
CSelectDifficultyMenu* gSelectDifficultyMenu = nullptr;
CEscMenu* gEscMenu = nullptr;
CCreditsMenu* gCreditsMenu = nullptr;
CExitMenu* gExitMenu = nullptr;
CGamePanel* gGamePanel = nullptr;
CHintMenu* gHintMenu = nullptr;
CHintMenu* gHintMenu2 = nullptr;
CHintMenu* gHintMenu3 = nullptr;
CDnevnik* gDnevnik = nullptr;
CMap* gMap = nullptr;
CRolikInterfaceMenu* gRolikInterfaceMenu = nullptr;
CUserDestroyMenu* gUserDestroyMenu = nullptr;
CBonusDisableMenu* gBonusDisableMenu = nullptr;
CExtrasMenu* gExtrasMenu = nullptr;
CPlayMenu* gPlayMenu = nullptr;
CWarningMenu* gWarningMenu = nullptr;
CWinMenu* gWinMenu = nullptr;
CWallpaperMenu* gWallpaperMenu = nullptr;
CBadWindowModeMenu* gBadWindowModeMenu = nullptr;

namespace {

const wchar_t* const kSource = L"Source/GameInterface";

void Tick() {
  if (gLoadProgress) gLoadProgress->Tick(0);
}

// Makes a form into its global and loads it; false (logged) on failure. The
// form stays in its global either way, so the release finds it.
template <class T>
bool MakeForm(T*& global, const wchar_t* file, uint32_t flags, const wchar_t* error, bool tick = true) {
  delete global;
  global = new T(gGameCore, nullptr);
  if (global->Load(file, flags) < 0) {
    gamelog::Error(kSource, __LINE__, error);
    return false;
  }
  if (tick) Tick();
  return true;
}

template <class T>
void ReInitForm(T* form, const wchar_t* error) {
  if (form && form->ReInit() < 0) gamelog::Error(kSource, __LINE__, error);
}

template <class T>
void DeleteForm(T*& form) {
  delete form;
  form = nullptr;
}

// A hint pop-up whose file does not load names it in the log and shows no
// hints; the game goes on without them.
bool MakeHintMenu(CHintMenu*& global) {
  delete global;
  global = new CHintMenu(gGameCore);
  global->Load(L"Data\\Interface\\HintMenu.xml");
  Tick();
  return true;
}

}  // namespace

int Game::LoadInterface() {
  if (!MakeForm(gMainMenu, L"Data\\Interface\\MainMenu.xml", 3, L"Load main menu.", false)) return 0;
  gMainMenu->SetGreeting();
  Tick();
  if (!MakeForm(gUserMenu, L"Data\\Interface\\UserMenu.xml", 3, L"Load user menu.")) return 0;
  if (!MakeForm(gUserNameMenu, L"Data\\Interface\\UserNameMenu.xml", 3, L"Load user name menu.")) return 0;
  if (!MakeForm(gUserDeleteMenu, L"Data\\Interface\\UserDeleteMenu.xml", 3, L"Load user delete menu.")) return 0;
  if (!MakeForm(gUserExistMenu, L"Data\\Interface\\UserExistMenu.xml", 3, L"Load user exist menu.")) return 0;
  if (!MakeForm(gUserNameMenuMnogo, L"Data\\Interface\\UserNameMenuMnogo.xml", 3, L"Load user exist menu."))
    return 0;
  if (!MakeForm(gOptionsMenu, L"Data\\Interface\\OptionsMenu.xml", 3, L"Load options menu.")) return 0;
  if (!MakeForm(gSaveOptionsMenu, L"Data\\Interface\\SaveOptionsMenu.xml", 3, L"Load save options menu.")) return 0;
  if (!MakeForm(gSelectDifficultyMenu, L"Data\\Interface\\SelectDifficultyMenu.xml", 3, L"Load save options menu."))
    return 0;
  if (!MakeForm(gEscMenu, L"Data\\Interface\\EscMenu.xml", 3, L"Load esc menu.")) return 0;
  if (!MakeForm(gCreditsMenu, L"Data\\Interface\\CreditsMenu.xml", 3, L"Load credits menu.")) return 0;
  if (!MakeForm(gExitMenu, L"Data\\Interface\\ExitMenu.xml", 3, L"Load exit menu.")) return 0;
  if (!MakeForm(gGamePanel, L"Data\\Interface\\GamePanel.xml", 3, L"Load game panel.")) return 0;
  if (!MakeHintMenu(gHintMenu) || !MakeHintMenu(gHintMenu2) || !MakeHintMenu(gHintMenu3)) return 0;
  if (!MakeForm(gDnevnik, L"Data\\Interface\\Dnevnik.xml", 3, L"Load Dnevnik menu")) return 0;
  if (!MakeForm(gMap, L"Data\\Interface\\Map.xml", 3, L"Load Map menu")) return 0;
  if (!MakeForm(gRolikInterfaceMenu, L"Data\\Interface\\RolikInterfaceMenu.xml", 1, L"Load RolikInterfaceMenu"))
    return 0;
  if (!MakeForm(gUserDestroyMenu, L"Data\\Interface\\UserDestroyMenu.xml", 1, L"Load UserDestroyMenu")) return 0;
  if (!MakeForm(gBonusDisableMenu, L"Data\\Interface\\BonusDisable.xml", 1, L"Load BonusDisableMenu")) return 0;
  if (!MakeForm(gExtrasMenu, L"Data\\Interface\\ExtrasMenu.xml", 9, L"Load Extras menu")) return 0;
  if (!MakeForm(gPlayMenu, L"Data\\Interface\\PlayMenu.xml", 9, L"Load PlayMenu")) return 0;
  if (!MakeForm(gWarningMenu, L"Data\\Interface\\WarningMenu.xml", 9, L"Load WarningMenu", false)) return 0;
  if (!MakeForm(gWinMenu, L"Data\\Interface\\WinMenu.xml", 9, L"Load WinMenu")) return 0;
  if (!MakeForm(gWallpaperMenu, L"Data\\Interface\\WallpaperOkMenu.xml", 9, L"Load WallpaperMenu")) return 0;
  // The bad-window-mode notice is optional.
  gBadWindowModeMenu = new CBadWindowModeMenu(gGameCore, nullptr);
  if (gBadWindowModeMenu->Load(L"Data\\Interface\\BadWindowMode.xml", 9) < 0) DeleteForm(gBadWindowModeMenu);
  Tick();
  return 1;
}

int Game::ReInitLogic() {
  if (gLogic && gLogic->ReInit() == 0) gamelog::Error(kSource, __LINE__, L"Logic ReInit.");
  ReInitForm(gGamePanel, L"GamePanel ReInit");
  ReInitForm(gMainMenu, L"MainMenu ReInit.");
  ReInitForm(gUserMenu, L"UserMenu ReInit.");
  ReInitForm(gUserNameMenu, L"UserNameMenu ReInit.");
  ReInitForm(gUserDeleteMenu, L"UserDeleteMenu ReInit.");
  ReInitForm(gUserExistMenu, L"UserExistMenu ReInit.");
  ReInitForm(gUserNameMenuMnogo, L"UserNameMenuMnogo ReInit.");
  ReInitForm(gOptionsMenu, L"OptionsMenu ReInit.");
  ReInitForm(gSaveOptionsMenu, L"SaveOptionsMenu ReInit.");
  ReInitForm(gSelectDifficultyMenu, L"SelectDifficultyMenu ReInit.");
  ReInitForm(gEscMenu, L"EscMenu ReInit.");
  ReInitForm(gCreditsMenu, L"CreditsMenu ReInit.");
  ReInitForm(gExitMenu, L"ExitMenu ReInit.");
  ReInitForm(gHintMenu, L"HintMenu ReInit.");
  ReInitForm(gHintMenu2, L"HintMenu ReInit.");
  ReInitForm(gHintMenu3, L"HintMenu ReInit.");
  ReInitForm(gDnevnik, L"Dnevnik ReInit.");
  ReInitForm(gMap, L"Map ReInit.");
  ReInitForm(gRolikInterfaceMenu, L"RolikInterfaceMenu ReInit.");
  ReInitForm(gUserDestroyMenu, L"UserDestroyMenu ReInit.");
  ReInitForm(gBonusDisableMenu, L"BonusDisableMenu ReInit.");
  ReInitForm(gBadWindowModeMenu, L"BadWindowModeMenu ReInit.");
  ReInitForm(gExtrasMenu, L"ExtrasMenu ReInit.");
  ReInitForm(gPlayMenu, L"PlayMenu ReInit.");
  ReInitForm(gWarningMenu, L"WarningMenu ReInit.");
  ReInitForm(gWinMenu, L"WinMenu ReInit.");
  ReInitForm(gWallpaperMenu, L"WallpaperMenu ReInit.");
  return 1;
}

void Game::DeleteInterface() {
  DeleteForm(gGamePanel);
  DeleteForm(gMainMenu);
  DeleteForm(gUserMenu);
  DeleteForm(gUserNameMenu);
  DeleteForm(gUserDeleteMenu);
  DeleteForm(gUserExistMenu);
  DeleteForm(gUserNameMenuMnogo);
  DeleteForm(gOptionsMenu);
  DeleteForm(gEscMenu);
  DeleteForm(gCreditsMenu);
  DeleteForm(gHintMenu3);
  DeleteForm(gHintMenu);
  DeleteForm(gHintMenu2);
  DeleteForm(gSaveOptionsMenu);
  DeleteForm(gSelectDifficultyMenu);
  DeleteForm(gExitMenu);
  DeleteForm(gDnevnik);
  DeleteForm(gMap);
  DeleteForm(gRolikInterfaceMenu);
  DeleteForm(gUserDestroyMenu);
  DeleteForm(gBonusDisableMenu);
  DeleteForm(gBadWindowModeMenu);
  DeleteForm(gExtrasMenu);
  DeleteForm(gPlayMenu);
  DeleteForm(gWarningMenu);
  DeleteForm(gWinMenu);
  DeleteForm(gWallpaperMenu);
}
