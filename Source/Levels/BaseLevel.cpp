// The playable scene's life cycle: attach to a chapter (which close-ups it
// has), the start of a visit, its action runner and the mode-queue steps of
// its close-up modes.
#include "Levels/BaseLevel.h"

#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/DialogManager.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Interface/HintMenu.h"
#include "Levels/BaseBackLog.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Random.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"
#include "Regions/BaseRegion.h"

CBaseLevel::CBaseLevel() = default;

CBaseLevel::~CBaseLevel() { CBaseLevel::Release(0); }

int32_t CBaseLevel::Release(uint32_t flags) {
  // The close-ups belong to the logic's close-up list.
  mRegions.clear();
  mOpenRegion = nullptr;
  mPortalMarkers.clear();
  mPortals.clear();
  CBaseBack::Release(flags);
  return 0;
}

int32_t CBaseLevel::Load(uint32_t flags) {
  for (auto& [name, region] : mRegions)
    if (region) region->Load(1);
  return CBaseBack::Load(flags);
}

int32_t CBaseLevel::UnLoad(uint32_t flags) {
  for (auto& [name, region] : mRegions)
    if (region) region->UnLoad(3);
  return CBaseBack::UnLoad(flags);
}

// ---- attach and start ---------------------------------------------------------

int32_t CBaseLevel::AttachToEpisod(CBaseEpisod* episod, CBaseBack* owner) {
  mEpisod = episod;
  return LoadBack(episod, owner);
}

int32_t CBaseLevel::LoadBack(CBaseEpisod* episod, CBaseBack* owner) {
  if (!CBaseBack::LoadBack(episod, owner)) return 0;
  mHoveredRegionItem.clear();
  mMiniGame = nullptr;
  mOpenRegion = nullptr;
  mRegions.clear();
  if (!gLogic) return 0;
  const std::wstring name = GetName();
  SBackTaskCounts* tasks = nullptr;
  if (!gCurrentPlayer.mEpisodInfo.FindBackTasks(name, tasks) || !tasks) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, L"BaseLevel", 74, L"No find info sadanies back %s",
                        name.c_str());
    return 0;
  }
  for (const auto& [regionName, count] : tasks->mCounters) {
    (void)count;
    CBaseRegion* region = gLogic->FindRegion(regionName);
    if (!region) continue;
    // A close-up that cannot stand in this scene (no frame form) stays out
    // of it: every step of its opening and closing needs the frame.
    if (!region->LoadBack(mEpisod, this)) continue;
    mRegions[regionName] = region;
  }
  return 1;
}

int32_t CBaseLevel::StartBack(uint32_t flags) {
  if (gDialogManager) gDialogManager->Stop();
  mLevelParticlesA = nullptr;
  mLevelParticlesB = nullptr;
  mHoveredRegionItem.clear();
  SetHintMenu(gHintMenu);
  if (gHintMenu) gHintMenu->CloseHint(1, 0.0f);
  if (gGamePanel) {
    gGamePanel->RestoreFromPlayer();
    mLevelParticlesA = gGamePanel->GetLevelParticlesA();
    mLevelParticlesB = gGamePanel->GetLevelParticlesB();
    if (mLevelParticlesA) mLevelParticlesA->Clear();
    if (mLevelParticlesB) {
      mLevelParticlesB->Clear();
      mLevelParticlesB->SetWorldMatrix3D(zormath::Mat4f::Identity());
    }
  }
  mMiniGame = nullptr;
  mOpenRegion = nullptr;
  mPortals.clear();
  if (!CBaseBack::StartBack(flags)) return 0;
  for (auto& [name, region] : mRegions)
    if (region && !region->StartBack(0)) return 0;
  const auto portals = mZones.find(L"portal");
  if (portals != mZones.end())
    for (const SZoneObject& item : portals->second)
      if (IsEntryIndex(item.ind) && GetEntry(item.ind).mState == 1) AddPortal(item.ind);
  for (const auto& [portal, marker] : mPortalMarkers) {
    if (!IsEntryIndex(marker)) continue;
    GetEntry(marker).mActive = 0;
    GetEntry(marker).mClickable = 0;
  }
  mVideoFade = 1.0f;
  return 1;
}

// ---- actions ------------------------------------------------------------------------

bool CBaseLevel::FindAction(const std::wstring& name, SLogicActionEntry*& entry) {
  return gCurrentPlayer.mEpisodInfo.mActions.FindInGroup(GetName(), name, entry);
}

int32_t CBaseLevel::DoAction(const std::wstring& name, int mode, SLogicAction* record, int mask) {
  const int32_t saved = mAskRegions;
  mAskRegions = 1;
  const int32_t result = RunActionByName(name, mode, record, mask);
  mAskRegions = saved;
  return result;
}

