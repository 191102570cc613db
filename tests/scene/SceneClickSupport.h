#pragma once
// Helpers of the click and executor suites: a scene that runs the real
// executor and click road and writes every action name it runs into one
// shared call log, a chapter and a game panel that write what they are
// asked into the same log, so that the order across all three shows.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "scene/SceneRunSupport.h"
#include "scene/SceneTestSupport.h"

namespace scenetest {

using CallLog = std::vector<std::wstring>;

// Answers of named actions (default 1: a name no action carries goes on).
using Answers = std::map<std::wstring, int32_t>;

class CClickBack : public CBaseBack {
 public:
  explicit CClickBack(CallLog& log) : mLog(log) {}

  int32_t RunActionByName(const std::wstring& name, int mode, SLogicAction* record, int mask) override {
    mLog.push_back((mode == 1 ? L"?" : L"") + name);
    const auto answer = answers.find(name);
    if (answer != answers.end()) return answer->second;
    return CBaseBack::RunActionByName(name, mode, record, mask);
  }
  bool FindAction(const std::wstring& name, SLogicActionEntry*& entry) override {
    const auto found = actions.find(name);
    if (found == actions.end()) return false;
    entry = &found->second;
    return true;
  }
  void PlaySound(const std::wstring& name, float volume, float fadeIn, int flag) override {
    mLog.push_back(L"sound:" + name);
    if (volume != 1.0f || fadeIn != 0.0f || flag != 1) mLog.push_back(L"PlaySound(" + F(volume) + L"," + F(fadeIn) + L"," + N(flag) + L")");
    CBaseBack::PlaySound(name, volume, fadeIn, flag);
  }
  void ShowItemTip(const std::wstring& item) override { mLog.push_back(L"itemtip:" + item); }
  void ShowGameTip(const std::wstring& key) override { mLog.push_back(L"gametip:" + key); }
  void ShowTip(const std::wstring& key, const std::wstring& section) override {
    mLog.push_back(L"tip:" + key + L"/" + section);
  }
  void OnHogHover(int index) override { mLog.push_back(L"hoghover:" + std::to_wstring(index)); }

  // The region forms, the zone items' Visible, paths and the sound
  // managers are written down as "name(args)".
  void Note(const std::wstring& what) { mLog.push_back(what); }
  static std::wstring N(int v) { return std::to_wstring(v); }
  static std::wstring F(float v) { return std::to_wstring(v).substr(0, 4); }
  void SetObjectClickableInRegion(const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetObjectClickableInRegion(" + r + L"," + o + L"," + N(v) + L")");
  }
  void ShowObjectInRegion(const std::wstring& r, const std::wstring& o, int v, const std::wstring& c,
                          int reload) override {
    Note(L"ShowObjectInRegion(" + r + L"," + o + L"," + N(v) + L"," + c + L"," + N(reload) + L")");
  }
  void SetObjectGroupClickableInRegion(const std::wstring& r, const std::wstring& p, int v, int first,
                                       int last) override {
    Note(L"SetObjectGroupClickableInRegion(" + r + L"," + p + L"," + N(v) + L"," + N(first) + L"," + N(last) + L")");
  }
  void ShowObjectGroupInRegion(const std::wstring& r, const std::wstring& p, int v, const std::wstring& c, int reload,
                               int first, int last) override {
    Note(L"ShowObjectGroupInRegion(" + r + L"," + p + L"," + N(v) + L"," + c + L"," + N(reload) + L"," + N(first) +
         L"," + N(last) + L")");
  }
  void SetObjectRotating2InRegion(const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetObjectRotating2InRegion(" + r + L"," + o + L"," + N(v) + L")");
  }
  void SetObjectRender2DInRegion(const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetObjectRender2DInRegion(" + r + L"," + o + L"," + N(v) + L")");
  }
  void SetObjectTopLayerInRegion(const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetObjectTopLayerInRegion(" + r + L"," + o + L"," + N(v) + L")");
  }
  int32_t RunActionByNameInRegion(const std::wstring& r, const std::wstring& name, int mode, SLogicAction*,
                                  int) override {
    Note(L"RunActionByNameInRegion(" + r + L"," + name + L"," + N(mode) + L")");
    return 1;
  }
  void CameraMoveSimple(const std::wstring& g, const std::wstring& i, int v, const std::wstring& c,
                        int reload) override {
    Note(L"CameraMoveSimple(" + g + L"," + i + L"," + N(v) + L"," + c + L"," + N(reload) + L")");
  }
  void CameraMoveComplex(const std::wstring& g, const std::wstring& i, int v, const std::wstring& c,
                         int reload) override {
    Note(L"CameraMoveComplex(" + g + L"," + i + L"," + N(v) + L"," + c + L"," + N(reload) + L")");
  }
  int32_t StartPathObject(const std::wstring& name, const std::wstring& end, int queued) override {
    Note(L"StartPathObject(" + name + L"," + end + L"," + N(queued) + L")");
    return 1;
  }
  int32_t StopPathObject(const std::wstring& name, int runEnd) override {
    Note(L"StopPathObject(" + name + L"," + N(runEnd) + L")");
    return 1;
  }
  void PlayAmbientSound(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3) override {
    Note(L"PlayAmbientSound(" + name + L"," + F(volume) + L"," + F(fadeIn) + L"," + N(flag) + L"," + F(f2) + L"," +
         F(f3) + L")");
  }
  void PlayMusic(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3) override {
    Note(L"PlayMusic(" + name + L"," + F(volume) + L"," + F(fadeIn) + L"," + N(flag) + L"," + F(f2) + L"," + F(f3) +
         L")");
  }
  void StopAmbientSound(const std::wstring& name, float time) override {
    Note(L"StopAmbientSound(" + name + L"," + F(time) + L")");
  }
  void StopMusic(const std::wstring& name, float time) override { Note(L"StopMusic(" + name + L"," + F(time) + L")"); }

