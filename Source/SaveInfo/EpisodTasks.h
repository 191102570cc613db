#pragma once
// The task records of an episode's progress, per back: the task counters,
// the object tasks and the complex (multi-piece) tasks, with their blocks of
// the profile file. Names match exactly; lists are searched from the first
// record.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ProfileReader;
class ProfileWriter;

// The task counters of one back.
struct SBackTaskCounts {
  int32_t mCount = 0;
  int32_t mCount2 = 0;
  std::map<std::wstring, int32_t> mCounters;
  std::map<std::wstring, int32_t> mCounters2;

  bool Write(ProfileWriter& out) const;
  bool Read(ProfileReader& in);

  bool operator==(const SBackTaskCounts&) const = default;
};

struct SObjectTaskInfo {
  std::wstring mName;
  uint32_t mValue = 0;
  std::wstring mName2;

  static bool WriteList(ProfileWriter& out, const std::vector<SObjectTaskInfo>& list);
  static bool ReadList(ProfileReader& in, std::vector<SObjectTaskInfo>& list);

  bool operator==(const SObjectTaskInfo&) const = default;
};

// One piece of a complex task. Its name holds at most kPieceNameUnits - 1
// UTF-16 units, as the file keeps it in a fixed field.
constexpr size_t kPieceNameUnits = 50;

struct SComplexPiece {
  uint32_t mId = 0;
  uint32_t mPending = 0;  // 1 while the piece is still to be found
  uint32_t mValue = 0;
  std::wstring mName;

  bool operator==(const SComplexPiece&) const = default;
};

struct SComplexTaskInfo {
  std::wstring mName;
  uint32_t mValue = 0;
  uint32_t mValue2 = 0;
  std::vector<SComplexPiece> mPieces;
  std::wstring mName2;

  // The first piece with the id, or null.
  SComplexPiece* FindPiece(uint32_t id);
  uint32_t CountPending() const;

  static bool WriteList(ProfileWriter& out, const std::vector<SComplexTaskInfo>& list);
  static bool ReadList(ProfileReader& in, std::vector<SComplexTaskInfo>& list);

  bool operator==(const SComplexTaskInfo&) const = default;
};

// The first record of that name in a task list, or null.
template <class Task>
Task* FindTaskByName(std::vector<Task>& list, const std::wstring& name) {
  for (Task& task : list)
    if (task.mName == name) return &task;
  return nullptr;
}
