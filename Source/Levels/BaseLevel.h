#pragma once
// The playable scene: every scene of the scene list is one, or one of the
// scene classes derived from it. It adds to the scene framework the order
// in which a scene is updated and drawn each frame, the close-ups that open
// over it, the portals that lead to neighbouring scenes, its attach and
// start, its action runner that also asks the close-ups, and the hint
// search.
//
// Operations by file: BaseLevel.cpp (life cycle, attach, start, actions,
// mode queue), BaseLevelFrame.cpp (per-frame update and drawing, the
// cut-scene fade, the top layer), BaseLevelRegions.cpp (close-ups: opening,
// supervision, closing, the operations handed on to them),
// BaseLevelPortals.cpp and BaseLevelHint.cpp (hint search and the
// active-object query).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Levels/BaseBack.h"

class CBaseRegion;

// One enabled portal of a scene.
struct PortalRecord {
  int32_t highlighted = 0;  // the mouse is over it this frame
  int32_t entryIndex = -1;
  int32_t markerIndex = -1;  // its "TPOC_" marker entry, -1 none
};

// Script codes the playable scenes and close-ups look at.
namespace levelcodes {
constexpr uint32_t kOperationClose = 9;
constexpr uint32_t kTargetMiniGame = 4;
constexpr uint32_t kTargetRegion = 15;
}  // namespace levelcodes

// Front modes of the scene's mode queue this class drives.
enum : int {
  kModeMiniGame = 1,
  kModeRegionOpen = 4,
  kModeRegionClosing = 5,
  kModeItemWindow = 6,
  kModeCountdown = 8,
  kModeRegionDone = 11,
};

// The developer word "win": the mini-game that owns the back's frame ends
// as solved and leaves the mode queue. 1.
int32_t WinFrameMiniGame(CBaseBack& back, CBaseMiniGame*& miniGame);

class CBaseLevel : public CBaseBack {
 public:
  using RegionMap = std::map<std::wstring, CBaseRegion*>;

  CBaseLevel();
  ~CBaseLevel() override;

  // ---- engine operations ------------------------------------------------
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t Load(uint32_t flags) override;
  using CBaseBack::Load;
  int32_t UnLoad(uint32_t flags) override;

  // ---- the scene's own operations ------------------------------------------
  virtual void ZoneItemOp315(const std::wstring& group, const SZoneObject& item);
  virtual void UpdateSceneEntries(float dt, rovovoz::CMouseCursor* cursor);
  // Per-frame scene logic: the cut-scene fade and the level particles.
  virtual void UpdateLevel(float dt, rovovoz::CMouseCursor* cursor);
  // 1 when the named close-up became the open one.
  virtual int32_t OpenRegion(const std::wstring& name, int flag1, int flag2, int flag3);
  virtual void UpdateRegion(float dt, rovovoz::CMouseCursor* cursor);
  virtual void UpdateRegionSounds(float dt);
  virtual void RenderRegion();
  virtual void RenderRegionTop();
  virtual void ResetPanelCursor();
  // The cut-scene still playing over the scene, then the held object.
  virtual void RenderTopLayer();
  virtual void AddPortal(int index);
  virtual void RemovePortal(int index);
  virtual void HighlightPortal(int index);
  virtual void UpdateHook(float dt);
  virtual void ClearPortalHighlights();
  virtual int32_t RenderWithoutPanel();
  virtual int32_t RenderObjectsAndPanel();
  virtual int32_t UpdateFromEpisode(float dt, rovovoz::CMouseCursor* cursor);
  virtual int32_t UpdateNoPick(float dt, rovovoz::CMouseCursor* cursor);
  virtual bool IsObjectParamCSetInAny(const std::wstring& name);
  // What the player should do next, pointed at with the hint beam: 1 shown,
  // 0 nothing (a general tip may show), -1 the way out of the scene; an
  // open close-up's own answer is handed back unchanged.
  virtual int32_t FindHintTarget(int queryOnly);
  virtual void OnEpisodeStarted();
  int32_t GetStartFlag() const { return mStartFlag; }
  void SetStartFlag(int value) { mStartFlag = value; }

  // ---- framework operations the playable scene takes over --------------------
  int32_t LoadInfo(const TiXmlElement* level) override;
  int32_t LoadBack(CBaseEpisod* episod, CBaseBack* owner) override;
  int32_t AttachToEpisod(CBaseEpisod* episod, CBaseBack* owner) override;
  int32_t StartBack(uint32_t flags) override;
  int32_t DoAction(const std::wstring& name, int mode, SLogicAction* record, int mask) override;
  bool FindAction(const std::wstring& name, SLogicActionEntry*& entry) override;
  int32_t RunPeerActions(const std::wstring& name, int mode, const SLogicAction* query, int mask) override;
  int32_t ExecuteAction(SLogicAction& record, int mode, int randomize) override;
  void PushMode(int mode, int arg) override;
  void HandleStartEnd(int drain) override;
  void CloseItemMenuAndMiniGame(int drain) override;
  void QuietBack() override;
  int32_t CloseRegion(int arg) override;
  bool OnRegionEvent(const std::wstring& group, const std::wstring& item, std::vector<int32_t>& out, int value,
                     const std::wstring& kind) override;
  int32_t RunMmAction(int index, const std::wstring& kind, const std::wstring& group,
                      const std::wstring& item) override;
  int32_t RunMcAction(int index, const std::wstring& kind, const std::wstring& group,
                      const std::wstring& item) override;
  void UpdatePanelCursor(const std::wstring& group, int index) override;
  void ResetZoneItem(const std::wstring& kind, const SZoneObject& item) override;
  void HandleModeRequest(const std::wstring& kind, const std::wstring& name, const std::wstring& text,
                         int value) override;
  void OnClickZone(const std::wstring& kind, const std::wstring& name) override;
  int32_t HasActiveObjects() override;

