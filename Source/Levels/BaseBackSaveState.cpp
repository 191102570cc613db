// The scene's saved state in the current player's record: recorders,
// readers and clearers of one object's fields (by entry index and by
// name), the scene's whole saved state, its application to the entries,
// and the scene's task counters in the episode progress.
//
// A scene files its state under its own name; a region under its owner's
// name, in the section of its own name.
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/BaseBack.h"
#include "PlayerRecord.h"

namespace {

// Where one entry's record lives and under which names it is found.
struct SSaveTarget {
  bool region = false;
  std::wstring owner;
  std::wstring scene;
  const wchar_t* model = nullptr;
  const wchar_t* trigger = nullptr;
};

const wchar_t* NameOrNull(const std::wstring& name) { return name.empty() ? nullptr : name.c_str(); }

// False for an index outside the entries.
bool TargetOf(const CBaseBack& back, int index, SSaveTarget& target) {
  if (!back.IsEntryIndex(index)) return false;
  const SObjectEntry& entry = back.GetEntry(index);
  target.region = back.GetOwner() != nullptr;
  if (target.region) target.owner = back.GetOwner()->GetName();
  target.scene = back.GetName();
  target.model = NameOrNull(entry.mModelName);
  target.trigger = NameOrNull(entry.mTriggerName);
  return true;
}

template <class R, class... Args, class... Values>
R Call(const SSaveTarget& t, R (PlayerRecord::*scene)(const std::wstring&, const wchar_t*, const wchar_t*, Args...),
       R (PlayerRecord::*region)(const std::wstring&, const std::wstring&, const wchar_t*, const wchar_t*, Args...),
       Values&&... values) {
  if (t.region) return (gCurrentPlayer.*region)(t.owner, t.scene, t.model, t.trigger, std::forward<Values>(values)...);
  return (gCurrentPlayer.*scene)(t.scene, t.model, t.trigger, std::forward<Values>(values)...);
}

// A reader of an unsigned field into an int; the int keeps its value when
// the field is not recorded.
bool ReadFlag(const SSaveTarget& t,
              bool (PlayerRecord::*scene)(const std::wstring&, const wchar_t*, const wchar_t*, uint32_t&),
              bool (PlayerRecord::*region)(const std::wstring&, const std::wstring&, const wchar_t*, const wchar_t*,
                                           uint32_t&),
              int& value) {
  uint32_t read = static_cast<uint32_t>(value);
  const bool found = Call(t, scene, region, read);
  value = static_cast<int>(read);
  return found;
}

}  // namespace

// ---- the scene's saved state as a whole -------------------------------------------

SBaseSaveInfo& CBaseBack::GetSaveInfo() {
  if (HasOwner()) return gCurrentPlayer.GetBackSave(OwnerName(), GetName());
  return gCurrentPlayer.AddBackSave(GetName()).mOwn;
}

bool CBaseBack::HasBackSaveState() {
  if (HasOwner()) return gCurrentPlayer.HasRegionSave(OwnerName(), GetName());
  return gCurrentPlayer.HasBackSave(GetName());
}

bool CBaseBack::SaveObjectRecord(const SObjectSaveInfo& record) {
  if (HasOwner())
    gCurrentPlayer.SetRegionObjectRecord(OwnerName(), GetName(), record);
  else
    gCurrentPlayer.SetBackObjectRecord(GetName(), record);
  return true;
}

bool CBaseBack::GetSavedObjectRecord(SObjectSaveInfo& record) {
  if (HasOwner()) return gCurrentPlayer.GetRegionObjectRecord(OwnerName(), GetName(), record);
  return gCurrentPlayer.GetBackObjectRecord(GetName(), record);
}

void CBaseBack::ClearBackSaveState() {
  if (HasOwner())
    gCurrentPlayer.EraseRegionSave(OwnerName(), GetName());
  else
    gCurrentPlayer.EraseBackSave(GetName());
}

