// The executor's Run and Stop cases: mini-games, dialogs, pauses, camera
// moves, other actions, paths, particles and effect objects, animated and
// video objects, sounds and music, and the scene's End and Beg counters.
#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "MiniGame/BaseMiniGame.h"
#include "Objects/AnimObject3D.h"
#include "Objects/MaxAnim.h"
#include "Objects/Morfing.h"
#include "Objects/ROAnimModelLoop.h"
#include "Objects/ROModelAnimatoinList.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/SimpleFrameAnim.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"

using namespace actioncodes;

namespace {

// A flush neither starts nor stops sounds.
bool IsFlushMode(int mode) { return mode == kActionModeFlush || mode == kActionModeFlushRepeat; }

// Volumes come in percent; none (0 or less) is full volume.
float VolumeOf(int percent) { return percent <= 0 ? 1.0f : static_cast<float>(percent / 100.0); }

rovovoz::CGameSoundSystem* GameSound(rovovoz::CGameCore* core) { return core ? core->GetSound() : nullptr; }

}  // namespace

void CBaseBack::ExecuteRun(const SLogicAction& a, int mode) {
  switch (a.Type) {
    case kTgMiniGame: {
      mMiniGame = gLogic ? gLogic->FindMiniGame(a.par1) : nullptr;
      if (!mMiniGame) break;
      mMiniGame->Load(3);
      if (gGamePanel) gGamePanel->DropCursorObject(1);
      if (mMiniGame->IsActive()) PushMode(9, 0);
      PushMode(1, 0);
      if (mMiniGame && mMiniGame->IsActive()) PushMode(10, 0);
      break;
    }
    case kTgDialog:
      if (gGamePanel) gGamePanel->StartDialog();
      break;
    case kTgEnd:
    case kTgBeg: {
      const bool end = a.Type == kTgEnd;
      if (!a.par1.empty()) {
        if (!mEpisod) break;
        if (end)
          mEpisod->MarkBackEnd(a.par1, a.par2);
        else
          mEpisod->MarkBackBegin(a.par1, a.par2);
      } else if (a.par2.empty()) {
        end ? DecrementBackCount() : DecrementBackCount2();
      } else {
        end ? DecrementNamedCount(a.par2) : DecrementNamedCount2(a.par2);
      }
      break;
    }
    case kTgPause: QueueTimedMessage(a.par1, static_cast<float>(a.par_i1 / 1000.0)); break;
    case kTgCameraMove: ExecuteCameraMove(a); break;
    case kTgAction:
      if (mEpisod) mEpisod->RunBackAction(a.par2, a.par3, a.par1, mode, nullptr, kActionMaskAll);
      break;
    case kTgActionE:
      if (!a.par2.empty()) {
        if (mEpisod) mEpisod->RunBackActionE(a.par2, a.par3, a.par1, mode, nullptr, kActionMaskAll);
      } else if (!a.par3.empty()) {
        RunActionByNameInRegion(a.par3, a.par1, mode, nullptr, kActionMaskAll);
      } else {
        RunActionByName(a.par1, mode, nullptr, kActionMaskAll);
      }
      break;
    case kTgPath: StartPathObject(a.par1, a.par2, a.par_i1); break;
    case kTgParticle:
      if (auto* particles = GetObjectAs<rovovoz::CParticleSystem>(a.par1)) {
        SetObjectActive(a.par1, 1);
        particles->Play(a.par_i1);
      }
      break;
    case kTgMoveTexture:
      if (auto* texture = GetObjectAs<CROMoveTexture>(a.par1)) texture->Start(a.par_i1);
      break;
    case kTgAnimModelLoop:
      if (auto* loop = GetObjectAs<CROAnimModelLoop>(a.par1)) loop->Start(a.par_i1);
      break;
    case kTgFrameAnim:
      if (auto* frames = GetObjectAs<CSimpleFrameAnim>(a.par1)) {
        switch (a.par_i1) {
          case 0: frames->Play(); break;
          case 1: frames->PlayBack(); break;
          case 2: frames->PlayLoop(); break;
          case 3: frames->PlayLoopUpDown(); break;
          default: break;
        }
      }
      break;
    case kTgAnimation:
      if (auto* anim = GetObjectAs<CAnimObject3D>(a.par1)) {
        SetObjectActive(a.par1, 1);
        switch (a.par_i1) {
          case 0: anim->Play(); break;
          case 1: anim->PlayOnce(); break;
          case 2: anim->PlayLoop(); break;
          case 3: anim->PlayBlendOnce(); break;
          case 4: anim->PlayBlendLoop(); break;
          default: break;
        }
      }
      break;
    case kTgVideoObj:
      if (auto* video = GetObjectAs<rovovoz::CVideoObject3D>(a.par1)) {
        SetObjectActive(a.par1, 1);
        if (a.par_i1 == 0)
          video->Play(0.0f);
        else if (a.par_i1 == 1)
          video->PlayLoop(0.0f);
      }
      break;
    case kTgAmbientSound:
    case kTgMusik:
      if (IsFlushMode(mode)) break;
      if (a.Type == kTgAmbientSound)
        PlayAmbientSound(a.par1, VolumeOf(a.par_i1), a.par_f1, a.par_i2, a.par_f2, a.par_f3);
      else
        PlayMusic(a.par1, VolumeOf(a.par_i1), a.par_f1, a.par_i2, a.par_f2, a.par_f3);
      break;
    case kTgSound:
      if (IsFlushMode(mode)) break;
      if (a.par_i3 == 1) {
        if (rovovoz::CGameSoundSystem* sound = GameSound(mCore)) {
          sound->SetVolume(a.par1, static_cast<float>(a.par_i1 / 100.0));
          sound->Play(a.par1, 0.0f, 1);
        }
      }
      PlaySound(a.par1, VolumeOf(a.par_i1), a.par_f1, a.par_i2 == 1 ? 1 : 0);
      break;
    case kTgMaxAnim:
      if (auto* anim = GetObjectAs<CMaxAnim>(a.par1)) {
        if (!a.par2.empty()) anim->SetTargetObject(GetObjectAs<rovovoz::CBaseGeometryObject>(a.par2));
        anim->Play(a.par_i1);
      }
      break;
    case kTgParticleEffect:
      if (auto* effect = GetObjectAs<RerivuzoZurodo::CParticleEffect>(a.par1)) effect->Start(a.par_i1);
      break;
    case kTgAnimationList:
      if (auto* list = GetObjectAs<CROModelAnimatoinList>(a.par1)) list->StartRandom();
      break;
    case kTgRolik:
      if (mEpisod) mEpisod->StartRolik(a.par1, a.par_i1);
      break;
    case kTgRandomMusic:
      if (mEpisod) mEpisod->StartRandomMusic(&a.par1, 0);
      break;
    default: break;
  }
}

