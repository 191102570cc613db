// Interaction zones: switching them off, bringing them in line with the
// episode progress, the lookups by name and by entry, and the mode queue.
#include <algorithm>

#include "Engine/rovovoz/TriangleObject3D.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "PlayerRecord.h"

namespace {

// The first item of that name in the zone group of that kind, with its group.
template <class Zones, class Item>
bool FindInZones(Zones& zones, const std::wstring& kind, const std::wstring& name, std::vector<Item>*& group,
                 Item*& item) {
  const auto found = zones.find(kind);
  if (found == zones.end()) return false;
  for (Item& candidate : found->second) {
    if (candidate.mName != name) continue;
    group = &found->second;
    item = &candidate;
    return true;
  }
  return false;
}

bool IsOneOf(const std::wstring& kind, std::initializer_list<const wchar_t*> kinds) {
  return std::any_of(kinds.begin(), kinds.end(), [&](const wchar_t* k) { return kind == k; });
}

// Kinds whose trigger models need a region for the sparkle after a reset.
bool RebuildsRegion(const std::wstring& kind) {
  return IsOneOf(kind, {L"find", L"click", L"morph", L"mouse", L"push", L"spush", L"sfind", L"hog"});
}

void EnsureTriggerRegion(SObjectEntry& entry) {
  if (entry.mTrigger && !entry.mTrigger->GetRegion().IsReady()) entry.mTrigger->CreateRegion();
}

SEpisodInfo& Progress() { return gCurrentPlayer.mEpisodInfo; }

}  // namespace

// ---- switching zones off -------------------------------------------------------

void CBaseBack::ResetAllZones() {
  for (auto& [kind, group] : mZones) ResetZone(kind, group);
  for (auto& [kind, group] : mComplexZones) ResetZone2(kind, group);
}

void CBaseBack::ResetZoneItem(const std::wstring&, const SZoneObject& item) {
  if (!IsEntryIndex(item.ind_sel)) return;
  SObjectEntry& target = mEntries[static_cast<size_t>(item.ind_sel)];
  target.mActive = 0;
  target.mFadeState = 0;
  target.mEffectFlag = 0;
}

void CBaseBack::ResetZone(const std::wstring& kind, std::vector<SZoneObject>& group) {
  for (const SZoneObject& item : group) {
    if (!IsEntryIndex(item.ind)) continue;
    SObjectEntry& entry = mEntries[static_cast<size_t>(item.ind)];
    entry.mActive = 0;
    entry.mClickable = 0;
    if (RebuildsRegion(kind)) EnsureTriggerRegion(entry);
    ResetZoneItem(kind, item);
  }
}

void CBaseBack::ResetZoneItem2(const std::wstring&, const SZoneItem& piece) {
  if (!IsEntryIndex(piece.ind_sel)) return;
  SObjectEntry& target = mEntries[static_cast<size_t>(piece.ind_sel)];
  target.mActive = 0;
  target.mFadeState = 0;
  target.mEffectFlag = 0;
}

void CBaseBack::ResetZone2(const std::wstring& kind, std::vector<SZoneComplex>& group) {
  for (SZoneComplex& complex : group) {
    complex.mActivePieces.clear();
    for (const SZoneItem& piece : complex.mPieces) {
      if (!IsEntryIndex(piece.ind)) continue;
      SObjectEntry& entry = mEntries[static_cast<size_t>(piece.ind)];
      if (kind == L"push") EnsureTriggerRegion(entry);
      entry.mActive = 0;
      entry.mClickable = 0;
      ResetZoneItem2(kind, piece);
    }
  }
}

// ---- bringing zones in line with the progress -------------------------------------

void CBaseBack::UpdateAllZones(int flag) {
  for (auto& [kind, group] : mZones) UpdateZone(kind, group, flag);
  for (auto& [kind, group] : mComplexZones) UpdateZone2(kind, group, flag);
}

void CBaseBack::SwitchOffEntry(int index, int state) {
  SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  entry.mState = state;
  entry.mActive = 0;
  entry.mClickable = 0;
  SaveObjectVisible(index, 0);
  SaveObjectClickable(index, 0);
  SaveObjectState(index, state);
}

