// The sample story played by the real game through its main loop, headless,
// from recorded replays: a new player from the main menu through the hall,
// its close-up and the library's hidden-object list to the end texts and
// back to the main menu; and a player who leaves half-way and comes back.
// Each check names the step of the story it watches, so a broken click
// handler, loader or save shows up as the step that did not happen.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "GameState.h"
#include "Interface/Map.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Regions/BaseRegion.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"
#include "PlayerFile.h"
#include "PlayerFileName.h"
#include "PlayerRecord.h"
#include "SaveInfo/EpisodTasks.h"
#include "StoryDriver.h"
#include "support/TestSupport.h"

namespace {

using storytest::EndsWith;
using storytest::InScene;
using storytest::STurn;

std::filesystem::path Replay(const char* name) { return testsupport::FixturesDir() / "story" / name; }

bool Has(const std::vector<std::wstring>& list, const std::wstring& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

// A step of the story, seen in a turn.
struct SMilestone {
  const char* name;
  std::function<bool(const STurn&)> reached;
};

// Where the game went: each change of state, step or scene with its turn.
std::string Trail(const std::vector<STurn>& turns) {
  std::string trail;
  for (size_t i = 0; i < turns.size(); ++i) {
    const STurn& t = turns[i];
    if (i > 0 && t.state == turns[i - 1].state && t.step == turns[i - 1].step && t.scene == turns[i - 1].scene)
      continue;
    trail += "\n  turn " + std::to_string(i) + ": state " + std::to_string(t.state) + " step \"" +
             Platform::WideToUtf8(t.step) + "\" scene \"" + Platform::WideToUtf8(t.scene) + "\"";
  }
  return trail;
}

// The first turn of each milestone, each after the one before; the failure
// names the first milestone that never came.
void ExpectMilestonesInOrder(const std::vector<STurn>& turns, const std::vector<SMilestone>& milestones,
                             std::vector<size_t>* at = nullptr) {
  size_t from = 0;
  const char* last = "the game's start";
  for (const SMilestone& m : milestones) {
    const auto it = std::find_if(turns.begin() + static_cast<std::ptrdiff_t>(from), turns.end(), m.reached);
    ASSERT_NE(it, turns.end()) << "the story broke at \"" << m.name << "\": it never came after \"" << last
                               << "\" (turn " << from << " of " << turns.size() << "); the game went:" << Trail(turns);
    from = static_cast<size_t>(it - turns.begin());
    if (at) at->push_back(from);
    last = m.name;
  }
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n  " + line;
  return text;
}

PlayerRecord ReadProfile(const storytest::StoryDriver& driver, const std::wstring& name) {
  PlayerRecord record;
  const auto path = driver.User().Path() / "Users" / Platform::ToPath(PlayerFileName(name));
  EXPECT_EQ(ReadProfileFile(path, record), EPlayerFileRead::Read) << "the profile " << path << " reads back";
  return record;
}

std::vector<std::wstring> FoundTasks(const PlayerRecord& record) {
  std::vector<std::wstring> found;
  for (const auto& [list, tasks] : record.mEpisodInfo.mBackObjects)
    for (const SObjectTaskInfo& task : tasks)
      if (task.mValue == 3) found.push_back(list + L"_" + task.mName);
  return found;
}

std::vector<std::wstring> Items(const PlayerRecord& record) {
  std::vector<std::wstring> items;
  for (const SPlayerItem& item : record.mItems) items.push_back(item.mName);
  return items;
}

// The main road through the hall, in the order the replays play it.
std::vector<SMilestone> HallMilestones() {
  return {
      {"hall entered", [](const STurn& t) { return t.step == L"Episod_1" && InScene(t, L"Back_1.xml"); }},
      {"key found", [](const STurn& t) { return Has(t.found, L"find_Key"); }},
      {"wick picked up", [](const STurn& t) { return Has(t.found, L"free_Wick") && Has(t.items, L"Wick"); }},
      {"wick held", [](const STurn& t) { return t.cursorItem == L"Wick"; }},
      {"lantern lit", [](const STurn& t) { return Has(t.found, L"push_Wick") && !Has(t.items, L"Wick"); }},
      {"close-up opened", [](const STurn& t) { return EndsWith(t.region, L"Back_1_reg_4.xml"); }},
      {"knife found in the close-up", [](const STurn& t) { return Has(t.items, L"B1Noj"); }},
      {"close-up closed", [](const STurn& t) { return t.region.empty() && Has(t.found, L"region_B1R4"); }},
      {"library entered", [](const STurn& t) { return InScene(t, L"Back_2.xml"); }},
  };
}

// The shelf's list after each find: a found name leaves its row, the next
// name of the set takes a freed place while there is one, and the rows
// shown are the names still to find.
void ExpectTheShelfListFollowsTheFinds(const std::vector<STurn>& turns) {
  constexpr size_t kShelfItems = 9, kRows = 8;
  size_t seen = 0;
  for (size_t i = 0; i < turns.size(); ++i) {
    const STurn& t = turns[i];
    if (!InScene(t, L"Back_2.xml") || t.hogFound.size() == seen) continue;
    seen = t.hogFound.size();
    std::vector<std::wstring> shown;
    for (const std::wstring& row : t.hogRows)
      if (!row.empty()) shown.push_back(row);
    for (const std::wstring& name : t.hogFound)
      EXPECT_FALSE(Has(shown, name)) << "turn " << i << ", " << seen << " found: the found "
                                     << Platform::WideToUtf8(name) << " is still listed";
    EXPECT_EQ(shown.size(), std::min(kRows, kShelfItems - seen)) << "turn " << i << ", " << seen << " found";
  }
  EXPECT_EQ(seen, kShelfItems) << "every piece of the shelf was found";
}

TEST(StoryReplay, ANewPlayerPlaysTheStoryFromTheMainMenuToItsEndAndBack) {
  storytest::StoryDriver driver;
  std::string reason;
  ASSERT_TRUE(driver.Play(Replay("story.replay"), reason)) << reason;
  const std::vector<STurn>& turns = driver.Turns();

  std::vector<SMilestone> road = {
      {"main menu at start", [](const STurn& t) { return t.state == kStateMainMenu; }},
      {"name asked", [](const STurn& t) { return t.state == kStateUserNameFromPlay; }},
      {"intro playing", [](const STurn& t) { return t.step == L"Intro" && t.rolik; }},
  };
  for (SMilestone& m : HallMilestones()) road.push_back(std::move(m));
  road.push_back({"list complete", [](const STurn& t) { return Has(t.found, L"hog_Shelf"); }});
  road.push_back({"chapter finished", [](const STurn& t) { return t.step == L"Final" && t.rolik; }});
  road.push_back({"main menu", [](const STurn& t) { return t.state == kStateMainMenu && t.step.empty(); }});
  std::vector<size_t> at;
  ExpectMilestonesInOrder(turns, road, &at);
  if (HasFatalFailure()) return;
  // The intro's skip button cut it short: watched, it runs twice as long.
  EXPECT_LT(at[3] - at[2], 60u) << "intro skipped: the hall came long after the intro started";
  EXPECT_EQ(turns.back().state, kStateExit) << "the quit at the replay's end closes the game";

  ExpectTheShelfListFollowsTheFinds(turns);

  const std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the play logged errors:" << Join(errors);

  const PlayerRecord profile = ReadProfile(driver, L"Mira");
  EXPECT_EQ(profile.mName, L"Mira");
  EXPECT_EQ(profile.mGameFinished, 1u) << "the end texts mark the game finished";
  EXPECT_TRUE(profile.mStepName.empty() || profile.mStepName == L"Intro")
      << "a finished story starts over at its first step, saved: " << Platform::WideToUtf8(profile.mStepName);
}

// Wherever the player stands in the story, the hint button has something
// to point at: the open close-up's work, the scene's, or the door toward a
// place with work left. Asked without showing anything, every turn the
// chapter runs its scene.
TEST(StoryReplay, EveryTurnOfPlayGivesTheHintSomethingToShow) {
  std::vector<std::string> without;
  size_t asked = 0;
  storytest::gExtraProbe = [&] {
    CBaseEpisod* episod = gLogic ? gLogic->GetEpisod() : nullptr;
    auto* level = episod ? dynamic_cast<CBaseLevel*>(episod->GetCurrentScene()) : nullptr;
    if (!level || episod->GetState() != 1 || gGameState != kStateInGame) return;
    ++asked;
    CBaseRegion* region = level->GetOpenRegion();
    if (region && region->FindHintTarget(1) != -1) return;
    if (level->FindHintTarget(1) != 0) return;
    if (gMap && !gMap->FindHintPortal(level->GetName(), episod).empty()) return;
    std::string where = Platform::WideToUtf8(level->GetBackName());
    if (region) where += " / " + Platform::WideToUtf8(region->GetBackName());
    if (without.empty() || without.back() != where) without.push_back(where);
  };
  storytest::StoryDriver driver;
  std::string reason;
  const bool played = driver.Play(Replay("story.replay"), reason);
  storytest::gExtraProbe = nullptr;
  ASSERT_TRUE(played) << reason;
  EXPECT_GT(asked, 100u) << "the story was played";
  EXPECT_TRUE(without.empty()) << "the hint had nothing to show in:" << Join(without);
}

TEST(StoryReplay, APlayerWhoLeavesInTheLibraryComesBackToItWithWhatWasFound) {
  storytest::StoryDriver driver;
  std::string reason;
  ASSERT_TRUE(driver.Play(Replay("story-first-half.replay"), reason)) << reason;
  ExpectMilestonesInOrder(driver.Turns(), HallMilestones());
  if (HasFatalFailure()) return;
  std::vector<std::string> errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the first half logged errors:" << Join(errors);

  // Closing the window saved where the player is and what was done.
  const PlayerRecord saved = ReadProfile(driver, L"Mira");
  EXPECT_EQ(saved.mStepName, L"Episod_1") << "saved step";
  EXPECT_EQ(saved.mEpisodInfo.mName, L"Episod_1");
  EXPECT_TRUE(EndsWith(saved.mEpisodInfo.mLevelName, L"Back_2.xml")) << "saved scene";
  EXPECT_EQ(saved.mEpisodInfo.mLevelIsHog, 1u) << "the library is saved as a hidden-object scene";
  const std::vector<std::wstring> found = FoundTasks(saved);
  for (const wchar_t* task : {L"find_Key", L"free_Wick", L"push_Wick", L"region_B1R4"})
    EXPECT_TRUE(Has(found, task)) << "found item saved: " << Platform::WideToUtf8(task);
  EXPECT_FALSE(Has(found, L"hog_Shelf")) << "the shelf's list is not done yet";
  const std::vector<std::wstring> items = Items(saved);
  EXPECT_TRUE(Has(items, L"B1Noj")) << "inventory saved: the knife";
  EXPECT_FALSE(Has(items, L"Wick")) << "inventory saved: the wick went into the lantern";
  EXPECT_EQ(saved.mGameFinished, 0u);

  // The second evening: Play goes on in the library, with no intro and no
  // new name.
  ASSERT_TRUE(driver.Play(Replay("story-continue.replay"), reason)) << reason;
  const std::vector<STurn>& turns = driver.Turns();
  ExpectMilestonesInOrder(turns, {
                                     {"main menu", [](const STurn& t) { return t.state == kStateMainMenu; }},
                                     {"story resumed", [](const STurn& t) { return t.state == kStateInGame; }},
                                     {"library entered again",
                                      [](const STurn& t) { return t.step == L"Episod_1" && InScene(t, L"Back_2.xml"); }},
                                 });
  EXPECT_TRUE(std::none_of(turns.begin(), turns.end(), [](const STurn& t) { return t.step == L"Intro"; }))
      << "the story continued rather than restarted";
  EXPECT_TRUE(std::none_of(turns.begin(), turns.end(), [](const STurn& t) { return InScene(t, L"Back_1.xml"); }))
      << "the hall was not started again";
  EXPECT_TRUE(std::none_of(turns.begin(), turns.end(),
                           [](const STurn& t) { return t.state == kStateUserNameFromPlay; }))
      << "the remembered player was not asked for a name";
  errors = storytest::ErrorLines(driver);
  EXPECT_TRUE(errors.empty()) << "the second evening logged errors:" << Join(errors);
  const PlayerRecord again = ReadProfile(driver, L"Mira");
  EXPECT_TRUE(Has(FoundTasks(again), L"find_Key")) << "what was found stays found";
}

}  // namespace
