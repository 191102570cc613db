// The hint search of a playable scene: each kind of open work, as the only
// work left in the scene, gives its result, beam, tip or panel item; the
// active-object query agrees; the open close-up answers first and is closed
// when it holds nothing more; the close-up's own search.
#include <functional>

#include "levels/LevelTestSupport.h"

using namespace leveltest;

namespace {

using Beams = std::vector<std::pair<int, int>>;
using Texts = std::vector<std::wstring>;

// Entry indices of the scene the scenarios build (in this order).
enum : int { kItem = 0, kOther = 1 };

class HintSearch : public ::testing::Test {
 public:
  scenetest::SceneCore core;
  scenetest::FreshPlayer player;
  CLogic logic;
  GlobalScope<CLogic> logicScope{gLogic, &logic};
  CRecPanel panel;
  GlobalScope<CGamePanel> panelScope{gGamePanel, &panel};
  rovovoz::CGUIForm frame{core.Get(), nullptr};
  GlobalScope<rovovoz::CGUIForm> frameScope{gRegionForm, &frame};
  CTestLevel level;
  CTestRegion region{nullptr, L"Desk"};

  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    Platform::SeedRandom(7);
    ASSERT_EQ(region.LoadBack(nullptr, &level), 1);
    region.findCount = region.pushCount = region.mouseCount = 0;
    level.AddRegion(&region);
  }
  SEpisodInfo& Progress() { return gCurrentPlayer.mEpisodInfo; }
  void Task(const std::wstring& group, const std::wstring& name, const std::wstring& tip = L"") {
    Progress().AddObjectTask(group, name, 1);
    if (!tip.empty()) Progress().SetObjectTaskName2(group, name, tip);
  }
  // A "region" item whose click opens the close-up.
  void RegionItem(const std::wstring& tip = L"") {
    level.AddZoneItem(L"region", L"TR_Desk");
    Task(L"region", L"TR_Desk", tip);
    level.AddAction(scenetest::Action(L"mc_region_TR_Desk", {OpenRegionRecord(L"Desk")}));
  }
  void TableItem(const std::wstring& name, const std::wstring& tipText) {
    SPredmetInfo info;
    info.KeyTextTips = tipText;
    logic.m_PushPredmets[name] = info;
  }
};

struct Scenario {
  const char* what;
  void (*build)(HintSearch&);
  int32_t result;
  Beams beams;
  Texts tips;
  Texts items;
  int32_t active;  // the active-object query's answer
};

}  // namespace

// Friend access for the scenario builders.
class HintSearchScenarios : public HintSearch {
 public:
  void TestBody() override {}
};

