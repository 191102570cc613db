// The chapter's states: opening scenes with their fades, cut-scenes,
// menus, mini-games and the chapter's end, as the logic drives them frame
// by frame.
#include <algorithm>

#include "EpisodTestSupport.h"

namespace episodtest {
namespace {

using zuzorev::ELogLevel;

TEST_F(EpisodTest, StartOpensTheFirstSceneUnderAClearingFadeThenPlaysIt) {
  CBaseEpisod& e = StartInHall();
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateSceneFadeIn);
  EXPECT_EQ(e.GetCurrentScene(), mHall);
  EXPECT_GE(IndexOf(L"Hall.StartBack(1)"), 0);
  EXPECT_LT(IndexOf(L"Hall.Load(1)"), IndexOf(L"Hall.StartBack(1)"));
  EXPECT_EQ(e.GetFadeAlpha(), 1.0f);
  EXPECT_EQ(e.GetFadeDirection(), -1);
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mLevelName, L"Hall");

  // Speed 2.0: half a second clears the overlay.
  EXPECT_EQ(Frame(0.25f), 0);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateSceneFadeIn);
  EXPECT_EQ(Frame(0.25f), 0);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateScene);
  EXPECT_EQ(e.GetFadeDirection(), 0);
  EXPECT_FALSE(Called(L"Hall.Update"));
  Frame();
  EXPECT_TRUE(Called(L"Hall.Update"));
  EXPECT_TRUE(Called(L"Hall.OnEpisodeStarted")) << "once after the start";
}

TEST_F(EpisodTest, OpeningAnotherSceneFadesOutClosesTheOldAndStartsTheNew) {
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  Action(L"go_study", {Op(1, 12, L"study", L"hog")});  // names match in any case
  e.RunAction(L"go_study", 0, nullptr, -1);
  EXPECT_EQ(e.GetNextState(), CBaseEpisod::kStateSceneFadeOut);
  EXPECT_TRUE(e.IsHogScene());
  Frame();
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateSceneFadeOut);
  EXPECT_EQ(e.GetFadeDirection(), 1);
  RunUntilState(CBaseEpisod::kStateSceneFadeIn, 10);
  EXPECT_EQ(e.GetCurrentScene(), mStudy);
  EXPECT_TRUE(Called(L"Hall.UnLoad(3)"));
  EXPECT_TRUE(Called(L"Study.StartBack(9)")) << "a hidden-object scene starts with mode 9";
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mLevelName, L"Study");
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mLevelIsHog, 1u);
}

TEST_F(EpisodTest, ACutSceneEndsBackInTheProgressSceneAndItsEndActionRunsOnTheFirstFrame) {
  FakeRolik* intro = AddRolik(L"Intro");
  Action(L"a_end_rolik_Intro", {MarkOp(L"after")});
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  e.StartRolik(L"Intro", 0);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateVideo);
  EXPECT_EQ(gCurrentPlayer.TempRolik, L"Intro") << "kept so that a reload plays it again";
  EXPECT_TRUE(Called(L"Intro.Start"));
  EXPECT_TRUE(mLog.Contains(ELogLevel::Info, L"Load rolik Intro OK"));
  Frame();
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateVideo);

  intro->ended = true;
  Frame();
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateSceneFadeIn);
  EXPECT_EQ(e.GetPendingAction(), L"a_end_rolik_Intro");
  EXPECT_TRUE(gCurrentPlayer.TempRolik.empty());
  EXPECT_TRUE(Marks().empty());
  Frame();
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"after"});
}

TEST_F(EpisodTest, ACutSceneThatStaysOverTheSceneReturnsToPlayAtOnce) {
  FakeRolik* intro = AddRolik(L"Intro");
  intro->SetHideOnLevel();
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  e.StartRolik(L"Intro", 1);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateVideoFade) << "the screen darkens first";
  RunUntilState(CBaseEpisod::kStateVideo, 20);
  EXPECT_EQ(e.GetFadeDirection(), -1);
  intro->ended = true;
  e.Update(0.1f, nullptr);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateScene);
  EXPECT_EQ(e.GetNextState(), CBaseEpisod::kStateScene);
}

