// The menus tried as a new user would, in the real game on the sample
// data, headless: each step of the walk is checked by the screen state and
// the menu on top, by what the game saved (profiles, game.ini) and by the
// log. tests/playgl/MenuWalkGLTest.cpp plays the same walk on GL and looks
// at the pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Ini.h"
#include "MenuLook.h"
#include "Platform/Paths.h"
#include "PlayerFile.h"
#include "PlayerFileName.h"
#include "PlayerRecord.h"
#include "StoryDriver.h"
#include "support/TestSupport.h"

namespace {

using menuwalk::SMenuLook;

std::filesystem::path Replay(const char* name) { return testsupport::FixturesDir() / "story" / name; }

// One play with a look at the menus after every turn.
struct SWalk {
  std::vector<SMenuLook> looks;
  bool Play(storytest::StoryDriver& driver, const char* replay, std::string& reason) {
    looks.clear();
    storytest::gExtraProbe = [this] { looks.push_back(menuwalk::LookAtMenus()); };
    const bool started = driver.Play(Replay(replay), reason);
    storytest::gExtraProbe = nullptr;
    return started;
  }
};

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n  " + line;
  return text;
}

std::filesystem::path ProfilePath(const storytest::StoryDriver& driver, const std::wstring& name) {
  return driver.User().Path() / "Users" / Platform::ToPath(PlayerFileName(name));
}

PlayerRecord ReadProfile(const storytest::StoryDriver& driver, const std::wstring& name) {
  PlayerRecord record;
  EXPECT_EQ(ReadProfileFile(ProfilePath(driver, name), record), EPlayerFileRead::Read)
      << "the profile of " << Platform::WideToUtf8(name) << " reads back";
  return record;
}

// The first turn from `from` on that `reached` holds; the failure names the
// step and where the walk went instead.
size_t Expect(const std::vector<SMenuLook>& looks, size_t from, const char* step,
              const std::function<bool(const SMenuLook&)>& reached) {
  for (size_t i = from; i < looks.size(); ++i)
    if (reached(looks[i])) return i;
  ADD_FAILURE() << "the walk broke at \"" << step << "\" (looked from turn " << from << "); it went:"
                << menuwalk::MenuTrail(looks);
  return looks.size();
}

auto Top(const char* name) {
  return [name](const SMenuLook& l) { return l.top == name && l.idle; };
}
auto State(int state) {
  return [state](const SMenuLook& l) { return l.state == state && l.top.empty(); };
}

TEST(MenuWalk, ANewPlayerIsAskedOnceForTheDifficultyAndTheChoiceIsKept) {
  struct SCase {
    const char* replay;
    uint32_t difficulty;
    uint32_t hints;
  };
  for (const SCase& c : {SCase{"menu-casual.replay", 1, 1}, SCase{"menu-expert.replay", 2, 0}}) {
    SCOPED_TRACE(c.replay);
    storytest::StoryDriver driver;
    SWalk walk;
    std::string reason;
    ASSERT_TRUE(walk.Play(driver, c.replay, reason)) << reason;
    const auto& looks = walk.looks;
    size_t at = Expect(looks, 0, "the hall is played", State(kStateInGame));
    at = Expect(looks, at, "the difficulty is asked", Top("difficulty"));
    at = Expect(looks, at, "the choice closes the box",
                [&](const SMenuLook& l) { return l.top.empty() && l.difficulty == c.difficulty; });
    if (at < looks.size()) {
      EXPECT_EQ(looks[at].tutorialHints, c.hints);
    }
    EXPECT_EQ(menuwalk::OpenedAt(looks, "difficulty").size(), 1u) << "asked once";
    const PlayerRecord saved = ReadProfile(driver, L"Mira");
    EXPECT_EQ(saved.mDifficulty, c.difficulty) << "the choice is saved with the player";
    EXPECT_EQ(saved.mTutorialHints, c.hints);
    const std::vector<std::string> errors = storytest::ErrorLines(driver);
    EXPECT_TRUE(errors.empty()) << "the play logged errors:" << Join(errors);
  }
}

// The first turn from `from` on in which the scene `file` is played.
size_t SceneReached(const storytest::StoryDriver& driver, size_t from, const wchar_t* file) {
  const auto& turns = driver.Turns();
  for (size_t i = from; i < turns.size(); ++i)
    if (storytest::InScene(turns[i], file)) return i;
  return turns.size();
}

