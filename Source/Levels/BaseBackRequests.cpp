// The episode's requests on zone items: bring an item into play or take it
// out as done, and the story's own opening, showing and removal of complex
// items. Every scene of a chapter gets each request; only the owner of the
// item acts on it.
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

namespace {

// How a request arms an entry of each kind.
struct SArming {
  const wchar_t* kind;
  int active;
  bool setsClickThrough;
  bool clickThroughBeforeState;  // "free" records click-through before state
  int sparkle;                    // -1 none
  bool effect;                    // the object effect on ind_sel
};

const SArming kArmings[] = {
    {L"find", 1, true, false, 1, false},   {L"sfind", 1, true, false, 1, false},
    {L"free", 1, true, true, -1, false},   {L"push", 0, true, false, 1, true},
    {L"spush", 0, true, false, 1, true},   {L"mouse", 1, true, false, 1, false},
    {L"hog", 1, true, false, 0, false},    {L"click", 1, true, false, -1, false},
    {L"morph", 1, false, false, -1, false}, {L"lupa", 1, true, false, -1, false},
    {L"region", 0, true, false, 1, false},
};

const SArming* FindArming(const std::wstring& kind) {
  for (const SArming& arming : kArmings)
    if (kind == arming.kind) return &arming;
  return nullptr;
}

bool IsCamera(const std::wstring& text) { return Platform::EqualsNoCase(text, L"camera"); }

// Alpha commands are at most 91 characters long.
constexpr size_t kAlphaCommandLength = 91;

}  // namespace

void CBaseBack::PlaceEntryAgain(SObjectEntry& entry, bool reload) {
  if (entry.mObject && !entry.mShared) {
    if (reload) entry.mObject->LoadTransformForMesh();
    entry.mObject->SetWorldMatrix3D(mViewMatrix);
  }
  if (entry.mTrigger) {
    entry.mTrigger->LoadTransformForMesh();
    entry.mTrigger->SetWorldMatrix3D(mViewMatrix);
  }
}

void CBaseBack::HandleModeRequest(const std::wstring& kind, const std::wstring& name, const std::wstring& text,
                                  int value) {
  if (mEpisod) mEpisod->SetStartedFlag();
  std::wstring alpha;
  if (!text.empty() && !IsCamera(text)) alpha = text.substr(0, kAlphaCommandLength);
  std::vector<SZoneObject>* group = nullptr;
  SZoneObject* item = nullptr;
  if (!FindZoneItem(kind, name, group, item) || !IsEntryIndex(item->ind)) return;
  const int index = item->ind;
  if (const SArming* arming = FindArming(kind)) {
    SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
    entry.mActive = arming->active;
    entry.mClickable = 1;
    entry.mState = 1;
    if (arming->setsClickThrough) entry.mClickThrough = value;
    PlaceEntryAgain(entry, true);
    SaveObjectVisible(index, entry.mActive);
    SaveObjectClickable(index, 1);
    if (arming->clickThroughBeforeState) SaveObjectClickThrough(index, value);
    SaveObjectState(index, 1);
    if (arming->setsClickThrough && !arming->clickThroughBeforeState) SaveObjectClickThrough(index, value);
    if (arming->effect) AddObjectEffect(index, item->ind_sel);
    if (arming->sparkle >= 0) ShowFindSparkle(index, arming->sparkle);
  }
  if (!alpha.empty()) ApplyAlphaCommand(index, alpha);
  if (IsCamera(text)) AddFindItems(L"simple", kind, name);
}

void CBaseBack::OnClickZone(const std::wstring& kind, const std::wstring& name) {
  if (mEpisod) mEpisod->SetStartedFlag();
  std::vector<SZoneObject>* group = nullptr;
  SZoneObject* item = nullptr;
  if (!FindZoneItem(kind, name, group, item) || !IsEntryIndex(item->ind)) return;
  const int index = item->ind;
  if (kind != L"click" && kind != L"lupa" && mEntries[static_cast<size_t>(index)].mState == 1 && HasOwner())
    gCurrentPlayer.mEpisodInfo.DecrementNamedCount(OwnerName(), GetName());
  SwitchOffEntry(index, 3);
  StopObjectOverlay(index, 0.0f);
  ResetObjectEffect(index);
}

// ---- complex items ------------------------------------------------------------------

