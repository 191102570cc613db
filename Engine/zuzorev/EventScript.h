#pragma once
// A scripted input source: events listed by the frame they arrive in, a
// fixed frame time and a random seed. The event queue plays it one frame at
// a time, so a run fed from the same script sees the same input at the same
// moments and draws the same random numbers.
#include <cstdint>
#include <map>
#include <optional>

#include "Engine/zuzorev/EventQueue.h"

namespace zuzorev {

class CEventScript {
 public:
  // Seconds each frame lasts (0: the real clock runs) and the seed of the
  // game's random source (none: it stays as it is).
  explicit CEventScript(float frameTime = 0.0f, std::optional<uint32_t> seed = std::nullopt);

  // Adds an event to a frame (frame 0 is the first frame the script plays);
  // events of one frame arrive in the order they were added.
  void Add(int frame, SInputEvent e);

  float GetFrameTime() const { return mFrameTime; }
  const std::optional<uint32_t>& GetSeed() const { return mSeed; }
  // Frames played so far.
  int GetFrame() const { return mFrame; }
  // Every event was played.
  bool IsFinished() const { return mEvents.empty(); }

  // Pushes the events of the next frame into the queue (and those of any
  // earlier frame still left), then counts the frame as played.
  void PlayFrame(CEventQueue& queue);

 private:
  float mFrameTime;
  std::optional<uint32_t> mSeed;
  std::multimap<int, SInputEvent> mEvents;
  int mFrame = 0;
};

}  // namespace zuzorev
