#pragma once
// Helpers of the menu suite: every menu of the sample game loaded on a
// headless core into its global, a player list in a folder of the test's
// own, the screen-state words put back, and a frame-by-frame driver.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "AppPaths.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "GameState.h"
#include "Interface/BadWindowModeMenu.h"
#include "Interface/BonusDisableMenu.h"
#include "Interface/CreditsMenu.h"
#include "Interface/EscMenu.h"
#include "Interface/ExitMenu.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/MainMenu.h"
#include "Interface/OptionsMenu.h"
#include "Interface/PlayMenu.h"
#include "Interface/SaveOptionsMenu.h"
#include "Interface/SelectDifficulty.h"
#include "Interface/UserDeleteMenu.h"
#include "Interface/UserDestroyMenu.h"
#include "Interface/UserExistMenu.h"
#include "Interface/UserMenu.h"
#include "Interface/UserNameMenu.h"
#include "Interface/UserNameMenuMnogo.h"
#include "Interface/WarningMenu.h"
#include "Interface/WinMenu.h"
#include "Interface/WallpaperMenu.h"
#include "Ini.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "panel/PanelTestSupport.h"

namespace menutest {

// Loads a menu of the sample game into its global for the test's life.
template <class T>
class Loaded {
 public:
  Loaded(T*& global, rovovoz::CGameCore* core, const wchar_t* file, uint32_t flags = 3)
      : mGlobal(global), mMenu(std::make_unique<T>(core, nullptr)) {
    mResult = mMenu->Load(file, flags);
    mGlobal = mMenu.get();
  }
  ~Loaded() { mGlobal = nullptr; }
  T* operator->() { return mMenu.get(); }
  T& operator*() { return *mMenu; }
  int32_t Result() const { return mResult; }

 private:
  T*& mGlobal;
  std::unique_ptr<T> mMenu;
  int32_t mResult = -1;
};

class MenuFixture : public ::testing::Test {
 protected:
  MenuFixture()
      : esc(gEscMenu, core.Get(), L"Data\\Interface\\EscMenu.xml"),
        exitBox(gExitMenu, core.Get(), L"Data\\Interface\\ExitMenu.xml"),
        keep(gSaveOptionsMenu, core.Get(), L"Data\\Interface\\SaveOptionsMenu.xml"),
        options(gOptionsMenu, core.Get(), L"Data\\Interface\\OptionsMenu.xml"),
        credits(gCreditsMenu, core.Get(), L"Data\\Interface\\CreditsMenu.xml"),
        users(gUserMenu, core.Get(), L"Data\\Interface\\UserMenu.xml"),
        userName(gUserNameMenu, core.Get(), L"Data\\Interface\\UserNameMenu.xml"),
        userDelete(gUserDeleteMenu, core.Get(), L"Data\\Interface\\UserDeleteMenu.xml"),
        userExists(gUserExistMenu, core.Get(), L"Data\\Interface\\UserExistMenu.xml"),
        tooMany(gUserNameMenuMnogo, core.Get(), L"Data\\Interface\\UserNameMenuMnogo.xml"),
        destroy(gUserDestroyMenu, core.Get(), L"Data\\Interface\\UserDestroyMenu.xml", 1),
        difficulty(gSelectDifficultyMenu, core.Get(), L"Data\\Interface\\SelectDifficultyMenu.xml"),
        play(gPlayMenu, core.Get(), L"Data\\Interface\\PlayMenu.xml", 9),
        warning(gWarningMenu, core.Get(), L"Data\\Interface\\WarningMenu.xml", 9),
        win(gWinMenu, core.Get(), L"Data\\Interface\\WinMenu.xml", 9),
        badMode(gBadWindowModeMenu, core.Get(), L"Data\\Interface\\BadWindowMode.xml", 9),
        bonus(gBonusDisableMenu, core.Get(), L"Data\\Interface\\BonusDisable.xml", 1),
        extras(gExtrasMenu, core.Get(), L"Data\\Interface\\ExtrasMenu.xml", 9),
        mainMenu(gMainMenu, core.Get(), L"Data\\Interface\\MainMenu.xml") {
    mSavedUserPath = gUserDataPath;
    mSavedIni = gIniFileName;
    gUserDataPath = dir.Path().wstring();
    gIniFileName = L"game.ini";
    list = std::make_unique<PlayerList>(dir.Path());
    gPlayerList = list.get();
    gCurrentPlayer = PlayerRecord();
    gGameState = gNextGameState = gPendingGameState = kStateMainMenu;
    gOptionsReturnState = kStateMainMenu;
    gExitRequest = kExitNone;
    gExitMenuShown = 0;
  }
  ~MenuFixture() override {
    gPlayerList = nullptr;
    gCurrentPlayer = PlayerRecord();
    gUserDataPath = mSavedUserPath;
    gIniFileName = mSavedIni;
  }

  // Runs a command as its button would.
  void Command(const wchar_t* name) { core.Get()->GetScript()->Call(name); }
  // Updates a menu frame by frame (dt 0.05, the main loop's cap) until its
  // animation ends; the number of frames it took.
  template <class M>
  int Settle(M& menu, int limit = 100) {
    int frames = 0;
    while (menu.GetShowState() != 0 && frames < limit) {
      menu.Update(0.05f, core.Cursor());
      ++frames;
    }
    return frames;
  }
  // An Esc press that the next update sees.
  void PressEsc() {
    core.Input().HandleEvent(zuzorev::SInputEvent::KeyDown(SDL_SCANCODE_ESCAPE));
    core.Input().HandleEvent(zuzorev::SInputEvent::KeyUp(SDL_SCANCODE_ESCAPE));
    core.NextFrame();
  }
  // A new player saved in the list.
  void AddPlayer(const std::wstring& name) {
    PlayerRecord p;
    p.mName = name;
    ASSERT_TRUE(list->SavePlayer(p));
  }
  std::wstring IniPath() const { return (dir.Path() / "game.ini").wstring(); }

  paneltest::PanelCore core;
  testsupport::TempDir dir;
  std::unique_ptr<PlayerList> list;
  Loaded<CEscMenu> esc;
  Loaded<CExitMenu> exitBox;
  Loaded<CSaveOptionsMenu> keep;
  Loaded<COptionsMenu> options;
  Loaded<CCreditsMenu> credits;
  Loaded<CUserMenu> users;
  Loaded<CUserNameMenu> userName;
  Loaded<CUserDeleteMenu> userDelete;
  Loaded<CUserExistMenu> userExists;
  Loaded<CUserNameMenuMnogo> tooMany;
  Loaded<CUserDestroyMenu> destroy;
  Loaded<CSelectDifficultyMenu> difficulty;
  Loaded<CPlayMenu> play;
  Loaded<CWarningMenu> warning;
  Loaded<CWinMenu> win;
  Loaded<CBadWindowModeMenu> badMode;
  Loaded<CBonusDisableMenu> bonus;
  Loaded<CExtrasMenu> extras;
  Loaded<CMainMenu> mainMenu;

 private:
  std::wstring mSavedUserPath, mSavedIni;
};

}  // namespace menutest