void CBaseBack::ApplySaveInfo() {
  for (const SObjectSaveInfo& record : GetSaveInfo().Records()) {
    int index = GetObjectIndex(record.mName);
    const bool byTrigger = index < 0;
    if (byTrigger) index = GetObjectIndex2(record.mName);
    if (index < 0) continue;
    SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
    uint32_t value = 0;
    if (record.GetFlag1(value)) entry.mActive = static_cast<int32_t>(value);
    if (record.GetFlag2(value)) entry.mClickable = static_cast<int32_t>(value);
    if (record.GetState(value)) entry.mState = static_cast<int32_t>(value);
    float x = 0.0f, y = 0.0f, z = 0.0f;
    if (record.GetPosition(x, y, z)) {
      // A record made under the model name moves the object only; one
      // made under the trigger name moves the trigger model with it.
      if (entry.mObject) entry.mObject->SetPosition3D(x, y, z);
      if (byTrigger && entry.mTrigger) entry.mTrigger->SetPosition3D(x, y, z);
    }
    if (record.GetFlag4(value)) entry.mUpdating = static_cast<int32_t>(value);
    if (record.GetRender2D(value)) {
      entry.mRender2D = static_cast<int32_t>(value);
      if (entry.mObject) entry.mObject->SetRender2D(static_cast<int>(value));
    }
    // These two only ever raise what the scene start set.
    if (record.GetFlag16(value) && value == 1) entry.mFadeState = 2;
    if (record.GetFlag32(value) && value == 1) entry.mClickThrough = 1;
  }
}

// ---- one object's record ------------------------------------------------------------

bool CBaseBack::HasObjectSaveStateByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && HasObjectSaveState(index);
}

bool CBaseBack::HasObjectSaveState(int index) {
  SSaveTarget t;
  return TargetOf(*this, index, t) && Call(t, &PlayerRecord::BackObjectExists, &PlayerRecord::RegionObjectExists);
}

void CBaseBack::RemoveSavedObjectByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) RemoveSavedObject(index);
}

void CBaseBack::RemoveSavedObject(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::RemoveBackObject, &PlayerRecord::RemoveRegionObject);
}

// ---- position ---------------------------------------------------------------------------

bool CBaseBack::SaveObjectPositionByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectPosition(index);
}

bool CBaseBack::SaveObjectPositionAtByName(const std::wstring& name, float x, float y, float z) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectPositionAt(index, x, y, z);
}

bool CBaseBack::SaveObjectPosition(int index) {
  if (!IsEntryIndex(index)) return false;
  const SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  zormath::Vec3f position;
  if (entry.mObject)
    position = entry.mObject->GetPosition3D();
  else if (entry.mTrigger)
    position = entry.mTrigger->GetPosition3D();
  return SaveObjectPositionAt(index, position.x, position.y, position.z);
}

bool CBaseBack::SaveObjectPositionAt(int index, float x, float y, float z) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::SetBackObjectPosition, &PlayerRecord::SetRegionObjectPosition, x, y, z);
}

bool CBaseBack::GetSavedObjectPositionByName(const std::wstring& name, float& x, float& y, float& z) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectPosition(index, x, y, z);
}

bool CBaseBack::GetSavedObjectPosition(int index, float& x, float& y, float& z) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::GetBackObjectPosition, &PlayerRecord::GetRegionObjectPosition, x, y, z);
}

void CBaseBack::ClearSavedObjectPositionByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectPosition(index);
}

void CBaseBack::ClearSavedObjectPosition(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t))
    Call(t, &PlayerRecord::ClearBackObjectPosition, &PlayerRecord::ClearRegionObjectPosition);
}

// ---- visible ---------------------------------------------------------------

bool CBaseBack::SaveObjectVisibleByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectVisible(index, value);
}

bool CBaseBack::SaveObjectVisible(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::SetBackObjectFlag1, &PlayerRecord::SetRegionObjectFlag1, static_cast<uint32_t>(value));
}

bool CBaseBack::GetSavedObjectVisibleByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectVisible(index, value);
}

bool CBaseBack::GetSavedObjectVisible(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         ReadFlag(t, &PlayerRecord::GetBackObjectFlag1, &PlayerRecord::GetRegionObjectFlag1, value);
}

void CBaseBack::ClearSavedObjectVisibleByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectVisible(index);
}

void CBaseBack::ClearSavedObjectVisible(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectFlag1, &PlayerRecord::ClearRegionObjectFlag1);
}

// ---- state ---------------------------------------------------------------

bool CBaseBack::SaveObjectStateByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectState(index, value);
}

bool CBaseBack::SaveObjectState(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::SetBackObjectState, &PlayerRecord::SetRegionObjectState, static_cast<uint32_t>(value));
}

