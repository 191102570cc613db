// Entry lookups by name and the per-object settings by name, some of which
// also record the change in the player's saved state.
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/BaseBack.h"
#include "Platform/Strings.h"

namespace {

int Lookup(const std::map<std::wstring, int>& map, const std::wstring& name) {
  const auto found = map.find(name);
  return found == map.end() ? -1 : found->second;
}

}  // namespace

int CBaseBack::GetObjectIndex(const std::wstring& name) const { return Lookup(mModelIndex, name); }

int CBaseBack::GetObjectIndex2(const std::wstring& name) const { return Lookup(mTriggerIndex, name); }

int CBaseBack::FindEntryByEitherName(const std::wstring& name) const {
  const int index = GetObjectIndex(name);
  return index >= 0 ? index : GetObjectIndex2(name);
}

rovovoz::CBaseGeometryObject* CBaseBack::GetObject(const std::wstring& name) const {
  const int index = GetObjectIndex(name);
  return index >= 0 ? mEntries[static_cast<size_t>(index)].mObject : nullptr;
}

void CBaseBack::SetEntryAlpha(int index, float alpha) {
  if (!IsEntryIndex(index)) return;
  if (rovovoz::CBaseGeometryObject* object = mEntries[static_cast<size_t>(index)].mObject) object->SetAlpha(alpha);
}

// ---- settings that are not recorded -------------------------------------------

void CBaseBack::SetObjectParamA(const std::wstring& name, int value) {
  const int index = GetObjectIndex(name);
  if (index >= 0) mEntries[static_cast<size_t>(index)].mEffectFlag = value;
}

void CBaseBack::SetObjectParamB(const std::wstring& name, int value) {
  const int index = GetObjectIndex(name);
  if (index >= 0) mEntries[static_cast<size_t>(index)].mDepthTest = value;
}

void CBaseBack::SetObjectModelRender2D(const std::wstring& name, int value) {
  const int index = GetObjectIndex(name);
  if (index < 0) return;
  if (rovovoz::CBaseGeometryObject* object = mEntries[static_cast<size_t>(index)].mObject) object->SetRender2D(value);
}

void CBaseBack::SetObjectActive(const std::wstring& name, int value) {
  const int index = GetObjectIndex(name);
  if (index >= 0) mEntries[static_cast<size_t>(index)].mActive = value;
}

void CBaseBack::SetObjectRotating(const std::wstring& name, int value) {
  const int index = GetObjectIndex(name);
  if (index >= 0) mEntries[static_cast<size_t>(index)].mUpdating = value;
}

void CBaseBack::SetObjectParamC(const std::wstring& name, int value) {
  const int index = GetObjectIndex2(name);
  if (index >= 0) mEntries[static_cast<size_t>(index)].mClickable = value;
}

// ---- settings that are recorded -------------------------------------------------

void CBaseBack::SetObjectRotating2(const std::wstring& name, int value) {
  const int index = GetObjectIndex(name);
  if (index < 0) return;
  mEntries[static_cast<size_t>(index)].mUpdating = value;
  SaveObjectEnabled(index, value);
}

void CBaseBack::SetObjectRotating3(const std::wstring& name, int value) { CBaseBack::SetObjectRotating2(name, value); }

void CBaseBack::SetObjectRender2D(const std::wstring& name, int value) {
  const int index = GetObjectIndex(name);
  if (index < 0) return;
  SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  entry.mRender2D = value;
  SaveObjectRender2D(index, value);
  if (entry.mObject) entry.mObject->SetRender2D(value);
}

void CBaseBack::SetObjectTopLayer(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  if (index < 0) return;
  mEntries[static_cast<size_t>(index)].mFadeState = 2;
  SaveObjectTopLayer(index, value);
}

void CBaseBack::ShowObject(const std::wstring& name, int visible, const std::wstring& command, int reload) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ShowEntry(index, name, visible, command, reload);
}

void CBaseBack::ShowEntry(int index, const std::wstring& name, int visible, const std::wstring& command,
                          int reload) {
  SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  entry.mActive = visible;
  if (entry.mObject && !entry.mShared) {
    if (reload) entry.mObject->LoadTransformForMesh();
    entry.mObject->SetWorldMatrix3D(mViewMatrix);
  }
  SaveObjectVisible(index, visible);
  if (command.empty()) return;
  if (Platform::EqualsNoCase(command, L"camera"))
    AddFindItems(L"object", L"", name);
  else
    ApplyAlphaCommand(index, command);
}

void CBaseBack::SetObjectClickable(const std::wstring& name, int value) {
  const int index = GetObjectIndex2(name);
  if (index >= 0) SetEntryClickable(index, value);
}

void CBaseBack::SetEntryClickable(int index, int value) {
  mEntries[static_cast<size_t>(index)].mClickable = value;
  SaveObjectClickable(index, value);
  if (rovovoz::CTriangleObject3D* trigger = mEntries[static_cast<size_t>(index)].mTrigger) {
    trigger->LoadTransformForMesh();
    trigger->SetWorldMatrix3D(mViewMatrix);
  }
}

void CBaseBack::MergeItemList(const std::wstring& prefix, int first, int last, std::vector<int32_t>& out) {
  out.clear();
  if (first < 0) first = 1;
  if (last <= first) last = 1000;
  for (int n = first; n <= last; ++n) {
    const int index = FindEntryByEitherName(prefix + std::to_wstring(n));
    if (index >= 0) out.push_back(index);
  }
}

void CBaseBack::ShowObjectGroup(const std::wstring& prefix, int visible, const std::wstring& command, int reload,
                                int first, int last) {
  std::vector<int32_t> indices;
  MergeItemList(prefix, first, last, indices);
  // By index: an entry with only a trigger name, or sharing its model name
  // with an earlier one, is still the entry the series found.
  for (int32_t index : indices) {
    const SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
    const std::wstring name = entry.mModelName.empty() ? entry.mTriggerName : entry.mModelName;
    ShowEntry(index, name, visible, command, reload);
  }
}

void CBaseBack::SetObjectGroupClickable(const std::wstring& prefix, int value, int first, int last) {
  std::vector<int32_t> indices;
  MergeItemList(prefix, first, last, indices);
  for (int32_t index : indices) SetEntryClickable(index, value);
}

// ---- queries ----------------------------------------------------------------------

bool CBaseBack::IsObjectRotating(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && mEntries[static_cast<size_t>(index)].mUpdating == 1;
}

bool CBaseBack::IsObjectRotating2(const std::wstring& name) { return CBaseBack::IsObjectRotating(name); }

bool CBaseBack::IsObjectActive(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && mEntries[static_cast<size_t>(index)].mActive == 1;
}

bool CBaseBack::IsObjectParamCSet(const std::wstring& name) {
  int index = GetObjectIndex2(name);
  if (index >= 0) return mEntries[static_cast<size_t>(index)].mClickable >= 1;
  index = GetObjectIndex(name);
  return index >= 0 && mEntries[static_cast<size_t>(index)].mClickable == 1;
}
