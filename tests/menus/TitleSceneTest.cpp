// The title scene behind the main menu: its set, weather and lights loaded
// from the sample, and the windows' light cycles.
#include "Interface/MainMenu.h"
#include "menus/MenuTestSupport.h"

namespace {

class WindowProbe : public CMainMenu {
 public:
  using CMainMenu::CMainMenu;
  SWindow& Window(int i) { return mWindows[static_cast<size_t>(i)]; }
  bool HasSet() const { return mDom && mFountain && mTreeLeft && mSway[6] && mUrnLeft; }
};

class TitleScene : public menutest::MenuFixture {};

TEST_F(TitleScene, TheSampleSetWeatherAndWindowsLoad) {
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  EXPECT_TRUE(menu.HasSet());
  EXPECT_EQ(menu.GetWeatherCount(), 8);
  for (int i = 0; i < CMainMenu::kWindows; ++i) {
    SCOPED_TRACE(i);
    const auto& w = menu.Window(i);
    ASSERT_NE(w.model, nullptr);
    EXPECT_GE(w.cycle - w.dark, 4.0f);
    EXPECT_LE(w.cycle - w.dark, 14.0f);
    EXPECT_GE(w.dark, 4.0f);
    EXPECT_LE(w.dark, 14.0f);
    EXPECT_GE(w.countdown, 0.0f);
    EXPECT_LE(w.countdown, w.cycle);
  }
}

TEST_F(TitleScene, AWindowFadesOutAndInAtTheEdgesOfItsDarkPart) {
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  struct SCase {
    float countdown;  // after the step
    float alpha;
  };
  // Dark part 6 s of a 14 s cycle.
  const SCase cases[] = {{13.0f, 1.0f}, {6.5f, 1.0f}, {5.5f, 0.75f}, {4.0f, 0.0f},
                         {3.0f, 0.0f},  {1.5f, 0.25f}, {0.5f, 0.75f}};
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.countdown);
    auto& w = menu.Window(0);
    w.cycle = 14.0f;
    w.dark = 6.0f;
    w.countdown = c.countdown + 0.25f;
    menu.UpdateScene(0.25f, nullptr);
    EXPECT_FLOAT_EQ(menu.GetWindowAlpha(0), c.alpha);
  }
  // Past the end of its cycle a window starts a new one, lit.
  auto& w = menu.Window(0);
  w.countdown = 0.1f;
  menu.UpdateScene(0.25f, nullptr);
  EXPECT_FLOAT_EQ(menu.GetWindowAlpha(0), 1.0f);
  EXPECT_FLOAT_EQ(w.countdown, w.cycle);
  EXPECT_GE(w.cycle, 8.0f);
  menu.Render();
}

}  // namespace