TEST(MenuWalk, APlayerInTheLibraryFindsTheNotesOfBothRoomsInTheDiary) {
  storytest::StoryDriver driver;
  SWalk walk;
  std::string reason;
  ASSERT_TRUE(walk.Play(driver, "menu-diary-notes.replay", reason)) << reason;
  const auto& looks = walk.looks;
  ASSERT_EQ(looks.size(), driver.Turns().size());
  size_t at = SceneReached(driver, 0, L"Back_2.xml");
  ASSERT_LT(at, looks.size()) << "the library was reached:" << menuwalk::MenuTrail(looks);
  at = Expect(looks, at, "the diary opens in the library", Top("diary"));
  if (at < looks.size()) {
    EXPECT_EQ(looks[at].notes, 2u) << "the hall's and the library's notes";
    EXPECT_TRUE(looks[at].mapOff) << "the map stays shut in the first rooms";
  }

  const PlayerRecord saved = ReadProfile(driver, L"Mira");
  EXPECT_EQ(saved.mNotePages, (std::vector<std::wstring>{L"note_hall", L"note_gallery"}));
  EXPECT_EQ(saved.mMapLocations, (std::vector<std::wstring>{L"Back_1", L"Back_2"})) << "both rooms are on the map";
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the play logged errors:" << Join(errors);
}

TEST(MenuWalk, FromTheLampRoomTheMapTakesThePlayerBackToTheHall) {
  storytest::StoryDriver driver;
  SWalk walk;
  std::string reason;
  ASSERT_TRUE(walk.Play(driver, "menu-map-travel.replay", reason)) << reason;
  const auto& looks = walk.looks;
  ASSERT_EQ(looks.size(), driver.Turns().size());
  size_t at = SceneReached(driver, 0, L"Back_4.xml");
  ASSERT_LT(at, looks.size()) << "the library's hatch led to the lamp room:" << menuwalk::MenuTrail(looks);
  at = Expect(looks, at, "the diary opens in the lamp room", Top("diary"));
  if (at < looks.size()) {
    EXPECT_FALSE(looks[at].mapOff) << "the map may be opened here";
    EXPECT_EQ(looks[at].location, L"Back_4");
  }
  at = Expect(looks, at, "the map opens from the diary", Top("map"));
  at = Expect(looks, at, "the map and the diary close", [](const SMenuLook& l) { return l.top.empty(); });
  at = SceneReached(driver, at, L"Back_1.xml");
  ASSERT_LT(at, looks.size()) << "the hall's place on the map led to the hall";
  EXPECT_EQ(looks.back().location, L"Back_1");

  const PlayerRecord saved = ReadProfile(driver, L"Mira");
  EXPECT_EQ(saved.mMapLocations, (std::vector<std::wstring>{L"Back_1", L"Back_2", L"Back_4"}));
  EXPECT_EQ(saved.mNotePages, (std::vector<std::wstring>{L"note_hall", L"note_gallery", L"note_lamproom"}));
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the play logged errors:" << Join(errors);
}

