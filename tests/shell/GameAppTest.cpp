#include <SDL2/SDL_scancode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "AppPaths.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/EventScript.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "GameApp.h"
#include "GameState.h"
#include "Ini.h"
#include "LoadProgress.h"
#include "Logo.h"
#include "Platform/Paths.h"
#include "Platform/Random.h"
#include "PlayerList.h"
#include "ShellTestSupport.h"
#include "VideoSettings.h"

namespace {

using namespace shelltest;
using zuzorev::ELogLevel;

// True when `expected` appears in `lines` in this order (other lines may
// come between).
bool InOrder(const std::vector<std::wstring>& lines, const std::vector<std::wstring>& expected) {
  auto at = lines.begin();
  for (const std::wstring& e : expected) {
    at = std::find(at, lines.end(), e);
    if (at == lines.end()) return false;
    ++at;
  }
  return true;
}

// The application object on the sample game, headless.
class GameAppTest : public ::testing::Test {
 protected:
  void SetUp() override { gAppStarting = 1; }
  void TearDown() override {
    // As the entry function ends the program.
    if (mApp) mApp->ReleaseGame();
    delete mApp;
    gGameApp = mApp = nullptr;
    ResetShellGlobals();
  }
  // Makes the application and brings it up to the main loop.
  void Start() {
    gGameApp = mApp = new GameApp();
    ASSERT_EQ(mApp->Init(L"game.ini"), 1);
    ASSERT_EQ(mApp->InitGame(), 1);
    gAppStarting = 0;
  }
  zuzorev::CWindowSystem* Window() { return mApp->GetCore()->GetWindow(); }
  zuzorev::CRenderSystem* Render() { return mApp->GetCore()->GetRender(); }
  // The desktop asks the program to quit (the window's close).
  // Runs the main loop with a hook called on every turn, then takes the
  // test's hooks and manual clock away again.
  void RunLoop(std::function<void()> hook) {
    GameApp::SetTurnHookForTests(std::move(hook));
    mApp->Run();
    GameApp::SetTurnHookForTests(nullptr);
    zuzorev::CTimer::UseManualClock(false);
    Game::SetLogicFactoryForTests(nullptr);
  }
  void Quit() { Window()->GetEvents().Push(zuzorev::SInputEvent::Of(zuzorev::EInputEvent::Quit)); }
  // The window gains or loses the focus (the messages come with the next
  // pump of the window's events).
  void Focus(bool gained) {
    Window()->GetEvents().Push(
        zuzorev::SInputEvent::Of(gained ? zuzorev::EInputEvent::FocusGained : zuzorev::EInputEvent::FocusLost));
  }
  intptr_t Send(uint32_t message, uintptr_t wParam = 0) { return Window()->SendMessageW(message, wParam, 0); }
  std::wstring IniPath() {
    std::wstring path;
    return Ini::GetPath(path);
  }

