// Objects that move: the scrolling texture's offsets and its texture
// transform, the floating and swaying models (sines from the rest place,
// never accumulated), the ROTATE entry, and the scene finding an effect
// object by name and class.
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ObjectSupport.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/ROPlavaet.h"
#include "Objects/ROSimpleDerevo.h"
#include "Objects/SimpleFrameAnim.h"
#include "effects/EffectsTestSupport.h"

namespace {

using effectstest::EffectsCore;
using effectstest::LoadObject;
using effectstest::ObjectOf;
using effectstest::RunFrames;
using zuzorev::ELogLevel;

class Motion : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  EffectsCore core;
  testsupport::LogCapture log;
};

// The turn of a model about y, from its direction.
float TurnOf(const rovovoz::CStaticObject3D& model) {
  const zormath::Vec3f d = model.GetDirection3D();
  return std::atan2(d.x, d.z);
}

TEST_F(Motion, ScrollingOffsetsWrapWithinOneTexture) {
  auto back = effectstest::LoadEffectsScene();
  auto* mist = ObjectOf<CROMoveTexture>(*back, effectstest::kMist);
  ASSERT_NE(mist, nullptr);
  RunFrames(*back, 12, 0.25f);
  EXPECT_FLOAT_EQ(mist->GetOffsetU(), 0.5f) << "Vx 0.5 for 3 s: 1.5 wrapped";
  EXPECT_EQ(mist->GetOffsetV(), 0.0f);

  auto fog = LoadObject<CROMoveTexture>(core, "<Properties NameModel=\"Mist\" Vy=\"0.25\" Dx=\"0.3\"/>");
  EXPECT_FLOAT_EQ(fog->GetOffsetU(), 0.3f) << "starts at Dx";
  fog->Start(1);
  EXPECT_EQ(fog->GetOffsetU(), 0.0f) << "Start begins at 0, not at Dx";
  for (int i = 0; i < 20; ++i) fog->Update(0.25f, nullptr);
  EXPECT_FLOAT_EQ(fog->GetOffsetV(), -0.25f) << "backwards for 5 s: -1.25 wrapped";

  struct Case {
    const char* attributes;
    float offsetAfterOneSecond;
    int stop0State;  // play state after Stop (0)
  } cases[] = {
      {"Vx=\"0.5\" Vu=\"0.25\"", 0.25f, 1},
      {"Vx=\"0.5\" Infinity=\"0\"", 0.0f, 2},
      {"Vx=\"0.5\" Infinity=\"0\" Play=\"1\"", 0.5f, 2},
      {"Vx=\"0.5\" Play=\"2\"", 0.0f, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    auto texture = LoadObject<CROMoveTexture>(core, std::string("<Properties NameModel=\"Mist\" ") + c.attributes + "/>");
    for (int i = 0; i < 4; ++i) texture->Update(0.25f, nullptr);
    EXPECT_FLOAT_EQ(texture->GetOffsetU(), c.offsetAfterOneSecond);
    EXPECT_EQ(texture->Stop(0), 2);
    EXPECT_EQ(texture->GetPlayState(), c.stop0State);
    const float frozen = texture->GetOffsetU();
    texture->Stop(1);
    texture->Update(0.25f, nullptr);
    EXPECT_EQ(texture->GetOffsetU(), frozen) << "Stop keeps the offsets";
  }
}

TEST_F(Motion, ScrollingDrawPutsTheTextureTransformBack) {
  auto mist = LoadObject<CROMoveTexture>(core, "<Properties NameModel=\"Mist\" Vx=\"0.5\" AsOverlay=\"3\" Alpha=\"0.5\"/>");
  auto plain = LoadObject<CROMoveTexture>(core, "<Properties NameModel=\"MistPlain\"/>");
  mist->Update(1.0f, nullptr);
  zuzorev::CRenderSystem& render = core.Render();
  ASSERT_GE(render.Begin(), 0);
  const size_t before = render.GetFrameDraws().size();
  mist->Render();
  rovovoz::CStaticObject3D other(core.Get());
  ASSERT_GT(other.LoadModel(L"Effects.zorm", L"MistPlain", 0, 0), 0);
  other.Render();
  const auto& draws = render.GetFrameDraws();
  ASSERT_EQ(draws.size(), before + 4) << "three overlay passes, then the other object";
  for (size_t i = before; i < before + 3; ++i) {
    EXPECT_TRUE(draws[i].tex0Transform);
    EXPECT_EQ(draws[i].blend, zuzorev::EBlend::Add);
  }
  EXPECT_FALSE(draws[before + 3].tex0Transform) << "the next object is not shifted";
  EXPECT_EQ(render.GetTransform(zuzorev::kTransformTexture0), zormath::Mat4f::Identity());
  EXPECT_EQ(render.GetTextureStageState(0, zuzorev::kTssTextureTransformFlags), 0u);
  render.End();
  (void)plain;
}

TEST_F(Motion, FloatingSignSwingsAroundItsRestPlace) {
  auto back = effectstest::LoadEffectsScene();
  auto* sign = ObjectOf<CROPlavaet>(*back, effectstest::kSign);
  ASSERT_NE(sign, nullptr);
  ASSERT_NE(sign->GetModel(), nullptr);
  EXPECT_EQ(sign->GetRestPosition(), zormath::Vec3f(300, 0, -100));
  // Amplitude 10 along x, 1 radian a second, no phase shift.
  RunFrames(*back, 8, 0.25f);
  EXPECT_NEAR(sign->GetModel()->GetPosition3D().x, 300.0f + 10.0f * std::sin(2.0f), 1e-3f);
  float far = 0.0f;
  for (int i = 0; i < 4000; ++i) {
    back->UpdateObjects(0.05f);
    const zormath::Vec3f p = sign->GetModel()->GetPosition3D();
    ASSERT_EQ(p.z, -100.0f);
    far = std::max(far, std::fabs(p.x - 300.0f));
  }
  EXPECT_LE(far, 10.0f + 1e-3f) << "the swing never drifts";
  EXPECT_GT(far, 9.9f);
}

TEST_F(Motion, FloatingDefaultsPhasesAndAStillAxis) {
  auto a = LoadObject<CROPlavaet>(core, "<Properties NameModel=\"Sign\"/>");
  auto b = LoadObject<CROPlavaet>(core, "<Properties NameModel=\"Sign\"/>");
  EXPECT_NE(a->GetPhaseShift().x, b->GetPhaseShift().x) << "two objects start at different phases";
  // Made here: anywhere in the whole period 2 pi / frequency.
  for (const auto* o : {a.get(), b.get()}) {
    EXPECT_GE(o->GetPhaseShift().x, 0.0f);
    EXPECT_LE(o->GetPhaseShift().x, 2.0f * objects::kPi / 0.5f);
    EXPECT_LE(o->GetPhaseShift().z, 2.0f * objects::kPi / 0.7f);
  }
  // Read from data: only its first half, pi / frequency.
  for (int i = 0; i < 20; ++i) {
    auto o = LoadObject<CROPlavaet>(core, "<Properties NameModel=\"Sign\"><PropertiesX Amplituda=\"2\" Chastota=\"2\"/></Properties>");
    EXPECT_LE(o->GetPhaseShift().x, objects::kPi / 2.0f);
  }
  auto still = LoadObject<CROPlavaet>(
      core, "<Properties NameModel=\"Sign\"><PropertiesX Amplituda=\"5\" Chastota=\"0\"/>"
            "<PropertiesZ Amplituda=\"0\"/></Properties>");
  for (int i = 0; i < 100; ++i) still->Update(0.1f, nullptr);
  const zormath::Vec3f p = still->GetModel()->GetPosition3D();
  EXPECT_FALSE(std::isnan(p.x) || std::isnan(p.z));
  EXPECT_EQ(p, zormath::Vec3f(300, 0, -100)) << "no frequency and no amplitude: at rest";
}

TEST_F(Motion, SwayAmplitudeFromTheMeshNameAndNoAccumulation) {
  auto back = effectstest::LoadEffectsScene();
  struct Case {
    int entry;
    float degrees;
  } cases[] = {{effectstest::kTree, 1.0f}, {effectstest::kTree4, 4.0f}, {effectstest::kTreeX, 0.0f}};
  for (const Case& c : cases) {
    auto* tree = ObjectOf<CROSimpleDerevo>(*back, c.entry);
    ASSERT_NE(tree, nullptr);
    EXPECT_NEAR(tree->GetAmplitude(), c.degrees * objects::kPi / 180.0f, 1e-6f) << c.entry;
  }
  float widest[3] = {0, 0, 0};
  for (int i = 0; i < 2000; ++i) {
    back->UpdateObjects(0.01f);
    for (int k = 0; k < 3; ++k)
      widest[k] = std::max(widest[k], std::fabs(TurnOf(*ObjectOf<CROSimpleDerevo>(*back, cases[k].entry)->GetModel())));
  }
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(widest[k], cases[k].degrees * objects::kPi / 180.0f, 2e-4f) << k;

  auto given = LoadObject<CROSimpleDerevo>(core, "<Properties NameModel=\"Tree_01_4\" Amplituda=\"10\" dAlpha=\"0\"/>");
  EXPECT_NEAR(given->GetAmplitude(), 10.0f * objects::kPi / 180.0f, 1e-6f) << "Amplituda wins over the name";
  for (int i = 0; i < 25; ++i) given->Update(0.01f, nullptr);
  EXPECT_NEAR(std::fabs(TurnOf(*given->GetModel())), std::sin(0.5f) * given->GetAmplitude(), 1e-5f)
      << "each turn starts again from the rest direction";
  EXPECT_FLOAT_EQ(CROSimpleDerevo::AmplitudeFromName(L"Lamp_chain_2.5", 7.0f), 2.5f * objects::kPi / 180.0f);
  EXPECT_EQ(CROSimpleDerevo::AmplitudeFromName(L"Lamp_3", 7.0f), 7.0f);
}

TEST_F(Motion, RotateKeepsTheModelAndTurnsIt) {
  auto back = effectstest::LoadEffectsScene();
  SObjectEntry& vane = back->GetEntry(effectstest::kVane);
  ASSERT_NE(vane.mObject, nullptr) << "ROTATE keeps the entry's model";
  EXPECT_FLOAT_EQ(vane.mRotateSpeed, 0.5f);
  back->UpdateObjects(1.0f);
  const zormath::Vec3f d = vane.mObject->GetDirection3D();
  EXPECT_NEAR(std::fabs(std::atan2(d.x, d.z)), 0.5f, 1e-5f);
}

TEST_F(Motion, ScenesFindEffectObjectsByClass) {
  auto back = effectstest::LoadEffectsScene();
  EXPECT_NE(back->GetObjectAs<CROMoveTexture>(L"Mist"), nullptr);
  EXPECT_NE(back->GetObjectAs<CSimpleFrameAnim>(L"Door"), nullptr);
  log.Clear();
  EXPECT_EQ(back->GetObjectAs<CROMoveTexture>(L"Door"), nullptr);
  EXPECT_EQ(log.Texts(ELogLevel::Error),
            std::vector<std::wstring>{L"Invalid dynamic cast.!!! BackName = Effects ObjectName = Door"});
}

}  // namespace
