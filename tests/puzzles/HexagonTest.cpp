// The hexagons through the harness: turns, a click during a turn, the
// skip's turn queue and a missing trigger.
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Levels/Puzzles/Level_05_MG_02.h"
#include "puzzles/PuzzleFixtures.h"
#include "puzzles/PuzzleHarness.h"

using namespace puzzletest;

namespace {

class Hexagon : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CPuzzleHarness::SetUpSuite(); }
  static void TearDownTestSuite() { CPuzzleHarness::TearDownSuite(); }
  CLevel_05_MG_02* Load(int without = 0, uint32_t seed = 7) {
    auto* hexagon = dynamic_cast<CLevel_05_MG_02*>(h.Load(L"Back_05_MG1.xml", HexagonShapes(without), seed));
    if (hexagon) h.Action(L"a_start_minigame_b5mg2");
    return hexagon;
  }
  zormath::Vec3f Direction(CLevel_05_MG_02* hexagon, int piece) {
    return hexagon->GetPiece(piece).model->GetDirection3D();
  }
  CPuzzleHarness h;
};

const std::wstring kEnd = L"action:a_end_minigame_b5mg2";

}  // namespace

TEST_F(Hexagon, SixTurnsOneWayRestoreTheDirection) {
  CLevel_05_MG_02* hexagon = Load();
  ASSERT_NE(hexagon, nullptr);
  for (int button : {0, 1}) {
    const zormath::Vec3f before = Direction(hexagon, 3);
    const float angle = hexagon->GetPiece(3).angle;
    for (int turn = 0; turn < 6; ++turn) {
      h.Click(HexagonX(3), 0, button);
      h.Frames(10);
      EXPECT_NE(hexagon->GetPiece(3).state, CLevel_05_MG_02::kTurning);
    }
    const zormath::Vec3f after = Direction(hexagon, 3);
    EXPECT_NEAR(after.x, before.x, 1e-4f);
    EXPECT_NEAR(after.z, before.z, 1e-4f);
    EXPECT_NEAR(hexagon->GetPiece(3).angle - angle, (button == 0 ? -6 : 6) * CLevel_05_MG_02::kTurnStep, 1e-4f)
        << "the angle keeps growing; only the direction counts";
  }
  EXPECT_EQ(h.Count(L"sound:Mozaika_provorachivaetsya"), 12);
}

TEST_F(Hexagon, AClickDuringATurnDoesNothing) {
  CLevel_05_MG_02* hexagon = Load();
  ASSERT_NE(hexagon, nullptr);
  const float angle = hexagon->GetPiece(0).angle;
  h.Click(HexagonX(0), 0);
  EXPECT_EQ(hexagon->GetPiece(0).state, CLevel_05_MG_02::kTurning);
  h.Click(HexagonX(0), 0);
  h.Click(HexagonX(2), 0);  // another piece turns meanwhile
  EXPECT_EQ(hexagon->GetPiece(2).state, CLevel_05_MG_02::kTurning);
  h.Frames(10);
  EXPECT_NEAR(hexagon->GetPiece(0).angle, angle - CLevel_05_MG_02::kTurnStep, 1e-5f);
  EXPECT_EQ(h.Count(L"sound:Mozaika_provorachivaetsya"), 2);
}

TEST_F(Hexagon, TheSkipTurnsOnePieceAtATimeAndWinsOnce) {
  for (uint32_t seed : {3u, 11u, 12345u}) {
    SCOPED_TRACE(seed);
    CLevel_05_MG_02* hexagon = Load(0, seed);
    ASSERT_NE(hexagon, nullptr);
    h.ClearEvents();
    h.Click(HexagonX(5), 0);  // half-way through a turn when the skip comes
    h.Action(L"a_skip");
    int frames = 0;
    while (h.Count(kEnd) == 0 && frames < 2000) {
      h.Hover(HexagonX(7), 0);
      int turning = 0;
      for (int i = 0; i < 13; ++i) turning += hexagon->GetPiece(i).state == CLevel_05_MG_02::kTurning;
      ASSERT_LE(turning, 2) << "the skip's own turns run one at a time";
      ++frames;
    }
    EXPECT_EQ(hexagon->GetPiece(7).state, CLevel_05_MG_02::kRest) << "no hover during the skip";
    EXPECT_EQ(h.Count(kEnd), 1);
    EXPECT_EQ(h.Count(L"sound:OK_3"), 1);
    EXPECT_EQ(hexagon->GetQueueLength(), 0u);
    h.Frames(5);
    EXPECT_EQ(h.Count(kEnd), 1);
    h.Action(L"a_b5mg2_need_push_down_UnitedHexagons");
    h.Frames(30);
    EXPECT_EQ(hexagon->GetFade(), 1.0f);
  }
}

TEST_F(Hexagon, AMissingTriggerLeavesItsPieceOut) {
  testsupport::LogCapture log;
  CLevel_05_MG_02* hexagon = Load(5);
  ASSERT_NE(hexagon, nullptr);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Warning,
                           L"Puzzle Back_05_MG1.xml: no trigger T_kysok_05, the piece is left out."));
  h.Click(HexagonX(4), 0);
  EXPECT_NE(hexagon->GetPiece(4).state, CLevel_05_MG_02::kTurning) << "not pickable";
  h.Action(L"a_skip");
  for (int i = 0; i < 2000 && h.Count(kEnd) == 0; ++i) h.Frame();
  EXPECT_EQ(h.Count(kEnd), 1) << "the rest still plays to the end";
}
