#pragma once
// Helpers of the story logic suite: a file system over a fixture folder,
// the game's globals back to their start values, and small stand-ins for
// the chapter, the cut-scene and the mini-game frame that record what the
// story logic asks of them.
#include <gtest/gtest.h>
#include <SDL2/SDL.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AppConfig.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/EventQueue.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "GameState.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Logic/LogicFactories.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "Roliki/BaseRolik.h"
#include "support/TestSupport.h"

namespace logictest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "logic"; }

// What the stand-ins were asked, in order ("Episod.Start", "Rolik.Stop(1)" ...).
inline std::vector<std::string>& Events() {
  static std::vector<std::string> events;
  return events;
}
inline bool Happened(const std::string& event) {
  for (const std::string& e : Events())
    if (e == event) return true;
  return false;
}

// A chapter whose Update answers what the test sets.
class FakeEpisod : public CBaseEpisod {
 public:
  FakeEpisod() { ++sAlive; }
  ~FakeEpisod() override {
    --sAlive;
    Events().push_back("Episod.Delete");
  }
  bool Init() override {
    Events().push_back("Episod.Init(" + Narrow(gCurrentPlayer.mEpisodInfo.mName) + ")");
    return sInitResult;
  }
  bool InitScenes() override {
    Events().push_back("Episod.InitScenes(" + Narrow(gCurrentPlayer.mEpisodInfo.mName) + ")");
    return sInitResult;
  }
  bool Start() override {
    Events().push_back("Episod.Start");
    return sStartResult;
  }
  int32_t Update(float, rovovoz::CMouseCursor*) override {
    Events().push_back("Episod.Update");
    return sUpdateResult;
  }
  void Tick(float) override { Events().push_back("Episod.Tick"); }
  void Pause() override { Events().push_back("Episod.Pause"); }
  void Resume() override { Events().push_back("Episod.Resume"); }
  void Stop() override { Events().push_back("Episod.Stop"); }
  void UnLoadCurrent() override { Events().push_back("Episod.UnLoadCurrent"); }
  void PrepareSave() override { Events().push_back("Episod.PrepareSave"); }
  bool OpenHog(const std::vector<std::wstring>& words) override {
    Events().push_back("Episod.OpenHog(" + Narrow(words.empty() ? L"" : words[0]) + ")");
    return sOpenHogResult;
  }

  static CBaseEpisod* Make() { return new FakeEpisod(); }
  static void Reset() {
    sInitResult = true;
    sStartResult = true;
    sUpdateResult = 0;
    sOpenHogResult = false;
  }
  static std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

  static inline bool sInitResult = true;
  static inline bool sStartResult = true;
  static inline int32_t sUpdateResult = 0;
  static inline bool sOpenHogResult = false;
  static inline int sAlive = 0;
};

class FakeRolik : public CBaseRolik {
 public:
  FakeRolik(const std::wstring& name, int32_t loadResult) : CBaseRolik(nullptr, name, name + L".xml"), mLoadResult(loadResult) {}
  int32_t LoadFile(uint32_t) override {
    Events().push_back("Rolik.LoadFile");
    if (mLoadResult > 0) mLoaded = 1;
    return mLoadResult;
  }
  int32_t Load(uint32_t) override {
    Events().push_back("Rolik.Load");
    return 1;
  }
  int32_t UnLoad(uint32_t) override {
    Events().push_back("Rolik.UnLoad");
    return 1;
  }
  int32_t Start() override {
    Events().push_back("Rolik.Start");
    return 0;
  }
  int32_t Update(float, rovovoz::CMouseCursor*) override {
    Events().push_back("Rolik.Update");
    return 0;
  }
  bool IsEndPlay() const override { return mEnded || mLoaded == 0; }
  void Resume() override { Events().push_back("Rolik.Resume"); }
  int32_t Stop(int withSound) override {
    Events().push_back("Rolik.Stop(" + std::to_string(withSound) + ")");
    return 1;
  }
  void SetHideOnLevel() { mHideOnLevel = 1; }

  bool mEnded = false;

 private:
  int32_t mLoadResult;
};

class FakeMiniGame : public CBaseMiniGame {
 public:
  FakeMiniGame() : CBaseMiniGame(nullptr) {}
  int32_t Load(uint32_t) override {
    Events().push_back("Mini.Load");
    return 1;
  }
  int Start() override {
    Events().push_back("Mini.Start");
    return 0;
  }
  int32_t UnLoad(uint32_t) override {
    Events().push_back("Mini.UnLoad");
    return 1;
  }
  int Finish() override {
    Events().push_back("Mini.Finish");
    return CBaseMiniGame::Finish();
  }
  bool IsComplete() const override { return mComplete; }
  bool mComplete = false;
};