TEST_F(EpisodTest, ACutSceneThatDoesNotLoadIsAFailureAndTheChapterGoesOnAsAfterItsEnd) {
  AddRolik(L"Broken", 0);
  Action(L"a_end_rolik_Broken", {MarkOp(L"after")});
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  e.StartRolik(L"Broken", 0);
  EXPECT_TRUE(mLog.Contains(ELogLevel::Error, L"Load rolik Broken"));
  for (const std::wstring& line : mLog.Texts(ELogLevel::Info)) EXPECT_EQ(line.find(L"OK"), std::wstring::npos) << line;
  EXPECT_FALSE(Called(L"Broken.Start"));
  EXPECT_TRUE(gCurrentPlayer.TempRolik.empty()) << "nothing is kept to replay";
  EXPECT_EQ(e.GetCurrentVideo(), nullptr);
  RunUntilState(CBaseEpisod::kStateScene, 20);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateScene);
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"after"});
}

TEST_F(EpisodTest, ACutSceneWhoseClipCannotBeMadeIsOneFailureNeverOKAndNothingIsKeptToReplay) {
  testsupport::TempDir own;
  own.Write("Data/Roliki/Lost.xml", "<Rolik><Video Name=\"L\" File=\"Nowhere.ogv\"/></Rolik>");
  ASSERT_GE(mCore->GetFileSystem()->InsertPath(own.Path().wstring(), zorfile::kKindAll), 0);
  gRoliki[L"Lost"] = new CBaseRolik(mCore.get(), L"Lost", L"Lost.xml");
  Action(L"a_end_rolik_Lost", {MarkOp(L"after")});
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  e.StartRolik(L"Lost", 0);
  const std::vector<std::wstring> errors = mLog.Texts(ELogLevel::Error);
  EXPECT_EQ(std::count(errors.begin(), errors.end(), L"Load rolik Lost"), 1);
  for (const std::wstring& line : mLog.Texts(ELogLevel::Info))
    if (line.find(L"Lost") != std::wstring::npos) EXPECT_EQ(line.find(L"OK"), std::wstring::npos) << line;
  EXPECT_TRUE(gCurrentPlayer.TempRolik.empty()) << "the player is not saved with it pending";
  EXPECT_FALSE(gRoliki[L"Lost"]->IsLoaded()) << "the next start tries the file again";
  EXPECT_EQ(e.GetCurrentVideo(), nullptr);
  RunUntilState(CBaseEpisod::kStateScene, 20);
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"after"});
}

TEST_F(EpisodTest, AStartActionThatPlaysACutSceneLeavesTheSavedOnesAlone) {
  AddRolik(L"Intro");
  gCurrentPlayer.mAfterHogItem = L"Key";
  mHall->onStart = [&] { mEpisod->StartRolik(L"Intro", 0); };
  CBaseEpisod& e = StartInHall();
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateVideo);
  EXPECT_EQ(e.GetFadeDirection(), -1);
  EXPECT_EQ(gCurrentPlayer.mAfterHogItem, L"Key") << "the item waits for the next start";
  EXPECT_FALSE(Called(L"Hall.QueueModeName(Key)"));
}

TEST_F(EpisodTest, MenuRequestsAnswerOnceAndTheChapterGoesOnWithoutAFade) {
  struct SCase {
    bool pause;
    int32_t state;
    int32_t result;
  };
  for (const SCase& c : {SCase{true, CBaseEpisod::kStatePauseRequest, 2},
                         SCase{false, CBaseEpisod::kStateExtrasRequest, 3}}) {
    Calls().clear();
    CBaseEpisod& e = StartInHall();
    RunUntilState(CBaseEpisod::kStateScene);
    EXPECT_TRUE(c.pause ? e.RequestMenu() : e.RequestGuide());
    e.Render();
    EXPECT_EQ(e.GetState(), c.state);
    EXPECT_EQ(e.Update(0.1f, nullptr), c.result);
    e.Render();
    EXPECT_EQ(e.GetState(), CBaseEpisod::kStateScene);
    EXPECT_EQ(e.GetFadeDirection(), 0);
    EXPECT_EQ(e.Update(0.1f, nullptr), 0);
  }
}

