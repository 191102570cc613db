// The playable scene's frame: the order of its update and drawing steps
// (plain, with a mini-game owning the frame, with a close-up open, with the
// close-up's own mini-game), the cut-scene fade and the close-up modes of
// the mode queue.
#include "levels/LevelTestSupport.h"
#include "Roliki/BaseRolik.h"

using namespace leveltest;

namespace {

const Log kPlainUpdate = {
    L"ResetPanelCursor", L"UpdateDelayedActions", L"UpdateOverlayObject", L"UpdateSceneEntries",
    L"UpdateLevel",      L"UpdateZoom",           L"UpdateAlphaFades",    L"UpdateHook",
    L"UpdateTimedMessages", L"UpdatePathObjects", L"UpdateShade",         L"CloseMiniGameKeys",
    L"UpdateRegion",     L"UpdateCountdown",      L"UpdateShade2",        L"UpdateObjectEffects",
    L"UpdateSoundSequence", L"UpdateMusic",       L"UpdateSounds",        L"UpdateHintMenu",
    L"UpdateItemMenu",   L"panel.Update",         L"ProcessDebugKeys",
};

const Log kPlainRender = {
    L"RenderObjects(0)", L"ClearPortalHighlights", L"RenderShade",      L"RenderZoom",
    L"RenderRegion",     L"panel.Render",          L"RenderObjects(1)", L"RenderModeOverlay",
    L"RenderRegionTop",  L"RenderHintMenu",        L"RenderShade2",     L"RenderTopLayer",
    L"panel.UpdateCursorObject", L"RenderMiniGame",
};

// The plain order with the close-up's own frame call after the step that
// makes it.
Log WithAfter(Log order, const std::wstring& step, const std::wstring& added) {
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i] == step) {
      order.insert(order.begin() + static_cast<std::ptrdiff_t>(i) + 1, added);
      break;
    }
  return order;
}

class LevelFrame : public ::testing::Test {
 protected:
  scenetest::SceneCore core;
  Log log;
  CRecPanel panel{&log};
  GlobalScope<CGamePanel> panelScope{gGamePanel, &panel};
  CTestLevel level{&log};
  CTestRegion region{&log};
  CIdleMiniGame miniGame;

  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  // A close-up open over the scene (mode 4 at the front).
  void OpenRegion(bool ownMiniGame) {
    level.AddRegion(&region);
    level.mOpenRegion = &region;
    level.mModes = {kModeRegionOpen};
    region.forcedResult = 0;
    region.miniGameActive = ownMiniGame;
  }
};

}  // namespace

