// Saving in the middle of a chapter and loading again with a new game
// object over the same profile folder resumes the same scene with the same
// progress.
#include "EpisodTestSupport.h"

namespace episodtest {
namespace {

class Resume : public EpisodTest {
 protected:
  void SetUp() override {
    EpisodTest::SetUp();
    // The chapter as its file describes it: the start opens the hall once
    // (a Ref of 2 lets only the first start's Ref test through).
    Action(L"a_episod_start", {}, {Block({Cond(12, 0, L"", L"", 2)}, {Op(1, 12, L"Hall")})}, 2);
    Action(L"a_go_study", {Op(1, 12, L"Study"), Op(1, 2, L"find", L"Knife")});
    Action(L"a_knock", {MarkOp(L"knock")}, {}, 3);
    Action(L"a_later", {Delayed(Op(4, 7, L"Episode"), 30.0f)});
    mInitial = gCurrentPlayer.mEpisodInfo;
  }

  // What the logic does when a saved game continues a chapter.
  void LoadChapter() {
    SEpisodInfo info = mInitial;
    info.CopyScenes(gCurrentPlayer.mEpisodInfo);
    gCurrentPlayer.mEpisodInfo.Assign(info);
    mEpisod = std::make_unique<CBaseEpisod>();
    ASSERT_TRUE(mEpisod->InitScenes());
    mEpisod->Start();
  }

  SEpisodInfo mInitial;
};

TEST_F(Resume, AChapterSavedInItsSecondSceneResumesThereWithItsProgress) {
  testsupport::TempDir profiles;
  gPlayerList = new PlayerList(profiles.Path());
  gCurrentPlayer.mName = L"Ann";

  mEpisod = std::make_unique<CBaseEpisod>();
  ASSERT_TRUE(mEpisod->Init());
  mEpisod->Start();
  RunUntilState(CBaseEpisod::kStateScene);
  ASSERT_EQ(mEpisod->GetCurrentScene(), mHall);
  mEpisod->RunAction(L"a_knock", 0, nullptr, -1);
  mEpisod->RunAction(L"a_go_study", 0, nullptr, -1);
  RunUntilState(CBaseEpisod::kStateSceneFadeIn);
  RunUntilState(CBaseEpisod::kStateScene);
  ASSERT_EQ(mEpisod->GetCurrentScene(), mStudy);
  mEpisod->RunAction(L"a_later", 0, nullptr, -1);
  ASSERT_EQ(mEpisod->GetDelayedActions().size(), 1u);

  // The save: the progress brought up to date, then the profile written.
  mEpisod->PrepareSave();
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mValue, 0) << "the queued record ran before the save";
  ASSERT_TRUE(gPlayerList->SavePlayer(gCurrentPlayer));
  mEpisod.reset();

  // A new game over the same folder.
  delete gPlayerList;
  gPlayerList = new PlayerList(profiles.Path());
  gPlayerList->Load();
  gCurrentPlayer = PlayerRecord();
  ASSERT_GE(gPlayerList->FindPlayer(L"Ann", gCurrentPlayer), 0);
  Calls().clear();
  LoadChapter();

  EXPECT_EQ(mEpisod->GetCurrentScene(), mStudy);
  EXPECT_EQ(mEpisod->GetState(), CBaseEpisod::kStateSceneFadeIn);
  EXPECT_TRUE(Called(L"Study.AttachToEpisod"));
  EXPECT_FALSE(Called(L"Hall.StartBack(1)")) << "the start does not reopen the first scene";
  SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  EXPECT_EQ(info.mActions.Actions.at(L"a_knock").Ref, 2);
  EXPECT_EQ(info.GetObjectTaskValue(L"find", L"Knife"), 1u);
  EXPECT_EQ(info.mValue, 0);
  RunUntilState(CBaseEpisod::kStateScene);
  EXPECT_EQ(mEpisod->GetState(), CBaseEpisod::kStateScene);
}

TEST_F(Resume, ASavedSceneTheChapterLacksFinishesItAndAnEmptyOneWaits) {
  gCurrentPlayer.mEpisodInfo.mLevelName = L"Cellar";
  mEpisod = std::make_unique<CBaseEpisod>();
  ASSERT_TRUE(mEpisod->InitScenes());
  EXPECT_EQ(mEpisod->GetNextState(), CBaseEpisod::kStateFinished);

  gCurrentPlayer.mEpisodInfo.mLevelName.clear();
  gCurrentPlayer.mEpisodInfo.mLevelIsHog = 1;
  mEpisod = std::make_unique<CBaseEpisod>();
  ASSERT_TRUE(mEpisod->InitScenes());
  EXPECT_EQ(mEpisod->GetNextState(), CBaseEpisod::kStateFinished);
  EXPECT_FALSE(mEpisod->IsHogScene());
}

TEST_F(Resume, SetUpRefusesACompleteChapterOrAStubbornScene) {
  struct SCase {
    const wchar_t* name;
    bool attach;
    int32_t sceneAnswer;
    int32_t count;
    bool ok;
  };
  for (const SCase& c : {SCase{L"new", false, 1, 1, true}, SCase{L"resumed", true, 1, 1, true},
                         SCase{L"scene refuses", false, 0, 1, false}, SCase{L"complete", false, 1, 0, false},
                         SCase{L"complete, resumed", true, 1, 0, false}}) {
    mStudy->attachResult = c.sceneAnswer;
    gCurrentPlayer.mEpisodInfo.mValue = c.count;
    gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCount = c.count;
    gCurrentPlayer.mEpisodInfo.mBackTasks[L"Study"].mCount = c.count;
    mEpisod = std::make_unique<CBaseEpisod>();
    EXPECT_EQ(c.attach ? mEpisod->InitScenes() : mEpisod->Init(), c.ok) << c.name;
    if (c.sceneAnswer == 0) {
      EXPECT_TRUE(mEpisod->GetScenes().empty()) << c.name;
    }
  }
  mStudy->attachResult = 1;
}

TEST_F(Resume, ScenesWhoseNamesDifferOnlyInCaseBothJoin) {
  FakeLevel* twin = AddLevel(L"HALL");
  mEpisod = std::make_unique<CBaseEpisod>();
  ASSERT_TRUE(mEpisod->Init());
  const std::vector<CBaseBack*>& scenes = mEpisod->GetScenes();
  EXPECT_EQ(std::count(scenes.begin(), scenes.end(), twin), 1);
  EXPECT_EQ(std::count(scenes.begin(), scenes.end(), mHall), 1);
  EXPECT_EQ(scenes.size(), 3u);
}

}  // namespace
}  // namespace episodtest
