// The chapter's state machine: its start, the change of state at the end of
// every frame, the per-frame update and drawing by state, the screen fades
// and the cut-scenes.
#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "GameLog.h"
#include "Interface/Dnevnik.h"
#include "Interface/GamePanel.h"
#include "Interface/Map.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Strings.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "Roliki/BaseRolik.h"

namespace {

const wchar_t* const kSource = L"Source/Logic/BaseEpisod";
constexpr uint32_t kLoadAll = rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX;

void SetZEnableOff() {
  if (gRenderSystem) gRenderSystem->SetZEnable(0);
}

void SaveCurrentPlayer() {
  if (gPlayerList) gPlayerList->SavePlayer(gCurrentPlayer);
}

}  // namespace

bool CBaseEpisod::Start() {
  gamelog::Info(kSource, __LINE__, L"CBaseEpisod::Start");
  mMusicVolumeFrom = mMusicVolumeTarget = mMusicFadeDuration = mMusicFadeElapsed = 1.0f;
  mRandomSilence = -3.0f;
  if (gGamePanel) gGamePanel->SetBack(this);
  mStarted = 1;
  if (mAmbient) mAmbient->Start();
  if (mMusic) mMusic->Start();
  if (mEffects) mEffects->Start();
  if (mRandomIndex != -1) StopRandomTrack(0.0f);
  mPendingAction.clear();
  RunAction(L"a_episod_start", 0, nullptr, -1);
  return StartScene() != 0;
}

void CBaseEpisod::StartFadeClear(float speed) {
  mFadeDirection = -1;
  mFadeAlpha = 1.0f;
  mFadeSpeed = speed;
  if (mFadeOverlay) mFadeOverlay->SetAlpha(1.0f);
}

void CBaseEpisod::StartFadeDark(float speed) {
  mFadeDirection = 1;
  mFadeAlpha = 0.0f;
  mFadeSpeed = speed;
  if (mFadeOverlay) mFadeOverlay->SetAlpha(0.0f);
}

int CBaseEpisod::UpdateFade(float dt) {
  int running = 0;
  if (mFadeDirection == 1) {
    mFadeAlpha += mFadeSpeed * dt;
    if (mFadeAlpha >= 1.0f) {
      mFadeAlpha = 1.0f;
      mFadeDirection = 0;
    } else {
      running = 1;
    }
  } else if (mFadeDirection == -1) {
    mFadeAlpha -= mFadeSpeed * dt;
    if (mFadeAlpha <= 0.0f) {
      mFadeAlpha = 0.0f;
      mFadeDirection = 0;
    } else {
      running = 1;
    }
  } else {
    return 0;
  }
  if (mFadeOverlay) mFadeOverlay->SetAlpha(mFadeAlpha);
  return running;
}

void CBaseEpisod::RenderFade() {
  if (mFadeDirection != 0 && mFadeOverlay) mFadeOverlay->Render();
}

void CBaseEpisod::QuietSoundManagers(float effectsFade) {
  if (mAmbient) mAmbient->Quiet(1);
  if (mMusic) mMusic->Quiet(1);
  if (mEffects) mEffects->StopAll(effectsFade);
}

int32_t CBaseEpisod::EnterSceneFadeIn() {
  mCurrentScene = mNextScene;
  if (!mCurrentScene) {
    mNextState = mState = kStateFinished;
    return 1;
  }
  mState = kStateSceneFadeIn;
  mCurrentScene->Load(3);
  if (!mCurrentScene->StartBack(mHogFlag ? 9 : 1)) {
    gamelog::Error(kSource, __LINE__, L"Start level %s", mCurrentScene->GetName().c_str());
    mCurrentScene->UnLoad(3);
    mState = kStateFinished;
    return 1;
  }
  if (gMap) gMap->SetCurrentLocation(mCurrentScene->GetBackName());
  // The scene's start action may have started a cut-scene: then the item
  // and the saved cut-scene wait for the next start.
  if (mNextState != kStateVideo) {
    if (!mHogFlag && !gCurrentPlayer.mAfterHogItem.empty()) {
      mCurrentScene->QueueModeName(gCurrentPlayer.mAfterHogItem);
      gCurrentPlayer.AddName(gCurrentPlayer.mAfterHogItem, 0);
      gCurrentPlayer.mAfterHogItem.clear();
      gCurrentPlayer.mHintTimer = 0.0f;
      gCurrentPlayer.mHogHintTimer = 0.0f;
    }
    if (!gCurrentPlayer.TempRolik.empty()) {
      gamelog::Info(kSource, __LINE__, L"TempPlayer.TempRolik.length()>0");
      StartRolik(gCurrentPlayer.TempRolik, 0);
    }
  }
  StartFadeClear(2.0f);
  mState = mNextState;
  return 1;
}

