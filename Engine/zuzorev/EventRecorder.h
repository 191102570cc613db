#pragma once
// Writes the desktop's input to a replay file while the game is played by
// hand: every event with the frame it arrived in, under a header with the
// fixed frame time and the seed the game runs on while it records. Each
// frame's lines are flushed at once, so a game that is killed leaves a
// replay of everything up to that frame.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "Engine/zuzorev/EventQueue.h"

namespace zuzorev {

class CEventRecorder {
 public:
  // Frame time a recording runs on when none is asked for: 60 frames a
  // second, as the game's display paces itself.
  static constexpr float kDefaultFrameTime = 1.0f / 60.0f;

  // Opens path for writing (UTF-8 name) and writes the header; null with
  // error when the file cannot be made.
  static std::unique_ptr<CEventRecorder> Create(const std::string& path, float frameTime, uint32_t seed,
                                                std::wstring& error);
  ~CEventRecorder();
  CEventRecorder(const CEventRecorder&) = delete;
  CEventRecorder& operator=(const CEventRecorder&) = delete;

  float GetFrameTime() const { return mFrameTime; }
  uint32_t GetSeed() const { return mSeed; }
  // A frame of the main loop starts; events until FrameStarted arrive in it.
  void BeginFrame();
  // The frame's own events are in; later ones arrive in the next frame.
  void FrameStarted();
  void Record(const SInputEvent& e);
  // Frames begun so far.
  int GetFrames() const { return mFramesBegun; }

 private:
  CEventRecorder(std::FILE* file, float frameTime, uint32_t seed);

  std::FILE* mFile;
  float mFrameTime;
  uint32_t mSeed;
  int mFramesBegun = 0;
  bool mInFrameStart = false;
};

}  // namespace zuzorev