int32_t CBaseLevel::RunPeerActions(const std::wstring& name, int mode, const SLogicAction* query, int mask) {
  if (!mAskRegions) return CActionRunner::kPeersGoOn;
  // The close-ups run their own actions of the name (with their own
  // runner, not asking anyone further).
  const int32_t saved = mAskRegions;
  mAskRegions = 0;
  int32_t answer = CActionRunner::kPeersGoOn;
  for (auto& [regionName, region] : mRegions) {
    if (!region) continue;
    const int32_t r = region->DoAction(name, mode, const_cast<SLogicAction*>(query), mask);
    if (r == 0) {
      answer = 0;
      break;
    }
    if (query && mode == kActionModeQuery) {
      answer = 1;
      break;
    }
  }
  mAskRegions = saved;
  return answer;
}

int32_t CBaseLevel::ExecuteAction(SLogicAction& record, int mode, int randomize) {
  if (mode != kActionModeNormal && mode != kActionModeDry) return CBaseBack::ExecuteAction(record, mode, randomize);
  if (randomize) record.Countdown = record.time + record.time2 * Platform::RandomFloat();
  if (mode == kActionModeNormal && record.Countdown > 0.0f) {
    mDelayedActions.push_back(record);
    return 1;
  }
  if (record.Operation == actioncodes::kOperationRun && record.Type == levelcodes::kTargetRegion) {
    if (mode == kActionModeDry) {
      mPendingRegion = record.par1;
      return 1;
    }
    if (OpenRegion(record.par1, record.par_i1 == 0, record.par_i2 != 1, record.par_i3 == 1) == 1)
      PushMode(kModeRegionOpen, 0);
  }
  return CBaseBack::ExecuteAction(record, mode, randomize);
}

// ---- mode queue --------------------------------------------------------------------

void CBaseLevel::PushMode(int mode, int arg) {
  if (mModes.empty()) {
    mModes.push_back(mode);
    HandleStartEnd(arg);
    return;
  }
  if (mode == kModeCountdown && mModes.front() == kModeCountdown) return;
  mModes.push_back(mode);
}

void CBaseLevel::HandleStartEnd(int drain) {
  if (mModes.empty()) return;
  if (mModes.front() != kModeRegionOpen) {
    CBaseBack::HandleStartEnd(drain);
    return;
  }
  // While a close-up is open (and until it has closed) it owns the mouse:
  // the scene behind it neither hovers nor picks, so a press meant for the
  // close-up or for a window over it (the item window's OK, a hint's button)
  // is never read a second time by a trigger of the scene underneath.
  ++mBusy;
  ++mNoPick;
  if (drain) {
    PopMode(drain);
  } else if (mOpenRegion) {
    mOpenRegion->StartBack(1);
    if (gInputSystem) {
      gInputSystem->ClearStateButton(0, 1);
      gInputSystem->ClearStateButton(0, 4);
    }
    FadeInShade(0.7f);
  } else {
    PopMode(0);
  }
}

void CBaseLevel::CloseItemMenuAndMiniGame(int drain) {
  if (!FrontIsRegionMode()) {
    CBaseBack::CloseItemMenuAndMiniGame(drain);
    return;
  }
  --mBusy;
  --mNoPick;
  if (drain && mModes.front() == kModeRegionDone && mEpisod && mOpenRegion)
    mEpisod->DeleteSimpleObject(L"region", mOpenRegion->GetZoneItemName());
  mOpenRegion = nullptr;
}

bool CBaseLevel::FrontIsRegionMode() const {
  if (mModes.empty()) return false;
  const int front = mModes.front();
  return front == kModeRegionOpen || front == kModeRegionClosing || front == kModeRegionDone;
}

void CBaseLevel::QuietBack() {
  CBaseBack::QuietBack();
  if (mOpenRegion) {
    mOpenRegion->Close(0.0f);
    mOpenRegion = nullptr;
  }
}

void CBaseLevel::OnEpisodeStarted() {
  if (mOpenRegion) mOpenRegion->OnRegionStarted();
}

bool CBaseLevel::IsObjectParamCSetInAny(const std::wstring& name) {
  if (IsObjectParamCSet(name)) return true;
  for (auto& [regionName, region] : mRegions)
    if (region && region->IsObjectParamCSet(name)) return true;
  return false;
}

int32_t CBaseLevel::OnDebugCommand(const std::wstring& command) {
  if (!Platform::EqualsNoCase(command, L"win") || FrontMode() != kModeMiniGame)
    return CBaseBack::OnDebugCommand(command);
  return WinFrameMiniGame(*this, mMiniGame);
}

int32_t WinFrameMiniGame(CBaseBack& back, CBaseMiniGame*& miniGame) {
  if (miniGame) {
    miniGame->Finish();
    back.EndMiniGame(miniGame->GetName());
    if (miniGame) miniGame->UnLoad(3);
    miniGame = nullptr;
  }
  back.PopMode(0);
  return 1;
}

int32_t CBaseLevel::HandleWordCommand(const std::vector<std::wstring>& words) {
  if (!words.empty() && Platform::EqualsNoCase(words[0], L"win")) return OnDebugCommand(words[0]);
  if (!words.empty() && Platform::EqualsNoCase(words[0], L"add")) RefreshPushZones();
  if (FrontMode() == kModeRegionOpen && mOpenRegion) return mOpenRegion->HandleWordCommand(words);
  return CBaseBack::HandleWordCommand(words);
}

