#include <gtest/gtest.h>

#include "AppConfig.h"
#include "AppPaths.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "GameState.h"
#include "Ini.h"
#include "LoadProgress.h"
#include "Platform/AtomicFile.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "ShellTestSupport.h"

namespace {

using namespace shelltest;

CLogic* MakeRecordingLogic() { return new RecordingLogic(); }

// The game object over a headless engine on the sample game, with the
// loading screen up and a recording story logic.
class GameLoadTest : public SampleCoreTest {
 protected:
  void SetUp() override {
    SampleCoreTest::SetUp();
    if (HasFatalFailure()) return;
    gLoadProgress = new LoadProgress();
    ASSERT_EQ(gLoadProgress->Load(mCore.get()), 1);
    Game::SetLogicFactoryForTests(&MakeRecordingLogic);
  }
  void TearDown() override {
    mGame.Release();
    Game::SetLogicFactoryForTests(nullptr);
    delete gLoadProgress;
    gLoadProgress = nullptr;
    SampleCoreTest::TearDown();
    ResetShellGlobals();
  }
  void AddProfile(const char* name) {
    std::filesystem::create_directories(mSample.User().Path() / "Users");
    std::filesystem::copy_file(testsupport::FixturesDir() / "profiles" / (std::string(name) + ".dat"),
                               mSample.User().Path() / "Users" / (std::string(name) + ".dat"));
  }
  static int TicksAt(const std::string& call) {
    for (const std::string& c : Calls())
      if (c.rfind(call + "@", 0) == 0) return std::stoi(c.substr(call.size() + 1));
    return -1;
  }

  Game mGame;
};

TEST_F(GameLoadTest, DataLoadsInItsOrderWithATickAfterEachFile) {
  ASSERT_EQ(mGame.Init(mCore.get()), 1);
  EXPECT_EQ(gLoadProgress->GetTickCount(), 1);
  EXPECT_EQ(gGameState, kStateLoading);
  ASSERT_EQ(mGame.Start(), 1);

  std::vector<std::string> order;
  for (const std::string& c : Calls()) order.push_back(c.substr(0, c.find('@')));
  EXPECT_EQ(order, (std::vector<std::string>{"LoadSteps", "LoadLevels", "LoadRegions", "LoadMiniGames", "LoadRoliki",
                                             "LoadPredmets", "LoadHogPredmets", "LoadDialogs", "LoadSadanies"}));
  // Before the steps: the tick of Init, the sound list's progress ticks, and
  // one tick each after the sounds and the particles.
  EXPECT_GE(TicksAt("LoadSteps"), 1 + 1 + 2);
  const char* chain[] = {"LoadSteps", "LoadLevels", "LoadRegions", "LoadMiniGames",
                         "LoadRoliki", "LoadPredmets", "LoadHogPredmets", "LoadDialogs"};
  for (int i = 0; i + 1 < 8; ++i) EXPECT_EQ(TicksAt(chain[i + 1]) - TicksAt(chain[i]), 1) << chain[i];
  // No tick after the dialogs; 26 forms, then the interface's own tick.
  EXPECT_EQ(TicksAt("LoadSadanies") - TicksAt("LoadDialogs"), 27);
  // The tasks' tick, then the timings are saved and one more tick follows.
  EXPECT_EQ(gLoadProgress->GetTickCount(), TicksAt("LoadSadanies") + 2);
  std::string bytes;
  ASSERT_TRUE(Platform::ReadWholeFile(mSample.User().Path() / "progressInfo", bytes));
  EXPECT_EQ(bytes.size(), 4u * static_cast<size_t>(TicksAt("LoadSadanies") + 1));
  EXPECT_EQ(gGameState, kStateLoading);
  EXPECT_FLOAT_EQ(gLoadProgress->GetProgress(), 100.0f);
}

TEST_F(GameLoadTest, AFailingFileStopsTheLoadWithItsMessage) {
  RecordingLogic::sFailing = "LoadRegions";
  ASSERT_EQ(mGame.Init(mCore.get()), 1);
  testsupport::LogCapture log;
  EXPECT_EQ(mGame.Start(), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"load regions !!!"));
  EXPECT_EQ(TicksAt("LoadMiniGames"), -1);
  EXPECT_FALSE(std::filesystem::exists(mSample.User().Path() / "progressInfo"));
}

TEST_F(GameLoadTest, ThePlayerNamedInTheSettingsOrTheFirstOneIsChosen) {
  struct Case {
    const char* name;
    std::vector<const char*> profiles;
    const wchar_t* playerName;  // null: no Game section
    const wchar_t* chosen;
  };
  const Case cases[] = {
      {"no profiles", {}, L"Ann", L""},
      {"no Game section", {"Ann", "Mia"}, nullptr, L"Ann"},
      {"the named player", {"Ann", "Mia"}, L"mia", L"Mia"},
      {"a name without profile", {"Ann"}, L"Bob", L"Ann"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(mSample.User().Path());
    std::filesystem::create_directories(mSample.User().Path());
    for (const char* p : c.profiles) AddProfile(p);
    std::wstring path;
    Ini::GetPath(path);
    if (c.playerName) Ini::SetString(path, L"Game", L"PlayerName", c.playerName);
    ASSERT_EQ(mGame.Init(mCore.get()), 1) << c.name;
    ASSERT_EQ(mGame.Start(), 1) << c.name;
    EXPECT_EQ(gCurrentPlayer.mName, c.chosen) << c.name;
    if (!c.profiles.empty()) {
      std::wstring written;
      Ini::GetString(path, L"Game", L"PlayerName", written, L"?");
      EXPECT_EQ(written, c.chosen) << c.name;
    }
    mGame.Release();
    delete gLoadProgress;
    gLoadProgress = new LoadProgress();
    gLoadProgress->Load(mCore.get());
  }
}

TEST_F(GameLoadTest, VolumesComeFromTheSettingsAndGoBackAtRelease) {
  std::wstring path;
  Ini::GetPath(path);
  Ini::SetString(path, L"Game", L"SoundVolume", L"0.5");
  ASSERT_EQ(mGame.Init(mCore.get()), 1);
  ASSERT_EQ(mGame.Start(), 1);
  EXPECT_FLOAT_EQ(gSoundVolume, 0.5f);
  EXPECT_FLOAT_EQ(gMusicVolume, 1.0f);
  gEffectVolume = 0.25f;
  mGame.Release();
  std::wstring text;
  Ini::GetString(path, L"Game", L"EffectVolume", text, L"");
  EXPECT_EQ(text, L"0.250000");
  Ini::GetString(path, L"Game", L"SoundVolume", text, L"");
  EXPECT_EQ(text, L"0.500000");
  Ini::GetString(path, L"Game", L"PlayerName", text, L"?");
  EXPECT_EQ(text, L"") << "no player: written empty";
  EXPECT_EQ(gPlayerList, nullptr);
  EXPECT_EQ(gLogic, nullptr);
}

}  // namespace
