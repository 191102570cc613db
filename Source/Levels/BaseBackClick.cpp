// Clicks on the scene's entries: the hover chain ("mm_") that runs every
// frame while the mouse rests on an entry, the click chain ("mc_") when the
// button is down, "mc_empty", the panel cursor over each kind of zone, the
// test chain of the hint search and the hint marker on an entry.
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Platform/Strings.h"

namespace {

// A chain name runs as a plain click would run it; zero stops the chain.
constexpr int kNoExtra = -1;

// Object names with "S" as second and "_" as third character also run
// "mc_empty" when pressed: they stand for empty scenery.
bool IsSceneryName(const std::wstring& name) { return name.size() >= 3 && name[1] == L'S' && name[2] == L'_'; }

// The zone keyword whose item list holds the item (the maps are keyed by it).
template <class Map, class Item>
std::wstring KindOf(Map& zones, const Item* item) {
  for (auto& [kind, items] : zones)
    for (const auto& candidate : items)
      if (&candidate == item) return kind;
  return std::wstring();
}

}  // namespace

int32_t CBaseBack::OnClick(int index, int pressed, rovovoz::CMouseCursor* cursor) {
  if (IsClickTakenByHint(cursor)) return 0;
  int32_t result = 0;
  if (index != -1) {
    result = OnPushSimple(index, pressed);
    if (!(result & kClickInZone)) result |= OnPushComplex(index, pressed);
    if (!(result & kClickInZone)) result |= RunObjectActions(index, pressed);
  }
  if (pressed) {
    const bool scenery = index != -1 && IsEntryIndex(index) && IsSceneryName(mEntries[static_cast<size_t>(index)].mTriggerName);
    if (index == -1 || scenery) RunActionByName(L"mc_empty", 0, nullptr, kNoExtra);
  }
  // A click on a zone ends the camera view's hold.
  if ((result & kClickInZone) && pressed == 1 && !mModes.empty() && mModes.front() == 8 && mCountdownState == 2) {
    mCountdownState = -1;
    EndZoom();
  }
  return result;
}

int32_t CBaseBack::RunObjectActions(int index, int pressed) {
  const int32_t r = RunMmAction(index, L"", L"", L"");
  if ((r & kClickStopped) || pressed != 1) return r;
  return r | RunMcAction(index, L"", L"", L"");
}

int32_t CBaseBack::OnPushSimple(int index, int pressed) {
  std::vector<SZoneObject>* items = nullptr;
  SZoneObject* item = nullptr;
  if (!FindZoneItemByIndex(index, items, item)) return 0;
  const std::wstring group = KindOf(mZones, item);
  const std::wstring name = item->mName;
  const int32_t r = RunMmAction(index, L"simple", group, name);
  int32_t result = r | kClickInZone;
  if (!(r & kClickStopped)) {
    if (group == L"push" || group == L"spush") RemoveObjectEffect(index);
    UpdatePanelCursor(group, index);
    if (pressed == 1) result |= RunMcAction(index, L"simple", group, name);
  }
  return result;
}

int32_t CBaseBack::OnPushComplex(int index, int pressed) {
  std::vector<SZoneComplex>* items = nullptr;
  SZoneComplex* item = nullptr;
  SZoneItem* piece = nullptr;
  if (!FindZone2ItemByIndex(index, items, item, piece)) return 0;
  const std::wstring group = KindOf(mComplexZones, item);
  const std::wstring name = item->mName;
  const int32_t r = RunMmAction(index, L"complex", group, name);
  int32_t result = r | kClickInZone;
  if (!(r & kClickStopped)) {
    if (group == L"push") RemoveObjectEffect(index);
    ShowZoneCursor(group);
    if (pressed == 1) result |= RunMcAction(index, L"complex", group, name);
  }
  return result;
}

int32_t CBaseBack::RunMmAction(int index, const std::wstring& kind, const std::wstring& group,
                               const std::wstring& item) {
  auto run = [&](const std::wstring& name) { return RunActionByName(L"mm_" + name, 0, nullptr, kNoExtra) != 0; };
  if (!IsEntryIndex(index)) return 0;
  if (!run(mEntries[static_cast<size_t>(index)].mTriggerName)) return kClickStopped;
  if (kind.empty()) return 0;
  if (!group.empty() && !item.empty()) {
    if (!run(group + L"_" + item)) return kClickStopped;
    if (!run(group)) return kClickStopped;
  }
  if (!run(kind)) return kClickStopped;
  return 0;
}

