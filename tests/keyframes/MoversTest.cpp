// The movers scene classes hold: the multi-point interpolator and the move
// queue with its program-wide signal and position.
#include <gtest/gtest.h>

#include "Engine/rovovoz/MouseCursor.h"
#include "MiniGame/MiniGameMath.h"
#include "Objects/MoveQueue.h"
#include "Objects/MultiPointsInterpolator.h"
#include "keyframes/KeyframesTestSupport.h"

namespace {

using keyframestest::KeyframesCore;
using zormath::Vec3f;
using zuzorev::ELogLevel;

void ExpectNear(const Vec3f& got, const Vec3f& want, const char* what) {
  EXPECT_NEAR(got.x, want.x, 1e-5f) << what;
  EXPECT_NEAR(got.y, want.y, 1e-5f) << what;
  EXPECT_NEAR(got.z, want.z, 1e-5f) << what;
}

TEST(Interpolator, CrossesOneBoundaryPerUpdateTakingThePositionBeforeTheWrap) {
  KeyframesCore core;
  ASSERT_TRUE(core.Ok());
  MultiPointsInterpolator path;
  ASSERT_TRUE(path.LoadFromModel(L"Keyframes.zorP", L"Tri", core.Get()));
  ASSERT_EQ(path.GetPointCount(), 3);
  path.PlayForward();
  path.Update(0.5f);
  ExpectNear(path.GetPosition(), {0.5f, 0, 0}, "halfway along the first segment");
  path.Update(0.75f);
  ExpectNear(path.GetPosition(), {1.25f, 0, 0}, "on the first segment's extension");
  EXPECT_EQ(path.GetIndex(), 1);
  EXPECT_FLOAT_EQ(path.GetT(), 0.25f);
  path.Update(0.0f);
  ExpectNear(path.GetPosition(), {1, 0.25f, 0}, "the carried quarter on the second");
  path.Update(5.0f);
  EXPECT_EQ(path.GetState(), MultiPointsInterpolator::kAtEnd);
  ExpectNear(path.GetPosition(), {1, 1, 0}, "the last point");
  path.Update(1.0f);
  ExpectNear(path.GetPosition(), {1, 1, 0}, "stays at the end");

  EXPECT_EQ(path.PlayPingPong(), MultiPointsInterpolator::kAtEnd);
  path.SetSpeed(2.0f);
  path.Update(0.25f);
  ExpectNear(path.GetPosition(), {1, 0.5f, 0}, "backward at two segments a second");
  path.Update(0.5f);
  path.Update(0.5f);
  EXPECT_EQ(path.GetState(), MultiPointsInterpolator::kForward) << "ping-pong turns at the start";
  ExpectNear(path.GetPosition(), {0, 0, 0}, "the first point");
  path.Rewind();
  EXPECT_EQ(path.GetState(), MultiPointsInterpolator::kAtStart);
}

TEST(Interpolator, OnePointHoldsAndAMissingModelIsLogged) {
  KeyframesCore core;
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  MultiPointsInterpolator path;
  ASSERT_TRUE(path.LoadFromModel(L"Keyframes.zorP", L"One", core.Get()));
  path.PlayForward();
  path.Update(0.7f);
  path.Update(2.0f);
  ExpectNear(path.GetPosition(), {30, 0, 40}, "a single point holds");
  EXPECT_FALSE(path.LoadFromModel(L"Keyframes.zorP", L"Nothing", core.Get()));
  EXPECT_EQ(path.GetPointCount(), 1) << "the points stay";
  const auto errors = log.Texts(ELogLevel::Error);
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.back(), L"Loading Nothing from Keyframes.zorP");

  MultiPointsInterpolator empty;
  empty.PlayForward();
  empty.Update(1.0f);
  EXPECT_EQ(empty.GetIndex(), -1);
  EXPECT_EQ(Vector3LengthSquared(1, 2, 2), 9.0f);
}

class MoveQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    cursor.SetPosition3D({0, 0, 0});
    gMoveQueuePosition = Vec3f();
  }
  static SMoveStep Step(int type, float x, float z) {
    SMoveStep step;
    step.Init(type, x, 0, z);
    return step;
  }
  rovovoz::CMouseCursor cursor;
};

TEST_F(MoveQueue, SignalRaisesForOneFrameAfterTheMovesBeforeIt) {
  CMoveQueue queue;
  queue.Push(Step(SMoveStep::kMove, 100, 0));
  queue.Push(Step(SMoveStep::kMove, 100, 100));
  queue.Push(Step(SMoveStep::kSignal, 0, 0));
  std::vector<int> signals;
  std::vector<Vec3f> positions;
  for (int frame = 0; frame < 8; ++frame) {
    queue.Update(0.125f, &cursor);
    signals.push_back(GetMoveQueueSignal());
    positions.push_back(gMoveQueuePosition);
  }
  // Each move: t 0.001 + 0.5 per frame, so it ends at its second update.
  EXPECT_EQ(signals, (std::vector<int>{0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(positions[1], Vec3f(100, 0, 0));
  EXPECT_EQ(positions[3], Vec3f(100, 0, 100));
  EXPECT_NEAR(positions[2].x, 50.0f, 0.5f) << "the second move starts from the cursor, not from the first's end";
  EXPECT_EQ(queue.GetCount(), 0u);
}

TEST_F(MoveQueue, ExactlyOneIsNotYetDoneAndSpeedStretchesTheMove) {
  SMoveStep step = Step(SMoveStep::kMove, 40, 0);
  step.t = 0.5f;
  EXPECT_TRUE(step.Update(0.125f, &cursor));
  EXPECT_EQ(step.t, 1.0f);
  EXPECT_FLOAT_EQ(gMoveQueuePosition.x, 40.0f);
  EXPECT_FALSE(step.Update(0.01f, &cursor)) << "finishes one update later";
  EXPECT_EQ(gMoveQueuePosition, Vec3f(40, 0, 0));
  EXPECT_TRUE(step.Update(0.1f, nullptr)) << "no cursor: nothing happens";

  CMoveQueue queue;
  queue.SetSpeed(0.5f);
  queue.Push(Step(SMoveStep::kMove, 100, 0));
  int updates = 0;
  while (queue.GetCount() > 0 && updates < 100) {
    queue.Update(0.05f, &cursor);
    ++updates;
  }
  EXPECT_EQ(updates, 10) << "0.5 s at half speed";
  queue.Push(Step(SMoveStep::kMove, -100, 0));
  queue.Update(0.05f, &cursor);
  const Vec3f midway = gMoveQueuePosition;
  queue.Clear();
  queue.Update(0.05f, &cursor);
  EXPECT_EQ(gMoveQueuePosition, midway) << "a cleared queue leaves the position";
}

}  // namespace
