// Chapter scripts: the Ref countdown, if-blocks and their conditions, the
// probe, the recursion guard, the scenes asked first, every operation of
// the executor, and the delayed records.
#include "EpisodTestSupport.h"
#include "Interface/GamePanel.h"

namespace episodtest {
namespace {

using zuzorev::ELogLevel;

TEST_F(EpisodTest, RefCountsDownBeforeTheBodyRunsAndOnlyRefTestsHoldMeanwhile) {
  CBaseEpisod& e = StartInHall();
  Action(L"a_door",
         {MarkOp(L"body")},
         {Block({Cond(12, 0, L"", L"", 3)}, {MarkOp(L"ref3")}, 1), Block({Cond(3, 5, L"Key")}, {MarkOp(L"key")}, 1)},
         3);
  gCurrentPlayer.AddName(L"Key", 0);
  EXPECT_EQ(e.RunAction(L"a_door", kActionModeQuery, nullptr, -1), 1);
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mActions.Actions.at(L"a_door").Ref, 3) << "a probe counts nothing";
  EXPECT_EQ(e.RunAction(L"a_door", 0, nullptr, -1), 1);
  EXPECT_EQ(e.RunAction(L"a_door", 0, nullptr, -1), 1);
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mActions.Actions.at(L"a_door").Ref, 1);
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"ref3"}) << "only the Ref test held while counting";
  // At 1 the blocks take part with their full tests; the first taken ends it.
  EXPECT_EQ(e.RunAction(L"a_door", 0, nullptr, -1), 1);
  EXPECT_EQ(e.RunAction(L"a_door", 0, nullptr, -1), 1);
  EXPECT_EQ(Marks(), (std::vector<std::wstring>{L"ref3", L"key", L"key"}));
}

TEST_F(EpisodTest, BlocksConditionsAndResults) {
  CBaseEpisod& e = StartInHall();
  gCurrentPlayer.mEpisodInfo.AddObjectTask(L"find", L"Knife", 1);
  gCurrentPlayer.mEpisodInfo.AddObjectTask(L"find", L"Cup", 3);
  mHall->active = {L"Lamp"};
  SLogicCondition inHall = Cond(0, 1, L"Lamp", L"Hall");
  SLogicCondition inCellar = Cond(4, 1, L"Lamp", L"Cellar");  // NoVisible of a scene that is not there
  struct SCase {
    const wchar_t* name;
    std::vector<SLogicCondition> conditions;
    int ret;
    int32_t result;
    bool blockRan;
  };
  const std::vector<SCase> cases = {
      {L"open task", {Cond(1, 2, L"find", L"Knife")}, 1, 1, true},
      {L"deleted task", {Cond(2, 2, L"find", L"Cup")}, 1, 1, true},
      {L"not deleted", {Cond(2, 2, L"find", L"Knife")}, 1, 1, false},
      {L"visible object in a named scene", {inHall}, 1, 1, true},
      {L"no scene: NoVisible holds", {inCellar}, 1, 1, true},
      {L"Ret 0 stops the chain", {}, 0, 0, true},
      {L"item missing", {Cond(3, 5, L"Key")}, 1, 1, false},
      {L"unknown pair holds", {Cond(0, 5, L"x")}, 1, 1, true},
      {L"cursor empty without a panel holds", {Cond(9, 5, L"Empty")}, 1, 1, true},
  };
  for (const SCase& c : cases) {
    Calls().clear();
    Action(L"a_test", {MarkOp(L"body")}, {Block(c.conditions, {MarkOp(L"block")}, c.ret)});
    EXPECT_EQ(e.RunAction(L"a_test", 0, nullptr, -1), c.result) << c.name;
    EXPECT_EQ(Marks(), std::vector<std::wstring>{c.blockRan ? L"block" : L"body"}) << c.name;
  }
}

