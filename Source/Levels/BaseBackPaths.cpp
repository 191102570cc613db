// Path objects: groups of the scene's objects that move together along a
// group path of the "_path" companion, started from actions at once or
// queued behind the other modes (mode 7), and the end of each move.
#include <tinyxml.h>

#include <algorithm>
#include <map>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/BaseBack.h"
#include "Levels/BaseBackLog.h"
#include "Platform/Strings.h"

using basebacklog::Error;

namespace {

// A setting of a moved object; -1 when absent.
int32_t Setting(const TiXmlElement* element, const char* name) {
  const TiXmlAttribute* attribute = FindUpper(element, name);
  return attribute ? IntValue(attribute) : -1;
}

bool IsFlag(int32_t value) { return value == 0 || value == 1; }

}  // namespace

int32_t CBaseBack::LoadPathObjects(const std::wstring& file) {
  mPathObjects.clear();
  TiXmlDocument document;
  if (!LoadXmlDocument(document, file)) return 1;
  const TiXmlElement* level = FirstChildElementUpper(&document, "Level");
  if (!level) return 1;

  std::map<std::wstring, rovovoz::CGroupPathObject> groups;
  if (const TiXmlElement* pathes = FirstChildElementUpper(level, "Pathes")) {
    for (const TiXmlElement* g = IterateChildrenElementUpper(pathes, "GroupPath", nullptr); g;
         g = IterateChildrenElementUpper(pathes, "GroupPath", g)) {
      const std::wstring name = ValueUtf8(FindUpper(g, "Name"));
      if (name.empty()) continue;
      rovovoz::CGroupPathObject group(mCore);
      if (!group.Load(g)) {
        Error(__LINE__, L"LoadPathObjects: Load path %s", name.c_str());
        continue;
      }
      groups.emplace(name, group);  // a later group of the same name is ignored
    }
  }

  for (const TiXmlElement* p = IterateChildrenElementUpper(level, "PathObject", nullptr); p;
       p = IterateChildrenElementUpper(level, "PathObject", p)) {
    SPathObject path;
    if (const TiXmlAttribute* name = FindUpper(p, "Name")) {
      path.mName = ValueUtf8(name);
      if (path.mName.empty()) continue;
    }
    const bool known = std::any_of(mPathObjects.begin(), mPathObjects.end(),
                                   [&](const SPathObject& other) { return other.mName == path.mName; });
    if (known) continue;
    const std::wstring groupName = ValueUtf8(FindUpper(p, "PathGroup"));
    if (groupName.empty()) continue;
    const auto group = groups.find(groupName);
    if (group == groups.end()) {
      Error(__LINE__, L"LoadPathObjects: No find group path %s for pathobject %s", groupName.c_str(),
            path.mName.c_str());
      continue;
    }
    path.mGroup = group->second;
    path.mGroup.ClearObjects();
    for (const TiXmlElement* child = IterateChildrenElement(p, nullptr); child;
         child = IterateChildrenElement(p, child)) {
      const std::wstring object = ValueUtf8(FindUpper(child, "Obj"));
      if (object.empty()) continue;
      const int index = GetObjectIndex(object);
      if (index < 0 || !mEntries[static_cast<size_t>(index)].mObject) continue;
      const bool twice = std::any_of(path.mItems.begin(), path.mItems.end(),
                                     [&](const SPathItem& item) { return item.mEntry == index; });
      if (twice) continue;
      SPathItem item;
      item.mEntry = index;
      item.mStartVisible = Setting(child, "StartVisible");
      item.mEndVisible = Setting(child, "EndVisible");
      item.mLoadTransf = Setting(child, "LoadTransf");
      item.mSaveEndPos = Setting(child, "SaveEndPos");
      item.mStartSmooth = Setting(child, "StartSmooth");
      item.mEndSmooth = Setting(child, "EndSmooth");
      path.mItems.push_back(item);
      path.mGroup.AddObject(Platform::Utf8ToWide(child->Value() ? child->Value() : ""),
                            mEntries[static_cast<size_t>(index)].mObject);
    }
    if (!path.mItems.empty()) mPathObjects.push_back(std::move(path));
  }
  return 1;
}

void CBaseBack::ApplyPathStart(SPathObject& path) {
  for (const SPathItem& item : path.mItems) {
    SObjectEntry& entry = mEntries[static_cast<size_t>(item.mEntry)];
    if (IsFlag(item.mStartVisible)) {
      entry.mActive = item.mStartVisible;
      SaveObjectVisible(item.mEntry, item.mStartVisible);
    }
    if (IsFlag(item.mStartSmooth)) SetObjectsRender2D(item.mEntry, item.mStartSmooth);
    if (item.mLoadTransf == 1 && entry.mObject && !entry.mShared) {
      entry.mObject->LoadTransformForMesh();
      entry.mObject->SetWorldMatrix3D(mViewMatrix);
    }
  }
}

