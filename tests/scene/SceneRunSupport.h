#pragma once
// A scene class for the action, zone, mode and visit suites: its actions
// are built in code, its record executor records what it is handed (and
// runs "Run Action"/"Run ActionE" records and queues delayed ones, as the
// real executor does), its after-action hook records the names it sees.
#include <string>
#include <vector>

#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "MiniGame/BaseMiniGame.h"

namespace scenetest {

// Building blocks of script actions.
inline SLogicAction Record(const std::wstring& par1, uint32_t op = 0, uint32_t type = 0, float time = 0.0f) {
  SLogicAction a;
  a.Operation = op;
  a.Type = type;
  a.par1 = par1;
  a.time = time;
  return a;
}
// A record that runs another action of the same scene.
inline SLogicAction RunRecord(const std::wstring& action, float time = 0.0f) {
  return Record(action, actioncodes::kOperationRun, actioncodes::kTargetActionE, time);
}
inline SLogicCondition Condition(uint32_t code, uint32_t type, const std::wstring& par1 = L"", int par_i1 = 0) {
  SLogicCondition c;
  c.Code = code;
  c.Type = type;
  c.par1 = par1;
  c.par_i1 = par_i1;
  return c;
}
inline SLogicIf Block(std::vector<SLogicCondition> conditions, std::vector<SLogicAction> records, int ret) {
  SLogicIf block;
  block.Conditions = std::move(conditions);
  block.Actions = std::move(records);
  block.Ret = ret;
  return block;
}
inline SLogicActionEntry Action(const std::wstring& name, std::vector<SLogicAction> records = {},
                                std::vector<SLogicIf> blocks = {}, int ref = 1, int ret = 1) {
  SLogicActionEntry entry;
  entry.Name = name;
  entry.Ref = ref;
  entry.Ret = ret;
  entry.Ifs = std::move(blocks);
  entry.Actions = std::move(records);
  return entry;
}

struct SExecuted {
  std::wstring par1;
  int mode;
  float countdown;
  bool operator==(const SExecuted&) const = default;
};

class CRunBack : public CBaseBack {
 public:
  void Add(const SLogicActionEntry& entry) { actions[entry.Name] = entry; }

  bool FindAction(const std::wstring& name, SLogicActionEntry*& entry) override {
    const auto found = actions.find(name);
    if (found == actions.end()) return false;
    entry = &found->second;
    return true;
  }
  int32_t ExecuteAction(SLogicAction& record, int mode, int) override {
    executed.push_back({record.par1, mode, record.Countdown});
    running.push_back(runningNow());
    // A delayed record waits in the queue, as the executor leaves it.
    if (record.time > 0.0f && mode == 0) {
      SLogicAction queued = record;
      queued.Countdown = record.time;
      queued.time = 0.0f;
      mDelayedActions.push_back(queued);
      return 1;
    }
    if (record.Operation == actioncodes::kOperationRun && record.Type == actioncodes::kTargetActionE)
      inner.push_back(RunActionByName(record.par1, mode, nullptr, kActionMaskAll));
    return 1;
  }
  int32_t OnAction(const std::wstring& name, int mode) override {
    hooks.push_back(name);
    (void)mode;
    return hookResult;
  }
  // The names being run now, joined by "|".
  std::wstring runningNow() const {
    std::wstring out;
    for (const std::wstring& name : probeNames)
      if (IsActionRunning(name)) out += (out.empty() ? L"" : L"|") + name;
    return out;
  }

  using CBaseBack::mAlphaFades;
  using CBaseBack::mBusy;
  using CBaseBack::mCountdownState;
  using CBaseBack::mDelayedActions;
  using CBaseBack::mDirka;
  using CBaseBack::mEpisod;
  using CBaseBack::mFindItems;
  using CBaseBack::mHintKey;
  using CBaseBack::mItemWindowNames;
  using CBaseBack::mMiniGame;
  using CBaseBack::mModes;
  using CBaseBack::mNoPick;
  using CBaseBack::mOverlay;
  using CBaseBack::mOverlayBursts;
  using CBaseBack::mObjectEffects;
  using CBaseBack::mPathObjects;
  using CBaseBack::mRunningPaths;
  using CBaseBack::mTimedMessages;
  using CBaseBack::mViewMatrix;
  using CBaseBack::mZoomRequests;
  void SetOwner(CBaseBack* owner) { mOwner = owner; }

  SActionMap actions;
  std::vector<SExecuted> executed;
  std::vector<std::wstring> running;
  std::vector<std::wstring> probeNames;
  std::vector<int32_t> inner;
  std::vector<std::wstring> hooks;
  int32_t hookResult = 1;
};

// A chapter that records what the scene asks of it.
class CRecordingEpisod : public CBaseEpisod {
 public:
  void SetStartedFlag() override { ++started; }
  void AddPredmet(const std::wstring& name, const std::wstring& text) override { items.push_back(name + L"/" + text); }
  int32_t RunAction(const std::wstring& name, int, SLogicAction*, int) override {
    actions.push_back(name);
    return 1;
  }
  std::vector<std::wstring> ShowHint(const std::wstring& name) override {
    hints.push_back(name);
    return {};
  }
  int started = 0;
  std::vector<std::wstring> items;
  std::vector<std::wstring> actions;
  std::vector<std::wstring> hints;
};

// A mini-game whose end the test decides.
class CTestMiniGame : public CBaseMiniGame {
 public:
  explicit CTestMiniGame(bool won) : CBaseMiniGame(nullptr), mWon(won) { SetName(L"Lock"); }
  bool IsWon() const override { return mWon; }
  int Start() override {
    ++starts;
    return 0;
  }
  int32_t UnLoad(uint32_t flags) override {
    unloads.push_back(flags);
    return 1;
  }
  // Solved and the window running, as UpdateWindow leaves a finished frame.
  void Solve() {
    mFinished = 1;
    mState = kStateRunning;
  }
  int starts = 0;
  std::vector<uint32_t> unloads;

 private:
  bool mWon;
};

// A panel with an item window the test drives.
class CTestPanel : public CGamePanel {
 public:
  CTestPanel() : CGamePanel(nullptr, nullptr) {}
  bool ShowPredmet(const std::wstring& item) override {
    shown.push_back(item);
    return true;
  }
  int UpdatePredmetMenu(float, rovovoz::CMouseCursor*) override { return menuResult; }
  void AddSimpleObject(const std::wstring& name, const std::wstring&, int, int) override { added.push_back(name); }
  void SetComplexHogList(const std::wstring& name) override { hogLists.push_back(name); }
  std::vector<std::wstring> shown;
  std::vector<std::wstring> added;
  std::vector<std::wstring> hogLists;
  int menuResult = 0;
};

// gGamePanel set for the length of a test.
class PanelScope {
 public:
  explicit PanelScope(CGamePanel* panel) : mSaved(gGamePanel) { gGamePanel = panel; }
  ~PanelScope() { gGamePanel = mSaved; }

 private:
  CGamePanel* mSaved;
};

}  // namespace scenetest
