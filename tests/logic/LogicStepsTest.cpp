// The step list file and the step runner, driven through Update with
// stand-ins for the chapter, the cut-scene and the mini-game frame.
#include "LogicTestSupport.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Levels/BaseLevel.h"

namespace logictest {
namespace {

using zuzorev::ELogLevel;

// ---- the step list file ---------------------------------------------------

TEST_F(LogicTest, StepListReadsEveryKindInAnyLetterCaseAndSkipsTheRest) {
  ASSERT_EQ(mLogic.LoadSteps(L"Steps\\Kinds.xml"), 1);
  struct SRow {
    uint32_t type;
    const wchar_t* nameStep;
    const wchar_t* name;
    const wchar_t* nameState;
    const wchar_t* value;
    const wchar_t* value2;
  };
  const SRow expected[] = {
      {kStepRolik, L"A", L"Intro", L"", L"", L""},
      {kStepLevel, L"B", L"Ep1", L"InitEpisod", L"12", L"-3.5"},
      {kStepMap, L"C", L"", L"", L"", L""},
      {kStepMiniGame, L"D", L"Lock", L"", L"", L""},
      {kStepRolik, L"A", L"Again", L"", L"", L""},
      {kStepLevel, L"", L"EmptyName", L"", L"", L""},
  };
  ASSERT_EQ(mLogic.GetStepCount(), 6);
  for (int i = 0; i < 6; ++i) {
    const SLogicStep* step = mLogic.GetStep(i);
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->Type, expected[i].type) << i;
    EXPECT_EQ(step->NameStep, expected[i].nameStep) << i;
    EXPECT_EQ(step->Name, expected[i].name) << i;
    EXPECT_EQ(step->NameState, expected[i].nameState) << i;
    EXPECT_EQ(step->Value, expected[i].value) << i;
    EXPECT_EQ(step->Value2, expected[i].value2) << i;
  }
  EXPECT_TRUE(mLog.Texts(ELogLevel::Error).empty());
  // An index outside the list is no step.
  EXPECT_EQ(mLogic.GetStep(-1), nullptr);
  EXPECT_EQ(mLogic.GetStep(6), nullptr);
}

TEST_F(LogicTest, StepListFilesThatCannotBeReadFailWithTheirNameAndLeaveNoSteps) {
  struct SCase {
    const wchar_t* file;
    int result;
    bool namedAsStepList;
  };
  const SCase cases[] = {
      {L"Steps\\Missing.xml", 0, true},
      {L"Steps\\Empty.xml", 0, true},
      {L"Steps\\Truncated.xml", 0, true},
      {L"Steps\\NoRoot.xml", 1, false},
  };
  for (const SCase& c : cases) {
    ASSERT_EQ(mLogic.LoadSteps(L"Data\\Logic\\Steps.xml"), 1);
    mLog.Clear();
    EXPECT_EQ(mLogic.LoadSteps(c.file), c.result) << c.file;
    EXPECT_EQ(mLogic.GetStepCount(), 0) << c.file;
    const std::wstring line = std::wstring(L"Load file xml ") + c.file + L" info steps logic.";
    EXPECT_EQ(mLog.Contains(ELogLevel::Error, line), c.namedAsStepList) << c.file;
  }
}

TEST_F(LogicTest, TheStepListIsFoundWhateverTheLetterCaseOfItsName) {
  EXPECT_EQ(mLogic.LoadSteps(L"DATA\\logic\\steps.XML"), 1);
  EXPECT_EQ(mLogic.GetStepCount(), 7);
}

// ---- starting and resuming ------------------------------------------------


TEST_F(StepRunnerTest, ANewStoryWalksEveryKindOfStepAndEndsBackAtTheMainMenu) {
  gCurrentPlayer.mItems.push_back({L"OldKey", 1});
  Enter();
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"ClearInfoLogicPlayer() OK"));
  EXPECT_TRUE(gCurrentPlayer.mItems.empty());

  // The cut-scene: its description is read on its first playback.
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateRolik);
  EXPECT_EQ(gCurrentPlayer.mStepName, L"R_Intro");
  EXPECT_TRUE(Happened("Rolik.LoadFile"));
  EXPECT_TRUE(Happened("Rolik.Start"));
  mLogic.Update(0.02f, nullptr);
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateRolik);
  Events().clear();
  EndRolik(mIntro);

  // Its end stops it and runs both steps of the chapter in the same frame.
  EXPECT_EQ((std::vector<std::string>{"Rolik.Update", "Rolik.Stop(0)", "Episod.Init(Ep1)", "Episod.Start"}), Events());
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateEpisod);
  EXPECT_EQ(CurrentName(), L"E1");
  EXPECT_EQ(gCurrentPlayer.mEpisodName, L"Ep1");
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mName, L"Ep1");
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"pTempEpisod->Init() OK"));
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"StartEpisod OK"));

  // The chapter ends: it is deleted, the saved state of its scenes erased.
  auto* hall = new CBaseLevel();
  hall->SetName(L"Back_1.xml");
  gLevels.push_back(hall);
  gCurrentPlayer.mBackSaves[L"Back_1.xml"];
  gCurrentPlayer.mBackSaves[L"Back_7.xml"];
  FakeEpisod::sUpdateResult = 1;
  mLogic.Update(0.02f, nullptr);
  EXPECT_EQ(mLogic.GetEpisod(), nullptr);
  EXPECT_EQ(gCurrentPlayer.mBackSaves.count(L"Back_1.xml"), 0u);
  EXPECT_EQ(gCurrentPlayer.mBackSaves.count(L"Back_7.xml"), 1u);
  EXPECT_EQ(CurrentName(), L"R_Middle");
  FakeEpisod::sUpdateResult = 0;

  EndRolik(mMiddle);
  EXPECT_EQ(CurrentName(), L"E2");
  FakeEpisod::sUpdateResult = 1;
  mLogic.Update(0.02f, nullptr);
  FakeEpisod::sUpdateResult = 0;

  // The mini-game runs until it is complete.
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateMiniGame);
  EXPECT_EQ(mLogic.GetTempMiniGame(), mLock);
  EXPECT_TRUE(Happened("Mini.Load"));
  EXPECT_TRUE(Happened("Mini.Start"));
  mLogic.Update(0.02f, nullptr);
  EXPECT_FALSE(Happened("Mini.UnLoad"));
  mLock->mComplete = true;
  gCurrentPlayer.mItems.push_back({L"Wick", 1});
  mLogic.Update(0.02f, nullptr);
  EXPECT_TRUE(Happened("Mini.UnLoad"));

  // Past the last step: the player's story starts over, main menu.
  EXPECT_EQ(gNextGameState, kStateMainMenu);
  EXPECT_TRUE(gCurrentPlayer.mStepName.empty());
  EXPECT_TRUE(gCurrentPlayer.mItems.empty());
  EXPECT_TRUE(mLog.Texts(ELogLevel::Error).empty());
}

