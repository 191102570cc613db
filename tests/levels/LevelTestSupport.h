#pragma once
// Helpers of the playable-scene suite: a scene and a close-up that record
// the calls whose order is the behaviour, a game panel and a chapter that
// record what the scene asks of them, and scopes for the globals a scene
// reads (panel, close-up frame, logic).
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "PlayerRecord.h"
#include "Regions/BaseRegion.h"
#include "scene/SceneRunSupport.h"
#include "scene/SceneTestSupport.h"

namespace leveltest {

using Log = std::vector<std::wstring>;

// A global pointer set for the length of a test.
template <class T>
class GlobalScope {
 public:
  GlobalScope(T*& global, T* value) : mGlobal(global), mSaved(global) { global = value; }
  ~GlobalScope() { mGlobal = mSaved; }
  GlobalScope(const GlobalScope&) = delete;
  GlobalScope& operator=(const GlobalScope&) = delete;

 private:
  T*& mGlobal;
  T* mSaved;
};

// A panel that records the calls a scene makes on it.
class CRecPanel : public CGamePanel {
 public:
  explicit CRecPanel(Log* log = nullptr) : CGamePanel(nullptr, nullptr), mLog(log) {}
  int32_t Update(float, rovovoz::CMouseCursor*) override {
    Note(L"panel.Update");
    return 0;
  }
  int32_t Render() override {
    Note(L"panel.Render");
    return 0;
  }
  void UpdateCursorObject() override { Note(L"panel.UpdateCursorObject"); }
  void SetCursorMode(int kind, rovovoz::CBaseGeometryObject* target,
                     rovovoz::CBaseGeometryObject* reference) override {
    cursorKind = kind;
    cursorTarget = target;
    cursorTrigger = reference;
  }
  std::wstring GetCursorName() override { return held; }
  bool HasCursorObject() override { return !held.empty(); }
  void DropCursorObject(int) override { ++drops; }
  bool IsMouseOverPanel(rovovoz::CMouseCursor*) override { return false; }
  void ShowHintOnItem(const std::wstring& name) override { items.push_back(name); }
  int RenderHintBeam(zormath::Mat4f) override { return 1; }

  int cursorKind = -1;
  rovovoz::CBaseGeometryObject* cursorTarget = nullptr;
  rovovoz::CBaseGeometryObject* cursorTrigger = nullptr;
  std::wstring held;
  int drops = 0;
  std::vector<std::wstring> items;

 private:
  void Note(const wchar_t* what) {
    if (mLog) mLog->push_back(what);
  }
  Log* mLog;
};

// A chapter that records what its scene asks of it.
class CRecEpisod : public CBaseEpisod {
 public:
  int32_t RunAction(const std::wstring& name, int, SLogicAction*, int) override {
    actions.push_back(name);
    return runResult;
  }
  void DeleteSimpleObject(const std::wstring& group, const std::wstring& name) override {
    deleted.push_back(group + L"/" + name);
  }
  bool IsEndingRequested() const override { return ending; }
  int32_t GetState() const override { return state; }
  std::vector<std::wstring> actions;
  std::vector<std::wstring> deleted;
  int32_t runResult = 1;
  bool ending = false;
  int32_t state = 1;
};

// A mini-game that is always in play.
class CIdleMiniGame : public CBaseMiniGame {
 public:
  CIdleMiniGame() : CBaseMiniGame(nullptr) { SetName(L"Puzzle"); }
};

// What both test scenes share: entries and zone items built in code, the
// click answers the test decides, and the hint beams and tips recorded.
template <class Base>
class CZoneBack : public Base {
 public:
  // An entry with a trigger model at the given depth (y).
  int AddEntry(const std::wstring& name, bool trigger = true, float y = 0.0f) {
    SObjectEntry entry;
    entry.mModelName = name;
    entry.mTriggerName = name;
    if (trigger) {
      entry.mTrigger = new rovovoz::CTriangleObject3D(nullptr);
      entry.mTrigger->SetPosition3D(0.0f, y, 0.0f);
    }
    this->mEntries.push_back(entry);
    const int index = static_cast<int>(this->mEntries.size()) - 1;
    this->mModelIndex[name] = index;
    this->mTriggerIndex[name] = index;
    return index;
  }
  int AddZoneItem(const std::wstring& group, const std::wstring& name, bool trigger = true, float y = 0.0f) {
    const int index = AddEntry(name, trigger, y);
    SZoneObject item;
    item.mName = name;
    item.ind = index;
    this->mZones[group].push_back(item);
    return index;
  }
  int32_t ClickSimpleComplex(int index, const std::wstring&, const std::wstring&, const std::wstring&,
                             SLogicAction* record, int) override {
    if (clickable.count(index)) return 1;
    return record && miniGameClicks.count(index) ? 1 : 0;
  }
  void ShowHintAtObject(int index, rovovoz::CBaseGeometryObject*, int beam) override {
    beams.push_back({index, beam});
  }
  void ShowTip(const std::wstring& key, const std::wstring&) override { tips.push_back(key); }

