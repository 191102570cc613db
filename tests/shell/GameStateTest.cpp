#include <gtest/gtest.h>

#include <SDL2/SDL_scancode.h>

#include "AppConfig.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "GameState.h"
#include "Ini.h"
#include "Interface/CreditsMenu.h"
#include "Interface/EscMenu.h"
#include "Interface/ExitMenu.h"
#include "Interface/SaveOptionsMenu.h"
#include "Interface/UserMenu.h"
#include "Interface/UserNameMenu.h"
#include "LoadProgress.h"
#include "Platform/Paths.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "ShellTestSupport.h"
#include "VideoSettings.h"
#include "support/CoreSupport.h"

namespace {

using namespace shelltest;

// The game object with recording menus and logic and a player list in a
// folder of the test's own; no engine.
class GameStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellGlobals();
    mUser.Use();
    gMainMenu = mMain = new RecordingMainMenu();
    gOptionsMenu = new RecordingOptionsMenu();
    gExtrasMenu = new RecordingExtrasMenu();
    gCreditsMenu = new RecordingMenu<CCreditsMenu>("Credits");
    gUserMenu = new RecordingMenu<CUserMenu>("UserMenu");
    gUserNameMenu = new RecordingMenu<CUserNameMenu>("UserName");
    gEscMenu = new RecordingMenu<CEscMenu>("Esc");
    gSaveOptionsMenu = new RecordingMenu<CSaveOptionsMenu>("SaveOptions");
    gExitMenu = mExit = new RecordingMenu<CExitMenu>("Exit");
    gLogic = new RecordingLogic();
    gPlayerList = new PlayerList(mUser.Path());
    gCurrentPlayer.mName = L"Ann";
    gVideoSettings.FullScreen = 1;
    gVideoSettings.Width = 1024;
    gVideoSettings.Height = 768;
    gVideoSettings.RefreshRate = 60;
  }
  void TearDown() override {
    mGame.DeleteInterface();
    delete gLogic;
    gLogic = nullptr;
    delete gPlayerList;
    gPlayerList = nullptr;
    gLoadProgress = nullptr;
    ResetShellGlobals();
  }

  // One frame of the main loop: the update, then the drawing, at whose end
  // the requested state becomes current.
  bool Frame() {
    const bool goesOn = mGame.Update(0.02f);
    mGame.Render();
    return goesOn;
  }
  // A menu button chose `state`, and the menu has finished closing.
  void MenuChooses(int state) {
    gPendingGameState = state;
    gNextGameState = gPendingGameState;
  }
  bool PlayerFileExists() const { return std::filesystem::exists(mUser.Path() / "Users" / "Ann.dat"); }

  UserFolder mUser;
  Game mGame;
  RecordingMainMenu* mMain = nullptr;
  RecordingMenu<CExitMenu>* mExit = nullptr;
};

TEST_F(GameStateTest, MenuButtonsLeadToTheirScreens) {
  struct Case {
    const char* name;
    int from, returnState, chosen, reached;
    const char* call;  // what the entry of the new state asked for
  };
  const Case cases[] = {
      {"main menu options", kStateMainMenu, 0, kStateOptions, kStateOptions, "Options.Open(0)"},
      {"pause menu options", kStatePauseMenu, 10, kStateOptions, kStateOptions, "Options.Open(1)"},
      {"options credits", kStateOptions, 0, kStateCredits, kStateCredits, "Credits.Open"},
      {"change player", kStateMainMenu, 0, kStateUserMenu, kStateUserMenu, "UserMenu.Open"},
      {"play without a player", kStateMainMenu, 0, kStateUserNameFromPlay, kStateUserNameFromPlay, "UserName.Open"},
      {"play", kStateMainMenu, 0, kStateInGame, kStateInGame, "Logic.Play"},
      {"pause", kStateInGame, 0, kStatePauseMenu, kStatePauseMenu, "Esc.Open"},
      {"continue", kStatePauseMenu, 0, kStateContinueGame, kStateInGame, "Logic.ResumeCurrent"},
      {"leave the game", kStatePauseMenu, 0, kStateLeaveGame, kStateInGame, "Logic.StopEpisod"},
      {"extras over the game", kStateInGame, 0, kStateExtrasOverGame, kStateInGame, "Extras.Open(1)"},
      {"keep the new mode?", kStateAfterReInit, 0, kStateKeepMode, kStateKeepMode, "SaveOptions.Open"},
  };
  for (const Case& c : cases) {
    Calls().clear();
    gGameState = gNextGameState = c.from;
    gOptionsReturnState = c.returnState;
    MenuChooses(c.chosen);
    EXPECT_TRUE(Frame()) << c.name;
    EXPECT_EQ(gGameState, c.reached) << c.name;
    EXPECT_TRUE(Called(c.call)) << c.name;
  }
}