TEST_F(EpisodTest, AProbeAnswersWithoutRunningAndComparesRecords) {
  // A scene would answer first: a chapter without scenes compares its own.
  CBaseEpisod e;
  Action(L"a_give", {Op(2, 9, L"Key"), MarkOp(L"body")});
  SLogicAction query = Op(2, 9, L"Key");
  SLogicAction other = Op(2, 9, L"Rope");
  EXPECT_EQ(e.RunAction(L"a_give", kActionModeQuery, &query, -1), 1);
  EXPECT_EQ(e.RunAction(L"a_give", kActionModeQuery, &other, -1), 0);
  EXPECT_TRUE(Marks().empty());
  EXPECT_FALSE(gCurrentPlayer.HasName(L"Key"));

  CBaseEpisod& withScenes = StartInHall();
  mHall->answers[L"a_give"] = 0;
  EXPECT_EQ(withScenes.RunAction(L"a_give", kActionModeQuery, &query, -1), 0) << "a scene that refuses";
  mHall->answers[L"a_give"] = 1;
  EXPECT_EQ(withScenes.RunAction(L"a_give", kActionModeQuery, &other, -1), 1) << "a scene that would run it";
  EXPECT_TRUE(Called(L"Hall.DoAction(a_give,1,probe)"));
}

TEST_F(EpisodTest, TheScenesRunTheNameFirstAndARefusalStopsTheChapter) {
  CBaseEpisod& e = StartInHall();
  Action(L"a_both", {MarkOp(L"chapter")});
  Calls().clear();
  EXPECT_EQ(e.RunAction(L"a_both", 0, nullptr, -1), 1);
  EXPECT_LT(IndexOf(L"Hall.DoAction(a_both,0)"), IndexOf(L"Study.DoAction(a_both,0)"));
  EXPECT_LT(IndexOf(L"Study.DoAction(a_both,0)"), IndexOf(L"Hall.DecrementNamedCount(chapter)"));

  Calls().clear();
  mHall->answers[L"a_both"] = 0;
  EXPECT_EQ(e.RunAction(L"a_both", 0, nullptr, -1), 0);
  EXPECT_FALSE(Called(L"Study.DoAction(a_both,0)"));
  EXPECT_TRUE(Marks().empty());

  // An unknown name is the scenes' alone; RunActionE asks no scene.
  Calls().clear();
  mHall->answers.clear();
  EXPECT_EQ(e.RunAction(L"a_scene_only", 0, nullptr, -1), 1);
  EXPECT_TRUE(Called(L"Study.DoAction(a_scene_only,0)"));
  Calls().clear();
  EXPECT_EQ(e.RunActionE(L"a_both", 0, nullptr, -1), 1);
  EXPECT_FALSE(Called(L"Hall.DoAction(a_both,0)"));
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"chapter"});
}

TEST_F(EpisodTest, AnActionThatRunsItselfIsStoppedWithAMessageAndTheOuterRunGoesOn) {
  CBaseEpisod& e = StartInHall();
  Action(L"a_loop", {MarkOp(L"before"), RunOp(L"a_loop"), MarkOp(L"after")});
  EXPECT_EQ(e.RunAction(L"a_loop", 0, nullptr, -1), 1);
  EXPECT_EQ(Marks(), (std::vector<std::wstring>{L"before", L"after"}));
  EXPECT_TRUE(mLog.Contains(ELogLevel::Error, L"Recursive action. EpisodName = Ep ActionName = a_loop"));
  EXPECT_FALSE(e.IsActionRunning(L"a_loop"));
  mLog.Clear();
  e.RunAction(L"a_loop", kActionModeFlush, nullptr, -1);
  EXPECT_TRUE(mLog.Texts(ELogLevel::Error).empty()) << "quiet modes say nothing";
}

TEST_F(EpisodTest, BlockNamesCarryTheirSuffixUpToTheFifteenth) {
  EXPECT_EQ(ActionBlockName(L"a", 0), L"a_if1");
  EXPECT_EQ(ActionBlockName(L"a", 14), L"a_if15");
  EXPECT_EQ(ActionBlockName(L"a", 15), L"a_if15");
  EXPECT_EQ(ActionBlockName(L"a", 16), L"a_if15");
}

