#include "SaveInfo/EpisodTasks.h"

#include "SaveInfo/ProfileStream.h"

namespace {

constexpr size_t kCounterBytes = kLongNameField + 4;
constexpr size_t kObjectTaskBytes = kLongNameField + 4 + kLongNameField;
constexpr size_t kPieceBytes = 12 + kLongNameField;
// Name, two words, piece count and second name: a task without pieces.
constexpr size_t kComplexTaskMinBytes = kLongNameField + 12 + kLongNameField;

bool WriteCounters(ProfileWriter& out, const std::map<std::wstring, int32_t>& counters) {
  if (!out.PutCount(counters.size())) return false;
  return ForEachInFileOrder(counters, [&](const std::wstring& name, int32_t value) {
    return out.PutText(name, kLongNameField) && out.PutI32(value);
  });
}

bool ReadCounters(ProfileReader& in, std::map<std::wstring, int32_t>& counters) {
  counters.clear();
  size_t count = 0;
  if (!in.GetCount(count, kCounterBytes)) return false;
  for (size_t i = 0; i < count; ++i) {
    std::wstring name;
    int32_t value = 0;
    if (!in.GetText(name, kLongNameField) || !in.GetI32(value)) return false;
    counters.emplace(name, value);
  }
  return true;
}

}  // namespace

bool SBackTaskCounts::Write(ProfileWriter& out) const {
  return out.PutI32(mCount) && out.PutI32(mCount2) && WriteCounters(out, mCounters) && WriteCounters(out, mCounters2);
}

bool SBackTaskCounts::Read(ProfileReader& in) {
  return in.GetI32(mCount) && in.GetI32(mCount2) && ReadCounters(in, mCounters) && ReadCounters(in, mCounters2);
}

bool SObjectTaskInfo::WriteList(ProfileWriter& out, const std::vector<SObjectTaskInfo>& list) {
  if (!out.PutCount(list.size())) return false;
  for (const SObjectTaskInfo& task : list)
    if (!out.PutText(task.mName, kLongNameField) || !out.PutU32(task.mValue) ||
        !out.PutText(task.mName2, kLongNameField))
      return false;
  return true;
}

bool SObjectTaskInfo::ReadList(ProfileReader& in, std::vector<SObjectTaskInfo>& list) {
  list.clear();
  size_t count = 0;
  if (!in.GetCount(count, kObjectTaskBytes)) return false;
  list.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    SObjectTaskInfo task;
    if (!in.GetText(task.mName, kLongNameField) || !in.GetU32(task.mValue) || !in.GetText(task.mName2, kLongNameField))
      return false;
    list.push_back(task);
  }
  return true;
}

SComplexPiece* SComplexTaskInfo::FindPiece(uint32_t id) {
  for (SComplexPiece& piece : mPieces)
    if (piece.mId == id) return &piece;
  return nullptr;
}

uint32_t SComplexTaskInfo::CountPending() const {
  uint32_t pending = 0;
  for (const SComplexPiece& piece : mPieces)
    if (piece.mPending != 0) ++pending;
  return pending;
}

bool SComplexTaskInfo::WriteList(ProfileWriter& out, const std::vector<SComplexTaskInfo>& list) {
  if (!out.PutCount(list.size())) return false;
  for (const SComplexTaskInfo& task : list) {
    if (!out.PutText(task.mName, kLongNameField) || !out.PutU32(task.mValue) || !out.PutU32(task.mValue2) ||
        !out.PutCount(task.mPieces.size()))
      return false;
    for (const SComplexPiece& piece : task.mPieces)
      if (!out.PutU32(piece.mId) || !out.PutU32(piece.mPending) || !out.PutU32(piece.mValue) ||
          !out.PutText(piece.mName, kLongNameField))
        return false;
    if (!out.PutText(task.mName2, kLongNameField)) return false;
  }
  return true;
}

bool SComplexTaskInfo::ReadList(ProfileReader& in, std::vector<SComplexTaskInfo>& list) {
  list.clear();
  size_t count = 0;
  if (!in.GetCount(count, kComplexTaskMinBytes)) return false;
  list.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    SComplexTaskInfo task;
    size_t pieces = 0;
    if (!in.GetText(task.mName, kLongNameField) || !in.GetU32(task.mValue) || !in.GetU32(task.mValue2) ||
        !in.GetCount(pieces, kPieceBytes))
      return false;
    task.mPieces.reserve(pieces);
    for (size_t p = 0; p < pieces; ++p) {
      SComplexPiece piece;
      if (!in.GetU32(piece.mId) || !in.GetU32(piece.mPending) || !in.GetU32(piece.mValue) ||
          !in.GetText(piece.mName, kLongNameField))
        return false;
      task.mPieces.push_back(piece);
    }
    if (!in.GetText(task.mName2, kLongNameField)) return false;
    list.push_back(std::move(task));
  }
  return true;
}
