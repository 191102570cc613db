// Light rays with dust through their per-frame update with fixed frame
// times and a seeded random source: the first target on the first update,
// the alpha drifting at its speed, rays that only let their dust scroll,
// the dust layers' scrolling, the draws with stage 1 fed from camera space
// and put back afterwards, and bad data.
#include <gtest/gtest.h>

#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/LuchiPil.h"
#include "tree/TreeTestSupport.h"

namespace {

using treetest::Draws;
using treetest::LoadObject;
using treetest::TreeCore;
using zuzorev::ELogLevel;

class LuchiPil : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  TreeCore core;
  testsupport::LogCapture log;
};

TEST_F(LuchiPil, FirstUpdateDrawsTheFirstTargetAndTheAlphaDriftsThereAtItsSpeed) {
  Draws r(99);
  auto rays = LoadObject<CLuchiPil>(
      core, "<Properties NameModel=\"Rays\"><Luchi MinDTime=\"1\" MaxDTime=\"3\" MinAlpha=\"0.6\" MaxAlpha=\"0.9\" "
            "Speed=\"0.5\"/></Properties>");
  // The mesh's material gives the starting alpha (d 0.5 in the fixture).
  EXPECT_EQ(rays->GetCurrentAlpha(), 0.5f);
  rays->Update(0.1f, nullptr);
  const float target = 0.6f + r[0] * (0.9f - 0.6f);
  EXPECT_FLOAT_EQ(rays->GetTargetAlpha(), target);
  EXPECT_FLOAT_EQ(rays->GetInterval(), 1.0f + r[1] * (3.0f - 1.0f));
  EXPECT_EQ(rays->GetDirection(), 1.0f);
  EXPECT_FLOAT_EQ(rays->GetCurrentAlpha(), 0.55f) << "0.5 a second for 0.1 s";
  EXPECT_FLOAT_EQ(rays->GetMaterial().Diffuse.a, 0.55f);
  EXPECT_FLOAT_EQ(rays->GetMesh().GetD3DMaterial(0).Ambient.a, 0.55f);
  // It stops at the target and rests there until the next draw.
  for (int i = 0; i < 9; ++i) rays->Update(0.1f, nullptr);
  EXPECT_EQ(rays->GetCurrentAlpha(), target);
  EXPECT_EQ(rays->GetDirection(), 0.0f);
  EXPECT_EQ(r.Taken(), 2);

  rays->SetAlpha(2.0f);
  EXPECT_EQ(rays->GetAlpha(), 1.0f) << "kept in 0..1";
  rays->SetAlpha(0.5f);
  EXPECT_FLOAT_EQ(rays->GetMesh().GetD3DMaterial(0).Diffuse.a, target * 0.5f);
}

TEST_F(LuchiPil, RaysWithoutRandomBoundsKeepTheirAlphaAndOnlyTheDustScrolls) {
  struct Case {
    const char* luchi;
  } cases[] = {{"MinDTime=\"1\" MaxDTime=\"2\" MinAlpha=\"0.7\" MaxAlpha=\"0.7\""},
               {"MinDTime=\"1\" MaxDTime=\"1\" MinAlpha=\"0.2\" MaxAlpha=\"0.9\""},
               {"MinDTime=\"-1\" MaxDTime=\"-2\" MinAlpha=\"0.9\" MaxAlpha=\"0.2\""}};
  for (const Case& c : cases) {
    Draws r(1);
    auto rays = LoadObject<CLuchiPil>(core, std::string("<Properties NameModel=\"Rays\"><Pil Speed=\"0.25\"/><Luchi ") +
                                                c.luchi + "/></Properties>");
    for (int i = 0; i < 20; ++i) rays->Update(0.5f, nullptr);
    EXPECT_EQ(rays->GetCurrentAlpha(), 0.5f) << c.luchi;
    EXPECT_EQ(rays->GetMesh().GetD3DMaterial(0).Diffuse.a, 0.5f) << c.luchi;
    EXPECT_NE(rays->GetLayers().at(0).scroll, 0.0f) << c.luchi;
    EXPECT_EQ(r.Taken(), 0) << c.luchi;
  }
}

