#pragma once
// The running chapter as the scenes see it: the operations a scene calls on
// the chapter it is attached to. The chapter's own work (its steps, tasks,
// scene list and actions) is not built yet: every operation answers
// neutrally.
#include <cstdint>
#include <string>
#include <vector>

#include "Logic/LogicAction.h"

class CBaseEpisod {
 public:
  CBaseEpisod() = default;
  virtual ~CBaseEpisod() = default;
  CBaseEpisod(const CBaseEpisod&) = delete;
  CBaseEpisod& operator=(const CBaseEpisod&) = delete;

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
};
