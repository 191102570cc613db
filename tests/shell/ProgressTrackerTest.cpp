#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "AppPaths.h"
#include "Engine/zuzorev/Timer.h"
#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"
#include "ProgressTracker.h"
#include "ShellTestSupport.h"

namespace {

using testsupport::LogCapture;
using zuzorev::CTimer;

// The tracker's clock moves only when the test says so.
class ProgressTrackerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CTimer::UseManualClock(true);
    gInstallPath = Platform::FromPath(mInstall.Path());
  }
  void TearDown() override {
    CTimer::UseManualClock(false);
    gInstallPath.clear();
  }
  static std::string Floats(std::initializer_list<float> values) { return ProgressTracker::EncodeTimings(values); }

  shelltest::UserFolder mUser;
  testsupport::TempDir mInstall;
};

TEST_F(ProgressTrackerTest, TimingsAreLittleEndianFloat32) {
  EXPECT_EQ(ProgressTracker::EncodeTimings({1.0f, 2.5f}), std::string("\x00\x00\x80\x3F\x00\x00\x20\x40", 8));
  EXPECT_EQ(ProgressTracker::ParseTimings(std::string("\x00\x00\x80\x3F\x00\x00\x20\x40", 8)),
            (std::vector<float>{1.0f, 2.5f}));
}

TEST_F(ProgressTrackerTest, UnusableTimingsCountAsAbsent) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<float> expected;
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"no whole value", std::string("\x00\x00\x80", 3), {}},
      {"last value zero", Floats({1.0f, 0.0f}), {}},
      {"last value negative", Floats({1.0f, -2.0f}), {}},
      {"last value not finite", Floats({1.0f, inf}), {}},
      {"a value not a number", Floats({nan, 2.0f}), {}},
      {"trailing fragment ignored", Floats({0.5f, 2.0f}) + std::string("\x01\x02", 2), {0.5f, 2.0f}},
      {"one value", Floats({3.0f}), {3.0f}},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgressTracker::ParseTimings(c.bytes), c.expected) << c.name;
}

TEST_F(ProgressTrackerTest, WithoutTimingsTheBarFollowsTheCurve) {
  ProgressTracker tracker;
  tracker.Load();
  EXPECT_FALSE(tracker.IsFileLoaded());
  EXPECT_FLOAT_EQ(tracker.GetTotal(), 5.0f);
  // Elapsed t gives 1 - 1 / (t / 5 + 1).
  const struct {
    double advance;
    float percent;
  } ticks[] = {{1.0, 100.0f / 6.0f}, {4.0, 50.0f}, {10.0, 75.0f}};
  for (const auto& t : ticks) {
    CTimer::AdvanceManualClock(t.advance);
    EXPECT_NEAR(tracker.AddPoint(), t.percent, 1e-3);
  }
}

TEST_F(ProgressTrackerTest, BrokenUserFileGivesTheCurveNotADivisionByZero) {
  mInstall.Write("Data/progressInfo", Floats({1.0f, 0.0f}));
  ProgressTracker tracker;
  tracker.Load();
  EXPECT_FALSE(tracker.IsFileLoaded());
  CTimer::AdvanceManualClock(5.0);
  EXPECT_NEAR(tracker.AddPoint(), 50.0f, 1e-3);
}

// Timings that cannot serve are named once; absent or usable ones are not.
TEST_F(ProgressTrackerTest, UnusableTimingsAreNamedOnce) {
  const struct {
    const char* name;
    const char* userBytes;  // null: no per-user file
    bool named;
  } cases[] = {{"no file", nullptr, false}, {"usable", "\x81\x80\x80\x3F", false}, {"no whole value", "bad", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = mUser.Path() / "progressInfo";
    std::filesystem::remove(file);
    if (c.userBytes) Platform::WriteFileAtomically(file, c.userBytes);
    LogCapture log;
    ProgressTracker tracker;
    tracker.Load();
    EXPECT_EQ(tracker.IsFileLoaded(), c.userBytes && !c.named);
    const std::vector<std::wstring> expected =
        c.named ? std::vector<std::wstring>{L"Load progress timings " + Platform::FromPath(file) +
                                             L" not usable; the bar uses default timings."}
                : std::vector<std::wstring>{};
    EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Warning), expected);
  }
}

TEST_F(ProgressTrackerTest, TicksFollowTheEarlierRunAndExtraTicksHoldAt99) {
  // Only the install's file exists: it is read, and the per-user file is
  // made when this run's timings are saved.
  mInstall.Write("Data/progressInfo", Floats({1.0f, 3.0f, 4.0f}));
  ProgressTracker tracker;
  tracker.Load();
  ASSERT_TRUE(tracker.IsFileLoaded());
  EXPECT_FLOAT_EQ(tracker.GetTotal(), 4.0f);

  LogCapture log;
  const float expected[] = {25.0f, 75.0f, 100.0f, 99.0f, 99.0f};
  for (float percent : expected) {
    CTimer::AdvanceManualClock(0.5);
    EXPECT_NEAR(tracker.AddPoint(), percent, 1e-4);
  }
  const auto infos = log.Texts(zuzorev::ELogLevel::Info);
  EXPECT_EQ(std::count(infos.begin(), infos.end(), L"more load progress points detected!"), 1);

  tracker.Save();
  std::string bytes;
  ASSERT_TRUE(Platform::ReadWholeFile(ProgressTracker::UserFile(), bytes));
  EXPECT_EQ(bytes, Floats({0.5f, 1.0f, 1.5f, 2.0f, 2.5f}));
}

TEST_F(ProgressTrackerTest, TickTooSoonDrawsNothingButIsStillRecorded) {
  ProgressTracker tracker;
  tracker.Load();
  CTimer::AdvanceManualClock(1.0);
  EXPECT_GT(tracker.AddPoint(), 0.0f);
  CTimer::AdvanceManualClock(0.005);
  EXPECT_LT(tracker.AddPoint(), 0.0f) << "less than 10 ms after the last tick shown";
  CTimer::AdvanceManualClock(0.02);
  EXPECT_GT(tracker.AddPoint(), 0.0f) << "more than 10 ms after the last tick shown";
  EXPECT_EQ(tracker.GetTickIndex(), 3);
  tracker.Save();
  std::string bytes;
  ASSERT_TRUE(Platform::ReadWholeFile(ProgressTracker::UserFile(), bytes));
  EXPECT_EQ(bytes.size(), 12u);
}

TEST_F(ProgressTrackerTest, NothingIsWrittenWithoutATickAndTheUserFileWins) {
  ProgressTracker idle;
  idle.Load();
  idle.Save();
  EXPECT_FALSE(std::filesystem::exists(ProgressTracker::UserFile()));

  mInstall.Write("Data/progressInfo", Floats({10.0f}));
  std::string userBytes = Floats({2.0f, 8.0f});
  ASSERT_TRUE(Platform::WriteFileAtomically(ProgressTracker::UserFile(), userBytes));
  ProgressTracker tracker;
  tracker.Load();
  EXPECT_FLOAT_EQ(tracker.GetTotal(), 8.0f);
}

}  // namespace