  SampleGame mSample;
  testsupport::LogCapture mLog;
  GameApp* mApp = nullptr;
};

TEST_F(GameAppTest, StartUpRunsInItsOrder) {
  Start();
  EXPECT_TRUE(InOrder(mLog.Texts(ELogLevel::Info),
                      {L"GameApp Constructor", L"New Game Ok.", L"New Core Ok.", L"Init. Beg",
                       L"Read info for ini. Beg", L"Read info for ini. OK.", L"FindMode. OK.", L"FindBestMode. OK.",
                       L"Init window [OK].", L"Init render [OK].", L"Init input [OK].", L"Init sound [OK].",
                       L"Init video [OK].", L"Init all global. OK.", L"Init. OK.", L"Init Load Progress. OK.",
                       L"Game init [OK]."}));
  EXPECT_TRUE(mLog.Texts(ELogLevel::Error).empty());
  ASSERT_NE(gLoadProgress, nullptr);
  EXPECT_NE(gLoadProgress->GetLogo(), nullptr) << "the loading screen took the logo";
  EXPECT_NE(gWideBack, nullptr);
  EXPECT_EQ(gGameState, kStateLoading);
}

// A settings file the reads cannot follow falls back to the defaults and
// says so once.
TEST_F(GameAppTest, AGarbageGameIniIsNamedOnceAndTheDefaultsServe) {
  const std::wstring path = IniPath();
  {
    std::ofstream out(Platform::ToPath(path), std::ios::binary | std::ios::trunc);
    out << std::string("\x89PNG\r\n\x1a\n\0\0", 10);
  }
  Start();
  const auto warnings = mLog.Texts(ELogLevel::Warning);
  EXPECT_EQ(std::count(warnings.begin(), warnings.end(),
                       L"Settings file " + path + L": 3 lines not read; their settings keep the defaults."),
            1)
      << "said once";
  EXPECT_EQ(gVideoSettings.Width, 1024);
}

TEST_F(GameAppTest, WithoutGameIniTheDefaultModeIsWrittenWithAUsableRate) {
  Start();
  const std::wstring path = IniPath();
  EXPECT_EQ(Ini::GetInt(path, L"Video", L"FullScreen", -1), 1);
  EXPECT_EQ(Ini::GetInt(path, L"Video", L"Width", -1), 1024);
  EXPECT_EQ(Ini::GetInt(path, L"Video", L"Height", -1), 768);
  EXPECT_EQ(Ini::GetInt(path, L"Video", L"RefreshRate", -1), 60) << "85 Hz is not offered: the mode's last rate";
  EXPECT_EQ(Ini::GetInt(path, L"Video", L"Antialising", -1), 0);
  EXPECT_EQ(Ini::GetInt(path, L"Video", L"Wide", -1), 0);
}

TEST_F(GameAppTest, ASizeTheDisplayLacksFallsBackTo800x600) {
  Ini::SetInt(IniPath(), L"Video", L"Width", 1030);
  Ini::SetInt(IniPath(), L"Video", L"Height", 770);
  Start();
  EXPECT_EQ(mLog.Texts(ELogLevel::Error), std::vector<std::wstring>{L"Find best mode 1024 x 768."});
  EXPECT_EQ(gVideoSettings.Width, 800);
  EXPECT_EQ(Ini::GetInt(IniPath(), L"Video", L"Width", -1), 800);
  EXPECT_EQ(Ini::GetInt(IniPath(), L"Video", L"Height", -1), 600);
}

TEST_F(GameAppTest, ASecondStartRaisesTheFirstAndEndsQuietly) {
  Start();
  // The second application's game object starts with empty globals: keep
  // the first one's to give them back.
  rovovoz::CMouseCursor* cursor = gMouseCursor;
  PlayerList* players = gPlayerList;
  auto second = std::make_unique<GameApp>();
  EXPECT_EQ(second->Init(L"game.ini"), 0);
  second.reset();
  gMouseCursor = cursor;
  gPlayerList = players;
  EXPECT_FALSE(mLog.Contains(ELogLevel::Error, L"Init window."));
  EXPECT_TRUE(mApp->ServeInstanceRequests()) << "the first instance was asked to come to the front";
  EXPECT_FALSE(mApp->ServeInstanceRequests());
}

TEST_F(GameAppTest, WindowMessages) {
  Start();
  zorvideo::CVideoPlayer* video = mApp->GetCore()->GetVideoPlayer();
  struct Case {
    const char* name;
    int starting, closeAllowed;
    uint32_t message;
    uintptr_t wParam;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"close while starting: ignored", 1, 0, zuzorev::WM_CLOSE, 0, [&] { EXPECT_EQ(gExitRequest, kExitNone); }},
      {"close: the game saves and leaves", 0, 0, zuzorev::WM_CLOSE, 0,
       [&] {
         EXPECT_EQ(gExitRequest, kExitWindowClosed);
         EXPECT_FALSE(Window()->IsDestroyed());
       }},
      {"minimised: paused", 0, 0, zuzorev::WM_SIZE, zuzorev::SIZE_MINIMIZED,
       [&] {
         EXPECT_EQ(mApp->IsActive(), 0);
         EXPECT_TRUE(video->IsFrozen());
       }},
      {"desktop change while inactive: read again", 0, 0, zuzorev::WM_SETTINGCHANGE, 0,
       [&] { EXPECT_EQ(mApp->GetDesktopWidth(), 1280); }},
      {"restored: running again", 0, 0, zuzorev::WM_SIZE, zuzorev::SIZE_RESTORED,
       [&] {
         EXPECT_EQ(mApp->IsActive(), 1);
         EXPECT_FALSE(video->IsFrozen());
       }},
      {"focus lost", 0, 0, zuzorev::WM_ACTIVATEAPP, 0, [&] { EXPECT_EQ(mApp->IsActive(), 0); }},
      {"focus back", 0, 0, zuzorev::WM_ACTIVATEAPP, 1, [&] { EXPECT_EQ(mApp->IsActive(), 1); }},
      {"close once allowed: the window goes and the engine is released", 0, 1, zuzorev::WM_CLOSE, 0,
       [&] {
         EXPECT_TRUE(Window()->IsDestroyed());
         EXPECT_EQ(mApp->GetGame(), nullptr);
         EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"Release No Window Beg."));
         EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"FileSystem Release OK."));
       }},
  };
  Window()->SetDesktopSize(1280, 1024);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gAppStarting = c.starting;
    gCloseAllowed = c.closeAllowed;
    gExitRequest = kExitNone;
    Send(c.message, c.wParam);
    c.check();
  }
}

