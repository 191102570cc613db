// Rain: the pool for all drops alive plus a tenth, drops only with vertex
// data, the wind's swing across the horizontal speed, drops born black with
// the object alpha and stretched along their flight, and the settings that
// would never let a frame end refused.
#include <gtest/gtest.h>

#include <cmath>

#include "Objects/RORain.h"
#include "weather/WeatherTestSupport.h"

namespace {

using weathertest::LoadWeather;
using weathertest::WeatherCore;
using zuzorev::ELogLevel;

class Rain : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  WeatherCore core;
  testsupport::LogCapture log;
};

TEST_F(Rain, SceneRainKeepsAPoolOfElevenAndFillsIt) {
  auto back = weathertest::LoadWeatherScene();
  auto* rain = effectstest::ObjectOf<CRORain>(*back, weathertest::kRain);
  ASSERT_NE(rain, nullptr);
  ASSERT_NE(rain->GetDrops(), nullptr) << "the scene's load with vertex data makes the drops";
  EXPECT_EQ(rain->GetParams().Capacity, 11);
  EXPECT_EQ(rain->GetDrops()->GetCapacity(), 11);
  effectstest::RunFrames(*back, 60, 0.05f);
  // One drop every 0.1 s living 1 s.
  EXPECT_GE(rain->GetDrops()->GetCount(), 9);
  EXPECT_LE(rain->GetDrops()->GetCount(), 11);
  for (int i = 0; i < rain->GetDrops()->GetCount(); ++i)
    EXPECT_LT(rain->GetDrops()->GetParticle(i).Velocity.z, 0.0f) << "the fixture's drops fall";
}

TEST_F(Rain, WindSwingsTheHorizontalSpeedBetweenItsBounds) {
  struct Case {
    float phase;
    float vx;
  } cases[] = {{0.25f, 200.0f}, {0.75f, 50.0f}, {0.5f, 125.0f}};
  for (const Case& c : cases) {
    auto rain = LoadWeather<CRORain>(core, "<Properties Texture=\"drop.png\" Xmin=\"0\" Xmax=\"0\"/>", nullptr, 2);
    ASSERT_NE(rain->GetDrops(), nullptr);
    constexpr float kDt = 0.15f;  // one drop
    rain->SetWindPhase(c.phase - 0.1f * kDt);
    rain->Update(kDt, nullptr);
    ASSERT_EQ(rain->GetDrops()->GetCount(), 1) << c.phase;
    EXPECT_NEAR(rain->GetDrops()->GetParticle(0).Velocity.x, c.vx, 0.05f) << c.phase;
  }
}

TEST_F(Rain, WindPullsDropsTowardsTheMiddle) {
  auto rain = LoadWeather<CRORain>(core, "<Properties Texture=\"drop.png\" Xmin=\"500\" Xmax=\"500\" VxMin=\"0\" VxMax=\"0\"/>",
                                   nullptr, 2);
  rain->Update(0.15f, nullptr);
  ASSERT_EQ(rain->GetDrops()->GetCount(), 1);
  EXPECT_NEAR(rain->GetDrops()->GetParticle(0).Velocity.x, -65.0f, 1e-3f);
}

TEST_F(Rain, DropsAreBornBlackWithTheObjectAlphaAndStretchedAlongTheirFlight) {
  auto rain = LoadWeather<CRORain>(core, "<Properties Texture=\"drop.png\" Size=\"10\" Alpha=\"0.15\"/>", nullptr, 2);
  rain->Update(0.15f, nullptr);
  ASSERT_EQ(rain->GetDrops()->GetCount(), 1);
  const SPointParticle& first = rain->GetDrops()->GetParticle(0);
  EXPECT_EQ(first.Color, 38u << 24);  // 0.15 x 255 rounded
  EXPECT_FLOAT_EQ(first.Width, 10.0f);
  EXPECT_FLOAT_EQ(first.Height, 20.0f);
  const float vx = first.Velocity.x, vz = first.Velocity.z;
  const float length = std::sqrt(vx * vx + vz * vz);
  EXPECT_NEAR(first.Axis.x, vx / length, 1e-5f);
  EXPECT_NEAR(first.Axis.z, vz / length, 1e-5f);
  EXPECT_FLOAT_EQ(first.Axis.y, 0.0f);
  // A new alpha reaches only the drops born after it.
  rain->SetAlpha(0.0f);
  rain->Update(0.1f, nullptr);
  ASSERT_EQ(rain->GetDrops()->GetCount(), 2);
  EXPECT_EQ(rain->GetDrops()->GetParticle(0).Color, 38u << 24);
  EXPECT_EQ(rain->GetDrops()->GetParticle(1).Color, 0u);
  rain->SetAlpha(10.0f);
  rain->Update(0.1f, nullptr);
  EXPECT_EQ(rain->GetDrops()->GetParticle(2).Color, 255u << 24);
}

TEST_F(Rain, WithoutVertexDataThereAreNoDropsUntilAReload) {
  auto rain = LoadWeather<CRORain>(core, "<Properties Texture=\"drop.png\"/>", nullptr, 1);
  EXPECT_EQ(rain->GetDrops(), nullptr);
  rain->Update(0.5f, nullptr);
  rain->Render();
  EXPECT_EQ(rain->Load(3), 1);
  ASSERT_NE(rain->GetDrops(), nullptr);
  rain->Update(0.15f, nullptr);
  EXPECT_EQ(rain->GetDrops()->GetCount(), 1);
  EXPECT_EQ(rain->UnLoad(3), 1);
  EXPECT_EQ(rain->GetDrops(), nullptr);
}

TEST_F(Rain, LifetimeOrIntervalOfZeroOrLessIsRefused) {
  for (const char* values : {"T=\"0\"", "dt=\"0\"", "dt=\"-1\"", "T=\"-2\""}) {
    int32_t result = 0;
    auto rain = LoadWeather<CRORain>(core, std::string("<Properties Texture=\"drop.png\" ") + values + "/>", &result, 3);
    EXPECT_LT(result, 0) << values;
    EXPECT_EQ(rain->GetDrops(), nullptr) << values;
    rain->Load(3);
    EXPECT_EQ(rain->GetDrops(), nullptr) << values;
    rain->Update(1.0f, nullptr);
  }
}

TEST_F(Rain, ALongFrameFillsThePoolAndEnds) {
  auto rain = LoadWeather<CRORain>(core, "<Properties Texture=\"drop.png\" T=\"0.01\" dt=\"0.000001\"/>", nullptr, 2);
  ASSERT_NE(rain->GetDrops(), nullptr);
  rain->Update(1000.0f, nullptr);
  EXPECT_LE(rain->GetDrops()->GetCount(), rain->GetDrops()->GetCapacity());
  rain->Update(0.001f, nullptr);
  EXPECT_GT(rain->GetDrops()->GetCount(), 0);
}

}  // namespace
