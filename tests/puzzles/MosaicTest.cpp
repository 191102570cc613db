// The mosaic through the harness: solved by clicks, skipped before and
// after its start, fixed steps, the selection, frames without a cursor.
#include <gtest/gtest.h>

#include "Levels/Puzzles/Level_04_MG_01.h"
#include "puzzles/PuzzleFixtures.h"
#include "puzzles/PuzzleHarness.h"

using namespace puzzletest;

namespace {

class Mosaic : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CPuzzleHarness::SetUpSuite(); }
  static void TearDownTestSuite() { CPuzzleHarness::TearDownSuite(); }
  void SetUp() override {
    mosaic = dynamic_cast<CLevel_04_MG_01*>(h.Load(L"Back_4_MG3.xml", MosaicShapes()));
    ASSERT_NE(mosaic, nullptr);
  }
  void ClickCell(int cell) { h.Click(MosaicCellX(cell), MosaicCellZ(cell)); }
  // The cell the piece is in (or flies to).
  int CellOf(int piece) const { return mosaic->GetPiece(piece).row * 5 + mosaic->GetPiece(piece).column; }
  int PieceIn(int cell) const {
    for (int i = 0; i < 25; ++i)
      if (CellOf(i) == cell) return i;
    return -1;
  }
  bool Resting() const {
    for (int i = 0; i < 25; ++i)
      if (mosaic->GetPiece(i).state == CLevel_04_MG_01::kFlying) return false;
    return true;
  }
  void Settle() {
    for (int i = 0; i < 600 && !Resting(); ++i) h.Frame();
    ASSERT_TRUE(Resting());
  }

  CPuzzleHarness h;
  CLevel_04_MG_01* mosaic = nullptr;
};

const std::wstring kEnd = L"action:a_end_minigame_b4mg1";

}  // namespace

TEST_F(Mosaic, EnteringLaysOutTheStartAndAsksTheQuery) {
  EXPECT_EQ(h.Count(L"action:a_test_del_push_B4KysokPazl"), 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(CellOf(i), CLevel_04_MG_01::kStartCell[i]);
    EXPECT_NE(CellOf(i), i) << "no piece starts at home";
    EXPECT_FLOAT_EQ(mosaic->GetPiece(i).position.x, MosaicCellX(CellOf(i)));
    EXPECT_FLOAT_EQ(mosaic->GetPiece(i).position.z, MosaicCellZ(CellOf(i)));
  }
  EXPECT_FALSE(mosaic->IsRunning());
  EXPECT_EQ(mosaic->GetEntry(mosaic->GetObjectIndex(L"S_Ten")).mEffectFlag, 1) << "the board is drawn by the class";
}

TEST_F(Mosaic, SelectionSortClicksSolveItWithTheSoundThenTheEndActionOnce) {
  h.Action(L"a_start_minigame_b4mg1");
  int swaps = 0;
  for (int cell = 0; cell < 25; ++cell) {
    if (PieceIn(cell) == cell) continue;
    ASSERT_EQ(h.Count(kEnd), 0) << "not before the last swap";
    ClickCell(CellOf(cell));  // the piece that belongs here
    ASSERT_EQ(mosaic->GetSelected(), cell);
    ClickCell(cell);  // the piece lying here
    ++swaps;
    Settle();
  }
  EXPECT_GT(swaps, 15);
  EXPECT_EQ(h.Count(L"sound:Smena_kusochkov_mozaiki"), swaps);
  EXPECT_EQ(h.Count(L"sound:Klik_po_kusochku_mozaiki"), swaps);
  ASSERT_EQ(h.Count(kEnd), 1);
  ASSERT_EQ(h.Count(L"sound:OK_01"), 1);
  const auto& e = h.Events();
  EXPECT_EQ(std::find(e.begin(), e.end(), L"sound:OK_01") + 1, std::find(e.begin(), e.end(), kEnd));
  EXPECT_TRUE(mosaic->IsDone());
  for (int i = 0; i < 25; ++i) EXPECT_EQ(mosaic->GetPiece(i).state, CLevel_04_MG_01::kHome);
  h.Action(L"a_skip");
  h.Frames(3);
  EXPECT_EQ(h.Count(kEnd), 1);
}