TEST_F(GameStateTest, SameStateRequestedAgainRunsNoEntry) {
  gGameState = gNextGameState = kStateOptions;
  Frame();
  EXPECT_FALSE(Called("Options.Open(0)"));
  EXPECT_TRUE(Called("Options.Update") || Called("MainMenu.UpdateScene"));
}

TEST_F(GameStateTest, FailedStartOfPlayGoesBackToTheMainMenuOrLeaves) {
  RecordingLogic::sPlayResult = 0;
  gGameState = gNextGameState = kStateMainMenu;
  MenuChooses(kStateInGame);
  Frame();
  EXPECT_EQ(gGameState, kStateMainMenu);
  EXPECT_TRUE(Called("MainMenu.Enter"));

  RecordingLogic::sCloseDuringPlay = true;
  MenuChooses(kStateInGame);
  Frame();
  EXPECT_EQ(gGameState, kStateExit) << "the window was closed while the play started";
}

TEST_F(GameStateTest, LoadingDoneWaitsForTheTitleSceneThenSavesAndEntersTheMainMenu) {
  gGameState = gNextGameState = kStateLoadingDone;
  mMain->mSceneRunning = 1;
  Frame();
  EXPECT_EQ(gGameState, kStateLoadingDone);
  EXPECT_FALSE(PlayerFileExists());

  mMain->mSceneRunning = 0;
  Frame();
  EXPECT_EQ(gGameState, kStateMainMenu);
  EXPECT_TRUE(Called("MainMenu.Enter"));
  EXPECT_EQ(gCurrentPlayer.mWidth, 1024u);
  EXPECT_EQ(gCurrentPlayer.mFullScreen, 1u);
  EXPECT_TRUE(PlayerFileExists()) << "the display settings went into the saved record";
}

TEST_F(GameStateTest, WindowCloseSavesAndLeavesAtTheEndOfTheFrame) {
  gGameState = gNextGameState = kStateInGame;
  gExitRequest = kExitWindowClosed;
  EXPECT_TRUE(Frame());
  EXPECT_EQ(gGameState, kStateExit);
  EXPECT_EQ(gExitRequest, kExitNone);
  EXPECT_TRUE(Called("Logic.SaveCurrentStepName"));
  EXPECT_TRUE(PlayerFileExists());
  EXPECT_FALSE(mGame.Update(0.02f)) << "the exit state ends the loop";
}

TEST_F(GameStateTest, WindowClosedInTheFrameTheLoadingEndsStillLeaves) {
  for (int closed : {0, 1}) {
    LoadProgress loading;  // no logo; its timings already saved: done
    loading.SaveProgress();
    gLoadProgress = &loading;
    gGameState = gNextGameState = kStateLoading;
    gExitRequest = closed ? kExitWindowClosed : kExitNone;
    Frame();
    EXPECT_NE(loading.GetState(), 0);
    EXPECT_EQ(gGameState, closed ? kStateExit : kStateLoadingDone) << closed;
    gLoadProgress = nullptr;
  }
}

TEST_F(GameStateTest, ExitDialogHoldsStateChangesAndSavesOnYes) {
  gGameState = gNextGameState = kStateMainMenu;
  gExitRequest = kExitFromMenu;
  Frame();
  EXPECT_EQ(gExitMenuShown, 1);
  EXPECT_TRUE(Called("Exit.Open"));
  EXPECT_EQ(gExitReturnState, kStateMainMenu);

  Calls().clear();
  gNextGameState = kStateUserMenu;  // a change asked for behind the dialog
  gExitRequest = kExitWindowClosed;  // and a close: ignored while it is open
  Frame();
  EXPECT_EQ(gGameState, kStateMainMenu);
  EXPECT_EQ(gExitRequest, kExitNone);
  EXPECT_TRUE(Called("Exit.Update"));
  EXPECT_TRUE(Called("MainMenu.UpdateScene")) << "the title scene goes on behind the dialog";
  EXPECT_TRUE(Called("Exit.Render"));

  // Yes: the dialog requests the exit and closes.
  mExit->mOnUpdate = [] {
    gNextGameState = kStateExit;
    gExitMenuShown = 0;
  };
  Frame();
  EXPECT_TRUE(PlayerFileExists());
  EXPECT_EQ(gGameState, kStateExit);
}