// A key state for one frame: presses (went down this frame) and holds.
class Keys {
 public:
  void Frame(const std::vector<SDL_Scancode>& held, const std::vector<SDL_Scancode>& pressed) {
    mInput.ClearAllState();
    mInput.Update();
    for (SDL_Scancode code : held) Send(code, true);
    mInput.Update();
    for (SDL_Scancode code : pressed) Send(code, true);
    mInput.Update();
  }
  void Clear() {
    mInput.ClearAllState();
    mInput.Update();
  }
  zuzorev::CInputSystem* Get() { return &mInput; }

 private:
  void Send(SDL_Scancode code, bool down) {
    mInput.HandleEvent(down ? zuzorev::SInputEvent::KeyDown(code) : zuzorev::SInputEvent::KeyUp(code));
  }
  zuzorev::CWindowSystem mWindow{zuzorev::EDeviceKind::Headless};
  zuzorev::CInputSystem mInput;

 public:
  Keys() { mInput.Init(&mWindow); }
};

// The story logic's world over a file system on the logic fixtures (or
// another install folder), with the game's globals at their start values
// and the chapter stand-in in the factory.
class LogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mFs.SetInstallFolder(Fixtures());
    zorfile::SetFileSystem(&mFs);
    gCurrentPlayer = PlayerRecord();
    gGameState = kStateInGame;
    gNextGameState = -1;
    gAppConfig.SetDefaults();
    gInputSystem = mKeys.Get();
    Events().clear();
    FakeEpisod::Reset();
    SetEpisodFactoryForTests(&FakeEpisod::Make);
  }
  void TearDown() override {
    mLogic.Release();
    SetEpisodFactoryForTests(nullptr);
    zorfile::SetFileSystem(nullptr);
    gInputSystem = nullptr;
    delete gPlayerList;
    gPlayerList = nullptr;
    gCurrentPlayer = PlayerRecord();
    gCurrentRolik = nullptr;
    gGameState = kStateLoading;
    gNextGameState = kStateLoading;
    gAppConfig.SetDefaults();
    EXPECT_EQ(FakeEpisod::sAlive, 0);
  }

  // A player with a profile folder of its own, so that saves reach a file.
  void UsePlayer(const std::wstring& name) {
    gPlayerList = new PlayerList(mUser.Path());
    gCurrentPlayer.mName = name;
  }
  // A chapter description whose scenes are the given names.
  void AddEpisod(const std::wstring& name, const std::vector<std::wstring>& scenes) {
    SEpisodData data;
    data.Name = name;
    data.Info.mName = name;
    for (const std::wstring& scene : scenes) data.Info.mBackTasks[scene];
    mLogic.m_Episods.emplace(name, data);
  }
  FakeRolik* AddRolik(const std::wstring& name, int32_t loadResult = 1) {
    auto* rolik = new FakeRolik(name, loadResult);
    gRoliki[name] = rolik;
    return rolik;
  }
  FakeMiniGame* AddMiniGame(const std::wstring& name) {
    auto* game = new FakeMiniGame();
    game->SetName(name);
    gMiniGames.push_back(game);
    return game;
  }
  // Play, then the one-second fade into the story: the current step starts.
  void Enter() {
    ASSERT_EQ(mLogic.Play(), 1);
    mLogic.Update(1.0f, nullptr);
  }
  const SLogicStep* Current() const { return mLogic.GetStep(mLogic.GetTempStep()); }
  std::wstring CurrentName() const { return Current() ? Current()->NameStep : L"<none>"; }

public:
  testsupport::TempDir mUser;
  zorfile::CFileSystem mFs;
  Keys mKeys;
  testsupport::LogCapture mLog;
  CLogic mLogic;
};

// The logic over the fixture story: two chapters, two cut-scenes and a
// mini-game, all of them stand-ins.
class StepRunnerTest : public LogicTest {
 protected:
  void SetUp() override {
    LogicTest::SetUp();
    ASSERT_EQ(mLogic.LoadSteps(L"Data\\Logic\\Steps.xml"), 1);
    AddEpisod(L"Ep1", {L"Back_1.xml"});
    AddEpisod(L"Ep2", {L"Back_2.xml"});
    mIntro = AddRolik(L"Intro");
    mMiddle = AddRolik(L"Middle");
    mLock = AddMiniGame(L"Lock");
  }
  // Frames until the current cut-scene has played out.
  void EndRolik(FakeRolik* rolik) {
    rolik->mEnded = true;
    mLogic.Update(0.02f, nullptr);
  }

  FakeRolik* mIntro = nullptr;
  FakeRolik* mMiddle = nullptr;
  FakeMiniGame* mLock = nullptr;
};

}  // namespace logictest