TEST_F(GameAppTest, ActivityIsAppliedOnlyOnAChangeAndNeverWhileStarting) {
  Start();
  auto activations = [&] {
    const auto infos = mLog.Texts(ELogLevel::Info);
    return std::count_if(infos.begin(), infos.end(),
                         [](const std::wstring& t) { return t.rfind(L"Activate. Active = ", 0) == 0; });
  };
  gAppStarting = 1;
  Send(zuzorev::WM_ACTIVATEAPP, 0);
  EXPECT_EQ(activations(), 0) << "not applied while starting";
  EXPECT_EQ(mApp->GetAppliedActive(), 0) << "but remembered";
  gAppStarting = 0;
  Send(zuzorev::WM_ACTIVATEAPP, 0);
  EXPECT_EQ(activations(), 0) << "no change: the start-up's activation is not replayed";
  Send(zuzorev::WM_ACTIVATEAPP, 1);
  EXPECT_EQ(activations(), 1);
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"Begin Correct Display setings"));
  Send(zuzorev::WM_ACTIVATEAPP, 1);
  EXPECT_EQ(activations(), 1);
}

TEST_F(GameAppTest, LostDeviceOnATurnedDesktopIsCorrectedElseTheLoopEnds) {
  Start();
  Render()->SetTestCooperativeLevel(zuzorev::kDeviceNotReset);
  Window()->SetDesktopSize(1920, 1080);
  mApp->SetDesktopSize(1920, 1080);
  EXPECT_EQ(mApp->RenderGame(0.0f), 0) << "the desktop did not turn";

  Window()->SetDesktopSize(1080, 1920);
  EXPECT_EQ(mApp->RenderGame(0.0f), 1);
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"RenderFrame. Correct display"));
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"Correct Display setings all"));
  EXPECT_EQ(mApp->GetDesktopWidth(), 1080);
  EXPECT_EQ(mApp->GetDesktopHeight(), 1920);
}