  // Every zone item armed as the story would arm it: in play and clickable,
  // every complex piece in play.
  void ArmAll() {
    for (int i = 0; i < GetEntryCount(); ++i) {
      GetEntry(i).mState = 1;
      GetEntry(i).mClickable = 1;
      GetEntry(i).mActive = 1;
    }
    for (auto& [kind, items] : mComplexZones)
      for (SZoneComplex& item : items) item.mActivePieces = item.mPieces;
  }

  using CBaseBack::mAmbientSound;
  using CBaseBack::mComplexZones;
  using CBaseBack::mCountdownState;
  using CBaseBack::mDelayedActions;
  using CBaseBack::mEpisod;
  using CBaseBack::mHintBeamPending;
  using CBaseBack::mItemWindowNames;
  using CBaseBack::mMiniGame;
  using CBaseBack::mModes;
  using CBaseBack::mMorphPending;
  using CBaseBack::mMusic;
  using CBaseBack::mSoundSequences;
  using CBaseBack::mTimedMessages;
  using CBaseBack::mTipRequest;
  using CBaseBack::mViewMatrix;
  using CBaseBack::mZoom;
  using CBaseBack::mZoomRequests;
  void SetOwner(CBaseBack* owner) { mOwner = owner; }

  Answers answers;
  SActionMap actions;

 private:
  CallLog& mLog;
};

// A chapter that writes what the scene asks of it into the call log.
class CClickEpisod : public CBaseEpisod {
 public:
  explicit CClickEpisod(CallLog& log) : mLog(log) {}

  int32_t RunAction(const std::wstring& name, int mode, SLogicAction*, int) override {
    mLog.push_back((mode == 1 ? L"?" : L"") + name);
    const auto answer = answers.find(name);
    return answer == answers.end() ? 1 : answer->second;
  }
  void RecordFoundItem(const std::wstring& group, const std::wstring& item, int) override {
    mLog.push_back(L"found:" + group + L"/" + item);
  }
  void RecordItem(const std::wstring& item) override { mLog.push_back(L"item:" + item); }
  bool RecordFoundPiece(const std::wstring& group, const std::wstring& item, int piece,
                        rovovoz::CBaseGeometryObject*) override {
    mLog.push_back(L"piece:" + group + L"/" + item + L"/" + std::to_wstring(piece));
    return true;
  }
  bool AcceptFindPiece(const std::wstring&, const std::wstring&, int) override { return acceptFindPiece; }
  void AddPredmet(const std::wstring& name, const std::wstring& text) override {
    mLog.push_back(L"addpredmet:" + name + L"/" + text);
  }
  void SetStartedFlag() override {}