TEST_F(GameStateTest, ExitDialogOverTheGameResumesItOnNo) {
  gGameState = gNextGameState = kStateInGame;
  gExitRequest = kExitFromMenu;
  Frame();
  Calls().clear();
  Frame();
  EXPECT_TRUE(Called("Logic.UpdateEpisod"));
  EXPECT_FALSE(Called("Logic.Update"));
  mExit->mOnUpdate = [] { gExitMenuShown = 0; };
  Frame();
  EXPECT_TRUE(Called("Logic.ResumeCurrent"));
  EXPECT_EQ(gGameState, kStateInGame);
  EXPECT_FALSE(PlayerFileExists());
}

TEST_F(GameStateTest, LeavingTheProfileMenuSwitchesToThePlayersDisplay) {
  struct Case {
    const char* name;
    uint32_t width, height, fullScreen, wide;
    size_t listed;  // modes the options menu lists
    int reached, request, newWidth, newRate, modeIndex;
    bool recordTakesCurrent;
  };
  const Case cases[] = {
      {"same settings", 1024, 768, 1, 0, 3, kStateMainMenu, kDisplayNone, 0, 0, 0, false},
      {"other full-screen flag", 1024, 768, 0, 0, 3, kStateAfterReInit, kDisplayReInit, 1024, 60, 0, false},
      {"other wide flag", 1024, 768, 1, 1, 3, kStateAfterWide, kDisplayWide, 1024, 60, 0, false},
      {"other size in the list", 1280, 1024, 1, 0, 3, kStateAfterReInit, kDisplayReInit, 1280, 75, 2, false},
      {"other size beyond the listed modes", 1280, 1024, 1, 0, 2, kStateMainMenu, kDisplayNone, 0, 0, 0, true},
      {"size the display lacks", 1600, 1200, 1, 0, 3, kStateMainMenu, kDisplayNone, 0, 0, 0, true},
  };
  gDisplayModes.Modes = {{800, 600, {60}}, {1024, 768, {60}}, {1280, 1024, {60, 75}}};
  for (const Case& c : cases) {
    gOptionsModeLabels.assign(c.listed, L"mode");
    gOptionsModeIndex = 0;
    gVideoSettingsNew = zuzorev::SDevInitParams{};
    gDisplayRequest = kDisplayNone;
    gOptionsReturnState = kStatePauseMenu;
    gCurrentPlayer.mWidth = c.width;
    gCurrentPlayer.mHeight = c.height;
    gCurrentPlayer.mFullScreen = c.fullScreen;
    gCurrentPlayer.mWide = c.wide;
    gCurrentPlayer.mMusicVolume = 0.25f;
    gGameState = kStateUserMenu;
    MenuChooses(kStateMainMenu);
    Frame();
    EXPECT_FLOAT_EQ(gMusicVolume, 0.25f) << c.name;
    EXPECT_EQ(gGameState, c.reached) << c.name;
    EXPECT_EQ(gDisplayRequest, c.request) << c.name;
    if (c.request != kDisplayNone) {
      EXPECT_EQ(gOptionsReturnState, kStateMainMenu) << c.name;
      EXPECT_EQ(gVideoSettingsNew.Width, c.newWidth) << c.name;
      EXPECT_EQ(gVideoSettingsNew.RefreshRate, c.newRate) << c.name;
      EXPECT_EQ(gVideoSettingsNew.FullScreen, static_cast<int>(c.fullScreen)) << c.name;
      EXPECT_EQ(gVideoSettingsNew.Wide, static_cast<int>(c.wide)) << c.name;
      EXPECT_EQ(gOptionsModeIndex, c.modeIndex) << c.name;
    }
    if (c.recordTakesCurrent) {
      EXPECT_EQ(gCurrentPlayer.mWidth, 1024u) << c.name;
      EXPECT_EQ(gCurrentPlayer.mHeight, 768u) << c.name;
      EXPECT_TRUE(PlayerFileExists()) << c.name;
    }
  }
}

