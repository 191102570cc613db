// The sample game's library: its chest lid, drawer and flag as key-frame
// models (the drawer from its baked companion, the flag by a vertex track),
// the bird on its path and the pond's reflection, loaded without an error
// and moving as the scene runs them.
#include <gtest/gtest.h>

#include <cstring>

#include "Engine/rovovoz/PointObject3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/MaxAnim.h"
#include "Objects/ROMoveSpline.h"
#include "Objects/ROOtragenie.h"
#include "Platform/Random.h"
#include "scene/SceneTestSupport.h"

namespace {

template <class T>
T* As(scenetest::CTestBack& back, const wchar_t* name) {
  return dynamic_cast<T*>(back.GetObject(name));
}

TEST(SampleLibrary, KeyFrameObjectsBirdAndReflectionLoadAndMove) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  Platform::SeedRandom(5);
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_2.xml", L"Back_2");
  auto* lid = As<CMaxAnim>(*back, L"S_ChestLid");
  auto* drawer = As<CMaxAnim>(*back, L"S_Drawer");
  auto* flag = As<CMaxAnim>(*back, L"S_Flag");
  auto* bird = As<CROMoveSpline>(*back, L"S_Bird01");
  auto* pond = As<CROOtragenie>(*back, L"S_Pond");
  ASSERT_TRUE(lid && drawer && flag && bird && pond);
  EXPECT_EQ(lid->GetKeyCount(), 16);
  EXPECT_EQ(lid->GetAnimation().textureOffset, 1);
  EXPECT_EQ(drawer->GetKeyCount(), 11);
  EXPECT_EQ(flag->GetAnimation().vertexAnimation, 1);
  ASSERT_NE(bird->GetPath(), nullptr);
  EXPECT_EQ(bird->GetPath()->GetCountPoint(), 5);
  EXPECT_NE(bird->GetFrameModel(2), nullptr);
  ASSERT_NE(pond->GetModel(), nullptr);

  // What the scene's start actions ask of them.
  lid->Play(2);
  flag->Play(1);
  drawer->Play(0);
  const zormath::Vec3f lidStart = lid->GetAnimPosition();
  const zuzorev::CSubMesh flagMesh = flag->GetModel()->GetMesh()->GetSubMesh(0);
  std::vector<uint8_t> flagBefore(flagMesh.GetVertexBuffer()->Bytes(),
                                  flagMesh.GetVertexBuffer()->Bytes() + flagMesh.GetVertexBuffer()->GetSize());
  const zuzorev::CSubMesh pondMesh = pond->GetModel()->GetMesh()->GetSubMesh(0);
  float pondX = 0.0f;
  std::memcpy(&pondX, pondMesh.GetVertexBuffer()->Bytes() + 24 * 12, 4);
  std::vector<float> birdX;
  zuzorev::CRenderSystem& render = core.Render();
  for (int frame = 0; frame < 600; ++frame) {
    back->UpdateObjects(1.0f / 60.0f);
    if (frame == 30) {
      EXPECT_NE(std::memcmp(flagBefore.data(), flagMesh.GetVertexBuffer()->Bytes(), flagBefore.size()), 0)
          << "the flag's corners move";
      float x = 0.0f;
      std::memcpy(&x, pondMesh.GetVertexBuffer()->Bytes() + 24 * 12, 4);
      EXPECT_NE(x, pondX) << "the reflection ripples";
    }
    if (!bird->IsPaused()) birdX.push_back(bird->GetPosition().x);
    ASSERT_GE(render.Begin(), 0);
    back->RenderObjects(0);
    back->RenderObjects(1);
    render.End();
  }
  EXPECT_EQ(lid->GetPlayState(), CMaxAnim::kHeld);
  EXPECT_GT(lid->GetModel()->GetPosition3D().z, lidStart.z + 29.0f) << "the lid stays lifted";
  EXPECT_EQ(drawer->GetPlayState(), CMaxAnim::kStopped);
  EXPECT_EQ(flag->GetPlayState(), CMaxAnim::kLoop);
  ASSERT_FALSE(birdX.empty());
  EXPECT_NE(*std::min_element(birdX.begin(), birdX.end()), *std::max_element(birdX.begin(), birdX.end()))
      << "the bird crosses";
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

}  // namespace