TEST_F(StepRunnerTest, ASavedStepInTheMiddleOfAChapterReloadsItFromTheSavedProgress) {
  gCurrentPlayer.mStepName = L"E1";
  gCurrentPlayer.mEpisodInfo.mName = L"Ep1";
  gCurrentPlayer.mEpisodInfo.mLevelName = L"Back_1.xml";
  gCurrentPlayer.mItems.push_back({L"Key", 1});
  Enter();
  EXPECT_EQ(CurrentName(), L"E1");
  EXPECT_EQ((std::vector<std::string>{"Episod.InitScenes(Ep1)", "Episod.Start"}), Events());
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"pTempEpisod == NULL"));
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"LoadEpisod OK"));
  // The saved progress is kept, and so are the items.
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mLevelName, L"Back_1.xml");
  EXPECT_EQ(gCurrentPlayer.mItems.size(), 1u);
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateEpisod);
}

TEST_F(StepRunnerTest, AnUnknownSavedStepForgetsTheProgressAndStartsAtTheFirstStep) {
  gCurrentPlayer.mStepName = L"Gone";
  gCurrentPlayer.mEpisodName = L"Ep9";
  gCurrentPlayer.mBackSaves[L"Back_9.xml"];
  gCurrentPlayer.mItems.push_back({L"Key", 1});
  gCurrentPlayer.mNameValues[L"mark"] = 1;
  Enter();
  EXPECT_TRUE(mLog.Contains(ELogLevel::Error, L"No find steps logic Name = Gone"));
  EXPECT_EQ(CurrentName(), L"R_Intro");
  EXPECT_EQ(gCurrentPlayer.mStepName, L"R_Intro");
  EXPECT_TRUE(gCurrentPlayer.mEpisodName.empty());
  EXPECT_TRUE(gCurrentPlayer.mBackSaves.empty());
  EXPECT_TRUE(gCurrentPlayer.mItems.empty());
  EXPECT_TRUE(gCurrentPlayer.mNameValues.empty());
}

