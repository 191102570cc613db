#pragma once
// Helpers of the shell suites: a per-user folder of the test's own, the
// shell's program-wide words put back to their start values, and menus and a
// story logic that record what the game object asks of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/GameCore.h"
#include "Interface/CreditsMenu.h"
#include "Interface/EscMenu.h"
#include "Interface/ExitMenu.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/MainMenu.h"
#include "Interface/OptionsMenu.h"
#include "Interface/SaveOptionsMenu.h"
#include "Interface/SelectDifficulty.h"
#include "Interface/UserMenu.h"
#include "Interface/UserNameMenu.h"
#include "Logic/Logic.h"
#include "support/TestSupport.h"

namespace shelltest {

// A temporary per-user folder: gUserDataPath and gIniFileName point into it
// (and the platform's per-user root too) while it lives.
class UserFolder {
 public:
  UserFolder();
  ~UserFolder();
  // Points gUserDataPath and gIniFileName into the folder again (after the
  // game's globals were reset).
  void Use() const;
  const std::filesystem::path& Root() const { return mDir.Path(); }
  std::filesystem::path Path() const;
  std::wstring IniPath() const;

 private:
  testsupport::TempDir mDir;
};

// The sample game on the headless device: the install folder is Game/, its
// configuration is read, the per-user folder is the test's own, and new
// engine objects use the headless device while it lives.
class SampleGame {
 public:
  SampleGame();
  ~SampleGame();
  const UserFolder& User() const { return mUser; }

 private:
  UserFolder mUser;
};

// A game core on the headless device over the sample game, with the game's
// search paths and render settings, its window open and its render system
// started.
class SampleCoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { mCore.reset(); }

  SampleGame mSample;
  std::unique_ptr<rovovoz::CGameCore> mCore;
};

// The game's program-wide globals back to their start values, and the
// recording doubles' calls forgotten.
void ResetShellGlobals();

// What the recording doubles were asked, in order ("MainMenu.Enter",
// "Options.Open(1)", "Logic.Play" ...).
std::vector<std::string>& Calls();
bool Called(const std::string& call);

class RecordingMainMenu : public CMainMenu {
 public:
  RecordingMainMenu() : CMainMenu(nullptr, nullptr) {}
  void Enter() override { Calls().push_back("MainMenu.Enter"); }
  void ResetTimers() override { Calls().push_back("MainMenu.ResetTimers"); }
  void SetGreeting() override { Calls().push_back("MainMenu.SetGreeting"); }
  int UpdateScene(float, rovovoz::CMouseCursor*) override {
    Calls().push_back("MainMenu.UpdateScene");
    return mSceneRunning;
  }
  int32_t Update(float, rovovoz::CMouseCursor*) override {
    Calls().push_back("MainMenu.Update");
    return 0;
  }
  int32_t Render() override {
    Calls().push_back("MainMenu.Render");
    return 1;
  }
  int mSceneRunning = 0;
};

class RecordingOptionsMenu : public COptionsMenu {
 public:
  RecordingOptionsMenu() : COptionsMenu(nullptr, nullptr) {}
  int Open(int overGame) override {
    Calls().push_back("Options.Open(" + std::to_string(overGame) + ")");
    return 1;
  }
  void RefreshVideoControls() override { Calls().push_back("Options.RefreshVideoControls"); }
};

class RecordingExtrasMenu : public CExtrasMenu {
 public:
  RecordingExtrasMenu() : CExtrasMenu(nullptr, nullptr) {}
  int Open(int overGame) override {
    Calls().push_back("Extras.Open(" + std::to_string(overGame) + ")");
    return 1;
  }
};

// A menu opened without arguments.
template <class Menu>
class RecordingMenu : public Menu {
 public:
  explicit RecordingMenu(std::string name) : Menu(nullptr, nullptr), mName(std::move(name)) {}
  int Open() override {
    Calls().push_back(mName + ".Open");
    return 1;
  }
  int32_t Update(float, rovovoz::CMouseCursor*) override {
    Calls().push_back(mName + ".Update");
    if (mOnUpdate) mOnUpdate();
    return 0;
  }
  int32_t Render() override {
    Calls().push_back(mName + ".Render");
    return 1;
  }
  // What the menu does in its next update (a button, its closing end).
  std::function<void()> mOnUpdate;

 private:
  std::string mName;
};

class RecordingLogic : public CLogic {
 public:
  int LoadSteps(const std::wstring&) override { return Record("LoadSteps"); }
  int LoadLevels() override { return Record("LoadLevels"); }
  int LoadRegions() override { return Record("LoadRegions"); }
  int LoadMiniGames() override { return Record("LoadMiniGames"); }
  int LoadRoliki() override { return Record("LoadRoliki"); }
  int LoadPredmets(const std::wstring&) override { return Record("LoadPredmets"); }
  int LoadHogPredmets(const std::wstring&) override { return Record("LoadHogPredmets"); }
  int LoadDialogs() override { return Record("LoadDialogs"); }
  int LoadSadanies(const std::wstring&) override { return Record("LoadSadanies"); }
  int Play() override;
  int ReInit() override {
    Calls().push_back("Logic.ReInit");
    return 1;
  }
  void Render() override { Calls().push_back("Logic.Render"); }
  void ResumeCurrent() override { Calls().push_back("Logic.ResumeCurrent"); }
  void SaveCurrentStepName(int) override { Calls().push_back("Logic.SaveCurrentStepName"); }
  void StopEpisod() override { Calls().push_back("Logic.StopEpisod"); }
  void Update(float dt, rovovoz::CMouseCursor*) override {
    Calls().push_back("Logic.Update");
    sUpdateTimes.push_back(dt);
  }
  void UpdateEpisod(float) override { Calls().push_back("Logic.UpdateEpisod"); }

  // Loader that fails (empty: none), what Play answers, and whether a close
  // request arrives while it runs.
  static std::string sFailing;
  static int sPlayResult;
  static bool sCloseDuringPlay;
  // Frame times the logic was updated with.
  static std::vector<float> sUpdateTimes;
  static void Reset();

 private:
  int Record(const std::string& call);
};

}  // namespace shelltest