// The whole main loop, driven turn by turn: loading, the main menu, the game
// (frame times capped, a pause while inactive), then a window close.
TEST_F(GameAppTest, MainLoopPlaysThroughAndEndsOnAWindowClose) {
  Game::SetLogicFactoryForTests([]() -> CLogic* { return new RecordingLogic(); });
  zuzorev::CTimer::UseManualClock(true);
  Start();
  int turns = 0, inGameTurns = 0;
  RunLoop([&] {
    ++turns;
    bool advance = true;
    if (gGameState == kStateMainMenu && gNextGameState == kStateMainMenu) {
      gPendingGameState = kStateInGame;  // the play menu's button
      gNextGameState = gPendingGameState;
    } else if (gGameState == kStateInGame) {
      ++inGameTurns;
      if (inGameTurns == 3) Focus(false);
      if (inGameTurns == 4) zuzorev::CTimer::AdvanceManualClock(10.0);  // ten seconds away
      if (inGameTurns == 5) {
        Focus(true);
        advance = false;
      }
      if (inGameTurns == 7) Quit();
    }
    if (advance && (mApp->IsActive() || inGameTurns < 3)) zuzorev::CTimer::AdvanceManualClock(0.2);
    if (turns == 2000) {
      ADD_FAILURE() << "the loop should have ended";
      Quit();
    }
  });

  EXPECT_TRUE(InOrder(mLog.Texts(ELogLevel::Info), {L"Start game [OK].", L"gLogic->Play(): Start",
                                                    L"Activate. Active = 0", L"Activate. Active = 1",
                                                    L"Release No Window Beg.", L"FileSystem Release OK."}));
  std::vector<std::wstring> gameErrors;
  for (const auto& r : mLog.Records())
    if (r.level == ELogLevel::Error && r.file.rfind(L"Source/", 0) == 0) gameErrors.push_back(r.text);
  EXPECT_EQ(gameErrors, std::vector<std::wstring>{L"Update game."}) << "the exit state ends the loop";
  const auto& times = RecordingLogic::sUpdateTimes;
  ASSERT_GE(times.size(), 3u);
  EXPECT_FLOAT_EQ(times[0], 0.05f) << "a 0.2 s turn gives the game 0.05 s";
  EXPECT_TRUE(std::find(times.begin(), times.end(), 0.0f) != times.end())
      << "after ten inactive seconds the first turn sees only the time since the timer restarted";
  EXPECT_TRUE(std::all_of(times.begin(), times.end(), [](float t) { return t <= 0.05f; }));
  EXPECT_EQ(gGameState, kStateExit);
  EXPECT_EQ(gCloseAllowed, 1);
  EXPECT_TRUE(Window()->IsDestroyed());
}

TEST_F(GameAppTest, AFailingDisplayChangeClosesTheProgram) {
  Start();
  zuzorev::CTimer::UseManualClock(true);
  int turns = 0;
  RunLoop([&] {
    if (++turns == 1) {
      gVideoSettingsNew = gVideoSettings;
      gVideoSettingsNew.Width = 0;  // no window can take it
      gDisplayRequest = kDisplayReInit;
    }
    zuzorev::CTimer::AdvanceManualClock(0.02);
    if (turns == 100) {
      ADD_FAILURE() << "the loop should have ended";
      Quit();
    }
  });
  EXPECT_TRUE(mLog.Contains(ELogLevel::Error, L"mWindowSys ReInit."));
  EXPECT_TRUE(Window()->IsDestroyed());
  EXPECT_EQ(turns, 1) << "the next turn carries the request out and closes";
}

// A mode change asked for in the main menu (as the options or a profile ask
// for one), carried out by the real loop on a headless device whose ReInit
// fails as often as the row says.
struct DisplayChangeCase {
  const char* name;
  int deviceFailures;
  std::vector<std::wstring> errors;  // the game's error lines, in order
  bool loopCloses;                   // the loop itself ends the program
  // Five turns after the request, when the loop still runs:
  int state, backBufferWidth, backBufferHeight, settingsWidth, videoWidth, playerWidth;
};

void PrintTo(const DisplayChangeCase& c, std::ostream* os) { *os << c.name; }

class GameAppDisplayChange : public GameAppTest, public ::testing::WithParamInterface<DisplayChangeCase> {};

// Written into the Video section when the change is asked for: a section
// that still holds it afterwards was not written by the change (the player's
// record gets a width of 0 for the same reason).
constexpr int kUnwritten = 4321;