void CBaseBack::ExecuteCameraMove(const SLogicAction& a) {
  if (Platform::EqualsNoCase(a.par1, L"start")) {
    SZoomRequest request;
    request.mCommand = L"start";
    request.mAction = a.par3;
    request.mObject = a.par2;
    request.mViewScale = a.par_f1 == 0.0f ? 2.0f : a.par_f1;
    request.mOverlayScale = a.par_f2 == 0.0f ? 2.0f : a.par_f2;
    request.mSpeed = a.par_f3 == 0.0f ? 1.0f : a.par_f3;
    request.mOverlayValue = a.par_i1;
    QueueZoomRequest(request);
  } else if (Platform::EqualsNoCase(a.par1, L"end")) {
    SZoomRequest request;
    request.mCommand = L"end";
    request.mAction = a.par3;
    QueueZoomRequest(request);
  } else if (Platform::EqualsNoCase(a.par1, L"end2")) {
    // Back to the plain view at once; queued modes are dropped unended.
    mZoom.mRequestedScale = 1.0f;
    mZoom.mRequestedOverlayScale = 1.0f;
    mZoom.mState = 0;
    mZoomRequests.clear();
    mViewMatrix = zormath::Mat4f::Identity();
    ApplyZoomToObjects();
    mModes.clear();
  }
}

void CBaseBack::ExecuteStop(const SLogicAction& a, int mode) {
  switch (a.Type) {
    case kTgMiniGame: gCurrentPlayer.mSkipTimer = 0.0f; break;
    case kTgDialog:
      if (gGamePanel) gGamePanel->StartDialog();
      break;
    case kTgPath: StopPathObject(a.par1, a.par_i1); break;
    case kTgParticle:
      if (auto* particles = GetObjectAs<rovovoz::CParticleSystem>(a.par1)) particles->Stop(a.par_i1);
      break;
    case kTgFrameAnim:
      if (auto* frames = GetObjectAs<CSimpleFrameAnim>(a.par1)) frames->StopAt(a.par_i1);
      break;
    case kTgAnimation:
      if (auto* anim = GetObjectAs<CAnimObject3D>(a.par1)) {
        SetObjectActive(a.par1, 1);
        anim->Stop(a.par_i1);
      }
      break;
    case kTgVideoObj:
      if (auto* video = GetObjectAs<rovovoz::CVideoObject3D>(a.par1)) {
        SetObjectActive(a.par1, 1);
        video->Stop(0.0f);
      }
      break;
    case kTgAmbientSound:
      if (!IsFlushMode(mode)) StopAmbientSound(a.par1, a.par_f1);
      break;
    case kTgMusik:
      if (!IsFlushMode(mode)) StopMusic(a.par1, a.par_f1);
      break;
    case kTgSound:
      if (IsFlushMode(mode) || a.par_i3 != 1) break;
      if (rovovoz::CGameSoundSystem* sound = GameSound(mCore)) sound->Stop(a.par1, a.par_f1);
      break;
    case kTgMaxAnim:
      if (auto* anim = GetObjectAs<CMaxAnim>(a.par1)) anim->Reset();
      break;
    case kTgRandomMusic:
      if (mEpisod) mEpisod->StopRandomMusic(a.par_f1);
      break;
    case kTgMorf: {
      if (!gGamePanel) break;
      auto* morph = GetObjectAs<CMorfing>(a.par1);
      if (!morph) break;
      morph->Start();
      gGamePanel->AddGhostObject();
      mMorphPending = 1;
      const zormath::Vec3f at = morph->GetPosition();
      gGamePanel->StartMorphEffect(at.x, at.y, at.z, morph);
      break;
    }
    // The scrolling, looping and effect objects stop where they are.
    case kTgMoveTexture:
      if (auto* texture = GetObjectAs<CROMoveTexture>(a.par1)) texture->Stop(1);
      break;
    case kTgAnimModelLoop:
      if (auto* loop = GetObjectAs<CROAnimModelLoop>(a.par1)) loop->Stop(1);
      break;
    case kTgParticleEffect:
      if (auto* effect = GetObjectAs<RerivuzoZurodo::CParticleEffect>(a.par1)) effect->Stop(1);
      break;
    default: break;
  }
}