  std::set<int> clickable;
  std::set<int> miniGameClicks;
  std::vector<std::pair<int, int>> beams;
  std::vector<std::wstring> tips;
};

// A close-up whose update result, work counts and answers the test sets;
// every frame call is recorded.
class CTestRegion : public CZoneBack<CBaseRegion> {
 public:
  explicit CTestRegion(Log* log = nullptr, const std::wstring& name = L"Desk") : mLog(log) { SetName(name); }

  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override {
    Note(L"region.Update");
    if (forcedResult >= 0) return forcedResult;
    return CBaseRegion::Update(dt, cursor);
  }
  int32_t Render() override {
    Note(L"region.Render");
    return CBaseRegion::Render();
  }
  void RenderTop() override {
    Note(L"region.RenderTop");
    CBaseRegion::RenderTop();
  }
  bool IsMiniGameActive() const override { return miniGameActive; }
  int32_t UpdateFindList(int flag) override { return findCount >= 0 ? findCount : CBaseRegion::UpdateFindList(flag); }
  int32_t UpdatePushList() override { return pushCount >= 0 ? pushCount : CBaseRegion::UpdatePushList(); }
  int32_t UpdateMouseList() override { return mouseCount >= 0 ? mouseCount : CBaseRegion::UpdateMouseList(); }
  bool HasUsableZoneItems(const std::wstring& kind) override { return usable.count(kind) != 0; }
  int32_t OnAction(const std::wstring& name, int) override {
    actions.push_back(name);
    return hookResult;
  }

  using CBaseRegion::mModes;
  using CBaseRegion::mViewMatrix;

  int forcedResult = -1;
  bool miniGameActive = false;
  int findCount = -1;
  int pushCount = -1;
  int mouseCount = -1;
  std::set<std::wstring> usable;
  std::vector<std::wstring> actions;
  int32_t hookResult = 1;

 private:
  void Note(const wchar_t* what) {
    if (mLog) mLog->push_back(what);
  }
  Log* mLog;
};

// A playable scene whose actions are built in code, whose click answers,
// hint beams and tips are recorded, and whose frame steps are logged.
class CTestLevel : public CZoneBack<CBaseLevel> {
 public:
  explicit CTestLevel(Log* log = nullptr) : mLog(log) { SetName(L"Hall"); }

  // ---- set-up ----------------------------------------------------------
  void AddRegion(CBaseRegion* region) { mRegions[region->GetName()] = region; }
  void AddAction(const SLogicActionEntry& entry) { mActions[entry.Name] = entry; }

