// The chapter's sound managers and its random music: tracks added by the
// script, a random flagged one after a pause of 5 to 10 seconds, a volume
// fade, and the stops.
#include <algorithm>

#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Game.h"
#include "Logic/BaseEpisod.h"
#include "Platform/Random.h"

namespace {

rovovoz::CGameSoundSystem* SoundSystem() { return gGameCore ? gGameCore->GetSound() : nullptr; }

// A track that is playing, or paused, has not ended.
bool IsTrackOn(int32_t state) { return state == rovovoz::kSoundPaused || state == rovovoz::kSoundPlaying; }

float NewSilence() { return -5.0f - 5.0f * (static_cast<float>(Platform::Random()) / 32767.0f); }

}  // namespace

void CBaseEpisod::UpdateAmbientSounds(float dt) {
  if (mAmbient) mAmbient->Update(dt);
}

void CBaseEpisod::UpdateMusic(float dt) {
  if (mMusic) mMusic->Update(dt);
}

void CBaseEpisod::UpdateEffects() {
  if (mEffects) mEffects->Update(0.0f);
}

void CBaseEpisod::PlayEpisodSound(const std::wstring& name, float volume, float fadeIn, bool flag) {
  if (mEffects) mEffects->Play(name, volume, fadeIn, flag ? 1 : 0);
}

void CBaseEpisod::PlayAmbientSound(const std::wstring& name, float volume, float fadeIn, int flag, float f2,
                                   float f3) {
  if (mAmbient) mAmbient->Play(name, volume, fadeIn, flag, f2, f3);
}

void CBaseEpisod::PlayEpisodMusic(const std::wstring& name, float volume, float fadeIn, int flag, float f2,
                                  float f3) {
  if (mMusic) mMusic->Play(name, volume, fadeIn, flag, f2, f3);
}

void CBaseEpisod::StopAmbientSound(const std::wstring& name, float fade) {
  if (mAmbient) mAmbient->Stop(name, fade);
}

void CBaseEpisod::StopEpisodMusic(const std::wstring& name, float fade) {
  if (mMusic) mMusic->Stop(name, fade);
}

void CBaseEpisod::ResumeAmbientSounds() {
  if (mAmbient) mAmbient->ResumeAll();
}

void CBaseEpisod::ResumeMusic() {
  if (mMusic) mMusic->ResumeAll();
}

void CBaseEpisod::StopRandomTrack(float fade) {
  if (mRandomIndex < 0 || mRandomIndex >= static_cast<int32_t>(mRandomNames.size())) return;
  if (rovovoz::CGameSoundSystem* sound = SoundSystem()) sound->Stop(mRandomNames[mRandomIndex], fade);
}

void CBaseEpisod::ReleaseMusic() {
  if (mMusic) mMusic->Quiet(0);
  if (mRandomIndex != -1) StopRandomTrack(0.0f);
}

void CBaseEpisod::QuietMusic() {
  if (mMusic) mMusic->Quiet(1);
  if (mRandomIndex != -1) StopRandomTrack(1.0f);
}

void CBaseEpisod::AddRandomMusic(const std::wstring& name, int flag) {
  mRandomNames.push_back(name);
  mRandomFlags.push_back(flag);
}

void CBaseEpisod::StartRandomMusic(const std::wstring* name, int keepStopped) {
  rovovoz::CGameSoundSystem* sound = SoundSystem();
  if (mRandomIndex != -1) {
    StopRandomTrack(0.0f);
    mRandomStopped = 0;
  }
  if (!mRandomNames.empty() && !name) {
    if (mRandomStopped == 1 && keepStopped) return;
    mRandomStopped = 0;
    bool anyFlagged = false;
    for (int32_t flag : mRandomFlags) anyFlagged = anyFlagged || flag != 0;
    if (anyFlagged) {
      const int count = static_cast<int>(mRandomNames.size());
      int index = 0;
      do {
        index = Platform::Random() % count;
      } while (mRandomFlags[static_cast<size_t>(index)] == 0);
      mRandomIndex = index;
      if (sound) sound->Play(mRandomNames[static_cast<size_t>(index)], 0.0f, 1);
    }
    mRandomSilence = NewSilence();
    return;
  }
  if (!name) return;
  for (size_t i = 0; i < mRandomNames.size(); ++i) {
    if (mRandomNames[i] != *name) continue;
    if (sound) sound->Play(mRandomNames[i], 0.0f, 1);
    mRandomIndex = static_cast<int32_t>(i);
    mRandomStopped = 0;
  }
}

void CBaseEpisod::StopRandomMusic(float fade) {
  if (mRandomIndex != -1) StopRandomTrack(fade);
  mRandomIndex = -1;
  mRandomStopped = 1;
}

bool CBaseEpisod::IsRandomMusicBusy(float dt) {
  if (mRandomNames.empty()) return true;
  if (mRandomIndex != -1) {
    rovovoz::CGameSoundSystem* sound = SoundSystem();
    const int32_t state = sound ? sound->GetState(mRandomNames[static_cast<size_t>(mRandomIndex)])
                                : rovovoz::kSoundStopped;
    if (IsTrackOn(state)) return true;
  }
  mRandomSilence += dt;
  return mRandomSilence <= 0.0f;
}

void CBaseEpisod::NextRandomMusic() {
  if (mRandomStopped == 1) return;
  bool anyFlagged = false;
  for (int32_t flag : mRandomFlags) anyFlagged = anyFlagged || flag != 0;
  if (mRandomIndex != -1 && !anyFlagged && mRandomNames.size() != 1) {
    StopRandomTrack(0.0f);
    mRandomSilence = NewSilence();
    return;
  }
  StartRandomMusic(nullptr, 1);
}

void CBaseEpisod::UpdateRandomMusic(float dt) {
  if (!IsRandomMusicBusy(dt)) NextRandomMusic();
  if (mRandomNames.empty() || mRandomIndex < 0 || mRandomIndex >= static_cast<int32_t>(mRandomNames.size())) return;
  mMusicFadeElapsed = std::min(mMusicFadeElapsed + dt, mMusicFadeDuration);
  // A fade of no length has reached its target.
  float t = mMusicFadeDuration > 0.0f ? mMusicFadeElapsed / mMusicFadeDuration : 1.0f;
  t = std::min(t, 1.0f);
  mMusicVolumeHeard = t * mMusicVolumeTarget + (1.0f - t) * mMusicVolumeFrom;
  rovovoz::CGameSoundSystem* sound = SoundSystem();
  if (!sound) return;
  const std::wstring& track = mRandomNames[static_cast<size_t>(mRandomIndex)];
  if (!IsTrackOn(sound->GetState(track))) return;
  sound->SetVolume(track, mMusicVolumeHeard);
}

void CBaseEpisod::FadeRandomMusic(float target, float duration) {
  mMusicFadeElapsed += duration;
  float t = mMusicFadeDuration > 0.0f ? mMusicFadeElapsed / mMusicFadeDuration : 1.0f;
  t = std::min(t, 1.0f);
  mMusicVolumeFrom = (1.0f - t) * mMusicVolumeFrom + t * mMusicVolumeTarget;
  mMusicVolumeTarget = target;
  mMusicFadeElapsed = 0.0f;
  mMusicFadeDuration = duration;
}