TEST(HintSearchTable, EachKindOfWorkAloneGivesItsHint) {
  const Scenario scenarios[] = {
      {"an item to find", [](HintSearch& t) {
         t.level.AddZoneItem(L"find", L"Key");
         t.Task(L"find", L"Key");
         t.level.clickable.insert(kItem);
       }, 1, {{kItem, 0}}, {}, {}, 1},
      {"a find item whose click is not taken now", [](HintSearch& t) {
         t.level.AddZoneItem(L"find", L"Key");
         t.Task(L"find", L"Key");
       }, 0, {}, {}, {}, 0},
      {"a hidden object, clickable or not", [](HintSearch& t) {
         t.level.AddZoneItem(L"hog", L"Cup");
         t.Task(L"hog", L"Cup");
       }, 1, {{kItem, 0}}, {}, {}, 1},
      {"something to pick up and where to use it", [](HintSearch& t) {
         t.level.AddZoneItem(L"sfind", L"Wick");
         t.level.AddZoneItem(L"spush", L"Wick");
         t.Task(L"sfind", L"Wick");
         t.Task(L"spush", L"Wick");
         t.level.clickable = {kItem, kOther};
       }, 1, {{kItem, 0}, {kOther, 1}}, {}, {}, 1},
      {"the picked-up thing already held", [](HintSearch& t) {
         t.level.AddZoneItem(L"sfind", L"Wick");
         t.level.AddZoneItem(L"spush", L"Wick");
         t.Task(L"sfind", L"Wick");
         t.Task(L"spush", L"Wick");
         t.level.clickable = {kOther};
         t.panel.held = L"Wick";
       }, 1, {{kOther, 0}}, {}, {}, 0},
      {"a pick-up with nowhere to use it", [](HintSearch& t) {
         t.level.AddZoneItem(L"sfind", L"Wick");
         t.Task(L"sfind", L"Wick");
         t.level.clickable = {kItem};
       }, 0, {}, {}, {}, 1},
      {"a close-up with things to find", [](HintSearch& t) {
         t.RegionItem(L"t_desk");
         t.region.findCount = 2;
       }, 1, {{kItem, 0}}, {L"t_desk"}, {}, 1},
      {"an item the player carries to use here", [](HintSearch& t) {
         t.level.AddZoneItem(L"push", L"Oil");
         t.Task(L"push", L"Oil");
         gCurrentPlayer.AddName(L"Oil", 1);
         t.TableItem(L"Oil", L"");
         t.level.clickable = {kItem};
       }, 1, {{kItem, 0}}, {}, {L"Oil"}, 0},
      {"a carried item the item table does not know", [](HintSearch& t) {
         t.level.AddZoneItem(L"push", L"Oil");
         t.Task(L"push", L"Oil");
         gCurrentPlayer.AddName(L"Oil", 1);
         t.level.clickable = {kItem};
       }, 0, {}, {}, {}, 0},
      {"a carried item that starts a puzzle", [](HintSearch& t) {
         t.level.AddZoneItem(L"push", L"Gear");
         t.Task(L"push", L"Gear");
         gCurrentPlayer.AddName(L"Gear", 1);
         t.TableItem(L"Gear", L"t_gear");
         t.level.miniGameClicks = {kItem};
       }, 1, {{kItem, 0}}, {}, {L"Gear"}, 1},
      {"a close-up where a carried item is used", [](HintSearch& t) {
         t.RegionItem();
         t.region.usable = {L"push"};
       }, 1, {{kItem, 0}}, {}, {}, 1},
      {"a close-up with a place to use a picked-up thing", [](HintSearch& t) {
         t.RegionItem(L"t_desk");
         t.region.usable = {L"spush"};
       }, 1, {{kItem, 0}}, {L"t_desk"}, {}, 1},
      {"a close-up with only a tip", [](HintSearch& t) { t.RegionItem(L"t_desk"); }, 1, {{kItem, 0}}, {L"t_desk"},
       {}, 1},
      {"a spot with a tip", [](HintSearch& t) {
         t.level.AddZoneItem(L"mouse", L"Window");
         t.Task(L"mouse", L"Window", L"t_window");
       }, 1, {{kItem, 0}}, {L"t_window"}, {}, 1},
      {"a spot to click", [](HintSearch& t) {
         t.level.AddZoneItem(L"mouse", L"Window");
         t.Task(L"mouse", L"Window");
         t.level.clickable = {kItem};
       }, 1, {{kItem, 0}}, {}, {}, 1},
      {"a close-up with a spot to click", [](HintSearch& t) {
         t.RegionItem();
         t.region.usable = {L"mouse"};
       }, 1, {{kItem, 0}}, {}, {}, 1},
      {"nothing at all", [](HintSearch&) {}, 0, {}, {}, {}, 0},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.what);
    {
      HintSearchScenarios t;
      t.SetUp();
      s.build(t);
      EXPECT_EQ(t.level.FindHintTarget(0), s.result);
      EXPECT_EQ(t.level.beams, s.beams);
      EXPECT_EQ(t.level.tips, s.tips);
      EXPECT_EQ(t.panel.items, s.items);
      EXPECT_EQ(t.level.FindHintTarget(1), s.result == -1 ? 0 : s.result) << "the query finds the same";
    }
    {
      HintSearchScenarios t;
      t.SetUp();
      s.build(t);
      t.level.beams.clear();
      EXPECT_EQ(t.level.HasActiveObjects(), s.active);
      EXPECT_TRUE(t.level.beams.empty());
    }
  }
}

TEST_F(HintSearch, WithWorkForManyStagesTheEarliestStageAnswers) {
  // Work for every stage that points at a place of its own; each rung
  // finishes the work of the stage that answered, and the next stage in
  // line answers.
  enum : int { kKey, kCup, kWick, kWickUse, kDesk, kOil, kGear, kWindow, kDoor };
  level.AddZoneItem(L"find", L"Key");
  level.AddZoneItem(L"hog", L"Cup");
  level.AddZoneItem(L"sfind", L"Wick");
  level.AddZoneItem(L"spush", L"Wick");
  RegionItem();
  level.AddZoneItem(L"push", L"Oil");
  level.AddZoneItem(L"push", L"Gear");
  level.AddZoneItem(L"mouse", L"Window");
  level.AddZoneItem(L"mouse", L"Door");
  for (const auto& [group, name] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"find", L"Key"}, {L"hog", L"Cup"}, {L"sfind", L"Wick"}, {L"spush", L"Wick"}, {L"push", L"Oil"},
           {L"push", L"Gear"}, {L"mouse", L"Door"}})
    Task(group, name);
  Task(L"mouse", L"Window", L"t_window");
  gCurrentPlayer.AddName(L"Oil", 1);
  gCurrentPlayer.AddName(L"Gear", 1);
  TableItem(L"Oil", L"");
  TableItem(L"Gear", L"t_gear");
  level.clickable = {kKey, kWick, kWickUse, kOil, kDoor};
  level.miniGameClicks = {kGear};
  region.findCount = 2;
  region.usable = {L"push", L"mouse"};

  const auto done = [this](const wchar_t* group, const wchar_t* name) {
    return [this, group, name] { Progress().AddObjectTask(group, name, 3); };
  };
  struct Rung {
    const char* stage;
    std::function<void()> finishBefore;
    Beams beams;
    Texts items;
  };
  const Rung rungs[] = {
      {"1 find", [] {}, {{kKey, 0}}, {}},
      {"2 hog", done(L"find", L"Key"), {{kCup, 0}}, {}},
      {"3 pick up and use", done(L"hog", L"Cup"), {{kWick, 0}, {kWickUse, 1}}, {}},
      {"4 close-up to search", done(L"sfind", L"Wick"), {{kDesk, 0}}, {}},
      {"6 carried item", [this] { region.findCount = 0; }, {{kOil, 0}}, {L"Oil"}},
      {"7 carried item for a puzzle", done(L"push", L"Oil"), {{kGear, 0}}, {L"Gear"}},
      {"8 close-up to use an item in", done(L"push", L"Gear"), {{kDesk, 0}}, {}},
      {"11 spot with a tip", [this] { region.usable = {L"mouse"}; }, {{kWindow, 0}}, {}},
      {"12 spot to click", done(L"mouse", L"Window"), {{kDoor, 0}}, {}},
      {"13 close-up with a spot", done(L"mouse", L"Door"), {{kDesk, 0}}, {}},
  };
  for (const Rung& rung : rungs) {
    SCOPED_TRACE(rung.stage);
    rung.finishBefore();
    level.beams.clear();
    panel.items.clear();
    EXPECT_EQ(level.FindHintTarget(0), 1);
    EXPECT_EQ(level.beams, rung.beams);
    EXPECT_EQ(panel.items, rung.items);
  }
}

