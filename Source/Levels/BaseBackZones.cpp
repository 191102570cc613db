// Interaction zones and the mode queue. The zones' reset and refresh, the
// mode starts and ends and the find-item list are the work of the zone
// and mode handling; here are the lookups the effects need and the entry
// points the rest of the scene calls.
#include "Levels/BaseBack.h"

void CBaseBack::ResetAllZones() {}

void CBaseBack::UpdateAllZones(int) {}

bool CBaseBack::FindZoneItem(const std::wstring& kind, const std::wstring& name, std::vector<SZoneObject>*& group,
                             SZoneObject*& item) {
  const auto found = mZones.find(kind);
  if (found == mZones.end()) return false;
  for (SZoneObject& candidate : found->second) {
    if (candidate.mName != name) continue;
    group = &found->second;
    item = &candidate;
    return true;
  }
  return false;
}

bool CBaseBack::FindZone2Item(const std::wstring& kind, const std::wstring& name, std::vector<SZoneComplex>*& group,
                              SZoneComplex*& item) {
  const auto found = mComplexZones.find(kind);
  if (found == mComplexZones.end()) return false;
  for (SZoneComplex& candidate : found->second) {
    if (candidate.mName != name) continue;
    group = &found->second;
    item = &candidate;
    return true;
  }
  return false;
}

void CBaseBack::PushMode(int, int) {}

void CBaseBack::PopMode(int) {}

void CBaseBack::AddFindItems(const std::wstring&, const std::wstring&, const std::wstring&) {}
