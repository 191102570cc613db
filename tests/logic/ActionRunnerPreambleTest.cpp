// The preamble a scene and a chapter share before they carry out a record:
// what is answered, what is queued, and the drawn countdown.
#include <gtest/gtest.h>

#include <vector>

#include "Logic/ActionRunner.h"
#include "Platform/Random.h"

namespace {

TEST(ActionRunnerPreamble, ModesQueueOnlyARecordWithACountdownLeft) {
  struct SCase {
    int mode;
    float countdown;
    bool answered;
    size_t queued;
  } cases[] = {
      {kActionModeQuery, 0.0f, true, 0},  {kActionModeQuery, 2.0f, true, 0},
      {kActionModeNormal, 0.0f, false, 0}, {kActionModeNormal, 2.0f, true, 1},
      {kActionModeFlush, 2.0f, true, 1},   {kActionModeDry, 2.0f, false, 0},
      {kActionModeNormal, -1.0f, false, 0},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " countdown " << c.countdown);
    SLogicAction record;
    record.Countdown = c.countdown;
    std::vector<SLogicAction> queue;
    EXPECT_EQ(CActionRunner::QueueOrAnswer(record, c.mode, false, queue), c.answered);
    ASSERT_EQ(queue.size(), c.queued);
    if (c.queued) EXPECT_EQ(queue[0].Countdown, c.countdown);
  }
}

TEST(ActionRunnerPreamble, TheDrawIsTimePlusTheRangeTimesTheDrawInDoublePrecision) {
  SLogicAction record;
  record.time = 0.1f;
  record.time2 = 0.3f;
  std::vector<SLogicAction> queue;
  Platform::SeedRandom(11);
  const int r = Platform::Random();
  Platform::SeedRandom(11);
  EXPECT_TRUE(CActionRunner::QueueOrAnswer(record, kActionModeNormal, true, queue));
  const float expected = static_cast<float>(record.time + record.time2 * (r / 32767.0));
  EXPECT_EQ(record.Countdown, expected);  // the draw stays in the record
  ASSERT_EQ(queue.size(), 1u);
  EXPECT_EQ(queue[0].Countdown, expected);

  // Mode 1 draws nothing: the countdown already drawn stays.
  EXPECT_TRUE(CActionRunner::QueueOrAnswer(record, kActionModeQuery, true, queue));
  EXPECT_EQ(record.Countdown, expected);
}

}  // namespace
