#include "Engine/zuzorev/Timer.h"

#include <chrono>

namespace zuzorev {
namespace {

bool gManual = false;
double gManualNow = 0.0;

double Now() {
  if (gManual) return gManualNow;
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

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

void CTimer::UseManualClock(bool on) { gManual = on; }

void CTimer::AdvanceManualClock(double seconds) {
  if (seconds > 0.0) gManualNow += seconds;
}

}  // namespace zuzorev