TEST_P(GameAppDisplayChange, RequestsOfTheLoopOnTheDevice) {
  const DisplayChangeCase& c = GetParam();
  Game::SetLogicFactoryForTests([]() -> CLogic* { return new RecordingLogic(); });
  zuzorev::CTimer::UseManualClock(true);
  Ini::SetInt(IniPath(), L"Video", L"FullScreen", 0);  // windowed: the back buffer follows the mode
  Start();
  ASSERT_EQ(Render()->GetBackBufferWidth(), 1024);
  ASSERT_EQ(Render()->GetBackBufferHeight(), 768);

  int turns = 0, turnsAfterRequest = -1;
  struct {
    bool taken = false;
    int state, width, height, settingsWidth, videoWidth, videoHeight, playerWidth;
  } seen;
  RunLoop([&] {
    ++turns;
    if (turnsAfterRequest < 0 && gGameState == kStateMainMenu && gNextGameState == kStateMainMenu) {
      turnsAfterRequest = 0;
      Ini::SetInt(IniPath(), L"Video", L"Width", kUnwritten);
      gCurrentPlayer.mWidth = 0;  // likewise for the player's record
      gVideoSettingsNew = gVideoSettings;
      gVideoSettingsNew.Width = 800;
      gVideoSettingsNew.Height = 600;
      gOptionsReturnState = kStateMainMenu;
      gNextGameState = kStateReInitDisplay;
      Render()->SetTestReInitFailures(c.deviceFailures);
    } else if (turnsAfterRequest >= 0 && ++turnsAfterRequest == 5) {
      seen = {true,
              gGameState,
              Render()->GetBackBufferWidth(),
              Render()->GetBackBufferHeight(),
              gVideoSettings.Width,
              Ini::GetInt(IniPath(), L"Video", L"Width", -1),
              Ini::GetInt(IniPath(), L"Video", L"Height", -1),
              static_cast<int>(gCurrentPlayer.mWidth)};
      Quit();
    }
    zuzorev::CTimer::AdvanceManualClock(0.2);
    if (turns == 2000) {
      ADD_FAILURE() << "the loop should have ended";
      Quit();
    }
  });

  ASSERT_GE(turnsAfterRequest, 0) << "the main menu was never reached";
  EXPECT_EQ(Render()->GetTestReInitFailures(), 0) << "every forced failure was used";
  std::vector<std::wstring> gameErrors;
  for (const auto& r : mLog.Records())
    if (r.level == ELogLevel::Error && r.file.rfind(L"Source/", 0) == 0 && r.text != L"Update game.")
      gameErrors.push_back(r.text);  // "Update game." is the quit of the surviving rows
  EXPECT_EQ(gameErrors, c.errors);
  EXPECT_TRUE(Window()->IsDestroyed());
  EXPECT_EQ(mApp->GetGame(), nullptr) << "the engine and the game were released";
  EXPECT_EQ(gCloseAllowed, 1);
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"Release No Window Beg."));

  if (c.loopCloses) {
    EXPECT_FALSE(seen.taken);
    EXPECT_EQ(turnsAfterRequest, 1) << "the turn that retries the old mode closes";
    EXPECT_EQ(gGameState, kStateAfterReInit) << "no state of the game ran after the failed retry";
    return;
  }
  ASSERT_TRUE(seen.taken);
  EXPECT_EQ(seen.state, c.state);
  EXPECT_EQ(seen.width, c.backBufferWidth);
  EXPECT_EQ(seen.height, c.backBufferHeight);
  EXPECT_EQ(seen.settingsWidth, c.settingsWidth);
  EXPECT_EQ(seen.videoWidth, c.videoWidth);
  EXPECT_EQ(seen.videoHeight, 768);
  EXPECT_EQ(seen.playerWidth, c.playerWidth);
  EXPECT_EQ(gGameState, kStateExit);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, GameAppDisplayChange,
    ::testing::Values(
        // The mode in force changes only when the player keeps the new one.
        DisplayChangeCase{"NewModeWorksAndTheKeepQuestionFollows", 0, {}, false, kStateKeepMode, 800, 600, 1024,
                          kUnwritten, 0},
        DisplayChangeCase{"NewModeRefusedAndTheOldOneIsBack", 1, {L"mRenderSys ReInit."}, false, kStateMainMenu,
                          1024, 768, 1024, 1024, 1024},
        DisplayChangeCase{"BothModesRefusedAndTheProgramCloses",
                          2,
                          {L"mRenderSys ReInit.", L"mRenderSys re ReInit."},
                          true,
                          0, 0, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<DisplayChangeCase>& info) { return std::string(info.param.name); });