void CBaseBack::ApplyPathEnd(SPathObject& path) {
  for (const SPathItem& item : path.mItems) {
    if (IsFlag(item.mEndVisible)) {
      mEntries[static_cast<size_t>(item.mEntry)].mActive = item.mEndVisible;
      SaveObjectVisible(item.mEntry, item.mEndVisible);
    }
    if (IsFlag(item.mEndSmooth)) SetObjectsRender2D(item.mEntry, item.mEndSmooth);
    if (item.mSaveEndPos == 1) SaveObjectPosition(item.mEntry);
  }
}

int32_t CBaseBack::StartPathObject(const std::wstring& name, const std::wstring& endAction, int queued) {
  const auto found = std::find_if(mPathObjects.begin(), mPathObjects.end(),
                                  [&](const SPathObject& path) { return path.mName == name; });
  if (found == mPathObjects.end()) {
    Error(__LINE__, L"StartPathObject: No find path object %s", name.c_str());
    return 0;
  }
  const int32_t index = static_cast<int32_t>(found - mPathObjects.begin());
  if (queued) {
    mPathRequests.push_back({index, endAction});
    PushMode(7, 0);
    return 1;
  }
  std::wstring oldAction;
  const auto running = std::find_if(mRunningPaths.begin(), mRunningPaths.end(),
                                    [&](const SRunningPath& r) { return r.mPath == index; });
  const bool restart = running != mRunningPaths.end();
  if (restart) {
    oldAction = running->mEndAction;
    running->mEndAction = endAction;
  }
  ApplyPathStart(*found);
  found->mGroup.Start();
  if (!restart)
    mRunningPaths.push_back({index, endAction, 0});
  else if (!oldAction.empty())
    DoAction(oldAction, 0, nullptr, kActionMaskAll);
  return 1;
}

void CBaseBack::StartFrontPathRequest() {
  const SPathRequest request = mPathRequests.front();
  mPathRequests.erase(mPathRequests.begin());
  if (request.mPath < 0 || request.mPath >= static_cast<int32_t>(mPathObjects.size())) return;
  SPathObject& path = mPathObjects[static_cast<size_t>(request.mPath)];
  ApplyPathStart(path);
  path.mGroup.Start();
  mRunningPaths.push_back({request.mPath, request.mEndAction, 1});
}

void CBaseBack::UpdatePathObjects(float dt) {
  std::vector<std::wstring> ended;
  bool queuedAdvanced = false;
  bool popQueued = false;
  for (size_t i = 0; i < mRunningPaths.size();) {
    SRunningPath& running = mRunningPaths[i];
    if (running.mQueued && (queuedAdvanced || mModes.empty() || mModes.front() != 7)) {
      ++i;
      continue;
    }
    if (running.mQueued) queuedAdvanced = true;
    SPathObject& path = mPathObjects[static_cast<size_t>(running.mPath)];
    path.mGroup.Update(dt);
    if (path.mGroup.IsRunning()) {
      ++i;
      continue;
    }
    if (!running.mEndAction.empty()) ended.push_back(running.mEndAction);
    const bool queued = running.mQueued != 0;
    ApplyPathEnd(path);
    mRunningPaths.erase(mRunningPaths.begin() + static_cast<std::ptrdiff_t>(i));
    // Mode 7 ends (and the next queued move starts) once the walk is over,
    // so that the walk does not meet the move it starts.
    if (queued) popQueued = true;
  }
  if (popQueued) PopMode(0);
  for (const std::wstring& action : ended) DoAction(action, 0, nullptr, kActionMaskAll);
}

int32_t CBaseBack::StopPathObject(const std::wstring& name, int runEndAction) {
  for (size_t i = 0; i < mRunningPaths.size(); ++i) {
    const SRunningPath running = mRunningPaths[i];
    if (running.mQueued) continue;
    SPathObject& path = mPathObjects[static_cast<size_t>(running.mPath)];
    if (path.mName != name) continue;
    ApplyPathEnd(path);
    path.mGroup.Stop();
    mRunningPaths.erase(mRunningPaths.begin() + static_cast<std::ptrdiff_t>(i));
    if (runEndAction && !running.mEndAction.empty()) DoAction(running.mEndAction, 0, nullptr, kActionMaskAll);
    return 1;
  }
  return 0;
}

void CBaseBack::PathObjectToEnd(int includeUnqueued) {
  const bool modeSeven = !mModes.empty() && mModes.front() == 7;
  for (size_t i = 0; i < mRunningPaths.size(); ++i) {
    const SRunningPath running = mRunningPaths[i];
    SPathObject& path = mPathObjects[static_cast<size_t>(running.mPath)];
    const bool qualifies = running.mQueued ? (includeUnqueued || modeSeven)
                                           : (includeUnqueued && !path.mGroup.IsInfinity());
    if (!qualifies) continue;
    if (path.mGroup.IsRunning()) path.mGroup.GoToEnd();
    ApplyPathEnd(path);
    mRunningPaths.erase(mRunningPaths.begin() + static_cast<std::ptrdiff_t>(i));
    if (!running.mEndAction.empty()) DoAction(running.mEndAction, 0, nullptr, kActionMaskAll);
    return;
  }
}
