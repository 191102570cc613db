#pragma once
// Helpers of the chapter suite: a game core over the sample game (its sound
// list loaded, so music plays on the headless sound system), the game's
// globals back to their start values, and stand-ins for scenes, cut-scenes
// and a mini-game that record what the chapter asks of them.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/zorfile/FileSystem.h"
#include "Game.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Random.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "Roliki/BaseRolik.h"
#include "SaveInfo/EpisodTasks.h"
#include "support/CoreSupport.h"
#include "support/TestSupport.h"

namespace episodtest {

// What the stand-ins were asked, in order ("Hall.StartBack(1)" ...).
inline std::vector<std::wstring>& Calls() {
  static std::vector<std::wstring> calls;
  return calls;
}
inline bool Called(const std::wstring& call) {
  for (const std::wstring& c : Calls())
    if (c == call) return true;
  return false;
}
inline int IndexOf(const std::wstring& call) {
  for (size_t i = 0; i < Calls().size(); ++i)
    if (Calls()[i] == call) return static_cast<int>(i);
  return -1;
}

// A playable scene whose answers the test sets.
class FakeLevel : public CBaseLevel {
 public:
  explicit FakeLevel(const std::wstring& name) { SetName(name); }

  int32_t Load(uint32_t flags) override { return Note(L"Load(" + std::to_wstring(flags) + L")", 1); }
  int32_t UnLoad(uint32_t flags) override { return Note(L"UnLoad(" + std::to_wstring(flags) + L")", 1); }
  int32_t StartBack(uint32_t flags) override {
    Note(L"StartBack(" + std::to_wstring(flags) + L")", 1);
    if (onStart) onStart();
    return startResult;
  }
  int32_t LoadBack(CBaseEpisod* episod, CBaseBack*) override {
    mEpisod = episod;
    return Note(L"LoadBack", attachResult);
  }
  int32_t AttachToEpisod(CBaseEpisod* episod, CBaseBack*) override {
    mEpisod = episod;
    return Note(L"AttachToEpisod", attachResult);
  }
  int32_t Update(float, rovovoz::CMouseCursor*) override { return Note(L"Update", 0); }
  void OnEpisodeStarted() override { Note(L"OnEpisodeStarted", 0); }
  int32_t DoAction(const std::wstring& name, int mode, SLogicAction* record, int) override {
    Note(L"DoAction(" + name + L"," + std::to_wstring(mode) + (record ? L",probe" : L"") + L")", 0);
    const auto found = answers.find(name);
    return found == answers.end() ? 1 : found->second;
  }
  void ShowObject(const std::wstring& name, int visible, const std::wstring& command, int reload) override {
    Note(L"ShowObject(" + name + L"," + std::to_wstring(visible) + L"," + command + L"," + std::to_wstring(reload) +
             L")",
         0);
  }
  void ShowObjectInRegion(const std::wstring& region, const std::wstring& name, int visible, const std::wstring&,
                          int) override {
    Note(L"ShowObjectInRegion(" + region + L"," + name + L"," + std::to_wstring(visible) + L")", 0);
  }
  bool IsObjectActive(const std::wstring& name) override { return active.count(name) > 0; }
  void SetObjectRotating3(const std::wstring& name, int value) override {
    Note(L"SetObjectRotating3(" + name + L"," + std::to_wstring(value) + L")", 0);
  }
  void CollectZoneItems(const std::wstring& kind, SComplexTaskInfo& target) override {
    Note(L"CollectZoneItems(" + kind + L")", 0);
    for (int n : pieces) {
      SComplexPiece piece;
      piece.mId = static_cast<uint32_t>(n);
      piece.mPending = 1;
      target.mPieces.push_back(piece);
    }
  }
  void HandleModeRequest(const std::wstring& kind, const std::wstring& name, const std::wstring& text,
                         int value) override {
    Note(L"HandleModeRequest(" + kind + L"," + name + L"," + text + L"," + std::to_wstring(value) + L")", 0);
  }
  void OnHogClick(const std::wstring& group, const std::wstring& item, const std::wstring& command,
                  int clickThrough) override {
    Note(L"OnHogClick(" + group + L"," + item + L"," + command + L"," + std::to_wstring(clickThrough) + L")", 0);
  }
  void OnClickZone(const std::wstring& kind, const std::wstring& name) override {
    Note(L"OnClickZone(" + kind + L"," + name + L")", 0);
  }
  void OnPushClick(const std::wstring& group, const std::wstring& item) override {
    Note(L"OnPushClick(" + group + L"," + item + L")", 0);
  }
  bool QueueModeName(const std::wstring& name) override {
    Note(L"QueueModeName(" + name + L")", 0);
    return true;
  }
  int32_t HandleWordCommand(const std::vector<std::wstring>& words) override {
    return Note(L"HandleWordCommand(" + (words.empty() ? std::wstring() : words[0]) + L")", formAnswer);
  }
  void DecrementNamedCount(const std::wstring& mark) override { Note(L"DecrementNamedCount(" + mark + L")", 0); }

