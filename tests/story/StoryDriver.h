#pragma once
// Runs the real game through its main loop on the sample game, headless,
// fed by a replay file, and takes a look at the story after every turn.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Engine/zuzorev/Device.h"
#include "ShellTestSupport.h"

namespace zuzorev {
class CRenderSystem;
}

namespace storytest {

// Called after each turn is looked at (exploration).
inline std::function<void()> gExtraProbe;
// Called in each turn that draws, with the frame drawn but not yet shown, so
// its pixels can be read back; `turn` is the index the turn will have in
// Turns().
inline std::function<void(zuzorev::CRenderSystem& render, size_t turn)> gFrameProbe;

// What one turn of the main loop left behind.
struct STurn {
  int state = 0;             // the game's state (GameState.h)
  std::wstring step;         // the story step running ("" none)
  std::wstring scene;        // the chapter's current scene file ("" none)
  std::wstring region;       // the close-up open in it ("" none)
  std::wstring cursorItem;   // the item the player holds ("" none)
  bool rolik = false;        // a cut-scene plays
  std::vector<std::wstring> found;  // "group_item" of every task done so far
  std::vector<std::wstring> items;  // the inventory
  std::vector<std::wstring> hogRows;   // the panel's hidden-object list rows, as shown
  std::vector<std::wstring> hogFound;  // the texts of the shelf's pieces found so far
  bool operator==(const STurn&) const = default;
};

// One play of a replay file over a per-user folder that lives as long as
// the driver (so a second play continues the first's profile).
class StoryDriver {
 public:
  // The headless device, or GL: in the X server DISPLAY names (Xvfb in the
  // test runs) or, without one, SDL's offscreen driver.
  explicit StoryDriver(zuzorev::EDeviceKind device = zuzorev::EDeviceKind::Headless);
  ~StoryDriver();
  // Plays `replay` from the game's start until the program ends; every
  // turn is kept. False (with the reason) when the game did not start.
  bool Play(const std::filesystem::path& replay, std::string& reason);
  // The device the next play runs on (a long wait can be played headless
  // and the part worth looking at on GL, over the same profile).
  void SetDevice(zuzorev::EDeviceKind device) { mDevice = device; }
  const std::vector<STurn>& Turns() const { return mTurns; }
  const shelltest::UserFolder& User() const { return mSample.User(); }
  // The text of one of the game's logs in the user folder ("log.html").
  std::string ReadLog(const std::string& name) const;

 private:
  shelltest::SampleGame mSample;
  zuzorev::EDeviceKind mDevice;
  std::vector<STurn> mTurns;
};

// A player who has finished the story (named `name`, casual), written to the
// driver's user folder as its remembered player, so the next play's main
// menu knows them and opens the extras and the bonus chapter.
bool SeedFinishedPlayer(const StoryDriver& driver, const std::wstring& name);

// The lines of an HTML log at one level ("error", "warning").
std::vector<std::string> LogLinesOf(const std::string& log, const std::string& level);

// The error lines of a play's three logs, "log.html: ..." each, but the one
// a clean run ends with (the main loop leaves through the exit state by an
// update that answers "stop").
std::vector<std::string> ErrorLines(const StoryDriver& driver);

// Whether `text` ends with `end`, ignoring case (scene files are named by
// their ends: "Data\Level\Back_1.xml").
bool EndsWith(const std::wstring& text, const std::wstring& end);
inline bool InScene(const STurn& t, const wchar_t* scene) { return EndsWith(t.scene, scene); }

}  // namespace storytest
