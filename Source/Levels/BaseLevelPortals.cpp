// Portals: the "portal" zone items that lead to a neighbouring scene. The
// scene keeps the enabled ones, gives the cursor its portal look over them,
// plays the way-back or way-on sound when one is clicked and flies the
// camera toward its marker before the chapter's script changes the scene.
// The chapter's requests on "region" and "portal" items land here too.
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Interface/InterfaceHelpers.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Regions/BaseRegion.h"

namespace {

// A portal whose trigger lies below this depth leads back the way the
// player came.
constexpr float kPortalBackDepth = -200.0f;

}  // namespace

int32_t CBaseLevel::LoadInfo(const TiXmlElement* level) {
  const int32_t result = CBaseBack::LoadInfo(level);
  mPortalMarkers.clear();
  if (!result) return result;
  const auto portals = mZones.find(L"portal");
  if (portals == mZones.end()) return result;
  for (const SZoneObject& item : portals->second) {
    const int marker = GetObjectIndex2(L"TPOC_" + item.mName);
    if (marker >= 0) mPortalMarkers.emplace(item.ind, marker);
  }
  return result;
}

void CBaseLevel::AddPortal(int index) {
  for (const PortalRecord& portal : mPortals)
    if (portal.entryIndex == index) return;
  if (!IsEntryIndex(index) || !GetEntry(index).mTrigger) return;
  PortalRecord record;
  record.entryIndex = index;
  const auto marker = mPortalMarkers.find(index);
  record.markerIndex = marker != mPortalMarkers.end() ? marker->second : -1;
  mPortals.push_back(record);
}

void CBaseLevel::RemovePortal(int index) {
  for (auto it = mPortals.begin(); it != mPortals.end(); ++it)
    if (it->entryIndex == index) {
      mPortals.erase(it);
      return;
    }
}

void CBaseLevel::HighlightPortal(int index) {
  for (PortalRecord& portal : mPortals)
    if (portal.entryIndex == index) portal.highlighted = 1;
}

void CBaseLevel::ClearPortalHighlights() {
  for (PortalRecord& portal : mPortals) portal.highlighted = 0;
}

int32_t CBaseLevel::RunMmAction(int index, const std::wstring& kind, const std::wstring& group,
                                const std::wstring& item) {
  mHoveredRegionItem.clear();
  const int32_t result = CBaseBack::RunMmAction(index, kind, group, item);
  if (kind != L"simple") return result;
  if (group == L"region") {
    Hook185(index);
    mHoveredRegionItem = item;
  } else if (group == L"portal") {
    std::vector<SZoneObject>* list = nullptr;
    SZoneObject* zone = nullptr;
    if (FindZoneItemByIndex(index, list, zone)) HighlightPortal(zone->ind);
  }
  return result;
}

void CBaseLevel::UpdatePanelCursor(const std::wstring& group, int index) {
  if (group == L"portal") {
    if (!gGamePanel || !IsEntryIndex(index)) return;
    for (const PortalRecord& portal : mPortals)
      if (portal.entryIndex == index) {
        const SObjectEntry& entry = GetEntry(index);
        gGamePanel->SetCursorMode(6, entry.mObject, entry.mTrigger);
        return;
      }
    return;
  }
  if (group == L"region") {
    if (gGamePanel) gGamePanel->SetCursorMode(4, nullptr, nullptr);
    return;
  }
  CBaseBack::UpdatePanelCursor(group, index);
}

int32_t CBaseLevel::RunMcAction(int index, const std::wstring& kind, const std::wstring& group,
                                const std::wstring& item) {
  const int32_t result = CBaseBack::RunMcAction(index, kind, group, item);
  if (kind.empty() || group.empty() || item.empty() || group != L"portal") return result;
  // The transition plays only when the click's own script asked the chapter
  // to leave the scene; a portal that leads nowhere yet stays silent.
  if (!mEpisod || !mEpisod->IsEndingRequested()) return result;
  const rovovoz::CTriangleObject3D* trigger = IsEntryIndex(index) ? GetEntry(index).mTrigger : nullptr;
  const bool back = trigger && trigger->GetPosition3D().y < kPortalBackDepth;
  const wchar_t* sound = back ? L"Perehod_na_predyduschii_bek" : L"Perehod_na_sleduyuschii_bek";
  ui::PlaySound(mCore, sound);
  const auto marker = mPortalMarkers.find(index);
  if (mZoom.mState == 0 && marker != mPortalMarkers.end()) {
    const int32_t ran = mEpisod->RunAction(L"beg_camera_" + group + L"_" + item, 0, nullptr, kActionMaskAll);
    const rovovoz::CTriangleObject3D* markerTrigger =
        IsEntryIndex(marker->second) ? GetEntry(marker->second).mTrigger : nullptr;
    if (ran && markerTrigger) {
      const zormath::Vec3f at = markerTrigger->GetPosition3D();
      StartZoom(at.x, at.y, at.z, 1.5f, 1.5f, 0.5f, 0);
    }
  }
  if (gGamePanel) gGamePanel->SetCursorMode(0, nullptr, nullptr);
  return result;
}

void CBaseLevel::OnClickZone(const std::wstring& kind, const std::wstring& name) {
  if (kind == L"portal") {
    std::vector<SZoneObject>* group = nullptr;
    SZoneObject* item = nullptr;
    if (FindZoneItem(kind, name, group, item)) RemovePortal(item->ind);
    CBaseBack::OnClickZone(kind, name);
    return;
  }
  CBaseBack::OnClickZone(kind, name);
  for (auto& [regionName, region] : mRegions)
    if (region) region->OnClickZone(kind, name);
}

void CBaseLevel::PlaceRequestedEntry(SObjectEntry& entry) {
  // Objects of the form file keep the place the form gives them.
  if (entry.mObject && !entry.mShared) {
    entry.mObject->LoadTransformForMesh();
    entry.mObject->SetWorldMatrix3D(mViewMatrix);
  }
  if (entry.mTrigger) {
    entry.mTrigger->LoadTransformForMesh();
    entry.mTrigger->SetWorldMatrix3D(mViewMatrix);
  }
}

void CBaseLevel::HandleModeRequest(const std::wstring& kind, const std::wstring& name, const std::wstring& text,
                                   int value) {
  if (kind != L"region" && kind != L"portal") {
    CBaseBack::HandleModeRequest(kind, name, text, value);
    for (auto& [regionName, region] : mRegions)
      if (region) region->HandleModeRequest(kind, name, text, value);
    return;
  }
  std::vector<SZoneObject>* group = nullptr;
  SZoneObject* item = nullptr;
  if (!FindZoneItem(kind, name, group, item) || !IsEntryIndex(item->ind)) return;
  const int index = item->ind;
  const bool portal = kind == L"portal";
  SObjectEntry& entry = GetEntry(index);
  // A portal is clickable but not drawn.
  entry.mActive = portal ? 0 : 1;
  entry.mClickable = 1;
  entry.mState = 1;
  entry.mClickThrough = value;
  PlaceRequestedEntry(entry);
  if (portal) AddPortal(index);
  SaveObjectVisible(index, portal ? 0 : 1);
  SaveObjectClickable(index, 1);
  SaveObjectState(index, 1);
  SaveObjectClickThrough(index, value);
  if (!portal) ShowFindSparkle(index, 0);
}
