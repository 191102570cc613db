// Setting a chapter up (new or resumed from a saved game), its end test and
// the release of what it owns.
#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"
#include "Roliki/BaseRolik.h"

bool CBaseEpisod::CollectScenes(bool attach) {
  mScenes.clear();
  for (const auto& [sceneName, counts] : gCurrentPlayer.mEpisodInfo.mBackTasks) {
    (void)counts;
    // Every scene of the list is compared with every key: two scenes whose
    // names differ only in case both join.
    for (CBaseLevel* scene : gLevels) {
      if (!scene || !Platform::EqualsNoCase(scene->GetName(), sceneName)) continue;
      mScenes.push_back(scene);
      const int32_t ok = attach ? scene->AttachToEpisod(this, nullptr) : scene->LoadBack(this, nullptr);
      if (!ok) {
        mScenes.clear();
        return false;
      }
    }
  }
  return true;
}

void CBaseEpisod::CreateSoundManagers() {
  delete mEffects;
  delete mAmbient;
  delete mMusic;
  mEffects = new rovovoz::CGManagerSound(gGameCore);
  mAmbient = new rovovoz::CGManagerAmbientSound(gGameCore);
  mMusic = new rovovoz::CGManagerAmbientSound(gGameCore);
}

bool CBaseEpisod::Init() {
  const SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  mName = info.mName;
  if (mRandomIndex != -1 && mRandomIndex < static_cast<int32_t>(mRandomNames.size())) StopRandomTrack(0.0f);
  mRandomNames.clear();
  mRandomFlags.clear();
  mRandomSilence = -3.0f;
  mRandomIndex = -1;
  mRandomStopped = 0;
  mMusicVolumeFrom = mMusicVolumeTarget = mMusicFadeDuration = mMusicFadeElapsed = 1.0f;
  mScenes.clear();
  mDelayedActions.clear();
  mState = mNextState = mReturnState = kStateFinished;
  mCurrentScene = mNextScene = nullptr;
  mHogFlag = 0;
  CreateSoundManagers();
  if (gGamePanel) gGamePanel->ClearItems();
  if (!CollectScenes(false)) return false;
  if (info.mValue <= 0 && IsEpisodEndReady()) return false;
  if (gGamePanel) mFadeOverlay = gGamePanel->GetAlphaEkran();
  RunAction(L"a_init", 0, nullptr, -1);
  return true;
}

bool CBaseEpisod::InitScenes() {
  const SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  mName = info.mName;
  mDelayedActions.clear();
  CreateSoundManagers();
  mScenes.clear();
  mState = mNextState = mReturnState = kStateFinished;
  mCurrentScene = mNextScene = nullptr;
  mHogFlag = 0;
  if (!CollectScenes(true)) return false;
  if (info.mValue <= 0 && IsEpisodEndReady()) return false;
  if (gGamePanel) mFadeOverlay = gGamePanel->GetAlphaEkran();
  if (!info.mLevelName.empty()) {
    mNextScene = FindBack(info.mLevelName);
    mHogFlag = static_cast<int32_t>(info.mLevelIsHog);
    if (mNextScene) {
      mReturnState = mNextState = kStateSceneFadeIn;
      if (gGamePanel) gGamePanel->DropCursorObject(0);
    } else {
      mNextState = kStateFinished;
    }
  }
  return true;
}

bool CBaseEpisod::IsEpisodEndReady() {
  for (CBaseBack* scene : mScenes)
    if (scene && !gCurrentPlayer.mEpisodInfo.IsBackCountDone(scene->GetName())) return false;
  return true;
}

bool CBaseEpisod::IsEpisodFinished() {
  if (gCurrentPlayer.mEpisodInfo.mValue > 0) return false;
  return IsEpisodEndReady();
}

void CBaseEpisod::ReleaseSoundManagers() {
  if (mRandomIndex != -1 && mRandomIndex < static_cast<int32_t>(mRandomNames.size())) StopRandomTrack(0.0f);
  if (IsSceneState() && mCurrentScene) {
    mCurrentScene->UnLoad(3);
    mCurrentScene->ResumeAmbientSounds();
    mCurrentScene->ResumeMusic();
    mCurrentScene->StopAllEffects();
  }
  if ((mState == kStateVideo || mState == kStateVideoFade) && mCurrentVideo) {
    mCurrentVideo->UnLoad(3);
    mCurrentVideo->Stop(1);
  }
  if (mState == kStateMiniGame && mCurrentMiniGame) {
    mCurrentMiniGame->UnLoad(3);
    mCurrentMiniGame->Finish();
  }
  delete mEffects;
  delete mAmbient;
  delete mMusic;
  mEffects = nullptr;
  mAmbient = nullptr;
  mMusic = nullptr;
}

bool CBaseEpisod::HasMarkGroup(const std::wstring& name) {
  if (gCurrentPlayer.mEpisodInfo.mActions.Backs.count(name) > 0) return true;
  for (CBaseBack* scene : mScenes)
    if (scene && scene->HasAction(name)) return true;
  return false;
}

bool CBaseEpisod::IsReplacementItem(const std::wstring& item) {
  if (!gLogic) return false;
  for (const auto& [key, pushNames] : gLogic->m_ReplacePredmets) {
    (void)key;
    for (const std::wstring& push : pushNames)
      if (push == item) return true;
  }
  return false;
}
