// The sample game's entrance hall: the hearth burns as a texture with its
// palette, the two torches by the door burn in three layers and share the
// emission clocks; a while of frames logs no error.
#include <gtest/gtest.h>

#include "Objects/Fire.h"
#include "Objects/FirePart.h"
#include "scene/SceneTestSupport.h"

namespace {

TEST(SampleFire, HearthAndTorchesBurnInTheHall) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  Platform::SeedRandom(5);
  gFireFlameClock = gFireSpotClock = 0.0f;
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_1.xml", L"Back_1");
  auto* hearth = dynamic_cast<CFire*>(back->GetObject(L"S_HearthFire"));
  ASSERT_NE(hearth, nullptr);
  EXPECT_EQ(hearth->GetPalette().size(), 64u) << "the hearth's own palette";
  EXPECT_EQ(hearth->GetWidth(), 32);
  CFirePart* torches[] = {dynamic_cast<CFirePart*>(back->GetObject(L"S_TorchLeftFire")),
                          dynamic_cast<CFirePart*>(back->GetObject(L"S_TorchRightFire"))};
  for (CFirePart* torch : torches) {
    ASSERT_NE(torch, nullptr);
    ASSERT_NE(torch->GetFire(), nullptr);
    EXPECT_EQ(torch->GetFire()->GetWidth(), 64);
    ASSERT_NE(torch->GetFlames(), nullptr) << "the flame strip loads";
    ASSERT_NE(torch->GetOverlay(), nullptr) << "the glow spot loads";
  }
  EXPECT_EQ(torches[0]->GetCenter().x, -150.0f);
  EXPECT_EQ(torches[1]->GetCenter().x, 150.0f);

  zuzorev::CRenderSystem& render = core.Render();
  for (int frame = 0; frame < 120; ++frame) {
    back->UpdateObjects(1.0f / 60.0f);
    ASSERT_GE(render.Begin(), 0);
    back->RenderObjects(0);
    back->RenderObjects(1);
    render.End();
  }
  EXPECT_GT(hearth->GetStepCount(), 20);
  for (CFirePart* torch : torches) {
    EXPECT_NEAR(static_cast<double>(torch->GetFlames()->GetEmittedCount()), 40.0, 1.0);
    EXPECT_GT(torch->GetFlames()->GetCount(), 5);
  }
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

}  // namespace
