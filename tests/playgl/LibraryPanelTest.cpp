// The library's hidden-object list on the GL device, read back in pixels:
// a new player finds two things and leaves while the hint charges (played
// headless: nothing to look at), comes back to the restored list, takes the
// charged hint and sees its beam, leaves again and comes back once more to
// the same panel, then finds a third thing and sees its row struck.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "Engine/zuzorev/RenderSystem.h"
#include "Interface/GamePanel.h"
#include "PlayGLSupport.h"
#include "PlayerRecord.h"
#include "support/TestSupport.h"

namespace {

using playgl::SRect;

constexpr int kWidth = 1024, kHeight = 768;
// The panel below the scene: the list's rows, the counter and the buttons.
const SRect kPanel{0, 680, kWidth, kHeight - 680};
// The list's eight rows, as the panel's form lays them out.
const SRect kRows[8] = {{176, 690, 164, 30}, {346, 690, 164, 30}, {516, 690, 164, 30}, {686, 690, 164, 30},
                        {176, 726, 164, 30}, {346, 726, 164, 30}, {516, 726, 164, 30}, {686, 726, 164, 30}};
const SRect kHintButton{902, 690, 100, 64};

std::filesystem::path Replay(const char* name) { return testsupport::FixturesDir() / "playgl" / name; }

size_t Step(const char* replay, const std::string& what) {
  const size_t frame = playgl::StepFrame(Replay(replay), what);
  EXPECT_GT(frame, 0u) << replay << " has the step \"" << what << "\"";
  return frame;
}

// What a look kept: the whole frame and the panel's state under it.
struct SLook {
  std::vector<uint32_t> frame;
  float hogHintTimer = 0;
  bool hintReady = false;
  std::vector<std::wstring> rows;  // each row's object, "" when found
  bool beamActive = false;
  zormath::Vec3f beamAt;
};

class LibraryPlay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sDriver = std::make_unique<storytest::StoryDriver>(zuzorev::EDeviceKind::Headless);
    std::string reason;
    if (!sDriver->Play(Replay("library-leave.replay"), reason)) {
      sReason = "the first visit: " + reason;
      return;
    }
    sDriver->SetDevice(zuzorev::EDeviceKind::GL);
    const std::map<std::string, size_t> hintLooks = {
        {"restored", Step("library-hint.replay", "the restored library is looked at") + 10},
        {"before hint", Step("library-hint.replay", "the hint is taken once it has charged") - 1},
        {"beam", Step("library-hint.replay", "the hint's beam is looked at")},
        {"left", Step("library-hint.replay", "the hint's beam is looked at") + 30},
    };
    std::map<std::string, size_t> watched = hintLooks;
    for (int second = 0; second <= kWatchSeconds; ++second)
      watched["watch " + std::to_string(second)] = hintLooks.at("restored") + static_cast<size_t>(second) * 20;
    if (!PlayLooking("library-hint.replay", watched, "hint")) return;
    const std::map<std::string, size_t> backLooks = {
        {"restored", Step("library-back.replay", "the restored library is looked at") + 10},
        {"before find", Step("library-back.replay", "the shelf's hidden object 3 is found") - 1},
        {"after find", Step("library-back.replay", "the list after the find is looked at") + 30},
    };
    PlayLooking("library-back.replay", backLooks, "back");
  }
  static void TearDownTestSuite() {
    sDriver.reset();
    sLooks.clear();
  }
  void SetUp() override { ASSERT_TRUE(sReason.empty()) << sReason; }

  // Plays a replay on GL keeping a look at each named frame as "<play> <name>".
  static bool PlayLooking(const char* replay, const std::map<std::string, size_t>& looks, const std::string& play) {
    storytest::gFrameProbe = [&](zuzorev::CRenderSystem& render, size_t turn) {
      for (const auto& [name, at] : looks) {
        if (at != turn) continue;
        SLook look;
        render.ReadPixels(0, 0, kWidth, kHeight, look.frame);
        look.hogHintTimer = gCurrentPlayer.mHogHintTimer;
        if (gGamePanel) {
          look.hintReady = gCurrentPlayer.mHogHintTimer > gGamePanel->GetHintTime(1);
          for (const SHogListRow& row : gGamePanel->GetHogRows())
            look.rows.push_back(row.Found ? std::wstring() : row.ObjectName);
          look.beamActive = gGamePanel->GetSceneBeam(0).Active != 0;
          look.beamAt = gGamePanel->GetSceneBeam(0).Position;
        }
        sLooks[play + " " + name] = std::move(look);
      }
    };
    std::string reason;
    const bool played = sDriver->Play(Replay(replay), reason);
    storytest::gFrameProbe = nullptr;
    if (!played) sReason = std::string(replay) + ": " + reason;
    for (const auto& [name, look] : sLooks)
      if (name.rfind(play + " ", 0) == 0) playgl::SaveShot("library-" + name, look.frame, kWidth, kHeight);
    return played;
  }

  static const SLook& Look(const std::string& name) { return playgl::Kept(sLooks, name); }

  static constexpr int kWatchSeconds = 5;
  static inline std::unique_ptr<storytest::StoryDriver> sDriver;
  static inline std::map<std::string, SLook> sLooks;
  static inline std::string sReason;
};

