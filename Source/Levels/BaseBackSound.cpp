// The scene's three sound managers (ambient, music, effects) reached
// through fixed forwards, and the random sound sequences.
#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Levels/BaseBack.h"
#include "MiniGame/BaseMiniGame.h"
#include "Platform/Format.h"
#include "Platform/Random.h"

void CBaseBack::UpdateSoundSequence(float dt) {
  if (mAmbientSound) mAmbientSound->Update(dt);
  for (SSoundSequence& sequence : mSoundSequences) {
    sequence.mTimer += dt;
    if (sequence.mTimer <= sequence.mNextPause) continue;
    sequence.mNextPause = sequence.mMinPause + (sequence.mMaxPause - sequence.mMinPause) * Platform::RandomFloat();
    sequence.mTimer = 0.0f;
    // A count below one has no variant to play.
    if (sequence.mCount <= 0) continue;
    const int variant = Platform::Random() % sequence.mCount + 1;
    PlaySound(sequence.mName + Platform::FormatWide(L"_%.2d", variant), 1.0f, 0.0f, 1);
  }
}

void CBaseBack::AddSoundSequence(const std::wstring& name, int count, float minPause, float maxPause) {
  for (const SSoundSequence& sequence : mSoundSequences)
    if (sequence.mName == name) return;
  SSoundSequence sequence;
  sequence.mName = name;
  sequence.mCount = count;
  sequence.mMinPause = minPause;
  sequence.mMaxPause = maxPause;
  sequence.mNextPause = minPause + (maxPause - minPause) * Platform::RandomFloat();
  // Sequences added together do not start in step.
  sequence.mTimer = Platform::RandomFloat() * sequence.mNextPause;
  mSoundSequences.push_back(sequence);
}

void CBaseBack::UpdateMusic(float dt) {
  if (mMusic) mMusic->Update(dt);
}

void CBaseBack::UpdateSounds(float dt) {
  if (mSounds) mSounds->Update(dt);
}

void CBaseBack::PlaySound(const std::wstring& name, float volume, float fadeIn, int flag) {
  if (mSounds) mSounds->Play(name, volume, fadeIn, flag);
}

void CBaseBack::PlayAmbientSound(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3) {
  if (mAmbientSound) mAmbientSound->Play(name, volume, fadeIn, flag, f2, f3);
}

void CBaseBack::PlayMusic(const std::wstring& name, float volume, float fadeIn, int flag, float f2, float f3) {
  if (mMusic) mMusic->Play(name, volume, fadeIn, flag, f2, f3);
}

void CBaseBack::SoundCallA2() {
  if (mAmbientSound) mAmbientSound->ResumeAll();
}

void CBaseBack::SoundCallB2() {
  if (mMusic) mMusic->ResumeAll();
}

void CBaseBack::StopAmbientSound(const std::wstring& name, float time) {
  if (mAmbientSound) mAmbientSound->Stop(name, time);
}

void CBaseBack::StopMusic(const std::wstring& name, float time) {
  if (mMusic) mMusic->Stop(name, time);
}

void CBaseBack::PauseAllEffects() {
  if (mSounds) mSounds->PauseAll();
}

void CBaseBack::ResumeAllEffects() {
  if (mSounds) mSounds->ResumeAll();
}

void CBaseBack::StopAllEffects() {
  if (mSounds) mSounds->StopAll(0.0f);
}

void CBaseBack::SoundCallA4() {
  if (mAmbientSound) mAmbientSound->Op4();
}

void CBaseBack::SoundCallA5() {
  if (mAmbientSound) mAmbientSound->Op5();
}

void CBaseBack::ResumeAmbientSounds() {
  if (mAmbientSound) mAmbientSound->Quiet(0);
}

void CBaseBack::ResumeMusic() {
  if (mMusic) mMusic->Quiet(0);
}

void CBaseBack::PauseAmbientSounds() {
  if (mAmbientSound) mAmbientSound->Quiet(1);
}

void CBaseBack::PauseMusic() {
  if (mMusic) mMusic->Quiet(1);
}

void CBaseBack::QuietBack() {
  StopAllEffects();
  ResumeAmbientSounds();
  ResumeMusic();
  // The mini-game belongs to the story logic: the scene ends and unloads
  // it, then lets it go.
  if (mMiniGame) {
    mMiniGame->Finish();
    mMiniGame->UnLoad(3);
  }
  mMiniGame = nullptr;
}
