#pragma once
// The frame pacer: a second thread that sleeps one frame period and then
// sets an auto-reset event, over and over; the main loop waits on the event
// before each active turn. Because the event is auto-reset, ticks that
// arrive while a turn is still running collapse into one: a slow turn is
// followed by one immediate turn, never by a burst.
//
// The two threads share only the period (0 ends the thread) and the event.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// An auto-reset event: Set lets exactly one Wait through, however often it
// was set before that Wait.
class AutoResetEvent {
 public:
  void Set();
  void Wait();
  // Takes the signal when it is set; never blocks.
  bool TryWait();

 private:
  std::mutex mMutex;
  std::condition_variable mCondition;
  bool mSignalled = false;
};

class FramePacer {
 public:
  FramePacer() = default;
  ~FramePacer();
  FramePacer(const FramePacer&) = delete;
  FramePacer& operator=(const FramePacer&) = delete;

  // Starts, re-times or (with 0) stops the pacer; the period is 1000 / rate
  // milliseconds (16 at 60). A running thread keeps running with the new
  // period; stopping waits for the thread to end, then drops the event.
  void SetRate(uint32_t framesPerSecond);
  void Stop() { SetRate(0); }
  // Waits for the next tick; returns at once when the pacer has no event.
  void WaitFrame();
  // The pacer thread's body: sleep one period, set the event, while the
  // period is not 0.
  void ThreadProc();

  uint32_t GetPeriod() const { return mPeriod.load(); }
  bool HasThread() const { return mThread.joinable(); }
  bool HasEvent() const { return mEvent != nullptr; }
  // Takes a pending tick without waiting (false when none is pending).
  bool TryWaitFrame();

  // Tests replace the thread's sleep to hand out ticks one by one. Set it
  // while the pacer is stopped.
  using SleepFunction = std::function<void(uint32_t milliseconds)>;
  void SetSleepForTests(SleepFunction sleep) { mSleep = std::move(sleep); }

 private:
  std::atomic<uint32_t> mPeriod{0};
  std::unique_ptr<AutoResetEvent> mEvent;
  std::thread mThread;
  SleepFunction mSleep;
};

// A sleep for the pacer that hands out one tick per turn, for replays that
// run on their own frame time: the pacer's thread waits in Wait until the
// turn before has ended (Release), instead of spinning through ticks the
// main loop would collapse anyway. Open lets it run free, so it can see its
// stop; open the gate before the pacer is stopped.
class CTickGate {
 public:
  CTickGate() { mTick.Set(); }  // the first tick
  void Wait() {
    if (!mOpen.load()) mTick.Wait();
  }
  void Release() { mTick.Set(); }
  void Open() {
    mOpen.store(true);
    mTick.Set();
  }

 private:
  AutoResetEvent mTick;
  std::atomic<bool> mOpen{false};
};

extern FramePacer gFramePacer;