TEST_F(LevelFrame, UpdateAndRenderRunTheirStepsInTheirOrder) {
  struct Case {
    const char* what;
    int setup;  // 0 plain, 1 mini-game, 2 close-up open, 3 close-up's mini-game
    Log update;
    Log render;
  };
  const Case cases[] = {
      {"plain", 0, kPlainUpdate, kPlainRender},
      {"mini-game owns the frame", 1, {L"CloseMiniGameKeys", L"ProcessDebugKeys"}, {L"RenderMiniGame"}},
      {"close-up open", 2, WithAfter(kPlainUpdate, L"UpdateRegion", L"region.Update"),
       WithAfter(WithAfter(kPlainRender, L"RenderRegion", L"region.Render"), L"RenderRegionTop",
                 L"region.RenderTop")},
      {"close-up's own mini-game", 3, {L"UpdateRegion", L"region.Update"}, {L"RenderRegion", L"region.Render"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    level.mModes.clear();
    level.mOpenRegion = nullptr;
    level.mMiniGame = nullptr;
    if (c.setup == 1) {
      level.mModes = {kModeMiniGame};
      level.mMiniGame = &miniGame;
    } else if (c.setup >= 2) {
      OpenRegion(c.setup == 3);
    }
    log.clear();
    EXPECT_EQ(level.Update(0.02f, nullptr), 0);
    EXPECT_EQ(log, c.update);
    log.clear();
    EXPECT_EQ(level.Render(), 0);
    EXPECT_EQ(log, c.render);
  }
  level.mMiniGame = nullptr;
}

TEST_F(LevelFrame, DrawingWithoutThePanelLeavesOutThePanelAndTheTopLayer) {
  EXPECT_EQ(level.RenderWithoutPanel(), 0);
  Log expected = kPlainRender;
  std::erase(expected, std::wstring(L"panel.Render"));
  std::erase(expected, std::wstring(L"RenderTopLayer"));
  std::erase(expected, std::wstring(L"panel.UpdateCursorObject"));
  EXPECT_EQ(log, expected);
  log.clear();
  level.Render();
  EXPECT_EQ(log, kPlainRender) << "the panel is back on the next frame";
}

TEST_F(LevelFrame, ACutSceneFadesOutOverTheSceneAndStopsPastMinusOne) {
  CBaseRolik rolik(core.Get(), L"Intro", L"");
  GlobalScope<CBaseRolik> rolikScope{gCurrentRolik, &rolik};
  CRecEpisod episod;
  level.SetEpisod(&episod);
  level.mVideoFade = 1.0f;
  // The time to hide is 2 s: 1.0 -> 0.0 in 2 s, then 0.5 a second.
  struct Step {
    float dt;
    float fade;
    bool playing;
  };
  const Step steps[] = {{1.0f, 0.5f, true}, {1.0f, 0.0f, true}, {1.0f, -0.5f, true},
                        {1.0f, -1.0f, true}, {0.5f, -1.25f, false}};
  for (const Step& s : steps) {
    level.UpdateLevel(s.dt, nullptr);
    EXPECT_NEAR(level.mVideoFade, s.fade, 1e-5f);
    EXPECT_EQ(gCurrentRolik != nullptr, s.playing) << "fade " << s.fade;
  }
}

TEST_F(LevelFrame, TheChapterStateOfItsOwnVideoLeavesTheCutSceneAlone) {
  CBaseRolik rolik(core.Get(), L"Intro", L"");
  GlobalScope<CBaseRolik> rolikScope{gCurrentRolik, &rolik};
  CRecEpisod episod;
  episod.state = 10;
  level.SetEpisod(&episod);
  level.mVideoFade = 1.0f;
  level.UpdateLevel(1.0f, nullptr);
  EXPECT_FLOAT_EQ(level.mVideoFade, 1.0f);
  log.clear();
  level.Render();
  EXPECT_EQ(log, kPlainRender);
  EXPECT_EQ(gCurrentRolik, &rolik);
}

TEST_F(LevelFrame, ModeQueueShortCuts) {
  // An 8 is not queued twice in a row.
  level.mModes = {kModeCountdown};
  level.PushMode(kModeCountdown, 0);
  EXPECT_EQ(level.mModes, (std::vector<int32_t>{kModeCountdown}));
  // Only the front counts: behind another mode an 8 queues.
  level.mModes = {3};
  level.PushMode(kModeCountdown, 0);
  EXPECT_EQ(level.mModes, (std::vector<int32_t>{3, kModeCountdown}));

  // A close-up mode with no close-up open pops at once and leaves the
  // counters where they were.
  level.mModes.clear();
  const int busy = level.mBusy;
  level.PushMode(kModeRegionOpen, 0);
  EXPECT_TRUE(level.mModes.empty());
  EXPECT_EQ(level.mBusy, busy);
}

TEST_F(LevelFrame, TheDeveloperWordWinSolvesTheMiniGameThatOwnsTheFrame) {
  auto* puzzle = new CIdleMiniGame();  // the logic's list owns mini-games; this one is the test's
  std::unique_ptr<CIdleMiniGame> owned(puzzle);
  level.mModes = {kModeMiniGame};
  level.mMiniGame = puzzle;
  level.actions.clear();
  EXPECT_EQ(level.HandleWordCommand({L"WIN"}), 1);
  EXPECT_TRUE(level.mModes.empty());
  EXPECT_EQ(level.mMiniGame, nullptr);
  EXPECT_EQ(level.actions, (std::vector<std::wstring>{L"end_mini_Puzzle"}));
  EXPECT_EQ(level.OnDebugCommand(L"win"), CBaseBack().OnDebugCommand(L"win")) << "no mini-game: the framework's word";
}