void CBaseBack::OnHogClick(const std::wstring& group, const std::wstring& itemName, const std::wstring& command,
                           int clickThrough) {
  std::wstring alpha;
  if (!command.empty() && !IsCamera(command)) alpha = command.substr(0, kAlphaCommandLength);
  if (mEpisod) mEpisod->SetStartedFlag();
  std::vector<SZoneComplex>* zone = nullptr;
  SZoneComplex* item = nullptr;
  if (!FindZone2Item(group, itemName, zone, item)) return;

  for (const SZoneItem& piece : item->mActivePieces) {
    if (!IsEntryIndex(piece.ind) || mEntries[static_cast<size_t>(piece.ind)].mState != 1) continue;
    ClearSavedObjectVisible(piece.ind);
    ClearSavedObjectClickable(piece.ind);
    ClearSavedObjectState(piece.ind);
    ClearSavedObjectClickThrough(piece.ind);
    SObjectEntry& entry = mEntries[static_cast<size_t>(piece.ind)];
    entry.mActive = 0;
    entry.mClickable = 0;
    entry.mClickThrough = 0;
    entry.mState = 0;
  }
  item->mActivePieces.clear();
  SComplexTaskInfo* task = nullptr;
  if (gCurrentPlayer.mEpisodInfo.FindComplexTask(group, itemName, task) && task)
    for (const SComplexPiece& record : task->mPieces)
      for (const SZoneItem& piece : item->mPieces)
        if (static_cast<uint32_t>(piece.num) == record.mId && IsEntryIndex(piece.ind))
          item->mActivePieces.push_back(piece);

  const bool shown = group == L"find" || group == L"hog";
  const bool push = group == L"push";
  if (shown || push) {
    for (const SZoneItem& piece : item->mActivePieces) {
      SObjectEntry& entry = mEntries[static_cast<size_t>(piece.ind)];
      entry.mActive = shown ? 1 : 0;
      entry.mClickable = 1;
      entry.mState = 1;
      entry.mClickThrough = clickThrough;
      PlaceEntryAgain(entry, true);
      SaveObjectVisible(piece.ind, entry.mActive);
      SaveObjectClickable(piece.ind, 1);
      SaveObjectState(piece.ind, 1);
      if (clickThrough) SaveObjectClickThrough(piece.ind, 1);
      if (push) {
        AddObjectEffect(piece.ind, piece.ind_sel);
        ShowFindSparkle(piece.ind, 1);
      } else if (!alpha.empty()) {
        ApplyAlphaCommand(piece.ind, alpha);
      }
    }
  }
  if (IsCamera(command)) AddFindItems(L"complex", group, itemName);
}

void CBaseBack::OnPushClick(const std::wstring& group, const std::wstring& itemName) {
  if (mEpisod) mEpisod->SetStartedFlag();
  std::vector<SZoneComplex>* zone = nullptr;
  SZoneComplex* item = nullptr;
  if (!FindZone2Item(group, itemName, zone, item)) return;
  for (const SZoneItem& piece : item->mActivePieces) {
    if (!IsEntryIndex(piece.ind)) continue;
    SObjectEntry& entry = mEntries[static_cast<size_t>(piece.ind)];
    if (HasOwner() && entry.mState == 1) gCurrentPlayer.mEpisodInfo.DecrementNamedCount(OwnerName(), GetName());
    entry.mActive = 0;
    entry.mClickable = 0;
    entry.mState = 3;
    if (group == L"push") {
      ResetObjectEffect(piece.ind);
      StopObjectOverlay(piece.ind, 0.0f);
    }
    SaveObjectVisible(piece.ind, 0);
    SaveObjectClickable(piece.ind, 0);
    SaveObjectState(piece.ind, 3);
  }
  item->mActivePieces.clear();
}

void CBaseBack::CameraMoveSimple(const std::wstring& group, const std::wstring& itemName, int visible,
                                 const std::wstring& command, int reload) {
  std::vector<SZoneObject>* zone = nullptr;
  SZoneObject* item = nullptr;
  if (!FindZoneItem(group, itemName, zone, item) || !IsEntryIndex(item->ind)) return;
  SObjectEntry& entry = mEntries[static_cast<size_t>(item->ind)];
  entry.mActive = visible;
  PlaceEntryAgain(entry, reload != 0);
  if (!command.empty()) {
    if (IsCamera(command))
      AddFindItems(L"simple", group, itemName);
    else
      ApplyAlphaCommand(item->ind, command.substr(0, kAlphaCommandLength));
  }
  SaveObjectVisible(item->ind, visible);
}

void CBaseBack::CameraMoveComplex(const std::wstring& group, const std::wstring& itemName, int visible,
                                  const std::wstring& command, int reload) {
  std::vector<SZoneComplex>* zone = nullptr;
  SZoneComplex* item = nullptr;
  if (!FindZone2Item(group, itemName, zone, item)) return;
  for (const SZoneItem& piece : item->mPieces) {
    if (!IsEntryIndex(piece.ind)) continue;
    SObjectEntry& entry = mEntries[static_cast<size_t>(piece.ind)];
    entry.mActive = visible;
    PlaceEntryAgain(entry, reload != 0);
    SaveObjectVisible(piece.ind, visible);
    if (command.empty()) continue;
    if (IsCamera(command))
      AddFindItems(L"complex", group, itemName);
    else
      ApplyAlphaCommand(piece.ind, command.substr(0, kAlphaCommandLength));
  }
}
