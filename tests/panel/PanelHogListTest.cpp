// The hidden-object list: rows and counter from the chapter's complex set,
// found pieces taken off, and the names flying letter by letter.
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "panel/PanelTestSupport.h"

namespace {

using paneltest::PanelFixture;

class PanelHogList : public PanelFixture {
 protected:
  void SetUp() override {
    PanelFixture::SetUp();
    if (IsSkipped()) return;
    episod.sets[L"Hall"] = {
        {1, L"Candle", {3, 7}, 0.0f},
        {2, L"Bell", {1}, 0.5f},
        {0, L"Owl", {}, 0.0f},    // not listed and nothing to find: counted
        {0, L"Mouse", {2}, 0.0f}, // not listed with pieces: not counted
        {4, L"Quill", {}, 1.0f},  // all found: its row stays empty
        {5, L"Lamp", {}, 1.0f},   // all found, its place taken by Key
        {5, L"Key", {4}, 1.0f},
    };
    episod.marked = {L"THK_Bell_01"};
    panel->SetPanelMode(L"hog");
    panel->SetComplexHogList(L"Hall");
  }
  rovovoz::CGUILabel* Label(int row) const { return panel->GetHogRows()[static_cast<size_t>(row)].Label; }
};

TEST_F(PanelHogList, RowsShowNamesCountsObjectNamesAndColours) {
  const auto& rows = panel->GetHogRows();
  ASSERT_EQ(rows.size(), 8u);
  const struct {
    int row;
    const wchar_t* text;
    const wchar_t* object;
    uint32_t found;
    uint32_t colour;
  } cases[] = {
      {0, L"Candle (2)", L"THK_Candle_03", 0, 0xFF800000u},
      {1, L"Bell", L"THK_Bell_01", 0, 0xFF000000u},
      {2, L"", L"", 1, 0},
      {3, L"", L"", 1, 0},
      {4, L"Key", L"THK_Key_04", 0, 0xFF800000u},
      {7, L"", L"", 1, 0},
  };
  for (const auto& c : cases) {
    ASSERT_NE(Label(c.row), nullptr) << c.row;
    EXPECT_EQ(Label(c.row)->GetText(), c.text) << c.row;
    EXPECT_EQ(rows[static_cast<size_t>(c.row)].ObjectName, c.object) << c.row;
    EXPECT_EQ(rows[static_cast<size_t>(c.row)].Found, c.found) << c.row;
    if (c.colour) {
      EXPECT_EQ(Label(c.row)->GetColor(), c.colour) << c.row;
    }
  }
  rovovoz::CGUIBaseObject* counter = panel->GetChild(L"LOstalos");
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(counter->GetText(), L"Left to find: 4");
}

TEST_F(PanelHogList, FoundPiecesComeOffTheRowAndTheRefreshMovesToTheNextPiece) {
  rovovoz::CStaticObject3D candle(core.Get());
  EXPECT_TRUE(panel->RemoveComplexPiece(L"Hall", 3, &candle));
  EXPECT_EQ(Label(0)->GetText(), L"Candle");
  episod.sets[L"Hall"][0].Pieces = {7};
  panel->SetComplexHogList(L"Hall");
  EXPECT_EQ(panel->GetHogRows()[0].ObjectName, L"THK_Candle_07");

  EXPECT_TRUE(panel->RemoveComplexPiece(L"Hall", 1, nullptr));
  EXPECT_EQ(panel->GetHogRows()[1].Found, 1u);
  EXPECT_EQ(Label(1)->GetText(), L"Bell") << "the label waits for the chapter's refresh";
  EXPECT_EQ(panel->GetMoveTexts().size(), 2u);
}

TEST_F(PanelHogList, PiecesOfAnotherSetOrThatNoRowHoldsAreRefused) {
  EXPECT_FALSE(panel->RemoveComplexPiece(L"Cellar", 3, nullptr));
  EXPECT_FALSE(panel->RemoveComplexPiece(L"Hall", 9, nullptr));
  EXPECT_TRUE(panel->GetMoveTexts().empty());
}

TEST_F(PanelHogList, ASetTheChapterDoesNotKnowIsAnErrorAndTheRowsStay) {
  testsupport::LogCapture log;
  panel->SetComplexHogList(L"Attic");
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Invalid complex object hog Attic"));
  EXPECT_EQ(Label(0)->GetText(), L"Candle (2)");
}

TEST_F(PanelHogList, LettersStartOneAfterAnotherAndTheTextRunsThroughItsHolds) {
  const struct {
    const wchar_t* name;
    float step;
  } cases[] = {{L"Bell", 0.08f}, {L"Twenty letters long.", 0.04f}};
  for (const auto& c : cases) {
    episod.sets[L"Hall"][1].Name = c.name;
    panel->SetComplexHogList(L"Hall");
    ASSERT_TRUE(panel->RemoveComplexPiece(L"Hall", 1, nullptr));
    const SMoveText& move = panel->GetMoveTexts().back();
    ASSERT_EQ(move.LetterTimes.size(), std::wstring(c.name).size());
    for (size_t i = 0; i < move.LetterTimes.size(); ++i)
      EXPECT_NEAR(move.LetterTimes[i], -c.step * static_cast<float>(i), 1e-5f) << c.name << " letter " << i;
    episod.sets[L"Hall"][1].Pieces = {1};
  }
  // The last letter of the long text starts at 0.76 s and lands at 1.26 s;
  // then two holds of one second each.
  const struct {
    float until;
    int state;
  } timeline[] = {{1.2f, 0}, {1.35f, 1}, {2.4f, 2}, {3.5f, -1}};
  float t = 0.0f;
  for (const auto& step : timeline) {
    while (t < step.until - 1e-4f) {
      panel->Update(0.05f, nullptr);
      t += 0.05f;
    }
    if (step.state < 0) {
      EXPECT_TRUE(panel->GetMoveTexts().empty()) << t;
    } else {
      ASSERT_FALSE(panel->GetMoveTexts().empty()) << t;
      EXPECT_EQ(panel->GetMoveTexts().back().State, step.state) << t;
    }
  }
}

TEST_F(PanelHogList, AFoundObjectNearTheRightEdgeStartsItsTextInsideTheScreen) {
  rovovoz::CStaticObject3D bell(core.Get());
  bell.SetPosition3D(505.0f, 0.0f, 100.0f);
  ASSERT_TRUE(panel->RemoveComplexPiece(L"Hall", 1, &bell));
  const SMoveText& move = panel->GetMoveTexts().back();
  auto* measure = dynamic_cast<rovovoz::CGUILabel*>(panel->GetChild(L"L_MoveText"));
  ASSERT_NE(measure, nullptr);
  measure->SetText(L"Bell");
  const float width = static_cast<float>(measure->GetTextWidth());
  ASSERT_GT(width, 0.0f);
  EXPECT_FLOAT_EQ(move.Start.x + width / 2.0f, 510.0f);
  EXPECT_FLOAT_EQ(move.Start.z, 85.0f);
  EXPECT_FLOAT_EQ(move.End.z, Label(1)->GetPosition3D().z - 15.0f);
}

TEST_F(PanelHogList, EachFrameRowsFadeInAndTakeTheirColourFromTheChapter) {
  episod.marked = {L"THK_Candle_03"};
  panel->Update(0.25f, nullptr);
  EXPECT_EQ(Label(0)->GetColor(), 0xFF000000u);
  EXPECT_EQ(Label(1)->GetColor(), 0xFF800000u);
  EXPECT_FLOAT_EQ(Label(0)->GetAlpha(), 0.25f);
  EXPECT_FLOAT_EQ(Label(1)->GetAlpha(), 0.75f);
  EXPECT_FLOAT_EQ(Label(4)->GetAlpha(), 1.0f);
}

TEST_F(PanelHogList, RestoreForgetsTheSetAndTheFlyingTexts) {
  ASSERT_TRUE(panel->RemoveComplexPiece(L"Hall", 3, nullptr));
  panel->RestoreFromPlayer();
  EXPECT_TRUE(panel->GetComplexHogName().empty());
  EXPECT_TRUE(panel->GetMoveTexts().empty());
  EXPECT_FALSE(panel->RemoveComplexPiece(L"Hall", 7, nullptr));
}

}  // namespace
