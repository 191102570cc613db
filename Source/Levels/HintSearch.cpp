#include "Levels/HintSearch.h"

#include "Game.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/Logic.h"
#include "Platform/Random.h"
#include "PlayerRecord.h"

namespace {

const std::wstring kSimple = L"simple";
const std::wstring kComplex = L"complex";

}  // namespace

bool CHintSearch::IsActiveSimple(const std::wstring& group, const std::wstring& item, std::wstring* tip) const {
  SObjectTaskInfo* task = nullptr;
  if (!gCurrentPlayer.mEpisodInfo.FindObjectTask(group, item, task) || !task || task->mValue != 1) return false;
  if (tip) *tip = task->mName2;
  return true;
}

bool CHintSearch::Click(int32_t entry, const wchar_t* kind, const std::wstring& group, const std::wstring& item,
                        const SLogicAction* record, int mask) const {
  return mBack.ClickSimpleComplex(entry, kind, group, item, const_cast<SLogicAction*>(record), mask) != 0;
}

void CHintSearch::ComplexPieces(const std::wstring& group, bool firstOnly, bool carriedOnly,
                                const SLogicAction* record, int mask) {
  const auto zone = mBack.GetComplexZones().find(group);
  if (zone == mBack.GetComplexZones().end()) return;
  for (const SZoneComplex& item : zone->second) {
    if (carriedOnly && !gCurrentPlayer.HasName(item.mName)) continue;
    SComplexTaskInfo* task = nullptr;
    if (!gCurrentPlayer.mEpisodInfo.FindComplexTask(group, item.mName, task) || !task || task->mValue != 1) continue;
    bool taken = false;
    for (const SComplexPiece& record_ : task->mPieces) {
      for (const SZoneItem& piece : item.mPieces) {
        if (static_cast<uint32_t>(piece.num) != record_.mId) continue;
        if (!Click(piece.ind, kComplex.c_str(), group, item.mName, record, mask)) continue;
        pool.push_back(piece.ind);
        names.push_back(item.mName);
        taken = true;
        if (firstOnly) break;
      }
      if (taken && firstOnly) break;
    }
  }
}

bool CHintSearch::FindItems() {
  Clear();
  ComplexPieces(L"find", false, false, nullptr, -1);
  ComplexPieces(L"hog", false, false, nullptr, -1);
  for (const wchar_t* group : {L"find", L"free"}) {
    const auto zone = mBack.GetZones().find(group);
    if (zone == mBack.GetZones().end()) continue;
    for (const SZoneObject& item : zone->second)
      if (IsActiveSimple(group, item.mName) && Click(item.ind, kSimple.c_str(), group, item.mName)) {
        pool.push_back(item.ind);
        names.push_back(item.mName);
      }
  }
  return !pool.empty();
}

bool CHintSearch::ActiveItems(const std::wstring& group, bool needTip, bool clickTest) {
  Clear();
  const auto zone = mBack.GetZones().find(group);
  if (zone == mBack.GetZones().end()) return false;
  for (const SZoneObject& item : zone->second) {
    std::wstring tip;
    if (!IsActiveSimple(group, item.mName, &tip)) continue;
    if (needTip && tip.empty()) continue;
    if (clickTest && !Click(item.ind, kSimple.c_str(), group, item.mName)) continue;
    pool.push_back(item.ind);
    names.push_back(tip);
  }
  return !pool.empty();
}

bool CHintSearch::RegionItems(const std::wstring& kind) {
  Clear();
  const auto zone = mBack.GetZones().find(L"region");
  if (zone == mBack.GetZones().end()) return false;
  for (const SZoneObject& item : zone->second) {
    std::wstring tip;
    if (!IsActiveSimple(L"region", item.mName, &tip)) continue;
    // The event appends the entry itself; the tip follows in step.
    if (mBack.OnRegionEvent(L"region", item.mName, pool, item.ind, kind)) names.push_back(tip);
  }
  return !pool.empty();
}

bool CHintSearch::PushItems(const SLogicAction* record, int mask, EItemFilter filter) {
  Clear();
  const auto zone = mBack.GetZones().find(L"push");
  if (zone != mBack.GetZones().end())
    for (const SZoneObject& item : zone->second)
      if (gCurrentPlayer.HasName(item.mName) && IsActiveSimple(L"push", item.mName) &&
          Click(item.ind, kSimple.c_str(), L"push", item.mName, record, mask)) {
        pool.push_back(item.ind);
        names.push_back(item.mName);
      }
  ComplexPieces(L"push", true, true, record, mask);
  // Entry and name leave together, so position k of both stays one object.
  for (size_t i = pool.size(); i-- > 0;) {
    const SPredmetInfo* info = gLogic ? gLogic->StdPredmetMapFind(names[i]) : nullptr;
    const bool keep = info && (filter == EItemFilter::InTable || !info->KeyTextTips.empty());
    if (keep) continue;
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(i));
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return !pool.empty();
}

void CHintSearch::PickUpAndUse(bool takeHeld, std::vector<int32_t>& sfind, std::vector<std::wstring>& sfindNames,
                               std::vector<int32_t>& spush, std::vector<std::wstring>& spushNames) {
  const std::wstring held = takeHeld && gGamePanel ? gGamePanel->GetCursorName() : std::wstring();
  const auto& zones = mBack.GetZones();
  if (const auto zone = zones.find(L"sfind"); zone != zones.end())
    for (const SZoneObject& item : zone->second)
      if (IsActiveSimple(L"sfind", item.mName) &&
          ((takeHeld && held == item.mName) || Click(item.ind, kSimple.c_str(), L"sfind", item.mName))) {
        sfind.push_back(item.ind);
        sfindNames.push_back(item.mName);
      }
  if (const auto zone = zones.find(L"spush"); zone != zones.end())
    for (const SZoneObject& item : zone->second)
      if (IsActiveSimple(L"spush", item.mName) && Click(item.ind, kSimple.c_str(), L"spush", item.mName)) {
        spush.push_back(item.ind);
        spushNames.push_back(item.mName);
      }
}

size_t CHintSearch::Pick(size_t n) {
  size_t k = static_cast<size_t>(Platform::RandomFloat() * static_cast<float>(n));
  // A fraction of exactly 1.0 would point one past the end.
  return k >= n ? n - 1 : k;
}

int CHintSearch::LastIndexOf(const std::vector<std::wstring>& list, const std::wstring& name) {
  for (size_t i = list.size(); i-- > 0;)
    if (list[i] == name) return static_cast<int>(i);
  return -1;
}

void CHintSearch::Beam(int32_t entry, int beam) { mBack.ShowHintAtObject(entry, nullptr, beam); }

void CHintSearch::BeamWithTip(size_t k) {
  Beam(pool[k]);
  if (!names[k].empty()) mBack.ShowTip(names[k], L"k_game_text");
}

void CHintSearch::BeamWithItem(size_t k) {
  Beam(pool[k]);
  if (gGamePanel) gGamePanel->ShowHintOnItem(names[k]);
}
