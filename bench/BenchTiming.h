#pragma once
// Timing of the benchmarks: CPU time of all the process's threads and wall
// time per frame, the median of seven runs (the machine may be shared, and
// one busy moment should not decide the figure).
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace bench {

inline double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// CPU time of the calling thread alone.
inline double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

inline double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline int ThreadCount() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Threads:", 0) == 0) return std::atoi(line.c_str() + 8);
  return 0;
}

struct STiming {
  double cpuMs = 0;
  double wallMs = 0;
};

// The median of seven runs of `frames` frames each, after ten to warm up.
inline STiming Measure(int frames, const std::function<void()>& frame) {
  for (int i = 0; i < 10; ++i) frame();  // warm caches, shaders and uploads
  std::vector<STiming> runs;
  for (int run = 0; run < 7; ++run) {
    const double cpu0 = ProcessCpuSeconds(), wall0 = WallSeconds();
    for (int i = 0; i < frames; ++i) frame();
    runs.push_back({(ProcessCpuSeconds() - cpu0) * 1000.0 / frames, (WallSeconds() - wall0) * 1000.0 / frames});
  }
  std::sort(runs.begin(), runs.end(), [](const STiming& a, const STiming& b) { return a.cpuMs < b.cpuMs; });
  STiming median = runs[runs.size() / 2];
  std::sort(runs.begin(), runs.end(), [](const STiming& a, const STiming& b) { return a.wallMs < b.wallMs; });
  median.wallMs = runs[runs.size() / 2].wallMs;
  return median;
}

}  // namespace bench
