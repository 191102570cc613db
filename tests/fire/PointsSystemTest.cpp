// The particle system: its pool, its steps, the quads it writes and what
// it draws, on the headless device.
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/zuzorev/RenderSystem.h"
#include "fire/FireTestSupport.h"

namespace {

using firetest::FireCore;
using firetest::MakeSystem;
using firetest::Vertex;

class PointsSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  FireCore core;
};

TEST_F(PointsSystemTest, EmittingIntoAFullPoolChangesNothing) {
  SPointsSystemParams params;
  params.Capacity = 2;
  auto system = MakeSystem(core, params);
  system->Emit(1, 2, 3, 4, 5, 6, 0.25f, 0.5f);
  system->Emit(7, 8, 9, 1, 1, 1, 0.0f, 0.0f);
  ASSERT_EQ(system->GetCount(), 2);
  system->Emit(-1, -1, -1, -1, -1, -1, 0.9f, 3.0f);
  EXPECT_EQ(system->GetCount(), 2);
  EXPECT_EQ(system->GetEmittedCount(), 2);
  const SPointParticle& first = system->GetParticle(0);
  EXPECT_EQ(first.Position, zormath::Vec3f(1, 2, 3));
  EXPECT_EQ(first.Velocity, zormath::Vec3f(4, 5, 6));
  EXPECT_FLOAT_EQ(first.Age, 0.25f);
  EXPECT_FLOAT_EQ(first.Spin, 0.5f);
  EXPECT_EQ(system->GetParticle(1).Position, zormath::Vec3f(7, 8, 9));
}

TEST_F(PointsSystemTest, NewParticleHasTheDefaults) {
  SPointsSystemParams params;
  params.Lifetime = 3.0f;
  auto system = MakeSystem(core, params);
  system->Emit(0, 0, 0, 0, 0, 0, 0, 0);
  const SPointParticle& p = system->GetLastParticle();
  EXPECT_EQ(p.Axis, zormath::Vec3f(0, 0, 1));
  EXPECT_FLOAT_EQ(p.Size, 5.0f);
  EXPECT_FLOAT_EQ(p.Width, -5.0f);
  EXPECT_FLOAT_EQ(p.Height, -5.0f);
  EXPECT_EQ(p.Color, 0x55FFFFFFu);
  EXPECT_FLOAT_EQ(p.Lifetime, 3.0f);
}

TEST_F(PointsSystemTest, KillDuringAStepStillStepsEveryParticleOnce) {
  // Three particles moving at 1 unit/s; the one of a short life dies in the
  // step and another takes its place, which must have moved exactly once.
  for (int dying = 0; dying < 3; ++dying) {
    SCOPED_TRACE(dying);
    SPointsSystemParams params;
    params.Capacity = 3;
    params.Lifetime = 1.0f;
    auto system = MakeSystem(core, params);
    for (int i = 0; i < 3; ++i) {
      system->Emit(0, static_cast<float>(i), 0, 1, 0, 0, 0, 0);
      system->GetLastParticle().Lifetime = i == dying ? 0.3f : 1.0f + static_cast<float>(i);
    }
    system->Simulate(0.5f);
    ASSERT_EQ(system->GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
      const SPointParticle& p = system->GetParticle(i);
      EXPECT_NE(p.Position.y, static_cast<float>(dying));
      EXPECT_FLOAT_EQ(p.Position.x, 0.5f) << "particle " << p.Position.y;
      EXPECT_FLOAT_EQ(p.Age, 0.5f) << "particle " << p.Position.y;
    }
  }
}

TEST_F(PointsSystemTest, LifetimeSignDecidesAgeing) {
  struct Case {
    float lifetime;
    int countAfter;  // live particles after three steps of 0.4 s
    float ageAfter;  // age of the first live one
  } cases[] = {
      {1.0f, 0, 0.0f},   // 1.2 s > 1 s: gone
      {0.0f, 1, 0.0f},   // never ages
      {-1.0f, 1, 0.0f},  // -1.2 < -1: starts again at 0
      {-2.0f, 1, -1.2f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lifetime);
    SPointsSystemParams params;
    params.Lifetime = c.lifetime;
    auto system = MakeSystem(core, params);
    system->Emit(0, 0, 0, 0, 0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) system->Simulate(0.4f);
    ASSERT_EQ(system->GetCount(), c.countAfter);
    if (c.countAfter) EXPECT_NEAR(system->GetParticle(0).Age, c.ageAfter, 1e-5f);
    if (c.countAfter) EXPECT_FALSE(std::isnan(Vertex(*system, 0).x));
  }
}