TEST_F(LogicTest, AnEmptyStepListDoesNotStartTheStory) {
  ASSERT_EQ(mLogic.LoadSteps(L"Steps\\NoRoot.xml"), 1);
  EXPECT_EQ(mLogic.Play(), 0);
  EXPECT_TRUE(mLog.Contains(ELogLevel::Error, L"Empty steps logic."));
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateNone);
  mLog.Clear();
  gCurrentPlayer.mStepName = L"E1";
  EXPECT_EQ(mLogic.Play(), 0);
  EXPECT_TRUE(mLog.Texts(ELogLevel::Error).empty());
  // Nothing runs, nothing breaks.
  mLogic.Update(0.5f, nullptr);
  mLogic.Render();
}

TEST_F(LogicTest, AMapStepOrAnotherStateWordStartsNothing) {
  ASSERT_EQ(mLogic.LoadSteps(L"Steps\\MapStep.xml"), 1);
  for (const wchar_t* saved : {L"Map1", L"Odd"}) {
    gCurrentPlayer.mStepName = saved;
    Enter();
    EXPECT_EQ(CurrentName(), saved);
    EXPECT_EQ(mLogic.GetState(), CLogic::kStateEnter);
    EXPECT_EQ(mLogic.GetEpisod(), nullptr);
    mLogic.Update(0.02f, nullptr);
    EXPECT_EQ(CurrentName(), saved);
  }
  EXPECT_TRUE(Events().empty());
}

// ---- steps that cannot start ------------------------------------------------

TEST_F(StepRunnerTest, StepsThatCannotStartAreSkippedWithTheirErrorLine) {
  struct SCase {
    const char* what;
    const wchar_t* saved;
    void (*spoil)(StepRunnerTest&);
    const wchar_t* error;  // null: skipped without a line
    const wchar_t* landsOn;
  };
  const SCase cases[] = {
      {"unknown cut-scene", L"R_Intro", [](StepRunnerTest&) { delete gRoliki[L"Intro"]; gRoliki.erase(L"Intro"); },
       nullptr, L"E1"},
      {"unknown mini-game", L"M_Lock",
       [](StepRunnerTest&) {
         delete gMiniGames[0];
         gMiniGames.clear();
       },
       L"Start mini game Lock", L"<none>"},
      {"unknown chapter", L"E1_Init", [](StepRunnerTest& t) { t.mLogic.m_Episods.erase(L"Ep1"); },
       L"Init episod Name = %", L"R_Middle"},
      {"chapter set-up refused", L"E1_Init", [](StepRunnerTest&) { FakeEpisod::sInitResult = false; },
       L"Init Episod Ep1", L"R_Middle"},
      {"chapter start refused", L"E1_Init", [](StepRunnerTest&) { FakeEpisod::sStartResult = false; },
       L"Start episod Ep1", L"R_Middle"},
      {"chapter object not made", L"E1_Init",
       [](StepRunnerTest&) { SetEpisodFactoryForTests(+[]() -> CBaseEpisod* { return nullptr; }); },
       L"New memory episod Name = %", L"R_Middle"},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.what);
    mLogic.Release();
    ASSERT_EQ(mLogic.LoadSteps(L"Data\\Logic\\Steps.xml"), 1);
    AddEpisod(L"Ep1", {L"Back_1.xml"});
    AddEpisod(L"Ep2", {L"Back_2.xml"});
    AddRolik(L"Intro");
    mMiddle = AddRolik(L"Middle");
    AddMiniGame(L"Lock");
    FakeEpisod::Reset();
    gCurrentPlayer = PlayerRecord();
    gCurrentPlayer.mStepName = c.saved;
    c.spoil(*this);
    mLog.Clear();
    Enter();
    EXPECT_EQ(CurrentName(), c.landsOn);
    if (c.error) {
      EXPECT_TRUE(mLog.Contains(ELogLevel::Error, c.error));
    }
    // No chapter that did not start is left behind to be started later.
    if (std::wstring(c.landsOn) == L"R_Middle") {
      EXPECT_EQ(mLogic.GetEpisod(), nullptr);
    }
  }
}

