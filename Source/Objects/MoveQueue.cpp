#include "Objects/MoveQueue.h"

#include <cmath>

#include "Engine/rovovoz/MouseCursor.h"
#include "Objects/ObjectSupport.h"

zormath::Vec3f gMoveQueuePosition;

namespace {
uint8_t gMoveQueueSignal = 0;
}

uint8_t GetMoveQueueSignal() { return gMoveQueueSignal; }

void SetMoveQueueSignal(uint8_t value) { gMoveQueueSignal = value; }

void SMoveStep::Init(int32_t stepType, float x, float y, float z) {
  t = 0.001f;
  started = 0;
  start = zormath::Vec3f();
  target = zormath::Vec3f(x, y, z);
  type = stepType;
}

bool SMoveStep::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (!cursor) return true;
  if (type == kSignal) {
    gMoveQueueSignal = 1;
    return false;
  }
  if (type != kMove) return true;
  if (!started) {
    start = cursor->GetPosition3D(1);
    started = 1;
  }
  if (t > 0.0f) {
    t += 4.0f * dt;
    const float w = (1.0f - std::cos(objects::kPi * t)) / 2.0f;
    gMoveQueuePosition = start * (1.0f - w) + target * w;
    if (t > 1.0f) {
      t = 0.0f;
      gMoveQueuePosition = target;
      return false;
    }
  }
  return true;
}

CMoveQueue::CMoveQueue() { gMoveQueueSignal = 0; }

void CMoveQueue::Update(float dt, rovovoz::CMouseCursor* cursor) {
  gMoveQueueSignal = 0;
  if (mSteps.empty()) return;
  if (!mSteps.front().Update(dt * mSpeed, cursor)) mSteps.erase(mSteps.begin());
}