TEST_F(HintSearch, TheOpenCloseUpAnswersFirst) {
  level.AddZoneItem(L"hog", L"Cup");
  Task(L"hog", L"Cup");
  level.mModes = {kModeRegionOpen};
  level.mOpenRegion = &region;
  region.mModes = {3};
  EXPECT_EQ(level.FindHintTarget(0), 0) << "the close-up's pause gives no hint";
  EXPECT_TRUE(level.beams.empty());
  EXPECT_EQ(level.GetOpenRegion(), &region);
}

TEST_F(HintSearch, AnEmptyCloseUpClosesAndTheSceneIsSearched) {
  level.AddZoneItem(L"hog", L"Cup");
  Task(L"hog", L"Cup");
  region.StartBack(0);
  for (int i = 0; i < 10; ++i) region.Update(0.1f, nullptr);
  level.mModes = {kModeRegionOpen};
  level.mOpenRegion = &region;
  EXPECT_EQ(level.FindHintTarget(0), 1);
  EXPECT_EQ(level.mModes, (std::vector<int32_t>{kModeRegionClosing}));
  EXPECT_EQ(level.actions, (Texts{L"close_region_Desk"}));
  EXPECT_EQ(level.beams, (Beams{{kItem, 0}}));
}

TEST_F(HintSearch, ACloseUpModeWithoutCloseUpGivesTheGeneralTip) {
  level.mModes = {kModeRegionOpen};
  EXPECT_EQ(level.FindHintTarget(0), 0);
  EXPECT_EQ(level.tips, (Texts{L"t_d_tips"}));

  // The last active tip of the chapter, when there is one.
  Task(L"tips", L"first", L"t_first");
  Task(L"tips", L"second", L"t_second");
  Progress().AddObjectTask(L"tips", L"third", 3);
  Progress().SetObjectTaskName2(L"tips", L"third", L"t_third");
  level.tips.clear();
  EXPECT_EQ(level.FindHintTarget(0), 0);
  EXPECT_EQ(level.tips, (Texts{L"t_second"}));
}

TEST_F(HintSearch, TheCloseUpsOwnSearch) {
  struct Case {
    const char* what;
    int findCount;  // what the close-up still counts
    bool pickUp;    // an "sfind" item with no "spush" partner
    bool spot;      // a "mouse" spot to click
    int32_t result;
    Beams beams;
  };
  const Case cases[] = {
      {"a pick-up without its use place still hints", 0, true, false, 1, {{0, 0}}},
      {"nothing counted left", 0, false, true, -1, {}},
      {"a spot to click", 1, false, true, 1, {{0, 0}}},
      {"counted work but nothing to point at", 1, false, false, -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CTestRegion desk(nullptr, L"Desk2");
    ASSERT_EQ(desk.LoadBack(nullptr, &level), 1);
    desk.findCount = c.findCount;
    desk.pushCount = desk.mouseCount = 0;
    if (c.pickUp) {
      desk.AddZoneItem(L"sfind", L"Wick");
      Task(L"sfind", L"Wick");
    } else if (c.spot) {
      desk.AddZoneItem(L"mouse", L"Crack");
      Task(L"mouse", L"Crack");
    }
    desk.clickable = {0};
    EXPECT_EQ(desk.FindHintTarget(1), c.result);
    EXPECT_TRUE(desk.beams.empty()) << "a query shows nothing";
    EXPECT_EQ(desk.FindHintTarget(0), c.result);
    EXPECT_EQ(desk.beams, c.beams);
  }
}
