// The particle fire: its layers, curves, the order of its random draws, its
// time scales and the shared emission clocks, alone and two on one scene.
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/Fire.h"
#include "Objects/FirePart.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"
#include "fire/FireTestSupport.h"

namespace {

using firetest::FireCore;
using firetest::LoadObject;

class FirePartTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  FireCore core;
};

// A torch of the fixture pictures; extra goes into the FirePart element.
std::string Torch(const std::string& flame = "", const std::string& overlay = "", const std::string& extra = "",
                  const std::string& scale = "1", const std::string& before = "") {
  return "<Properties Scale=\"" + scale + "\">" + before + "<FirePart>" + extra + "<Fire Texture=\"strip.png\" " + flame +
         "/><Overlay Texture=\"white.png\" " + overlay + "/></FirePart></Properties>";
}

TEST_F(FirePartTest, CurvesGiveTheirValues) {
  gFirePartScale = 1.0f;
  EXPECT_FLOAT_EQ(FireFlameSize(0.0f), 40.0f);
  EXPECT_FLOAT_EQ(FireFlameSize(1.0f), 20.0f);
  EXPECT_FLOAT_EQ(FireSpotSize(0.0f), 40.0f);
  EXPECT_FLOAT_EQ(FireSpotSize(1.0f), 0.0f);
  gFirePartScale = 2.0f;
  EXPECT_FLOAT_EQ(FireFlameSize(0.5f), 60.0f);
  EXPECT_FLOAT_EQ(FireSpotSize(0.5f), 40.0f);
  gFirePartScale = 1.0f;

  struct Frame {
    float t;
    int32_t frame;
  } frames[] = {{0.0f, 6}, {0.05f, 6}, {0.06f, 7}, {0.5f, 15}, {0.999f, 25}, {1.0f, 25}, {std::nanf(""), 6}};
  for (const Frame& f : frames) EXPECT_EQ(FireFlameFrame(f.t), f.frame) << f.t;

  // Flame: red full, green from 0.7 down to 0, alpha sin(pi t).
  struct Color {
    float t;
    uint32_t argb;
  } flames[] = {{0.06f, 0x30FFA900u}, {0.1f, 0x4FFFA300u}, {0.3f, 0xCEFF8400u}, {0.5f, 0xFFFF5D00u},
                {1.0f, 0x00FF0000u}};
  for (const Color& c : flames) EXPECT_EQ(FireFlameColor(c.t), c.argb) << c.t;
  // Spot: white, alpha rising to its peak of 51 at t 0.1 and falling to 0 at 1.
  const Color spots[] = {{0.0f, 0x00FFFFFFu}, {0.06f, 0x1FFFFFFFu}, {0.1f, 0x33FFFFFFu},
                         {0.3f, 0x28FFFFFFu}, {0.5f, 0x1CFFFFFFu}, {1.0f, 0x00FFFFFFu}};
  for (const Color& c : spots) EXPECT_EQ(FireSpotColor(c.t), c.argb) << c.t;
}

TEST_F(FirePartTest, LayersByElement) {
  struct Case {
    const char* name;
    std::string properties;
    bool fire, flames, overlay;
    zormath::Vec3f centre;
  } cases[] = {
      {"texture only", "<Properties><Fire NameModel=\"Hearth\"/></Properties>", true, false, false, {0, 10, -64}},
      {"particles only", Torch(), false, true, true, {0, 0, 0}},
      {"particles from a model", Torch("", "", "<Pos NameModel=\"TorchA\"/>"), false, true, true, {-300, 10, -116}},
      {"texture, default pictures missing", "<Properties><Fire NameModel=\"TorchB\"/><FirePart/></Properties>", true, false, false,
       {300, 10, -116}},
      {"missing pictures", "<Properties><FirePart><Fire Texture=\"none.tga\"/></FirePart></Properties>", false,
       false, false, {0, 0, 0}},
      {"texture fails", "<Properties><Fire/></Properties>", false, false, false, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t result = -1;
    auto part = LoadObject<CFirePart>(core, c.properties, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(part->GetFire() != nullptr, c.fire);
    EXPECT_EQ(part->GetFlames() != nullptr, c.flames);
    EXPECT_EQ(part->GetOverlay() != nullptr, c.overlay);
    EXPECT_EQ(part->GetCenter(), c.centre);
  }
}

TEST_F(FirePartTest, DefaultsOfTheEmittersAndTextures) {
  auto part = LoadObject<CFirePart>(core, "<Properties/>");
  EXPECT_EQ(part->GetFlameTexture(), L"FX_part_fire_x32_2.tga");
  EXPECT_EQ(part->GetSpotTexture(), L"spot_part.tga");
  const CFirePart::SEmitter& f = part->GetFlameEmitter();
  const CFirePart::SEmitter& s = part->GetSpotEmitter();
  EXPECT_EQ((std::vector<float>{f.Dx, f.Dz, f.DVx, f.DVz, f.DTime}),
            (std::vector<float>{20.0f, 10.0f, 5.0f, 20.0f, 0.1f}));
  EXPECT_EQ((std::vector<float>{s.Dx, s.Dz, s.DVx, s.DVz, s.DTime}),
            (std::vector<float>{12.0f, 0.0f, 20.0f, 50.0f, 0.15f}));
}

TEST_F(FirePartTest, GlowIsDrawnAddedOverTheFlames) {
  auto part = LoadObject<CFirePart>(core, Torch("", "", "", "1", "<Fire NameModel=\"Hearth\"/>"));
  ASSERT_NE(part->GetOverlay(), nullptr);
  ASSERT_NE(part->GetFire(), nullptr);
  zuzorev::CRenderSystem& render = core.Render();
  EXPECT_EQ(part->GetOverlay()->GetRenderSetingID(), render.GetRenderSetingID(L"MT_PARTICLE_OVERLAY"));
  EXPECT_EQ(part->GetFlames()->GetRenderSetingID(), render.GetRenderSetingID(L"MT_PARTICLE"));
  part->Update(0.2f, nullptr);
  render.Begin();
  part->Render();
  const auto draws = render.GetFrameDraws();
  render.End();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].seting, L"MT_PARTICLE");
  EXPECT_EQ(draws[1].seting, L"MT_FIRE");
  EXPECT_EQ(draws[2].seting, L"MT_PARTICLE_OVERLAY");
  EXPECT_EQ(draws[2].blend, zuzorev::EBlend::Add);
}

