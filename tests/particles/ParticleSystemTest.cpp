#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/zormath/Transform.h"
#include "particles/ParticleTestSupport.h"
#include "support/TestSupport.h"

namespace {

using rovovoz::CBaseParamInitEmiter;
using rovovoz::CParticleSystem;
using rovovoz::SParticleState;

constexpr float kFrame = 0.125f;  // exact in binary: frame sums stay exact

// Eight particles a second that live one second, flying straight up the
// screen at 100 units a second, white, 10 units across.
SParticleState Straight() {
  SParticleState s = rovovoz::DefaultParticleState();
  s.texture.clear();
  s.render.clear();
  s.rate = 8;
  s.life = 1;
  s.speed = 100;
  s.direction = zormath::Vec3f(0, 0, 1);
  s.spread = 0;
  s.size = s.sizeEnd = 10;
  s.color = s.colorEnd = 0xFFFFFFFFu;
  return s;
}

CBaseParamInitEmiter At(float x, float y, float z) {
  CBaseParamInitEmiter b;
  b.mPosition = zormath::Vec3f(x, y, z);
  return b;
}

void Advance(CParticleSystem& system, float seconds) {
  for (float t = 0; t < seconds; t += kFrame) system.Update(kFrame, nullptr);
}

class ParticleSystems : public ::testing::Test {
 protected:
  // Centres of the quads of the last draw.
  std::vector<zormath::Vec3f> Centres() {
    const auto& v = core.LastVertices();
    std::vector<zormath::Vec3f> out;
    for (size_t i = 0; i + 5 < v.size(); i += 6)
      out.emplace_back((v[i].x + v[i + 2].x) * 0.5f, (v[i].y + v[i + 2].y) * 0.5f, (v[i].z + v[i + 2].z) * 0.5f);
    return out;
  }
  particletest::ParticleCore core;
  testsupport::LogCapture log;
};

TEST_F(ParticleSystems, EmitterBearsMovesAndRetiresParticlesOverFixedFrames) {
  CParticleSystem system(core.Get());
  const int32_t e = system.AddEmiter(At(100, 50, 0), Straight(), 0.0f);
  EXPECT_EQ(system.GetEmiterState(e), rovovoz::kEmiterIdle);
  Advance(system, 0.5f);
  EXPECT_EQ(system.GetParticleCount(), 0);  // idle until told

  ASSERT_EQ(system.SetEmiterState(e, rovovoz::kEmiterEmitting, 0.0f), 1);
  Advance(system, 0.5f);
  ASSERT_EQ(system.GetParticleCount(), 4);
  system.Render();
  const auto& draw = core.Render().GetFrameDraws().back();
  EXPECT_EQ(draw.primitive, zuzorev::kPrimTriangleList);
  EXPECT_EQ(draw.vertexCount, 24);
  // Born at the emitter, one a frame, each 12.5 units further up the screen
  // than the next; quads lie in the x-z plane, facing the game's camera.
  std::vector<zormath::Vec3f> centres = Centres();
  std::vector<float> heights;
  for (const auto& c : centres) {
    EXPECT_FLOAT_EQ(c.x, 100.0f);
    heights.push_back(c.z);
  }
  std::sort(heights.begin(), heights.end());
  EXPECT_EQ(heights, (std::vector<float>{0.0f, 12.5f, 25.0f, 37.5f}));
  for (const auto& v : core.LastVertices()) EXPECT_FLOAT_EQ(v.y, 50.0f);
  EXPECT_FLOAT_EQ(core.LastVertices()[1].x - core.LastVertices()[0].x, 10.0f);

  Advance(system, 1.5f);
  EXPECT_EQ(system.GetParticleCount(), 8);  // as many born as die
  system.SetEmiterState(e, rovovoz::kEmiterIdle, 0.0f);
  Advance(system, 1.0f);
  EXPECT_EQ(system.GetParticleCount(), 0);
  EXPECT_EQ(system.GetEmiterState(e), rovovoz::kEmiterIdle);  // an idle emitter stays
}

TEST_F(ParticleSystems, TimedEmitterRemovesItselfOnceItsParticlesAreGone) {
  CParticleSystem system(core.Get());
  const int32_t e = system.AddEmiter(At(0, 0, 0), Straight(), 1.0f);
  EXPECT_EQ(system.GetEmiterState(e), rovovoz::kEmiterEmitting);
  Advance(system, 1.0f);
  EXPECT_EQ(system.GetParticleCount(), 8);
  EXPECT_EQ(system.GetEmiterState(e), rovovoz::kEmiterIdle);
  Advance(system, 0.875f);
  EXPECT_EQ(system.GetParticleCount(), 1);
  EXPECT_EQ(system.GetEmiterCount(), 1);
  Advance(system, kFrame);
  EXPECT_EQ(system.GetEmiterCount(), 0);
  EXPECT_EQ(system.GetEmiterState(e), -1);
  // Its index is not handed out again.
  EXPECT_NE(system.AddEmiter(At(0, 0, 0), Straight(), 0.0f), e);
}

TEST_F(ParticleSystems, EmitterStatesAnswerAndRemove) {
  CParticleSystem system(core.Get());
  const int32_t a = system.AddEmiter(At(0, 0, 0), Straight(), 0.0f);
  const int32_t b = system.AddEmiter(At(0, 0, 0), Straight(), 0.0f);
  system.SetEmiterState(a, rovovoz::kEmiterEmitting, 0.0f);
  system.SetEmiterState(b, rovovoz::kEmiterEmitting, 0.0f);
  Advance(system, 0.5f);
  ASSERT_EQ(system.GetParticleCount(), 8);

  EXPECT_EQ(system.SetEmiterState(99, rovovoz::kEmiterEmitting, 0.0f), 0);
  EXPECT_EQ(system.SetEmiterState(a, 2, 0.0f), 0);
  // Remove with 0: at once, particles and all.
  EXPECT_EQ(system.SetEmiterState(a, rovovoz::kEmiterRemove, 0.0f), 1);
  EXPECT_EQ(system.GetEmiterState(a), -1);
  EXPECT_EQ(system.GetParticleCount(), 4);
  // Remove with a value: it stops and waits for its particles.
  EXPECT_EQ(system.SetEmiterState(b, rovovoz::kEmiterRemove, 1.0f), 1);
  Advance(system, 0.5f);
  EXPECT_EQ(system.GetEmiterState(b), rovovoz::kEmiterRemove);
  EXPECT_EQ(system.GetParticleCount(), 4);  // none born, none old enough yet
  Advance(system, 0.5f);
  EXPECT_EQ(system.GetEmiterState(b), -1);
}

TEST_F(ParticleSystems, PlayAndStopSwitchTheWholeSystem) {
  CParticleSystem system(core.Get());
  SParticleState s = Straight();
  s.burst = 3;
  system.SetEmiterState(system.AddEmiter(At(0, 0, 0), s, 0.0f), rovovoz::kEmiterEmitting, 0.0f);
  Advance(system, 0.5f);
  EXPECT_EQ(system.GetParticleCount(), 3 + 4);

  system.Stop(2);  // stop emitting, let them die
  EXPECT_FALSE(system.IsEmitting());
  Advance(system, 0.5f);
  EXPECT_EQ(system.GetParticleCount(), 3 + 4);  // none born, none old enough yet
  Advance(system, 0.5f);
  EXPECT_EQ(system.GetParticleCount(), 0);

  system.Play(0);  // emits again, burst and all
  Advance(system, kFrame);
  EXPECT_EQ(system.GetParticleCount(), 3 + 1);
  system.Stop(0);  // at once
  EXPECT_EQ(system.GetParticleCount(), 0);
  Advance(system, 1.0f);
  EXPECT_EQ(system.GetParticleCount(), 0);

  system.Play(1);
  Advance(system, kFrame);
  system.Clear();
  EXPECT_EQ(system.GetParticleCount(), 0);
  EXPECT_TRUE(system.IsEmitting());
}

TEST_F(ParticleSystems, BudgetAndTypeLimitBoundTheLiveParticles) {
  struct Case {
    int budget;
    int max;
    int expected;
  };
  for (const Case c : {Case{0, 0, 8}, Case{5, 0, 5}, Case{0, 3, 3}, Case{2, 3, 2}}) {
    SCOPED_TRACE(testing::Message() << "budget " << c.budget << " max " << c.max);
    CParticleSystem system(core.Get());
    system.Init(c.budget);
    SParticleState s = Straight();
    s.max = c.max;
    system.AddEmiter(At(0, 0, 0), s, 5.0f);
    Advance(system, 2.0f);
    EXPECT_EQ(system.GetParticleCount(), c.expected);
  }
  // However fast a type says, one emitter holds a bounded number.
  CParticleSystem system(core.Get());
  SParticleState s = Straight();
  s.rate = 10000;
  s.life = 100;
  system.AddEmiter(At(0, 0, 0), s, 100.0f);
  Advance(system, 10.0f);
  EXPECT_LE(system.GetParticleCount(), 20000);
}

TEST_F(ParticleSystems, BirthPlacesFollowTheBlock) {
  SParticleState still = Straight();
  still.speed = 0;
  still.rate = 64;
  still.size = still.sizeEnd = 2;
  auto births = [&](const CBaseParamInitEmiter& block) {
    CParticleSystem system(core.Get());
    system.AddEmiter(block, still, 1.0f);
    Advance(system, 1.0f);
    system.Render();
    return Centres();
  };

  // The rectangle: centred on the corners' middle, its size scaled.
  CBaseParamInitEmiter rect = At(100, 7, 50);
  rect.mX1 = 0;
  rect.mX2 = 20;
  rect.mWidth = 20;
  rect.mDepth = 10;
  rect.mScaleX = 2;
  auto points = births(rect);
  ASSERT_EQ(points.size(), 64u);
  float minX = 1e9f, maxX = -1e9f;
  for (const auto& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    EXPECT_GE(p.z, 45.0f);
    EXPECT_LE(p.z, 55.0f);
  }
  EXPECT_GE(minX, 100.0f + 20.0f - 20.0f);
  EXPECT_LE(maxX, 100.0f + 20.0f + 20.0f);
  EXPECT_GT(maxX - minX, 30.0f);  // spread over it, not piled up

  // The region of a trigger model: x and z from its triangles, y the block's.
  CBaseParamInitEmiter region = At(500, 90, 500);
  region.mAreaKind = rovovoz::kEmiterAreaRegion;
  region.mRegion.Build({rovovoz::CGeometryRegion3D::STriangle{{0, 100, 0}, {0, 0, 100}, 0}});
  for (const auto& p : births(region)) {
    EXPECT_TRUE(region.mRegion.Contains(p.x, p.z)) << p.x << " " << p.z;
    EXPECT_FLOAT_EQ(p.y, 90.0f);
  }

  // Birth points win over the area.
  CBaseParamInitEmiter listed = rect;
  listed.AddPoint(zormath::Vec3f(5, 0, 5));
  listed.AddPoint(zormath::Vec3f(-5, 0, -5));
  for (const auto& p : births(listed))
    EXPECT_TRUE((p.x == 105.0f && p.z == 55.0f) || (p.x == 95.0f && p.z == 45.0f)) << p.x << " " << p.z;
}

TEST_F(ParticleSystems, StartDirectionsOfTheBlockReplaceTheType) {
  CParticleSystem system(core.Get());
  CBaseParamInitEmiter block = At(0, 0, 0);
  block.AddDirection(zormath::Vec3f(1, 0, 0));
  system.AddEmiter(block, Straight(), 1.0f);
  Advance(system, 0.5f);
  system.Render();
  for (const auto& c : Centres()) EXPECT_FLOAT_EQ(c.z, 0.0f);
  EXPECT_FLOAT_EQ(Centres().front().x, 37.5f);  // the oldest, three frames on
}

TEST_F(ParticleSystems, RenderDrawsOneBatchPerEmitterWithItsLook) {
  CParticleSystem system(core.Get());
  CBaseParamInitEmiter overlay = At(0, 100, 0);
  overlay.mName = L"pm_fv_part1";
  overlay.mTextureFile = L"E_part_01.tga";  // not in the sample data: the type's picture stands in
  CBaseParamInitEmiter find = At(0, 90, 0);
  find.mName = L"part_find_sel";
  system.AddEmiter(overlay, 1.0f);
  system.AddEmiter(find, 1.0f);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Warning, L"Particle emitter pm_fv_part1: no picture E_part_01.tga"));
  Advance(system, 0.5f);
  system.SetWorldMatrix3D(zormath::MatrixTranslation(10, 0, 20));
  core.Render().Begin();
  system.Render();
  const auto& draws = core.Render().GetFrameDraws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].seting, L"MT_PARTICLE_OVERLAY");
  EXPECT_EQ(draws[1].seting, L"MT_PARTICLE_GAME");
  EXPECT_EQ(draws[0].blend, zuzorev::EBlend::Add);
  EXPECT_EQ(draws[0].texture0, L"glow.png");
  EXPECT_EQ(draws[1].texture0, L"glow.png");
  EXPECT_EQ(draws[0].vertexCount + draws[1].vertexCount, system.GetParticleCount() * 6);
  EXPECT_FLOAT_EQ(draws[0].world(3, 0), 10.0f);
  EXPECT_FLOAT_EQ(draws[0].world(3, 2), 20.0f);
  // The vertex buffer is not left bound for others to draw from.
  EXPECT_LT(core.Render().DrawPrimitive(zuzorev::kPrimTriangleList, 0, 1), 0);

  system.SetVisible(0);
  system.Render();
  EXPECT_EQ(core.Render().GetFrameDraws().size(), 2u);
}

