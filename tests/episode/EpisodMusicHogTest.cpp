// The chapter's random music on the sample game's tracks, its hidden-object
// list, and typed words.
#include <cmath>

#include "EpisodTestSupport.h"

namespace episodtest {
namespace {

const std::wstring kTrack1 = L"Music_Hall_1";
const std::wstring kTrack2 = L"Music_Hall_2";

class RandomMusic : public EpisodTest {
 protected:
  rovovoz::CGameSoundSystem& Sound() { return *mCore->GetSound(); }
  bool Playing(const std::wstring& track) { return Sound().GetState(track) == rovovoz::kSoundPlaying; }
  // Frames of the chapter's music and the sound system together.
  void Run(CBaseEpisod& e, float seconds) {
    for (float t = 0.0f; t < seconds; t += 0.25f) {
      Sound().Update(0.25f);
      e.UpdateRandomMusic(0.25f);
    }
  }
};

TEST_F(RandomMusic, OnlyFlaggedTracksArePickedAndTheNextFollowsAPause) {
  CBaseEpisod e;
  e.AddRandomMusic(kTrack1, 0);
  e.AddRandomMusic(kTrack2, 1);
  e.AddRandomMusic(L"Music_Menu", 0);
  for (int i = 0; i < 5; ++i) {
    e.StartRandomMusic(nullptr, 1);
    EXPECT_EQ(e.GetRandomMusicIndex(), 1);
    EXPECT_LE(e.GetRandomMusicSilence(), -5.0f);
    EXPECT_GE(e.GetRandomMusicSilence(), -10.0f);
  }
  EXPECT_TRUE(Playing(kTrack2));
  // The track plays out (about 2.4 s), then 5 to 10 s of silence.
  Run(e, 4.0f);
  EXPECT_FALSE(Playing(kTrack2));
  float waited = 0.0f;
  while (!Playing(kTrack2) && waited < 12.0f) {
    Run(e, 0.25f);
    waited += 0.25f;
  }
  EXPECT_TRUE(Playing(kTrack2)) << "started again after the pause";
  EXPECT_GE(waited, 3.0f) << "the pause lasts five seconds or more after the track";
}

TEST_F(RandomMusic, AStopHoldsUntilANamedStartAndAnUnknownNameOnlyStops) {
  CBaseEpisod e;
  e.AddRandomMusic(kTrack1, 1);
  e.AddRandomMusic(kTrack2, 1);
  e.StartRandomMusic(&kTrack1, 1);
  EXPECT_TRUE(Playing(kTrack1));
  e.StopRandomMusic(0.0f);
  EXPECT_TRUE(e.IsRandomMusicStopped());
  Run(e, 20.0f);
  EXPECT_FALSE(Playing(kTrack1));
  EXPECT_FALSE(Playing(kTrack2));
  e.StartRandomMusic(&kTrack2, 1);
  EXPECT_TRUE(Playing(kTrack2));
  const std::wstring unknown = L"Music_Nowhere";
  e.StartRandomMusic(&unknown, 1);
  EXPECT_FALSE(Playing(kTrack2));
  EXPECT_FALSE(Playing(kTrack1));
}

TEST_F(RandomMusic, WithNoFlaggedTrackTheAutomaticStepOnlyRestartsTheSilence) {
  CBaseEpisod e;
  e.AddRandomMusic(kTrack1, 0);
  e.AddRandomMusic(kTrack2, 0);
  e.StartRandomMusic(&kTrack1, 1);
  Run(e, 20.0f);
  EXPECT_FALSE(Playing(kTrack1));
  EXPECT_FALSE(Playing(kTrack2));
  EXPECT_LT(e.GetRandomMusicSilence(), 0.0f);
}

TEST_F(RandomMusic, FadesReachTheirTargetAndAZeroLengthFadeAtOnce) {
  struct SCase {
    float target;
    float duration;
    float after;
    float expected;
  };
  for (const SCase& c : {SCase{0.0f, 0.0f, 0.1f, 0.0f}, SCase{0.5f, 1.0f, 0.5f, 0.75f}, SCase{0.2f, 1.0f, 2.0f, 0.2f}}) {
    CBaseEpisod e;
    e.AddRandomMusic(kTrack1, 1);
    e.StartRandomMusic(&kTrack1, 1);
    e.FadeRandomMusic(c.target, c.duration);
    e.UpdateRandomMusic(c.after);
    EXPECT_FALSE(std::isnan(e.GetRandomMusicVolume()));
    EXPECT_NEAR(e.GetRandomMusicVolume(), c.expected, 1e-5f) << c.duration;
    EXPECT_NEAR(Sound().GetVolume(kTrack1), c.expected, 1e-5f);
    // A second zero-length fade starts from where the first left off.
    e.FadeRandomMusic(1.0f, 0.0f);
    e.UpdateRandomMusic(0.1f);
    EXPECT_NEAR(e.GetRandomMusicVolume(), 1.0f, 1e-5f);
  }
}

TEST_F(RandomMusic, ScriptRowsStartStopAndFadeAndAFlushSkipsOnlyTheStart) {
  CBaseEpisod e;
  SLogicAction add = Op(2, 36, kTrack1);
  add.par_i1 = 1;
  e.ExecuteAction(add, 0, true);
  SLogicAction run = Op(4, 36, kTrack1);
  e.ExecuteAction(run, kActionModeFlush, true);
  EXPECT_FALSE(Playing(kTrack1)) << "a flush plays no music";
  e.ExecuteAction(run, 0, true);
  EXPECT_TRUE(Playing(kTrack1));
  SLogicAction stop = Op(8, 36);
  e.ExecuteAction(stop, kActionModeFlushRepeat, true);
  EXPECT_FALSE(Playing(kTrack1)) << "a stop acts in a flush";
}

// A hidden-object task "Shelf" of one piece per label; texts from the
// hidden-object text table.
class HogList : public EpisodTest {
 protected:
  void Register(const std::vector<std::wstring>& texts) {
    SComplexTaskInfo task;
    task.mName = L"Shelf";
    task.mValue = 1;
    for (size_t i = 0; i < texts.size(); ++i) {
      SComplexPiece piece;
      piece.mId = static_cast<uint32_t>(i + 1);
      piece.mPending = 1;
      task.mPieces.push_back(piece);
      mLogic.m_HogPredmetTexts[HogPieceObjectName(L"Shelf", static_cast<int>(i + 1))] = texts[i];
    }
    gCurrentPlayer.mEpisodInfo.AddComplexTask(L"hog", task);
  }
  SComplexPiece& Piece(int n) {
    SComplexTaskInfo* task = nullptr;
    gCurrentPlayer.mEpisodInfo.FindComplexTask(L"hog", L"Shelf", task);
    return *task->FindPiece(static_cast<uint32_t>(n));
  }
  std::vector<SHogListEntry> Build() {
    std::vector<SHogListEntry> list;
    mEpisod->BuildHogList(list, L"Shelf");
    return list;
  }
};

TEST_F(HogList, TenLabelsGiveEightPlacesAndParkTheRest) {
  StartInHall();
  Register({L"Cup", L"Pen", L"Ink", L"Key", L"Map", L"Bell", L"Coin", L"Owl", L"Fan", L"Dice"});
  const std::vector<SHogListEntry> list = Build();
  ASSERT_EQ(list.size(), 10u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(list[static_cast<size_t>(i)].Position, i + 1);
  EXPECT_EQ(list[8].Position, 0);
  EXPECT_EQ(list[9].Name, L"Dice");
  EXPECT_EQ(list[9].Listed, std::vector<int>{10}) << "the panel still sees the piece";
  EXPECT_TRUE(Called(L"Hall.SetObjectRotating3(HK_Shelf_09,0)"));
  EXPECT_TRUE(Called(L"Hall.SetObjectRotating3(HK_Shelf_10,0)"));
  EXPECT_EQ(Piece(9).mPending, 0u);
  EXPECT_EQ(Piece(10).mPending, 0u);
  EXPECT_EQ(Piece(8).mPending, 1u);
  // Next build: the parked pieces wait.
  EXPECT_EQ(Build()[9].Waiting, std::vector<int>{10});

  // The first label found: its place goes to the first label without one.
  Calls().clear();
  gCurrentPlayer.mEpisodInfo.ClearComplexPiece(L"hog", L"Shelf", 1);
  const std::vector<SHogListEntry> after = Build();
  EXPECT_EQ(after[0].Position, 1);
  EXPECT_EQ(after[0].Waiting, std::vector<int>{1});
  EXPECT_EQ(after[8].Position, 1);
  EXPECT_EQ(after[8].Fade, -1.0f);
  EXPECT_EQ(after[8].Listed, std::vector<int>{9});
  EXPECT_EQ(Piece(9).mPending, 1u);
  EXPECT_EQ(Piece(9).mValue, 1u);
  EXPECT_TRUE(Called(L"Hall.SetObjectRotating3(HK_Shelf_09,1)"));
  EXPECT_EQ(after[9].Position, 0);
}

TEST_F(HogList, SharedTextsMakeOneLabelAndEightOrFewerSwitchNothingOff) {
  StartInHall();
  Register({L"Coin", L"Cup", L"Coin"});
  const std::vector<SHogListEntry> list = Build();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Name, L"Coin");
  EXPECT_EQ(list[0].Listed, (std::vector<int>{1, 3}));
  EXPECT_EQ(list[1].Position, 2);
  for (const std::wstring& call : Calls()) EXPECT_EQ(call.find(L"SetObjectRotating3"), std::wstring::npos) << call;
  // The panel's view of the same list.
  std::vector<SComplexHogItem> items;
  mEpisod->GetComplexHogItems(items, L"Shelf");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Row, 1);
  EXPECT_EQ(items[0].Pieces, (std::vector<int>{1, 3}));
}

TEST_F(HogList, PieceObjectNamesHaveAtLeastTwoDigitsAndAGapEndsTheWalk) {
  EXPECT_EQ(HogPieceObjectName(L"Shelf", 9), L"HK_Shelf_09");
  EXPECT_EQ(HogPieceObjectName(L"Shelf", 10), L"HK_Shelf_10");
  EXPECT_EQ(HogPieceObjectName(L"Shelf", 100), L"HK_Shelf_100");
  StartInHall();
  Register({L"Cup", L"Pen", L"Ink"});
  SComplexTaskInfo* task = nullptr;
  gCurrentPlayer.mEpisodInfo.FindComplexTask(L"hog", L"Shelf", task);
  task->mPieces[1].mId = 7;  // pieces 1, 7, 3: the walk stops at 2
  EXPECT_EQ(Build().size(), 1u);
  std::vector<SHogListEntry> none;
  mEpisod->BuildHogList(none, L"NoSuchTask");
  EXPECT_TRUE(none.empty());
}

TEST_F(EpisodTest, TypedWordsOpenHiddenObjectScenesByTheTable) {
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  Action(L"a_open_hog_Lampochka", {MarkOp(L"item")});
  Action(L"a_open_hog_05", {MarkOp(L"scene")});
  Action(L"a_open_back_hog", {MarkOp(L"back")});
  struct SCase {
    std::vector<std::wstring> words;
    std::vector<std::wstring> marks;
  };
  for (const SCase& c : {SCase{{L"hog", L"5", L"2"}, {L"item", L"scene", L"back"}},
                         SCase{{L"hog", L"05", L"2"}, {L"back"}},
                         SCase{{L"hog"}, {L"back"}}}) {
    Calls().clear();
    EXPECT_FALSE(e.OpenHog(c.words));
    EXPECT_EQ(Marks(), c.marks) << c.words.size();
    EXPECT_TRUE(Called(L"Hall.HandleWordCommand(hog)"));
  }
  mHall->formAnswer = 1;
  EXPECT_TRUE(e.OpenHog({L"find"})) << "the scene took the words";
}

TEST_F(EpisodTest, TypedWinFinishesTheRunningMiniGame) {
  AddMiniGame(L"Lock");
  Action(L"del_mini_Lock", {MarkOp(L"won")});
  Action(L"a_lock", {Op(4, 4, L"Lock")});
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  e.RunAction(L"a_lock", 0, nullptr, -1);
  RunUntilState(CBaseEpisod::kStateMiniGame, 20);
  EXPECT_FALSE(e.OpenHog({L"WIN"}));
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"won"});
  EXPECT_EQ(e.GetCurrentMiniGame(), nullptr);
  EXPECT_EQ(e.GetNextState(), CBaseEpisod::kStateSceneFadeIn);
}

}  // namespace
}  // namespace episodtest