  int32_t startResult = 1;
  int32_t attachResult = 1;
  int32_t formAnswer = 0;
  std::function<void()> onStart;
  std::map<std::wstring, int32_t> answers;
  std::set<std::wstring> active;
  std::vector<int> pieces;

 private:
  int32_t Note(const std::wstring& what, int32_t result) {
    Calls().push_back(GetName() + L"." + what);
    return result;
  }
};

class FakeRolik : public CBaseRolik {
 public:
  explicit FakeRolik(const std::wstring& name, int32_t loadResult = 1)
      : CBaseRolik(nullptr, name, name + L".xml"), mLoadResult(loadResult) {}
  int32_t LoadFile(uint32_t) override {
    Calls().push_back(GetName() + L".LoadFile");
    if (mLoadResult > 0) mLoaded = 1;
    return mLoadResult;
  }
  int32_t Load(uint32_t) override { return 1; }
  int32_t UnLoad(uint32_t) override {
    Calls().push_back(GetName() + L".UnLoad");
    return 1;
  }
  int32_t Start() override {
    Calls().push_back(GetName() + L".Start");
    return 0;
  }
  int32_t Update(float, rovovoz::CMouseCursor*) override { return 0; }
  int32_t Render() override { return 0; }
  bool IsEndPlay() const override { return ended; }
  void SetHideOnLevel() { mHideOnLevel = 1; }
  bool ended = false;

