// A new player's hall on the GL device, read back in pixels: the panel's
// strip empty and then holding the key that flew into it, the wick taken
// from the strip lighting the lantern, the desk's close-up; and the hall's
// moving things seen moving.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Engine/zuzorev/RenderSystem.h"
#include "Interface/GamePanel.h"
#include "PlayGLSupport.h"
#include "support/TestSupport.h"

namespace {

using playgl::SRect;

constexpr int kWidth = 1024, kHeight = 768;
const SRect kWindow{0, 0, kWidth, kHeight};

std::filesystem::path Replay() { return testsupport::FixturesDir() / "playgl" / "hall.replay"; }

// A step's frame, or a failure naming the step the replay lacks.
size_t Step(const std::string& what) {
  const size_t frame = playgl::StepFrame(Replay(), what);
  EXPECT_GT(frame, 0u) << "the replay has the step \"" << what << "\"";
  return frame;
}

// One flying item's place and the pixels around it, in a drawn turn.
struct SFlight {
  size_t turn;
  SRect box;
  std::vector<uint32_t> pixels;
};

// The play, once for the suite: whole frames at the looks, and the key on
// its way into the strip.
class HallPlay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sLooks = {
        {"empty strip", Step("the empty strip is looked at") + 20},
        {"key in strip", Step("the strip with the key is looked at") + 20},
        {"lantern unlit", Step("the scene is looked at") + 15},
        {"lantern lit", Step("the lit lantern is looked at") + 15},
        {"desk close-up", Step("the knife is found in the close-up") - 2},
        {"cupboard shut", Step("the cupboard is opened") - 1},
        {"cupboard open", Step("the open cupboard is looked at")},
        {"cupboard open later", Step("the open cupboard is looked at") + 20},
    };
    const size_t watchFrom = Step("the close-up is closed by its cross") + 40;
    for (int second = 0; second <= kWatchSeconds; ++second)
      sLooks["watch " + std::to_string(second)] = watchFrom + static_cast<size_t>(second) * 20;
    // The candle's flame, turn by turn for a few seconds, and a band of its
    // glow beside it: the glow's own pictures change there too.
    sFlameFrom = watchFrom;
    sFlameRect = playgl::MeshRect("Back_1.zorm", {"S_Flame01", "S_Flame02", "S_Flame03", "S_Flame04"});
    const playgl::SRect glow = playgl::MeshRect("Back_1.zorm", {"S_CandleGlow"});
    sGlowBand = {glow.x, glow.y, std::max(1, sFlameRect.x - glow.x - 2), glow.height};

