// The wandering value under the pulsing rays (stretch after stretch of
// random length towards random targets, at most eleven begun in one
// update) and the rays drawn with it: fading in from 0, the overlay pass
// only above its threshold, the alpha put back after the draw.
#include <gtest/gtest.h>

#include "Engine/rovovoz/PPMoveSystemTimeOld.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ROLuchi.h"
#include "Platform/Random.h"
#include "lights/LightsTestSupport.h"

namespace {

using lightstest::LightsCore;
using lightstest::LoadObject;
using Mover = rovovoz::CPPMoveSystemTimeOld<rovovoz::CPPValue<float>, float>;

Mover Started(float t1, float t2, float a1, float a2) {
  Mover mover;
  mover.SetTimeRange(t1, t2);
  mover.SetValueRange(a1, a2);
  mover.SetRepeat(Mover::kEndless);
  mover.Start();
  return mover;
}

// The draws the seeded source would give next.
std::vector<float> NextDraws(uint32_t seed, int count) {
  Platform::SeedRandom(seed);
  std::vector<float> draws;
  for (int i = 0; i < count; ++i) draws.push_back(Platform::RandomFloat());
  return draws;
}

TEST(WanderingValue, FirstStretchRunsFromZeroToADrawnTargetOverADrawnLength) {
  const std::vector<float> r = NextDraws(7, 2);
  Platform::SeedRandom(7);
  Mover mover = Started(1.0f, 3.0f, 0.2f, 0.6f);
  EXPECT_EQ(mover.GetValue(), 0.0f) << "starts at 0";
  EXPECT_FALSE(mover.Update(0.0f));
  EXPECT_EQ(mover.GetValue(), 0.0f) << "no time, no stretch";
  EXPECT_FALSE(mover.Update(0.5f));
  const float length = 1.0f + r[0] * 2.0f;
  const float target = 0.2f + r[1] * 0.4f;
  EXPECT_FLOAT_EQ(mover.GetStretchLength(), length) << "length drawn first";
  EXPECT_FLOAT_EQ(mover.GetValue(), target * (0.5f / length)) << "linear from 0";
}

TEST(WanderingValue, ALongFrameBeginsAtMostElevenStretchesAndDropsTheRest) {
  struct Case {
    float dt;
    int stretches;  // begun by one update of dt with stretches of 0.1 s
    bool dropped;   // time left over past the last stretch begun
  } cases[] = {{0.25f, 3, false}, {1.05f, 11, false}, {5.0f, 11, true}, {1000.0f, 11, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dt);
    const std::vector<float> r = NextDraws(3, 2 * c.stretches + 1);
    Platform::SeedRandom(3);
    Mover mover = Started(0.1f, 0.1f, 0.0f, 1.0f);
    mover.Update(c.dt);
    EXPECT_EQ(Platform::RandomFloat(), r[static_cast<size_t>(2 * c.stretches)])
        << "two draws per stretch begun, no more";
    if (c.dropped) {
      EXPECT_EQ(mover.GetStretchTime(), 0.0f) << "the rest of the frame is dropped";
    } else {
      EXPECT_GT(mover.GetStretchTime(), 0.0f) << "time within the last stretch is kept";
    }
  }
}

TEST(WanderingValue, EqualBoundsHoldTheValueAndBrokenRangesNeverHang) {
  Mover steady = Started(0.5f, 0.5f, 0.4f, 0.4f);
  steady.Update(0.6f);
  for (int i = 0; i < 20; ++i) steady.Update(0.25f);
  EXPECT_FLOAT_EQ(steady.GetValue(), 0.4f);

  struct Case {
    float t1, t2, dt;
  } broken[] = {{0.0f, 0.0f, 0.1f}, {-1.0f, -2.0f, 0.1f}, {0.1f, 0.2f, NAN}, {0.1f, 0.2f, INFINITY}};
  for (const Case& c : broken) {
    Mover mover = Started(c.t1, c.t2, 0.0f, 1.0f);
    for (int i = 0; i < 5; ++i) mover.Update(c.dt);
    EXPECT_TRUE(std::isfinite(mover.GetValue())) << c.t1 << " " << c.t2 << " " << c.dt;
  }
}

TEST(WanderingValue, ACountedTrackEndsAndHoldsItsLastTarget) {
  Mover mover = Started(0.1f, 0.1f, 0.3f, 0.3f);
  mover.SetRepeat(2);
  EXPECT_FALSE(mover.Update(0.15f));
  EXPECT_TRUE(mover.Update(0.1f));
  EXPECT_TRUE(mover.IsEnd());
  EXPECT_FLOAT_EQ(mover.GetValue(), 0.3f);
}

class PulsingRays : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  LightsCore core;
};