TEST_F(GameStateTest, DisplayStepsAfterAChangeOfMode) {
  struct Case {
    const char* name;
    int state, result;
    int reached, request;
    bool adopted;  // the tried mode became the mode in force, saved and written
  };
  const Case cases[] = {
      {"new mode works: ask to keep it", kStateAfterReInit, 0, kStateKeepMode, kDisplayNone, false},
      {"new mode failed: back to the old one", kStateAfterReInit, 1, kStateAfterReInit, kDisplayRestore, false},
      {"old mode is back", kStateAfterReInit, 2, kStatePauseMenu, kDisplayNone, true},
      {"wide mode switched", kStateAfterWide, 0, kStatePauseMenu, kDisplayNone, true},
      {"restored", kStateAfterRestore, 2, kStatePauseMenu, kDisplayNone, false},
      {"restore failed: the game ends", kStateAfterRestore, 0, kStateExit, kDisplayNone, false},
  };
  for (const Case& c : cases) {
    gVideoSettings.Width = 1024;
    gVideoSettingsNew = gVideoSettings;
    gVideoSettingsNew.Width = 1280;
    gVideoSettingsNew.Height = 1024;
    gVideoSettingsNew.Wide = 1;
    gCurrentPlayer.mWidth = 0;
    gOptionsReturnState = kStatePauseMenu;
    gDisplayRequest = kDisplayNone;
    gDisplayResult = c.result;
    gGameState = gNextGameState = c.state;
    std::filesystem::remove(mUser.Path() / "game.ini");
    Frame();
    EXPECT_EQ(gGameState, c.reached) << c.name;
    EXPECT_EQ(gDisplayRequest, c.request) << c.name;
    if (c.request == kDisplayRestore) {
      EXPECT_EQ(gVideoSettingsNew.Width, 1024) << c.name;
    }
    std::wstring path;
    Ini::GetPath(path);
    EXPECT_EQ(gVideoSettings.Width, c.adopted ? 1280 : 1024) << c.name;
    EXPECT_EQ(Ini::GetInt(path, L"Video", L"Width", -1), c.adopted ? 1280 : -1) << c.name;
    EXPECT_EQ(Ini::GetInt(path, L"Video", L"Wide", -1), c.adopted ? 1 : -1) << c.name;
    if (c.adopted) {
      EXPECT_EQ(gCurrentPlayer.mWidth, 1280u) << c.name;
    }
  }
}

TEST_F(GameStateTest, LeavingTheNameEntryStoresVolumesAndDisplayInThePlayer) {
  gSoundVolume = 0.5f;
  gGameState = kStateUserName;
  MenuChooses(kStateMainMenu);
  Frame();
  EXPECT_FLOAT_EQ(gCurrentPlayer.mSoundVolume, 0.5f);
  EXPECT_EQ(gCurrentPlayer.mHeight, 768u);
  EXPECT_TRUE(PlayerFileExists());
  gSoundVolume = 1.0f;
}

TEST_F(GameStateTest, ActivationRefreshesOptionsAndDeactivationAppliesAPendingChange) {
  gGameState = gNextGameState = kStateOptions;
  mGame.Activate();
  EXPECT_TRUE(Called("Options.RefreshVideoControls"));

  gGameState = kStateInGame;
  gNextGameState = kStatePauseMenu;
  mGame.Deactivate();
  EXPECT_EQ(gGameState, kStatePauseMenu);
  EXPECT_TRUE(Called("Esc.Open"));
}

// F1 held with Page Up / Page Down / Home changes the game speed when
// cheats are on.
TEST_F(GameStateTest, CheatKeysChangeTheGameSpeed) {
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
  rovovoz::CGameCore core;
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
  gGameCore = &core;
  zuzorev::CInputSystem* input = core.GetInput();
  ASSERT_EQ(input->Init(core.GetWindow()), zuzorev::kOk);
  auto key = [&](SDL_Scancode code, bool down) {
    testsupport::Feed(*core.GetWindow(),
                      {down ? zuzorev::SInputEvent::KeyDown(code) : zuzorev::SInputEvent::KeyUp(code)});
  };
  auto press = [&](SDL_Scancode code) {
    key(code, true);
    input->Update();
    Frame();
    key(code, false);
    input->Update();
  };
  gGameState = gNextGameState = kStateMainMenu;

  press(SDL_SCANCODE_PAGEUP);
  EXPECT_FLOAT_EQ(gGameSpeed, 1.0f) << "cheats are off";

  gAppConfig.mCheatOn = 1;
  press(SDL_SCANCODE_PAGEUP);
  EXPECT_FLOAT_EQ(gGameSpeed, 1.0f) << "F1 is not held";

  key(SDL_SCANCODE_F1, true);
  const float expected[] = {0.67f, 0.34f, 0.01f, 0.0f};
  for (float speed : expected) {
    press(SDL_SCANCODE_PAGEDOWN);
    EXPECT_NEAR(gGameSpeed, speed, 1e-5);
  }
  press(SDL_SCANCODE_PAGEUP);
  EXPECT_NEAR(gGameSpeed, 0.33f, 1e-5);
  press(SDL_SCANCODE_HOME);
  EXPECT_FLOAT_EQ(gGameSpeed, 1.0f);
  gGameCore = nullptr;
}

}  // namespace
