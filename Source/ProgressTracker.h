#pragma once
// Times every tick of the loading screen and turns a tick's ordinal number
// into how far the load is, using the timings of the previous run: tick i
// shows the share of the total load time that tick i reached last time, so
// the bar moves evenly although files take very different times. Without
// usable timings the bar follows the curve 1 - 1 / (t / 5 + 1).
//
// The file "progressInfo" (per-user folder, else the install's Data folder)
// holds one little-endian float32 per tick of the run that wrote it: the
// seconds from the start to that tick.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Engine/zuzorev/Timer.h"

class ProgressTracker {
 public:
  // Reads the timings of the previous run and starts the clock.
  void Load();
  // Records this tick; returns the percentage to show, or a negative value
  // for a tick that came less than 10 ms after the last one shown.
  float AddPoint();
  // Writes this run's timings to the per-user file (nothing when no tick
  // was taken).
  void Save();

  bool IsFileLoaded() const { return mFileLoaded; }
  float GetTotal() const { return mTotal; }
  const std::vector<float>& GetPoints() const { return mPoints; }
  int32_t GetTickIndex() const { return mTickIndex; }

  // Where the timings are read from and written to.
  static std::filesystem::path UserFile();
  static std::filesystem::path InstallFile();
  // The values of a timing file: whole little-endian float32 values (a
  // trailing fragment is ignored). Empty when the timings cannot be used:
  // no whole value, a value that is not finite, or a last value (the total)
  // that is not above zero.
  static std::vector<float> ParseTimings(const std::string& bytes);
  static std::string EncodeTimings(const std::vector<float>& points);

 private:
  zuzorev::CTimer mTimer;
  std::vector<float> mEarlier;
  std::vector<float> mPoints;
  bool mFileLoaded = false;
  bool mStarted = false;
  int32_t mTickIndex = 0;
  float mTotal = 5.0f;
  double mStartTime = 0.0;
  float mLastReported = -0.01f;
};
