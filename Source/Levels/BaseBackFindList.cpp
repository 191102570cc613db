// What is still in play: the remaining-item counts, the find-item list of
// objects that appear while the camera zoom runs, and the find sparkle over
// an item in play.
#include <algorithm>

#include "Engine/rovovoz/BaseParamInitEmiter.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/BaseBack.h"
#include "Platform/Format.h"
#include "PlayerRecord.h"

namespace {

SEpisodInfo& Progress() { return gCurrentPlayer.mEpisodInfo; }

// Prefix, complex item and piece number: "TK_" + "V" + "_07".
std::wstring PieceObjectName(const wchar_t* prefix, const std::wstring& item, int number) {
  return prefix + item + Platform::FormatWide(L"_%.2d", number);
}

}  // namespace

void CBaseBack::ReapplyObjectView(const std::wstring& name) {
  const int index = FindEntryByEitherName(name);
  if (index < 0) return;
  PlaceEntryAgain(mEntries[static_cast<size_t>(index)], true);
}

void CBaseBack::AddFindItems(const std::wstring& listKind, const std::wstring& zoneKind, const std::wstring& name) {
  const SFindItem record{listKind, zoneKind, name};
  if (std::find(mFindItems.begin(), mFindItems.end(), record) != mFindItems.end()) return;
  mFindItems.push_back(record);
  if (listKind == L"simple") {
    std::vector<SZoneObject>* group = nullptr;
    SZoneObject* item = nullptr;
    if (FindZoneItem(zoneKind, name, group, item)) SetEntryAlpha(item->ind, 0.0f);
  } else if (listKind == L"complex") {
    std::vector<SZoneComplex>* group = nullptr;
    SZoneComplex* item = nullptr;
    if (!FindZone2Item(zoneKind, name, group, item)) return;
    for (const SZoneItem& piece : item->mActivePieces)
      if (IsEntryIndex(piece.ind) && mEntries[static_cast<size_t>(piece.ind)].mActive) SetEntryAlpha(piece.ind, 0.0f);
  } else if (listKind == L"object") {
    SetEntryAlpha(GetObjectIndex(name), 0.0f);
  }
}

void CBaseBack::AddFindObjectItems(const std::wstring& prefix, int first, int last) {
  std::vector<int32_t> indices;
  MergeItemList(prefix, first, last, indices);
  for (const int32_t index : indices)
    AddFindItems(L"object", std::wstring(), mEntries[static_cast<size_t>(index)].mModelName);
}

void CBaseBack::AddFindComplexItems() { mFindItems.clear(); }

void CBaseBack::ShowFindSparkle(int index, int kind) {
  const bool known = std::any_of(mOverlayBursts.begin(), mOverlayBursts.end(),
                                 [&](const SOverlayBurst& burst) { return burst.mKey == index && burst.mKind == kind; });
  if (known || (kind != 0 && kind != 1) || !mOverlay || !IsEntryIndex(index)) return;
  rovovoz::CTriangleObject3D* trigger = mEntries[static_cast<size_t>(index)].mTrigger;
  if (!trigger) return;
  rovovoz::CBaseParamInitEmiter block;
  block.mName = L"part_find_sel";
  block.mTextureFile = L"A_ZonaBlesk.tga";
  block.mRenderSeting = L"MT_PARTICLE_GAME";
  block.mX1 = -16.0f;
  block.mZ1 = -16.0f;
  block.mX2 = 16.0f;
  block.mZ2 = 16.0f;
  block.mWidth = 32.0f;
  block.mDepth = 32.0f;
  block.mScaleX = 1.0f;
  block.mScaleZ = 1.0f;
  zormath::Vec3f position = trigger->GetPosition3D();
  position.y = 90.0f;
  block.mPosition = position;
  // The sparkle runs over the trigger's own outline.
  block.mRegion = trigger->GetRegion();
  block.mAreaKind = rovovoz::kEmiterAreaRegion;
  const int32_t emiter = mOverlay->AddEmiter(block, 0.0f);
  mOverlay->SetEmiterState(emiter, 0, 0.0f);
  SOverlayBurst burst;
  burst.mKey = index;
  burst.mKind = kind;
  burst.mEmiter = emiter;
  mOverlayBursts.push_back(burst);
}