    sDriver = std::make_unique<storytest::StoryDriver>(zuzorev::EDeviceKind::GL);
    storytest::gFrameProbe = [](zuzorev::CRenderSystem& render, size_t turn) {
      for (const auto& [name, at] : sLooks)
        if (at == turn) render.ReadPixels(0, 0, kWidth, kHeight, sFrames[name]);
      if (turn >= sFlameFrom && turn < sFlameFrom + kFlameTurns && sFlameRect.width > 0) {
        render.ReadPixels(sFlameRect.x, sFlameRect.y, sFlameRect.width, sFlameRect.height, sFlame[turn]);
        render.ReadPixels(sGlowBand.x, sGlowBand.y, sGlowBand.width, sGlowBand.height, sGlowBands[turn]);
      }
      if (!gGamePanel) return;
      for (int i = 0; i < gGamePanel->GetItemCount(); ++i) {
        const SPanelItem& item = gGamePanel->GetItem(i);
        if (item.state != SPanelItem::kFlyingIn || item.name != L"Key") continue;
        // A flying item rides along with the panel's slide as it lands.
        const playgl::SPoint at =
            playgl::WindowPoint(item.current.x, item.current.z + item.timer * gGamePanel->GetSlideOffset());
        SFlight flight{turn, {at.x - 20, at.y - 20, 40, 40}, {}};
        if (flight.box.x < 0 || flight.box.y < 0 || flight.box.x + 40 > kWidth || flight.box.y + 40 > kHeight) continue;
        render.ReadPixels(flight.box.x, flight.box.y, 40, 40, flight.pixels);
        sFlights.push_back(std::move(flight));
      }
    };
    sPlayed = sDriver->Play(Replay(), sReason);
    storytest::gFrameProbe = nullptr;
    for (const auto& [name, pixels] : sFrames) playgl::SaveShot("hall-" + name, pixels, kWidth, kHeight);
  }
  static void TearDownTestSuite() {
    sDriver.reset();
    sFrames.clear();
    sFlights.clear();
    sFlame.clear();
    sGlowBands.clear();
  }
  void SetUp() override { ASSERT_TRUE(sPlayed) << sReason; }

  // A look's whole frame (a failure when it was not drawn).
  static const std::vector<uint32_t>& Frame(const std::string& name) { return playgl::Kept(sFrames, name); }

  static constexpr int kWatchSeconds = 8;
  static constexpr size_t kFlameTurns = 80;
  static inline size_t sFlameFrom = 0;
  static inline SRect sFlameRect{}, sGlowBand{};
  static inline std::map<size_t, std::vector<uint32_t>> sFlame, sGlowBands;
  static inline std::unique_ptr<storytest::StoryDriver> sDriver;
  static inline std::map<std::string, size_t> sLooks;
  static inline std::map<std::string, std::vector<uint32_t>> sFrames;
  static inline std::vector<SFlight> sFlights;
  static inline bool sPlayed = false;
  static inline std::string sReason;
};

// The strip's first place, where the key lands (the panel raised).
const SRect kFirstSlot{276 - 30, 725 - 30, 60, 60};