void CBaseBack::UpdateZone(const std::wstring& kind, std::vector<SZoneObject>& group, int flag) {
  for (const SZoneObject& item : group) {
    if (!IsEntryIndex(item.ind)) continue;
    SObjectTaskInfo* task = nullptr;
    if (Progress().FindObjectTask(kind, item.mName, task) && task && task->mValue == 1) {
      if (flag) SetEntryAlpha(item.ind, 1.0f);
      HandleZoneItem(kind, item, flag);
    } else if (mEntries[static_cast<size_t>(item.ind)].mState == 1) {
      SwitchOffEntry(item.ind, 0);
    }
  }
}

void CBaseBack::HandleZoneItem(const std::wstring& kind, const SZoneObject& item, int flag) {
  if (!flag) return;
  if (IsOneOf(kind, {L"push", L"spush", L"sfind", L"region", L"find", L"mouse"}))
    ShowFindSparkle(item.ind, 1);
  else if (kind == L"hog")
    ShowFindSparkle(item.ind, 0);
}

void CBaseBack::ActivatePushItem(const std::wstring& kind, const SZoneItem& piece) {
  if (kind != L"push") return;
  AddObjectEffect(piece.ind, piece.ind_sel);
  ShowFindSparkle(piece.ind, 1);
}

void CBaseBack::UpdateZone2(const std::wstring& kind, std::vector<SZoneComplex>& group, int flag) {
  const bool hog = kind == L"hog";
  for (SZoneComplex& complex : group) {
    complex.mActivePieces.clear();
    if (hog && flag && mEpisod) mEpisod->ShowHint(complex.mName);
    SComplexTaskInfo* task = nullptr;
    if (Progress().FindComplexTask(kind, complex.mName, task) && task && task->mValue == 1) {
      for (const SZoneItem& piece : complex.mPieces) {
        if (!IsEntryIndex(piece.ind)) continue;
        if (task->FindPiece(static_cast<uint32_t>(piece.num))) {
          complex.mActivePieces.push_back(piece);
          if (flag) {
            SetEntryAlpha(piece.ind, 1.0f);
            ActivatePushItem(kind, piece);
          }
        } else if (hog) {
          complex.mActivePieces.push_back(piece);
          SetEntryAlpha(piece.ind, 1.0f);
        }
      }
      if (hog && flag && !complex.mActivePieces.empty() && gGamePanel) gGamePanel->SetComplexHogList(complex.mName);
    } else {
      for (const SZoneItem& piece : complex.mPieces)
        if (IsEntryIndex(piece.ind) && mEntries[static_cast<size_t>(piece.ind)].mState == 1)
          SwitchOffEntry(piece.ind, 0);
    }
  }
}

// ---- lookups ------------------------------------------------------------------------

bool CBaseBack::FindZoneItem(const std::wstring& kind, const std::wstring& name, std::vector<SZoneObject>*& group,
                             SZoneObject*& item) {
  return FindInZones(mZones, kind, name, group, item);
}

bool CBaseBack::FindZone2Item(const std::wstring& kind, const std::wstring& name, std::vector<SZoneComplex>*& group,
                              SZoneComplex*& item) {
  return FindInZones(mComplexZones, kind, name, group, item);
}

bool CBaseBack::FindZoneItemByIndex(int index, std::vector<SZoneObject>*& group, SZoneObject*& item) {
  for (auto& [kind, items] : mZones)
    for (SZoneObject& candidate : items)
      if (candidate.ind == index) {
        group = &items;
        item = &candidate;
        return true;
      }
  return false;
}

bool CBaseBack::FindZone2ItemByIndex(int index, std::vector<SZoneComplex>*& group, SZoneComplex*& item,
                                     SZoneItem*& piece) {
  for (auto& [kind, complexes] : mComplexZones)
    for (SZoneComplex& complex : complexes)
      for (SZoneItem& candidate : complex.mActivePieces)
        if (candidate.ind == index) {
          group = &complexes;
          item = &complex;
          piece = &candidate;
          return true;
        }
  return false;
}

