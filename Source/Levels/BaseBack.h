#pragma once
// The base of every scene ("back") and of every close-up (region) inside a
// scene. A scene reads its main file and its companions into object
// entries with static models, trigger models and typed render objects,
// updates and draws them in two layers around the game panel, finds the
// entry under the mouse, glows and fades its objects, owns its sound
// managers and records every change of an object in the current player's
// saved state. A region has an owner (the scene it is opened in): its
// saved state is filed under the owner, and the region forms of a few
// operations ("...InRegion") are handed to the owner.
//
// Operations are spread over files by what they do:
//   BaseBack.cpp           life cycle, small queries and hooks, forwarding
//                          of the region forms to the owner scene
//   BaseBackLoad.cpp       the main file (entries, models, trigger models,
//                          Info groups) and the companions read for play;
//                          the developer word commands
//   BaseBackFactory.cpp    the object factory of the "_anim" companion
//   BaseBackEntries.cpp    entry lookups and per-object settings by name
//   BaseBackUpdate.cpp     per-frame update, picking, view transform,
//                          drawing in two layers around the panel
//   BaseBackEffects.cpp    glows, alpha fades, shades, overlay bursts
//   BaseBackClick.cpp      the hover ("mm_") and click ("mc_") chains, the
//                          panel cursor over zones, the hint search's tests
//   BaseBackFound.cpp      found items and complex-item pieces
//   BaseBackActions.cpp    the scene's rules on the shared action runner,
//                          condition tests, the delayed-record queue
//   BaseBackExecute.cpp    one action record dispatched by operation and
//                          target type
//   BaseBackRunStop.cpp    the executor's Run and Stop cases
//   BaseBackZones.cpp      interaction zones and the mode queue
//   BaseBackRequests.cpp   the chapter's requests on zone and complex items
//   BaseBackFindList.cpp   remaining counts, the find-item list, sparkle
//   BaseBackTips.cpp       tips, the hint pop-up (mode 12), pauses (mode 3),
//                          camera hold (mode 8), developer keys
//   BaseBackZoom.cpp       the camera zoom
//   BaseBackPaths.cpp      path objects and their moves (mode 7)
//   BaseBackStart.cpp      a visit's start, each mode's start and end, the
//                          item window and the mini-game frame per frame
//   BaseBackSound.cpp      the three sound managers, random sequences
//   BaseBackSaveState.cpp  the saved state in the player's record and the
//                          scene's task counters
//   BaseBackRecords.h      the small per-frame records (glows, fades, ...)
//   BaseBackLog.h          the scene framework's error lines
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/BaseObject.h"
#include "Engine/zormath/Math.h"
#include "Levels/BaseBackRecords.h"
#include "Levels/PathRecords.h"
#include "Levels/ObjectEntry.h"
#include "Levels/ZoneRecords.h"
#include "Logic/ActionRunner.h"
#include "Logic/LogicAction.h"
#include "SaveInfo/SBaseSaveInfo.h"

class TiXmlElement;
class CBaseEpisod;
class CBaseMiniGame;
class CHintMenu;
struct SComplexTaskInfo;
namespace rovovoz {
class CGameCore;
class CGUIForm;
class CParticleSystem;
class CGManagerAmbientSound;
class CGManagerSound;
class CMouseCursor;
}  // namespace rovovoz

// Splits text at any of the delimiter characters: runs of delimiters count
// as one, leading ones make no word, trailing ones one empty word.
void SplitString(const std::wstring& text, const std::wstring& delimiters, std::vector<std::wstring>& out);
// Drive, folder (with its separator), name and extension (with its dot) of
// a path; a null output skips its part.
void SplitPath(const std::wstring& path, std::wstring* drive, std::wstring* directory, std::wstring* name,
               std::wstring* extension);

// Developer hide mode (the word command "hide"): the scenes draw only the
// entries that are in play in a zone.
extern int gHideMode;

class CBaseBack : public rovovoz::CBaseObject {
 public:
  using ZoneMap = std::map<std::wstring, std::vector<SZoneObject>>;
  using ComplexZoneMap = std::map<std::wstring, std::vector<SZoneComplex>>;

  // Made with the game's engine core (gGameCore) and an empty form.
  CBaseBack();
  ~CBaseBack() override;
  CBaseBack(const CBaseBack&) = delete;
  CBaseBack& operator=(const CBaseBack&) = delete;

  // ---- engine operations ------------------------------------------------
  // Second stage of loading: the companions (once in the scene's life),
  // then Load(flags) on every model. 0 when the form or path file fails.
  int32_t Load(uint32_t flags) override;
  using rovovoz::CBaseObject::Load;
  // Playable scenes and regions draw and update; the base does nothing.
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  // Frees what the scene owns and empties its lists; the form, the file
  // names and the delayed actions stay. 0.
  int32_t Release(uint32_t flags = 0) override;
  // UnLoad(flags) of every model; the objects stay. 1.
  int32_t UnLoad(uint32_t flags) override;

