// The sample game's entrance hall loads on the headless device with one
// object of every moving kind, logs no error, and runs for a while; the
// cupboard door's frame file gives its frames and trigger shapes.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/AnimObject3D.h"
#include "Objects/AnimTexture3D.h"
#include "Objects/Morfing.h"
#include "Objects/ROAnimModelLoop.h"
#include "Objects/ROAnimTextureLoop.h"
#include "Objects/ROModelAnimatoinList.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/ROPlavaet.h"
#include "Objects/ROSimpleDerevo.h"
#include "Objects/SimpleFrameAnim.h"
#include "scene/SceneTestSupport.h"

namespace {

template <class T>
bool Holds(scenetest::CTestBack& back, const wchar_t* name) {
  return dynamic_cast<T*>(back.GetObject(name)) != nullptr;
}

TEST(SampleHall, LoadsEveryMovingThingWithoutAnError) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  Platform::SeedRandom(3);
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_1.xml", L"Back_1");
  EXPECT_TRUE(Holds<CAnimObject3D>(*back, L"S_Lantern"));
  EXPECT_TRUE(Holds<CAnimTexture3D>(*back, L"S_Picture"));
  EXPECT_TRUE(Holds<CROAnimModelLoop>(*back, L"S_Flame01"));
  EXPECT_TRUE(Holds<CROAnimTextureLoop>(*back, L"S_CandleGlow"));
  EXPECT_TRUE(Holds<CSimpleFrameAnim>(*back, L"S_CupboardDoor01"));
  EXPECT_TRUE(Holds<CMorfing>(*back, L"S_Portrait_Day"));
  EXPECT_TRUE(Holds<CROModelAnimatoinList>(*back, L"S_Cat"));
  EXPECT_TRUE(Holds<CROMoveTexture>(*back, L"S_Mist"));
  EXPECT_TRUE(Holds<CROPlavaet>(*back, L"S_Sign"));
  EXPECT_TRUE(Holds<CROSimpleDerevo>(*back, L"S_ChainLamp_6"));
  EXPECT_TRUE(Holds<rovovoz::CStaticObject3D>(*back, L"S_Vane")) << "ROTATE keeps the vane's model";

  auto* picture = dynamic_cast<CAnimTexture3D*>(back->GetObject(L"S_Picture"));
  EXPECT_EQ(picture->GetFrameCount(), 4) << "the numbered pictures stop before the missing 05";
  EXPECT_NEAR(dynamic_cast<CROSimpleDerevo*>(back->GetObject(L"S_ChainLamp_6"))->GetAmplitude(),
              6.0f * 3.14159265f / 180.0f, 1e-6f);
  auto* lantern = dynamic_cast<CAnimObject3D*>(back->GetObject(L"S_Lantern"));
  EXPECT_EQ(lantern->IsState(), 1) << "the lantern sways from the start";

  zuzorev::CRenderSystem& render = core.Render();
  for (int frame = 0; frame < 600; ++frame) {
    back->UpdateObjects(1.0f / 60.0f);
    ASSERT_GE(render.Begin(), 0);
    back->RenderObjects(0);
    back->RenderObjects(1);
    render.End();
  }
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());

  auto* door = dynamic_cast<CSimpleFrameAnim*>(back->GetObject(L"S_CupboardDoor01"));
  EXPECT_EQ(door->GetFrameCount(), 4);
  ASSERT_TRUE(door->LoadAnimationXml(L"Data\\Animation\\CupboardDoor.xml"));
  EXPECT_EQ(door->GetFrameCount(), 4);
  EXPECT_EQ(door->GetHitCount(), 4);
  door->Update(0.0f, nullptr);
  EXPECT_TRUE(door->IsHit(380.0f, 20.0f, -130.0f)) << "the shut door covers the cupboard";
  door->StopAtEnd();
  door->Update(0.0f, nullptr);
  EXPECT_FALSE(door->IsHit(380.0f, 20.0f, -130.0f)) << "the open door does not";
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

}  // namespace
