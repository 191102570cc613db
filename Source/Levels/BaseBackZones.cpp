// Interaction zones and the mode queue. The zones' reset and refresh, the
// mode starts and ends and the find-item list are the work of the zone
// and mode handling; here are the lookups the effects need and the entry
// points the rest of the scene calls.
#include "Levels/BaseBack.h"

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

}  // namespace

void CBaseBack::ResetAllZones() {}

void CBaseBack::UpdateAllZones(int) {}

bool CBaseBack::FindZoneItem(const std::wstring& kind, const std::wstring& name, std::vector<SZoneObject>*& group,
                             SZoneObject*& item) {
  return FindInZones(mZones, kind, name, group, item);
}

bool CBaseBack::FindZone2Item(const std::wstring& kind, const std::wstring& name, std::vector<SZoneComplex>*& group,
                              SZoneComplex*& item) {
  return FindInZones(mComplexZones, kind, name, group, item);
}

void CBaseBack::PushMode(int, int) {}

void CBaseBack::PopMode(int) {}

void CBaseBack::AddFindItems(const std::wstring&, const std::wstring&, const std::wstring&) {}
