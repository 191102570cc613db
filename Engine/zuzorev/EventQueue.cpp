#include "Engine/zuzorev/EventQueue.h"

#include "Engine/zuzorev/EventRecorder.h"
#include "Engine/zuzorev/EventScript.h"
#include "Engine/zuzorev/Timer.h"
#include "Platform/Random.h"

namespace zuzorev {

SInputEvent SInputEvent::Of(EInputEvent kind) {
  SInputEvent e;
  e.kind = kind;
  return e;
}

SInputEvent SInputEvent::MouseMove(int x, int y) {
  SInputEvent e = Of(EInputEvent::MouseMove);
  e.x = x;
  e.y = y;
  return e;
}

SInputEvent SInputEvent::MouseDown(int button, int x, int y) {
  SInputEvent e = MouseMove(x, y);
  e.kind = EInputEvent::MouseDown;
  e.button = button;
  return e;
}

SInputEvent SInputEvent::MouseUp(int button, int x, int y) {
  SInputEvent e = MouseDown(button, x, y);
  e.kind = EInputEvent::MouseUp;
  return e;
}

SInputEvent SInputEvent::KeyDown(int key, bool repeat) {
  SInputEvent e = Of(EInputEvent::KeyDown);
  e.key = key;
  e.repeat = repeat;
  return e;
}

SInputEvent SInputEvent::KeyUp(int key) {
  SInputEvent e = Of(EInputEvent::KeyUp);
  e.key = key;
  return e;
}

CEventQueue::CEventQueue() = default;

CEventQueue::~CEventQueue() {
  SetScript(nullptr);
  SetRecorder(nullptr);
}

void CEventQueue::Push(SInputEvent e) {
  if (mRecorder && !mScript) mRecorder->Record(e);
  mEvents.push_back(std::move(e));
}

bool CEventQueue::Pop(SInputEvent& e) {
  if (mEvents.empty()) return false;
  e = std::move(mEvents.front());
  mEvents.pop_front();
  return true;
}

void CEventQueue::TakeClock(float frameTime) {
  if (frameTime > 0.0f && !CTimer::IsManualClock()) {
    CTimer::UseManualClock(true);
    mOwnsClock = true;
  }
}

void CEventQueue::ReleaseClock() {
  if (mOwnsClock) CTimer::UseManualClock(false);
  mOwnsClock = false;
}

void CEventQueue::SetScript(std::unique_ptr<CEventScript> script) {
  ReleaseClock();
  mScript = std::move(script);
  if (!mScript) {
    if (mRecorder) TakeClock(mRecorder->GetFrameTime());
    return;
  }
  if (mScript->GetSeed()) Platform::SeedRandom(*mScript->GetSeed());
  TakeClock(mScript->GetFrameTime());
}

void CEventQueue::SetRecorder(std::unique_ptr<CEventRecorder> recorder) {
  if (!mScript) ReleaseClock();
  mRecorder = std::move(recorder);
  if (!mRecorder || mScript) return;
  Platform::SeedRandom(mRecorder->GetSeed());
  TakeClock(mRecorder->GetFrameTime());
}

void CEventQueue::BeginFrame() {
  if (mScript && mReleaseFinished && mScript->IsFinished()) SetScript(nullptr);
  if (mScript) {
    mScript->PlayFrame(*this);
    if (mScript->GetFrameTime() > 0.0f) CTimer::AdvanceManualClock(mScript->GetFrameTime());
    return;
  }
  if (mRecorder) {
    mRecorder->BeginFrame();
    CTimer::AdvanceManualClock(mRecorder->GetFrameTime());
  }
}

void CEventQueue::FrameStarted() {
  if (mRecorder && !mScript) mRecorder->FrameStarted();
}

}  // namespace zuzorev