TEST_F(FirePartTest, EmissionDrawsInItsOrderAndScaleMultipliesSpreadAndSpeed) {
  // No force and no drag: a particle keeps its birth velocity; the flame
  // clock gains 2 x 0.06 = 0.12 > 0.1, one flame and no glow.
  for (float scale : {1.0f, 2.0f}) {
    SCOPED_TRACE(scale);
    gFireFlameClock = gFireSpotClock = 0.0f;
    auto part = LoadObject<CFirePart>(
        core, Torch("Dx=\"20\" Dz=\"10\" DVx=\"5\" DVz=\"20\"", "", "<F x=\"0\" y=\"0\" z=\"0\" Ks=\"0\"/>",
                    std::to_string(scale)));
    ASSERT_NE(part->GetFlames(), nullptr);
    Platform::SeedRandom(777);
    part->Update(0.06f, nullptr);
    ASSERT_EQ(part->GetFlames()->GetCount(), 1);
    EXPECT_EQ(part->GetOverlay()->GetCount(), 0);
    EXPECT_NEAR(gFireFlameClock, 0.02f, 1e-6f);

    Platform::SeedRandom(777);
    Platform::Random();
    const float r1 = Platform::RandomFloat(), r2 = Platform::RandomFloat();
    const float r3 = Platform::RandomFloat(), r4 = Platform::RandomFloat();
    const float r5 = Platform::RandomFloat();
    const bool negative = (Platform::Random() & 1) != 0;
    const float r6 = Platform::RandomFloat();
    const float s = scale;
    const zormath::Vec3f velocity(s * (10.0f * r3 - 5.0f), 0.0f, s * 20.0f * r4);
    const float physics = 4.42f * 0.06f;
    const SPointParticle& p = part->GetFlames()->GetParticle(0);
    EXPECT_NEAR(p.Velocity.x, velocity.x, 1e-4f);
    EXPECT_NEAR(p.Velocity.z, velocity.z, 1e-4f);
    EXPECT_NEAR(p.Position.x, -20.0f * s + 40.0f * s * r1 + velocity.x * physics, 1e-3f);
    EXPECT_NEAR(p.Position.z, -0.3f * 10.0f * s + 20.0f * s * r2 + velocity.z * physics, 1e-3f);
    const float spin = (0.8f - 0.4f * r5) * (negative ? -1.0f : 1.0f);
    EXPECT_FLOAT_EQ(p.Spin, spin);
    const float angle = objects::kTwoPi * r6 + 0.0f;
    const float turn = spin * physics;
    const zormath::Vec3f axis(std::cos(angle), 0.0f, std::sin(angle));
    EXPECT_NEAR(p.Axis.x, std::cos(turn) * axis.x + std::sin(turn) * axis.z, 1e-4f);
    EXPECT_NEAR(p.Axis.z, -std::sin(turn) * axis.x + std::cos(turn) * axis.z, 1e-4f);
    EXPECT_NEAR(p.Age, physics, 1e-6f);
  }
}

TEST_F(FirePartTest, PeriodOfZeroOrLessBirthsNothingAndNeverHangs) {
  for (const char* period : {"0", "-1"}) {
    SCOPED_TRACE(period);
    gFireFlameClock = gFireSpotClock = 0.0f;
    auto part = LoadObject<CFirePart>(core, Torch(std::string("DTime=\"") + period + "\""));
    part->Update(1.0f, nullptr);
    EXPECT_EQ(part->GetFlames()->GetEmittedCount(), 0);
    // The glow keeps its own period: 2 s of clock at 0.15 s.
    EXPECT_EQ(part->GetOverlay()->GetEmittedCount(), 13);
  }
}

