#pragma once
// A value that wanders for ever: stretch after stretch of random length it
// moves linearly from where it stands to a new random target. Stretch
// lengths come from a time range and targets from a value range, both
// drawn from the game's one random source (length first, then target).
//
// The value starts at 0 with a stretch of length 0, so the first update
// with time in it begins the first real stretch from 0. One update begins
// at most kMaxStretchesPerUpdate stretches; a frame long enough to pass
// even the last of them drops the rest of its time, and the last stretch
// runs from its beginning.
#include <cmath>
#include <cstdint>

#include "Platform/Random.h"

namespace rovovoz {

// A plain value of a moving track, blended linearly between two ends.
template <class T>
class CPPValue {
 public:
  CPPValue() = default;
  explicit CPPValue(T value) : mValue(value) {}
  T Get() const { return mValue; }
  void Set(T value) { mValue = value; }
  // (1 - f) x from + f x to.
  static CPPValue Lerp(const CPPValue& from, const CPPValue& to, float f) {
    return CPPValue(from.mValue * (1.0f - f) + to.mValue * f);
  }

 private:
  T mValue{};
};

template <class TValue, class TScalar>
class CPPMoveSystemTimeOld {
 public:
  static constexpr int kMaxStretchesPerUpdate = 11;
  static constexpr int kEndless = -1;

  // Track 0 is the only track: a range of stretch lengths in seconds and a
  // range of targets, each drawn at random, the value blended linearly.
  void SetTimeRange(float t1, float t2) {
    mTime1 = t1;
    mTime2 = t2;
  }
  void SetValueRange(TScalar a1, TScalar a2) {
    mValue1 = a1;
    mValue2 = a2;
  }
  // How many stretches the track runs; kEndless for ever.
  void SetRepeat(int32_t count) { mRepeat = count; }

  // Back to 0 with a stretch of length 0.
  void Start() {
    mFrom = TValue(TScalar{});
    mTo = mFrom;
    mLength = 0.0f;
    mTime = 0.0f;
    mBegun = 0;
    mEnded = false;
  }

  // Advances the track by dt; true once a counted track has run out.
  bool Update(float dt) {
    if (mEnded) return true;
    if (!std::isfinite(dt)) return false;
    mTime += dt;
    int begun = 0;
    while (mTime > mLength) {
      if (mRepeat >= 0 && mBegun >= mRepeat) {
        mTime = mLength;
        mEnded = true;
        return true;
      }
      if (begun == kMaxStretchesPerUpdate) {
        mTime = 0.0f;
        break;
      }
      mTime -= mLength;
      BeginStretch();
      ++begun;
    }
    return false;
  }

  TScalar GetValue() const {
    float f = mLength > 0.0f ? mTime / mLength : 1.0f;
    if (f < 0.0f) f = 0.0f;
    if (f > 1.0f) f = 1.0f;
    return TValue::Lerp(mFrom, mTo, f).Get();
  }
  bool IsEnd() const { return mEnded; }
  // The stretch under way: its length and the time already run in it.
  float GetStretchLength() const { return mLength; }
  float GetStretchTime() const { return mTime; }

 private:
  void BeginStretch() {
    mFrom = mTo;
    mLength = mTime1 + Platform::RandomFloat() * (mTime2 - mTime1);
    mTo = TValue(mValue1 + Platform::RandomFloat() * (mValue2 - mValue1));
    if (mRepeat >= 0) ++mBegun;  // an endless track counts nothing
    // A stretch that cannot hold time (a zero or broken length) is over at once.
    if (!std::isfinite(mLength)) mLength = 0.0f;
  }

  float mTime1 = 0.0f;
  float mTime2 = 0.0f;
  TScalar mValue1{};
  TScalar mValue2{};
  int32_t mRepeat = kEndless;
  TValue mFrom{};
  TValue mTo{};
  float mLength = 0.0f;
  float mTime = 0.0f;
  int32_t mBegun = 0;
  bool mEnded = false;
};

}  // namespace rovovoz