  // The chapter's side of the forwarding cases, written as "name(args)".
  void Note(const std::wstring& what) { mLog.push_back(what); }
  void AddSimpleObject(const std::wstring& g, const std::wstring& i, const std::wstring& key, const std::wstring& text,
                       int value) override {
    Note(L"AddSimpleObject(" + g + L"," + i + L"," + key + L"," + text + L"," + std::to_wstring(value) + L")");
  }
  void AddComplexObject(const std::wstring& g, const std::wstring& i, const std::wstring& key,
                        const std::wstring& text, int value) override {
    Note(L"AddComplexObject(" + g + L"," + i + L"," + key + L"," + text + L"," + std::to_wstring(value) + L")");
  }
  void DeleteSimpleObject(const std::wstring& g, const std::wstring& i) override {
    Note(L"DeleteSimpleObject(" + g + L"," + i + L")");
  }
  void DeleteComplexObject(const std::wstring& g, const std::wstring& i) override {
    Note(L"DeleteComplexObject(" + g + L"," + i + L")");
  }
  void SetSimpleTaskTips(const std::wstring& g, const std::wstring& i, const std::wstring& key) override {
    Note(L"SetSimpleTaskTips(" + g + L"," + i + L"," + key + L")");
  }
  void SetComplexTaskTips(const std::wstring& g, const std::wstring& i, const std::wstring& key) override {
    Note(L"SetComplexTaskTips(" + g + L"," + i + L"," + key + L")");
  }
  void SetPieceTaskTips(const std::wstring& g, const std::wstring& i, int n, const std::wstring& key) override {
    Note(L"SetPieceTaskTips(" + g + L"," + i + L"," + std::to_wstring(n) + L"," + key + L")");
  }
  bool SetBackObjectVisible(const std::wstring& s, const std::wstring& r, const std::wstring& o, int v,
                            const std::wstring& c, int reload) override {
    Note(L"SetBackObjectVisible(" + s + L"," + r + L"," + o + L"," + std::to_wstring(v) + L"," + c + L"," +
         std::to_wstring(reload) + L")");
    return true;
  }
  bool SetBackTriangleVisible(const std::wstring& s, const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetBackTriangleVisible(" + s + L"," + r + L"," + o + L"," + std::to_wstring(v) + L")");
    return true;
  }
  bool SetBackObjectMask(const std::wstring& s, const std::wstring& r, const std::wstring& p, int v,
                         const std::wstring& c, int reload, int first, int last) override {
    Note(L"SetBackObjectMask(" + s + L"," + r + L"," + p + L"," + std::to_wstring(v) + L"," + c + L"," +
         std::to_wstring(reload) + L"," + std::to_wstring(first) + L"," + std::to_wstring(last) + L")");
    return true;
  }
  bool SetBackTriangleMask(const std::wstring& s, const std::wstring& r, const std::wstring& p, int v, int first,
                           int last) override {
    Note(L"SetBackTriangleMask(" + s + L"," + r + L"," + p + L"," + std::to_wstring(v) + L"," + std::to_wstring(first) +
         L"," + std::to_wstring(last) + L")");
    return true;
  }
  bool SetBackObjectUpdate(const std::wstring& s, const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetBackObjectUpdate(" + s + L"," + r + L"," + o + L"," + std::to_wstring(v) + L")");
    return true;
  }
  bool SetBackObjectRender2D(const std::wstring& s, const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetBackObjectRender2D(" + s + L"," + r + L"," + o + L"," + std::to_wstring(v) + L")");
    return true;
  }
  bool SetBackObjectTopRender(const std::wstring& s, const std::wstring& r, const std::wstring& o, int v) override {
    Note(L"SetBackObjectTopRender(" + s + L"," + r + L"," + o + L"," + std::to_wstring(v) + L")");
    return true;
  }
  void MarkBackEnd(const std::wstring& s, const std::wstring& c) override {
    Note(L"MarkBackEnd(" + s + L"," + c + L")");
  }
  void MarkBackBegin(const std::wstring& s, const std::wstring& c) override {
    Note(L"MarkBackBegin(" + s + L"," + c + L")");
  }
  int32_t RunBackAction(const std::wstring& s, const std::wstring& r, const std::wstring& a, int mode, SLogicAction*,
                        int) override {
    Note(L"RunBackAction(" + s + L"," + r + L"," + a + L"," + std::to_wstring(mode) + L")");
    return 1;
  }
  int32_t RunBackActionE(const std::wstring& s, const std::wstring& r, const std::wstring& a, int mode, SLogicAction*,
                         int) override {
    Note(L"RunBackActionE(" + s + L"," + r + L"," + a + L"," + std::to_wstring(mode) + L")");
    return 1;
  }
  void StartRolik(std::wstring name, int flag) override {
    Note(L"StartRolik(" + name + L"," + std::to_wstring(flag) + L")");
  }
  void StartRandomMusic(const std::wstring* name, int flag) override {
    Note(L"StartRandomMusic(" + (name ? *name : L"-") + L"," + std::to_wstring(flag) + L")");
  }
  void StopRandomMusic(float fade) override { Note(L"StopRandomMusic(" + std::to_wstring(fade).substr(0, 3) + L")"); }

