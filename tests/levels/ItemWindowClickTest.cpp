// One click, one owner: the OK click of the found-item window over an open
// close-up is not seen again by a trigger of the scene behind the close-up,
// also when the close-up shuts itself once the window has gone.
#include <algorithm>

#include "levels/LevelTestSupport.h"
#include "panel/PanelTestSupport.h"

using namespace leveltest;

namespace {

// Where the open window's OK button stands, in the interface space.
constexpr float kOkX = 0.0f;
constexpr float kOkZ = -96.0f;

class ItemWindowClick : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    core.Get()->GetFileSystem()->InsertPath((testsupport::FixturesDir() / "levels" / "Models").wstring(),
                                            zorfile::kKindModels);
    ASSERT_EQ(panel.Load(L"Data\\Interface\\GamePanel.xml", 3), 0);
    panel.SetBack(&episod);
    panel.RestoreFromPlayer();

    // The close-up holds no work of its own: once its item window has gone
    // it finishes and shuts itself.
    ASSERT_EQ(region.LoadBack(&episod, &level), 1);
    level.SetEpisod(&episod);
    level.AddRegion(&region);
    // The scene's trigger under the OK button.
    door = level.AddEntry(L"T_Door", false);
    auto* trigger = new rovovoz::CTriangleObject3D(core.Get());
    ASSERT_GT(trigger->LoadModel(L"ItemWindowClick_tr.zorm", L"T_Door", 9), 0);
    SObjectEntry& entry = level.GetEntry(door);
    entry.mTrigger = trigger;
    entry.mClickable = 1;
    entry.mState = 1;
    core.MoveTo(kOkX, kOkZ);
  }

  void Frame() {
    core.NextFrame();
    level.Update(kDt, core.Cursor());
  }
  void Run(float seconds) {
    for (float t = 0.0f; t < seconds; t += kDt) Frame();
  }
  int DoorClicks() const { return static_cast<int>(std::count(level.actions.begin(), level.actions.end(), L"mc_T_Door")); }
  int DoorHovers() const { return static_cast<int>(std::count(level.actions.begin(), level.actions.end(), L"mm_T_Door")); }

  static constexpr float kDt = 0.02f;
  paneltest::PanelCore core;
  scenetest::FreshPlayer player;
  paneltest::TestLogic logic{core.Get()};
  CGamePanel panel{core.Get(), nullptr};
  GlobalScope<CGamePanel> panelScope{gGamePanel, &panel};
  rovovoz::CGUIForm frame{core.Get(), nullptr};
  GlobalScope<rovovoz::CGUIForm> frameScope{gRegionForm, &frame};
  CTestLevel level;
  CTestRegion region;
  CRecEpisod episod;
  int door = -1;
};

TEST_F(ItemWindowClick, TheOkClickClosesTheWindowAndNeverReachesTheSceneBehindTheCloseUp) {
  struct Case {
    const char* what;
    bool oneFrame;  // press and release arrive in the same frame
  } cases[] = {{"press and release in one frame", true}, {"press, then release in the next frame", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    level.actions.clear();
    episod.actions.clear();
    // The close-up opens and gives the player an item.
    ASSERT_EQ(level.OpenRegion(L"Desk", 1, 1, 0), 1);
    level.PushMode(kModeRegionOpen, 0);
    ASSERT_TRUE(region.QueueModeName(L"Key"));
    Run(1.0f);
    ASSERT_EQ(panel.GetPredmetMenu()->GetState(), CPredmetMenu::kShown);
    ASSERT_EQ(region.GetTransitionState(), CBaseRegion::kOpen);
    EXPECT_EQ(DoorHovers(), 0) << "the scene behind an open close-up does not hover";

    int x = 0, y = 0;
    core.Input().GetMousePosition(x, y);
    core.Input().HandleEvent(zuzorev::SInputEvent::MouseDown(0, x, y));
    if (!c.oneFrame) Frame();
    core.Input().HandleEvent(zuzorev::SInputEvent::MouseUp(0, x, y));
    Frame();
    EXPECT_EQ(panel.GetPredmetMenu()->GetState(), CPredmetMenu::kDisappearing) << "OK took the click";

    // The window shrinks away, the close-up finishes, waits its second and
    // zooms back.
    Run(2.5f);
    EXPECT_EQ(panel.GetPredmetMenu()->GetState(), CPredmetMenu::kHidden);
    EXPECT_EQ(level.GetOpenRegion(), nullptr);
    EXPECT_TRUE(level.mModes.empty());
    EXPECT_NE(std::find(episod.actions.begin(), episod.actions.end(), L"a_close_pmenu_Key"), episod.actions.end());
    EXPECT_NE(std::find(level.actions.begin(), level.actions.end(), L"close_region_Desk"), level.actions.end());
    EXPECT_EQ(DoorClicks(), 0) << "the OK click did not reach the trigger under it";

    // With the close-up gone the scene takes its clicks again.
    core.Click(0);
    Frame();
    EXPECT_EQ(DoorClicks(), 1);
  }
}

}  // namespace