int32_t CBaseBack::RunMcAction(int index, const std::wstring& kind, const std::wstring& group,
                               const std::wstring& item) {
  if (!mEpisod || !IsEntryIndex(index)) return 0;
  auto run = [&](const std::wstring& name) { return RunActionByName(L"mc_" + name, 0, nullptr, kNoExtra) != 0; };
  const SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  if (entry.mState == 1 && mSounds && group == L"lupa" && gGamePanel && gGamePanel->IsCursorEmpty())
    PlaySound(L"I_Info", 1.0f, 0.0f, 1);
  if (!run(entry.mTriggerName)) return kClickStopped;
  // The action may have changed the entry: read its state again.
  if (mEntries[static_cast<size_t>(index)].mState != 1) return kClickStopped;
  if (kind.empty()) return 0;
  if (!group.empty() && !item.empty()) {
    if (!run(group + L"_" + item)) return kClickStopped;
    if (!run(group)) return kClickStopped;
  }
  if (!run(kind)) return kClickStopped;
  if (group.empty() || item.empty()) return 0;
  if (kind == L"simple") return ClickObject(index, group, item);
  if (kind == L"complex") return ClickPiece(index, group, item);
  return 0;
}

int32_t CBaseBack::ClickSimpleComplex(int index, const std::wstring& kind, const std::wstring& group,
                                      const std::wstring& item, SLogicAction* record, int extra) {
  if (!mEpisod || !IsEntryIndex(index)) return 0;
  auto passes = [&](const std::wstring& name) { return RunActionByName(L"mc_" + name, 1, record, extra) != 0; };
  const SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  if (!entry.mUpdating) return 0;
  if (!passes(entry.mTriggerName)) return 0;
  if (entry.mState != 1 || !entry.mClickable) return 0;
  if (kind.empty()) return 1;
  if (!group.empty() && !item.empty()) {
    if (!passes(group + L"_" + item)) return 0;
    if (!passes(group)) return 0;
  }
  if (!passes(kind)) return 0;
  if (group.empty() || item.empty()) return 1;
  if (kind == L"simple") return ClickZoneItem(index, group, item, record, extra);
  if (kind == L"complex") return ClickPieceItem(index, group, item, record, extra);
  return 1;
}

void CBaseBack::UpdatePanelCursor(const std::wstring& group, int index) {
  if (group == L"hog") {
    if (gGamePanel) gGamePanel->SetCursorMode(4);
    OnHogHover(index);
    return;
  }
  if (!gGamePanel) return;
  if (group == L"push" || group == L"spush") {
    gGamePanel->SetCursorMode(1);
  } else if (group == L"find" || group == L"sfind" || group == L"free" || group == L"morph") {
    if (gGamePanel->IsCursorEmpty()) gGamePanel->SetCursorMode(2);
  } else if (group == L"mouse") {
    if (gGamePanel->IsCursorEmpty()) gGamePanel->SetCursorMode(3);
  }
}

void CBaseBack::ShowZoneCursor(const std::wstring& group) {
  if (group == L"push" && gGamePanel) gGamePanel->SetCursorMode(1);
}

void CBaseBack::ShowHintAtObject(int index, rovovoz::CBaseGeometryObject* object, int slot) {
  if (!IsEntryIndex(index)) return;
  const SObjectEntry& entry = mEntries[static_cast<size_t>(index)];
  zormath::Vec3f at;
  if (entry.mObject)
    at = entry.mObject->GetPosition3D();
  else if (entry.mTrigger)
    at = entry.mTrigger->GetPosition3D();
  else
    return;
  if (gGamePanel) gGamePanel->ShowHintAt(at.x, at.y, at.z, object, slot);
  mHintBeamPending = 1;
}

bool CBaseBack::MatchObjectActionName(const std::wstring& name, const std::wstring& kind, const std::wstring& group,
                                      const std::wstring& item, const std::wstring& entryName) {
  for (const wchar_t* prefix : {L"mm_", L"mc_", L"del_"}) {
    const std::wstring p = prefix;
    if (!entryName.empty()) {
      if (Platform::EqualsNoCase(name, p + entryName)) return true;
    } else if (!kind.empty() && Platform::EqualsNoCase(name, p + kind)) {
      return true;
    }
    // Without a group (or item) the later prefixes are still tried, so
    // that "mc_" and "del_" names of an entry outside the zones are known.
    if (group.empty()) continue;
    if (Platform::EqualsNoCase(name, p + group)) return true;
    if (item.empty()) continue;
    if (Platform::EqualsNoCase(name, p + group + L"_" + item)) return true;
    if (Platform::EqualsNoCase(name, L"del_" + group + L"_" + item + L"_kus")) return true;
  }
  return false;
}
