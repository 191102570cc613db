#pragma once
// One chapter of the story while it is played. The story logic creates it
// for a chapter's first step, sets it up from the current player's chapter
// progress (Init for a new chapter, InitScenes for one resumed from a saved
// game), starts it, updates and draws it every frame and reads the code its
// Update returns: 0 running, 1 finished, 2 wants the pause menu, 3 wants the
// extras over the game.
//
// This is the chapter's frame as the story logic drives it: its name, its
// scenes taken from the scene list and its state. The scene changes, the
// action scripts, the timed actions and the music come with the chapter's
// own operations.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Logic/LogicAction.h"

class CBaseBack;
namespace rovovoz {
class CMouseCursor;
}

// One item of a complex hidden-object set as the chapter's progress holds it.
struct SComplexHogItem {
  int Row = 0;  // 1-based row of the panel list, 0 when not listed
  std::wstring Name;
  std::vector<int> Pieces;  // numbers of the pieces still to find
  float Alpha = 0.0f;       // initial fade of its row
};

class CBaseEpisod {
 public:
  // Chapter states the story logic relies on.
  enum : int32_t { kStateFinished = 0, kStateScene = 1 };

  CBaseEpisod();
  virtual ~CBaseEpisod();
  CBaseEpisod(const CBaseEpisod&) = delete;
  CBaseEpisod& operator=(const CBaseEpisod&) = delete;

  // The first scene of the chapter's list whose name equals name, ignoring
  // case; null when none.
  virtual CBaseBack* FindBack(const std::wstring& name) const;
  // Set-up of a new chapter / of one resumed from the saved progress: the
  // chapter's name and scenes from the current player's progress. False
  // when the chapter cannot be played.
  virtual bool Init();
  virtual bool InitScenes();
  // Starts the chapter; false on failure.
  virtual bool Start();
  // 0 running, 1 finished, 2 pause menu wanted, 3 extras wanted.
  virtual int32_t Update(float dt, rovovoz::CMouseCursor* cursor);
  virtual int32_t Render();
  virtual int32_t GetState() const { return mState; }
  // The chapter's clock alone while a menu covers it.
  virtual void Tick(float dt);
  // Leaves the scene, cut-scene or mini-game now on screen.
  virtual void UnLoadCurrent();
  // Brings the player's progress up to date before it is saved.
  virtual void PrepareSave();
  // A typed developer line opening a hidden-object scene; false when the
  // words are not for it.
  virtual bool OpenHog(const std::vector<std::wstring>& words);
  // The player leaves the story.
  virtual void Stop();
  virtual void Pause();
  virtual void Resume();

  // What a scene asks of the chapter it is attached to.
  // The chapter's next update tells its current scene the story went on.
  virtual void SetStartedFlag();
  // Records the item; "predmet_menu" re-queues the item window, any other
  // text (or none) puts the item into the inventory.
  virtual void AddPredmet(const std::wstring& name, const std::wstring& text);
  // The chapter's own named action; 0 stops a chain.
  virtual int32_t RunAction(const std::wstring& name, int mode, SLogicAction* record, int mask);
  // Rebuilds the hidden-object hint entries of a complex item.
  virtual std::vector<std::wstring> ShowHint(const std::wstring& complexName);

  // Object tests in another scene (or its close-up); false without the scene.
  virtual bool IsSceneTriggerSet(const std::wstring& scene, const std::wstring& region, const std::wstring& object);
  virtual bool IsSceneObjectActive(const std::wstring& scene, const std::wstring& region, const std::wstring& object);
  virtual bool IsSceneObjectUpdated(const std::wstring& scene, const std::wstring& region,
                                    const std::wstring& object);
  // Task states: visible 1 or 2, open 1, deleted 3.
  virtual bool IsSimpleTaskVisible(const std::wstring& group, const std::wstring& item);
  virtual bool IsComplexTaskVisible(const std::wstring& group, const std::wstring& item);
  virtual bool IsSimpleTaskOpen(const std::wstring& group, const std::wstring& item);
  virtual bool IsComplexTaskOpen(const std::wstring& group, const std::wstring& item);
  virtual bool IsSimpleTaskDeleted(const std::wstring& group, const std::wstring& item);
  virtual bool IsComplexTaskDeleted(const std::wstring& group, const std::wstring& item);
  // The complex task is known and exactly count of its pieces are left.
  virtual bool IsPiecesLeftCount(const std::wstring& group, const std::wstring& item, int count);

  // What the game panel asks of the chapter.
  // Hands an action to the current scene; 0 when the scene reports failure.
  virtual int ForwardSceneAction(const std::wstring& name, int a, int b, int c);
  virtual bool RequestMenu();
  virtual bool RequestGuide();
  virtual void RequestDiary();
  // A mode request for every scene of the chapter.
  virtual void RequestToBacks(const std::wstring& kind, const std::wstring& name, const std::wstring& extra, int a,
                              int b);
  // The current scene's hint search (0 outside the play state).
  virtual int FindHint();
  virtual int GetSceneFrontMode();
  // Whether the scene draws the held object itself at that point.
  virtual bool SceneShowsCursorObject(const std::wstring& name, const zormath::Vec3f& point);
  virtual void OnCursorObjectReleased(const std::wstring& name);
  virtual int QueryPredmet(const std::wstring& name);
  virtual bool IsHogObjectMarked(const std::wstring& objectName);
  virtual void GetComplexHogItems(std::vector<SComplexHogItem>& out, const std::wstring& setName);

  const std::wstring& GetName() const { return mName; }
  const std::vector<CBaseBack*>& GetScenes() const { return mScenes; }

  // ---- what a playable scene asks of its chapter (neutral until the
  // ---- chapter's own operations land; bodies in BaseEpisodLevelFacing.cpp) ----
  // The chapter is about to end (its next state is the ending).
  virtual bool IsEndingRequested() const;
  // A simple task of the chapter is done: removed from the progress and
  // from every scene.
  virtual void DeleteSimpleObject(const std::wstring& group, const std::wstring& name);

 protected:
  // The chapter's name and its scenes from the current player's progress.
  bool CollectScenes();

  int32_t mState = kStateFinished;
  int32_t mNextState = kStateFinished;
  CBaseBack* mCurrentScene = nullptr;
  std::vector<CBaseBack*> mScenes;
  std::wstring mName;
};
