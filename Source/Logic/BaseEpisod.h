#pragma once
// One chapter of the story while it is played. The story logic creates it
// for a chapter's first step, sets it up from the current player's chapter
// progress (Init for a new chapter, InitScenes for one resumed from a saved
// game), starts it, updates and draws it every frame and reads the code its
// Update returns: 0 running, 1 finished, 2 wants the pause menu, 3 wants the
// extras over the game.
//
// The chapter switches between its scenes, a cut-scene and a mini-game with
// a screen fade, runs its action scripts on the shared action runner, keeps
// the timed actions, its three sound managers and its random music, and
// answers what scenes and the game panel ask of it.
//
// Operations are spread over files by what they do: BaseEpisod.cpp (life
// cycle, scene look-ups and forwards, panel requests), BaseEpisodStates.cpp
// (the state machine: start, change of state, update, render, fades,
// cut-scenes), BaseEpisodSetup.cpp (set-up, release, end test),
// BaseEpisodRun.cpp (named actions, conditions, recursion guard),
// BaseEpisodExecute.cpp (one action record), BaseEpisodTimed.cpp (delayed
// records), BaseEpisodComplex.cpp (tasks, items, complex items),
// BaseEpisodMusic.cpp (sound managers, random music),
// BaseEpisodHogList.cpp (the hidden-object list) and BaseEpisodTyped.cpp
// (typed words).
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Logic/ActionRunner.h"
#include "Logic/LogicAction.h"

class CBaseBack;
class CBaseLevel;
class CBaseMiniGame;
class CBaseRolik;
namespace rovovoz {
class CBaseGeometryObject;
class CGManagerAmbientSound;
class CGManagerSound;
class CMouseCursor;
class CStaticObject3D;
}  // namespace rovovoz

// One item of a complex hidden-object set as the game panel shows it: its
// row (1-based, 0 when not listed), its text, the pieces still to find and
// the fade its row starts from.
struct SComplexHogItem {
  int Row = 0;
  std::wstring Name;
  std::vector<int> Pieces;
  float Alpha = 0.0f;
};

// One label of a hidden-object list while the chapter builds it: its place
// on the panel (1 .. gPanelSlotCount, 0 without a place), the item text,
// the pieces on the panel still to find (listed), the pieces waiting
// (found, or not yet given a place), and the fade its label starts from.
struct SHogListEntry {
  int Position = 0;
  std::wstring Name;
  std::vector<int> Listed;
  std::vector<int> Waiting;
  float Fade = 1.0f;
};

// The scene object of a hidden-object piece: "HK_" + task + "_" + the piece
// number in at least two digits.
std::wstring HogPieceObjectName(const std::wstring& task, int piece);

class CBaseEpisod {
 public:
  // Chapter states.
  enum : int32_t {
    kStateFinished = 0,
    kStateScene = 1,
    kStateSceneFadeIn = 2,
    kStateSceneFadeOut = 3,
    kStateVideo = 4,
    kStateMiniGame = 5,
    kStatePauseRequest = 6,
    kStateDiaryOpening = 7,
    kStateDiary = 8,
    kStateDiaryClosing = 9,
    kStateVideoFade = 10,
    kStateExtrasRequest = 11,
  };

  CBaseEpisod();
  virtual ~CBaseEpisod();
  CBaseEpisod(const CBaseEpisod&) = delete;
  CBaseEpisod& operator=(const CBaseEpisod&) = delete;

