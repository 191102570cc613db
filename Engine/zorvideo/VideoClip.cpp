#include "Engine/zorvideo/VideoClip.h"

#include <cmath>
#include <utility>

#include "Engine/zorsound/SoundSystem.h"
#include "Engine/zorvideo/VideoPlayer.h"

namespace zorvideo {

CVideoClip::CVideoClip(CVideoPlayer* player) : mPlayer(player) {
  if (mPlayer) mPlayer->AddClip(this);
}

CVideoClip::~CVideoClip() {
  Close();
  if (mPlayer) mPlayer->RemoveClip(this);
}

bool CVideoClip::Open(std::string bytes, std::string& error) {
  Close();
  if (!mDecoder.Open(std::move(bytes), error)) return false;
  double first = 0.0;
  if (!mDecoder.NextFrame(mFrame, first)) {
    error = "no picture can be decoded";
    Close();
    return false;
  }
  mHaveNext = mDecoder.NextFrame(mNext, mNextTime);
  mDuration = mDecoder.Duration();

  zorsound::CSoundSystem* sound = mPlayer ? mPlayer->GetSound() : nullptr;
  if (sound && sound->IsOpen() && sound->Format() == AUDIO_S16SYS && mDecoder.HasAudio()) {
    std::string soundError;
    if (mDecoder.DecodeAudio(sound->Frequency(), sound->OutputChannels(), mSamples, soundError)) {
      mChunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(mSamples.data()),
                                 static_cast<Uint32>(mSamples.size() * sizeof(int16_t)));
      if (mChunk) mChannel = sound->AcquireChannel();
    }
    // A broken sound track leaves a silent clip; the pictures still play.
    if (!mChunk) mSamples.clear();
  }
  return true;
}

void CVideoClip::FreeSound() {
  if (mChunk) {
    Mix_HaltChannel(mChannel);
    Mix_FreeChunk(mChunk);  // the samples are ours and stay
  }
  mChunk = nullptr;
  zorsound::CSoundSystem* sound = mPlayer ? mPlayer->GetSound() : nullptr;
  if (sound) sound->ReleaseChannel(mChannel);
  mChannel = -1;
  mSamples.clear();
}

void CVideoClip::Close() {
  FreeSound();
  mDecoder.Close();
  mFrame.clear();
  mNext.clear();
  mHaveNext = false;
  mPlaying = false;
  mFinished = false;
  mTime = 0.0;
  mFrameIndex = 0;
  mFrameTime = 0.0;
  mDuration = 0.0;
}

void CVideoClip::DetachPlayer() {
  FreeSound();
  mPlayer = nullptr;
  mFrozen = false;
}

void CVideoClip::Restart() {
  mTime = 0.0;
  mFrameIndex = 0;
  mFrameTime = 0.0;
  double first = 0.0;
  if (mDecoder.Rewind() && mDecoder.NextFrame(mFrame, first))
    mHaveNext = mDecoder.NextFrame(mNext, mNextTime);
  else
    mHaveNext = false;  // the picture reached stays
}

void CVideoClip::Play(bool loop, float fadeIn) {
  if (!IsOpen()) return;
  if (mFrameIndex != 0 || mTime != 0.0 || mFinished) Restart();
  mPlaying = true;
  mFinished = false;
  mLoop = loop;
  mHeld = false;
  mMoved = true;
  mStopAtSilence = false;
  mFade = fadeIn > 0.0f ? 0.0f : 1.0f;
  mFadeRate = fadeIn > 0.0f ? 1.0f / fadeIn : 0.0f;
  if (mChunk) {
    Mix_HaltChannel(mChannel);
    Mix_Volume(mChannel, 0);
    Mix_PlayChannel(mChannel, mChunk, loop ? -1 : 0);
  }
  ApplySound();
}

void CVideoClip::Stop(float fade) {
  if (!mPlaying) return;
  if (fade > 0.0f && mFade > 0.0f && !mFrozen) {
    mFadeRate = -mFade / fade;
    mStopAtSilence = true;
    return;
  }
  mPlaying = false;
  mFadeRate = 0.0f;
  mStopAtSilence = false;
  if (mChunk) Mix_HaltChannel(mChannel);
}

void CVideoClip::UnPause() {
  mHeld = false;
  mMoved = true;
  ApplySound();
}

void CVideoClip::SetVolume(float volume) {
  mVolume = volume > 0.0f ? (volume < 1.0f ? volume : 1.0f) : 0.0f;
  ApplySound();
}

void CVideoClip::SetFrozen(bool frozen) {
  mFrozen = frozen;
  ApplySound();
}

void CVideoClip::CheckMoved() {
  if (mPlaying && !mFrozen) {
    mHeld = !mMoved;
    ApplySound();
  }
  mMoved = false;
}

double CVideoClip::EndTime() const {
  if (mDuration > 0.0) return mDuration;
  const double rate = mDecoder.FrameRate();
  return mFrameTime + (rate > 0.0 ? 1.0 / rate : 0.0);
}

void CVideoClip::ShowDuePictures() {
  while (mHaveNext && mNextTime <= mTime + 1e-9) {
    std::swap(mFrame, mNext);
    mFrameTime = mNextTime;
    ++mFrameIndex;
    mHaveNext = mDecoder.NextFrame(mNext, mNextTime);
  }
}

void CVideoClip::Advance(float dt) {
  if (!mPlaying || mFrozen) return;
  if (!(dt > 0.0f)) dt = 0.0f;
  mMoved = true;
  mTime += dt;
  if (mFadeRate != 0.0f) {
    mFade += mFadeRate * dt;
    if (mFade >= 1.0f) {
      mFade = 1.0f;
      mFadeRate = 0.0f;
    } else if (mFade <= 0.0f) {
      mFade = 0.0f;
      mFadeRate = 0.0f;
      if (mStopAtSilence) {
        Stop(0.0f);
        return;
      }
    }
  }
  ApplySound();
  ShowDuePictures();
  if (mHaveNext || mTime < EndTime()) return;
  if (!mLoop) {
    mPlaying = false;
    mFinished = true;
    return;
  }
  // Looped: start again, carrying the time past the end (the sound loops by itself).
  const double end = EndTime();
  const double over = end > 0.0 ? std::fmod(mTime - end, end) : 0.0;
  Restart();
  mTime = over;
  ShowDuePictures();
}

void CVideoClip::ApplySound() {
  if (!mChunk || !mPlaying) return;
  Mix_Volume(mChannel, static_cast<int>(std::lround(mVolume * mFade * MIX_MAX_VOLUME)));
  if (mFrozen || mHeld)
    Mix_Pause(mChannel);
  else
    Mix_Resume(mChannel);
}

}  // namespace zorvideo
