#include "Engine/zuzorev/Timer.h"

#include <chrono>

namespace zuzorev {
namespace {

bool gManual = false;
double gManualNow = 0.0;
// Keeps the clock continuous when it switches between real and manual
// time: timers started before a switch see no jump.
double gRealOffset = 0.0;

double RealNow() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count() + gRealOffset;
}

double Now() { return gManual ? gManualNow : RealNow(); }

}  // namespace

CTimer::CTimer() : mLast(Now()) {}

float CTimer::GetElapsedTime() {
  double now = Now();
  double dt = now - mLast;
  mLast = now;
  return dt > 0.0 ? static_cast<float>(dt) : 0.0f;
}

void CTimer::ZeroTimer() { mLast = Now(); }

double CTimer::GetAbsoluteTime() const { return Now(); }

void CTimer::UseManualClock(bool on) {
  if (on == gManual) return;
  if (on)
    gManualNow = RealNow();
  else
    gRealOffset += gManualNow - RealNow();
  gManual = on;
}

bool CTimer::IsManualClock() { return gManual; }

void CTimer::AdvanceManualClock(double seconds) {
  if (seconds > 0.0) gManualNow += seconds;
}

}  // namespace zuzorev
