// The menu walk-through on the GL device in a virtual X server, looked at
// in the pixels: every menu the walk opens is drawn (its window differs from
// the frame before it opened) and, closed, leaves the screen as it was.
// tests/story/MenuWalkTest.cpp checks the same walk step by step, headless.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "Engine/zuzorev/RenderSystem.h"
#include "Ini.h"
#include "MenuLook.h"
#include "Platform/Paths.h"
#include "PlayGLSupport.h"
#include "PlayerFile.h"
#include "PlayerFileName.h"
#include "PlayerRecord.h"
#include "support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

// Where each menu's window stands (window points), a little inside its
// edges so the opening's last easing does not count.
const std::map<std::string, playgl::SRect>& MenuRects() {
  static const std::map<std::string, playgl::SRect> rects = {
      {"pause", {290, 260, 444, 190}},    {"options", {290, 180, 444, 390}}, {"credits", {290, 140, 444, 480}},
      {"exit", {290, 280, 444, 130}},     {"locked", {290, 300, 444, 150}},  {"difficulty", {290, 240, 444, 180}},
      {"players", {290, 250, 444, 296}}, {"name", {290, 250, 444, 190}},    {"delete", {290, 260, 444, 160}},
      {"extras", {140, 110, 744, 550}},   {"diary", {100, 110, 824, 550}},   {"map", {240, 150, 544, 470}},
  };
  return rects;
}

// One time a menu was opened: its window before, while open and idle, and
// after it closed (when the screen under it came back); `after` stays empty
// when something else came instead.
struct SShown {
  std::string name;
  std::string under;  // the menu on top before it opened ("" none)
  std::vector<uint32_t> before, open, after;
};

// Watches every drawn frame: which menu is on top, and the window of each
// menu around its opening and closing.
class CMenuWatcher {
 public:
  CMenuWatcher() {
    storytest::gFrameProbe = [this](zuzorev::CRenderSystem& render, size_t turn) { OnFrame(render, turn); };
  }
  ~CMenuWatcher() { storytest::gFrameProbe = nullptr; }
  const std::vector<SShown>& Shown() const { return mShown; }
  // The credits' window on each page they stood on.
  const std::map<int, std::vector<uint32_t>>& CreditsPages() const { return mCreditsPages; }
  // Whole frames kept at chosen turns.
  void KeepAt(std::set<size_t> turns) { mKeepTurns = std::move(turns); }
  const std::map<size_t, std::vector<uint32_t>>& Kept() const { return mKept; }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Frames are read back only where they are kept: on the turn a menu
  // comes on top (its opening has only just begun, so the frame is still
  // the screen before it), once it stands, and a little after it closed.
  void OnFrame(zuzorev::CRenderSystem& render, size_t turn) {
    std::vector<uint32_t> frame;
    auto read = [&]() -> const std::vector<uint32_t>& {
      if (frame.empty() && !render.ReadPixels(0, 0, kWidth, kHeight, frame)) frame.clear();
      return frame;
    };
    if (mKeepTurns.count(turn)) mKept[turn] = read();
    const menuwalk::SMenuLook look = menuwalk::LookAtMenus();
    if (look.top == "credits" && look.idle && look.creditsPage >= 0 && !mCreditsPages.count(look.creditsPage))
      mCreditsPages[look.creditsPage] = playgl::Crop(read(), MenuRects().at("credits"));
    const auto rect = MenuRects().find(look.top);
    if (look.top != mTop) {
      // The menu that was on top closed: the screen under it is back once
      // the one under it stands again.
      if (mOpen != kNone && look.top == mShown[mOpen].under) {
        mPendingAfter = mOpen;
        mAfterWait = 0;
      }
      mOpen = kNone;
      if (rect != MenuRects().end()) {
        mShown.push_back({look.top, mTop, playgl::Crop(read(), rect->second), {}, {}});
        mOpen = mShown.size() - 1;
      }
    }
    if (mOpen != kNone && look.idle && mShown[mOpen].open.empty()) {
      mShown[mOpen].open = playgl::Crop(read(), rect->second);
      if (mShots.insert(look.top).second) playgl::SaveShot("menu-" + look.top, frame, kWidth, kHeight);
    }
    if (mPendingAfter != kNone && look.top == mShown[mPendingAfter].under && (look.top.empty() || look.idle) &&
        ++mAfterWait == 3) {
      mShown[mPendingAfter].after = playgl::Crop(read(), MenuRects().at(mShown[mPendingAfter].name));
      mPendingAfter = kNone;
    }
    mTop = look.top;
  }

  std::vector<SShown> mShown;
  size_t mOpen = kNone;
  size_t mPendingAfter = kNone;
  int mAfterWait = 0;
  std::string mTop;
  std::set<std::string> mShots;
  std::map<int, std::vector<uint32_t>> mCreditsPages;
  std::set<size_t> mKeepTurns;
  std::map<size_t, std::vector<uint32_t>> mKept;
};

std::filesystem::path Replay(const char* name) { return testsupport::FixturesDir() / "story" / name; }

