// A close-up's opening and closing time line, its result codes and how the
// scene closes it for each, and the attach that keeps a close-up without
// its frame out of the scene.
#include <cmath>

#include "levels/LevelTestSupport.h"

using namespace leveltest;

namespace {

class RegionTimeLine : public ::testing::Test {
 protected:
  scenetest::SceneCore core;
  scenetest::FreshPlayer player;
  rovovoz::CGUIForm frame{core.Get(), nullptr};
  GlobalScope<rovovoz::CGUIForm> frameScope{gRegionForm, &frame};
  CRecPanel panel;
  GlobalScope<CGamePanel> panelScope{gGamePanel, &panel};
  CTestLevel level;
  CTestRegion region;
  CRecEpisod episod;

  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    // Work left in the close-up: it does not finish by itself.
    gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters[L"Desk"] = 1;
    ASSERT_EQ(region.LoadBack(&episod, &level), 1);
    level.SetEpisod(&episod);
    level.AddRegion(&region);
  }
  float Scale() { return region.mViewMatrix(0, 0); }
  float X() { return region.mViewMatrix(3, 0); }
  float Z() { return region.mViewMatrix(3, 2); }
  // The close-up open and idle, as after its opening.
  void OpenFully() {
    region.StartBack(1);
    for (int i = 0; i < 10; ++i) region.Update(0.1f, nullptr);
    ASSERT_EQ(region.GetTransitionState(), CBaseRegion::kOpen);
  }
};

}  // namespace

TEST_F(RegionTimeLine, OpeningGrowsFromHalfSizeAtTheClickToFullSizeInASixthOfPi) {
  region.StartBack(1);
  EXPECT_EQ(region.GetTransitionState(), CBaseRegion::kOpenRequested);
  EXPECT_FLOAT_EQ(Scale(), 0.5f);
  EXPECT_FALSE(region.IsInputEnabled());
  struct Frame {
    int state;
    float k;
  };
  // 0.1 s frames: phase 0.3, 0.6 ... passes pi/2 on the sixth.
  const Frame frames[] = {{1, std::sin(0.3f)}, {1, std::sin(0.6f)}, {1, std::sin(0.9f)},
                          {1, std::sin(1.2f)}, {1, std::sin(1.5f)}, {0, 1.0f}};
  for (const Frame& f : frames) {
    EXPECT_EQ(region.Update(0.1f, nullptr), 0);
    EXPECT_EQ(region.GetTransitionState(), f.state);
    EXPECT_NEAR(region.GetTransitionValue(), f.k, 1e-5f);
    EXPECT_NEAR(Scale(), 0.5f + 0.5f * f.k, 1e-5f);
    EXPECT_NEAR(Z(), 50.0f * f.k, 1e-4f) << "from the click point (0, 0) to the open place";
    EXPECT_NEAR(frame.GetAlpha(), f.k, 1e-5f);
  }
  EXPECT_TRUE(region.IsInputEnabled());
  EXPECT_EQ(region.Close(0.0f) == 1, true) << "open: the close is taken";
}

TEST_F(RegionTimeLine, ClosingWaitsItsDelayThenShrinksBackToTheClickPoint) {
  OpenFully();
  region.actions.clear();
  EXPECT_EQ(region.Close(1.0f), 1);
  EXPECT_EQ(region.Close(1.0f), 0) << "a second close is refused";
  EXPECT_FALSE(region.IsInputEnabled());
  EXPECT_EQ(region.actions, (std::vector<std::wstring>{L"close_region"}));
  struct Frame {
    bool running;
    float k;  // alpha; the scale is 1.0 - 0.7 * (1 - k)
  };
  // 0.25 s frames: a second of waiting (phase -3 .. 0), then the zoom back.
  const Frame frames[] = {{true, 1.0f},
                          {true, 1.0f},
                          {true, 1.0f},
                          {true, 1.0f},
                          {true, 1.0f - std::sin(0.75f)},
                          {true, 1.0f - std::sin(1.5f)},
                          {false, 0.0f}};
  for (const Frame& f : frames) {
    EXPECT_EQ(region.UpdateZoomTransition(0.25f, nullptr), f.running);
    EXPECT_NEAR(region.GetTransitionValue(), f.k, 1e-5f);
    EXPECT_NEAR(Scale(), 1.0f - 0.7f * (1.0f - f.k), 1e-5f);
    EXPECT_NEAR(Z(), 50.0f * f.k, 1e-4f);
  }
  EXPECT_NEAR(X(), 0.0f, 1e-6f);
  EXPECT_FALSE(region.UpdateZoomTransition(0.25f, nullptr)) << "done stays done";
}