TEST_F(PointsSystemTest, DragSlowsOnlyWhenPositive) {
  struct Case {
    float drag;
    float speedAfter;  // of a particle at 2 units/s after one 0.1 s step
  } cases[] = {{0.0f, 2.0f}, {-1.0f, 2.0f}, {0.5f, 2.0f - 2.0f * 0.5f * 2.0f * 0.1f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drag);
    SPointsSystemParams params;
    params.Drag = c.drag;
    auto system = MakeSystem(core, params);
    system->Emit(0, 0, 0, 2, 0, 0, 0, 0);
    system->Simulate(0.1f);
    EXPECT_FLOAT_EQ(system->GetParticle(0).Velocity.x, c.speedAfter);
  }
}

TEST_F(PointsSystemTest, CornersFollowTheAxis) {
  // Half-width 3, half-height 4 at (10, 0, 20).
  struct Corner {
    float x, z, u, v;
  };
  struct Case {
    const char* name;
    zormath::Vec3f axis;
    Corner corners[6];
  } cases[] = {
      {"default axis (up the screen)",
       {0, 0, 1},
       {{7, 24, 0, 0}, {7, 16, 0, 1}, {13, 16, 1, 1}, {13, 16, 1, 1}, {13, 24, 1, 0}, {7, 24, 0, 0}}},
      {"axis turned along +x",
       {1, 0, 0},
       {{14, 23, 0, 0}, {6, 23, 0, 1}, {6, 17, 1, 1}, {6, 17, 1, 1}, {14, 17, 1, 0}, {14, 23, 0, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto system = MakeSystem(core, SPointsSystemParams{});
    system->Emit(10, 0, 20, 0, 0, 0, 0, 0);
    SPointParticle& p = system->GetLastParticle();
    p.Axis = c.axis;
    p.Width = 3.0f;
    p.Height = 4.0f;
    system->FillVertexBuffer();
    for (int k = 0; k < 6; ++k) {
      const zuzorev::SVertex v = Vertex(*system, k);
      EXPECT_NEAR(v.x, c.corners[k].x, 1e-4f) << "vertex " << k;
      EXPECT_NEAR(v.y, 0.0f, 1e-4f) << "vertex " << k;
      EXPECT_NEAR(v.z, c.corners[k].z, 1e-4f) << "vertex " << k;
      EXPECT_FLOAT_EQ(v.u, c.corners[k].u) << "vertex " << k;
      EXPECT_FLOAT_EQ(v.v, c.corners[k].v) << "vertex " << k;
    }
  }
}

int32_t FrameSix(float) { return 6; }
float SizeSeven(float) { return 7.0f; }

TEST_F(PointsSystemTest, FrameCurvePicksItsSliceOfTheStrip) {
  SPointsSystemParams params;
  params.FrameCount = 32;
  params.FrameCurve = FrameSix;
  params.SizeCurve = SizeSeven;
  auto system = MakeSystem(core, params);
  system->Emit(0, 0, 0, 0, 0, 0, 0, 0);
  system->FillVertexBuffer();
  const float u[6] = {6.0f / 32, 6.0f / 32, 7.0f / 32, 7.0f / 32, 7.0f / 32, 6.0f / 32};
  const float v[6] = {0, 1, 1, 1, 0, 0};
  for (int k = 0; k < 6; ++k) {
    EXPECT_FLOAT_EQ(Vertex(*system, k).u, u[k]) << "vertex " << k;
    EXPECT_FLOAT_EQ(Vertex(*system, k).v, v[k]) << "vertex " << k;
  }
  // The size curve sets both half-extents.
  EXPECT_FLOAT_EQ(Vertex(*system, 0).x, -7.0f);
  EXPECT_FLOAT_EQ(Vertex(*system, 0).z, 7.0f);
}

TEST_F(PointsSystemTest, ObjectAlphaScalesTheVertexAlpha) {
  struct Case {
    float alpha;
    uint32_t color;
    uint32_t written;
  } cases[] = {
      {1.0f, 0x80FFFFFFu, 0x80FFFFFFu},
      {0.5f, 0x80FFFFFFu, 0x40FFFFFFu},
      {0.5f, 0xFF102030u, 0x80102030u},
      {3.0f, 0x80FFFFFFu, 0xFFFFFFFFu},
      {0.0f, 0xFFFFFFFFu, 0x00FFFFFFu},
      {-1.0f, 0xFFFFFFFFu, 0x00FFFFFFu},
      {std::nanf(""), 0xFFFFFFFFu, 0x00FFFFFFu},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.alpha);
    auto system = MakeSystem(core, SPointsSystemParams{});
    system->SetAlpha(c.alpha);
    system->Emit(0, 0, 0, 0, 0, 0, 0, 0);
    system->GetLastParticle().Color = c.color;
    system->FillVertexBuffer();
    for (int k = 0; k < 6; ++k) EXPECT_EQ(Vertex(*system, k).color, c.written) << "vertex " << k;
  }
}

TEST_F(PointsSystemTest, OneDrawForAllParticlesAndNoneWithoutAny) {
  zuzorev::CRenderSystem& render = core.Render();
  SPointsSystemParams params;
  params.Capacity = 5;
  params.Lifetime = 0.5f;
  auto system = MakeSystem(core, params);
  auto drawsOfAFrame = [&] {
    render.Begin();
    system->Render();
    const auto draws = render.GetFrameDraws();
    render.End();
    return draws;
  };
  EXPECT_TRUE(drawsOfAFrame().empty());
  for (int i = 0; i < 3; ++i) system->Emit(static_cast<float>(i), 0, 0, 0, 0, 0, 0, 0);
  system->Simulate(0.1f);
  auto draws = drawsOfAFrame();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].vertexCount, 18);
  EXPECT_EQ(draws[0].seting, L"MT_PARTICLE");
  // Afterwards: lighting on and the ordinary alpha blend again.
  EXPECT_EQ(render.GetRenderState(zuzorev::kRsLighting), 1u);
  EXPECT_EQ(render.GetRenderState(zuzorev::kRsSrcBlend), 5u);
  EXPECT_EQ(render.GetRenderState(zuzorev::kRsDestBlend), 6u);
  system->Simulate(1.0f);
  ASSERT_EQ(system->GetCount(), 0);
  EXPECT_TRUE(drawsOfAFrame().empty());
}