int32_t CBaseEpisod::EnterVideo() {
  if (!mCurrentVideo) {
    mState = mNextState;
    return 1;
  }
  const bool dark = mNextState == kStateVideoFade;
  if (mCurrentVideo->IsLoaded()) {
    gamelog::Info(kSource, __LINE__,
                  dark ? L"pTempRolik->Load(ZOR_LM_TEXTURES | ZOR_LM_VERTEX); 2"
                       : L"pTempRolik->Load(ZOR_LM_TEXTURES | ZOR_LM_VERTEX);");
    mCurrentVideo->Load(kLoadAll);
  } else if (mCurrentVideo->LoadFile(kLoadAll) > 0) {
    gamelog::Info(kSource, __LINE__, dark ? L"Load rolik %s OK 2" : L"Load rolik %s OK",
                  mCurrentVideo->GetName().c_str());
  } else {
    // A cut-scene that cannot be read is over before it began: the chapter
    // goes on as after its end, and nothing is kept to replay it.
    gamelog::Error(kSource, __LINE__, L"Load rolik %s", mCurrentVideo->GetName().c_str());
    gCurrentRolik = nullptr;
    mState = kStateVideo;
    FinishVideo();
    return 1;
  }
  gCurrentRolik = mCurrentVideo->IsHideOnLevel() ? mCurrentVideo : nullptr;
  if (dark) {
    StartFadeDark(1.0f);
    if (mCurrentScene) {
      mCurrentScene->PauseAmbientSounds();
      mCurrentScene->PauseMusic();
    }
  } else {
    StartFadeClear(2.0f);
    if (mCurrentScene) {
      mCurrentScene->SoundCallA4();
      mCurrentScene->SoundCallA5();
    }
  }
  QuietSoundManagers(0.5f);
  if (mRandomIndex != -1) StopRandomTrack(0.5f);
  gCurrentPlayer.TempRolik = mCurrentVideo->GetName();
  SaveCurrentPlayer();
  mCurrentVideo->Start();
  gamelog::Info(kSource, __LINE__, dark ? L"pTempRolik->Start() %s OK 2" : L"pTempRolik->Start() %s OK",
                mCurrentVideo->GetName().c_str());
  mState = mNextState;
  return 1;
}

void CBaseEpisod::EnterMiniGame() {
  if (!mCurrentMiniGame) return;
  mCurrentMiniGame->Load(3);
  if (mCurrentMiniGame->Start() < 0) {
    gamelog::Error(kSource, __LINE__, L"Start minigame %s", mCurrentMiniGame->GetName().c_str());
    return;
  }
  if (mCurrentMiniGame->PausesSceneSound() && mAmbient) mAmbient->Quiet(1);
  if (mEffects) mEffects->StopAll(0.5f);
}

int32_t CBaseEpisod::StartScene() {
  if (mNextState == mState) return 0;
  if (mState == kStateMiniGame && mCurrentMiniGame) mCurrentMiniGame->UnLoad(3);
  switch (mNextState) {
    case kStateSceneFadeIn:
      return EnterSceneFadeIn();
    case kStateSceneFadeOut:
      StartFadeDark(2.0f);
      if (mCurrentScene) {
        mCurrentScene->PauseAmbientSounds();
        mCurrentScene->PauseMusic();
      }
      mState = mNextState;
      return 1;
    case kStateVideo:
    case kStateVideoFade:
      return EnterVideo();
    case kStateMiniGame:
      EnterMiniGame();
      [[fallthrough]];
    case kStateDiaryOpening:
      if (gDnevnik) gDnevnik->SetPageBack(this);
      mState = mNextState;
      return 1;
    default:
      mState = mNextState;
      return 1;
  }
}

