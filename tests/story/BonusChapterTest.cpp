// The bonus chapter played by the real game, headless: a player who has
// finished the story chooses it in the play menu; it opens in the lamp room
// at its own step, the keeper talks through the panel's dialog mode (his
// first line skipped with a click), the ghost light is caught with the
// morph effect and the ghost window, and the chapter ends back in the main
// menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "GameState.h"
#include "Interface/DialogPlayer.h"
#include "Interface/GamePanel.h"
#include "PlayerRecord.h"
#include "StoryDriver.h"
#include "support/TestSupport.h"

namespace {

using storytest::InScene;
using storytest::STurn;

// What the panel showed in a turn, beside the story's look at it.
struct SPanelLook {
  int mode = -1;            // the panel's mode (3 while a dialog plays)
  std::wstring text;        // the dialog's subtitle
  int morph = 0;            // the morph effect runs
  int ghostWindow = 0;      // the ghost window is shown
  int ghosts = 0;           // the player's ghost count
};

TEST(BonusChapter, AFinishedPlayerPlaysTheBonusChapterWithItsDialogAndItsMorphBackToTheMainMenu) {
  storytest::StoryDriver driver;
  ASSERT_TRUE(storytest::SeedFinishedPlayer(driver, L"Mira"));
  std::vector<SPanelLook> panel;
  storytest::gExtraProbe = [&panel] {
    SPanelLook look;
    if (gGamePanel) {
      look.mode = gGamePanel->GetPanelMode();
      if (const CDialogPlayer* dialog = gGamePanel->GetDialogPlayer()) look.text = dialog->GetCurrentText();
      look.morph = gGamePanel->IsMorphActive();
      look.ghostWindow = gGamePanel->IsGhostShown();
    }
    look.ghosts = static_cast<int>(gCurrentPlayer.mGhostCount);
    panel.push_back(look);
  };
  std::string reason;
  const bool played = driver.Play(testsupport::FixturesDir() / "story" / "story-bonus.replay", reason);
  storytest::gExtraProbe = nullptr;
  ASSERT_TRUE(played) << reason;
  const std::vector<STurn>& turns = driver.Turns();
  ASSERT_EQ(panel.size(), turns.size()) << "the panel was looked at in every turn";

  // Each milestone after the one before; the failure names the first that
  // never came.
  struct SMilestone {
    const char* name;
    std::function<bool(size_t)> reached;
  };
  const std::vector<SMilestone> road = {
      {"main menu", [&](size_t i) { return turns[i].state == kStateMainMenu; }},
      {"the bonus chapter starts at its own step", [&](size_t i) { return turns[i].step == L"Step_005"; }},
      {"the lamp room of the bonus chapter",
       [&](size_t i) { return turns[i].step == L"Episod_5" && InScene(turns[i], L"Back_4.xml"); }},
      {"the keeper's first line in the dialog mode",
       [&](size_t i) { return panel[i].mode == 3 && panel[i].text.find(L"Dawn already") == 0; }},
      {"the keeper's second line after the skip",
       [&](size_t i) { return panel[i].mode == 3 && panel[i].text.find(L"Catch the ghost") == 0; }},
      {"the panel is back after the dialog", [&](size_t i) { return panel[i].mode == 0 && panel[i].text.empty(); }},
      {"the ghost light caught: the morph and the ghost window",
       [&](size_t i) { return panel[i].morph == 1 && panel[i].ghostWindow == 1 && panel[i].ghosts == 1; }},
      {"the chapter ends in the main menu",
       [&](size_t i) { return turns[i].state == kStateMainMenu && turns[i].step.empty(); }},
  };
  size_t from = 0;
  std::vector<size_t> at;
  for (const SMilestone& m : road) {
    size_t i = from;
    while (i < turns.size() && !m.reached(i)) ++i;
    if (i >= turns.size()) {
      std::string warnings;
      for (const std::string& line : storytest::LogLinesOf(driver.ReadLog("log.html"), "warning")) warnings += "\n  " + line;
      for (const std::string& line : storytest::ErrorLines(driver)) warnings += "\n  " + line;
      FAIL() << "the bonus chapter broke at \"" << m.name << "\" (looked from turn " << from << " of " << turns.size()
             << "); the log's warnings and errors:" << warnings;
    }
    at.push_back(i);
    from = i;
  }
  // The skip cut the first line short: spoken in full it runs 3.6 s (72
  // turns) before the second.
  EXPECT_LT(at[4] - at[3], 60u) << "the click skipped to the second line";
  EXPECT_TRUE(std::none_of(turns.begin(), turns.end(), [](const STurn& t) { return t.step == L"Intro"; }))
      << "the bonus chapter did not replay the story from its start";

  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  std::string first = errors.empty() ? "" : errors.front();
  EXPECT_TRUE(errors.empty()) << "the bonus chapter logged errors, the first: " << first;
}

}  // namespace
