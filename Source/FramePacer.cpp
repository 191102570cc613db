#include "FramePacer.h"

#include <chrono>

FramePacer gFramePacer;

void AutoResetEvent::Set() {
  {
    std::lock_guard<std::mutex> lock(mMutex);
    mSignalled = true;
  }
  mCondition.notify_one();
}

void AutoResetEvent::Wait() {
  std::unique_lock<std::mutex> lock(mMutex);
  mCondition.wait(lock, [this] { return mSignalled; });
  mSignalled = false;
}

bool AutoResetEvent::TryWait() {
  std::lock_guard<std::mutex> lock(mMutex);
  const bool was = mSignalled;
  mSignalled = false;
  return was;
}

FramePacer::~FramePacer() { Stop(); }

void FramePacer::SetRate(uint32_t framesPerSecond) {
  const uint32_t period = framesPerSecond == 0 ? 0 : 1000 / framesPerSecond;
  mPeriod.store(period);
  if (period != 0) {
    if (!mEvent) mEvent = std::make_unique<AutoResetEvent>();
    // The system schedules the thread; it asks for nothing more.
    if (!mThread.joinable()) mThread = std::thread(&FramePacer::ThreadProc, this);
    return;
  }
  if (mThread.joinable()) mThread.join();
  mEvent.reset();
}

void FramePacer::ThreadProc() {
  for (uint32_t period = mPeriod.load(); period != 0; period = mPeriod.load()) {
    if (mSleep)
      mSleep(period);
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(period));
    mEvent->Set();
  }
}

void FramePacer::WaitFrame() {
  if (mEvent) mEvent->Wait();
}

bool FramePacer::TryWaitFrame() { return mEvent && mEvent->TryWait(); }