// Rows by what they hold: whether each row's object is the same in two looks.
// One set of plays, every look at them: each check names what it looks at.
TEST_F(LibraryPlay, TheListTheHintTheRestoreAndTheMovingThingsShowAsPlayed) {
  {
    SCOPED_TRACE("plays with no error logged");
    [&] {
      const std::vector<std::string> errors = storytest::ErrorLines(*sDriver);
      EXPECT_TRUE(errors.empty()) << "the last play logged errors, the first: "
                                  << (errors.empty() ? "" : errors.front());
    }();
  }
  {
    SCOPED_TRACE("a found things row changes and the other rows stay");
    [&] {
      const SLook& before = Look("back before find");
      const SLook& after = Look("back after find");
      ASSERT_EQ(before.rows.size(), 8u);
      ASSERT_EQ(after.rows.size(), 8u);
      int changedRows = 0;
      for (size_t r = 0; r < 8; ++r) {
        const std::vector<uint32_t> was = playgl::Crop(before.frame, kRows[r]);
        const std::vector<uint32_t> is = playgl::Crop(after.frame, kRows[r]);
        const int changed = playgl::DifferentPixels(was, is);
        if (before.rows[r] != after.rows[r]) {
          ++changedRows;
          EXPECT_GT(playgl::ColourCount(was), 3) << "row " << r + 1 << " showed its name before the find";
          EXPECT_GT(changed, 40) << "row " << r + 1 << " of the found thing changes";
        } else {
          EXPECT_LT(changed, 10) << "row " << r + 1 << " of a thing still hidden stays as it was";
        }
      }
      EXPECT_EQ(changedRows, 1) << "one row's thing was found";
    }();
  }
  {
    SCOPED_TRACE("the hint button looks charged and its beam points at a hidden thing");
    [&] {
      const SLook& charging = Look("hint restored");
      const SLook& ready = Look("hint before hint");
      const SLook& beam = Look("hint beam");
      EXPECT_FALSE(charging.hintReady) << "the hint still charged when the library came back (" << charging.hogHintTimer
                                       << " s)";
      EXPECT_TRUE(ready.hintReady) << "the hint had charged before its click (" << ready.hogHintTimer << " s)";
      EXPECT_GT(
          playgl::DifferentPixels(playgl::Crop(charging.frame, kHintButton), playgl::Crop(ready.frame, kHintButton)),
          kHintButton.width * kHintButton.height / 10)
          << "the charged hint button looks different";

      ASSERT_TRUE(beam.beamActive) << "the click started a beam";
      const playgl::SPoint at = playgl::WindowPoint(beam.beamAt.x, beam.beamAt.z);
      const SRect near{std::clamp(at.x - 50, 0, kWidth - 100), std::clamp(at.y - 50, 0, 676 - 100), 100, 100};
      EXPECT_GT(playgl::DifferentPixels(playgl::Crop(ready.frame, near), playgl::Crop(beam.frame, near)), 100 * 100 / 5)
          << "the beam is drawn round its target at " << at.x << ", " << at.y;
    }();
  }
  {
    SCOPED_TRACE("the panel comes back from the profile as it was left");
    [&] {
      const SLook& left = Look("hint left");
      const SLook& back = Look("back restored");
      EXPECT_EQ(left.rows, back.rows) << "the same things are on the list";
      EXPECT_FALSE(left.hintReady);
      EXPECT_FALSE(back.hintReady) << "the hint taken before the restart still charges";
      // The list, its counter and the buttons read back the same; the hint
      // button's charge has moved on by the few seconds of the restart only.
      const SRect list{150, 680, 724, 88};
      const std::vector<uint32_t> was = playgl::Crop(left.frame, list);
      EXPECT_LT(playgl::DifferentPixels(was, playgl::Crop(back.frame, list)), static_cast<int>(was.size()) / 100);
      EXPECT_GT(playgl::ColourCount(was), 10) << "the list is drawn";
      EXPECT_LT(playgl::DifferentPixels(playgl::Crop(left.frame, kHintButton), playgl::Crop(back.frame, kHintButton)),
                kHintButton.width * kHintButton.height / 5);
    }();
  }
  {
    SCOPED_TRACE("every moving thing of the library moves at its place");
    [&] {
      std::vector<const std::vector<uint32_t>*> seconds;
      for (int second = 0; second <= kWatchSeconds; ++second)
        seconds.push_back(&Look("hint watch " + std::to_string(second)).frame);
      for (const auto* frame : seconds) ASSERT_EQ(frame->size(), static_cast<size_t>(kWidth) * kHeight);
      const std::vector<playgl::SMover> movers = {
          // The candle's sparks are not here: nothing in the story starts
          // them in the library.
          {"S_ClockHand", {"S_ClockHand"}, true},
          {"S_Moth", {"S_Moth"}, true},
          {"S_Bird01", {"S_Window"}, false},
          {"S_Pond", {"S_Pond"}, true},
          {"S_CloudBox", {"S_CloudBox"}, true},
          {"S_Rain", {"S_RainWindow"}, true},
          {"S_Fountain", {"S_Fountain"}, true},
          {"S_Spark01", {"S_Spark01", "S_Spark02", "S_Spark03", "S_SparkGlow"}, false},
          {"S_DoorRays", {"S_DoorRays"}, true},
          {"S_LightningSky", {"S_LightningSky", "S_LightningBolt"}, false},
          {"S_PondTwinkle", {"S_Pond"}, true},
      };
      playgl::ExpectMoversMove("Back_2.zorm", movers, seconds);
    }();
  }
}

}  // namespace