 private:
  int32_t mLoadResult;
};

class FakeMiniGame : public CBaseMiniGame {
 public:
  explicit FakeMiniGame(const std::wstring& name) : CBaseMiniGame(nullptr) { SetName(name); }
  int32_t Load(uint32_t) override {
    Calls().push_back(GetName() + L".Load");
    return 1;
  }
  int Start() override {
    Calls().push_back(GetName() + L".Start");
    return startResult;
  }
  int32_t UnLoad(uint32_t) override {
    Calls().push_back(GetName() + L".UnLoad");
    return 1;
  }
  int32_t Update(float, rovovoz::CMouseCursor*) override { return 0; }
  bool IsComplete() const override { return complete; }
  bool IsWon() const override { return won; }
  bool complete = false;
  bool won = true;
  int startResult = 0;
};

// Building blocks of chapter scripts.
inline SLogicAction Op(uint32_t op, uint32_t type, const std::wstring& par1 = L"", const std::wstring& par2 = L"",
                       const std::wstring& par3 = L"") {
  SLogicAction a;
  a.Operation = op;
  a.Type = type;
  a.par1 = par1;
  a.par2 = par2;
  a.par3 = par3;
  return a;
}
inline SLogicAction Delayed(SLogicAction a, float time, float time2 = 0.0f) {
  a.time = time;
  a.time2 = time2;
  return a;
}
// Run Action with a chapter action name (no scene).
inline SLogicAction RunOp(const std::wstring& action, float time = 0.0f) { return Delayed(Op(4, 13, action), time); }
// Run End on a named scene: an observable record that names its text.
inline SLogicAction MarkOp(const std::wstring& mark) { return Op(4, 7, L"Hall", mark); }
inline SLogicCondition Cond(uint32_t code, uint32_t type, const std::wstring& par1 = L"", const std::wstring& par2 = L"",
                            int par_i1 = 0) {
  SLogicCondition c;
  c.Code = code;
  c.Type = type;
  c.par1 = par1;
  c.par2 = par2;
  c.par_i1 = par_i1;
  return c;
}
inline SLogicIf Block(std::vector<SLogicCondition> conditions, std::vector<SLogicAction> records, int ret = 1) {
  SLogicIf block;
  block.Conditions = std::move(conditions);
  block.Actions = std::move(records);
  block.Ret = ret;
  return block;
}

// A chapter over fake scenes "Hall" and "Study" (task count 1 each, one
// open chapter end), the sample game's sound list on a headless core, the
// game's globals at their start values.
class EpisodTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mCore = testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless);
    zorfile::CFileSystem* fs = mCore->GetFileSystem();
    fs->SetInstallFolder(testsupport::GameDir());
    testsupport::AddGameDataPaths(*fs);
    // The sound system reads through the program's file system.
    fs->InsertPath((testsupport::GameDir() / "DataLoc" / "Sounds").wstring(), zorfile::kKindSounds);
    zorfile::SetFileSystem(fs);
    // The sound system reads through the program's file system.
    fs->InsertPath((testsupport::GameDir() / "DataLoc" / "Sounds").wstring(), zorfile::kKindSounds);
    zorfile::SetFileSystem(fs);
    mPreviousCore = gGameCore;
    gGameCore = mCore.get();
    ASSERT_EQ(mCore->GetSound()->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", nullptr), 1);
    Platform::SeedRandom(7);
    Calls().clear();
    gCurrentPlayer = PlayerRecord();
    gLogic = &mLogic;
    mHall = AddLevel(L"Hall");
    mStudy = AddLevel(L"Study");
    SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
    info.mName = L"Ep";
    info.mValue = 1;
    info.mBackTasks[L"Hall"].mCount = 1;
    info.mBackTasks[L"Study"].mCount = 1;
  }
  void TearDown() override {
    mEpisod.reset();
    for (CBaseLevel* level : gLevels) delete level;
    gLevels.clear();
    for (auto& [name, rolik] : gRoliki) delete rolik;
    gRoliki.clear();
    for (CBaseMiniGame* game : gMiniGames) delete game;
    gMiniGames.clear();
    gCurrentRolik = nullptr;
    gLogic = nullptr;
    delete gPlayerList;
    gPlayerList = nullptr;
    gCurrentPlayer = PlayerRecord();
    gGameCore = mPreviousCore;
    zorfile::SetFileSystem(nullptr);
  }

  FakeLevel* AddLevel(const std::wstring& name) {
    auto* level = new FakeLevel(name);
    gLevels.push_back(level);
    return level;
  }
  FakeRolik* AddRolik(const std::wstring& name, int32_t loadResult = 1) {
    auto* rolik = new FakeRolik(name, loadResult);
    gRoliki[name] = rolik;
    return rolik;
  }
  FakeMiniGame* AddMiniGame(const std::wstring& name) {
    auto* game = new FakeMiniGame(name);
    gMiniGames.push_back(game);
    return game;
  }
  // A chapter action of the current player's progress.
  SLogicActionEntry& Action(const std::wstring& name, std::vector<SLogicAction> records = {},
                            std::vector<SLogicIf> blocks = {}, int ref = 1, int ret = 1) {
    SLogicActionEntry entry;
    entry.Name = name;
    entry.Ref = ref;
    entry.Ret = ret;
    entry.Actions = std::move(records);
    entry.Ifs = std::move(blocks);
    auto& actions = gCurrentPlayer.mEpisodInfo.mActions.Actions;
    actions[name] = entry;
    return actions[name];
  }
  // Set up and started, with "a_episod_start" opening the hall.
  CBaseEpisod& StartInHall() {
    Action(L"a_episod_start", {Op(1, 12, L"Hall")});
    mEpisod = std::make_unique<CBaseEpisod>();
    EXPECT_TRUE(mEpisod->Init());
    EXPECT_TRUE(mEpisod->Start());
    return *mEpisod;
  }
  // One frame as the logic drives it.
  int32_t Frame(float dt = 0.1f) {
    const int32_t result = mEpisod->Update(dt, nullptr);
    mEpisod->Render();
    return result;
  }
  // Frames until the state is the one asked for (at most n).
  void RunUntilState(int32_t state, int n = 100) {
    for (int i = 0; i < n && mEpisod->GetState() != state; ++i) Frame();
  }
  // The marks scene "Hall" was given by Run End records.
  std::vector<std::wstring> Marks() const {
    std::vector<std::wstring> marks;
    const std::wstring prefix = L"Hall.DecrementNamedCount(";
    for (const std::wstring& c : Calls())
      if (c.rfind(prefix, 0) == 0) marks.push_back(c.substr(prefix.size(), c.size() - prefix.size() - 1));
    return marks;
  }

  std::unique_ptr<rovovoz::CGameCore> mCore;
  rovovoz::CGameCore* mPreviousCore = nullptr;
  testsupport::LogCapture mLog;
  CLogic mLogic;
  FakeLevel* mHall = nullptr;
  FakeLevel* mStudy = nullptr;
  std::unique_ptr<CBaseEpisod> mEpisod;
};

}  // namespace episodtest