TEST_F(FirePartTest, NumbersThatAreNoNumbersKeepTheParticlesFinite) {
  auto part = LoadObject<CFirePart>(core, Torch("Dx=\"nan\" Dz=\"inf\" DVx=\"nan\" DVz=\"-inf\"", "Dx=\"nan\"",
                                                "<F x=\"nan\" z=\"inf\" Ks=\"nan\"/>", "nan"));
  for (int i = 0; i < 30; ++i) part->Update(1.0f / 30.0f, nullptr);
  for (PointsSystem* system : {part->GetFlames(), part->GetOverlay()}) {
    ASSERT_GT(system->GetCount(), 0);
    for (int k = 0; k < system->GetCount() * 6; ++k) {
      const zuzorev::SVertex v = firetest::Vertex(*system, k);
      ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z)) << k;
    }
  }
}

TEST_F(FirePartTest, ATinyPeriodStopsAtAFullPool) {
  auto part = LoadObject<CFirePart>(core, Torch("DTime=\"1e-9\""));
  part->Update(0.1f, nullptr);
  EXPECT_EQ(part->GetFlames()->GetEmittedCount(), 200);
  EXPECT_EQ(part->GetFlames()->GetCount(), 200);
  EXPECT_LE(gFireFlameClock, 1e-9f);
  // The full pool takes nothing more.
  part->Update(0.01f, nullptr);
  EXPECT_EQ(part->GetFlames()->GetEmittedCount(), 200);
}

TEST_F(FirePartTest, LoadStepsWithNoTimeAndBirthsNothing) {
  auto part = LoadObject<CFirePart>(core, Torch());
  EXPECT_EQ(part->GetFlames()->GetCount(), 0);
  EXPECT_EQ(part->GetOverlay()->GetCount(), 0);
  EXPECT_EQ(gFireFlameClock, 0.0f);
  // A frame time that is no number leaves the shared clocks as they were.
  part->Update(std::nanf(""), nullptr);
  EXPECT_EQ(gFireFlameClock, 0.0f);
  EXPECT_EQ(gFireSpotClock, 0.0f);
}

TEST_F(FirePartTest, FlamesLiveAboutHalfASecondOnScreen) {
  auto part = LoadObject<CFirePart>(core, Torch());
  for (int i = 0; i < 120; ++i) part->Update(1.0f / 60.0f, nullptr);
  // One flame every 0.05 s, each living 2 / 4.42 s: about nine at once.
  EXPECT_GE(part->GetFlames()->GetCount(), 8);
  EXPECT_LE(part->GetFlames()->GetCount(), 10);
  EXPECT_NEAR(static_cast<double>(part->GetFlames()->GetEmittedCount()), 40.0, 1.0);
}

TEST_F(FirePartTest, AlphaReachesEveryLayer) {
  auto part = LoadObject<CFirePart>(core, Torch("", "", "", "1", "<Fire NameModel=\"Hearth\"/>"));
  part->SetAlpha(0.25f);
  EXPECT_FLOAT_EQ(part->GetFire()->GetAlpha(), 0.25f);
  EXPECT_FLOAT_EQ(part->GetFlames()->GetAlpha(), 0.25f);
  EXPECT_FLOAT_EQ(part->GetOverlay()->GetAlpha(), 0.25f);
}

TEST_F(FirePartTest, TwoTorchesOnOneSceneShareTheClocksAndKeepTheirRate) {
  auto back = scenetest::LoadScene(L"Data\\Level\\Fire.xml", L"Fire");
  auto* a = effectstest::ObjectOf<CFirePart>(*back, 2);
  auto* b = effectstest::ObjectOf<CFirePart>(*back, 3);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  ASSERT_NE(effectstest::ObjectOf<CFire>(*back, 1), nullptr);
  EXPECT_EQ(a->GetCenter(), zormath::Vec3f(-300, 10, -116));
  EXPECT_EQ(b->GetCenter(), zormath::Vec3f(300, 10, -116));
  effectstest::RunFrames(*back, 60, 1.0f / 60.0f);
  // One flame every 0.05 s each over the second.
  EXPECT_NEAR(static_cast<double>(a->GetFlames()->GetEmittedCount()), 20.0, 1.0);
  EXPECT_NEAR(static_cast<double>(b->GetFlames()->GetEmittedCount()), 20.0, 1.0);
  // Glow: one every 0.075 s each.
  EXPECT_NEAR(static_cast<double>(a->GetOverlay()->GetEmittedCount()), 13.3, 1.0);
  EXPECT_NEAR(static_cast<double>(b->GetOverlay()->GetEmittedCount()), 13.3, 1.0);
  // Their flames rise from their own torches.
  EXPECT_LT(a->GetFlames()->GetParticle(0).Position.x, -200.0f);
  EXPECT_GT(b->GetFlames()->GetParticle(0).Position.x, 200.0f);
}

}  // namespace