// One play, every look at it: each check names what it looks at (the plays are long, so they are not repeated for
// each).
TEST_F(HallPlay, ThePanelTheCloseUpAndTheMovingThingsShowAsPlayed) {
  {
    SCOPED_TRACE("reaches the end of the hall with no error logged");
    [&] {
      const std::vector<std::string> errors = storytest::ErrorLines(*sDriver);
      EXPECT_TRUE(errors.empty()) << "the play logged errors, the first: " << (errors.empty() ? "" : errors.front());
      ASSERT_FALSE(sDriver->Turns().empty());
      const storytest::STurn& last = sDriver->Turns().back();
      EXPECT_TRUE(last.region.empty()) << "the close-up was closed";
      EXPECT_EQ(last.items, std::vector<std::wstring>({L"Key", L"B1Noj"}))
          << "the key and the knife are held, the wick went into the lantern";
    }();
  }
  {
    SCOPED_TRACE("the strip is empty before the key is found and shows it after");
    [&] {
      const std::vector<uint32_t> empty = playgl::Crop(Frame("empty strip"), kFirstSlot);
      const std::vector<uint32_t> key = playgl::Crop(Frame("key in strip"), kFirstSlot);
      ASSERT_FALSE(empty.empty());
      ASSERT_FALSE(key.empty());
      EXPECT_LE(playgl::ColourCount(empty), 3) << "the raised strip's first place is bare before the key";
      EXPECT_GT(playgl::DifferentPixels(empty, key), static_cast<int>(empty.size()) / 5)
          << "the key's picture stands in the strip's first place";
    }();
  }
  {
    SCOPED_TRACE("the found key is drawn along its flight into the strip");
    [&] {
      // Each place of the flight, against the same place once the key has
      // landed: the key was drawn there.
      const std::vector<uint32_t>& after = Frame("lantern unlit");
      ASSERT_GE(sFlights.size(), 5u) << "the key flew for a few frames";
      int drawn = 0;
      std::string counts;
      for (const SFlight& flight : sFlights) {
        const int changed = playgl::DifferentPixels(flight.pixels, playgl::Crop(after, flight.box));
        counts += " " + std::to_string(changed);
        if (changed > 400) ++drawn;
      }
      EXPECT_GE(drawn * 4, static_cast<int>(sFlights.size()) * 3)
          << "the key shows at most places of its flight (changed pixels of 1600 at each:" << counts << ")";
    }();
  }
  {
    SCOPED_TRACE("the wick from the strip lights the lantern");
    [&] {
      const SRect glow = playgl::MeshRect("Back_1.zorm", {"S_LanternGlow"});
      ASSERT_GT(glow.width, 0);
      const double unlit = playgl::Brightness(playgl::Crop(Frame("lantern unlit"), glow));
      const double lit = playgl::Brightness(playgl::Crop(Frame("lantern lit"), glow));
      EXPECT_GT(lit, unlit + 10.0) << "the lantern's glow shows once the wick is in";
      // Before the wick the lantern hangs there unlit: drawn over the wall,
      // not a bare wall with only the cursor telling where it is.
      const SRect lantern = playgl::MeshRect("Back_1.zorm", {"S_Lantern"});
      ASSERT_GT(lantern.width, 0);
      const playgl::SPart part{lantern.x / double(kWidth), lantern.y / double(kHeight),
                               (lantern.x + lantern.width) / double(kWidth),
                               (lantern.y + lantern.height) / double(kHeight)};
      const std::vector<uint32_t> wall = playgl::PicturePart("hall_back.png", part);
      const std::vector<uint32_t> drawn = playgl::Crop(Frame("lantern unlit"), lantern);
      ASSERT_EQ(wall.size(), drawn.size());
      EXPECT_GT(playgl::DifferentPixels(wall, drawn), lantern.width * lantern.height / 3)
          << "the unlit lantern is drawn before the wick is used";
    }();
  }
  {
    SCOPED_TRACE("the desk close up is drawn over the hall");
    [&] {
      const std::vector<uint32_t>& closeUp = Frame("desk close-up");
      const SRect middle{262, 134, 500, 400};
      EXPECT_GT(playgl::DifferentPixels(playgl::Crop(closeUp, middle), playgl::Crop(Frame("lantern lit"), middle)),
                500 * 400 / 2)
          << "the close-up covers the hall's middle";
      // The knife lies in the close-up where its trigger shape is.
      const SRect knife = playgl::MeshRect("Back_1_reg_4.zorm", {"S_Noj"}, 0, 50);
      ASSERT_GT(knife.width, 0);
      const SRect besideKnife{knife.x, knife.y + 70, knife.width, knife.height};
      EXPECT_GT(playgl::DifferentPixels(playgl::Crop(closeUp, knife), playgl::Crop(closeUp, besideKnife)),
                knife.width * knife.height / 10)
          << "the knife is drawn on the desk";
      // Only the hall behind is darkened: the desk's bare top, below its
      // title and above the knife, shows as bright as its picture.
      const SRect picture = playgl::MeshRect("Back_1_reg_4.zorm", {"S_Back_1_reg_4"}, 0, 50);
      ASSERT_GT(picture.width, 0);
      const playgl::SPart bareTop{0.05, 0.2, 0.95, 0.45};
      const std::vector<uint32_t> texture = playgl::PicturePart("desk_close.png", bareTop);
      ASSERT_FALSE(texture.empty());
      const double drawn = playgl::Brightness(playgl::Crop(closeUp, playgl::PartOf(picture, bareTop)));
      const double own = playgl::Brightness(texture);
      EXPECT_NEAR(drawn, own, 6.0) << "the close-up's picture is drawn at its own brightness, not veiled";
    }();
  }
  {
    SCOPED_TRACE("a click opens the cupboard, whose draught stills the lantern");
    [&] {
      const SRect door = playgl::MeshRect("Back_1.zorm", {"S_CupboardDoor01", "S_CupboardDoor04"});
      ASSERT_GT(door.width, 0);
      EXPECT_GT(playgl::DifferentPixels(playgl::Crop(Frame("cupboard shut"), door),
                                        playgl::Crop(Frame("cupboard open"), door)),
                door.width * door.height / 10)
          << "the door swung open";
      // Sparks of the lantern's glow still fly over its place: stopped
      // means far less change in a second than while it moved. (The mist
      // is too faint against the fire and the cat behind it to tell.)
      for (const char* still : {"S_Lantern"}) {
        const SRect place = playgl::MeshRect("Back_1.zorm", {still});
        ASSERT_GT(place.width, 0) << still;
        const int moving =
            playgl::DifferentPixels(playgl::Crop(Frame("watch 0"), place), playgl::Crop(Frame("watch 1"), place));
        const int stopped = playgl::DifferentPixels(playgl::Crop(Frame("cupboard open"), place),
                                                    playgl::Crop(Frame("cupboard open later"), place));
        EXPECT_LT(stopped * 3, moving) << still << " stopped (changed pixels a second apart: " << moving
                                       << " while it moved, " << stopped << " after)";
      }
    }();
  }
  {
    SCOPED_TRACE("the candle's flame changes its shape, not only its glow");
    [&] {
      // A turn where the flame's place changed while the band of glow
      // beside it stayed as it was: the flame's own picture changed.
      ASSERT_GT(sFlameRect.width, 0);
      ASSERT_GE(sFlame.size(), kFlameTurns / 2) << "the flame was read back turn by turn";
      int flameOnly = 0, glowChanges = 0;
      for (auto it = std::next(sFlame.begin()); it != sFlame.end(); ++it) {
        const auto before = std::prev(it);
        const bool glowChanged = playgl::DifferentPixels(sGlowBands[before->first], sGlowBands[it->first]) > 0;
        glowChanges += glowChanged ? 1 : 0;
        if (!glowChanged && playgl::DifferentPixels(before->second, it->second) > sFlameRect.width) ++flameOnly;
      }
      EXPECT_GE(flameOnly, 4) << "the flame moved on its own in " << flameOnly << " turns (the glow changed in "
                              << glowChanges << ")";
    }();
  }
  {
    SCOPED_TRACE("every moving thing of the hall moves at its place");
    [&] {
      std::vector<const std::vector<uint32_t>*> seconds;
      for (int second = 0; second <= kWatchSeconds; ++second)
        seconds.push_back(&Frame("watch " + std::to_string(second)));
      for (const auto* frame : seconds) ASSERT_EQ(frame->size(), static_cast<size_t>(kWidth) * kHeight);
      const std::vector<playgl::SMover> movers = {
          {"S_Lantern", {"S_Lantern"}, true},
          {"S_LanternGlow", {"S_LanternGlow"}, true},
          {"S_Picture", {"S_Picture"}, true},
          {"S_Flame01", {"S_Flame01", "S_Flame02", "S_Flame03", "S_Flame04"}, false},
          {"S_CandleGlow", {"S_CandleGlow"}, true},
          {"S_Portrait_Day", {"S_Portrait_Day"}, false},
          {"S_Cat", {"S_Cat"}, false},
          {"S_Mist", {"S_Mist"}, true},
          {"S_Sign", {"S_Sign"}, true},
          {"S_ChainLamp_6", {"S_ChainLamp_6"}, true},
          {"S_Vane", {"S_Vane"}, true},
          {"S_HearthFire", {"S_HearthFire"}, true},
          {"S_TorchLeftFire", {"S_TorchLeftFire"}, true},
          {"S_TorchRightFire", {"S_TorchRightFire"}, true},
          {"S_OrchardTree",
           {"S_OrchardTree", "S_OrchardBoughL", "S_OrchardBoughR", "S_OrchardTwigL1", "S_OrchardTwigL2",
            "S_OrchardTwigR1", "S_OrchardTwigR2"},
           false},
          {"S_WallLampGlow", {"S_WallLampGlow"}, false},
          {"S_SunRays", {"S_SunRays"}, true},
      };
      playgl::ExpectMoversMove("Back_1.zorm", movers, seconds);
    }();
  }
}

}  // namespace
