// Drawing: the two passes around the game panel, the developer hide mode,
// the depth test per entry; on the GL device, the sample game's first scene
// where its files place it, and a glowing entry brighter than its twin.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "scene/SceneTestSupport.h"

namespace {

using scenetest::CTestBack;
using scenetest::SceneCore;

// Entries of Draw.xml.
enum { kBack, kGreyA, kGreyB, kGlow, kBox, kBall, kG1, kG3, kG5, kG1200, kOnly, kGreyTrigger };

// Meshes drawn by one pass, in order.
std::vector<std::wstring> Pass(SceneCore& core, CTestBack& back, int pass) {
  core.Render().Begin();
  back.RenderObjects(pass);
  std::vector<std::wstring> meshes;
  for (const auto& draw : core.Render().GetFrameDraws()) meshes.push_back(draw.mesh);
  core.Render().End();
  return meshes;
}

TEST(SceneRender, PassesHideModeAndDepthTest) {
  SceneCore core;
  auto back = scenetest::LoadScene(L"Level\\Draw.xml");
  for (int i : {kGreyA, kGreyB, kGlow, kG1, kG3, kG5, kG1200}) back->GetEntry(i).mActive = 0;
  back->GetEntry(kBall).mFadeState = 2;
  EXPECT_EQ(Pass(core, *back, 0), (std::vector<std::wstring>{L"S_Back", L"S_Box"}));
  EXPECT_EQ(Pass(core, *back, 1), (std::vector<std::wstring>{L"S_Ball"})) << "drawn above the game panel";

  // Drawn through its effect: nothing while no effect shows it.
  back->GetEntry(kBox).mEffectFlag = 1;
  back->GetEntry(kBox).mFadeState = 1;
  EXPECT_EQ(Pass(core, *back, 0), (std::vector<std::wstring>{L"S_Back"}));
  back->GetEntry(kBox).mFadeState = 0;
  EXPECT_EQ(Pass(core, *back, 0), (std::vector<std::wstring>{L"S_Back", L"S_Box"}));
  back->GetEntry(kBox).mEffectFlag = 0;

  const int hide = gHideMode;
  gHideMode = 1;
  back->GetEntry(kBall).mState = 1;
  EXPECT_TRUE(Pass(core, *back, 0).empty()) << "only entries in play are drawn";
  EXPECT_EQ(Pass(core, *back, 1), (std::vector<std::wstring>{L"S_Ball"}));
  gHideMode = hide;

  back->GetEntry(kBox).mDepthTest = 1;
  core.Render().Begin();
  back->RenderObjects(0);
  const auto& draws = core.Render().GetFrameDraws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_FALSE(draws[0].depthTest);
  EXPECT_TRUE(draws[1].depthTest) << "S_Box asks for the depth test";
  EXPECT_EQ(core.Render().GetZEnable(), 0) << "and it is off again after it";
  core.Render().End();

  // An attached model is drawn first, with the depth test on.
  auto* attached = dynamic_cast<rovovoz::CStaticObject3D*>(back->GetEntry(kGreyB).mObject);
  back->GetEntry(kBox).mDepthTest = 0;
  back->GetEntry(kBox).mAttachedModel = attached;
  EXPECT_EQ(Pass(core, *back, 0), (std::vector<std::wstring>{L"S_Back", L"S_GreyB", L"S_Box"}));
  back->GetEntry(kBox).mAttachedModel = nullptr;
}

// Brightness of a pixel of the virtual screen (0 .. 765).
int Brightness(zuzorev::CRenderSystem& render, float x, float y) {
  uint32_t argb = 0;
  EXPECT_TRUE(render.ReadVirtualPixel(x, y, argb));
  return static_cast<int>(((argb >> 16) & 255u) + ((argb >> 8) & 255u) + (argb & 255u));
}

uint32_t PixelAt(zuzorev::CRenderSystem& render, float x, float y) {
  uint32_t argb = 0;
  EXPECT_TRUE(render.ReadVirtualPixel(x, y, argb));
  return argb & 0x00FFFFFFu;
}

// The virtual-screen point over a scene point.
float ScreenX(float x) { return x + 512.0f; }
float ScreenY(float z) { return 384.0f - z; }

void DrawScene(SceneCore& core, CTestBack& back) {
  core.Render().Clear();
  core.Render().Begin();
  back.RenderObjects(0);
  back.RenderObjects(1);
}

TEST(SceneRenderGL, SampleSceneDrawsWhereItsFilesPlaceIt) {
  SceneCore core(zuzorev::EDeviceKind::GL, SceneCore::EData::SampleGame);
  if (!core.Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver (needs libegl-mesa0)";
  testsupport::LogCapture log;
  scenetest::FreshPlayer player;
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_1.xml", L"Back_1");
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty()) << "the sample scene loads cleanly";

  // Each object shows at the place its mesh has in the model file: the
  // pixel there changes when the object is hidden. (The lit lantern hangs
  // under the unlit one until the wick is used.)
  struct Object {
    const wchar_t* name;
    float x, z;  // a point of its picture in the scene plane
  } objects[] = {
      {L"S_Back_1", -400, 300}, {L"S_Desk", -250, -190}, {L"S_Key", -274, -114},
      {L"S_LanternDark", 250, -150}, {L"S_Wick", 150, -250},
  };
  for (const auto& o : objects) {
    SCOPED_TRACE(Platform::WideToUtf8(o.name));
    const int index = back->GetObjectIndex(o.name);
    ASSERT_GE(index, 0);
    DrawScene(core, *back);
    const uint32_t shown = PixelAt(core.Render(), ScreenX(o.x), ScreenY(o.z));
    core.Render().End();
    back->GetEntry(index).mActive = 0;
    DrawScene(core, *back);
    const uint32_t hidden = PixelAt(core.Render(), ScreenX(o.x), ScreenY(o.z));
    core.Render().End();
    back->GetEntry(index).mActive = 1;
    EXPECT_NE(shown, hidden);
  }
}

TEST(SceneRenderGL, GlowingEntryIsBrighterThanItsTwin) {
  SceneCore core(zuzorev::EDeviceKind::GL);
  if (!core.Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver (needs libegl-mesa0)";
  auto back = scenetest::LoadScene(L"Level\\Draw.xml");
  back->AddObjectEffect(kGreyA, kGlow);
  for (int i = 0; i < 100 && (back->mObjectEffects[0].mState != 2 || back->mObjectEffects[0].mPulse < 0.6f); ++i) {
    back->RemoveObjectEffect(kGreyA);
    back->UpdateObjectEffects(0.02f);
  }
  ASSERT_EQ(back->mObjectEffects[0].mState, 2);
  DrawScene(core, *back);
  const int glowing = Brightness(core.Render(), ScreenX(-200), ScreenY(-200));
  const int twin = Brightness(core.Render(), ScreenX(0), ScreenY(-200));
  core.Render().End();
  EXPECT_GT(twin, 0);
  EXPECT_GT(glowing, twin + 60) << "the grey square with the glow over it";

  // Once the glow has fallen the two look alike again.
  for (int i = 0; i < 30; ++i) back->UpdateObjectEffects(0.02f);
  DrawScene(core, *back);
  EXPECT_NEAR(Brightness(core.Render(), ScreenX(-200), ScreenY(-200)),
              Brightness(core.Render(), ScreenX(0), ScreenY(-200)), 3);
  core.Render().End();
}

}  // namespace
