// The hint button in a playable scene: the open close-up answers first;
// then the scene's open work is searched stage by stage (items to find,
// hidden objects, pick-up and use pairs, close-ups with work, items to use,
// puzzles to start, tips, mouse spots); with nothing left the beam points
// at the way toward a location with work, else a general tip shows. The
// active-object query asks the same stages without showing anything.
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Interface/Map.h"
#include "Levels/BaseLevel.h"
#include "Levels/HintSearch.h"
#include "Logic/LogicAction.h"
#include "PlayerRecord.h"
#include "Regions/BaseRegion.h"
#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/TriangleObject3D.h"

namespace {

// A click that would start a mini-game.
SLogicAction MiniGameTemplate() {
  SLogicAction record;
  record.Operation = actioncodes::kOperationRun;
  record.Type = levelcodes::kTargetMiniGame;
  return record;
}
constexpr int kMaskOperationAndType = 3;

}  // namespace

int32_t CBaseLevel::FindHintTarget(int queryOnly) {
  mHintTarget = -1;
  bool generalTip = false;
  if (FrontMode() == kModeRegionOpen && !queryOnly) {
    // A front mode 4 can outlive its close-up for a frame; it is not asked
    // then.
    if (mOpenRegion) {
      const int32_t answer = mOpenRegion->FindHintTarget(0);
      if (answer != -1) return answer;
      if (!mOpenRegion->IsRecordListEmpty()) return 0;
    }
    if (!mOpenRegion || !mOpenRegion->Close(0.0f)) {
      generalTip = true;
    } else {
      // Nothing left in the close-up: it goes, and the scene is searched.
      RunCloseRegionAction();
      mOpenRegion->PauseAmbientSounds();
      mOpenRegion->PauseMusic();
      FadeOutShade(0.0f);
      mModes.front() = kModeRegionClosing;
      if (mModes.size() > 1) return 0;
    }
  }
  if (generalTip) {
    std::wstring tip;
    if (!gCurrentPlayer.mEpisodInfo.GetLastObjectTaskName2(L"tips", tip)) tip = L"t_d_tips";
    ShowTip(tip, L"k_game_text");
    return 0;
  }

  CHintSearch search(*this);
  const bool show = !queryOnly;
  auto beamOne = [&]() {
    if (show) search.Beam(search.pool[CHintSearch::Pick(search.pool.size())]);
    return 1;
  };
  auto beamWithTip = [&]() {
    if (show) search.BeamWithTip(CHintSearch::Pick(search.pool.size()));
    return 1;
  };
  auto beamWithItem = [&]() {
    if (show) search.BeamWithItem(CHintSearch::Pick(search.pool.size()));
    return 1;
  };

  if (search.FindItems()) return beamOne();
  if (search.ActiveItems(L"hog", false, false)) return beamOne();
  {
    std::vector<int32_t> a, b;
    std::vector<std::wstring> aNames, bNames;
    search.PickUpAndUse(true, a, aNames, b, bNames);
    if (!a.empty()) {
      const size_t k = CHintSearch::Pick(a.size());
      const int m = CHintSearch::LastIndexOf(bNames, aNames[k]);
      if (m >= 0) {
        if (queryOnly) return 1;
        if (gGamePanel) {
          if (gGamePanel->GetCursorName() != aNames[k]) {
            search.Beam(a[k], 0);
            search.Beam(b[static_cast<size_t>(m)], 1);
          } else {
            search.Beam(b[static_cast<size_t>(m)], 0);
          }
        } else {
          search.Beam(b[static_cast<size_t>(m)], 1);
        }
        return 1;
      }
    }
  }
  if (search.RegionItems(L"find")) return beamWithTip();
  if (search.RegionItems(L"hog")) return beamWithTip();
  if (search.PushItems(nullptr, kActionMaskAll, CHintSearch::EItemFilter::InTable)) return beamWithItem();
  const SLogicAction miniGame = MiniGameTemplate();
  if (search.PushItems(&miniGame, kMaskOperationAndType, CHintSearch::EItemFilter::WithTipText))
    return beamWithItem();
  if (search.RegionItems(L"push")) return beamWithTip();
  if (search.RegionItems(L"spush")) return beamWithTip();
  if (search.ActiveItems(L"region", true, false)) return beamWithTip();
  if (search.ActiveItems(L"mouse", true, false)) return beamWithTip();
  if (search.ActiveItems(L"mouse", false, true)) return beamOne();
  if (search.RegionItems(L"mouse")) return beamWithTip();

  // Nothing to do here: the way toward a location with work left.
  if (queryOnly || !gMap) return 0;
  const std::wstring way = gMap->FindHintPortal(GetName(), mEpisod);
  if (way.empty()) return 0;
  const int index = GetObjectIndex(way);
  if (index >= 0) {
    rovovoz::CBaseGeometryObject* object = GetObject(way);
    if (!object) return 0;
    object->LoadTransformForMesh();
    if (GetEntry(index).mTrigger) object->SetPosition3D(GetEntry(index).mTrigger->GetPosition3D());
    ShowHintAtObject(index, object, 0);
    return -1;
  }
  const int trigger = GetObjectIndex2(way);
  if (trigger >= 0 && GetEntry(trigger).mTrigger) {
    ShowHintAtObject(trigger, nullptr, 0);
    return -1;
  }
  return 0;
}

int32_t CBaseLevel::HasActiveObjects() {
  ReapplyState(1);
  mHintTarget = -1;
  CHintSearch search(*this);
  if (search.FindItems()) return 1;
  if (search.ActiveItems(L"hog", false, false)) return 1;
  {
    std::vector<int32_t> a, b;
    std::vector<std::wstring> aNames, bNames;
    search.PickUpAndUse(false, a, aNames, b, bNames);
    if (!a.empty()) return 1;
  }
  if (search.RegionItems(L"find")) return 1;
  if (search.PushItems(nullptr, kActionMaskAll, CHintSearch::EItemFilter::WithTipText)) return 1;
  if (search.RegionItems(L"spush")) return 1;
  const SLogicAction miniGame = MiniGameTemplate();
  if (search.PushItems(&miniGame, kMaskOperationAndType, CHintSearch::EItemFilter::WithTipText)) return 1;
  if (search.RegionItems(L"push")) return 1;
  if (search.ActiveItems(L"region", true, false)) return 1;
  if (search.ActiveItems(L"mouse", true, false)) return 1;
  if (search.ActiveItems(L"mouse", false, true)) return 1;
  if (search.RegionItems(L"mouse")) return 1;
  return 0;
}
