#include "ProgressTracker.h"

#include <cmath>
#include <cstring>

#include "AppPaths.h"
#include "GameLog.h"
#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"

namespace {
const wchar_t* const kSource = L"Source/ProgressTracker";
}

std::filesystem::path ProgressTracker::UserFile() { return Platform::ToPath(gUserDataPath) / "progressInfo"; }

std::filesystem::path ProgressTracker::InstallFile() {
  return Platform::ToPath(gInstallPath) / "Data" / "progressInfo";
}

std::vector<float> ProgressTracker::ParseTimings(const std::string& bytes) {
  std::vector<float> points;
  points.reserve(bytes.size() / 4);
  for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
    const uint32_t bits = static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
                          static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
                          static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
                          static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    // A damaged file must not drive the bar with NaN or divide by zero:
    // such timings count as absent.
    if (!std::isfinite(value)) return {};
    points.push_back(value);
  }
  if (points.empty() || !(points.back() > 0.0f)) return {};
  return points;
}

std::string ProgressTracker::EncodeTimings(const std::vector<float>& points) {
  std::string bytes;
  bytes.reserve(points.size() * 4);
  for (float value : points) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
  }
  return bytes;
}

void ProgressTracker::Load() {
  mEarlier.clear();
  mPoints.clear();
  mStarted = false;
  std::string bytes;
  std::filesystem::path file = UserFile();
  if (!Platform::ReadWholeFile(file, bytes)) {
    file = InstallFile();
    if (!Platform::ReadWholeFile(file, bytes)) file.clear();
  }
  if (!file.empty()) {
    mEarlier = ParseTimings(bytes);
    if (mEarlier.empty())
      gamelog::Warning(kSource, __LINE__, L"Load progress timings %s not usable; the bar uses default timings.",
                       Platform::FromPath(file).c_str());
  }
  mFileLoaded = !mEarlier.empty();
  mTimer.ZeroTimer();
  mStartTime = mTimer.GetAbsoluteTime();
  mLastReported = -0.01f;
  mTotal = mFileLoaded ? mEarlier.back() : 5.0f;
  mTickIndex = 0;
}

float ProgressTracker::AddPoint() {
  mStarted = true;
  const float elapsed = static_cast<float>(mTimer.GetAbsoluteTime() - mStartTime);
  mPoints.push_back(elapsed);

  float fraction;
  if (mFileLoaded) {
    const size_t index = static_cast<size_t>(mTickIndex);
    if (index == mEarlier.size()) {
      gamelog::Info(kSource, __LINE__, L"more load progress points detected!");
      fraction = 0.99f;
    } else if (index < mEarlier.size()) {
      fraction = mEarlier[index] / mTotal;
    } else {
      fraction = 0.99f;
    }
  } else {
    fraction = 1.0f - 1.0f / (elapsed / 5.0f + 1.0f);
  }

  if (elapsed - mLastReported < 0.01f)
    fraction = -1.0f;
  else
    mLastReported = elapsed;
  ++mTickIndex;
  return fraction * 100.0f;
}

void ProgressTracker::Save() {
  if (!mStarted) return;
  const std::filesystem::path path = UserFile();
  std::string error;
  if (!Platform::WriteFileAtomically(path, EncodeTimings(mPoints), &error))
    gamelog::Warning(kSource, __LINE__, L"can't open file %s for save load progress",
                     Platform::FromPath(path).c_str());
}