TEST_F(PulsingRays, RaysFadeInFromZeroTowardsTheFirstTargetOnTheFirstUpdate) {
  const std::vector<float> r = NextDraws(effectstest::kSeed, 4);
  Platform::SeedRandom(effectstest::kSeed);
  auto rays = LoadObject<CROLuchi>(core, "<Properties NameModel=\"Rays\" Time1=\"2\" Time2=\"2\" Alpha1=\"0.5\" "
                                         "Alpha2=\"0.9\"/>");
  ASSERT_NE(rays->GetModel(), nullptr);
  EXPECT_EQ(rays->GetRayValue(), 0.0f) << "after load the rays are dark";
  rays->Update(1.0f, nullptr);
  // Ray mover draws length then target, then the overlay mover its two.
  const float target = 0.5f + r[1] * 0.4f;
  EXPECT_FLOAT_EQ(rays->GetRayValue(), target * 0.5f);
  EXPECT_EQ(rays->GetOverlayValue(), 0.0f) << "overlay bounds left at 0";
}

TEST_F(PulsingRays, DrawsAsTheyAreSetAndPutTheAlphaBack) {
  struct Case {
    const char* attributes;
    std::vector<zuzorev::EBlend> blends;  // of the draws of one frame
  } cases[] = {
      {"", {zuzorev::EBlend::Alpha}},
      {"Overlay=\"1\"", {zuzorev::EBlend::Add}},
      {"Alpha1Overlay=\"0.5\" Alpha2Overlay=\"0.5\"", {zuzorev::EBlend::Add, zuzorev::EBlend::Alpha}},
      {"Alpha1Overlay=\"0.005\" Alpha2Overlay=\"0.005\"", {zuzorev::EBlend::Alpha}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    auto rays = LoadObject<CROLuchi>(
        core, std::string("<Properties NameModel=\"Rays\" Alpha1=\"0.5\" Alpha2=\"0.5\" ") + c.attributes + "/>");
    rays->Update(2.5f, nullptr);
    rays->SetAlpha(0.5f);
    lightstest::BeginFrame(core.Render());
    rays->Render();
    const auto& draws = core.Render().GetFrameDraws();
    ASSERT_EQ(draws.size(), c.blends.size());
    for (size_t i = 0; i < draws.size(); ++i) EXPECT_EQ(draws[i].blend, c.blends[i]) << i;
    if (c.blends.back() == zuzorev::EBlend::Alpha) {
      EXPECT_NEAR(draws.back().color[3], 0.25f, 1e-5f) << "object alpha x ray value";
    }
    EXPECT_EQ(rays->GetModel()->GetAlpha(), 1.0f) << "the model's alpha is put back after the draw";
  }
}

TEST_F(PulsingRays, WithoutAModelNothingMovesOrDraws) {
  int32_t result = -1;
  auto rays = LoadObject<CROLuchi>(core, "<Properties NameModel=\"NoSuchMesh\"/>", &result);
  EXPECT_EQ(result, 0);
  rays->Update(1.0f, nullptr);
  EXPECT_EQ(rays->GetRayValue(), 1.0f);
  lightstest::BeginFrame(core.Render());
  rays->Render();
  EXPECT_TRUE(core.Render().GetFrameDraws().empty());
  // A name longer than any fixed buffer would hold is kept whole.
  auto longName = LoadObject<CROLuchi>(core, "<Properties NameModel=\"" + std::string(120, 'R') + "\"/>");
  EXPECT_EQ(longName->GetModel(), nullptr);
}

}  // namespace