bool CBaseBack::GetSavedObjectStateByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectState(index, value);
}

bool CBaseBack::GetSavedObjectState(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         ReadFlag(t, &PlayerRecord::GetBackObjectState, &PlayerRecord::GetRegionObjectState, value);
}

void CBaseBack::ClearSavedObjectStateByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectState(index);
}

void CBaseBack::ClearSavedObjectState(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectState, &PlayerRecord::ClearRegionObjectState);
}

// ---- clickable ---------------------------------------------------------------

bool CBaseBack::SaveObjectClickableByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectClickable(index, value);
}

bool CBaseBack::SaveObjectClickable(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::SetBackObjectFlag2, &PlayerRecord::SetRegionObjectFlag2, static_cast<uint32_t>(value));
}

bool CBaseBack::GetSavedObjectClickableByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectClickable(index, value);
}

bool CBaseBack::GetSavedObjectClickable(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         ReadFlag(t, &PlayerRecord::GetBackObjectFlag2, &PlayerRecord::GetRegionObjectFlag2, value);
}

void CBaseBack::ClearSavedObjectClickableByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectClickable(index);
}

void CBaseBack::ClearSavedObjectClickable(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectFlag2, &PlayerRecord::ClearRegionObjectFlag2);
}

// ---- enabled ---------------------------------------------------------------

bool CBaseBack::SaveObjectEnabledByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectEnabled(index, value);
}

bool CBaseBack::SaveObjectEnabled(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::SetBackObjectFlag4, &PlayerRecord::SetRegionObjectFlag4, static_cast<uint32_t>(value));
}

bool CBaseBack::GetSavedObjectEnabledByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectEnabled(index, value);
}

bool CBaseBack::GetSavedObjectEnabled(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         ReadFlag(t, &PlayerRecord::GetBackObjectFlag4, &PlayerRecord::GetRegionObjectFlag4, value);
}

void CBaseBack::ClearSavedObjectEnabledByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectEnabled(index);
}

void CBaseBack::ClearSavedObjectEnabled(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectFlag4, &PlayerRecord::ClearRegionObjectFlag4);
}

// ---- 2D render ---------------------------------------------------------------

bool CBaseBack::SaveObjectRender2DByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectRender2D(index, value);
}

bool CBaseBack::SaveObjectRender2D(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) && Call(t, &PlayerRecord::SetBackObjectRender2D,
                                           &PlayerRecord::SetRegionObjectRender2D, static_cast<uint32_t>(value));
}

bool CBaseBack::GetSavedObjectRender2DByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectRender2D(index, value);
}

bool CBaseBack::GetSavedObjectRender2D(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         ReadFlag(t, &PlayerRecord::GetBackObjectRender2D, &PlayerRecord::GetRegionObjectRender2D, value);
}

void CBaseBack::ClearSavedObjectRender2DByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectRender2D(index);
}

void CBaseBack::ClearSavedObjectRender2D(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t))
    Call(t, &PlayerRecord::ClearBackObjectRender2D, &PlayerRecord::ClearRegionObjectRender2D);
}

// ---- top layer ---------------------------------------------------------------

bool CBaseBack::SaveObjectTopLayerByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectTopLayer(index, value);
}

bool CBaseBack::SaveObjectTopLayer(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) && Call(t, &PlayerRecord::SetBackObjectFlag16, &PlayerRecord::SetRegionObjectFlag16,
                                           static_cast<uint32_t>(value));
}

bool CBaseBack::GetSavedObjectTopLayerByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectTopLayer(index, value);
}

bool CBaseBack::GetSavedObjectTopLayer(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         ReadFlag(t, &PlayerRecord::GetBackObjectFlag16, &PlayerRecord::GetRegionObjectFlag16, value);
}

void CBaseBack::ClearSavedObjectTopLayerByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectTopLayer(index);
}

void CBaseBack::ClearSavedObjectTopLayer(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectFlag16, &PlayerRecord::ClearRegionObjectFlag16);
}

// ---- click-through ---------------------------------------------------------------

bool CBaseBack::SaveObjectClickThroughByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectClickThrough(index, value);
}

