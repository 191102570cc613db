// The light effects made by a scene from its object file and run by the
// scene's per-frame update: the class of each entry, the meshes the sparks
// and the lightning draw themselves taken from the scene's own drawing,
// and everything moving frame by frame with a seeded random source.
#include <gtest/gtest.h>

#include "Objects/MolniiElektr.h"
#include "Objects/ROBliki.h"
#include "Objects/ROListopad.h"
#include "Objects/ROLuchi.h"
#include "Objects/ROMolnia.h"
#include "lights/LightsTestSupport.h"

namespace {

using effectstest::ObjectOf;
using effectstest::RunFrames;
using namespace lightstest;

class LightsScene : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  LightsCore core;
  testsupport::LogCapture log;
};

TEST_F(LightsScene, EveryLightEffectIsMadeAndTakesOverTheMeshesItDraws) {
  auto back = LoadLightsScene();
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
  auto* sparks = ObjectOf<CMolniiElektr>(*back, kSpark1);
  ASSERT_NE(sparks, nullptr);
  EXPECT_EQ(sparks->GetState(), 1) << "State 1 sparks from the scene's start on";
  auto* rays = ObjectOf<CROLuchi>(*back, kRays);
  auto* molnia = ObjectOf<CROMolnia>(*back, kSky);
  auto* bliki = ObjectOf<CROBliki>(*back, kBlik);
  auto* leaves = ObjectOf<CROListopad>(*back, kLeaf1);
  ASSERT_NE(sparks, nullptr);
  ASSERT_NE(rays, nullptr) << "the keyword in any case";
  ASSERT_NE(molnia, nullptr);
  ASSERT_NE(bliki, nullptr);
  ASSERT_NE(leaves, nullptr);
  struct Case {
    int entry;
    bool plainModel;  // the scene still makes and draws its static model
  } cases[] = {{kSpark2, false}, {kGlow, false}, {kBolt, false}, {kWall, false}, {kSpark3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    EXPECT_EQ(back->GetEntry(c.entry).mMakeModel != 0, c.plainModel);
    EXPECT_EQ(back->GetEntry(c.entry).mObject != nullptr, c.plainModel);
  }

  const int crackles = core.Starts(L"Crackle");
  const float rayBefore = rays->GetRayValue();
  std::vector<zormath::Vec3f> leafBefore;
  for (const SLeaf& leaf : leaves->GetLeaves()) leafBefore.push_back(leaf.mPosition);
  RunFrames(*back, 10, 0.05f);
  EXPECT_EQ(core.Starts(L"Crackle") - crackles, 20) << "koef_rand 0: both sparks every frame";
  EXPECT_NE(rays->GetRayValue(), rayBefore);
  EXPECT_GT(bliki->GetActive(), 0);
  int moved = 0;
  for (size_t i = 0; i < leafBefore.size(); ++i)
    moved += leaves->GetLeaves()[i].mPosition.z != leafBefore[i].z ? 1 : 0;
  EXPECT_GT(moved, 20);
  RunFrames(*back, 40, 0.05f);
  EXPECT_GE(core.Starts(L"Thunder"), 1) << "a flash within two seconds of one-second pauses";
}

}  // namespace
