// The flicker value: its first glide, new targets and times in their
// ranges, and the cases where a glide takes no time.
#include <gtest/gtest.h>

#include <cmath>

#include "Objects/RandomPulse.h"
#include "Platform/Random.h"

namespace {

TEST(RandomPulseTest, FirstGlideGoesFromZeroToOneInASecondThenDrawsANewOne) {
  Platform::SeedRandom(42);
  RandomPulse pulse;
  pulse.Init();
  const float values[] = {0.25f, 0.5f, 0.75f, 1.0f};
  for (float v : values) {
    pulse.Update(0.25f);
    EXPECT_FLOAT_EQ(pulse.GetValue(), v);
  }
  // The new glide is drawn; the value stays where it is for this call.
  Platform::SeedRandom(42);
  const float r1 = Platform::RandomFloat(), r2 = Platform::RandomFloat();
  Platform::SeedRandom(42);
  pulse.Update(0.25f);
  EXPECT_FLOAT_EQ(pulse.GetValue(), 1.0f);
  EXPECT_FLOAT_EQ(pulse.GetTarget(), 0.2f + 0.5f * r1);
  EXPECT_FLOAT_EQ(pulse.GetDuration(), 0.05f + 0.13f * r2);
  EXPECT_FLOAT_EQ(pulse.GetProgress(), 0.0f);
  // And from there it moves towards its target.
  pulse.Update(pulse.GetDuration() * 0.5f);
  EXPECT_NEAR(pulse.GetValue(), 0.5f * (1.0f + pulse.GetTarget()), 1e-5f);
}

TEST(RandomPulseTest, TargetsAndTimesStayInTheirRanges) {
  Platform::SeedRandom(7);
  RandomPulse pulse;
  pulse.SetRanges(0.4f, 0.2f, 0.1f, 0.3f);
  for (int i = 0; i < 2000; ++i) {
    pulse.Update(1.0f / 60.0f);
    if (i < 70) continue;  // the first glide from 0 is not drawn
    EXPECT_GE(pulse.GetTarget(), 0.4f);
    EXPECT_LE(pulse.GetTarget(), 0.6f);
    EXPECT_GE(pulse.GetDuration(), 0.1f);
    EXPECT_LE(pulse.GetDuration(), 0.4f);
  }
}

TEST(RandomPulseTest, NoRangesSettleOnTheLowestValue) {
  struct Case {
    float timeMin;  // 0: glides of no time
  } cases[] = {{0.1f}, {0.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.timeMin);
    RandomPulse pulse;
    pulse.SetRanges(0.3f, 0.0f, c.timeMin, 0.0f);
    for (int i = 0; i < 200; ++i) pulse.Update(0.05f);
    EXPECT_NEAR(pulse.GetValue(), 0.3f, 1e-5f);
    for (int i = 0; i < 7; ++i) {
      pulse.Update(0.05f);
      EXPECT_FALSE(std::isnan(pulse.GetValue()));
      EXPECT_NEAR(pulse.GetValue(), 0.3f, 1e-5f);
    }
  }
}

TEST(RandomPulseTest, NoTimeLeavesTheValue) {
  RandomPulse pulse;
  pulse.Update(0.4f);
  const float value = pulse.GetValue();
  for (int i = 0; i < 5; ++i) pulse.Update(0.0f);
  EXPECT_FLOAT_EQ(pulse.GetValue(), value);
}

}  // namespace