TEST_F(Mosaic, TheSkipBeforeTheStartMovesNothingAndWinsOnTheNextRunningFrame) {
  h.Action(L"a_skip");
  h.Frames(5);
  EXPECT_EQ(h.Count(kEnd), 0);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(mosaic->GetPiece(i).state, CLevel_04_MG_01::kFlying);
    EXPECT_FLOAT_EQ(mosaic->GetPiece(i).position.x, MosaicCellX(CLevel_04_MG_01::kStartCell[i])) << "nothing moved";
  }
  h.Action(L"a_start_minigame_b4mg1");
  h.Frame();
  EXPECT_EQ(h.Count(kEnd), 1) << "the count is taken on cells, not on rest";
  EXPECT_EQ(h.Count(L"sound:OK_01"), 1);
  Settle();
  for (int i = 0; i < 25; ++i) EXPECT_EQ(mosaic->GetPiece(i).state, CLevel_04_MG_01::kHome);
}

TEST_F(Mosaic, OneFrameOfFiveHundredthsIsFiveFramesOfOneHundredth) {
  CPuzzleHarness other;
  auto* twin = dynamic_cast<CLevel_04_MG_01*>(other.Load(L"Back_4_MG3.xml", MosaicShapes()));
  ASSERT_NE(twin, nullptr);
  for (CPuzzleHarness* run : {&h, &other}) {
    run->Action(L"a_start_minigame_b4mg1");
    run->Click(MosaicCellX(0), MosaicCellZ(0), 0, 0.0f);
    run->Click(MosaicCellX(24), MosaicCellZ(24), 0, 0.0f);
  }
  h.Frame(0.05f);
  other.Frames(5, 0.01f);
  for (int piece : {8, 15}) {  // the pieces that lay in cells 0 and 24
    EXPECT_EQ(mosaic->GetPiece(piece).position.x, twin->GetPiece(piece).position.x);
    EXPECT_EQ(mosaic->GetPiece(piece).position.z, twin->GetPiece(piece).position.z);
    EXPECT_EQ(mosaic->GetPiece(piece).state, CLevel_04_MG_01::kFlying);
  }
}

TEST_F(Mosaic, ASecondClickOnTheSelectedPieceDropsTheSelection) {
  h.Action(L"a_start_minigame_b4mg1");
  ClickCell(7);
  const int piece = PieceIn(7);
  EXPECT_EQ(mosaic->GetSelected(), piece);
  EXPECT_EQ(mosaic->GetPiece(piece).state, CLevel_04_MG_01::kSelected);
  ClickCell(7);
  EXPECT_EQ(mosaic->GetSelected(), -1);
  EXPECT_EQ(mosaic->GetPiece(piece).state, CLevel_04_MG_01::kIdle);
  EXPECT_EQ(PieceIn(7), piece) << "nothing moved";
  EXPECT_EQ(h.Count(L"sound:Smena_kusochkov_mozaiki"), 0);
  h.Hover(MosaicCellX(3), MosaicCellZ(3));
  EXPECT_EQ(mosaic->GetPiece(PieceIn(3)).state, CLevel_04_MG_01::kHovered);
}

TEST_F(Mosaic, AFrameWithoutCursorTakesNoClickAndMovesNothing) {
  h.Action(L"a_start_minigame_b4mg1");
  ClickCell(0);
  const int first = PieceIn(0), second = PieceIn(1);
  h.Click(MosaicCellX(1), MosaicCellZ(1), 0, 0.05f, false);
  EXPECT_EQ(mosaic->GetSelected(), first) << "the second click needed a cursor";
  EXPECT_EQ(PieceIn(1), second);
  EXPECT_EQ(h.Count(L"sound:Smena_kusochkov_mozaiki"), 0);
  EXPECT_EQ(mosaic->GetPiece(first).state, CLevel_04_MG_01::kSelected) << "no step ran either";
}
