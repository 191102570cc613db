// The panel after a restart: the profile written, read back, and the panel
// made anew shows the same items, list and recharge as before.
#include <limits>
#include <string>

#include "Engine/rovovoz/GUILabel.h"
#include "Platform/Strings.h"
#include "PlayerFile.h"
#include "panel/PanelTestSupport.h"

namespace {

// A chapter whose complex set lives in the player's progress: one task per
// item of the set, its value the item's row, its pending pieces those still
// to find.
class ProgressEpisod : public paneltest::TestEpisod {
 public:
  void GetComplexHogItems(std::vector<SComplexHogItem>& out, const std::wstring& set) override {
    auto it = gCurrentPlayer.mEpisodInfo.mBackComplex.find(set);
    if (it == gCurrentPlayer.mEpisodInfo.mBackComplex.end()) return;
    for (const SComplexTaskInfo& task : it->second) {
      SComplexHogItem item;
      item.Row = static_cast<int>(task.mValue);
      item.Name = task.mName;
      for (const SComplexPiece& piece : task.mPieces)
        if (piece.mPending) item.Pieces.push_back(static_cast<int>(piece.mId));
      item.Alpha = 1.0f;
      out.push_back(item);
    }
  }
};

struct SPanelView {
  std::vector<std::wstring> items;
  int first = 0;
  std::vector<std::wstring> rows;
  std::wstring counter;
  int hintShown = 0;
  float hint = 0, hog = 0, skip = 0;
  bool operator==(const SPanelView&) const = default;
};

class PanelRestore : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!core.Ok()) GTEST_SKIP() << "no headless core";
    gCurrentPlayer = PlayerRecord();
    logic = std::make_unique<paneltest::TestLogic>(core.Get());
  }
  void TearDown() override {
    panel.reset();
    logic.reset();
    gCurrentPlayer = PlayerRecord();
  }
  // A new panel, as the game makes it at start, entering a hidden-object scene.
  void EnterHogScene() {
    panel = std::make_unique<CGamePanel>(core.Get(), nullptr);
    ASSERT_EQ(panel->Load(L"Data\\Interface\\GamePanel.xml", 3), 0);
    panel->SetBack(&episod);
    panel->RestoreFromPlayer();
    panel->SetPanelMode(L"hog");
    panel->SetComplexHogList(L"Hall");
  }
  SPanelView View() {
    SPanelView v;
    for (int i = 0; i < panel->GetItemCount(); ++i) v.items.push_back(panel->GetItem(i).name);
    v.first = panel->GetFirstVisibleItem();
    for (const SHogListRow& row : panel->GetHogRows()) v.rows.push_back(row.Label ? row.Label->GetText() : L"?");
    v.counter = panel->GetChild(L"LOstalos")->GetText();
    v.hintShown = panel->GetChild(L"BHint")->GetVisible();
    v.hint = gCurrentPlayer.mHintTimer;
    v.hog = gCurrentPlayer.mHogHintTimer;
    v.skip = gCurrentPlayer.mSkipTimer;
    return v;
  }
  paneltest::PanelCore core;
  std::unique_ptr<paneltest::TestLogic> logic;
  std::unique_ptr<CGamePanel> panel;
  ProgressEpisod episod;
};