void CBaseEpisod::RunPendingAction() {
  if (mPendingAction.empty()) return;
  const std::wstring pending = mPendingAction;
  mPendingAction.clear();
  RunAction(pending, 0, nullptr, -1);
}

bool CBaseEpisod::ReturnToProgressScene() {
  const SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  mNextScene = FindBack(info.mLevelName);
  mHogFlag = static_cast<int32_t>(info.mLevelIsHog);
  mReturnState = kStateFinished;
  if (!mNextScene) {
    mNextState = kStateFinished;
    return false;
  }
  mNextState = kStateSceneFadeIn;
  return true;
}

int32_t CBaseEpisod::UpdateScene(float dt, rovovoz::CMouseCursor* cursor) {
  UpdateRandomMusic(dt);
  UpdateAmbientSounds(dt);
  UpdateMusic(dt);
  UpdateEffects();
  if (!mCurrentScene) return 0;
  RunPendingAction();
  // The pending action may have ended the chapter or left the scene.
  if (!mCurrentScene) return 0;
  const int32_t result = mCurrentScene->Update(dt, cursor);
  if (mStarted) {
    if (CBaseLevel* level = CurrentLevel()) level->OnEpisodeStarted();
    mStarted = 0;
  }
  if (result != 0) return 0;
  if (IsEpisodFinished()) {
    QuietSoundManagers(0.5f);
    RunAction(L"end_episod", 0, nullptr, -1);
    mNextState = kStateSceneFadeOut;
    mReturnState = kStateFinished;
    if (gGamePanel) gGamePanel->DropCursorObject(0);
    StartScene();
  }
  return 0;
}

int32_t CBaseEpisod::UpdateSceneFadeOut(float dt, rovovoz::CMouseCursor* cursor) {
  if (CBaseLevel* level = CurrentLevel()) level->UpdateNoPick(dt, cursor);
  UpdateAmbientSounds(dt);
  UpdateMusic(dt);
  UpdateEffects();
  if (UpdateFade(dt)) return 0;
  if (gPlayerList && !gCurrentPlayer.mName.empty()) {
    if (gLogic) gLogic->SaveCurrentStepName(0);
    SaveCurrentPlayer();
  }
  if (mCurrentScene) {
    mCurrentScene->StopAllEffects();
    mCurrentScene->CloseRegion(0);
    mCurrentScene->UnLoad(3);
  }
  mNextState = mReturnState;
  mReturnState = kStateFinished;
  StartScene();
  return 0;
}

void CBaseEpisod::UpdateVideo(float dt, rovovoz::CMouseCursor* cursor) {
  UpdateFade(dt);
  if (!mCurrentVideo) return;
  mCurrentVideo->Update(dt, cursor);
  if (!mCurrentVideo->IsEndPlay()) return;
  gamelog::Info(kSource, __LINE__, L"pTempRolik->IsEndPlay()");
  FinishVideo();
}

void CBaseEpisod::FinishVideo() {
  if (ReturnToProgressScene() && gCurrentRolik && mCurrentScene) {
    // The scene goes on at once while the cut-scene fades out over it.
    mState = mNextState = kStateScene;
  }
  mCurrentVideo->UnLoad(3);
  mPendingAction = L"a_end_rolik_" + mCurrentVideo->GetName();
  gCurrentPlayer.TempRolik.clear();
  mCurrentVideo = nullptr;
  ResumeAmbientSounds();
  ResumeMusic();
}

void CBaseEpisod::FinishMiniGame(bool won) {
  CBaseMiniGame* game = mCurrentMiniGame;
  ReturnToProgressScene();
  if (won) RunAction(L"del_mini_" + game->GetName(), 0, nullptr, -1);
  if (game->PausesSceneSound()) ResumeAmbientSounds();
  game->UnLoad(3);
  mCurrentMiniGame = nullptr;
}