TEST_F(StepRunnerTest, ACutSceneWhoseDescriptionDoesNotLoadEndsOnTheNextFrame) {
  delete gRoliki[L"Intro"];
  mIntro = AddRolik(L"Intro", 0);
  Enter();
  EXPECT_TRUE(mLog.Contains(ELogLevel::Error, L"Load rolik Intro"));
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateRolik);
  EXPECT_FALSE(Happened("Rolik.Start"));
  mLogic.Update(0.02f, nullptr);
  EXPECT_EQ(CurrentName(), L"E1");
}

TEST_F(StepRunnerTest, ACutSceneStaysTheCurrentOneOverTheNextSceneWhenItsDescriptionSaysSo) {
  mIntro->SetHideOnLevel();
  Enter();
  EXPECT_EQ(gCurrentRolik, mIntro);
  // A second playback only loads it again.
  Events().clear();
  gCurrentPlayer.mStepName = L"R_Intro";
  Enter();
  EXPECT_EQ((std::vector<std::string>{"Rolik.Load", "Rolik.Start"}), Events());
}

// ---- menus over the game, leaving ------------------------------------------

TEST_F(StepRunnerTest, AChapterAskingForAMenuIsSuspendedAndResumed) {
  gCurrentPlayer.mStepName = L"E1";
  Enter();
  struct SCase {
    int32_t result;
    int gameState;
  };
  for (const SCase c : {SCase{2, kStatePauseMenu}, SCase{3, kStateExtrasOverGame}}) {
    FakeEpisod::sUpdateResult = c.result;
    Events().clear();
    mLogic.Update(0.02f, nullptr);
    FakeEpisod::sUpdateResult = 0;
    EXPECT_EQ(gNextGameState, c.gameState);
    EXPECT_EQ(mLogic.GetState(), CLogic::kStateSuspended);
    EXPECT_EQ(mLogic.GetPrevState(), CLogic::kStateEpisod);
    // Behind the menu the chapter only ticks.
    mLogic.Update(0.02f, nullptr);
    mLogic.UpdateEpisod(0.02f);
    EXPECT_EQ((std::vector<std::string>{"Episod.Update", "Episod.Pause", "Episod.Tick", "Episod.Tick"}), Events());
    mLogic.ResumeCurrent();
    EXPECT_TRUE(Happened("Episod.Resume"));
    EXPECT_EQ(mLogic.GetState(), CLogic::kStateEpisod);
  }
}

