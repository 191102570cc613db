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
    storytest::gFrameProbe = [this](zuzorev::CRenderSystem& render, size_t) { OnFrame(render); };
  }
  ~CMenuWatcher() { storytest::gFrameProbe = nullptr; }
  const std::vector<SShown>& Shown() const { return mShown; }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Frames are read back only where they are kept: on the turn a menu
  // comes on top (its opening has only just begun, so the frame is still
  // the screen before it), once it stands, and a little after it closed.
  void OnFrame(zuzorev::CRenderSystem& render) {
    std::vector<uint32_t> frame;
    auto read = [&]() -> const std::vector<uint32_t>& {
      if (frame.empty() && !render.ReadPixels(0, 0, kWidth, kHeight, frame)) frame.clear();
      return frame;
    };
    const menuwalk::SMenuLook look = menuwalk::LookAtMenus();
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
  PlayerRecord player;
  player.mName = L"Mira";
  player.mDifficulty = 1;
  player.mGameFinished = 1;
  const auto users = driver.User().Path() / "Users";
  std::filesystem::create_directories(users);
  ASSERT_TRUE(WriteProfileFile(users / Platform::ToPath(PlayerFileName(player.mName)), player));
  Ini::SetString(driver.User().IniPath(), L"Game", L"PlayerName", player.mName);
  std::vector<SShown> shown;
  {
    CMenuWatcher watcher;
    ASSERT_TRUE(driver.Play(Replay("menu-second-evening.replay"), reason)) << reason;
    shown = watcher.Shown();
  }
  ExpectMenusDrawn(shown, {"options", "credits", "extras", "players", "name", "delete"});
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the walk logged errors, the first: " << (errors.empty() ? "" : errors.front());
}

}  // namespace