TEST_F(RegionTimeLine, CloseIsRefusedWhileOpening) {
  region.StartBack(1);
  EXPECT_EQ(region.Close(0.0f), 0);
  region.Update(0.1f, nullptr);
  EXPECT_EQ(region.Close(0.0f), 0);
  EXPECT_EQ(region.GetTransitionState(), CBaseRegion::kOpening);
}

TEST_F(RegionTimeLine, ACloseRecordLatchesItsCodeOnce) {
  OpenFully();
  SLogicAction close;
  close.Operation = levelcodes::kOperationClose;
  close.Type = levelcodes::kTargetRegion;
  close.par_i1 = 0;
  region.ExecuteAction(close, 0, 0);
  EXPECT_EQ(region.GetCloseRequest(), 1) << "0 means a plain close";
  close.par_i1 = 3;
  region.ExecuteAction(close, 0, 0);
  EXPECT_EQ(region.GetCloseRequest(), 1);
  EXPECT_EQ(region.Update(0.02f, nullptr), 1);
}

TEST_F(RegionTimeLine, WithNothingLeftTheCloseUpReportsItselfDone) {
  gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters[L"Desk"] = 0;
  OpenFully();
  EXPECT_EQ(region.Update(0.02f, nullptr), 3);
  gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters[L"Desk"] = 1;
  EXPECT_EQ(region.Update(0.02f, nullptr), 0) << "its counter is not done";
}