// Every row of the executor with what it changes.
TEST_F(EpisodTest, EveryOperationOfTheExecutorHasItsEffect) {
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  mHall->pieces = {1, 2};
  mLogic.m_PushPredmets[L"Key"].Count = 2;
  mLogic.m_FindPredmets[L"Vase"].Count = 3;
  SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  struct SCase {
    const wchar_t* name;
    SLogicAction record;
    std::function<bool()> effect;
  };
  auto withTips = [](SLogicAction a, const wchar_t* tips) {
    a.key_tips = tips;
    return a;
  };
  auto withInts = [](SLogicAction a, int i1, int i2) {
    a.par_i1 = i1;
    a.par_i2 = i2;
    return a;
  };
  const std::vector<SCase> cases = {
      {L"Visible Obj", withInts(Op(0, 1, L"Lamp", L"", L"Hall"), 1, 0),
       [] { return Called(L"Hall.ShowObject(Lamp,1,,0)"); }},
      {L"Open simple", withTips(Op(1, 2, L"find", L"Knife"), L"k_knife"),
       [&] { return info.GetObjectTaskValue(L"find", L"Knife") == 1 && Called(L"Study.HandleModeRequest(find,Knife,,0)"); }},
      {L"OpenAlwaysPick simple", Op(13, 2, L"find", L"Fork"),
       [] { return Called(L"Hall.HandleModeRequest(find,Fork,,1)"); }},
      {L"Open complex push", Op(1, 3, L"push", L"Clock"),
       [&] { return info.CountComplexPieces(L"push", L"Clock") == 2 && Called(L"Hall.OnHogClick(push,Clock,,0)"); }},
      {L"Open complex find", Op(1, 3, L"find", L"Vase"),
       [&] { return info.CountComplexPieces(L"find", L"Vase") == 3; }},
      {L"Add Predmet", Op(2, 9, L"Key"), [] { return gCurrentPlayer.HasName(L"Key"); }},
      {L"Add Predmet to the item window", Op(2, 9, L"Key", L"predmet_menu"),
       [] { return Called(L"Hall.QueueModeName(Key)"); }},
      {L"Delete simple", Op(3, 2, L"find", L"Knife"),
       [&] { return info.GetObjectTaskValue(L"find", L"Knife") == 3 && Called(L"Hall.OnClickZone(find,Knife)"); }},
      {L"Delete complex", Op(3, 3, L"push", L"Clock"),
       [&] { return info.GetComplexTaskValue(L"push", L"Clock") == 3 && Called(L"Study.OnPushClick(push,Clock)"); }},
      {L"Run End of a scene", Op(4, 7, L"Hall", L"door"), [] { return Called(L"Hall.DecrementNamedCount(door)"); }},
      {L"Run End of the chapter", Op(4, 7, L"Episode"), [&] { return info.mValue == 0; }},
      {L"Run Action in a scene", Op(4, 13, L"a_x", L"Study"), [] { return Called(L"Study.DoAction(a_x,0)"); }},
      {L"Run Action in no scene", Op(4, 13, L"a_y", L"Cellar"), [] { return !Called(L"Hall.DoAction(a_y,0)"); }},
      {L"SetTextTips simple", withTips(Op(12, 2, L"find", L"Knife"), L"k_new"),
       [&] {
         SObjectTaskInfo* task = nullptr;
         return info.FindObjectTask(L"find", L"Knife", task) && task->mName2 == L"k_new";
       }},
      {L"unknown operation", Op(77, 1, L"Lamp"), [] { return Calls().empty(); }},
      {L"unknown target", Op(0, 99, L"Lamp"), [] { return Calls().empty(); }},
      {L"Close", Op(9, 1, L"Lamp"), [] { return Calls().empty(); }},
  };
  for (const SCase& c : cases) {
    Calls().clear();
    SLogicAction record = c.record;
    EXPECT_EQ(e.ExecuteAction(record, 0, true), 1) << c.name;
    EXPECT_TRUE(c.effect()) << c.name;
  }
  // The region form reaches the scene's close-up operation.
  Calls().clear();
  SLogicAction inRegion = withInts(Op(0, 1, L"Lamp", L"", L"Hall"), 1, 0);
  inRegion.par4 = L"Desk";
  e.ExecuteAction(inRegion, 0, true);
  EXPECT_TRUE(Called(L"Hall.ShowObjectInRegion(Desk,Lamp,1)"));
}

