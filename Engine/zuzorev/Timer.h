#pragma once
// A frame timer. Time comes from a monotonic clock; tests switch every
// timer to a manual clock that only moves when they advance it.
namespace zuzorev {

class CTimer {
 public:
  CTimer();
  // Seconds since the previous call (or since ZeroTimer / construction).
  float GetElapsedTime();
  // Starts measuring afresh from now.
  void ZeroTimer();
  // Monotonic seconds.
  double GetAbsoluteTime() const;

  // Tests: every timer reads a clock that moves only by AdvanceManualClock.
  static void UseManualClock(bool on);
  static void AdvanceManualClock(double seconds);

 private:
  double mLast;
};

}  // namespace zuzorev
