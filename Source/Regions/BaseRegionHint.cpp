// The hint button while a close-up is open: the close-up's own open work,
// stage by stage, or -1 when it holds nothing more so that its scene can
// close it and search its own objects. Also the question whether the
// close-up holds an item of a kind the player can act on now.
#include "Game.h"
#include "Levels/BaseLevel.h"
#include "Levels/HintSearch.h"
#include "Logic/Logic.h"
#include "PlayerRecord.h"
#include "Regions/BaseRegion.h"

namespace {

constexpr int kModePause = 3;
constexpr int kMaskOperationAndType = 3;

}  // namespace

int32_t CBaseRegion::FindHintTarget(int queryOnly) {
  if (!mModes.empty() && mModes.front() == kModePause) return 0;
  CHintSearch search(*this);
  const bool show = !queryOnly;
  if (search.FindItems()) {
    if (show) search.Beam(search.pool[CHintSearch::Pick(search.pool.size())]);
    return 1;
  }
  {
    std::vector<int32_t> a, b;
    std::vector<std::wstring> aNames, bNames;
    search.PickUpAndUse(false, a, aNames, b, bNames);
    if (!a.empty()) {
      const size_t k = CHintSearch::Pick(a.size());
      if (show) search.Beam(a[k], 0);
      const int m = CHintSearch::LastIndexOf(bNames, aNames[k]);
      if (m >= 0 && show) search.Beam(b[static_cast<size_t>(m)], 1);
      return 1;
    }
  }
  if (UpdateFindList(1) + UpdateMouseList() + UpdatePushList() == 0) return -1;
  if (search.PushItems(nullptr, kActionMaskAll, CHintSearch::EItemFilter::InTable)) {
    if (show) search.BeamWithItem(CHintSearch::Pick(search.pool.size()));
    return 1;
  }
  SLogicAction miniGame;
  miniGame.Operation = actioncodes::kOperationRun;
  miniGame.Type = levelcodes::kTargetMiniGame;
  if (search.PushItems(&miniGame, kMaskOperationAndType, CHintSearch::EItemFilter::InTable)) {
    if (show) search.BeamWithItem(CHintSearch::Pick(search.pool.size()));
    return 1;
  }
  if (search.ActiveItems(L"mouse", true, false)) {
    if (show) search.BeamWithTip(CHintSearch::Pick(search.pool.size()));
    return 1;
  }
  if (search.ActiveItems(L"mouse", false, true)) {
    if (show) search.Beam(search.pool[CHintSearch::Pick(search.pool.size())]);
    return 1;
  }
  return -1;
}

bool CBaseRegion::HasUsableZoneItems(const std::wstring& kind) {
  CHintSearch search(*this);
  if (kind == L"push") return search.PushItems(nullptr, kActionMaskAll, CHintSearch::EItemFilter::InTable);
  if (kind == L"spush") return search.ActiveItems(L"spush", false, true);
  if (kind == L"mouse") return search.ActiveItems(L"mouse", true, false) || search.ActiveItems(L"mouse", false, true);
  return false;
}