// ---- remaining-item counts ----------------------------------------------------------

namespace {

// Items of the simple groups whose task is open and whose entry is in play.
int32_t CountSimple(CBaseBack& back, const CBaseBack::ZoneMap& zones, std::initializer_list<const wchar_t*> kinds) {
  int32_t count = 0;
  for (const wchar_t* kind : kinds) {
    const auto group = zones.find(kind);
    if (group == zones.end()) continue;
    for (const SZoneObject& item : group->second) {
      SObjectTaskInfo* task = nullptr;
      if (!Progress().FindObjectTask(kind, item.mName, task) || !task || task->mValue != 1) continue;
      if (back.IsEntryIndex(item.ind) && back.GetEntry(item.ind).mState == 1) ++count;
    }
  }
  return count;
}

// Calls count(item, task) for every complex item of the kind whose task is open.
template <class Count>
int32_t CountComplex(const CBaseBack::ComplexZoneMap& zones, const wchar_t* kind, Count count) {
  const auto group = zones.find(kind);
  if (group == zones.end()) return 0;
  int32_t total = 0;
  for (const SZoneComplex& item : group->second) {
    SComplexTaskInfo* task = nullptr;
    if (!Progress().FindComplexTask(kind, item.mName, task) || !task || task->mValue != 1) continue;
    total += count(item, *task);
  }
  return total;
}

}  // namespace

int32_t CBaseBack::UpdateFindList(int flag) {
  int32_t count = CountSimple(*this, mZones, {L"find", L"free"});
  count += CountComplex(mComplexZones, L"find", [&](const SZoneComplex& item, const SComplexTaskInfo& task) {
    int32_t n = 0;
    for (const SComplexPiece& record : task.mPieces)
      for (const SZoneItem& piece : item.mPieces)
        if (static_cast<uint32_t>(piece.num) == record.mId &&
            (flag || IsObjectParamCSet(PieceObjectName(L"TK_", item.mName, piece.num))))
          ++n;
    return n;
  });
  count += CountComplex(mComplexZones, L"hog", [&](const SZoneComplex& item, const SComplexTaskInfo& task) {
    int32_t n = 0;
    for (const SComplexPiece& record : task.mPieces) {
      if (!record.mPending) continue;
      for (const SZoneItem& piece : item.mPieces) {
        if (static_cast<uint32_t>(piece.num) != record.mId) continue;
        if (flag) {
          ++n;
          continue;
        }
        const std::wstring name = PieceObjectName(L"THK_", item.mName, piece.num);
        const int index = GetObjectIndex2(name);
        if (index >= 0 && mEntries[static_cast<size_t>(index)].mUpdating && IsObjectParamCSet(name)) ++n;
      }
    }
    return n;
  });
  return count;
}

int32_t CBaseBack::UpdateHogList() {
  const auto pending = [](const SZoneComplex&, const SComplexTaskInfo& task) {
    return static_cast<int32_t>(std::count_if(task.mPieces.begin(), task.mPieces.end(),
                                              [](const SComplexPiece& p) { return p.mPending != 0; }));
  };
  return CountSimple(*this, mZones, {L"find", L"free"}) + CountComplex(mComplexZones, L"find", pending) +
         CountComplex(mComplexZones, L"hog", pending);
}

int32_t CBaseBack::UpdatePushList() {
  return CountSimple(*this, mZones, {L"push", L"spush"}) +
         CountComplex(mComplexZones, L"push", [](const SZoneComplex& item, const SComplexTaskInfo& task) {
           int32_t n = 0;
           for (const SComplexPiece& record : task.mPieces)
             for (const SZoneItem& piece : item.mActivePieces)
               if (static_cast<uint32_t>(piece.num) == record.mId) ++n;
           return n;
         });
}

int32_t CBaseBack::UpdateMouseList() { return CountSimple(*this, mZones, {L"mouse"}); }