  // ---- scenes --------------------------------------------------------------
  // The first scene of the chapter's list whose name equals name, ignoring
  // case; null when none.
  virtual CBaseBack* FindBack(const std::wstring& name) const;
  CBaseBack* GetCurrentScene() const { return mCurrentScene; }
  CBaseBack* GetNextScene() const { return mNextScene; }
  const std::vector<CBaseBack*>& GetScenes() const { return mScenes; }
  // The current scene's action (no scene: 1); non-zero answers are 1.
  virtual int SceneDoAction(const std::wstring& name, int mode, SLogicAction* record, int mask);
  // Object operations of a named scene (or its close-up); false when the
  // name is empty or names no scene of the chapter.
  virtual bool SetBackObjectUpdate(const std::wstring& scene, const std::wstring& region, const std::wstring& object,
                                   int value);
  virtual bool SetBackObjectRender2D(const std::wstring& scene, const std::wstring& region,
                                     const std::wstring& object, int value);
  virtual bool SetBackObjectTopRender(const std::wstring& scene, const std::wstring& region,
                                      const std::wstring& object, int value);
  virtual bool SetBackObjectVisible(const std::wstring& scene, const std::wstring& region, const std::wstring& object,
                                    int value, const std::wstring& command, int value2);
  virtual bool SetBackTriangleVisible(const std::wstring& scene, const std::wstring& region,
                                      const std::wstring& object, int value);
  virtual bool SetBackObjectMask(const std::wstring& scene, const std::wstring& region, const std::wstring& prefix,
                                 int value, const std::wstring& command, int value2, int first, int last);
  virtual bool SetBackTriangleMask(const std::wstring& scene, const std::wstring& region, const std::wstring& prefix,
                                   int value, int first, int last);
  // Object tests in another scene (or its close-up); false without the scene.
  virtual bool IsSceneTriggerSet(const std::wstring& scene, const std::wstring& region, const std::wstring& object);
  virtual bool IsSceneObjectActive(const std::wstring& scene, const std::wstring& region, const std::wstring& object);
  virtual bool IsSceneObjectUpdated(const std::wstring& scene, const std::wstring& region,
                                    const std::wstring& object);
  // Begin and end marks of a named scene: its second and first task
  // counters of that name (its own count for an empty name) fall by one.
  virtual void MarkBackBegin(const std::wstring& scene, const std::wstring& mark);
  virtual void MarkBackEnd(const std::wstring& scene, const std::wstring& mark);
  // Every scene shows or hides a task object; only the current scene of a
  // playing chapter gets the "camera" option.
  virtual void CameraMoveSimple(const std::wstring& list, const std::wstring& object, int value,
                                const std::wstring& option, int value2);
  virtual void CameraMoveComplex(const std::wstring& list, const std::wstring& object, int value,
                                 const std::wstring& option, int value2);

  // ---- set-up and release ------------------------------------------------------
  // Set-up of a new chapter / of one resumed from the saved progress. False
  // when the chapter cannot be played (a scene refused, or it is complete).
  virtual bool Init();
  virtual bool InitScenes();
  // Every scene of the chapter has its first task count done.
  virtual bool IsEpisodEndReady();
  // IsEpisodEndReady, unless chapter ends are still open.
  virtual bool IsEpisodFinished();
  virtual void ReleaseSoundManagers();
  virtual bool HasMarkGroup(const std::wstring& name);
  virtual bool IsReplacementItem(const std::wstring& item);

  // ---- the state machine ---------------------------------------------------------
  // Runs "a_episod_start" and applies the state it asks for; the story
  // logic treats false as a failed start.
  virtual bool Start();
  // Applies the requested state; 1 when the state changed.
  virtual int32_t StartScene();
  // 0 running, 1 finished, 2 pause menu wanted, 3 extras wanted.
  virtual int32_t Update(float dt, rovovoz::CMouseCursor* cursor);
  virtual int32_t Render();
  virtual int32_t GetState() const { return mState; }
  int32_t GetNextState() const { return mNextState; }
  int32_t GetReturnState() const { return mReturnState; }
  bool IsSceneState() const { return mState == 1 || mState == 2 || mState == 3; }
  virtual bool IsEndingRequested() const { return mNextState == kStateSceneFadeOut; }
  // The chapter's clock alone while a menu covers it.
  virtual void Tick(float dt);
  // Leaves the scene, cut-scene or mini-game now on screen.
  virtual void UnLoadCurrent();
  // Brings the player's progress up to date before it is saved.
  virtual void PrepareSave();
  // The player leaves the story.
  virtual void Stop();
  virtual void Pause();
  virtual void Resume();
  // Plays the cut-scene of that name (dark non-zero: after the screen
  // darkens over the scene).
  virtual void StartRolik(std::wstring name, int dark);
  // The mini-game of that name becomes current and starts after the scene
  // fades out; 0 when there is none.
  virtual int StartMiniGame(const std::wstring& name);
  // The pause menu (state 6) and the guide (state 11) over the chapter,
  // which comes back to the state it left; the diary opening (state 7).
  virtual bool RequestMenu();
  virtual bool RequestGuide();
  virtual bool ReturnFromMenu();
  virtual void RequestDiary();

  // ---- fades --------------------------------------------------------------------------
  virtual void StartFadeClear(float speed);
  virtual void StartFadeDark(float speed);
  // 1 while a fade runs.
  virtual int UpdateFade(float dt);
  virtual void RenderFade();
  float GetFadeAlpha() const { return mFadeAlpha; }
  int GetFadeDirection() const { return mFadeDirection; }