  // ---- recorded hooks --------------------------------------------------
  bool FindAction(const std::wstring& name, SLogicActionEntry*& entry) override {
    const auto found = mActions.find(name);
    if (found == mActions.end()) return false;
    entry = &found->second;
    return true;
  }
  int32_t OnAction(const std::wstring& name, int mode) override {
    if (mode == 0) actions.push_back(name);
    return 1;
  }
  // ---- logged frame steps ------------------------------------------------
#define LEVELTEST_LOG1(op, T1)           \
  void op(T1 a) override {               \
    Note(L## #op);                       \
    CBaseLevel::op(a);                   \
  }
#define LEVELTEST_LOG2(op, T1, T2)       \
  void op(T1 a, T2 b) override {         \
    Note(L## #op);                       \
    CBaseLevel::op(a, b);                \
  }
#define LEVELTEST_LOG0(op)               \
  void op() override {                   \
    Note(L## #op);                       \
    CBaseLevel::op();                    \
  }
  LEVELTEST_LOG0(ResetPanelCursor)
  LEVELTEST_LOG1(UpdateDelayedActions, float)
  LEVELTEST_LOG1(UpdateOverlayObject, float)
  LEVELTEST_LOG2(UpdateSceneEntries, float, rovovoz::CMouseCursor*)
  LEVELTEST_LOG2(UpdateLevel, float, rovovoz::CMouseCursor*)
  LEVELTEST_LOG2(UpdateZoom, float, int)
  LEVELTEST_LOG2(UpdateAlphaFades, float, float)
  LEVELTEST_LOG1(UpdateHook, float)
  LEVELTEST_LOG1(UpdateTimedMessages, float)
  LEVELTEST_LOG1(UpdatePathObjects, float)
  LEVELTEST_LOG1(UpdateShade, float)
  LEVELTEST_LOG2(UpdateRegion, float, rovovoz::CMouseCursor*)
  LEVELTEST_LOG1(UpdateCountdown, float)
  LEVELTEST_LOG1(UpdateShade2, float)
  LEVELTEST_LOG1(UpdateObjectEffects, float)
  LEVELTEST_LOG1(UpdateSoundSequence, float)
  LEVELTEST_LOG1(UpdateMusic, float)
  LEVELTEST_LOG1(UpdateSounds, float)
  LEVELTEST_LOG2(UpdateHintMenu, float, rovovoz::CMouseCursor*)
  LEVELTEST_LOG2(UpdateItemMenu, float, rovovoz::CMouseCursor*)
  LEVELTEST_LOG0(ProcessDebugKeys)
  LEVELTEST_LOG0(ClearPortalHighlights)
  LEVELTEST_LOG0(RenderShade)
  LEVELTEST_LOG0(RenderZoom)
  LEVELTEST_LOG0(RenderRegion)
  LEVELTEST_LOG0(RenderModeOverlay)
  LEVELTEST_LOG0(RenderRegionTop)
  LEVELTEST_LOG0(RenderHintMenu)
  LEVELTEST_LOG0(RenderShade2)
  LEVELTEST_LOG0(RenderTopLayer)
#undef LEVELTEST_LOG0
#undef LEVELTEST_LOG1
#undef LEVELTEST_LOG2
  // The mini-game frame is only recorded: the test's mini-game is not run.
  void CloseMiniGameKeys(float, rovovoz::CMouseCursor*) override { Note(L"CloseMiniGameKeys"); }
  void RenderMiniGame() override { Note(L"RenderMiniGame"); }
  void RenderObjects(int pass) override {
    Note(pass == 0 ? L"RenderObjects(0)" : L"RenderObjects(1)");
    CBaseLevel::RenderObjects(pass);
  }

  using CBaseLevel::mBusy;
  using CBaseLevel::mMiniGame;
  using CBaseLevel::mModes;
  using CBaseLevel::mOpenRegion;
  using CBaseLevel::mPendingRegion;
  using CBaseLevel::mVideoFade;
  using CBaseLevel::mViewMatrix;
  using CBaseLevel::mZoom;
  void SetEpisod(CBaseEpisod* episod) { mEpisod = episod; }
  void SetHoveredItemForTest(const std::wstring& item) { mHoveredRegionItem = item; }

  std::vector<std::wstring> actions;

 private:
  void Note(const wchar_t* what) {
    if (mLog) mLog->push_back(what);
  }
  Log* mLog;
  SActionMap mActions;
};

// A script record that opens a close-up.
inline SLogicAction OpenRegionRecord(const std::wstring& region) {
  SLogicAction record;
  record.Operation = actioncodes::kOperationRun;
  record.Type = levelcodes::kTargetRegion;
  record.par1 = region;
  return record;
}

}  // namespace leveltest