void CBaseEpisod::UpdateMiniGame(float dt, rovovoz::CMouseCursor* cursor) {
  if (!mCurrentMiniGame) return;
  if (!mCurrentMiniGame->PausesSceneSound()) UpdateAmbientSounds(dt);
  UpdateMusic(dt);
  mCurrentMiniGame->Update(dt, cursor);
  if (!mCurrentMiniGame->IsComplete()) return;
  SetZEnableOff();
  FinishMiniGame(mCurrentMiniGame->IsWon());
}

int32_t CBaseEpisod::Update(float dt, rovovoz::CMouseCursor* cursor) {
  UpdateDelayedActions(dt);
  switch (mState) {
    case kStateFinished:
      return 1;
    case kStateScene:
      return UpdateScene(dt, cursor);
    case kStateSceneFadeIn:
      RunPendingAction();
      if (CBaseLevel* level = CurrentLevel()) level->UpdateFromEpisode(dt, cursor);
      if (gCurrentRolik) gCurrentRolik->Update(dt, nullptr);
      if (!UpdateFade(dt)) mNextState = kStateScene;
      UpdateMusic(dt);
      UpdateAmbientSounds(dt);
      UpdateEffects();
      return 0;
    case kStateSceneFadeOut:
      return UpdateSceneFadeOut(dt, cursor);
    case kStateVideo:
      UpdateVideo(dt, cursor);
      return 0;
    case kStateMiniGame:
      UpdateMiniGame(dt, cursor);
      return 0;
    case kStatePauseRequest:
      mNextState = mReturnState;
      return 2;
    case kStateDiaryOpening:
    case kStateDiaryClosing: {
      UpdateAmbientSounds(dt);
      UpdateMusic(dt);
      if (mCurrentScene) mCurrentScene->UpdateSoundSequence(dt);
      const int shown = gDnevnik ? gDnevnik->Show(dt) : 1;
      if (mState == kStateDiaryOpening && shown != 0) mNextState = kStateDiary;
      if (mState == kStateDiaryClosing && (shown == 1 || shown == 2)) mNextState = kStateScene;
      if (gGamePanel) gGamePanel->Update(dt, cursor);
      return 0;
    }
    case kStateDiary:
      UpdateRandomMusic(dt);
      UpdateAmbientSounds(dt);
      UpdateMusic(dt);
      if (mCurrentScene) mCurrentScene->UpdateSoundSequence(dt);
      if (!gDnevnik || gDnevnik->Update(dt, cursor) != 0) {
        mNextState = kStateDiaryClosing;
        StartScene();
      }
      if (gGamePanel) gGamePanel->Update(dt, cursor);
      return 0;
    case kStateVideoFade:
      if (CBaseLevel* level = CurrentLevel()) level->UpdateNoPick(dt, cursor);
      UpdateAmbientSounds(dt);
      UpdateMusic(dt);
      UpdateEffects();
      if (!UpdateFade(dt)) {
        // The cut-scene was loaded and started when the darkening began.
        mNextState = mState = kStateVideo;
        StartFadeClear(2.0f);
      }
      return 0;
    case kStateExtrasRequest:
      mNextState = mReturnState;
      return 3;
    default:
      return 0;
  }
}

int32_t CBaseEpisod::Render() {
  CBaseLevel* level = CurrentLevel();
  auto renderDiary = [&]() {
    if (gDnevnik) gDnevnik->Render();
    if (gGamePanel) {
      gGamePanel->Render();
      gGamePanel->UpdateCursorObject();
    }
  };
  switch (mState) {
    case kStateScene:
      if (mCurrentScene) mCurrentScene->Render();
      break;
    case kStateSceneFadeIn:
      if (level) {
        level->RenderObjectsAndPanel();
        if (!gCurrentRolik && level->GetStartFlag()) RenderFade();
      }
      if (gCurrentRolik) gCurrentRolik->Render();
      break;
    case kStateSceneFadeOut:
    case kStateVideoFade:
      if (mCurrentScene) mCurrentScene->Render();
      RenderFade();
      break;
    case kStateVideo:
      if (mCurrentVideo)
        mCurrentVideo->Render();
      else if (gCurrentRolik)
        gCurrentRolik->Render();
      RenderFade();
      if (mCurrentMiniGame) mCurrentMiniGame->Render();
      break;
    case kStateMiniGame:
      if (mCurrentMiniGame) mCurrentMiniGame->Render();
      break;
    case kStatePauseRequest:
    case kStateExtrasRequest:
      if (mReturnState == kStateScene && mCurrentScene) mCurrentScene->Render();
      if (mReturnState == kStateDiary) renderDiary();
      break;
    case kStateDiaryOpening:
    case kStateDiaryClosing:
      if (level) level->RenderWithoutPanel();
      renderDiary();
      break;
    case kStateDiary:
      renderDiary();
      break;
    default:
      break;
  }
  return StartScene();
}