  // ---- named actions -----------------------------------------------------------
  virtual bool IsActionRunning(const std::wstring& name) const;
  // The chapter's named action with its scenes; 0 stops a chain.
  virtual int32_t RunAction(const std::wstring& name, int mode, SLogicAction* record, int mask);
  // The same without the scenes, after a probe that must answer 1.
  virtual int32_t RunActionE(const std::wstring& name, int mode, SLogicAction* record, int mask);
  // Scene S (close-up R) runs the action; an empty S runs the chapter's own.
  virtual int32_t RunBackAction(const std::wstring& scene, const std::wstring& region, const std::wstring& name,
                                int mode, SLogicAction* record, int mask);
  virtual int32_t RunBackActionE(const std::wstring& scene, const std::wstring& region, const std::wstring& name,
                                 int mode, SLogicAction* record, int mask);
  virtual int32_t EvalIf(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName, int32_t& result,
                         int mode, SLogicAction* record, int mask);
  virtual int32_t EvalIfRef(SLogicIf& block, SLogicActionEntry& entry, const std::wstring& blockName,
                            int32_t& result, int mode, SLogicAction* record, int mask);
  virtual bool CheckCondition(const SLogicCondition& condition, const SLogicActionEntry& entry);
  virtual bool CheckConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry);
  // Called after an action has run; 0 fails it.
  virtual int32_t OnAction(const std::wstring& name, int mode);
  // One record of a chapter script, at once or queued; always 1.
  virtual int32_t ExecuteAction(SLogicAction& record, int mode, bool draw);
  // Delayed records: due ones run in countdown order; the flush runs
  // everything still queued before a save.
  virtual void UpdateDelayedActions(float dt);
  virtual void FlushDelayedActions();
  const std::vector<SLogicAction>& GetDelayedActions() const { return mDelayedActions; }

  // ---- tasks and items ----------------------------------------------------------
  virtual void AddSimpleObject(const std::wstring& list, const std::wstring& object, const std::wstring& keyTips,
                               const std::wstring& mode, int alwaysPick);
  virtual void AddComplexObject(const std::wstring& list, const std::wstring& object, const std::wstring& keyTips,
                                const std::wstring& option, int alwaysPick);
  virtual void DeleteSimpleObject(const std::wstring& list, const std::wstring& object);
  virtual void DeleteComplexObject(const std::wstring& list, const std::wstring& object);
  virtual void SetSimpleTaskTips(const std::wstring& list, const std::wstring& object, const std::wstring& key);
  virtual void SetComplexTaskTips(const std::wstring& list, const std::wstring& object, const std::wstring& key);
  virtual void SetPieceTaskTips(const std::wstring& list, const std::wstring& object, int piece,
                                const std::wstring& key);
  // Task states: visible 1 or 2, open 1, deleted 3.
  virtual bool IsSimpleTaskVisible(const std::wstring& group, const std::wstring& item);
  virtual bool IsComplexTaskVisible(const std::wstring& group, const std::wstring& item);
  virtual bool IsSimpleTaskOpen(const std::wstring& group, const std::wstring& item);
  virtual bool IsComplexTaskOpen(const std::wstring& group, const std::wstring& item);
  virtual bool IsSimpleTaskDeleted(const std::wstring& group, const std::wstring& item);
  virtual bool IsComplexTaskDeleted(const std::wstring& group, const std::wstring& item);
  // The complex task is shown and exactly count of its pieces are left.
  virtual bool IsPiecesLeftCount(const std::wstring& group, const std::wstring& item, int count);
  // Found items and pieces in the player's chapter progress.
  virtual void RecordFoundItem(const std::wstring& group, const std::wstring& item, int unused = 0);
  virtual bool RecordFoundPiece(const std::wstring& group, const std::wstring& item, int piece,
                                rovovoz::CBaseGeometryObject* model);
  // Records the item; "predmet_menu" re-queues the item window, any other
  // text (or none) puts the item into the inventory.
  virtual void AddPredmet(const std::wstring& name, const std::wstring& target);
  // The item's name into the player's name list (items the logic knows).
  virtual void RecordItem(const std::wstring& item);
  // The chapter's next update tells its current scene the story went on.
  virtual void MarkStarted();
  virtual void SetStartedFlag() { MarkStarted(); }
  virtual void ClearPanelItem(const std::wstring& name);

  // ---- hidden-object list ------------------------------------------------------
  virtual void BuildHogList(std::vector<SHogListEntry>& list, const std::wstring& task);
  virtual void ParkHogPieces(const std::wstring& task, std::vector<SHogListEntry> list);
  // BuildHogList for a scene that wants only its effects.
  virtual std::vector<std::wstring> ShowHint(const std::wstring& complexName);
  virtual void GetComplexHogItems(std::vector<SComplexHogItem>& out, const std::wstring& setName);

  // ---- typed words ------------------------------------------------------------------
  // A typed developer line; true when the chapter or its scene took it.
  virtual bool OpenHog(const std::vector<std::wstring>& words);

  // ---- sound managers, random music ----------------------------------------------
  virtual void UpdateAmbientSounds(float dt);
  virtual void UpdateMusic(float dt);
  virtual void UpdateEffects();
  virtual void PlayEpisodSound(const std::wstring& name, float volume, float fadeIn, bool flag);
  virtual void PlayAmbientSound(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3);
  virtual void PlayEpisodMusic(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3);
  virtual void StopAmbientSound(const std::wstring& name, float fade);
  virtual void StopEpisodMusic(const std::wstring& name, float fade);
  virtual void ResumeAmbientSounds();
  virtual void ResumeMusic();
  virtual void ReleaseMusic();
  virtual void QuietMusic();
  virtual void AddRandomMusic(const std::wstring& name, int flag);
  // name null: a random track among the flagged ones.
  virtual void StartRandomMusic(const std::wstring* name, int keepStopped);
  virtual void StopRandomMusic(float fade);
  virtual bool IsRandomMusicBusy(float dt);
  virtual void NextRandomMusic();
  virtual void FadeRandomMusic(float target, float duration);
  virtual void UpdateRandomMusic(float dt);
  int GetRandomMusicIndex() const { return mRandomIndex; }
  float GetRandomMusicVolume() const { return mMusicVolumeHeard; }
  float GetRandomMusicSilence() const { return mRandomSilence; }
  bool IsRandomMusicStopped() const { return mRandomStopped != 0; }
  rovovoz::CGManagerAmbientSound* GetMusicManager() const { return mMusic; }
  rovovoz::CGManagerAmbientSound* GetAmbientManager() const { return mAmbient; }
  rovovoz::CGManagerSound* GetEffectsManager() const { return mEffects; }

  // ---- what the game panel asks of the chapter ---------------------------------
  // Hands an action to the current scene; 0 when the scene reports failure.
  virtual int ForwardSceneAction(const std::wstring& name, int a, int b, int c);
  // A mode request for every scene of the chapter.
  virtual void RequestToBacks(const std::wstring& kind, const std::wstring& name, const std::wstring& extra, int a,
                              int b);
  virtual bool ClickHintButton();
  // The current scene's hint search (0 outside the play state).
  virtual int FindHint();
  // The current scene (or its open close-up) shows the item window; false
  // without a current scene.
  virtual bool IsSceneItemWindowMode();
  // The same question as the panel asks it: non-zero blocks the hint button.
  int GetSceneFrontMode() { return IsSceneItemWindowMode() ? 1 : 0; }
  virtual bool IsSceneInputEnabled();
  // Whether the current scene draws the held object itself at that point
  // (false outside the scene states).
  virtual bool QuerySceneMark(const std::wstring& name, const zormath::Vec3f& point);
  // For a panel action gpanel_mc..._a_b naming the item, the other name.
  virtual bool HasPanelMark(const std::wstring& name, std::wstring& other);
  virtual bool HasPanelName(const std::wstring& name);
  virtual void OnCursorObjectReleased(const std::wstring& name);
  virtual int QueryPredmet(const std::wstring& name);
  // The current scene's trigger test over it and its close-ups; true
  // without a scene.
  virtual bool IsObjectParamCSetInScene(const std::wstring& name);
  virtual bool IsHogObjectMarked(const std::wstring& objectName) { return IsObjectParamCSetInScene(objectName); }

  // ---- More of what a scene's actions and clicks ask of the chapter ----
  // Whether a click may take a piece of a complex "find" item.
  virtual bool AcceptFindPiece(const std::wstring& group, const std::wstring& item, int piece);

  const std::wstring& GetName() const { return mName; }
  bool IsHogScene() const { return mHogFlag != 0; }
  bool IsStarted() const { return mStarted != 0; }
  CBaseRolik* GetCurrentVideo() const { return mCurrentVideo; }
  CBaseMiniGame* GetCurrentMiniGame() const { return mCurrentMiniGame; }
  const std::wstring& GetPendingAction() const { return mPendingAction; }

 protected:
  // The current scene as a playable scene (null when there is none).
  CBaseLevel* CurrentLevel() const;
  // Collects the scenes named by the progress's task map, preparing each
  // with the operation; false (and an empty list) when one refuses.
  bool CollectScenes(bool attach);
  // Effects, ambient and music managers made anew.
  void CreateSoundManagers();
  // The random-music track now playing stops on the sound system.
  void StopRandomTrack(float fade);
  // The scene of the progress becomes the next one, as after a cut-scene or
  // a mini-game; returns whether it exists.
  bool ReturnToProgressScene();
  // Ambient and music managers quieted, effects faded: a cut-scene, a
  // mini-game or the chapter's end takes over.
  void QuietSoundManagers(float effectsFade);
  // Per-state steps of Update and StartScene.
  int32_t UpdateScene(float dt, rovovoz::CMouseCursor* cursor);
  int32_t UpdateSceneFadeOut(float dt, rovovoz::CMouseCursor* cursor);
  void UpdateVideo(float dt, rovovoz::CMouseCursor* cursor);
  // The cut-scene is over: back to the progress scene, its end action next.
  void FinishVideo();
  void UpdateMiniGame(float dt, rovovoz::CMouseCursor* cursor);
  // The mini-game is over: back to the progress scene, its won action run.
  void FinishMiniGame(bool won);
  void RunPendingAction();
  int32_t EnterSceneFadeIn();
  int32_t EnterVideo();
  void EnterMiniGame();

  int32_t mState = kStateFinished;
  int32_t mNextState = kStateFinished;
  int32_t mReturnState = kStateFinished;
  CBaseBack* mCurrentScene = nullptr;
  CBaseBack* mNextScene = nullptr;
  CBaseRolik* mCurrentVideo = nullptr;
  CBaseMiniGame* mCurrentMiniGame = nullptr;
  int32_t mHogFlag = 0;
  std::vector<CBaseBack*> mScenes;
  rovovoz::CStaticObject3D* mFadeOverlay = nullptr;
  float mFadeAlpha = 0.0f;
  int32_t mFadeDirection = 0;
  float mFadeSpeed = 0.0f;
  std::wstring mName;
  int32_t mStarted = 1;
  rovovoz::CGManagerAmbientSound* mMusic = nullptr;
  rovovoz::CGManagerAmbientSound* mAmbient = nullptr;
  rovovoz::CGManagerSound* mEffects = nullptr;
  std::vector<SLogicAction> mDelayedActions;
  std::vector<std::wstring> mRandomNames;
  std::vector<int32_t> mRandomFlags;
  int32_t mRandomIndex = -1;
  int32_t mRandomStopped = 0;
  float mRandomSilence = -3.0f;
  // The random music's volume fade: from, to, length and time so far, and
  // the volume it gave last.
  float mMusicVolumeFrom = 1.0f;
  float mMusicVolumeTarget = 1.0f;
  float mMusicFadeDuration = 1.0f;
  float mMusicFadeElapsed = 1.0f;
  float mMusicVolumeHeard = 1.0f;
  std::wstring mPendingAction;

 private:
  // What the chapter plugs into the shared action runner.
  class CRunnerOwner : public CActionRunner::IOwner {
   public:
    explicit CRunnerOwner(CBaseEpisod& episod) : mEpisod(episod) {}
    bool FindActionEntry(const std::wstring& name, SLogicActionEntry*& entry) override;
    int32_t ExecuteRecord(SLogicAction& record, int mode, int randomize) override;
    int32_t RunActionHook(const std::wstring& name, int mode) override;
    int32_t TestCondition(const SLogicCondition& condition, const SLogicActionEntry& entry) override;
    int32_t TestConditionEx(const SLogicCondition& condition, const SLogicActionEntry& entry) override;
    std::wstring RunnerOwnerName() const override;
    int32_t RunPeers(const std::wstring& name, int mode, const SLogicAction* query, int mask) override;

   private:
    CBaseEpisod& mEpisod;
  };
  static CActionRunner::SRules EpisodRunnerRules();
  CRunnerOwner mRunnerOwner{*this};
  CActionRunner mRunner{mRunnerOwner, EpisodRunnerRules()};
};