TEST(MenuWalk, TwoEveningsOfANewUserInEveryMenu) {
  storytest::StoryDriver driver;
  SWalk walk;
  std::string reason;

  // The first evening: a player, casual, the diary, the pause
  // menu (Esc goes on), the options, the main menu, the lock, the exit
  // question (Esc says no, then yes).
  ASSERT_TRUE(walk.Play(driver, "menu-first-evening.replay", reason)) << reason;
  {
    const auto& looks = walk.looks;
    size_t at = Expect(looks, 0, "the name is asked", Top("name"));
    at = Expect(looks, at, "the difficulty is asked", Top("difficulty"));
    at = Expect(looks, at, "the diary opens", Top("diary"));
    if (at < looks.size()) {
      EXPECT_EQ(looks[at].notes, 1u) << "the hall's note";
    }
    at = Expect(looks, at, "the diary closes", State(kStateInGame));
    at = Expect(looks, at, "the pause menu opens", Top("pause"));
    at = Expect(looks, at, "Esc goes on with the game", State(kStateInGame));
    at = Expect(looks, at, "the pause menu opens again", Top("pause"));
    at = Expect(looks, at, "the options open over the game", Top("options"));
    at = Expect(looks, at, "the sound is turned down and the cursor box ticked",
                [](const SMenuLook& l) { return l.top == "options" && l.soundVolume < 0.5f && l.cursorBox == 1; });
    at = Expect(looks, at, "Apply goes back to the pause menu", Top("pause"));
    at = Expect(looks, at, "the story is left for the main menu", State(kStateMainMenu));
    at = Expect(looks, at, "the extras are locked", Top("locked"));
    at = Expect(looks, at, "the lock's notice goes", State(kStateMainMenu));
    at = Expect(looks, at, "the exit question", Top("exit"));
    at = Expect(looks, at, "Esc says no", State(kStateMainMenu));
    at = Expect(looks, at, "the exit question again", Top("exit"));
    Expect(looks, at, "yes leaves", [](const SMenuLook& l) { return l.state == kStateExit; });
    EXPECT_EQ(driver.Turns().back().state, kStateExit);
    const std::vector<std::string> errors = storytest::ErrorLines(driver);
    EXPECT_TRUE(errors.empty()) << "the first evening logged errors:" << Join(errors);
  }
  const PlayerRecord first = ReadProfile(driver, L"Mira");
  EXPECT_EQ(first.mDifficulty, 1u);
  EXPECT_EQ(first.mGameCursor, 1u) << "the cursor box is kept with the player";
  const std::wstring ini = driver.User().IniPath();
  EXPECT_LT(Ini::GetFloat(ini, L"Game", L"SoundVolume", 1.0f), 0.5f) << "the sound volume is kept in game.ini";

  // Between the evenings the story was finished, so the extras open.
  PlayerRecord finished = first;
  finished.mGameFinished = 1;
  ASSERT_TRUE(WriteProfileFile(ProfilePath(driver, L"Mira"), finished));

  // The second evening: the kept options, the credits, the extras, a
  // second player created and chosen, the first one deleted.
  ASSERT_TRUE(walk.Play(driver, "menu-second-evening.replay", reason)) << reason;
  const auto& looks = walk.looks;
  size_t at = Expect(looks, 0, "the options open over the main menu", Top("options"));
  if (at < looks.size()) {
    EXPECT_EQ(looks[at].cursorBox, 1) << "the ticked box is kept after a restart";
    EXPECT_LT(looks[at].soundVolume, 0.5f) << "the sound volume is kept after a restart";
  }
  at = Expect(looks, at, "Esc closes the options", State(kStateMainMenu));
  at = Expect(looks, at, "the options again", Top("options"));
  at = Expect(looks, at, "the credits", Top("credits"));
  auto creditsPage = [](int page) {
    return [page](const SMenuLook& l) { return l.top == "credits" && l.creditsPage == page; };
  };
  at = Expect(looks, at, "the credits' next page", creditsPage(1));
  at = Expect(looks, at, "the credits' page before", creditsPage(0));
  at = Expect(looks, at, "the credits close to the main menu", State(kStateMainMenu));
  at = Expect(looks, at, "the extras open", Top("extras"));
  at = Expect(looks, at, "the guide", [](const SMenuLook& l) { return l.top == "extras" && l.extrasTab == 2; });
  at = Expect(looks, at, "the wallpapers", [](const SMenuLook& l) { return l.top == "extras" && l.extrasTab == 3; });
  at = Expect(looks, at, "the concept art", [](const SMenuLook& l) { return l.top == "extras" && l.extrasTab == 1; });
  at = Expect(looks, at, "the extras close", State(kStateMainMenu));
  at = Expect(looks, at, "the player list", Top("players"));
  at = Expect(looks, at, "the name entry for a new player", Top("name"));
  at = Expect(looks, at, "the list with both players", [](const SMenuLook& l) {
    return l.top == "players" && l.idle && l.listed.size() == 2;
  });
  at = Expect(looks, at, "the second player is chosen",
              [](const SMenuLook& l) { return l.state == kStateMainMenu && l.player == L"Bob"; });
  at = Expect(looks, at, "the player list again", Top("players"));
  at = Expect(looks, at, "the deletion is asked", Top("delete"));
  at = Expect(looks, at, "the list without the first player", [](const SMenuLook& l) {
    return l.top == "players" && l.idle && l.listed == std::vector<std::wstring>{L"Bob"};
  });
  Expect(looks, at, "Esc leaves the list with the second player",
         [](const SMenuLook& l) { return l.state == kStateMainMenu && l.player == L"Bob"; });
  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the second evening logged errors:" << Join(errors);
  EXPECT_FALSE(std::filesystem::exists(ProfilePath(driver, L"Mira"))) << "the deleted player's file is gone";
  EXPECT_EQ(ReadProfile(driver, L"Bob").mName, L"Bob");
}

}  // namespace
