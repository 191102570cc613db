#pragma once
// The low-level sound system: the audio device opened through SDL_mixer,
// shared by the game's sounds and the video player. Each client takes mixer
// channels of its own, so that pausing or halting one client's channel never
// touches another's.
//
// When no audio device can be opened the system stays silent: IsOpen() is
// false, nothing is decoded and nothing plays, and its clients keep their
// own state so that the game runs on unchanged.
#include <SDL_mixer.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zorsound {

class CSoundSystem {
 public:
  CSoundSystem() = default;
  ~CSoundSystem();
  CSoundSystem(const CSoundSystem&) = delete;
  CSoundSystem& operator=(const CSoundSystem&) = delete;

  // Opens the device (once; later calls answer the first result). False,
  // with a warning in the sound log, when no device can be opened.
  bool Init();
  // Closes the device; channels still held are halted and given back.
  void Release();
  bool IsOpen() const { return mOpen; }

  // The mixer's output format; 0 while closed.
  int Frequency() const { return mFrequency; }
  int OutputChannels() const { return mOutputChannels; }
  uint16_t Format() const { return mFormat; }

  // A mixer channel for the caller's sole use, -1 while closed.
  int AcquireChannel();
  // Halts the channel and gives it back (-1 is ignored).
  void ReleaseChannel(int channel);

  // Decodes a whole sound from file bytes; null (and the mixer's error in
  // error) when closed or the bytes are no sound the mixer reads.
  Mix_Chunk* LoadChunk(const std::string& bytes, std::string& error) const;
  // Opens a streamed track over the bytes, which must outlive the result.
  Mix_Music* LoadMusic(const std::string& bytes, std::string& error) const;

 private:
  bool mTried = false;
  bool mOpen = false;
  int mFrequency = 0;
  int mOutputChannels = 0;
  uint16_t mFormat = 0;
  std::vector<int> mChannels;  // taken through this system
};

}  // namespace zorsound