bool CBaseBack::HasZoneItem(const std::wstring& kind, const std::wstring& name) {
  std::vector<SZoneObject>* group = nullptr;
  SZoneObject* item = nullptr;
  return FindZoneItem(kind, name, group, item);
}

bool CBaseBack::HasZone2Item(const std::wstring& kind, const std::wstring& name) {
  std::vector<SZoneComplex>* group = nullptr;
  SZoneComplex* item = nullptr;
  return FindZone2Item(kind, name, group, item);
}

bool CBaseBack::HasZoneItemByIndex(int index) {
  std::vector<SZoneObject>* group = nullptr;
  SZoneObject* item = nullptr;
  return FindZoneItemByIndex(index, group, item);
}

bool CBaseBack::HasZone2ItemByIndex(int index) {
  std::vector<SZoneComplex>* group = nullptr;
  SZoneComplex* item = nullptr;
  SZoneItem* piece = nullptr;
  return FindZone2ItemByIndex(index, group, item, piece);
}

bool CBaseBack::QueryTaskItem(const std::wstring& kind, const std::wstring& complexName, int index) {
  std::vector<SZoneComplex>* group = nullptr;
  SZoneComplex* item = nullptr;
  SZoneItem* piece = nullptr;
  if (!FindZone2ItemByIndex(index, group, item, piece)) return false;
  return Progress().HasComplexPiece(kind, complexName, static_cast<uint32_t>(piece->num));
}

bool CBaseBack::HasEnabledZoneItem(const std::wstring& kind, const std::wstring& name) {
  std::vector<SZoneComplex>* group = nullptr;
  SZoneComplex* item = nullptr;
  if (!FindZone2Item(kind, name, group, item)) return false;
  return std::any_of(item->mActivePieces.begin(), item->mActivePieces.end(), [&](const SZoneItem& piece) {
    return IsEntryIndex(piece.ind) && mEntries[static_cast<size_t>(piece.ind)].mState == 1;
  });
}

void CBaseBack::CollectZoneItems(const std::wstring& kind, SComplexTaskInfo& target) {
  std::vector<SZoneComplex>* group = nullptr;
  SZoneComplex* item = nullptr;
  if (!FindZone2Item(kind, target.mName, group, item)) return;
  for (const SZoneItem& piece : item->mPieces) {
    SComplexPiece record;
    record.mId = static_cast<uint32_t>(piece.num);
    record.mPending = 1;
    record.mValue = 0;
    target.mPieces.push_back(record);
  }
}

void CBaseBack::RefreshPushZones() {
  auto handOver = [&](const std::wstring& name) {
    if (mEpisod) mEpisod->AddPredmet(name, std::wstring());
    if (gGamePanel) gGamePanel->AddSimpleObject(name, std::wstring(), 0, 0);
  };
  if (const auto simple = mZones.find(L"push"); simple != mZones.end())
    for (const SZoneObject& item : simple->second) handOver(item.mName);
  if (const auto complex = mComplexZones.find(L"push"); complex != mComplexZones.end())
    for (const SZoneComplex& item : complex->second) handOver(item.mName);
}

// ---- mode queue -------------------------------------------------------------------------

void CBaseBack::PushMode(int mode, int arg) {
  const bool wasEmpty = mModes.empty();
  mModes.push_back(mode);
  if (wasEmpty) HandleStartEnd(arg);
}

void CBaseBack::PopMode(int arg) {
  if (mModes.empty()) return;
  CloseItemMenuAndMiniGame(arg);
  // The end handler may have drained the queue itself.
  if (!mModes.empty()) mModes.erase(mModes.begin());
  HandleStartEnd(arg);
}

bool CBaseBack::QueueModeName(const std::wstring& name) {
  if (std::find(mItemWindowNames.begin(), mItemWindowNames.end(), name) != mItemWindowNames.end()) return false;
  mItemWindowNames.push_back(name);
  PushMode(6, 0);
  return true;
}
