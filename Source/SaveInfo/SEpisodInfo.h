#pragma once
// The progress of the current episode inside a player's record: the level it
// shows, its remaining count, the task counters, object tasks and complex
// tasks of each back, and the episode's action entries. Scenes and the
// episode ask and change it by name (back name, counter or task name, piece
// id); names match exactly. A missing back or task answers false, 0 or
// nothing, except where noted.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "SaveInfo/EpisodTasks.h"
#include "SaveInfo/SMarkTree.h"

class ProfileReader;
class ProfileWriter;

class SEpisodInfo {
 public:
  std::wstring mName;
  std::wstring mLevelName;
  uint32_t mLevelIsHog = 0;
  uint32_t mReserved1 = 0;
  float mReserved2 = 0.0f;
  SMarkTree mActions;
  std::map<std::wstring, SBackTaskCounts> mBackTasks;
  std::map<std::wstring, std::vector<SObjectTaskInfo>> mBackObjects;
  std::map<std::wstring, std::vector<SComplexTaskInfo>> mBackComplex;
  int32_t mValue = 0;

  void Assign(const SEpisodInfo& other) { *this = other; }
  // Empties the actions and the per-back maps and the level; mValue becomes
  // 1. The episode's name and the reserved words stay.
  void Clear();
  // Takes the player's saved progress over into this fresh copy of the
  // episode's data: names, level flag, remaining count, reserved words and
  // the per-back maps are replaced; of the actions only the Ref counters of
  // those still in the data are taken.
  void CopyScenes(const SEpisodInfo& saved);

  // Task counters of a back. For a back without counters the changes do
  // nothing and the "done"/"has" questions answer true.
  bool FindBackTasks(const std::wstring& back, SBackTaskCounts*& counts);
  void DecrementBackCount(const std::wstring& back);
  bool IsBackCountDone(const std::wstring& back);
  void DecrementBackCount2(const std::wstring& back);
  bool HasBackCount2(const std::wstring& back);
  void DecrementNamedCount(const std::wstring& back, const std::wstring& name);
  bool IsNamedCountDone(const std::wstring& back, const std::wstring& name);
  // Only an existing counter is set; a negative value is stored as 0.
  void SetNamedCount(const std::wstring& back, const std::wstring& name, int32_t value);
  void DecrementNamedCount2(const std::wstring& back, const std::wstring& name);

  // Object tasks of a back.
  bool FindObjectTask(const std::wstring& back, const std::wstring& name, SObjectTaskInfo*& task);
  uint32_t GetObjectTaskValue(const std::wstring& back, const std::wstring& name);
  void SetObjectTaskName2(const std::wstring& back, const std::wstring& name, const std::wstring& text);
  // From the last task backwards: the second name of the first task whose
  // value is 1 and whose second name is not empty.
  bool GetLastObjectTaskName2(const std::wstring& back, std::wstring& text);
  bool RemoveObjectTask(const std::wstring& back, const std::wstring& name);
  // Sets the value of the task and answers true, or appends a new task and
  // answers false.
  bool AddObjectTask(const std::wstring& back, const std::wstring& name, uint32_t value);
  void PutObjectTask(const std::wstring& back, const SObjectTaskInfo& task);

  // Complex tasks of a back.
  bool FindComplexTask(const std::wstring& back, const std::wstring& name, SComplexTaskInfo*& task);
  uint32_t GetComplexTaskValue(const std::wstring& back, const std::wstring& name);
  void SetComplexTaskName2(const std::wstring& back, const std::wstring& name, const std::wstring& text);
  bool GetComplexPieceName(const std::wstring& back, const std::wstring& name, uint32_t id, std::wstring& text);
  // A text longer than a piece name can hold is cut to fit.
  void SetComplexPiece(const std::wstring& back, const std::wstring& name, uint32_t id, const std::wstring& text);
  bool ClearComplexPiece(const std::wstring& back, const std::wstring& name, uint32_t id);
  // True when the task has a piece with that id and exactly one piece is
  // still pending.
  bool HasComplexPiece(const std::wstring& back, const std::wstring& name, uint32_t id);
  // True when no piece is pending; false for a missing task.
  bool IsComplexTaskDone(const std::wstring& back, const std::wstring& name);
  uint32_t CountComplexPieces(const std::wstring& back, const std::wstring& name);
  bool RemoveComplexTask(const std::wstring& back, const std::wstring& name);
  // Overwrites the task of the same name, or appends a copy.
  void AddComplexTask(const std::wstring& back, const SComplexTaskInfo& task);
  // Sets the value of an existing task (the back's list is made when missing).
  void PutComplexTask(const std::wstring& back, const std::wstring& name, uint32_t value);

  // The episode block of the profile file.
  bool Write(ProfileWriter& out) const;
  bool Read(ProfileReader& in);

 private:
  SComplexTaskInfo* FindComplex(const std::wstring& back, const std::wstring& name);
  SObjectTaskInfo* FindObject(const std::wstring& back, const std::wstring& name);
  int32_t* FindCounter(const std::wstring& back, const std::wstring& name, bool second);
};