TEST_F(ParticleSystems, AlphaAndColourRampReachTheVertices) {
  CParticleSystem system(core.Get());
  SParticleState s = Straight();
  s.rate = 0;
  s.burst = 1;
  s.color = 0xFF112233u;
  s.colorEnd = 0x00113355u;
  s.size = 10;
  s.sizeEnd = 20;
  system.AddEmiter(At(0, 0, 0), s, 1.0f);
  system.Update(kFrame, nullptr);  // born now, age 0
  system.SetAlpha(0.5f);
  system.Render();
  EXPECT_EQ(core.LastVertices()[0].color, 0x80112233u);
  for (int i = 0; i < 4; ++i) system.Update(kFrame, nullptr);  // half its life
  system.SetAlpha(1.0f);
  system.Render();
  EXPECT_EQ(core.LastVertices()[0].color, 0x80112B44u);
  EXPECT_FLOAT_EQ(core.LastVertices()[1].x - core.LastVertices()[0].x, 15.0f);
}

TEST_F(ParticleSystems, SceneObjectLoadsItsEmittersFromProperties) {
  particletest::Element props(R"(<Properties NameModel="S_Lantern">
      <Emiter Type="LanternSpark" Z="90"/>
      <Emiter Type="part_find_sel" Rate="2"/>
    </Properties>)");
  CParticleSystem system(core.Get());
  ASSERT_EQ(system.Load(props.Get(), L"Back_1.zorm", 0), 0);
  EXPECT_EQ(system.GetEmiterCount(), 2);
  EXPECT_TRUE(system.IsEmitting());
  const zormath::Mat4f& place = system.GetLocationMatrix3D();
  EXPECT_FLOAT_EQ(place(3, 0), 250.0f);
  EXPECT_FLOAT_EQ(place(3, 2), -200.0f);
  Advance(system, 0.25f);
  EXPECT_GT(system.GetParticleCount(), 0);

  particletest::Element stopped(R"(<Properties Start="0"><Emiter/></Properties>)");
  CParticleSystem waiting(core.Get());
  ASSERT_EQ(waiting.Load(stopped.Get(), L"Back_1.zorm", 0), 0);
  EXPECT_FALSE(waiting.IsPlaying());
  waiting.Play(0);
  EXPECT_TRUE(waiting.IsEmitting());

  particletest::Element none(R"(<Properties NameModel="S_Lantern"/>)");
  CParticleSystem empty(core.Get());
  EXPECT_EQ(empty.Load(none.Get(), L"Back_1.zorm", 0), zuzorev::kFail);
  EXPECT_EQ(empty.Load(nullptr, L"Back_1.zorm", 0), zuzorev::kFail);
}

TEST(ParticleSystemWithoutCore, SimulatesAndDrawsNothing) {
  CParticleSystem system(nullptr);
  const int32_t e = system.AddEmiter(At(0, 0, 0), 1.0f);
  EXPECT_GE(e, 0);
  system.Update(0.5f, nullptr);
  EXPECT_GT(system.GetParticleCount(), 0);  // the built-in type
  EXPECT_EQ(system.Render(), 0);
  system.Update(std::nanf(""), nullptr);  // a broken frame time moves nothing
  system.Update(-1.0f, nullptr);
  EXPECT_GT(system.GetParticleCount(), 0);
}

}  // namespace
