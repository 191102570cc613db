#include "SaveInfo/SEpisodInfo.h"

#include "SaveInfo/ProfileStream.h"

namespace {

// Back name, two counts and two counter counts.
constexpr size_t kBackTasksMinBytes = kLongNameField + 16;
// Back name and a list count.
constexpr size_t kBackListMinBytes = kLongNameField + 4;

template <class List, class WriteList>
bool WriteBackLists(ProfileWriter& out, const std::map<std::wstring, List>& lists, WriteList writeList) {
  if (!out.PutCount(lists.size())) return false;
  return ForEachInFileOrder(lists, [&](const std::wstring& back, const List& list) {
    return out.PutText(back, kLongNameField) && writeList(out, list);
  });
}

template <class List, class ReadList>
bool ReadBackLists(ProfileReader& in, std::map<std::wstring, List>& lists, size_t minBytes, ReadList readList) {
  lists.clear();
  size_t count = 0;
  if (!in.GetCount(count, minBytes)) return false;
  for (size_t i = 0; i < count; ++i) {
    std::wstring back;
    List list;
    if (!in.GetText(back, kLongNameField) || !readList(in, list)) return false;
    lists.emplace(back, std::move(list));  // a repeated back keeps the first
  }
  return true;
}

}  // namespace

void SEpisodInfo::Clear() {
  mActions.Clear();
  mBackTasks.clear();
  mBackObjects.clear();
  mBackComplex.clear();
  mLevelName.clear();
  mLevelIsHog = 0;
  mValue = 1;
}

void SEpisodInfo::CopyScenes(const SEpisodInfo& saved) {
  mName = saved.mName;
  mLevelName = saved.mLevelName;
  mLevelIsHog = saved.mLevelIsHog;
  mValue = saved.mValue;
  mReserved1 = saved.mReserved1;
  mReserved2 = saved.mReserved2;
  mBackTasks = saved.mBackTasks;
  mBackObjects = saved.mBackObjects;
  mBackComplex = saved.mBackComplex;
  mActions.TakeRefsFrom(saved.mActions);
}

void SEpisodInfo::PutComplexTask(const std::wstring& back, const std::wstring& name, uint32_t value) {
  if (SComplexTaskInfo* task = FindTaskByName(mBackComplex[back], name)) task->mValue = value;
}

bool SEpisodInfo::Write(ProfileWriter& out) const {
  return out.PutText(mName, kLongNameField) && out.PutText(mLevelName, kLongNameField) && out.PutU32(mLevelIsHog) &&
         out.PutU32(mReserved1) && out.PutF32(mReserved2) && out.PutI32(mValue) &&
         WriteBackLists(out, mBackTasks, [](ProfileWriter& o, const SBackTaskCounts& c) { return c.Write(o); }) &&
         WriteBackLists(out, mBackObjects, SObjectTaskInfo::WriteList) &&
         WriteBackLists(out, mBackComplex, SComplexTaskInfo::WriteList) && mActions.Write(out);
}

bool SEpisodInfo::Read(ProfileReader& in) {
  Clear();
  return in.GetText(mName, kLongNameField) && in.GetText(mLevelName, kLongNameField) && in.GetU32(mLevelIsHog) &&
         in.GetU32(mReserved1) && in.GetF32(mReserved2) && in.GetI32(mValue) &&
         ReadBackLists(in, mBackTasks, kBackTasksMinBytes,
                       [](ProfileReader& i, SBackTaskCounts& c) { return c.Read(i); }) &&
         ReadBackLists(in, mBackObjects, kBackListMinBytes, SObjectTaskInfo::ReadList) &&
         ReadBackLists(in, mBackComplex, kBackListMinBytes, SComplexTaskInfo::ReadList) && mActions.Read(in);
}
