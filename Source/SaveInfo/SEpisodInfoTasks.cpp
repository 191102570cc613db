// The by-name questions and changes of an episode's task progress.
#include <limits>

#include "SaveInfo/ProfileStream.h"
#include "SaveInfo/SEpisodInfo.h"

namespace {

// Counts may go below 0; a corrupt count at the very bottom stays there
// instead of wrapping round.
void Decrement(int32_t& count) {
  if (count > std::numeric_limits<int32_t>::min()) --count;
}

template <class Map>
auto* FindList(Map& lists, const std::wstring& back) {
  const auto found = lists.find(back);
  return found == lists.end() ? nullptr : &found->second;
}

// The by-reference answer of the Find* queries: true and `out` set when
// something was found, else `out` stays as it was.
template <class T>
bool Found(T* found, T*& out) {
  if (!found) return false;
  out = found;
  return true;
}

// Drops the first task of that name from the back's list.
template <class Task>
bool RemoveTaskByName(std::map<std::wstring, std::vector<Task>>& lists, const std::wstring& back,
                      const std::wstring& name) {
  auto* list = FindList(lists, back);
  if (!list) return false;
  for (auto task = list->begin(); task != list->end(); ++task) {
    if (task->mName == name) {
      list->erase(task);
      return true;
    }
  }
  return false;
}

// Overwrites the first task of the same name, or appends the task.
template <class Task>
void PutTaskByName(std::vector<Task>& list, const Task& task) {
  if (Task* stored = FindTaskByName(list, task.mName))
    *stored = task;
  else
    list.push_back(task);
}

}  // namespace

int32_t* SEpisodInfo::FindCounter(const std::wstring& back, const std::wstring& name, bool second) {
  SBackTaskCounts* counts = FindList(mBackTasks, back);
  if (!counts) return nullptr;
  auto& counters = second ? counts->mCounters2 : counts->mCounters;
  const auto found = counters.find(name);
  return found == counters.end() ? nullptr : &found->second;
}

SObjectTaskInfo* SEpisodInfo::FindObject(const std::wstring& back, const std::wstring& name) {
  auto* list = FindList(mBackObjects, back);
  return list ? FindTaskByName(*list, name) : nullptr;
}

SComplexTaskInfo* SEpisodInfo::FindComplex(const std::wstring& back, const std::wstring& name) {
  auto* list = FindList(mBackComplex, back);
  return list ? FindTaskByName(*list, name) : nullptr;
}

// Task counters.

bool SEpisodInfo::FindBackTasks(const std::wstring& back, SBackTaskCounts*& counts) {
  return Found(FindList(mBackTasks, back), counts);
}

void SEpisodInfo::DecrementBackCount(const std::wstring& back) {
  if (SBackTaskCounts* counts = FindList(mBackTasks, back)) Decrement(counts->mCount);
}

bool SEpisodInfo::IsBackCountDone(const std::wstring& back) {
  const SBackTaskCounts* counts = FindList(mBackTasks, back);
  return !counts || counts->mCount < 1;
}

void SEpisodInfo::DecrementBackCount2(const std::wstring& back) {
  if (SBackTaskCounts* counts = FindList(mBackTasks, back)) Decrement(counts->mCount2);
}

bool SEpisodInfo::HasBackCount2(const std::wstring& back) {
  const SBackTaskCounts* counts = FindList(mBackTasks, back);
  return !counts || counts->mCount2 > 0;
}

void SEpisodInfo::DecrementNamedCount(const std::wstring& back, const std::wstring& name) {
  if (int32_t* counter = FindCounter(back, name, false)) Decrement(*counter);
}

bool SEpisodInfo::IsNamedCountDone(const std::wstring& back, const std::wstring& name) {
  const int32_t* counter = FindCounter(back, name, false);
  return !counter || *counter < 1;
}

void SEpisodInfo::SetNamedCount(const std::wstring& back, const std::wstring& name, int32_t value) {
  if (int32_t* counter = FindCounter(back, name, false)) *counter = value < 0 ? 0 : value;
}

void SEpisodInfo::DecrementNamedCount2(const std::wstring& back, const std::wstring& name) {
  if (int32_t* counter = FindCounter(back, name, true)) Decrement(*counter);
}

// Object tasks.

bool SEpisodInfo::FindObjectTask(const std::wstring& back, const std::wstring& name, SObjectTaskInfo*& task) {
  return Found(FindObject(back, name), task);
}

