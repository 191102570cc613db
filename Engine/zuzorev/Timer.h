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

  // Every timer reads a clock that moves only by AdvanceManualClock (tests,
  // and scripted input with a fixed frame time). The clock goes on from
  // where it stood when it switches, in either direction.
  static void UseManualClock(bool on);
  static bool IsManualClock();
  static void AdvanceManualClock(double seconds);

 private:
  double mLast;
};

}  // namespace zuzorev
