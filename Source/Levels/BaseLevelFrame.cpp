// The playable scene's frame: the order in which everything of the scene
// is updated and drawn, the cut-scene that fades out over it, and the top
// layer with the object the player holds.
#include "Engine/rovovoz/DialogManager.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "PlayerRecord.h"
#include "Regions/BaseRegion.h"
#include "Roliki/BaseRolik.h"

namespace {

// The chapter state in which the scene leaves a cut-scene alone.
constexpr int32_t kEpisodStateVideo = 10;
constexpr uint32_t kDifficultyExpert = 2;

}  // namespace

int32_t CBaseLevel::Update(float dt, rovovoz::CMouseCursor* cursor) {
  // A mini-game that owns the frame gets it alone.
  if (FrontMode() == kModeMiniGame && mMiniGame && mMiniGame->IsActive()) {
    CloseMiniGameKeys(dt, cursor);
    ProcessDebugKeys();
    return 0;
  }
  if (FrontMode() == kModeRegionOpen && mOpenRegion && mOpenRegion->IsMiniGameActive()) {
    UpdateRegion(dt, cursor);
    return 0;
  }
  ResetPanelCursor();
  UpdateDelayedActions(dt);
  UpdateOverlayObject(dt);
  UpdateSceneEntries(dt, cursor);
  UpdateLevel(dt, cursor);
  UpdateZoom(dt, 0);
  UpdateAlphaFades(dt, 1.0f);
  UpdateHook(dt);
  UpdateTimedMessages(dt);
  UpdatePathObjects(dt);
  UpdateShade(dt);
  CloseMiniGameKeys(dt, cursor);
  UpdateRegion(dt, cursor);
  UpdateCountdown(dt);
  UpdateShade2(dt);
  UpdateObjectEffects(dt);
  UpdateSoundSequence(dt);
  UpdateMusic(dt);
  UpdateSounds(dt);
  UpdateHintMenu(dt, cursor);
  UpdateItemMenu(dt, cursor);
  if (gGamePanel && !gCurrentRolik) gGamePanel->Update(dt, cursor);
  if (gDialogManager) gDialogManager->Update(dt, cursor);
  ProcessDebugKeys();
  return 0;
}

int32_t CBaseLevel::Render() {
  if (FrontMode() == kModeMiniGame && mMiniGame && mMiniGame->IsActive()) {
    RenderMiniGame();
    return 0;
  }
  if (FrontMode() == kModeRegionOpen && mOpenRegion && mOpenRegion->IsMiniGameActive()) {
    RenderRegion();
    return 0;
  }
  RenderObjects(0);
  if (mHintBeamPending && gGamePanel) mHintBeamPending = gGamePanel->RenderHintBeam(mViewMatrix);
  if (mMorphPending && gGamePanel) mMorphPending = gGamePanel->RenderMorphEffect();
  if (gCurrentPlayer.mDifficulty != kDifficultyExpert) {
    if (mLevelParticlesB) mLevelParticlesB->Render();
    if (mLevelParticlesA) mLevelParticlesA->Render();
  }
  ClearPortalHighlights();
  RenderShade();
  RenderZoom();
  RenderRegion();
  if (gGamePanel && !mPanelSuppressed) gGamePanel->Render();
  RenderObjects(1);
  RenderModeOverlay();
  RenderRegionTop();
  if (gDialogManager) gDialogManager->Render();
  RenderHintMenu();
  RenderShade2();
  if (!mPanelSuppressed) RenderTopLayer();
  RenderMiniGame();
  return 0;
}

void CBaseLevel::UpdateSceneEntries(float dt, rovovoz::CMouseCursor* cursor) { UpdateEntries(dt, cursor, 0); }

void CBaseLevel::UpdateLevel(float dt, rovovoz::CMouseCursor*) {
  if (gCurrentRolik && (!mEpisod || mEpisod->GetState() != kEpisodStateVideo)) {
    if (mVideoFade > 0.0f) {
      const float hide = gCurrentRolik->GetTimeToHide();
      // A cut-scene that asks for no fade time leaves at once.
      mVideoFade -= hide > 0.0f ? dt / hide : mVideoFade;
    } else {
      mVideoFade -= 0.5f * dt;
    }
    gCurrentRolik->Update(dt, nullptr);
    if (mVideoFade < -1.0f) {
      gCurrentRolik->Stop(1);
      gCurrentRolik = nullptr;
    }
  }
  if (mLevelParticlesA) mLevelParticlesA->Update(dt, nullptr);
  if (mLevelParticlesB) mLevelParticlesB->Update(dt, nullptr);
}

void CBaseLevel::RenderTopLayer() {
  if (gCurrentRolik && (!mEpisod || mEpisod->GetState() != kEpisodStateVideo)) {
    gCurrentRolik->SetAlpha(mVideoFade);
    gCurrentRolik->Render();
    gCurrentRolik->SetAlpha(1.0f);
  }
  if (gGamePanel && FrontMode() != kModeMiniGame) gGamePanel->UpdateCursorObject();
}

void CBaseLevel::ResetPanelCursor() {
  if (gGamePanel) gGamePanel->SetCursorMode(0, nullptr, nullptr);
}

void CBaseLevel::UpdateHook(float) {}

int32_t CBaseLevel::RenderWithoutPanel() {
  mPanelSuppressed = 1;
  Render();
  mPanelSuppressed = 0;
  return 0;
}

int32_t CBaseLevel::RenderObjectsAndPanel() {
  RenderObjects(0);
  if (gGamePanel) gGamePanel->Render();
  return 0;
}

int32_t CBaseLevel::UpdateFromEpisode(float dt, rovovoz::CMouseCursor*) {
  UpdateObjects(dt);
  return 0;
}

int32_t CBaseLevel::UpdateNoPick(float dt, rovovoz::CMouseCursor* cursor) {
  UpdateObjects(dt);
  UpdateLevel(dt, nullptr);
  UpdateZoom(dt, 1);
  if (gGamePanel) gGamePanel->UpdatePanelAnimation(dt, cursor);
  return 0;
}

void CBaseLevel::ZoneItemOp315(const std::wstring& group, const SZoneObject& item) {
  if (group == L"region")
    ShowFindSparkle(item.ind, 0);
  else
    HandleZoneItem(group, item, 1);
}