TEST_F(EpisodTest, DelaysAreDrawnAndQueuedAndProbesAndRepeatsRunAtOnce) {
  CBaseEpisod& e = StartInHall();
  struct SCase {
    int mode;
    size_t queued;
    bool ran;
  };
  for (const SCase& c : {SCase{0, 1, false}, SCase{2, 1, false}, SCase{8, 0, true}, SCase{1, 0, false}}) {
    mEpisod->FlushDelayedActions();
    Calls().clear();
    SLogicAction a = Delayed(MarkOp(L"late"), 2.0f, 3.0f);
    e.ExecuteAction(a, c.mode, true);
    EXPECT_EQ(e.GetDelayedActions().size(), c.queued) << c.mode;
    EXPECT_EQ(!Marks().empty(), c.ran) << c.mode;
    if (c.mode != 1) {
      EXPECT_GE(a.Countdown, 2.0f);
      EXPECT_LE(a.Countdown, 5.0f);
    }
  }
  SLogicAction now = MarkOp(L"now");
  Calls().clear();
  e.ExecuteAction(now, 0, true);
  EXPECT_EQ(Marks(), std::vector<std::wstring>{L"now"}) << "no delay: at once";
}

TEST_F(EpisodTest, DueRecordsFireInCountdownOrderAndPassOnTheirLateness) {
  CBaseEpisod& e = StartInHall();
  Action(L"a_chain", {Delayed(MarkOp(L"chained"), 1.0f)});
  Action(L"a_start",
         {Delayed(MarkOp(L"b"), 0.8f), Delayed(MarkOp(L"a"), 0.5f), Delayed(RunOp(L"a_chain"), 0.7f)});
  e.RunAction(L"a_start", 0, nullptr, -1);
  EXPECT_EQ(e.GetDelayedActions().size(), 3u);
  Calls().clear();
  e.UpdateDelayedActions(1.0f);
  EXPECT_EQ(Marks(), (std::vector<std::wstring>{L"a", L"b"}));
  ASSERT_EQ(e.GetDelayedActions().size(), 1u);
  EXPECT_NEAR(e.GetDelayedActions()[0].Countdown, 0.7f, 1e-5f) << "started 0.3 s late";
  e.UpdateDelayedActions(0.7f);
  EXPECT_EQ(Marks(), (std::vector<std::wstring>{L"a", L"b", L"chained"}));
}

TEST_F(EpisodTest, RecordsWithEqualCountdownsFireInTheOrderTheyWereQueued) {
  // Both ways a record falls due: the frame's countdown and the flush
  // before a save.
  for (const bool flush : {false, true}) {
    SCOPED_TRACE(flush ? "flush" : "update");
    CBaseEpisod& e = StartInHall();
    Action(L"a_start", {Delayed(MarkOp(L"one"), 0.5f), Delayed(MarkOp(L"late"), 0.9f), Delayed(MarkOp(L"two"), 0.5f),
                        Delayed(MarkOp(L"three"), 0.5f)});
    e.RunAction(L"a_start", 0, nullptr, -1);
    ASSERT_EQ(e.GetDelayedActions().size(), 4u);
    Calls().clear();
    if (flush)
      e.FlushDelayedActions();
    else
      e.UpdateDelayedActions(1.0f);
    EXPECT_EQ(Marks(), (std::vector<std::wstring>{L"one", L"two", L"three", L"late"}));
  }
}