  // ---- files (scene files, object factory) -------------------------------
  // Reads the main file into entries, models and trigger models. 1 / 0.
  virtual int32_t LoadFromXML(const std::wstring& file);
  // The object factory: typed objects from the "_anim" file. Always 1.
  virtual int32_t LoadObjects(const std::wstring& file, const std::wstring& renderFile);
  // The Info groups of a Level element. Always 1.
  virtual int32_t LoadInfo(const TiXmlElement* level);
  virtual int32_t LoadStaticObjects(const std::wstring& renderFile);
  virtual int32_t LoadTriangleObjects(const std::wstring& triggerFile);
  // The "_path" companion; always 1 (a scene without one is normal).
  virtual int32_t LoadPathObjects(const std::wstring& file);
  // The "_form" file: its children take over the entries of their models.
  virtual int32_t LoadFormObjects(const std::wstring& formFile, const std::wstring& renderFile,
                                  const std::wstring& triggerFile);
  // Every entry and its objects back to their start state.
  virtual void InitObjects();

  // ---- zones, saved state ------------------------------------------------
  // Every zone off (object groups, then complex groups, in key order).
  virtual void ResetAllZones();
  // Every zone in line with the episode progress; flag 0 (a reload) starts
  // no sparkle or effect and asks neither episode nor panel.
  virtual void UpdateAllZones(int flag);
  virtual void ResetZoneItem(const std::wstring& kind, const SZoneObject& item);
  virtual void ResetZone(const std::wstring& kind, std::vector<SZoneObject>& group);
  virtual void HandleZoneItem(const std::wstring& kind, const SZoneObject& item, int flag);
  virtual void UpdateZone(const std::wstring& kind, std::vector<SZoneObject>& group, int flag);
  virtual void ResetZoneItem2(const std::wstring& kind, const SZoneItem& piece);
  virtual void ResetZone2(const std::wstring& kind, std::vector<SZoneComplex>& group);
  virtual void ActivatePushItem(const std::wstring& kind, const SZoneItem& piece);
  virtual void UpdateZone2(const std::wstring& kind, std::vector<SZoneComplex>& group, int flag);
  // Whether the progress holds the piece of that entry as still in play.
  virtual bool QueryTaskItem(const std::wstring& kind, const std::wstring& complexName, int index);
  virtual bool HasZone2ItemByIndex(int index);
  // The first active piece of that entry (pieces not in play are not found).
  virtual bool FindZone2ItemByIndex(int index, std::vector<SZoneComplex>*& group, SZoneComplex*& item,
                                    SZoneItem*& piece);
  virtual bool HasZone2Item(const std::wstring& kind, const std::wstring& name);
  // Zone items by kind and name (first match); the outputs point into the
  // scene's zone maps.
  virtual bool FindZone2Item(const std::wstring& kind, const std::wstring& name, std::vector<SZoneComplex>*& group,
                             SZoneComplex*& item);
  virtual bool HasZoneItemByIndex(int index);
  virtual bool FindZoneItemByIndex(int index, std::vector<SZoneObject>*& group, SZoneObject*& item);
  virtual bool HasZoneItem(const std::wstring& kind, const std::wstring& name);
  virtual bool FindZoneItem(const std::wstring& kind, const std::wstring& name, std::vector<SZoneObject>*& group,
                            SZoneObject*& item);
  // Appends {piece number, 1, 0} for every piece of the complex item to the
  // task the episode registers.
  virtual void CollectZoneItems(const std::wstring& kind, SComplexTaskInfo& target);
  // Queues the item window (mode 6) for an item once; false when queued.
  virtual bool QueueModeName(const std::wstring& name);
  virtual bool HasEnabledZoneItem(const std::wstring& kind, const std::wstring& name);
  // Every "push" item into the inventory.
  virtual void RefreshPushZones();

  // ---- the episode's zone requests, complex items ----------------------------
  virtual void HandleModeRequest(const std::wstring& kind, const std::wstring& name, const std::wstring& text,
                                 int value);
  virtual void OnClickZone(const std::wstring& kind, const std::wstring& name);
  virtual void OnHogClick(const std::wstring& group, const std::wstring& item, const std::wstring& command,
                          int clickThrough);
  virtual void OnPushClick(const std::wstring& group, const std::wstring& item);
  virtual void CameraMoveSimple(const std::wstring& group, const std::wstring& item, int visible,
                                const std::wstring& command, int reload);
  virtual void CameraMoveComplex(const std::wstring& group, const std::wstring& item, int visible,
                                 const std::wstring& command, int reload);
  // Puts the current player's saved state of the scene onto its entries.
  virtual void ApplySaveInfo();
  virtual void ResetAlphaFades();

