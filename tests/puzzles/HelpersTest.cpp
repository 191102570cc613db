// The rounding and vector helpers and the path-point mover.
#include <gtest/gtest.h>

#include <fstream>

#include "MiniGame/MiniGameMath.h"
#include "MiniGame/PathMover.h"
#include "puzzles/PuzzleHarness.h"

using namespace puzzletest;

TEST(MiniGameMath, RoundToNearestTakesHalvesTowardZero) {
  const struct {
    float x, expected;
  } cases[] = {{2.5f, 2.0f}, {2.6f, 3.0f}, {-2.5f, -2.0f}, {-2.6f, -3.0f}, {0.5f, 0.0f},
               {-0.5f, 0.0f}, {3.0f, 3.0f}, {0.0f, 0.0f},   {-3.0f, -3.0f}, {1.49f, 1.0f}};
  for (const auto& c : cases) EXPECT_EQ(RoundToNearest(c.x), c.expected) << c.x;
}

TEST(MiniGameMath, VectorsAndEasing) {
  EXPECT_EQ(Vector3LengthSquared(1, 2, 2), 9.0f);
  EXPECT_NEAR(CosineEase(0.25f), 0.1464f, 1e-4f);
  EXPECT_EQ(CosineEase(0.0f), 0.0f);
  EXPECT_NEAR(CosineEase(1.0f), 1.0f, 1e-6f);
  zormath::Vec3f v(1.0f, 5.0f, 0.0f);
  Vector3RotateY(v, 1.5707964f);
  EXPECT_NEAR(v.x, 0.0f, 1e-6f);
  EXPECT_NEAR(v.z, 1.0f, 1e-6f);
  EXPECT_EQ(v.y, 5.0f);
  zormath::Vec3f same(0.3f, 0.0f, 0.7f);
  Vector3RotateY(same, 0.0f);
  EXPECT_EQ(same, zormath::Vec3f(0.3f, 0.0f, 0.7f));
}

class PathMover : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CPuzzleHarness::SetUpSuite();
    std::ofstream(CPuzzleHarness::DataDir() / "Models" / "Path.zorp")
        << "o P_Three\nv 0 0 0\nv 10 0 0\nv 10 0 20\np 1 2 3\no P_One\nv 5 0 5\np 4\n";
  }
  static void TearDownTestSuite() { CPuzzleHarness::TearDownSuite(); }
  static zormath::Vec3f Position(const CPathMover& m) {
    zormath::Vec3f p;
    return m.GetPosition(p);
  }
};

TEST_F(PathMover, WithoutPointsNothingIsEverRead) {
  CPathMover mover;
  EXPECT_FALSE(mover.Load(L"Missing.zorp", std::wstring(80, L'n'), CPuzzleHarness::Core()));
  EXPECT_EQ(mover.GetName().size(), 80u) << "names of any length";
  EXPECT_EQ(mover.GetPointCount(), 1);
  mover.MoveToEnd();
  mover.StartForward(0.5f);
  mover.Update(1.0f);
  mover.StartBackward(0.5f);
  mover.Update(1.0f);
  mover.MoveToStart();
  EXPECT_EQ(Position(mover), zormath::Vec3f(0, 0, 0));
}

TEST_F(PathMover, MovesOneSegmentAtATimeBothWays) {
  CPathMover mover;
  ASSERT_TRUE(mover.Load(L"Path.zorp", L"P_Three", CPuzzleHarness::Core()));
  EXPECT_EQ(mover.GetPointCount(), 3);
  mover.MoveToStart();
  mover.StartForward(0.0f);  // one segment a second
  mover.Update(0.25f);
  EXPECT_EQ(Position(mover), zormath::Vec3f(2.5f, 0, 0));
  mover.StartBackward(-1.0f);  // at point 0 going back: it is at the start
  mover.Update(0.25f);
  EXPECT_EQ(Position(mover), zormath::Vec3f(0.0f, 0, 0));
  EXPECT_EQ(mover.GetState(), CPathMover::kAtStart);
  mover.StartForward(2.0f);
  mover.Update(5.0f);  // longer than a segment: exactly one point
  EXPECT_EQ(Position(mover), zormath::Vec3f(10, 0, 0));
  EXPECT_EQ(mover.GetIndex(), 1);
  mover.Update(5.0f);
  EXPECT_EQ(Position(mover), zormath::Vec3f(10, 0, 20));
  EXPECT_EQ(mover.GetState(), CPathMover::kForward) << "arrives at the end of a frame";
  mover.Update(0.1f);
  EXPECT_EQ(mover.GetState(), CPathMover::kAtEnd);
}

TEST_F(PathMover, APathOfOnePointEndsAtOnce) {
  CPathMover mover;
  ASSERT_TRUE(mover.Load(L"Path.zorp", L"P_One", CPuzzleHarness::Core()));
  mover.StartForward(1.0f);
  mover.Update(0.1f);
  EXPECT_EQ(mover.GetState(), CPathMover::kAtEnd);
  EXPECT_EQ(Position(mover), zormath::Vec3f(5, 0, 5));
  mover.StartBackward(1.0f);
  mover.Update(0.1f);
  EXPECT_EQ(mover.GetState(), CPathMover::kAtStart);
}
