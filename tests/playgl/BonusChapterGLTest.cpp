// The bonus chapter on the GL device, read back in pixels: the lamp room at
// dawn with the old keeper, his dialog drawn in the panel's dialog mode, and
// the ghost light caught in the morph effect's glow.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Engine/zuzorev/RenderSystem.h"
#include "PlayGLSupport.h"
#include "support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

TEST(PlayGLBonusChapter, TheKeeperTalksInTheDialogModeAndTheCaughtGhostGlows) {
  const std::filesystem::path replay = testsupport::FixturesDir() / "playgl" / "bonus.replay";
  const std::map<std::string, size_t> looks = {
      {"keeper", playgl::StepFrame(replay, "the keeper is asked to talk") - 1},
      {"dialog", playgl::StepFrame(replay, "the keeper's first line is looked at") + 10},
      {"ghost", playgl::StepFrame(replay, "the ghost light is caught") - 1},
      {"morph", playgl::StepFrame(replay, "the morph is looked at")},
  };
  for (const auto& [name, at] : looks) ASSERT_GT(at, 20u) << "the replay has the step of " << name;
  std::map<std::string, std::vector<uint32_t>> frames;
  storytest::StoryDriver driver(zuzorev::EDeviceKind::GL);
  ASSERT_TRUE(storytest::SeedFinishedPlayer(driver, L"Mira"));
  storytest::gFrameProbe = [&](zuzorev::CRenderSystem& render, size_t turn) {
    for (const auto& [name, at] : looks)
      if (at == turn) render.ReadPixels(0, 0, kWidth, kHeight, frames[name]);
  };
  std::string reason;
  const bool played = driver.Play(replay, reason);
  storytest::gFrameProbe = nullptr;
  ASSERT_TRUE(played) << reason;
  for (const auto& [name, pixels] : frames) playgl::SaveShot("bonus-" + name, pixels, kWidth, kHeight);
  const auto& keeper = playgl::Kept(frames, "keeper");
  const auto& dialog = playgl::Kept(frames, "dialog");
  const auto& ghost = playgl::Kept(frames, "ghost");
  const auto& morph = playgl::Kept(frames, "morph");
  ASSERT_EQ(keeper.size(), static_cast<size_t>(kWidth) * kHeight);
  ASSERT_EQ(dialog.size(), keeper.size());
  ASSERT_EQ(ghost.size(), keeper.size());
  ASSERT_EQ(morph.size(), keeper.size());

  // The keeper stands in the lamp room.
  const playgl::SRect man = playgl::MeshRect("Back_4.zorm", {"S_Keeper"});
  ASSERT_GT(man.width, 0);
  EXPECT_GE(playgl::ColourCount(playgl::Crop(keeper, man)), 6) << "the keeper is drawn";
  EXPECT_LT(playgl::DifferentPixels(playgl::Crop(keeper, man), playgl::Crop(dialog, man)), man.width * man.height / 10)
      << "the keeper stays while he talks";
  // While he talks the panel's strip gives way to the dialog's bar with his
  // line and the skip button.
  const playgl::SRect bar{112, 700, 800, 68};
  EXPECT_GT(playgl::DifferentPixels(playgl::Crop(keeper, bar), playgl::Crop(dialog, bar)), bar.width * bar.height / 20)
      << "the dialog's bar and line are drawn over the panel's place";
  // The mark over his head shows while he speaks.
  const playgl::SRect mark = playgl::MeshRect("Back_4.zorm", {"S_KeeperTalk"});
  ASSERT_GT(mark.width, 0);
  EXPECT_GT(playgl::DifferentPixels(playgl::Crop(keeper, mark), playgl::Crop(dialog, mark)), mark.width * mark.height / 4)
      << "the talking mark shows while the keeper speaks";
  // Caught, the ghost light glows in the morph effect's blue.
  const playgl::SRect light = playgl::MeshRect("Back_4.zorm", {"S_Ghost"}, 40);
  ASSERT_GT(light.width, 0);
  EXPECT_GT(playgl::DifferentPixels(playgl::Crop(ghost, light), playgl::Crop(morph, light)),
            light.width * light.height / 10)
      << "the morph effect is drawn where the ghost was caught";
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the bonus chapter logged errors, the first: " << (errors.empty() ? "" : errors.front());
}

}  // namespace