TEST_F(PanelRestore, ItemsListAndRechargeComeBackAfterARestart) {
  gCurrentPlayer.mName = L"Restorer";
  gCurrentPlayer.mDifficulty = 1;
  for (const wchar_t* name : {L"Key", L"Wick", L"Item_1", L"Item_2", L"Item_3", L"Item_4", L"Item_5", L"Item_6", L"Item_7"})
    gCurrentPlayer.AddName(name, 1);
  auto task = [](const wchar_t* name, uint32_t row, std::vector<uint32_t> pieces) {
    SComplexTaskInfo t;
    t.mName = name;
    t.mValue = row;
    for (uint32_t id : pieces) t.mPieces.push_back({id, 1, 0, L""});
    return t;
  };
  gCurrentPlayer.mEpisodInfo.AddComplexTask(L"Hall", task(L"Candle", 1, {3, 7}));
  gCurrentPlayer.mEpisodInfo.AddComplexTask(L"Hall", task(L"Bell", 2, {1}));
  gCurrentPlayer.mEpisodInfo.AddComplexTask(L"Hall", task(L"Quill", 3, {2, 4, 6}));

  EnterHogScene();
  // Play: a piece found and recorded, the hint used and recharging, an item used up.
  ASSERT_TRUE(panel->RemoveComplexPiece(L"Hall", 3, nullptr));
  ASSERT_TRUE(gCurrentPlayer.mEpisodInfo.ClearComplexPiece(L"Hall", L"Candle", 3));
  panel->SetComplexHogList(L"Hall");
  gCurrentPlayer.mHogHintTimer = 0.0f;
  for (int i = 0; i < 50; ++i) panel->Update(0.25f, nullptr);
  panel->DeleteSimpleObject(L"Item_3");
  for (int i = 0; i < 4; ++i) panel->Update(0.25f, nullptr);
  gCurrentPlayer.mSkipTimer = 40.0f;
  panel->RestoreFromPlayer();
  panel->SetPanelMode(L"hog");
  panel->SetComplexHogList(L"Hall");
  const SPanelView before = View();
  ASSERT_EQ(before.items.size(), 8u);
  ASSERT_EQ(before.rows[0], L"Candle");
  ASSERT_EQ(before.rows[2], L"Quill (3)");
  ASSERT_FLOAT_EQ(before.hog, 13.5f);
  ASSERT_EQ(before.hintShown, 0);

  testsupport::TempDir dir;
  const auto file = dir.Path() / "Restorer.dat";
  ASSERT_TRUE(WriteProfileFile(file, gCurrentPlayer));
  panel.reset();
  gCurrentPlayer = PlayerRecord();
  ASSERT_EQ(ReadProfileFile(file, gCurrentPlayer), EPlayerFileRead::Read);

  EnterHogScene();
  EXPECT_EQ(View(), before);
  for (int i = 0; i < 71; ++i) panel->Update(0.25f, nullptr);
  EXPECT_EQ(panel->GetChild(L"BHint")->GetVisible(), 1) << "the casual 30 s run on from where they were";
}

// Each recharging button half done, written, read back into a fresh panel:
// it waits out only the rest of its time and then sounds once; a charge
// that a damaged profile holds starts empty.
TEST_F(PanelRestore, EachButtonsRechargeRunsOnFromTheSavedProfile) {
  struct Case {
    const char* mode;
    float PlayerRecord::*charge;
    const wchar_t* button;
    float saved;      // seconds charged when written
    float remaining;  // seconds still to wait after the restart
  } cases[] = {
      {"push", &PlayerRecord::mHintTimer, L"BHint", 30.0f, 30.0f},
      {"hog", &PlayerRecord::mHogHintTimer, L"BHint", 15.0f, 15.0f},
      {"minigame", &PlayerRecord::mSkipTimer, L"BSkip", 60.0f, 60.0f},
      {"push", &PlayerRecord::mHintTimer, L"BHint", -std::numeric_limits<float>::infinity(), 60.0f},
      {"minigame", &PlayerRecord::mSkipTimer, L"BSkip", std::numeric_limits<float>::quiet_NaN(), 120.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.saved));
    gCurrentPlayer = PlayerRecord();
    gCurrentPlayer.mName = L"Restorer";
    gCurrentPlayer.mDifficulty = 1;  // casual: hint 60 s, list hint 30 s, skip 120 s
    gCurrentPlayer.*c.charge = c.saved;
    testsupport::TempDir dir;
    const auto file = dir.Path() / "Restorer.dat";
    ASSERT_TRUE(WriteProfileFile(file, gCurrentPlayer));
    gCurrentPlayer = PlayerRecord();
    ASSERT_EQ(ReadProfileFile(file, gCurrentPlayer), EPlayerFileRead::Read);

    panel = std::make_unique<CGamePanel>(core.Get(), nullptr);
    ASSERT_EQ(panel->Load(L"Data\\Interface\\GamePanel.xml", 3), 0);
    panel->SetBack(&episod);
    panel->RestoreFromPlayer();
    panel->SetPanelMode(Platform::Utf8ToWide(c.mode));
    rovovoz::CGUIBaseObject* button = panel->GetChild(c.button);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetVisible(), 0);
    for (float t = 0.0f; t < c.remaining - 0.5f; t += 0.25f) panel->Update(0.25f, nullptr);
    EXPECT_EQ(button->GetVisible(), 0) << "half a second before its time";
    core.Quiet();
    for (int i = 0; i < 4; ++i) panel->Update(0.25f, nullptr);
    EXPECT_EQ(button->GetVisible(), 1);
    EXPECT_TRUE(core.Played(L"Podskazka_gotova"));
    core.Quiet();
    panel->Update(0.25f, nullptr);
    EXPECT_FALSE(core.Played(L"Podskazka_gotova")) << "once";
  }
}

}  // namespace
