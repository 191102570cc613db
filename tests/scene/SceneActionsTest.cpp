// Named actions of a scene: blocks and their Ret, the Ref countdown, the
// recursion guard with its message, block names, queries, the delayed
// queue and its flush.
#include <gtest/gtest.h>

#include "scene/SceneRunSupport.h"
#include "scene/SceneTestSupport.h"

namespace {

using namespace scenetest;
using namespace actioncodes;

class SceneActions : public ::testing::Test {
 protected:
  SceneActions() { back.SetName(L"Hall"); }
  testsupport::LogCapture log;
  CRunBack back;
};

// A block whose conditions all hold (the Ref test against the entry's Ref 1).
SLogicIf Holding(int ret, std::vector<SLogicAction> records = {Record(L"block")}) {
  return Block({Condition(kCondRefQual, kCondTargetBeginAction, L"", 1)}, std::move(records), ret);
}

TEST_F(SceneActions, BlockRetDecidesResultAndMainList) {
  struct Case {
    int blockRet;
    int entryRet;
    int32_t result;
    std::vector<std::wstring> executed;
  } cases[] = {
      {0, 1, 0, {L"block"}},
      {1, 1, 1, {L"block"}},
      {-1, 1, 1, {L"block", L"main"}},
      {-1, 0, 0, {L"block", L"main"}},
  };
  for (const Case& c : cases) {
    CRunBack scene;
    scene.Add(Action(L"act", {Record(L"main")}, {Holding(c.blockRet)}, 1, c.entryRet));
    SCOPED_TRACE(c.blockRet);
    EXPECT_EQ(scene.RunActionByName(L"act", 0, nullptr, kActionMaskAll), c.result);
    std::vector<std::wstring> executed;
    for (const SExecuted& e : scene.executed) executed.push_back(e.par1);
    EXPECT_EQ(executed, c.executed);
    // The hook runs only when no block decided.
    EXPECT_EQ(scene.hooks.size(), c.blockRet == -1 ? 1u : 0u);
  }
}

TEST_F(SceneActions, RefCountsDownThroughRefBlocksThenRunsBody) {
  back.Add(Action(L"act", {Record(L"main")},
                  {Block({Condition(kCondVisible, kCondTargetObj, L"S_Any")}, {Record(L"never")}, 1),
                   Block({Condition(kCondRefQual, kCondTargetBeginAction, L"", 3)}, {Record(L"ref3")}, 1),
                   Block({Condition(kCondRefQual, kCondTargetBeginAction, L"", 2)}, {Record(L"ref2")}, 1)},
                  3));
  std::vector<int32_t> results;
  for (int i = 0; i < 4; ++i) results.push_back(back.RunActionByName(L"act", 0, nullptr, kActionMaskAll));
  EXPECT_EQ(results, (std::vector<int32_t>{0, 0, 1, 1}));
  std::vector<std::wstring> executed;
  for (const SExecuted& e : back.executed) executed.push_back(e.par1);
  EXPECT_EQ(executed, (std::vector<std::wstring>{L"ref3", L"ref2", L"main", L"main"}))
      << "the counted path knows only Ref tests; the body runs from Ref 1 on";
  EXPECT_EQ(back.actions[L"act"].Ref, 1);
}

TEST_F(SceneActions, SelfRunningActionLogsOnceAndStaysQuietInFlush) {
  back.Add(Action(L"loop", {RunRecord(L"loop")}));
  EXPECT_EQ(back.RunActionByName(L"loop", 0, nullptr, kActionMaskAll), 1);
  EXPECT_EQ(back.inner, (std::vector<int32_t>{0})) << "the inner run is refused";
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error).size(), 1u);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Recursive action. BackName = Hall ActionName = loop"));

  log.Clear();
  back.inner.clear();
  back.mDelayedActions.push_back(RunRecord(L"loop"));
  back.FlushDelayedActions();
  EXPECT_EQ(back.inner, (std::vector<int32_t>{0, 1})) << "the inner run is refused, the flushed one runs";
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error).size(), 0u) << "a flush is quiet";
  EXPECT_TRUE(back.mDelayedActions.empty());
}

TEST_F(SceneActions, BlocksAreNamedIfOneToFifteenThenFifteen) {
  // 17 blocks; only the last one holds, each earlier block's Ref test fails.
  std::vector<SLogicIf> blocks;
  for (int i = 0; i < 17; ++i)
    blocks.push_back(Block({Condition(kCondRefQual, kCondTargetBeginAction, L"", i == 16 ? 1 : 99)},
                           {Record(L"b" + std::to_wstring(i))}, 1));
  // Blocks 15 and 16 share the name; the 16th's runs would meet it running.
  back.Add(Action(L"act", {}, blocks));
  for (int i = 1; i <= 16; ++i) back.probeNames.push_back(L"act_if" + std::to_wstring(i));
  EXPECT_EQ(back.RunActionByName(L"act", 0, nullptr, kActionMaskAll), 1);
  EXPECT_EQ(back.running, (std::vector<std::wstring>{L"act_if15"}));

  for (size_t i = 0; i < 17; ++i)
    EXPECT_EQ(ActionBlockName(L"a", i), i < 15 ? L"a_if" + std::to_wstring(i + 1) : std::wstring(L"a_if15"));
}

