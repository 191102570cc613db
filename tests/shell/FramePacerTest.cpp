#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "FramePacer.h"

namespace {

// Hands out pacer ticks one by one: each sleep of the pacer thread waits for
// a token, and the test can wait until the thread has come back to sleep.
class TickGate {
 public:
  void operator()(uint32_t) {
    std::unique_lock<std::mutex> lock(mMutex);
    ++mSleeps;
    mChanged.notify_all();
    mChanged.wait(lock, [this] { return mTokens > 0 || mOpen; });
    if (mTokens > 0) --mTokens;
  }
  // Lets n ticks through and waits until the thread sleeps again after them
  // (so each of the n events has been set).
  void Release(int n) {
    std::unique_lock<std::mutex> lock(mMutex);
    const int target = mSleeps + n;
    mTokens += n;
    mChanged.notify_all();
    mChanged.wait(lock, [&] { return mSleeps >= target; });
  }
  void WaitFirstSleep() {
    std::unique_lock<std::mutex> lock(mMutex);
    mChanged.wait(lock, [this] { return mSleeps >= 1; });
  }
  // Lets the thread run freely (so that stopping never waits on a token).
  void Open() {
    std::lock_guard<std::mutex> lock(mMutex);
    mOpen = true;
    mChanged.notify_all();
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  int mSleeps = 0;
  int mTokens = 0;
  bool mOpen = false;
};

TEST(AutoResetEvent, ManySetsLetOneWaitThrough) {
  AutoResetEvent event;
  EXPECT_FALSE(event.TryWait());
  for (int i = 0; i < 5; ++i) event.Set();
  event.Wait();  // returns at once: the event is set
  EXPECT_FALSE(event.TryWait()) << "five sets collapse into one";
  event.Set();
  EXPECT_TRUE(event.TryWait());
  EXPECT_FALSE(event.TryWait());
}

TEST(FramePacer, SlowTurnIsFollowedByOneImmediateTurnNotABurst) {
  FramePacer pacer;
  TickGate gate;
  pacer.SetSleepForTests([&gate](uint32_t ms) { gate(ms); });
  pacer.SetRate(60);
  EXPECT_EQ(pacer.GetPeriod(), 16u);
  gate.WaitFirstSleep();

  gate.Release(1);
  pacer.WaitFrame();  // one ordinary turn
  EXPECT_FALSE(pacer.TryWaitFrame());

  // A slow turn: six ticks arrive while it runs.
  gate.Release(6);
  pacer.WaitFrame();  // the next turn starts at once...
  EXPECT_FALSE(pacer.TryWaitFrame()) << "...and the other ticks were collapsed into it";

  gate.Open();
  pacer.Stop();
  EXPECT_FALSE(pacer.HasThread());
  EXPECT_FALSE(pacer.HasEvent());
}

TEST(FramePacer, RateZeroStopsAndASecondStopDoesNothing) {
  FramePacer pacer;
  pacer.SetRate(60);
  EXPECT_TRUE(pacer.HasThread());
  EXPECT_TRUE(pacer.HasEvent());
  pacer.WaitFrame();  // real ticks arrive

  pacer.SetRate(0);
  EXPECT_EQ(pacer.GetPeriod(), 0u);
  EXPECT_FALSE(pacer.HasThread());
  EXPECT_FALSE(pacer.HasEvent());
  pacer.SetRate(0);  // no thread, no event: nothing to do
  EXPECT_FALSE(pacer.HasThread());
  pacer.WaitFrame();  // without an event it returns at once
}

TEST(FramePacer, NewRateRetimesTheRunningThread) {
  FramePacer pacer;
  pacer.SetRate(60);
  pacer.SetRate(30);
  EXPECT_EQ(pacer.GetPeriod(), 33u);
  EXPECT_TRUE(pacer.HasThread());
  pacer.WaitFrame();
  pacer.Stop();
}

}  // namespace
