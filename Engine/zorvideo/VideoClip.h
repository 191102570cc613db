#pragma once
// One video playing: its decoder, its current picture, its own clock (moved
// by Advance with the frame time, never the wall clock) and its sound track
// on a mixer channel of its own.
#include <SDL_mixer.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zorvideo/VideoDecoder.h"

namespace zorvideo {

class CVideoPlayer;

class CVideoClip {
 public:
  // With a null player the clip plays without sound and is never frozen.
  explicit CVideoClip(CVideoPlayer* player);
  ~CVideoClip();
  CVideoClip(const CVideoClip&) = delete;
  CVideoClip& operator=(const CVideoClip&) = delete;

  // Opens the file's bytes, decodes the first picture and the sound track.
  // False, with the reason in error, when there is no picture to show.
  bool Open(std::string bytes, std::string& error);
  void Close();
  bool IsOpen() const { return !mFrame.empty(); }

  // Starts from the beginning, once or looped, fading the sound in.
  void Play(bool loop, float fadeIn);
  // Fades the sound out over fade seconds, then stops on the picture
  // reached (at once with 0).
  void Stop(float fade);
  // Lets the sound go on if it was held.
  void UnPause();
  void SetVolume(float volume);
  // Moves the clock by dt: the picture shown is the last one whose time has come.
  void Advance(float dt);

  bool IsPlaying() const { return mPlaying; }
  // True once a clip played once has shown its last picture.
  bool IsFinished() const { return mFinished; }
  double GetTime() const { return mTime; }
  double GetDuration() const { return mDuration; }
  int GetFrameIndex() const { return mFrameIndex; }
  float GetHeardVolume() const { return mPlaying ? mVolume * mFade : 0.0f; }
  bool HasSound() const { return mChunk != nullptr; }
  bool IsSoundHeld() const { return mHeld; }

  // The current picture: width x height texels 0xAARRGGBB, row 0 at the top.
  const uint32_t* GetFrame() const { return mFrame.empty() ? nullptr : mFrame.data(); }
  int GetWidth() const { return mDecoder.Width(); }
  int GetHeight() const { return mDecoder.Height(); }

  // For the player.
  void SetFrozen(bool frozen);
  // Holds the sound when the clock did not move since the last call.
  void CheckMoved();
  // The player goes away: the clip lets go of its sound and plays on silently.
  void DetachPlayer();

 private:
  void Restart();
  void ShowDuePictures();
  double EndTime() const;
  void ApplySound();
  void FreeSound();

  CVideoPlayer* mPlayer;
  CVideoDecoder mDecoder;
  std::vector<uint32_t> mFrame;
  std::vector<uint32_t> mNext;
  double mNextTime = 0.0;
  bool mHaveNext = false;
  double mDuration = 0.0;
  double mTime = 0.0;
  int mFrameIndex = 0;
  double mFrameTime = 0.0;  // of the picture shown

  bool mPlaying = false;
  bool mLoop = false;
  bool mFinished = false;
  bool mFrozen = false;
  bool mHeld = false;
  bool mMoved = false;
  float mVolume = 1.0f;
  float mFade = 1.0f;
  float mFadeRate = 0.0f;  // per second, signed; 0 = not fading
  bool mStopAtSilence = false;

  std::vector<int16_t> mSamples;
  Mix_Chunk* mChunk = nullptr;
  int mChannel = -1;
};

}  // namespace zorvideo
