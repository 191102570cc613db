// The sample game's library loads its lights on the headless device without
// an error and every one of them moves while the room runs.
#include <gtest/gtest.h>

#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/zorfile/FileSystem.h"
#include "Objects/MolniiElektr.h"
#include "Objects/ROBliki.h"
#include "Objects/ROListopad.h"
#include "Objects/ROLuchi.h"
#include "Objects/ROMolnia.h"
#include "scene/SceneTestSupport.h"

namespace {

template <class T>
T* ObjectNamed(scenetest::CTestBack& back, const wchar_t* name) {
  return dynamic_cast<T*>(back.GetObject(name));
}

TEST(SampleLibrary, LightsLoadWithoutAnErrorAndMove) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  core.Get()->GetFileSystem()->InsertPath(L"DataLoc\\Sounds", zorfile::kKindSounds);
  testsupport::LogCapture log;
  ASSERT_EQ(core.Get()->GetSound()->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", nullptr), 1);
  Platform::SeedRandom(11);
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_2.xml", L"Back_2");
  auto* sparks = ObjectNamed<CMolniiElektr>(*back, L"S_Spark01");
  auto* rays = ObjectNamed<CROLuchi>(*back, L"S_DoorRays");
  auto* molnia = ObjectNamed<CROMolnia>(*back, L"S_LightningSky");
  auto* bliki = ObjectNamed<CROBliki>(*back, L"S_PondTwinkle");
  auto* leaves = ObjectNamed<CROListopad>(*back, L"S_Leaf01");
  ASSERT_NE(sparks, nullptr);
  ASSERT_NE(rays, nullptr);
  ASSERT_NE(molnia, nullptr);
  ASSERT_NE(bliki, nullptr);
  ASSERT_NE(leaves, nullptr);
  EXPECT_EQ(sparks->GetRecords().size(), 4u) << "three sparks and the glow's place";
  EXPECT_EQ(molnia->GetCount(), 2);
  EXPECT_GT(bliki->GetCapacity(), 0);
  EXPECT_EQ(leaves->GetModelCount(), 3);
  EXPECT_EQ(back->GetObject(L"S_SparkGlow"), nullptr) << "the glow is drawn by the sparks alone";

  const float rayStart = rays->GetRayValue();
  const zormath::Vec3f leafStart = leaves->GetLeaves()[0].mPosition;
  zuzorev::CRenderSystem& render = core.Render();
  int lit = 0, living = 0;
  for (int frame = 0; frame < 600; ++frame) {
    back->UpdateObjects(1.0f / 60.0f);
    for (const SMolniyaRecord& spark : sparks->GetRecords()) lit += spark.mLit;
    living += bliki->GetActive();
    ASSERT_GE(render.Begin(), 0);
    back->RenderObjects(0);
    back->RenderObjects(1);
    render.End();
  }
  EXPECT_GT(lit, 0) << "the lamp sparks";
  EXPECT_GT(core.Get()->GetSound()->GetStartCount(L"Lamp_crackle"), 0);
  EXPECT_GT(core.Get()->GetSound()->GetStartCount(L"Window_thunder"), 0) << "ten seconds hold a flash";
  EXPECT_NE(rays->GetRayValue(), rayStart);
  EXPECT_GT(living, 0);
  EXPECT_NE(leaves->GetLeaves()[0].mPosition.z, leafStart.z);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

}  // namespace