  // Operations that ask the open close-up first.
  bool QueueModeName(const std::wstring& name) override;
  bool IsIdle() const override;
  bool GetFrontMode() const override;
  bool IsInputEnabled() const override;
  void UpdateBackSounds(float dt) override;
  void PauseAllEffects() override;
  void ResumeAllEffects() override;
  void StopAllEffects() override;
  void SoundCallA4() override;
  void SoundCallA5() override;
  void ResumeAmbientSounds() override;
  void ResumeMusic() override;
  void PauseAmbientSounds() override;
  void PauseMusic() override;
  int32_t HandleWordCommand(const std::vector<std::wstring>& words) override;
  int32_t OnDebugCommand(const std::wstring& command) override;

  // Operations handed on to every close-up.
  int32_t ReInitForm() override;
  int32_t ReapplyState(int arg) override;
  void CollectZoneItems(const std::wstring& kind, SComplexTaskInfo& target) override;
  bool HasEnabledZoneItem(const std::wstring& kind, const std::wstring& name) override;
  int32_t UpdateFindList(int flag) override;
  int32_t UpdatePushList() override;
  int32_t UpdateMouseList() override;
  bool IsObjectRotating2(const std::wstring& name) override;
  void SetObjectRotating3(const std::wstring& name, int value) override;
  bool QueryMark(const std::wstring& name, const zormath::Vec3f& point) override;
  void OnPickItem(const std::wstring& item) override;
  void ResetSaveState(int arg) override;
  void ResetSaveState2(int arg) override;
  void RefreshPushZones() override;
  void OnHogClick(const std::wstring& group, const std::wstring& item, const std::wstring& command,
                  int clickThrough) override;
  void OnPushClick(const std::wstring& group, const std::wstring& item) override;
  void CameraMoveSimple(const std::wstring& group, const std::wstring& item, int visible, const std::wstring& command,
                        int reload) override;
  void CameraMoveComplex(const std::wstring& group, const std::wstring& item, int visible, const std::wstring& command,
                         int reload) override;
  int32_t HasAction(const std::wstring& name) override;

  // The owner operations that name a close-up: the named close-up runs the
  // operation, an empty name runs it on the scene, an unknown name nowhere.
  int32_t DoActionInRegion(const std::wstring& region, const std::wstring& name, int mode, SLogicAction* record,
                           int mask) override;
  int32_t RunActionByNameInRegion(const std::wstring& region, const std::wstring& name, int mode,
                                  SLogicAction* record, int mask) override;
  void SetObjectRotating2InRegion(const std::wstring& region, const std::wstring& name, int value) override;
  void SetObjectRender2DInRegion(const std::wstring& region, const std::wstring& name, int value) override;
  void SetObjectTopLayerInRegion(const std::wstring& region, const std::wstring& name, int value) override;
  void ShowObjectInRegion(const std::wstring& region, const std::wstring& name, int visible,
                          const std::wstring& command, int reload) override;
  void SetObjectClickableInRegion(const std::wstring& region, const std::wstring& name, int value) override;
  void ShowObjectGroupInRegion(const std::wstring& region, const std::wstring& prefix, int visible,
                               const std::wstring& command, int reload, int first, int last) override;
  void SetObjectGroupClickableInRegion(const std::wstring& region, const std::wstring& prefix, int value, int first,
                                       int last) override;
  bool IsObjectRotatingInRegion(const std::wstring& region, const std::wstring& name) override;
  bool IsObjectActiveInRegion(const std::wstring& region, const std::wstring& name) override;
  bool IsObjectParamCSetInRegion(const std::wstring& region, const std::wstring& name) override;

  // ---- plain access -------------------------------------------------------
  const RegionMap& GetRegions() const { return mRegions; }
  CBaseRegion* GetOpenRegion() const { return mOpenRegion; }
  const std::vector<PortalRecord>& GetPortals() const { return mPortals; }
  const std::map<int, int>& GetPortalMarkers() const { return mPortalMarkers; }
  float GetVideoFade() const { return mVideoFade; }
  int FrontMode() const { return mModes.empty() ? 0 : mModes.front(); }

 protected:
  bool FrontIsRegionMode() const;
  // The open close-up is done: its closing action runs on the scene.
  void RunCloseRegionAction();
  // The target of an owner operation: the scene for an empty name, the
  // named close-up, or null for a name the scene does not hold.
  CBaseBack* RegionTarget(const std::wstring& region);
  // Re-places an entry's objects with the scene's view matrix (objects of
  // the form file keep their place).
  void PlaceRequestedEntry(SObjectEntry& entry);

  RegionMap mRegions;
  CBaseRegion* mOpenRegion = nullptr;
  std::vector<PortalRecord> mPortals;
  std::map<int, int> mPortalMarkers;
  std::wstring mHoveredRegionItem;
  int32_t mStartFlag = 1;
  int32_t mPanelSuppressed = 0;
  float mVideoFade = 0.0f;
  rovovoz::CParticleSystem* mLevelParticlesA = nullptr;  // lent by the game panel
  rovovoz::CParticleSystem* mLevelParticlesB = nullptr;
  // The close-up a test run of an action would open.
  std::wstring mPendingRegion;
  // Set while DoAction runs: the action runner then asks the close-ups too.
  int32_t mAskRegions = 0;
};