  // ---- actions ------------------------------------------------------------
  // Owner forwarding: the owner runs the action (0 without an owner).
  virtual int32_t DoActionInRegion(const std::wstring& region, const std::wstring& name, int mode,
                                   SLogicAction* record, int mask);
  // The name is being run now (exact compare).
  virtual bool IsActionRunning(const std::wstring& name) const;
  // Entry point of scene code; the base runs RunActionByName.
  virtual int32_t DoAction(const std::wstring& name, int mode, SLogicAction* record, int mask);
  // One record of an action on this scene: queued while its delay runs,
  // else carried out. Always 1.
  virtual int32_t ExecuteAction(SLogicAction& record, int mode, int randomize);
  // One conditional block; Ex: on the counted path (Ref tests only).
  virtual int32_t RunAction(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName, int32_t& out,
                            int mode, SLogicAction* record, int mask);
  virtual int32_t CheckCondition(const SLogicCondition& condition, const SLogicActionEntry& entry);
  virtual int32_t RunActionEx(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName,
                              int32_t& out, int mode, SLogicAction* record, int mask);
  virtual int32_t CheckConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry);
  // After an action: scene classes add code-driven behaviour; 0 fails it.
  virtual int32_t OnAction(const std::wstring& name, int mode);
  virtual int32_t ExtraHookA(int arg);
  // The base scene has no actions: false. The entry can change in place.
  virtual bool FindAction(const std::wstring& name, SLogicActionEntry*& entry);
  // Due delayed records run in countdown order; a flush runs all at once.
  virtual void UpdateDelayedActions(float dt);
  virtual void FlushDelayedActions();
  // The named action: 0 or 1. Mode 1 with a record asks whether the action
  // would run a record like it (fields by mask).
  virtual int32_t RunActionByName(const std::wstring& name, int mode, SLogicAction* record, int mask);
  static bool IsSameAction(const SLogicAction& record, const SLogicAction& query, int mask) {
    return ::IsSameAction(record, query, mask);
  }

  // ---- clicks -------------------------------------------------------------
  // Click results: bit 1 the entry is in a zone, bit 2 a chain was stopped.
  enum : int32_t { kClickInZone = 1, kClickStopped = 2 };
  // The hover and click chain of an entry (-1: nothing under the mouse).
  virtual int32_t OnClick(int index, int pressed, rovovoz::CMouseCursor* cursor);
  // Hover chain ("mm_"): 0 go on, 2 stopped. Kind "simple", "complex" or
  // empty; group and item empty outside a zone.
  virtual int32_t RunMmAction(int index, const std::wstring& kind, const std::wstring& group,
                              const std::wstring& item);
  // Click chain ("mc_"), ending in the found-item handlers.
  virtual int32_t RunMcAction(int index, const std::wstring& kind, const std::wstring& group,
                              const std::wstring& item);
  // Whether a click on the entry would be accepted now (nothing runs).
  virtual int32_t ClickSimpleComplex(int index, const std::wstring& kind, const std::wstring& group,
                                     const std::wstring& item, SLogicAction* record, int extra);
  virtual int32_t OnPushSimple(int index, int pressed);
  virtual int32_t OnPushComplex(int index, int pressed);
  virtual int32_t RunObjectActions(int index, int pressed);
  // The panel cursor over a simple zone item / a complex item.
  virtual void UpdatePanelCursor(const std::wstring& group, int index);
  virtual void ShowZoneCursor(const std::wstring& group);
  // The panel's hint marker at the entry's object.
  virtual void ShowHintAtObject(int index, rovovoz::CBaseGeometryObject* object, int slot);
  // Whether the name is one of the entry's click-road names ("mm_", "mc_",
  // "del_" with the entry, kind, group and item; any may be empty).
  virtual bool MatchObjectActionName(const std::wstring& name, const std::wstring& kind, const std::wstring& group,
                                     const std::wstring& item, const std::wstring& entryName);

  // ---- found items and complex pieces -----------------------------------------
  // 2 when a delete action stopped the click, else 0.
  virtual int32_t ClickObject(int index, const std::wstring& group, const std::wstring& item);
  virtual int32_t ClickPiece(int index, const std::wstring& group, const std::wstring& item);
  // Test twins: 1 when the click would be accepted, 0 not.
  virtual int32_t ClickZoneItem(int index, const std::wstring& group, const std::wstring& item,
                                SLogicAction* record, int extra);
  virtual int32_t ClickPieceItem(int index, const std::wstring& group, const std::wstring& item,
                                 SLogicAction* record, int extra);

  // ---- per frame: update, picking, drawing --------------------------------
  // A particle emitter of the overlay system over the entry's object.
  virtual void CreateOverlayParticles(int index);
  // Updates every entry and hands the entry under the mouse to OnClick;
  // returns the form's update result.
  virtual int32_t UpdateEntries(float dt, rovovoz::CMouseCursor* cursor, int noPick);
  virtual void UpdateObjects(float dt);
  virtual void ApplyViewToObjects();
  // pass 0 before the game panel, 1 after it.
  virtual void RenderObjects(int pass);
  virtual void DrawObject(SObjectEntry& entry, int pass);
  virtual void RenderObject(SObjectEntry& entry);

  // ---- per-object settings by name ---------------------------------------
  virtual void SetObjectParamA(const std::wstring& name, int value);
  virtual void SetObjectParamB(const std::wstring& name, int value);
  virtual void ApplyObjectRender2D(int value);
  virtual void SetObjectsRender2D(int index, int value);
  virtual void SetObjectModelRender2D(const std::wstring& name, int value);
  virtual void SetAllObjectsAlpha(float alpha);
  // Entry index by model name / by trigger name, -1 when absent.
  virtual int GetObjectIndex(const std::wstring& name) const;
  virtual int GetObjectIndex2(const std::wstring& name) const;
  // The object of the entry of that model name (null when absent).
  virtual rovovoz::CBaseGeometryObject* GetObject(const std::wstring& name) const;
  virtual void SetObjectActive(const std::wstring& name, int value);
  virtual void SetObjectRotating(const std::wstring& name, int value);
  virtual void SetObjectParamC(const std::wstring& name, int value);

  // ---- alpha fades ------------------------------------------------------
  // "alpha+" / "alpha1+" / "alpha2+" fade in, "alpha-" / "alpha1-" /
  // "alpha2-" fade out; "_" and a number give the time in seconds.
  virtual void ApplyAlphaCommand(int index, const std::wstring& command);
  virtual void UpdateAlphaFades(float dt, float factor);

  // ---- saved state (the current player's record) -------------------------
  // The scene's saved-object set, made when absent; owned by the record.
  virtual SBaseSaveInfo& GetSaveInfo();
  virtual bool HasBackSaveState();
  virtual bool HasObjectSaveStateByName(const std::wstring& name);
  virtual bool HasObjectSaveState(int index);
  virtual bool SaveObjectRecord(const SObjectSaveInfo& record);
  virtual bool SaveObjectVisibleByName(const std::wstring& name, int value);
  virtual bool SaveObjectVisible(int index, int value);
  virtual bool SaveObjectStateByName(const std::wstring& name, int value);
  virtual bool SaveObjectState(int index, int value);
  virtual bool SaveObjectPositionByName(const std::wstring& name);
  virtual bool SaveObjectPositionAtByName(const std::wstring& name, float x, float y, float z);
  virtual bool SaveObjectPosition(int index);
  virtual bool SaveObjectPositionAt(int index, float x, float y, float z);
  virtual bool SaveObjectClickableByName(const std::wstring& name, int value);
  virtual bool SaveObjectClickable(int index, int value);
  virtual bool SaveObjectEnabledByName(const std::wstring& name, int value);
  virtual bool SaveObjectEnabled(int index, int value);
  virtual bool SaveObjectRender2DByName(const std::wstring& name, int value);
  virtual bool SaveObjectRender2D(int index, int value);
  virtual bool SaveObjectTopLayerByName(const std::wstring& name, int value);
  virtual bool SaveObjectTopLayer(int index, int value);
  virtual bool SaveObjectClickThroughByName(const std::wstring& name, int value);
  virtual bool SaveObjectClickThrough(int index, int value);
  virtual bool SaveObjectIntByName(const std::wstring& name, int value);
  virtual bool SaveObjectInt(int index, int value);
  virtual bool SaveObjectFloatByName(const std::wstring& name, float value);
  virtual bool SaveObjectFloat(int index, float value);
  // In: the record's name; out: the whole record.
  virtual bool GetSavedObjectRecord(SObjectSaveInfo& record);
  virtual bool GetSavedObjectVisibleByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectVisible(int index, int& value);
  virtual bool GetSavedObjectStateByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectState(int index, int& value);
  virtual bool GetSavedObjectPositionByName(const std::wstring& name, float& x, float& y, float& z);
  virtual bool GetSavedObjectPosition(int index, float& x, float& y, float& z);
  virtual bool GetSavedObjectClickableByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectClickable(int index, int& value);
  virtual bool GetSavedObjectEnabledByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectEnabled(int index, int& value);
  virtual bool GetSavedObjectRender2DByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectRender2D(int index, int& value);
  virtual bool GetSavedObjectTopLayerByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectTopLayer(int index, int& value);
  virtual bool GetSavedObjectClickThroughByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectClickThrough(int index, int& value);
  virtual bool GetSavedObjectIntByName(const std::wstring& name, int& value);
  virtual bool GetSavedObjectInt(int index, int& value);
  virtual bool GetSavedObjectFloatByName(const std::wstring& name, float& value);
  virtual bool GetSavedObjectFloat(int index, float& value);
  virtual void RemoveSavedObjectByName(const std::wstring& name);
  virtual void RemoveSavedObject(int index);
  virtual void ClearBackSaveState();
  virtual void ClearSavedObjectVisibleByName(const std::wstring& name);
  virtual void ClearSavedObjectVisible(int index);
  virtual void ClearSavedObjectStateByName(const std::wstring& name);
  virtual void ClearSavedObjectState(int index);
  virtual void ClearSavedObjectPositionByName(const std::wstring& name);
  virtual void ClearSavedObjectPosition(int index);
  virtual void ClearSavedObjectClickableByName(const std::wstring& name);
  virtual void ClearSavedObjectClickable(int index);
  virtual void ClearSavedObjectEnabledByName(const std::wstring& name);
  virtual void ClearSavedObjectEnabled(int index);
  virtual void ClearSavedObjectRender2DByName(const std::wstring& name);
  virtual void ClearSavedObjectRender2D(int index);
  virtual void ClearSavedObjectTopLayerByName(const std::wstring& name);
  virtual void ClearSavedObjectTopLayer(int index);
  virtual void ClearSavedObjectClickThroughByName(const std::wstring& name);
  virtual void ClearSavedObjectClickThrough(int index);
  virtual void ClearSavedObjectIntByName(const std::wstring& name);
  virtual void ClearSavedObjectInt(int index);
  virtual void ClearSavedObjectFloatByName(const std::wstring& name);
  virtual void ClearSavedObjectFloat(int index);

  // ---- mode queue ---------------------------------------------------------
  // Appends a mode; it starts at once on an empty queue.
  virtual void PushMode(int mode, int arg);
  // Ends the front mode, removes it and starts the next (nothing when empty).
  virtual void PopMode(int arg);
  // Start and end handlers of the front mode (arg non-zero: a drain).
  virtual void HandleStartEnd(int drain);
  virtual void CloseItemMenuAndMiniGame(int drain);
  // Per-frame drivers of the item window (mode 6) and the mini-game (mode 1).
  virtual void UpdateItemMenu(float dt, rovovoz::CMouseCursor* cursor);
  virtual void CloseMiniGameKeys(float dt, rovovoz::CMouseCursor* cursor);
  virtual void RenderMiniGame();
  virtual void EndMiniGame(const std::wstring& name);
  virtual bool OnRegionEvent(const std::wstring& kind, const std::wstring& name, std::vector<int32_t>& out,
                             int value, const std::wstring& extra);
  // A chapter takes the scene: the per-visit state is reset. 1.
  virtual int32_t LoadBack(CBaseEpisod* episod, CBaseBack* owner);
  // The same without touching the sound sequences. 1.
  virtual int32_t AttachToEpisod(CBaseEpisod* episod, CBaseBack* owner);
  // A visit starts: flags 1 run the start actions, 4 move entries of
  // layer 0 after the game panel. 1.
  virtual int32_t StartBack(uint32_t flags);
  // Queues a pause (mode 3): the action runs after the time.
  void QueueTimedMessage(const std::wstring& action, float seconds);
  // Queues a zoom (mode 2).
  void QueueZoomRequest(const SZoomRequest& request);

  // ---- camera zoom ------------------------------------------------------------
  virtual bool StartZoom(float x, float y, float z, float viewScale, float overlayScale, float speed,
                         int drawOverlay);
  virtual bool ZoomToObject(const std::wstring& name, float viewScale, float overlayScale, float speed,
                            int drawOverlay);
  virtual bool EndZoom();
  virtual void UpdateZoom(float dt, int force);
  virtual void ApplyZoomView(float x, float y, float z);
  virtual void RenderZoom();
  virtual void ApplyZoomToObjects();
  const SZoom& GetZoom() const { return mZoom; }

  // ---- path objects -------------------------------------------------------------
  // 1 when the path object exists; queued starts wait for mode 7.
  virtual int32_t StartPathObject(const std::wstring& name, const std::wstring& endAction, int queued);
  // 1 when an unqueued move of that name was stopped.
  virtual int32_t StopPathObject(const std::wstring& name, int runEndAction);
  // Brings at most one move to its end (unqueued ones only when asked).
  virtual void PathObjectToEnd(int includeUnqueued);
  virtual void UpdatePathObjects(float dt);

  // ---- find items -----------------------------------------------------------
  // Alpha of every object of the find-item list.
  virtual void SetFindItemsAlpha(float alpha);
  virtual void ReapplyObjectView(const std::wstring& name);
  // Adds a record once and puts its objects at alpha 0 ("simple",
  // "complex", "object").
  virtual void AddFindItems(const std::wstring& listKind, const std::wstring& zoneKind, const std::wstring& name);
  virtual void AddFindObjectItems(const std::wstring& prefix, int first, int last);
  // Empties the find-item list.
  virtual void AddFindComplexItems();
  // A sparkle (kind 0 or 1) over the entry's trigger model, once per kind.
  virtual void ShowFindSparkle(int index, int kind);
  // Items still in play: find ("find", "free", "hog"), hidden objects,
  // pick-ups ("push", "spush") and mouse zones.
  virtual int32_t UpdateFindList(int flag);
  virtual int32_t UpdateHogList();
  virtual int32_t UpdatePushList();
  virtual int32_t UpdateMouseList();
  virtual void RenderModeOverlay();
  // Entry indices of prefix + n for n from first to last (a first below 0
  // counts as 1, a last not above the first as 1000); missing names skipped.
  virtual void MergeItemList(const std::wstring& prefix, int first, int last, std::vector<int32_t>& out);

  // ---- overlay bursts, object effects -------------------------------------
  virtual void StopObjectOverlay(int key, float value);
  virtual void UpdateOverlayObject(float dt);
  virtual void OnHogHover(int arg);
  virtual void AddObjectEffect(int key, int target);
  virtual void RemoveObjectEffect(int key);
  virtual void EndAllObjectEffects();
  virtual void ResetObjectEffect(int key);
  virtual void EndObjectEffect(int key);
  virtual void UpdateObjectEffects(float dt);
  virtual void RenderObjectEffects(rovovoz::CBaseGeometryObject* object);
  virtual void SetEffectsAlpha(float alpha);

  // ---- tips ---------------------------------------------------------------
  // Per frame: the pause of mode 3.
  virtual void UpdateTimedMessages(float dt);
  virtual void ShowGameTip(const std::wstring& key);
  virtual void ShowTip(const std::wstring& key, const std::wstring& section);
  virtual void ShowTipText(const std::wstring& text);
  virtual void ShowItemTip(const std::wstring& item);
  // F1 held with End / H / numeric-pad 0: "find", "hide", "win".
  virtual bool DebugKeys(std::wstring& command);
  virtual int32_t OnDebugCommand(const std::wstring& command);
  virtual void ProcessDebugKeys();
  // Per frame while mode 8 is at the front: the camera hold.
  virtual void UpdateCountdown(float dt);
  // The hint pop-up (mode 12).
  virtual int32_t ShowHint(const std::wstring& key);
  virtual void OnHintClosed(const std::wstring& key);
  virtual void CloseHintMenu();
  virtual void UpdateHintMenu(float dt, rovovoz::CMouseCursor* cursor);
  virtual void RenderHintMenu();
  virtual bool IsHintMode() const;
  virtual bool IsClickTakenByHint(rovovoz::CMouseCursor* cursor);
  void SetHintMenu(CHintMenu* menu) { mHintMenu = menu; }
  // Starts the camera hold of mode 8 (waits for the zoom, holds, zooms back).
  void StartCountdown() { mCountdownState = 1; }

  // ---- shades -------------------------------------------------------------
  virtual void FadeInShade(float alpha);
  virtual void FadeOutShade(float value);
  virtual void UpdateShade(float dt);
  virtual void RenderShade();
  virtual void FadeInShade2();
  virtual void FadeOutShade2();
  virtual void UpdateShade2(float dt);
  virtual void RenderShade2();

  // ---- developer commands -------------------------------------------------
  // "hide", "find", "form" (first word, any case): 1 when it was one of them
  // ("form" answers 0, as a command the scene classes may add to).
  virtual int32_t HandleWordCommand(const std::vector<std::wstring>& words);
  virtual int32_t FinishPending();
  virtual int32_t ExtraHookB(int arg);

  // ---- life cycle -----------------------------------------------------------
  // First stage of loading: the main file and the three sound managers.
  virtual int32_t InitBack(const std::wstring& file);
  virtual int32_t ReInitForm();
  virtual int32_t ReapplyState(int arg);
  virtual std::wstring GetBackName() const;
  virtual int32_t RunActionByNameInRegion(const std::wstring& region, const std::wstring& name, int mode,
                                          SLogicAction* record, int mask);
  // 1 when the scene's script has an action of that name (a playable scene
  // also asks its close-ups); the chapter asks it when it looks for a mark.
  virtual int32_t HasAction(const std::wstring& name);

  // ---- per-object operations that record, with their owner forwards --------
  virtual void SetObjectRotating2InRegion(const std::wstring& region, const std::wstring& name, int value);
  virtual void SetObjectRotating2(const std::wstring& name, int value);
  virtual void SetObjectRender2DInRegion(const std::wstring& region, const std::wstring& name, int value);
  virtual void SetObjectRender2D(const std::wstring& name, int value);
  virtual void SetObjectTopLayerInRegion(const std::wstring& region, const std::wstring& name, int value);
  virtual void SetObjectTopLayer(const std::wstring& name, int value);
  virtual void ShowObjectInRegion(const std::wstring& region, const std::wstring& name, int visible,
                                  const std::wstring& command, int reload);
  virtual void ShowObject(const std::wstring& name, int visible, const std::wstring& command, int reload);
  virtual void SetObjectClickableInRegion(const std::wstring& region, const std::wstring& name, int value);
  virtual void SetObjectClickable(const std::wstring& name, int value);
  virtual void ShowObjectGroupInRegion(const std::wstring& region, const std::wstring& prefix, int visible,
                                       const std::wstring& command, int reload, int first, int last);
  virtual void ShowObjectGroup(const std::wstring& prefix, int visible, const std::wstring& command, int reload,
                               int first, int last);
  virtual void SetObjectGroupClickableInRegion(const std::wstring& region, const std::wstring& prefix, int value,
                                               int first, int last);
  virtual void SetObjectGroupClickable(const std::wstring& prefix, int value, int first, int last);
  virtual bool IsObjectRotatingInRegion(const std::wstring& region, const std::wstring& name);
  virtual bool IsObjectRotating(const std::wstring& name);
  virtual bool IsObjectActiveInRegion(const std::wstring& region, const std::wstring& name);
  virtual bool IsObjectActive(const std::wstring& name);
  virtual bool IsObjectParamCSetInRegion(const std::wstring& region, const std::wstring& name);
  virtual bool IsObjectParamCSet(const std::wstring& name);
  virtual bool IsObjectRotating2(const std::wstring& name);
  virtual void SetObjectRotating3(const std::wstring& name, int value);

  // ---- queries and hooks ----------------------------------------------------
  virtual bool IsRecordListEmpty() const;
  // Task counters of the scene in the current episode's progress (a region
  // counts in its owner under its own name).
  virtual void DecrementNamedCount2(const std::wstring& name);
  virtual void DecrementBackCount2();
  virtual void DecrementNamedCount(const std::wstring& name);
  virtual void DecrementBackCount();
  virtual bool IsIdle() const;
  virtual int32_t ExtraQuery();
  virtual int32_t HasActiveObjects();
  virtual bool IsInputEnabled() const;
  // Whether the scene draws the object held on the cursor itself at that
  // point (a puzzle drawing its own marks there); the panel then leaves it
  // out. False in the base.
  virtual bool QueryMark(const std::wstring& name, const zormath::Vec3f& point);
  virtual void OnPickItem(const std::wstring& item);
  virtual int32_t CloseRegion(int arg);
  // Erase the saved state filed under the scene's own name.
  virtual void ResetSaveState(int arg);
  virtual void ResetSaveState2(int arg);

  // ---- sounds ---------------------------------------------------------------
  virtual void UpdateSoundSequence(float dt);
  virtual void UpdateMusic(float dt);
  virtual void UpdateSounds(float dt);
  virtual void PlaySound(const std::wstring& name, float volume, float fadeIn, int flag);
  virtual void PlayAmbientSound(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3);
  virtual void PlayMusic(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3);
  virtual void SoundCallA2();
  virtual void SoundCallB2();
  virtual void StopAmbientSound(const std::wstring& name, float time);
  virtual void StopMusic(const std::wstring& name, float time);
  virtual void PauseAllEffects();
  virtual void ResumeAllEffects();
  virtual void StopAllEffects();
  virtual void SoundCallA4();
  virtual void SoundCallA5();
  virtual void ResumeAmbientSounds();
  virtual void ResumeMusic();
  virtual void PauseAmbientSounds();
  virtual void PauseMusic();
  // Silences the scene at once and ends its running mini-game.
  virtual void QuietBack();
  virtual void UpdateBackSounds(float dt);
  // True when the mode queue's front is the item window (6).
  virtual bool GetFrontMode() const;

  // A sound sequence (stem, variant count, pause range); a name already in
  // the list is not added again.
  void AddSoundSequence(const std::wstring& name, int count, float minPause, float maxPause);

  // ---- plain access -------------------------------------------------------
  // The index must be below GetEntryCount().
  SObjectEntry& GetEntry(int index) { return mEntries[static_cast<size_t>(index)]; }
  const SObjectEntry& GetEntry(int index) const { return mEntries[static_cast<size_t>(index)]; }
  int GetEntryCount() const { return static_cast<int>(mEntries.size()); }
  bool IsEntryIndex(int index) const { return index >= 0 && index < GetEntryCount(); }
  // GetObject checked against the type T; a wrong type logs an error and
  // gives null.
  template <class T>
  T* GetObjectAs(const std::wstring& name) const {
    rovovoz::CBaseGeometryObject* object = GetObject(name);
    if (!object) return nullptr;
    T* typed = dynamic_cast<T*>(object);
    if (!typed) LogInvalidCast(name);
    return typed;
  }

  rovovoz::CGameCore* GetCore() const { return mCore; }
  CBaseBack* GetOwner() const { return mOwner; }
  const ZoneMap& GetZones() const { return mZones; }
  const ComplexZoneMap& GetComplexZones() const { return mComplexZones; }
  rovovoz::CGUIForm* GetForm() const { return mForm; }
  const std::wstring& GetFileRender() const { return mFileRender; }
  const std::wstring& GetFileTriangle() const { return mFileTriangle; }

  // ---- what the playable scene and the close-up override ----
  // Called for a simple hover on a close-up's zone item.
  virtual void Hook185(int index) { (void)index; }
  // Asked by the action runner before an action's blocks and before the
  // hook of a name the scene has no script for (a playable scene asks its
  // close-ups): kPeersGoOn to go on, else the action's answer.
  virtual int32_t RunPeerActions(const std::wstring& name, int mode, const SLogicAction* query, int mask) {
    (void)name, (void)mode, (void)query, (void)mask;
    return CActionRunner::kPeersGoOn;
  }

 protected:
  // The by-name setters and the numbered series share these once the entry
  // is found.
  void ShowEntry(int index, const std::wstring& name, int visible, const std::wstring& command, int reload);
  void SetEntryClickable(int index, int value);
  // Index by model name, else by trigger name; -1 when in neither.
  int FindEntryByEitherName(const std::wstring& name) const;
  // The names the player's record files this scene's state under.
  bool HasOwner() const { return mOwner != nullptr; }
  std::wstring OwnerName() const;
  void LogInvalidCast(const std::wstring& name) const;
  // The factory's last steps for an object that draws meshes of the render
  // file itself: those entries make no static model of their own, and lose
  // the one they have unless an element of the object file gave it them.
  void TakeOverModelNames(const std::vector<std::wstring>& names);
  // Alpha of an entry's object, when it has one.
  void SetEntryAlpha(int index, float alpha);
  // The found sequence: saved flags give way to the done state (3).
  void MarkEntryFound(int index);
  // A close-up's find counts down in its owner scene.
  void CountRegionFind();
  void PlayClickSound();
  // The executor's cases by operation.
  void ExecuteVisible(const SLogicAction& record);
  void ExecuteVisibleMask(const SLogicAction& record);
  void ExecuteObjectFlag(const SLogicAction& record);
  void ExecuteOpen(const SLogicAction& record);
  void ExecuteDelete(const SLogicAction& record);
  void ExecuteSetTextTips(const SLogicAction& record);
  void ExecuteAdd(const SLogicAction& record);
  void ExecuteCursor(const SLogicAction& record);
  void ExecuteRun(const SLogicAction& record, int mode);
  void ExecuteStop(const SLogicAction& record, int mode);
  void ExecuteCameraMove(const SLogicAction& record);
  int32_t UseCarriedObject(int index, const std::wstring& group, const std::wstring& item);

  CBaseEpisod* mEpisod = nullptr;
  CBaseBack* mOwner = nullptr;
  int32_t mBusy = 0;
  int32_t mNoPick = 0;
  std::vector<int32_t> mModes;
  std::vector<SObjectEntry> mEntries;
  std::map<std::wstring, int> mModelIndex;
  std::map<std::wstring, int> mTriggerIndex;
  ZoneMap mZones;
  ComplexZoneMap mComplexZones;
  zormath::Mat4f mViewMatrix;  // all zero until the scene starts
  std::vector<SObjectEffect> mObjectEffects;
  std::vector<SAlphaFade> mAlphaFades;
  std::vector<SOverlayBurst> mOverlayBursts;
  std::vector<SFindItem> mFindItems;
  std::vector<std::wstring> mItemWindowNames;
  std::vector<SSoundSequence> mSoundSequences;
  SShade mShade;
  SShade mShade2;
  rovovoz::CParticleSystem* mOverlay = nullptr;  // lent by the game panel
  CBaseMiniGame* mMiniGame = nullptr;            // not owned
  int32_t mDebugFind = 0;
  int32_t mHintTarget = -1;
  rovovoz::CGManagerAmbientSound* mAmbientSound = nullptr;
  rovovoz::CGManagerAmbientSound* mMusic = nullptr;
  rovovoz::CGManagerSound* mSounds = nullptr;
  std::vector<SLogicAction> mDelayedActions;
  int32_t mMainLoaded = 0;
  int32_t mObjectsLoaded = 0;
  std::wstring mFileName;
  std::wstring mFileRender;
  std::wstring mFileTriangle;
  rovovoz::CGUIForm* mForm = nullptr;
  int32_t mTipRequest = 0;
  std::vector<STimedMessage> mTimedMessages;
  std::vector<SZoomRequest> mZoomRequests;
  SZoom mZoom;
  rovovoz::CBaseGeometryObject* mDirka = nullptr;  // the panel's hole overlay
  int32_t mCountdownState = 0;
  float mCountdownTime = 0.0f;
  std::wstring mHintKey;
  CHintMenu* mHintMenu = nullptr;  // not owned
  std::vector<SPathObject> mPathObjects;
  std::vector<SRunningPath> mRunningPaths;
  std::vector<SPathRequest> mPathRequests;
  // Pending effects the playable scene's render polls.
  int32_t mHintBeamPending = 0;
  int32_t mMorphPending = 0;
  rovovoz::CGameCore* mCore = nullptr;

 private:
  // The companion of the main file with a suffix ("_anim", "_form", "_path").
  std::wstring CompanionFile(const wchar_t* suffix) const;
  // Forgets the objects the form's children lent to entries (the form is
  // about to go).
  void DropFormObjects();
  // Steps 1 to 4 of the per-visit reset shared by attach and start.
  void ResetVisit();
  void ResetAttach(CBaseEpisod* episod, CBaseBack* owner);
  // Start and end settings of a path's objects.
  void ApplyPathStart(SPathObject& path);
  void ApplyPathEnd(SPathObject& path);
  void StartFrontPathRequest();
  // Arms or disarms an entry of a zone item and records it.
  void PlaceEntryAgain(SObjectEntry& entry, bool reload);
  void SwitchOffEntry(int index, int state);
  // Places the zoom: the view clamp, the overlay, the translation.
  void ApplyZoomCentre();
  // The view matrix onto the objects (only those that follow the zoom when
  // asked), the overlay particles and the form.
  void ApplyViewMatrix(bool followersOnly);

  // What the scene plugs into the action runner.
  class CRunnerOwner : public CActionRunner::IOwner {
   public:
    explicit CRunnerOwner(CBaseBack& back) : mBack(back) {}
    bool FindActionEntry(const std::wstring& name, SLogicActionEntry*& entry) override;
    int32_t ExecuteRecord(SLogicAction& record, int mode, int randomize) override;
    int32_t RunActionHook(const std::wstring& name, int mode) override;
    int32_t TestCondition(const SLogicCondition& condition, const SLogicActionEntry& entry) override;
    int32_t TestConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry) override;
    std::wstring RunnerOwnerName() const override;
    int32_t RunPeers(const std::wstring& name, int mode, const SLogicAction* query, int mask) override {
      return mBack.RunPeerActions(name, mode, query, mask);
    }

   private:
    CBaseBack& mBack;
  };
  static CActionRunner::SRules SceneRunnerRules();
  CRunnerOwner mRunnerOwner{*this};
  CActionRunner mRunner{mRunnerOwner, SceneRunnerRules()};
};