bool CBaseBack::SaveObjectClickThrough(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) && Call(t, &PlayerRecord::SetBackObjectFlag32, &PlayerRecord::SetRegionObjectFlag32,
                                           static_cast<uint32_t>(value));
}

bool CBaseBack::GetSavedObjectClickThroughByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectClickThrough(index, value);
}

bool CBaseBack::GetSavedObjectClickThrough(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         ReadFlag(t, &PlayerRecord::GetBackObjectFlag32, &PlayerRecord::GetRegionObjectFlag32, value);
}

void CBaseBack::ClearSavedObjectClickThroughByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectClickThrough(index);
}

void CBaseBack::ClearSavedObjectClickThrough(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectFlag32, &PlayerRecord::ClearRegionObjectFlag32);
}

// ---- integer ---------------------------------------------------------------

bool CBaseBack::SaveObjectIntByName(const std::wstring& name, int value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectInt(index, value);
}

bool CBaseBack::SaveObjectInt(int index, int value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::SetBackObjectInt, &PlayerRecord::SetRegionObjectInt, value);
}

bool CBaseBack::GetSavedObjectIntByName(const std::wstring& name, int& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectInt(index, value);
}

bool CBaseBack::GetSavedObjectInt(int index, int& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::GetBackObjectInt, &PlayerRecord::GetRegionObjectInt, value);
}

void CBaseBack::ClearSavedObjectIntByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectInt(index);
}

void CBaseBack::ClearSavedObjectInt(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectInt, &PlayerRecord::ClearRegionObjectInt);
}

// ---- float ---------------------------------------------------------------

bool CBaseBack::SaveObjectFloatByName(const std::wstring& name, float value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && SaveObjectFloat(index, value);
}

bool CBaseBack::SaveObjectFloat(int index, float value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::SetBackObjectFloat, &PlayerRecord::SetRegionObjectFloat, value);
}

bool CBaseBack::GetSavedObjectFloatByName(const std::wstring& name, float& value) {
  const int index = FindEntryByEitherName(name);
  return index >= 0 && GetSavedObjectFloat(index, value);
}

bool CBaseBack::GetSavedObjectFloat(int index, float& value) {
  SSaveTarget t;
  return TargetOf(*this, index, t) &&
         Call(t, &PlayerRecord::GetBackObjectFloat, &PlayerRecord::GetRegionObjectFloat, value);
}

void CBaseBack::ClearSavedObjectFloatByName(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index >= 0) ClearSavedObjectFloat(index);
}

void CBaseBack::ClearSavedObjectFloat(int index) {
  SSaveTarget t;
  if (TargetOf(*this, index, t)) Call(t, &PlayerRecord::ClearBackObjectFloat, &PlayerRecord::ClearRegionObjectFloat);
}

// ---- task counters and the scene's reset -------------------------------------------------

void CBaseBack::DecrementNamedCount2(const std::wstring& name) {
  if (name.empty()) {
    DecrementBackCount2();
    return;
  }
  gCurrentPlayer.mEpisodInfo.DecrementNamedCount2(HasOwner() ? OwnerName() : GetName(), name);
}

void CBaseBack::DecrementBackCount2() {
  if (HasOwner())
    gCurrentPlayer.mEpisodInfo.DecrementNamedCount2(OwnerName(), GetName());
  else
    gCurrentPlayer.mEpisodInfo.DecrementBackCount2(GetName());
}

void CBaseBack::DecrementNamedCount(const std::wstring& name) {
  if (name.empty()) {
    DecrementBackCount();
    return;
  }
  gCurrentPlayer.mEpisodInfo.DecrementNamedCount(HasOwner() ? OwnerName() : GetName(), name);
}

void CBaseBack::DecrementBackCount() {
  if (HasOwner())
    gCurrentPlayer.mEpisodInfo.DecrementNamedCount(OwnerName(), GetName());
  else
    gCurrentPlayer.mEpisodInfo.DecrementBackCount(GetName());
}

void CBaseBack::ResetSaveState(int) { gCurrentPlayer.EraseBackSave(GetName()); }

void CBaseBack::ResetSaveState2(int arg) { CBaseBack::ResetSaveState(arg); }

int32_t CBaseBack::HasAction(const std::wstring& name) {
  SLogicActionEntry* entry = nullptr;
  return FindAction(name, entry) ? 1 : 0;
}