TEST_F(EpisodTest, AFlushBeforeASaveRunsEverythingQuietlyAndARepeatedNameWithoutDelays) {
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  Action(L"a_tick", {MarkOp(L"tick"), Delayed(Op(4, 27, L"I_Click"), 0.5f), Delayed(MarkOp(L"tock"), 4.0f)});
  Action(L"a_start", {Delayed(RunOp(L"a_tick"), 1.0f), Delayed(RunOp(L"a_tick"), 2.0f)});
  e.RunAction(L"a_start", 0, nullptr, -1);
  Calls().clear();
  e.PrepareSave();
  EXPECT_TRUE(e.GetDelayedActions().empty());
  EXPECT_EQ(Marks(), (std::vector<std::wstring>{L"tick", L"tick", L"tock", L"tock"}));
  EXPECT_EQ(mCore->GetSound()->GetState(L"I_Click"), rovovoz::kSoundStopped) << "no sound in a flush";
}

TEST_F(EpisodTest, AnActionThatQueuesItselfAgainNeitherHangsAFrameNorAFlush) {
  CBaseEpisod& e = StartInHall();
  Action(L"a_drip", {MarkOp(L"drip"), RunOp(L"a_drip", 0.5f)});
  e.RunAction(L"a_drip", 0, nullptr, -1);
  Calls().clear();
  e.UpdateDelayedActions(2.0f);
  EXPECT_EQ(Marks().size(), 4u) << "late by 1.5 s: it catches up, one drip per half second";
  EXPECT_EQ(e.GetDelayedActions().size(), 1u);
  Calls().clear();
  e.FlushDelayedActions();
  EXPECT_TRUE(e.GetDelayedActions().empty());
  EXPECT_EQ(Marks().size(), 2u);
}

TEST_F(EpisodTest, ComplexTasksTakeTheirPiecesFromTheItemTableOrTheScenes) {
  CBaseEpisod& e = StartInHall();
  RunUntilState(CBaseEpisod::kStateScene);
  mLogic.m_FindPredmets[L"Vase"].Count = 0;
  mLogic.m_FindPredmets[L"Vase"].Pieces.resize(4);
  SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  e.AddComplexObject(L"find", L"Vase", L"", L"", 0);
  EXPECT_EQ(info.CountComplexPieces(L"find", L"Vase"), 4u);
  e.AddComplexObject(L"find", L"Vase", L"", L"", 0);
  EXPECT_EQ(info.mBackComplex[L"find"].size(), 1u) << "opened twice: one record";

  mLog.Clear();
  e.AddComplexObject(L"find", L"Ghost", L"", L"", 0);
  EXPECT_TRUE(mLog.Contains(zuzorev::ELogLevel::Error, L"No find complex predmet Ghost"));
  e.AddComplexObject(L"push", L"Clock", L"", L"", 0);
  EXPECT_TRUE(mLog.Contains(zuzorev::ELogLevel::Error, L"AddComplexObject. No find kuski sadanie push Clock"));

  Calls().clear();
  mHall->pieces = {1};
  e.AddComplexObject(L"hog", L"Shelf", L"k_tip", L"camera", 1);
  EXPECT_TRUE(Called(L"Hall.OnHogClick(hog,Shelf,camera,1)"));
  EXPECT_TRUE(Called(L"Study.OnHogClick(hog,Shelf,,1)")) << "only the current scene moves its camera";
  Calls().clear();
  e.AddComplexObject(L"lupa", L"Glass", L"", L"", 0);
  EXPECT_EQ(info.mBackComplex.count(L"lupa"), 0u);
  EXPECT_TRUE(Called(L"Hall.OnHogClick(lupa,Glass,,0)"));
}

}  // namespace
}  // namespace episodtest