// A display lost during loading on a turned desktop is corrected inside the
// tick; when the correction keeps failing the load goes on after a bounded
// number of tries, or at once when the player asked to leave.
TEST_F(GameAppTest, DisplayRecoveryDuringLoadingGivesUp) {
  Start();
  static int sleeps;
  LoadProgress::SetRetrySleepForTests([] { ++sleeps; });
  Render()->SetTestCooperativeLevel(zuzorev::kDeviceNotReset);
  gVideoSettings.Width = 0;  // every correction fails
  auto corrections = [&] {
    const auto infos = mLog.Texts(ELogLevel::Info);
    return std::count(infos.begin(), infos.end(), L"LoadProgres. Correct display");
  };
  for (int exitRequest : {kExitNone, kExitWindowClosed}) {
    SCOPED_TRACE(exitRequest);
    mLog.Clear();
    sleeps = 0;
    gExitRequest = exitRequest;
    Window()->SetDesktopSize(1080, 1920);
    mApp->SetDesktopSize(1920, 1080);
    gLoadProgress->Tick(0);
    const int tries = exitRequest ? 1 : LoadProgress::kMaxDisplayRecoveryTries;
    EXPECT_EQ(corrections(), tries);
    EXPECT_EQ(sleeps, tries - 1);
    EXPECT_EQ(mApp->GetDesktopWidth(), 1920) << "the stored size is put back after a failed correction";
    EXPECT_EQ(mLog.Texts(ELogLevel::Warning).size(), 1u);
  }
  LoadProgress::SetRetrySleepForTests(nullptr);
  Render()->SetTestCooperativeLevel(0);
}

}  // namespace

namespace {

// Sound fades run on the frame time of the main loop: a looped sound told
// to fade out over 0.3 s has stopped a few capped 0.05 s turns later.
TEST_F(GameAppTest, MainLoopMovesSoundFadesOnFrameTime) {
  Start();
  zuzorev::CTimer::UseManualClock(true);
  const std::wstring name = L"AS_Dojd_s_grozoi";
  int turns = 0;
  bool listed = false;
  int32_t stateWhileFading = -1, stateAfter = -1;
  RunLoop([&] {
    ++turns;
    if (turns == 1 && gSoundSystem) {
      listed = gSoundSystem->IsInList(name);  // the game start loaded the sample list
      gSoundSystem->PlayLoop(name, 0.0f);
      gSoundSystem->Stop(name, 0.3f);
    }
    if (gSoundSystem && turns == 3) stateWhileFading = gSoundSystem->GetState(name);
    if (gSoundSystem && turns == 11) stateAfter = gSoundSystem->GetState(name);
    zuzorev::CTimer::AdvanceManualClock(0.2);
    if (turns == 12) Quit();
  });
  EXPECT_TRUE(listed);
  EXPECT_EQ(stateWhileFading, rovovoz::kSoundPlaying);
  EXPECT_EQ(stateAfter, rovovoz::kSoundStopped);
}

}  // namespace