TEST_F(PointsSystemTest, InitFailuresAreLoggedAndReported) {
  struct Case {
    const wchar_t* texture;
    int32_t capacity;
    const wchar_t* message;
  } cases[] = {
      {L"missing.png", 10, L"No find texture for PointsSystem"},
      {L"white.png", 0, L"reate vertex buffer for particle."},
      {L"white.png", -4, L"reate vertex buffer for particle."},
      {L"white.png", PointsSystem::kMaxCapacity + 1, L"reate vertex buffer for particle."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.capacity);
    testsupport::LogCapture log;
    SPointsSystemParams params;
    params.TextureName = c.texture;
    params.Capacity = c.capacity;
    PointsSystem system(core.Get());
    EXPECT_EQ(system.Init(params), 0);
    EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, c.message));
    ASSERT_FALSE(log.Records().empty());
    EXPECT_EQ(log.Records().back().file, L"Points");
    // Nothing can be emitted into a system that failed.
    system.Emit(0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(system.GetCount(), 0);
    system.Simulate(0.1f);
    EXPECT_EQ(system.Render(), 0);
  }
}

TEST_F(PointsSystemTest, FrameCountOfZeroIsOneFrame) {
  SPointsSystemParams params;
  params.FrameCount = 0;
  params.FrameCurve = FrameSix;
  auto system = MakeSystem(core, params);
  system->Emit(0, 0, 0, 0, 0, 0, 0, 0);
  system->FillVertexBuffer();
  EXPECT_TRUE(std::isfinite(Vertex(*system, 0).u));
}

}  // namespace