TEST_F(LuchiPil, DustLayersScrollByTheirSpeedAndWrapOnlyDownwards) {
  auto rays = LoadObject<CLuchiPil>(
      core, "<Properties NameModel=\"Rays\"><Pil du=\"0.25\" su=\"2\" sv=\"3\" Speed=\"0.3\"/><Pil Speed=\"0\"/>"
            "<Pil Speed=\"-0.3\"/></Properties>");
  ASSERT_EQ(rays->GetLayers().size(), 3u);
  const SLuchiPilLayer& first = rays->GetLayers()[0];
  EXPECT_EQ(first.matrix(0, 0), 2.0f);
  EXPECT_EQ(first.matrix(1, 1), 3.0f);
  EXPECT_EQ(first.matrix(2, 0), 0.25f);
  EXPECT_EQ(first.matrix(2, 2), 1.0f);
  struct Step {
    float dt;
    float scroll[3];
  } steps[] = {{1.0f, {-0.3f, 0.0f, 0.3f}}, {3.0f, {-0.2f, 0.0f, 1.2f}}, {1.0f, {-0.5f, 0.0f, 1.5f}}};
  for (const Step& s : steps) {
    rays->Update(s.dt, nullptr);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(rays->GetLayers()[i].scroll, s.scroll[i], 1e-5f) << "layer " << i;
      EXPECT_EQ(rays->GetLayers()[i].matrix(2, 1), rays->GetLayers()[i].scroll) << "layer " << i;
    }
  }
}

TEST_F(LuchiPil, DustDrawsTakeStageOneFromCameraSpaceAndPutItBack) {
  auto rays = LoadObject<CLuchiPil>(
      core, "<Properties NameModel=\"Rays\" TexturePil=\"dust.png\"><Pil Speed=\"0.1\"/><Pil sv=\"2\"/></Properties>");
  rays->Load(3);
  rays->Update(1.0f, nullptr);
  zuzorev::CRenderSystem& render = core.Render();
  render.Begin();
  rays->Render();
  const auto& draws = render.GetFrameDraws();
  ASSERT_EQ(draws.size(), 3u) << "the rays, then one draw a layer";
  EXPECT_FALSE(draws[0].tex1Transform);
  EXPECT_FALSE(draws[0].tex1Camera);
  EXPECT_EQ(draws[0].seting, L"MT_TEXTURE_ALPHA_SMOOTH_OVERLAY");
  for (size_t i = 1; i < 3; ++i) {
    EXPECT_TRUE(draws[i].tex1Transform) << i;
    EXPECT_TRUE(draws[i].tex1Camera) << i;
    EXPECT_EQ(draws[i].seting, L"MT_LUCHI_PIL") << i;
    EXPECT_NE(draws[i].texture1.find(L"dust.png"), std::wstring::npos) << i;
    EXPECT_EQ(draws[i].world, rays->GetTempMatrix3D()) << i;
  }
  EXPECT_EQ(render.GetTransform(zuzorev::kTransformTexture1), rays->GetLayers()[1].matrix);
  EXPECT_EQ(render.GetTextureStageState(1, zuzorev::kTssTexCoordIndex), 1u);
  EXPECT_EQ(render.GetTextureStageState(1, zuzorev::kTssTextureTransformFlags), 0u);
  render.End();

  // Without layers only the rays are drawn.
  auto bare = LoadObject<CLuchiPil>(core, "<Properties NameModel=\"Rays\" TexturePil=\"dust.png\"/>");
  render.Begin();
  bare->Render();
  EXPECT_EQ(render.GetFrameDraws().size(), 1u);
  render.End();
}

TEST_F(LuchiPil, BadDataFailsTheLoadOrIsLogged) {
  struct Case {
    const char* what;
    std::string xml;
    int32_t result;
    std::vector<std::wstring> errors;
  } cases[] = {
      {"no model name", "<Properties TexturePil=\"dust.png\"/>", static_cast<int32_t>(0x80004005u),
       {L"No find attribute  NameModel"}},
      {"a model the file lacks", "<Properties NameModel=\"Nothing\"/>", static_cast<int32_t>(0x80004005u),
       {L"Load luchi model."}},
      {"a dust texture that is missing", "<Properties NameModel=\"Rays\" TexturePil=\"none.png\"><Pil Speed=\"1\"/>"
                                         "</Properties>",
       0, {L"Load luchi dust texture none.png."}},
      {"a negative speed", "<Properties NameModel=\"Rays\"><Luchi MinDTime=\"0\" MaxDTime=\"0.1\" MinAlpha=\"0\" "
                           "MaxAlpha=\"1\" Speed=\"-3\"/></Properties>",
       0, {}},
  };
  for (const Case& c : cases) {
    log.Clear();
    int32_t result = 1;
    auto rays = LoadObject<CLuchiPil>(core, c.xml, &result, 3);
    EXPECT_EQ(result, c.result) << c.what;
    EXPECT_EQ(log.Texts(ELogLevel::Error), c.errors) << c.what;
    for (int i = 0; i < 100; ++i) rays->Update(0.05f, nullptr);
    core.Render().Begin();
    EXPECT_EQ(rays->Render(), 0) << c.what;
    core.Render().End();
    EXPECT_EQ(core.Render().GetTextureStageState(1, zuzorev::kTssTextureTransformFlags), 0u);
  }
  CLuchiPil lost(nullptr);
  EXPECT_EQ(lost.Load(nullptr, L"Tree.zorm", 0), static_cast<int32_t>(0x80004005u));
}

}  // namespace