namespace {

// One turn of a scripted run as the test sees it after the turn.
struct STurn {
  int state, slide;
  int mouseX, mouseY;
  bool clicked, space;
  bool operator==(const STurn&) const = default;
};

// The real main loop fed by a script alone (no test hooks move the clock
// or push events): a click skips a logo slide, a key reaches the input
// system, the script's quit ends the program. Frame time and seed come
// with the script, so a second run from the same script goes the same way
// to the last turn.
TEST_F(GameAppTest, AScriptedRunSkipsTheLogoAndRepeatsItself) {
  using zuzorev::SInputEvent;
  constexpr int kQuitFrame = 150;
  struct SRun {
    std::vector<STurn> turns;
    int randomAfter = -1;
    bool released = false;
  };
  auto run = [&]() {
    SRun result;
    SampleGame sample;  // a fresh per-user folder: nothing of the last run is read
    gAppStarting = 1;
    gGameApp = mApp = new GameApp();
    if (mApp->Init(L"game.ini") != 1) {
      ADD_FAILURE() << "Init";
      return result;
    }
    // From before the load on: every timer and the random source follow the script.
    auto script = std::make_unique<zuzorev::CEventScript>(0.1f, 2024u);
    script->Add(2, SInputEvent::MouseMove(512, 384));
    script->Add(4, SInputEvent::MouseDown(0, 520, 390));
    script->Add(5, SInputEvent::MouseUp(0, 520, 390));
    script->Add(6, SInputEvent::KeyDown(SDL_SCANCODE_SPACE));
    script->Add(7, SInputEvent::KeyUp(SDL_SCANCODE_SPACE));
    script->Add(14, SInputEvent::MouseDown(0, 530, 400));
    script->Add(14, SInputEvent::MouseUp(0, 530, 400));
    script->Add(kQuitFrame, SInputEvent::Of(zuzorev::EInputEvent::Quit));
    Window()->GetEvents().SetScript(std::move(script));
    EXPECT_EQ(mApp->InitGame(), 1);
    gAppStarting = 0;
    zuzorev::CInputSystem* input = mApp->GetCore()->GetInput();
    RunLoop([&] {
      STurn t{gGameState, -1, 0, 0, input->IsButton(0, zuzorev::kInputDown), input->IsVKey(32, zuzorev::kInputDown)};
      if (gLoadProgress && gLoadProgress->GetLogo()) t.slide = gLoadProgress->GetLogo()->GetSlideIndex();
      input->GetMousePosition(t.mouseX, t.mouseY);
      result.turns.push_back(t);
      if (result.turns.size() == 200) {
        ADD_FAILURE() << "the script's quit should have ended the loop";
        Quit();
      }
    });
    result.randomAfter = Platform::Random();
    result.released = mApp->GetGame() == nullptr && Window()->IsDestroyed();
    mApp->ReleaseGame();
    delete mApp;
    gGameApp = mApp = nullptr;
    ResetShellGlobals();
    return result;
  };

  const SRun first = run();
  ASSERT_GT(first.turns.size(), 15u);
  const auto& turns = first.turns;
  // Turn n reads the input of frame n.
  EXPECT_EQ(turns[2].mouseX, 512);
  EXPECT_EQ(turns[4].mouseX, 520) << "the press moves the pointer too";
  EXPECT_TRUE(turns[4].clicked);
  EXPECT_TRUE(turns[6].space);
  EXPECT_EQ(std::count_if(turns.begin(), turns.end(), [](const STurn& t) { return t.space; }), 1);
  EXPECT_EQ(std::count_if(turns.begin(), turns.end(), [](const STurn& t) { return t.clicked; }), 2);
  EXPECT_EQ(turns[3].slide, 0);
  // The click fades the first slide out over 0.5 s: five frames, not the
  // three seconds the slide would last.
  auto firstTurnOf = [&](auto pred) {
    return static_cast<int>(std::find_if(turns.begin(), turns.end(), pred) - turns.begin());
  };
  const int secondSlide = firstTurnOf([](const STurn& t) { return t.slide == 1; });
  EXPECT_GE(secondSlide, 8);
  EXPECT_LE(secondSlide, 10);
  // The second click skips the last slide: after the title scene's 4.5 s
  // fly-in the main menu is up long before the six seconds both slides and
  // the fly-in would take.
  const int menu = firstTurnOf([](const STurn& t) { return t.state == kStateMainMenu; });
  const int loaded = firstTurnOf([](const STurn& t) { return t.state == kStateLoadingDone; });
  EXPECT_LT(loaded, 30);
  // (frames count at most 0.05 s each)
  EXPECT_GE(menu - loaded, 90) << "the fly-in runs its 4.5 s";
  EXPECT_LT(menu, 30 + 92);
  // The quit comes with frame 150: that turn leaves for the exit state, the
  // next ends the loop.
  ASSERT_EQ(static_cast<int>(turns.size()), kQuitFrame + 1);
  EXPECT_EQ(turns[kQuitFrame - 1].state, kStateMainMenu);
  EXPECT_EQ(turns[kQuitFrame].state, kStateExit);
  EXPECT_TRUE(first.released);

  const SRun second = run();
  EXPECT_TRUE(second.turns == first.turns);
  EXPECT_EQ(second.randomAfter, first.randomAfter);
}

}  // namespace