// Each menu in `expected` was opened, drawn over what was there, and, where
// it went back to the screen under it, left that screen as it was.
void ExpectMenusDrawn(const std::vector<SShown>& shown, const std::vector<std::string>& expected) {
  std::set<std::string> seen;
  for (const SShown& s : shown) {
    SCOPED_TRACE("menu \"" + s.name + "\" over \"" + s.under + "\"");
    if (s.open.empty() || s.before.empty()) continue;
    seen.insert(s.name);
    const int opened = playgl::DifferentPixels(s.before, s.open);
    EXPECT_GT(opened, static_cast<int>(s.open.size() / 4)) << "the open menu is drawn over the screen";
    // A menu over another one opens after that one has closed, and the
    // other one opens again after it: only a menu over the scene itself
    // leaves the screen it found.
    // The diary is half drawn already in the turn it comes (it fades in
    // with the panel's book), so that frame is no screen before it.
    if (!s.after.empty() && s.under.empty() && s.name != "diary") {
      EXPECT_LT(playgl::DifferentPixels(s.before, s.after), opened / 3) << "closed, the screen under it is back";
    }
  }
  for (const std::string& name : expected) EXPECT_TRUE(seen.count(name)) << "the menu \"" << name << "\" was shown";
}

TEST(PlayGLMenuWalk, EveryMenuOfTheFirstEveningIsDrawnAndGoesAgain) {
  storytest::StoryDriver driver(zuzorev::EDeviceKind::GL);
  std::string reason;
  std::vector<SShown> shown;
  {
    CMenuWatcher watcher;
    ASSERT_TRUE(driver.Play(Replay("menu-first-evening.replay"), reason)) << reason;
    shown = watcher.Shown();
  }
  ExpectMenusDrawn(shown, {"name", "difficulty", "diary", "pause", "options", "locked", "exit"});
  EXPECT_EQ(driver.Turns().back().state, kStateExit) << "the exit question's yes closed the game";
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the walk logged errors, the first: " << (errors.empty() ? "" : errors.front());
}

TEST(PlayGLMenuWalk, EveryMenuOfTheSecondEveningIsDrawnAndGoesAgain) {
  storytest::StoryDriver driver(zuzorev::EDeviceKind::GL);
  std::string reason;
  // The first evening's player, who has since finished the story, so the
  // extras open.
  ASSERT_TRUE(storytest::SeedFinishedPlayer(driver, L"Mira"));
  std::vector<SShown> shown;
  std::map<int, std::vector<uint32_t>> credits;
  {
    CMenuWatcher watcher;
    ASSERT_TRUE(driver.Play(Replay("menu-second-evening.replay"), reason)) << reason;
    shown = watcher.Shown();
    credits = watcher.CreditsPages();
  }
  ExpectMenusDrawn(shown, {"options", "credits", "extras", "players", "name", "delete"});
  ASSERT_TRUE(credits.count(0) && credits.count(1)) << "the credits stood on their first and second pages";
  EXPECT_GT(playgl::DifferentPixels(credits[0], credits[1]), static_cast<int>(credits[0].size() / 50))
      << "the next page shows other lines";
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the walk logged errors, the first: " << (errors.empty() ? "" : errors.front());
}

TEST(PlayGLMenuWalk, InTheLampRoomTheMapIsDrawnAndTakesThePlayerToTheHall) {
  storytest::StoryDriver driver(zuzorev::EDeviceKind::GL);
  std::string reason;
  const std::filesystem::path replay = Replay("menu-map-travel.replay");
  // The hall's place on the map before the pointer comes to it, and once
  // its name plate has faded in.
  const size_t hover = playgl::StepFrame(replay, "the hall's name shows on the map");
  ASSERT_GT(hover, 0u);
  const size_t library = playgl::StepFrame(replay, "the hatch leads up to the lamp room");
  const size_t room = playgl::StepFrame(replay, "the diary is opened in the lamp room");
  std::vector<SShown> shown;
  std::map<size_t, std::vector<uint32_t>> kept;
  {
    CMenuWatcher watcher;
    watcher.KeepAt({library, room, hover - 1, hover + 15});
    ASSERT_TRUE(driver.Play(replay, reason)) << reason;
    shown = watcher.Shown();
    kept = watcher.Kept();
  }
  ExpectMenusDrawn(shown, {"diary", "map"});
  ASSERT_TRUE(kept.count(library) && kept.count(room) && kept.count(hover - 1) && kept.count(hover + 15));
  playgl::SaveShot("lamp-room", kept[room], kWidth, kHeight);
  // The hatch is drawn on the library's bare wall: its wood, ladder and
  // label, where the wall alone is one flat colour.
  const playgl::SRect hatch = playgl::MeshRect("Back_2.zorm", {"S_Hatch"}, -4);
  ASSERT_GT(hatch.width, 0);
  EXPECT_GE(playgl::ColourCount(playgl::Crop(kept[library], hatch)), 4) << "the library's hatch is drawn";
  playgl::SaveShot("map-hover", kept[hover + 15], kWidth, kHeight);
  const playgl::SRect plate = playgl::MeshRect("LHT60_map.zort", {"Back_1_T"});
  ASSERT_GT(plate.width, 0);
  const std::vector<uint32_t> before = playgl::Crop(kept[hover - 1], plate);
  const std::vector<uint32_t> after = playgl::Crop(kept[hover + 15], plate);
  EXPECT_GT(playgl::DifferentPixels(before, after), static_cast<int>(before.size() / 50))
      << "the hovered place shows its name plate";
  EXPECT_TRUE(storytest::InScene(driver.Turns().back(), L"Back_1.xml")) << "the map took the player to the hall";
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the walk logged errors, the first: " << (errors.empty() ? "" : errors.front());
}

}  // namespace
