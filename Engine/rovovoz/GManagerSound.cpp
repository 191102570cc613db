#include "Engine/rovovoz/GManagerSound.h"

#include <algorithm>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"

namespace rovovoz {

namespace detail {

bool PlayManagedSound(CGameSoundSystem& system, std::vector<std::wstring>& sounds, const std::wstring& name,
                      float volume, float fadeIn, int32_t flag) {
  if (!system.IsInList(name)) return false;
  system.SetVolume(name, volume);
  const int32_t state = system.GetState(name);
  const bool busy = state == kSoundPaused || state == kSoundPlaying;
  if (flag == 1 || !busy) system.Play(name, fadeIn, system.IsLoop(name) ? 0 : 1);
  if (std::find(sounds.begin(), sounds.end(), name) == sounds.end()) sounds.push_back(name);
  return true;
}

void DropStopped(const CGameSoundSystem& system, std::vector<std::wstring>& names) {
  std::erase_if(names, [&](const std::wstring& name) { return system.GetState(name) == kSoundStopped; });
}

}  // namespace detail

CGManagerSound::CGManagerSound(CGameSoundSystem* sound) : mSound(sound) {}

CGManagerSound::CGManagerSound(CGameCore* core) : mSound(core ? core->GetSound() : nullptr) {}

void CGManagerSound::Update(float /*dt*/) {
  if (!mSound) return;
  // The sound system moves the sounds on; here only the ended ones are let go.
  detail::DropStopped(*mSound, mSounds);
  detail::DropStopped(*mSound, mPaused);
}

void CGManagerSound::Play(const std::wstring& name, float volume, float fadeIn, int32_t flag) {
  if (!mSound) return;
  if (!detail::PlayManagedSound(*mSound, mSounds, name, volume, fadeIn, flag)) return;
  // Restarted: no longer one of the sounds PauseAll left for ResumeAll.
  if (mSound->GetState(name) != kSoundPaused) std::erase(mPaused, name);
}

void CGManagerSound::PauseAll() {
  if (!mSound) return;
  for (const std::wstring& name : mSounds) {
    if (mSound->GetState(name) != kSoundPlaying) continue;
    mSound->Pause(name, 0.0f);
    if (std::find(mPaused.begin(), mPaused.end(), name) == mPaused.end()) mPaused.push_back(name);
  }
}

void CGManagerSound::ResumeAll() {
  if (!mSound) return;
  for (const std::wstring& name : mPaused) mSound->Resume(name);
  mPaused.clear();
}

void CGManagerSound::StopAll(float fade) {
  if (!mSound) return;
  for (const std::wstring& name : mSounds) mSound->Stop(name, fade);
  mPaused.clear();
}

void CGManagerSound::Start() {
  if (!mSound) return;
  for (const std::wstring& name : mSounds) mSound->Stop(name, 0.0f);
  mSounds.clear();
  mPaused.clear();
}

}  // namespace rovovoz