namespace {

// A new player's first evening through the real main loop, fed by a script
// alone: the title scene flies in, Play without a player asks for a name,
// the name is typed and confirmed with Enter, and the story starts for the
// new player, whose profile is then on disk.
TEST_F(GameAppTest, ANewPlayerIsCreatedFromTheTitleScreenAndTheStoryStarts) {
  using zuzorev::SInputEvent;
  constexpr int kQuitFrame = 290;
  gGameApp = mApp = new GameApp();
  ASSERT_EQ(mApp->Init(L"game.ini"), 1);
  // Where the Play button stands on the window once the panel has risen.
  float wx = 0, wy = 0;
  Render()->VirtualToWindow(512.0f, 322.0f, wx, wy);
  const int playX = static_cast<int>(wx), playY = static_cast<int>(wy);
  auto script = std::make_unique<zuzorev::CEventScript>(0.1f, 7u);
  // The logo's two slides are clicked away.
  script->Add(4, SInputEvent::MouseDown(0, 520, 390));
  script->Add(5, SInputEvent::MouseUp(0, 520, 390));
  script->Add(14, SInputEvent::MouseDown(0, 530, 400));
  script->Add(14, SInputEvent::MouseUp(0, 530, 400));
  // Play, once the panel has risen into place (6 s into the title scene).
  script->Add(180, SInputEvent::MouseMove(playX, playY));
  script->Add(181, SInputEvent::MouseDown(0, playX, playY));
  script->Add(182, SInputEvent::MouseUp(0, playX, playY));
  SInputEvent typed = SInputEvent::Of(zuzorev::EInputEvent::Text);
  typed.text = L"Mira";
  script->Add(215, typed);
  script->Add(220, SInputEvent::KeyDown(SDL_SCANCODE_RETURN));
  script->Add(221, SInputEvent::KeyUp(SDL_SCANCODE_RETURN));
  script->Add(kQuitFrame, SInputEvent::Of(zuzorev::EInputEvent::Quit));
  Window()->GetEvents().SetScript(std::move(script));
  ASSERT_EQ(mApp->InitGame(), 1);
  gAppStarting = 0;
  std::vector<int> states;
  std::wstring playerAtGame;
  RunLoop([&] {
    states.push_back(gGameState);
    if (gGameState == kStateInGame && playerAtGame.empty()) playerAtGame = gCurrentPlayer.mName;
    if (states.size() == 400) Quit();
  });
  auto firstTurnOf = [&](int state) {
    return static_cast<int>(std::find(states.begin(), states.end(), state) - states.begin());
  };
  const int menu = firstTurnOf(kStateMainMenu);
  const int nameEntry = firstTurnOf(kStateUserNameFromPlay);
  const int game = firstTurnOf(kStateInGame);
  EXPECT_LT(menu, 180);
  EXPECT_GT(nameEntry, 181);
  EXPECT_LT(nameEntry, 190) << "Play without a player asks for a name at once";
  EXPECT_GT(game, 221);
  EXPECT_LT(game, 240) << "Enter confirms the name and the story starts";
  EXPECT_EQ(playerAtGame, L"Mira");
  EXPECT_TRUE(std::filesystem::exists(mSample.User().Path() / "Users" / "Mira.dat"));
  std::wstring remembered;
  Ini::GetString(mSample.User().IniPath(), L"Game", L"PlayerName", remembered, L"");
  EXPECT_EQ(remembered, L"Mira");
}

}  // namespace