// How the scene closes its close-up for each result.
TEST_F(RegionTimeLine, TheSceneClosesItsCloseUpByTheResult) {
  struct Case {
    int result;
    int modeWhileClosing;  // 0: closed at once
    std::vector<std::wstring> deleted;
  };
  const Case cases[] = {{1, kModeRegionClosing, {}}, {2, 0, {}}, {3, kModeRegionDone, {L"region/TR_Desk"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    level.actions.clear();
    episod.deleted.clear();
    level.mModes.clear();
    level.SetHoveredItemForTest(L"TR_Desk");
    ASSERT_EQ(level.OpenRegion(L"Desk", 1, 1, 0), 1);
    level.PushMode(kModeRegionOpen, 0);
    for (int i = 0; i < 10; ++i) level.UpdateRegion(0.1f, nullptr);
    ASSERT_EQ(level.GetOpenRegion(), &region);
    region.forcedResult = c.result;
    level.UpdateRegion(0.02f, nullptr);
    region.forcedResult = -1;
    if (c.modeWhileClosing == 0) {
      EXPECT_EQ(level.actions, (std::vector<std::wstring>{L"close_region_Desk"})) << "closed at once";
      EXPECT_EQ(level.GetOpenRegion(), nullptr);
      EXPECT_TRUE(level.mModes.empty());
      continue;
    }
    EXPECT_EQ(level.mModes, (std::vector<int32_t>{c.modeWhileClosing}));
    EXPECT_TRUE(level.actions.empty()) << "the closing action waits for the zoom back";
    for (int i = 0; i < 40 && !level.mModes.empty(); ++i) level.UpdateRegion(0.1f, nullptr);
    EXPECT_TRUE(level.mModes.empty());
    EXPECT_EQ(level.GetOpenRegion(), nullptr);
    EXPECT_EQ(level.actions, (std::vector<std::wstring>{L"close_region_Desk"}));
    EXPECT_EQ(episod.deleted, c.deleted);
  }
  EXPECT_EQ(level.mBusy, 0) << "every close-up mode gave its count back";
}

TEST_F(RegionTimeLine, OneCloseUpAtATimeAndOnlyOneTheSceneHolds) {
  CTestRegion other(nullptr, L"Shelf");
  ASSERT_EQ(other.LoadBack(&episod, &level), 1);
  level.AddRegion(&other);
  level.AddAction(scenetest::Action(L"a_open", {OpenRegionRecord(L"Desk"), OpenRegionRecord(L"Shelf")}));
  level.DoAction(L"a_open", 0, nullptr, -1);
  EXPECT_EQ(level.GetOpenRegion(), &region);
  EXPECT_EQ(level.mModes, (std::vector<int32_t>{kModeRegionOpen})) << "the second opening queued nothing";
  EXPECT_EQ(region.GetTransitionState(), CBaseRegion::kOpenRequested) << "mode 4 at the front started it";

  EXPECT_EQ(level.OpenRegion(L"Nowhere", 1, 1, 0), 0);
}

TEST_F(RegionTimeLine, ATestRunNamesTheCloseUpAndOpensNothing) {
  level.AddAction(scenetest::Action(L"mc_region_TR_Desk", {OpenRegionRecord(L"Desk")}));
  level.DoAction(L"mc_region_TR_Desk", kActionModeDry, nullptr, -1);
  EXPECT_EQ(level.mPendingRegion, L"Desk");
  EXPECT_EQ(level.GetOpenRegion(), nullptr);
  EXPECT_TRUE(level.mModes.empty());
}

TEST_F(RegionTimeLine, TheScenesActionsReachItsCloseUps) {
  struct Case {
    int32_t regionAnswer;
    int mode;
    SLogicAction* probe;
    int32_t result;
    bool sceneHookAsked;
  };
  const Case cases[] = {
      {1, 0, nullptr, 1, true},
      {0, 0, nullptr, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.regionAnswer << " " << c.mode);
    region.actions.clear();
    level.actions.clear();
    region.hookResult = c.regionAnswer;
    EXPECT_EQ(level.DoAction(L"a_unknown", c.mode, c.probe, -1), c.result);
    EXPECT_EQ(region.actions, (std::vector<std::wstring>{L"a_unknown"})) << "the close-up was asked";
    EXPECT_EQ(!level.actions.empty(), c.sceneHookAsked);
  }
  // The scene's own runner by name leaves the close-ups out.
  region.actions.clear();
  level.RunActionByName(L"a_unknown", 0, nullptr, -1);
  EXPECT_TRUE(region.actions.empty());
}

TEST(RegionAttach, ACloseUpWithoutItsFrameIsNotAttached) {
  scenetest::SceneCore core;
  ASSERT_TRUE(core.Ok());
  scenetest::FreshPlayer player;
  CLogic logic;
  GlobalScope<CLogic> logicScope{gLogic, &logic};
  CTestLevel level;
  auto region = std::make_unique<CTestRegion>(nullptr, L"Desk");
  gRegions.push_back(region.get());
  gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters[L"Desk"] = 1;
  {
    GlobalScope<rovovoz::CGUIForm> noFrame{gRegionForm, nullptr};
    EXPECT_EQ(level.LoadBack(nullptr, nullptr), 1);
    EXPECT_TRUE(level.GetRegions().empty());
  }
  rovovoz::CGUIForm frame(core.Get(), nullptr);
  {
    GlobalScope<rovovoz::CGUIForm> withFrame{gRegionForm, &frame};
    EXPECT_EQ(level.LoadBack(nullptr, nullptr), 1);
    EXPECT_EQ(level.GetRegions().size(), 1u);
  }
  std::erase(gRegions, region.get());
}

TEST(RegionAttach, ASceneWithoutTaskInfoIsRefused) {
  scenetest::SceneCore core;
  ASSERT_TRUE(core.Ok());
  scenetest::FreshPlayer player;
  CLogic logic;
  GlobalScope<CLogic> logicScope{gLogic, &logic};
  testsupport::LogCapture log;
  CTestLevel level;
  EXPECT_EQ(level.LoadBack(nullptr, nullptr), 0);
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error), (std::vector<std::wstring>{L"No find info sadanies back Hall"}));
}

TEST(RegionAttach, ACloseUpWithoutParentSaysSo) {
  scenetest::SceneCore core;
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  rovovoz::CGUIForm frame(core.Get(), nullptr);
  GlobalScope<rovovoz::CGUIForm> withFrame{gRegionForm, &frame};
  CTestRegion region;
  EXPECT_EQ(region.LoadBack(nullptr, nullptr), 0);
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error), (std::vector<std::wstring>{L"Null parent back for region"}));
}
