#include "Engine/rovovoz/GManagerAmbientSound.h"

#include <algorithm>

#include "Engine/rovovoz/GManagerSound.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"

namespace rovovoz {

CGManagerAmbientSound::CGManagerAmbientSound(CGameSoundSystem* sound) : mSound(sound) {}

CGManagerAmbientSound::CGManagerAmbientSound(CGameCore* core) : mSound(core ? core->GetSound() : nullptr) {}

void CGManagerAmbientSound::Update(float /*dt*/) {
  if (!mSound) return;
  // The sound system moves the sounds on; here only the ended ones are let go.
  detail::DropStopped(*mSound, mSounds);
  detail::DropStopped(*mSound, mQuieted);
}

void CGManagerAmbientSound::Play(const std::wstring& name, float volume, float fadeIn, int32_t flag, float /*f2*/,
                                 float /*f3*/) {
  if (!mSound) return;
  if (!detail::PlayManagedSound(*mSound, mSounds, name, volume, fadeIn, flag)) return;
  if (mSound->GetState(name) != kSoundPaused) std::erase(mQuieted, name);
}

void CGManagerAmbientSound::ResumeAll() {
  if (!mSound) return;
  for (const std::wstring& name : mQuieted) mSound->Resume(name, kQuietFade);
  mQuieted.clear();
}

void CGManagerAmbientSound::Stop(const std::wstring& name, float fade) {
  if (!mSound) return;
  mSound->Stop(name, fade);
  std::erase(mSounds, name);
  std::erase(mQuieted, name);
}

void CGManagerAmbientSound::Quiet(int32_t flag) {
  if (!mSound) return;
  if (flag != 0) {
    for (const std::wstring& name : mSounds) {
      if (mSound->GetState(name) != kSoundPlaying) continue;
      mSound->Pause(name, kQuietFade);
      if (std::find(mQuieted.begin(), mQuieted.end(), name) == mQuieted.end()) mQuieted.push_back(name);
    }
    return;
  }
  Start();
}

void CGManagerAmbientSound::Start() {
  if (!mSound) return;
  for (const std::wstring& name : mSounds) mSound->Stop(name, 0.0f);
  mSounds.clear();
  mQuieted.clear();
}

}  // namespace rovovoz