TEST_F(SceneActions, QueriesCompareRecordsByMask) {
  SLogicAction shown = Record(L"S_Key", 0, 1);
  shown.par_i1 = 5;
  back.Add(Action(L"act", {shown}));
  SLogicAction query = Record(L"S_Key", 0, 1);
  EXPECT_EQ(back.RunActionByName(L"act", 1, &query, 0x7), 1);
  EXPECT_EQ(back.RunActionByName(L"act", 1, &query, 0x47), 0) << "par_i1 differs";
  EXPECT_EQ(back.RunActionByName(L"missing", 1, &query, 0x7), 0);
  EXPECT_TRUE(back.executed.empty()) << "a query runs nothing";

  SLogicAction other = Record(L"X", 9, 9);
  other.time = 3.0f;
  EXPECT_TRUE(CBaseBack::IsSameAction(shown, other, 0));
  EXPECT_FALSE(CBaseBack::IsSameAction(shown, other, 0x3));
  other.Operation = shown.Operation;
  other.Type = shown.Type;
  EXPECT_TRUE(CBaseBack::IsSameAction(shown, other, 0x3));
  other = shown;
  other.time = 3.0f;
  other.Countdown = 7.0f;
  EXPECT_TRUE(CBaseBack::IsSameAction(shown, other, 0x1FFF)) << "the countdown and time are outside 0x1FFF";
  EXPECT_FALSE(CBaseBack::IsSameAction(shown, other, 0x2000));
}

TEST_F(SceneActions, UndefinedNameRunsOnlyTheHook) {
  CBaseBack plain;
  EXPECT_EQ(plain.RunActionByName(L"anything", 0, nullptr, kActionMaskAll), 1);
  back.hookResult = 0;
  EXPECT_EQ(back.RunActionByName(L"anything", 0, nullptr, kActionMaskAll), 0);
  EXPECT_EQ(back.RunActionByName(L"anything", 4, nullptr, kActionMaskAll), 1) << "a dry run of no action succeeds";
  EXPECT_EQ(back.hooks, (std::vector<std::wstring>{L"anything"}));
}

TEST_F(SceneActions, DelayedQueueRunsInCountdownOrderAndCarriesOvershoot) {
  SLogicAction late = Record(L"late");
  late.Countdown = 0.2f;  // due at -0.1
  SLogicAction early = Record(L"early");
  early.Countdown = 0.0f;  // due at -0.3
  SLogicAction waiting = Record(L"waiting");
  waiting.Countdown = 5.0f;
  back.mDelayedActions = {late, early, waiting};
  back.UpdateDelayedActions(0.3f);
  ASSERT_EQ(back.executed.size(), 2u);
  EXPECT_EQ(back.executed[0].par1, L"early");
  EXPECT_EQ(back.executed[1].par1, L"late");
  ASSERT_EQ(back.mDelayedActions.size(), 1u);

  // A record 0.4 s late queues one of 1.0 s: it waits 0.6 s.
  back.executed.clear();
  back.Add(Action(L"next", {Record(L"queued", 0, 0, 1.0f)}));
  SLogicAction starter = RunRecord(L"next");
  starter.Countdown = -0.4f + 0.1f;
  back.mDelayedActions = {starter};
  back.UpdateDelayedActions(0.1f);
  ASSERT_EQ(back.mDelayedActions.size(), 1u);
  EXPECT_NEAR(back.mDelayedActions[0].Countdown, 0.6f, 1e-5f);
  const size_t before = back.executed.size();
  back.UpdateDelayedActions(0.59f);
  EXPECT_EQ(back.executed.size(), before) << "still 0.01 s to wait";
  back.UpdateDelayedActions(0.02f);
  ASSERT_EQ(back.executed.size(), before + 1);
  EXPECT_EQ(back.executed.back().par1, L"queued");
  EXPECT_TRUE(back.mDelayedActions.empty());
}

TEST_F(SceneActions, FlushRunsRepeatedNameInModeEightAndDropsFarRecords) {
  back.Add(Action(L"again", {Record(L"body")}));
  SLogicAction first = RunRecord(L"again");
  first.Countdown = 2.0f;
  SLogicAction second = RunRecord(L"again");
  second.Countdown = 1.0f;
  SLogicAction far = Record(L"far");
  far.Countdown = 20000.0f;
  back.mDelayedActions = {first, second, far};
  back.FlushDelayedActions();
  std::vector<std::pair<std::wstring, int>> runs;
  for (const SExecuted& e : back.executed)
    if (e.par1 == L"again") runs.push_back({e.par1, e.mode});
  EXPECT_EQ(runs, (std::vector<std::pair<std::wstring, int>>{{L"again", 2}, {L"again", 8}}));
  for (const SExecuted& e : back.executed) EXPECT_NE(e.par1, L"far");
  EXPECT_TRUE(back.mDelayedActions.empty());
}

TEST_F(SceneActions, ConditionsNeedingAChapterFailAndNeedingAPanelHold) {
  PanelScope noPanel(nullptr);
  struct Case {
    uint32_t code, type;
    int32_t holds;
  } cases[] = {
      {kCondOpen, kCondTargetSimpleTask, 0},   {kCondNoOpen, kCondTargetSimpleTask, 1},
      {kCondDelete, kCondTargetComplexTask, 0}, {kCondCountRestKus, kCondTargetComplexTask, 0},
      {kCondCursor, kCondTargetPredmet, 1},    {kCondExist, kCondTargetPredmet, 0},
      {kCondNoExist, kCondTargetPredmet, 1},   {kCondVisible, kCondTargetBeginAction, 1},
      {kCondNoVisible, kCondTargetBeginAction, 1}, {77, kCondTargetObj, 1},
      {kCondVisible, kCondTargetObj, 0},       {kCondNoVisible, kCondTargetObj, 1},
  };
  const SLogicActionEntry entry = Action(L"x");
  FreshPlayer player;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << "/" << c.type);
    EXPECT_EQ(back.CheckCondition(Condition(c.code, c.type, L"Missing"), entry), c.holds);
  }
}

}  // namespace
