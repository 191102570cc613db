#include <gtest/gtest.h>

#include <algorithm>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/zormath/Transform.h"
#include "particles/ParticleTestSupport.h"
#include "support/TestSupport.h"

namespace {

using RerivuzoZurodo::CParticleEffect;
using zuzorev::ELogLevel;

constexpr float kFrame = 1.0f / 32.0f;
const wchar_t* const kSparks = L"Data\\Particles\\LanternSparks";

class ParticleEffects : public ::testing::Test {
 protected:
  // Runs until the effect ends or the time is up; the seconds it ran.
  float RunUntilEnd(CParticleEffect& effect, float limit) {
    float t = 0;
    while (t < limit && !effect.IsEffectWorkEnd()) {
      effect.Update(kFrame, nullptr);
      t += kFrame;
    }
    return t;
  }
  float HighestQuad() {
    float top = -1e9f;
    for (const auto& v : core.LastVertices()) top = std::max(top, v.z);
    return top;
  }
  particletest::ParticleCore core;
  testsupport::LogCapture log;
  testsupport::TempDir dir;
};

TEST_F(ParticleEffects, SampleEffectStartedAtAPointEmitsMovesAndEnds) {
  CParticleEffect sparks(core.Get());
  ASSERT_EQ(sparks.LoadEffect(kSparks, 0, nullptr, 11), 1);
  sparks.SetPosition3D(250, 30, -200);
  sparks.Start(1);
  EXPECT_FALSE(sparks.IsEffectWorkEnd());

  sparks.Update(kFrame, nullptr);
  EXPECT_GE(sparks.GetSystem().GetParticleCount(), 6);  // the burst
  sparks.Render();
  const auto& draw = core.Render().GetFrameDraws().back();
  EXPECT_EQ(draw.seting, L"MT_PARTICLE_OVERLAY");
  EXPECT_EQ(draw.texture0, L"glow.png");
  EXPECT_FLOAT_EQ(draw.world(3, 0), 250.0f);
  EXPECT_FLOAT_EQ(draw.world(3, 2), -200.0f);
  const float first = HighestQuad();
  for (int i = 0; i < 8; ++i) sparks.Update(kFrame, nullptr);
  sparks.Render();
  EXPECT_GT(HighestQuad(), first + 5.0f);  // thrown up the screen

  // Emits for the file's 1.5 s, then its sparks (at most 1.2 s old) die out.
  const float ran = kFrame * 9 + RunUntilEnd(sparks, 10.0f);
  EXPECT_TRUE(sparks.IsEffectWorkEnd());
  EXPECT_GT(ran, 1.5f);
  EXPECT_LE(ran, 1.5f + 1.2f + kFrame);
  EXPECT_EQ(sparks.GetSystem().GetParticleCount(), 0);
  core.Render().Begin();
  sparks.Render();
  EXPECT_TRUE(core.Render().GetFrameDraws().empty());

  // Start plays it again.
  sparks.Start(1);
  EXPECT_FALSE(sparks.IsEffectWorkEnd());
  sparks.Update(kFrame, nullptr);
  EXPECT_GE(sparks.GetSystem().GetParticleCount(), 6);
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
}

TEST_F(ParticleEffects, EndlessEffectRunsUntilStopped) {
  CParticleEffect sparks;
  sparks.SetGameCore(core.Get());
  ASSERT_EQ(sparks.LoadEffect(kSparks, 1, nullptr, 11), 1);
  EXPECT_TRUE(sparks.IsInfinity());
  EXPECT_GE(RunUntilEnd(sparks, 10.0f), 10.0f);
  EXPECT_FALSE(sparks.IsEffectWorkEnd());

  sparks.Stop(2);  // the live sparks finish their flight
  EXPECT_FALSE(sparks.IsEffectWorkEnd());
  EXPECT_GT(sparks.GetSystem().GetParticleCount(), 0);
  EXPECT_LE(RunUntilEnd(sparks, 10.0f), 1.2f + kFrame);

  sparks.Start(1);
  EXPECT_GE(RunUntilEnd(sparks, 1.0f), 1.0f);
  sparks.Stop(0);  // at once
  EXPECT_TRUE(sparks.IsEffectWorkEnd());
  EXPECT_EQ(sparks.GetSystem().GetParticleCount(), 0);
}

TEST_F(ParticleEffects, SwitchAlphaPlacementAndClear) {
  const zormath::Mat4f lantern = zormath::MatrixTranslation(250, 30, -200);
  CParticleEffect sparks(core.Get());
  ASSERT_EQ(sparks.LoadEffect(kSparks, 1, &lantern, 11), 1);
  sparks.SetPosition3D(0, 0, 10);
  EXPECT_FLOAT_EQ(sparks.GetPosition3D().z, 10.0f);
  sparks.Update(kFrame, nullptr);
  const int count = sparks.GetSystem().GetParticleCount();

  sparks.SetEnable(false);  // neither advances nor draws
  sparks.Update(1.0f, nullptr);
  EXPECT_EQ(sparks.GetSystem().GetParticleCount(), count);
  core.Render().Begin();
  sparks.Render();
  EXPECT_TRUE(core.Render().GetFrameDraws().empty());

  sparks.SetEnable(true);
  sparks.SetAlpha(0.0f);
  sparks.Render();
  ASSERT_EQ(core.Render().GetFrameDraws().size(), 1u);
  const auto& draw = core.Render().GetFrameDraws().back();
  EXPECT_FLOAT_EQ(draw.world(3, 0), 250.0f);  // position inside its placement
  EXPECT_FLOAT_EQ(draw.world(3, 2), -190.0f);
  for (const auto& v : core.LastVertices()) EXPECT_EQ(v.color >> 24, 0u);

  sparks.Clear();
  EXPECT_EQ(sparks.GetSystem().GetParticleCount(), 0);
  EXPECT_FALSE(sparks.IsEffectWorkEnd());  // still emitting
}

TEST_F(ParticleEffects, FilesThatMakeNoEffectFailWithAnError) {
  struct Case {
    const char* name;
    const char* bytes;  // null: no file
  };
  const Case cases[] = {
      {"Missing", nullptr},
      {"Garbage", "<Effect><Emiter"},
      {"WrongRoot", "<Emiters><Emiter Name=\"A\"/></Emiters>"},
      {"NoEmiter", "<Effect Time=\"2\"><Light/></Effect>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.Clear();
    const auto base = dir.Path() / c.name;
    if (c.bytes) dir.Write(std::string(c.name) + ".xml", c.bytes);
    CParticleEffect effect(core.Get());
    EXPECT_EQ(effect.LoadEffect(base.wstring(), 0, nullptr, 11), 0);
    EXPECT_FALSE(effect.IsLoaded());
    EXPECT_TRUE(effect.IsEffectWorkEnd());
    EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 1u);
    effect.Update(kFrame, nullptr);
    effect.Start(1);
    EXPECT_TRUE(effect.IsEffectWorkEnd());
  }
}

TEST_F(ParticleEffects, EffectFileNamesTypesAndOverridesThem) {
  dir.Write("Puff.xml", R"(<Effect Time="0.5">
      <Emiter Type="part_find_sel" Rate="0" Burst="5" Life="0.25" Render="MT_PARTICLE"/>
      <Emiter Rate="16" Life="1"/>
    </Effect>)");
  CParticleEffect puff(core.Get());
  ASSERT_EQ(puff.LoadEffect((dir.Path() / "Puff.xml").wstring(), 0, nullptr, 11), 1);  // extension accepted
  puff.Update(0.125f, nullptr);
  EXPECT_EQ(puff.GetSystem().GetParticleCount(), 5 + 2);
  puff.Render();
  const auto& draws = core.Render().GetFrameDraws();
  ASSERT_GE(draws.size(), 2u);
  EXPECT_EQ(draws[draws.size() - 2].seting, L"MT_PARTICLE");
  EXPECT_EQ(draws.back().seting, L"MT_PARTICLE");  // the list's TBaseEmiter
  // The burst is gone after its quarter second; the other emits for 0.5 s.
  for (int i = 0; i < 3; ++i) puff.Update(0.125f, nullptr);
  EXPECT_EQ(puff.GetSystem().GetParticleCount(), 8);
  EXPECT_FALSE(puff.IsEffectWorkEnd());
  for (int i = 0; i < 8; ++i) puff.Update(0.125f, nullptr);
  EXPECT_TRUE(puff.IsEffectWorkEnd());
}

TEST_F(ParticleEffects, SceneObjectLoadsThroughItsProperties) {
  particletest::Element withPath(R"(<Properties Path="Data\Particles\LanternSparks" Infinity="1" fPosT="0"/>)");
  particletest::Element withoutPath(R"(<Properties Infinity="1"/>)");

  CParticleEffect fromProperties(core.Get());
  EXPECT_EQ(fromProperties.Load(withPath.Get(), L"Back_1.zorm", 0), 0);
  EXPECT_TRUE(fromProperties.IsInfinity());
  EXPECT_EQ(fromProperties.GetPath(), L"Data\\Particles\\LanternSparks");

  CParticleEffect nothing(core.Get());
  EXPECT_EQ(nothing.Load(withoutPath.Get(), L"Back_1.zorm", 0), zuzorev::kFail);
  EXPECT_EQ(nothing.Load(nullptr, L"Back_1.zorm", 0), zuzorev::kFail);

  // Loaded by the factory first: the properties add nothing and it stays.
  CParticleEffect loaded(core.Get());
  ASSERT_EQ(loaded.LoadEffect(kSparks, 0, nullptr, 11), 1);
  EXPECT_EQ(loaded.Load(withoutPath.Get(), L"Back_1.zorm", 0), 0);
  EXPECT_FALSE(loaded.IsInfinity());
}

}  // namespace