  Answers answers;
  bool acceptFindPiece = false;

 private:
  CallLog& mLog;
};

// A game panel with a cursor the test decides; what the scene asks of it
// goes into the call log.
class CClickPanel : public CGamePanel {
 public:
  explicit CClickPanel(CallLog& log) : CGamePanel(nullptr, nullptr), mLog(log) {}

  std::wstring GetCursorName() override { return carried; }
  bool IsCursorEmpty() override { return carried.empty(); }
  bool IsCursorName(const std::wstring& name) override { return carried == name; }
  void TakeToCursor(const std::wstring& name, rovovoz::CBaseGeometryObject* object) override {
    mLog.push_back(L"take:" + name + (object ? L"+object" : L""));
    carried = name;
  }
  void DropCursorObject(int mode) override {
    mLog.push_back(L"drop:" + std::to_wstring(mode));
    carried.clear();
  }
  void SetCursorMode(int kind, rovovoz::CBaseGeometryObject*, rovovoz::CBaseGeometryObject*) override {
    cursorKinds.push_back(kind);
  }
  void SetCursorModeByName(const std::wstring& kind, rovovoz::CBaseGeometryObject*,
                           rovovoz::CBaseGeometryObject*) override {
    mLog.push_back(L"cursorname:" + kind);
  }
  bool ShowPredmet(const std::wstring& item) override {
    mLog.push_back(L"window:" + item);
    return true;
  }
  int UpdatePredmetMenu(float, rovovoz::CMouseCursor*) override { return 0; }
  void AddSimpleObject(const std::wstring& name, const std::wstring& text, int, int) override {
    mLog.push_back(L"inventory:" + name + L"/" + text);
  }
  void DeleteSimpleObject(const std::wstring& name) override { mLog.push_back(L"uninventory:" + name); }
  void SetPanelMode(const std::wstring& type) override { mLog.push_back(L"panelmode:" + type); }
  void StartDnevnikEffect(int withSound) override { mLog.push_back(L"diary:" + std::to_wstring(withSound)); }
  void ShowHintAt(float, float, float, rovovoz::CBaseGeometryObject*, int slot) override {
    mLog.push_back(L"hintat:" + std::to_wstring(slot));
  }
  void AddGhostObject() override { mLog.push_back(L"ghost"); }
  void StartMorphEffect(float, float, float, rovovoz::CBaseGeometryObject*) override { mLog.push_back(L"morph"); }

  std::wstring carried;
  std::vector<int> cursorKinds;

 private:
  CallLog& mLog;
};

}  // namespace scenetest
