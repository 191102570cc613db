// The tree, the lamp and the rays made by a scene's object file: a bough
// the tree draws is not drawn again by the scene, a lamp or rays whose
// model is missing are named and dropped, and in the sample game's hall the
// orchard tree, the wall lamp and the sun rays move with no error logged.
#include <gtest/gtest.h>

#include <algorithm>

#include "Objects/Derevo.h"
#include "Objects/Lampa.h"
#include "Objects/LuchiPil.h"
#include "scene/SceneTestSupport.h"
#include "tree/TreeTestSupport.h"

namespace {

using zuzorev::ELogLevel;

template <class T>
T* As(scenetest::CTestBack& back, const wchar_t* name) {
  return dynamic_cast<T*>(back.GetObject(name));
}

// Draws of one frame of the scene's objects, by mesh name.
std::vector<std::wstring> DrawnMeshes(zuzorev::CRenderSystem& render, scenetest::CTestBack& back) {
  render.Begin();
  back.RenderObjects(0);
  back.RenderObjects(1);
  std::vector<std::wstring> meshes;
  for (const zuzorev::SDrawRecord& d : render.GetFrameDraws()) meshes.push_back(d.mesh);
  render.End();
  return meshes;
}

TEST(TreeScene, TheTreeTakesItsBoughsAndFailedLampsAndRaysAreDropped) {
  treetest::TreeCore core;
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  auto back = scenetest::LoadScene(L"Data\\Level\\Tree.xml", L"Tree");
  CDerevo* tree = As<CDerevo>(*back, L"B_Trunk");
  ASSERT_NE(tree, nullptr) << "the keyword is read ignoring case";
  EXPECT_EQ(tree->GetRenderList().size(), 4u);
  EXPECT_EQ(back->GetEntry(1).mObject, nullptr) << "the bough's own picture is gone";
  EXPECT_EQ(back->GetEntry(1).mMakeModel, 0);
  EXPECT_NE(As<CLampa>(*back, L"Glow"), nullptr);
  EXPECT_NE(As<CLuchiPil>(*back, L"Rays"), nullptr);
  EXPECT_EQ(back->GetObject(L"Stool"), nullptr);
  EXPECT_EQ(back->GetObject(L"Bench"), nullptr);
  EXPECT_EQ(log.Texts(ELogLevel::Error),
            (std::vector<std::wstring>{L"Load lampa model.", L"Load object lampa name = Stool", L"Load luchi model.",
                                       L"Load object luchi pil name = Bench"}));

  const std::vector<std::wstring> meshes = DrawnMeshes(core.Render(), *back);
  EXPECT_EQ(std::count(meshes.begin(), meshes.end(), L"B_Left"), 1) << "drawn by the tree alone";
  EXPECT_EQ(std::count(meshes.begin(), meshes.end(), L"B_Twig"), 1);

  // The scene's frames drive the gusts: the first starts with the first frame.
  back->UpdateObjects(0.05f);
  EXPECT_EQ(tree->GetForce(), 0.0f);
  EXPECT_GT(tree->GetGustAmplitude(), 0.0f);
  for (int i = 0; i < 20; ++i) back->UpdateObjects(0.05f);
  EXPECT_NE(tree->GetRoots().at(0).branch.velocity, 0.0f);
  EXPECT_EQ(As<CLampa>(*back, L"Glow")->GetState(), CLampa::kLit);
}

TEST(TreeScene, SampleHallShowsTheOrchardTreeTheWallLampAndTheSunRaysMoving) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  Platform::SeedRandom(8);
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_1.xml", L"Back_1");
  CDerevo* tree = As<CDerevo>(*back, L"S_OrchardTree");
  CLampa* lamp = As<CLampa>(*back, L"S_WallLampGlow");
  CLuchiPil* rays = As<CLuchiPil>(*back, L"S_SunRays");
  ASSERT_NE(tree, nullptr);
  ASSERT_NE(lamp, nullptr);
  ASSERT_NE(rays, nullptr);
  EXPECT_GE(tree->GetRenderList().size(), 7u) << "a trunk, boughs and twigs";
  const SDerevoBranch& trunk = tree->GetRoots().at(0).branch;
  ASSERT_FALSE(trunk.children.empty());
  ASSERT_FALSE(trunk.children[0].children.empty()) << "three levels of branches";
  EXPECT_EQ(rays->GetLayers().size(), 2u);

  const zormath::Mat4f twigAtRest = trunk.children[0].children[0].world;
  const float scroll = rays->GetLayers()[0].scroll;
  int lampStates = 0;
  int lastState = lamp->GetState();
  float lowest = 1.0f, highest = 0.0f;
  for (int frame = 0; frame < 1200; ++frame) {
    back->UpdateObjects(1.0f / 60.0f);
    if (lamp->GetState() != lastState) ++lampStates;
    lastState = lamp->GetState();
    lowest = std::min(lowest, rays->GetCurrentAlpha());
    highest = std::max(highest, rays->GetCurrentAlpha());
    if (frame % 100 == 0) DrawnMeshes(core.Render(), *back);
  }
  EXPECT_NE(trunk.children[0].children[0].world, twigAtRest) << "the twig sways";
  EXPECT_NE(rays->GetLayers()[0].scroll, scroll) << "the dust drifts";
  EXPECT_GT(highest - lowest, 0.05f) << "the rays brighten and fade";
  EXPECT_GE(lampStates, 4) << "the lamp flickers";
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
}

}  // namespace