uint32_t SEpisodInfo::GetObjectTaskValue(const std::wstring& back, const std::wstring& name) {
  const SObjectTaskInfo* task = FindObject(back, name);
  return task ? task->mValue : 0;
}

void SEpisodInfo::SetObjectTaskName2(const std::wstring& back, const std::wstring& name, const std::wstring& text) {
  if (SObjectTaskInfo* task = FindObject(back, name)) task->mName2 = text;
}

bool SEpisodInfo::GetLastObjectTaskName2(const std::wstring& back, std::wstring& text) {
  const auto* list = FindList(mBackObjects, back);
  if (!list) return false;
  for (auto task = list->rbegin(); task != list->rend(); ++task) {
    if (task->mValue == 1 && !task->mName2.empty()) {
      text = task->mName2;
      return true;
    }
  }
  return false;
}

bool SEpisodInfo::RemoveObjectTask(const std::wstring& back, const std::wstring& name) {
  return RemoveTaskByName(mBackObjects, back, name);
}

bool SEpisodInfo::AddObjectTask(const std::wstring& back, const std::wstring& name, uint32_t value) {
  std::vector<SObjectTaskInfo>& list = mBackObjects[back];
  if (SObjectTaskInfo* task = FindTaskByName(list, name)) {
    task->mValue = value;
    return true;
  }
  list.push_back(SObjectTaskInfo{name, value, std::wstring()});
  return false;
}

void SEpisodInfo::PutObjectTask(const std::wstring& back, const SObjectTaskInfo& task) {
  PutTaskByName(mBackObjects[back], task);
}

// Complex tasks.

bool SEpisodInfo::FindComplexTask(const std::wstring& back, const std::wstring& name, SComplexTaskInfo*& task) {
  return Found(FindComplex(back, name), task);
}

uint32_t SEpisodInfo::GetComplexTaskValue(const std::wstring& back, const std::wstring& name) {
  const SComplexTaskInfo* task = FindComplex(back, name);
  return task ? task->mValue : 0;
}

void SEpisodInfo::SetComplexTaskName2(const std::wstring& back, const std::wstring& name, const std::wstring& text) {
  if (SComplexTaskInfo* task = FindComplex(back, name)) task->mName2 = text;
}

bool SEpisodInfo::GetComplexPieceName(const std::wstring& back, const std::wstring& name, uint32_t id,
                                      std::wstring& text) {
  SComplexTaskInfo* task = FindComplex(back, name);
  const SComplexPiece* piece = task ? task->FindPiece(id) : nullptr;
  if (!piece) return false;
  text = piece->mName;
  return true;
}

void SEpisodInfo::SetComplexPiece(const std::wstring& back, const std::wstring& name, uint32_t id,
                                  const std::wstring& text) {
  SComplexTaskInfo* task = FindComplex(back, name);
  if (SComplexPiece* piece = task ? task->FindPiece(id) : nullptr)
    piece->mName = CutToUtf16Units(text, kPieceNameUnits - 1);
}

bool SEpisodInfo::ClearComplexPiece(const std::wstring& back, const std::wstring& name, uint32_t id) {
  SComplexTaskInfo* task = FindComplex(back, name);
  SComplexPiece* piece = task ? task->FindPiece(id) : nullptr;
  if (!piece) return false;
  piece->mPending = 0;
  return true;
}

bool SEpisodInfo::HasComplexPiece(const std::wstring& back, const std::wstring& name, uint32_t id) {
  SComplexTaskInfo* task = FindComplex(back, name);
  return task && task->FindPiece(id) && task->CountPending() == 1;
}

bool SEpisodInfo::IsComplexTaskDone(const std::wstring& back, const std::wstring& name) {
  const SComplexTaskInfo* task = FindComplex(back, name);
  return task && task->CountPending() == 0;
}

uint32_t SEpisodInfo::CountComplexPieces(const std::wstring& back, const std::wstring& name) {
  const SComplexTaskInfo* task = FindComplex(back, name);
  return task ? task->CountPending() : 0;
}

bool SEpisodInfo::RemoveComplexTask(const std::wstring& back, const std::wstring& name) {
  return RemoveTaskByName(mBackComplex, back, name);
}

void SEpisodInfo::AddComplexTask(const std::wstring& back, const SComplexTaskInfo& task) {
  PutTaskByName(mBackComplex[back], task);
}