TEST_F(StepRunnerTest, LeavingTheStorySavesTheStepNameInTheProfileFileAndReturnsToTheMainMenu) {
  UsePlayer(L"Keeper");
  gCurrentPlayer.mStepName = L"E1";
  Enter();
  // The player leaves through the pause menu.
  FakeEpisod::sUpdateResult = 2;
  mLogic.Update(0.02f, nullptr);
  FakeEpisod::sUpdateResult = 0;
  mLogic.StopEpisod();
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateLeave);
  EXPECT_TRUE(Happened("Episod.Stop"));
  mLogic.Update(0.5f, nullptr);
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateLeave);
  mLogic.Update(0.5f, nullptr);
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateBackToMenu);
  EXPECT_TRUE(Happened("Episod.PrepareSave"));

  PlayerList reread(mUser.Path());
  reread.Load();
  PlayerRecord saved;
  ASSERT_GE(reread.FindPlayer(L"Keeper", saved), 0);
  EXPECT_EQ(saved.mStepName, L"E1");
  EXPECT_EQ(saved.mEpisodName, L"Ep1");

  EXPECT_NE(gNextGameState, kStateMainMenu);
  mLogic.Update(1.0f, nullptr);
  EXPECT_EQ(gNextGameState, kStateMainMenu);
}

TEST_F(StepRunnerTest, EscapeInAMiniGameStepAsksForTheMainMenuAndLeavesTheMiniGameLoaded) {
  gCurrentPlayer.mStepName = L"M_Lock";
  Enter();
  ASSERT_EQ(mLogic.GetState(), CLogic::kStateMiniGame);
  mKeys.Frame({}, {SDL_SCANCODE_ESCAPE});
  mLogic.Update(0.02f, nullptr);
  EXPECT_EQ(gNextGameState, kStateMainMenu);
  EXPECT_FALSE(Happened("Mini.UnLoad"));
  EXPECT_EQ(mLogic.GetState(), CLogic::kStateMiniGame);
}

TEST_F(StepRunnerTest, SavingWithNoCurrentStepWritesAnEmptyStepName) {
  UsePlayer(L"Keeper");
  gCurrentPlayer.mStepName = L"E1";
  mLogic.SaveCurrentStepName(0);
  PlayerList reread(mUser.Path());
  reread.Load();
  PlayerRecord saved;
  ASSERT_GE(reread.FindPlayer(L"Keeper", saved), 0);
  EXPECT_TRUE(saved.mStepName.empty());
}

TEST_F(LogicTest, TheFadeRunsForExactlyOneSecondOfFrameTime) {
  mLogic.StartFadeIn();
  for (int i = 1; i <= 3; ++i) {
    EXPECT_TRUE(mLogic.UpdateFade(0.25f)) << i;
    EXPECT_FLOAT_EQ(mLogic.GetFadeAlpha(), 0.25f * static_cast<float>(i));
  }
  EXPECT_FALSE(mLogic.UpdateFade(0.25f));
  EXPECT_FLOAT_EQ(mLogic.GetFadeAlpha(), 1.0f);
  EXPECT_FALSE(mLogic.UpdateFade(0.25f));
  mLogic.StartFadeOut();
  EXPECT_TRUE(mLogic.UpdateFade(0.75f));
  EXPECT_FALSE(mLogic.UpdateFade(0.5f));
  EXPECT_FLOAT_EQ(mLogic.GetFadeAlpha(), 0.0f);
}

}  // namespace
}  // namespace logictest

namespace logictest {
namespace {

// The data names the task file "logic.xml" in one place and "Logic.xml" in
// another: both reach the one file.
TEST_F(LogicTest, DataNamesReachTheirFileWhateverTheLetterCase) {
  for (const wchar_t* name : {L"Data\\Logic\\logic.xml", L"Data\\Logic\\Logic.xml", L"data/LOGIC/LOGIC.XML"}) {
    EXPECT_TRUE(mFs.FileExist(name)) << FakeEpisod::Narrow(name);
    TiXmlDocument document;
    EXPECT_TRUE(LoadXmlDocument(document, name, &mFs)) << FakeEpisod::Narrow(name);
    EXPECT_NE(RootElementUpper(document, "Logic"), nullptr);
  }
}

}  // namespace
}  // namespace logictest
