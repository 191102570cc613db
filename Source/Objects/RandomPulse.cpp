#include "Objects/RandomPulse.h"

#include "Platform/Random.h"

void RandomPulse::Init() {
  mT = 0.0f;
  mDuration = 1.0f;
  mValue = 0.0f;
  mFrom = 0.0f;
  mTo = 1.0f;
  mValueMin = 0.2f;
  mTimeMin = 0.05f;
  mValueRange = 0.5f;
  mTimeRange = 0.13f;
}

void RandomPulse::SetRanges(float valueMin, float valueRange, float timeMin, float timeRange) {
  mValueMin = valueMin;
  mValueRange = valueRange;
  mTimeMin = timeMin;
  mTimeRange = timeRange;
}

void RandomPulse::Update(float dt) {
  if (mT >= 1.0f) {
    // A new glide starts from where the value stands; it moves next call.
    mT = 0.0f;
    mFrom = mValue;
    mTo = mValueMin + mValueRange * Platform::RandomFloat();
    mDuration = mTimeMin + mTimeRange * Platform::RandomFloat();
    return;
  }
  // A glide of no time is over at once (no division by zero).
  mT = mDuration > 0.0f ? mT + dt / mDuration : 1.0f;
  mValue = mT * mTo + (1.0f - mT) * mFrom;
}
