// Developer commands: the key chords with F1 held, the typed command line,
// the jumps between steps and the reload of the chapters.
#include "LogicTestSupport.h"

#include "Levels/BaseLevel.h"

namespace logictest {
namespace {

using zuzorev::ELogLevel;

class DebugTest : public StepRunnerTest {
 protected:
  void SetUp() override {
    StepRunnerTest::SetUp();
    gAppConfig.mCheatOn = 1;
  }
  void StartAt(const wchar_t* step) {
    gCurrentPlayer.mStepName = step;
    Enter();
    ASSERT_EQ(CurrentName(), step);
    Events().clear();
  }
};

TEST_F(DebugTest, EachChordGivesItsCommandOnlyWhileF1IsHeld) {
  struct SCase {
    std::vector<SDL_Scancode> held;
    std::vector<SDL_Scancode> pressed;
    const wchar_t* command;  // null: none
  };
  const SCase cases[] = {
      {{SDL_SCANCODE_F1, SDL_SCANCODE_E}, {SDL_SCANCODE_KP_PLUS}, L"next episod"},
      {{SDL_SCANCODE_F1, SDL_SCANCODE_R}, {SDL_SCANCODE_KP_PLUS}, L"next rolik"},
      {{SDL_SCANCODE_F1, SDL_SCANCODE_E}, {SDL_SCANCODE_KP_MINUS}, L"prew episod"},
      {{SDL_SCANCODE_F1, SDL_SCANCODE_R}, {SDL_SCANCODE_KP_MINUS}, L"prew rolik"},
      {{SDL_SCANCODE_F1}, {SDL_SCANCODE_KP_PLUS}, L"next"},
      {{SDL_SCANCODE_F1}, {SDL_SCANCODE_KP_MINUS}, L"prew"},
      {{SDL_SCANCODE_F1}, {SDL_SCANCODE_KP_0}, L"beg"},
      {{SDL_SCANCODE_F1}, {SDL_SCANCODE_L}, L"reload"},
      {{}, {SDL_SCANCODE_KP_PLUS}, nullptr},
      {{SDL_SCANCODE_F1}, {SDL_SCANCODE_E}, nullptr},
  };
  for (const SCase& c : cases) {
    mKeys.Frame(c.held, c.pressed);
    std::wstring command = L"stale";
    EXPECT_EQ(mLogic.ReadDebugKey(command), c.command != nullptr) << (c.command ? c.command : L"none");
    EXPECT_EQ(command, c.command ? c.command : L"");
  }
}

TEST_F(DebugTest, ChordsActOnlyInGameWithCheatsOn) {
  struct SCase {
    int cheat;
    int gameState;
    const wchar_t* landsOn;
  };
  for (const SCase c : {SCase{0, kStateInGame, L"E1"}, SCase{1, kStatePauseMenu, L"E1"}, SCase{1, kStateInGame, L"R_Middle"}}) {
    mLogic.Release();
    ASSERT_EQ(mLogic.LoadSteps(L"Data\\Logic\\Steps.xml"), 1);
    AddEpisod(L"Ep1", {L"Back_1.xml"});
    AddRolik(L"Middle");
    StartAt(L"E1");
    gAppConfig.mCheatOn = c.cheat;
    gGameState = c.gameState;
    mKeys.Frame({SDL_SCANCODE_F1}, {SDL_SCANCODE_KP_PLUS});
    mLogic.Update(0.02f, nullptr);
    EXPECT_EQ(CurrentName(), c.landsOn) << c.cheat << " " << c.gameState;
  }
}

TEST_F(DebugTest, JumpsMoveBetweenStepsAndEraseTheScenesOfTheChaptersPassed) {
  struct SCase {
    const wchar_t* from;
    const wchar_t* command;
    const wchar_t* landsOn;
    bool back1Erased;  // the saved state of the first chapter's scene
  };
  const SCase cases[] = {
      {L"E1", L"next", L"R_Middle", true},
      {L"E1", L"next episod", L"E2", true},
      {L"R_Intro", L"next rolik", L"R_Middle", true},
      {L"R_Intro", L"next mini", L"M_Lock", true},
      {L"R_Intro", L"next map", L"R_Intro", false},
      {L"E2", L"prew", L"R_Middle", false},
      {L"E2", L"prew episod", L"E1", true},
      {L"R_Middle", L"prew", L"R_Intro", true},
      {L"E1", L"beg", L"E1", true},
      {L"M_Lock", L"episod Ep1", L"E1", true},
      {L"E1", L"episod Ep2", L"E2", true},
      {L"E2", L"rolik middle", L"R_Middle", true},
      {L"E2", L"episod", L"E2", false},
      {L"E2", L"mini Lock", L"E2", false},
      {L"E2", L"dance", L"E2", false},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << FakeEpisod::Narrow(c.from) << " / " << FakeEpisod::Narrow(c.command));
    mLogic.Release();
    ASSERT_EQ(mLogic.LoadSteps(L"Data\\Logic\\Steps.xml"), 1);
    AddEpisod(L"Ep1", {L"Back_1.xml"});
    AddEpisod(L"Ep2", {L"Back_2.xml"});
    AddRolik(L"Intro");
    AddRolik(L"Middle");
    AddMiniGame(L"Lock");
    auto* hall = new CBaseLevel();
    hall->SetName(L"Back_1.xml");
    gLevels.push_back(hall);
    gCurrentPlayer = PlayerRecord();
    StartAt(c.from);
    gCurrentPlayer.mBackSaves[L"Back_1.xml"];
    gCurrentPlayer.mItems.push_back({L"Key", 1});
    gCurrentPlayer.mGhostCount = 4;
    EXPECT_EQ(mLogic.ExecuteDebugCommand(c.command, false), 1);
    EXPECT_EQ(CurrentName(), c.landsOn);
    EXPECT_EQ(gCurrentPlayer.mBackSaves.count(L"Back_1.xml") == 0, c.back1Erased);
    EXPECT_EQ(FakeEpisod::sAlive, mLogic.GetEpisod() ? 1 : 0);
  }
}

TEST_F(DebugTest, ATypedLineGoesToTheRunningChapterFirst) {
  StartAt(L"E1");
  FakeEpisod::sOpenHogResult = true;
  EXPECT_EQ(mLogic.ExecuteDebugCommand(L"next", true), 1);
  EXPECT_TRUE(Happened("Episod.OpenHog(next)"));
  EXPECT_EQ(CurrentName(), L"E1");

  FakeEpisod::sOpenHogResult = false;
  EXPECT_EQ(mLogic.ExecuteDebugCommand(L"next", true), 1);
  EXPECT_EQ(CurrentName(), L"R_Middle");
  // A line without words does nothing.
  EXPECT_EQ(mLogic.ExecuteDebugCommand(L"   ", true), 0);
  EXPECT_EQ(mLogic.ExecuteDebugCommand(L"", false), 0);
}

TEST_F(DebugTest, ReloadRestartsTheRunningChapterAndLeavesNoDeletedChapterBehind) {
  gCurrentPlayer.mEpisodInfo.mName = L"Ep1";
  StartAt(L"E1");
  mKeys.Frame({SDL_SCANCODE_F1}, {SDL_SCANCODE_L});
  mLogic.Update(0.02f, nullptr);
  mKeys.Clear();
  // The old chapter left its scene and was deleted before the new one was
  // made from the saved progress.
  EXPECT_EQ((std::vector<std::string>{"Episod.UnLoadCurrent", "Episod.Delete", "Episod.InitScenes(Ep1)",
                                      "Episod.Start"}),
            Events());
  EXPECT_EQ(CurrentName(), L"E1");
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateEpisod);
  // The task file of the fixture does not hold the chapter: the chapters in
  // use stay.
  EXPECT_EQ(mLogic.m_Episods.count(L"Ep1"), 1u);
  mLogic.Update(0.02f, nullptr);
  EXPECT_TRUE(Happened("Episod.Update"));

  // Suspended under a menu, the same.
  FakeEpisod::sUpdateResult = 2;
  mLogic.Update(0.02f, nullptr);
  FakeEpisod::sUpdateResult = 0;
  ASSERT_EQ(mLogic.GetState(), CLogic::kStateSuspended);
  gGameState = kStateInGame;
  EXPECT_EQ(mLogic.ExecuteDebugCommand(L"reload", false), 1);
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateEpisod);
  EXPECT_EQ(FakeEpisod::sAlive, 1);
}

TEST_F(DebugTest, ReloadOutsideAChapterRestartsTheCurrentStep) {
  StartAt(L"R_Middle");
  EXPECT_EQ(mLogic.ExecuteDebugCommand(L"RELOAD", false), 1);
  EXPECT_EQ(CurrentName(), L"R_Middle");
  EXPECT_EQ((std::vector<std::string>{"Rolik.Stop(1)", "Rolik.UnLoad", "Rolik.Load", "Rolik.Start"}), Events());
}

}  // namespace
}  // namespace logictest
