// The real game on the GL device in a virtual X server: the logo clicked
// away, the main menu over its title scene.
#include <gtest/gtest.h>

#include "GameState.h"
#include "PlayGLSupport.h"
#include "support/TestSupport.h"

namespace {

TEST(PlayGL, TheMainMenuStandsOverAMovingTitleSceneWithNoErrorLogged) {
  storytest::StoryDriver driver(zuzorev::EDeviceKind::GL);
  // The whole window, 1 s apart, once the menu has flown in.
  const size_t first = 300, second = 320;
  playgl::FrameGrabber grabber({0, 0, 1024, 768}, {first, second});
  std::string reason;
  ASSERT_TRUE(driver.Play(testsupport::FixturesDir() / "playgl" / "title.replay", reason)) << reason;
  ASSERT_GT(driver.Turns().size(), second);
  EXPECT_EQ(driver.Turns()[first].state, kStateMainMenu);
  const std::vector<uint32_t>* a = grabber.At(first);
  const std::vector<uint32_t>* b = grabber.At(second);
  ASSERT_TRUE(a && b) << "the frames were read back";
  playgl::SaveShot("main-menu", *a, 1024, 768);
  EXPECT_GT(playgl::ColourCount(*a), 50) << "the title scene is drawn, not a plain fill";
  EXPECT_GT(playgl::DifferentPixels(*a, *b), 200) << "rain, windows and branches move in a second";
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the start logged errors, the first: " << (errors.empty() ? "" : errors.front());
}

}  // namespace