TEST_F(EpisodTest, AMiniGameStartsAfterTheSceneFadesAndItsWinRunsItsAction) {
  FakeMiniGame* lock = AddMiniGame(L"Lock");
  Action(L"a_lock", {Op(4, 4, L"LOCK")});
  Action(L"del_mini_Lock", {MarkOp(L"won")});
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  e.RunAction(L"a_lock", 0, nullptr, -1);
  RunUntilState(CBaseEpisod::kStateMiniGame, 20);
  ASSERT_EQ(e.GetState(), CBaseEpisod::kStateMiniGame);
  EXPECT_EQ(e.GetCurrentMiniGame(), lock);
  EXPECT_LT(IndexOf(L"Lock.Load"), IndexOf(L"Lock.Start"));
  Frame();
  EXPECT_TRUE(Marks().empty());
  lock->complete = true;
  Frame();
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"won"});
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateSceneFadeIn);
  EXPECT_EQ(e.GetCurrentScene(), mHall);
  EXPECT_EQ(e.GetCurrentMiniGame(), nullptr);
}

TEST_F(EpisodTest, TheChapterEndsWhenEveryCountIsDoneAndNoEndIsOpen) {
  Action(L"end_episod", {MarkOp(L"end")});
  Action(L"a_close_end", {Op(4, 7, L"Episode")});
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCount = 0;
  gCurrentPlayer.mEpisodInfo.mBackTasks[L"Study"].mCount = 0;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateScene) << "an open chapter end holds it";
  e.RunAction(L"a_close_end", 0, nullptr, -1);
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mValue, 0);
  Frame();
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"end"});
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateSceneFadeOut);
  RunUntilState(CBaseEpisod::kStateFinished, 10);
  EXPECT_EQ(e.GetState(), CBaseEpisod::kStateFinished);
  EXPECT_EQ(e.Update(0.1f, nullptr), 1);
  EXPECT_EQ(e.Update(0.1f, nullptr), 1);
}

TEST_F(EpisodTest, FailedStartsAndMissingScenesFinishTheChapter) {
  struct SCase {
    const wchar_t* opened;
    int32_t startResult;
    const wchar_t* error;
  };
  for (const SCase& c : {SCase{L"Hall", 0, L"Start level Hall"}, SCase{L"Cellar", 1, nullptr}}) {
    mLog.Clear();
    mHall->startResult = c.startResult;
    Action(L"a_episod_start", {Op(1, 12, c.opened)});
    mEpisod = std::make_unique<CBaseEpisod>();
    ASSERT_TRUE(mEpisod->Init());
    mEpisod->Start();
    mEpisod->Render();
    EXPECT_EQ(mEpisod->GetState(), CBaseEpisod::kStateFinished) << c.opened;
    EXPECT_EQ(mEpisod->Update(0.1f, nullptr), 1);
    if (c.error) {
      EXPECT_TRUE(mLog.Contains(ELogLevel::Error, c.error));
    }
  }
  mHall->startResult = 1;
}

TEST_F(EpisodTest, FadesStopAtTheirEndsAndAnIdleFadeTouchesNothing) {
  CBaseEpisod e;
  EXPECT_EQ(e.UpdateFade(0.1f), 0);
  EXPECT_EQ(e.GetFadeAlpha(), 0.0f);
  e.StartFadeDark(2.0f);
  EXPECT_EQ(e.UpdateFade(0.25f), 1);
  EXPECT_FLOAT_EQ(e.GetFadeAlpha(), 0.5f);
  EXPECT_EQ(e.UpdateFade(0.5f), 0);
  EXPECT_EQ(e.GetFadeAlpha(), 1.0f);
  EXPECT_EQ(e.GetFadeDirection(), 0);
}

TEST_F(EpisodTest, SceneLookupsIgnoreCaseAndTheItemWindowNeedsAScene) {
  CBaseEpisod& e = StartInHall();
  EXPECT_EQ(e.FindBack(L"hALL"), mHall);
  EXPECT_EQ(e.FindBack(L"Cellar"), nullptr);
  CBaseEpisod empty;
  EXPECT_FALSE(empty.IsSceneItemWindowMode());
  EXPECT_EQ(empty.SceneDoAction(L"a_skip", 0, nullptr, -1), 1);
  EXPECT_TRUE(empty.IsHogObjectMarked(L"THK_Bell_01"));
}

}  // namespace
}  // namespace episodtest