void CBaseEpisod::Tick(float dt) {
  if (mState != kStateScene) return;
  UpdateMusic(dt);
  UpdateAmbientSounds(dt);
  if (mCurrentScene) mCurrentScene->UpdateBackSounds(dt);
}

void CBaseEpisod::StartRolik(std::wstring name, int dark) {
  gamelog::Info(kSource, __LINE__, L"StartRolik %s", name.c_str());
  const auto found = gRoliki.find(name);
  if (found == gRoliki.end() || !found->second) return;
  mCurrentVideo = found->second;
  mNextState = dark ? kStateVideoFade : kStateVideo;
  StartScene();
}

int CBaseEpisod::StartMiniGame(const std::wstring& name) {
  mCurrentMiniGame = nullptr;
  CBaseMiniGame* game = nullptr;
  for (CBaseMiniGame* candidate : gMiniGames)
    if (candidate && Platform::EqualsNoCase(candidate->GetName(), name)) {
      game = candidate;
      break;
    }
  if (!game) {
    gamelog::Error(kSource, __LINE__, L"Find mini game %s", name.c_str());
    return 0;
  }
  mCurrentMiniGame = game;
  mNextState = kStateSceneFadeOut;
  mReturnState = kStateMiniGame;
  return 1;
}

void CBaseEpisod::Stop() {
  if (mCurrentScene) {
    mCurrentScene->PauseAmbientSounds();
    mCurrentScene->PauseMusic();
    mCurrentScene->StopAllEffects();
  }
  QuietSoundManagers(0.5f);
  if (mRandomIndex != -1) StopRandomTrack(1.0f);
}

void CBaseEpisod::Pause() {
  if (mCurrentScene) mCurrentScene->PauseAllEffects();
  if (mEffects) mEffects->PauseAll();
}

void CBaseEpisod::Resume() {
  if (mCurrentScene) mCurrentScene->ResumeAllEffects();
  if (mEffects) mEffects->ResumeAll();
}

void CBaseEpisod::UnLoadCurrent() {
  switch (mState) {
    case kStateScene:
    case kStateSceneFadeIn:
    case kStateSceneFadeOut:
    case kStatePauseRequest:
    case kStateExtrasRequest:
      if (mCurrentScene) {
        mCurrentScene->QuietBack();
        mCurrentScene->UnLoad(3);
        mCurrentScene = nullptr;
      }
      break;
    case kStateVideo:
      if (mCurrentVideo) {
        mCurrentVideo->Stop(1);
        mCurrentVideo->UnLoad(3);
        SetZEnableOff();
        mCurrentVideo = nullptr;
        gCurrentRolik = nullptr;
      }
      break;
    case kStateMiniGame:
      if (mCurrentMiniGame) {
        mCurrentMiniGame->Finish();
        SetZEnableOff();
        mCurrentMiniGame->UnLoad(3);
        mCurrentMiniGame = nullptr;
      }
      break;
    default:
      break;
  }
  if (mAmbient) mAmbient->Quiet(0);
  if (mMusic) mMusic->Quiet(0);
  if (mEffects) mEffects->StopAll(0.0f);
  if (mRandomIndex != -1) StopRandomTrack(0.0f);
}

void CBaseEpisod::PrepareSave() {
  if (IsSceneState() && mCurrentScene) mCurrentScene->CloseRegion(0);
  FlushDelayedActions();
  if (IsSceneState() && mCurrentScene) mCurrentScene->CloseRegion(0);
}
