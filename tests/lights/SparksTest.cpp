// Electric sparks: the chance of a flash per spark and update, a crackle
// for every flashing spark, the glow drawn at its place among the sparks
// and fading more slowly, and switching on and off.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/MolniiElektr.h"
#include "Platform/Random.h"
#include "lights/LightsTestSupport.h"

namespace {

using lightstest::LightsCore;
using lightstest::LoadObject;

class Sparks : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  std::vector<std::wstring> Frame(CMolniiElektr& sparks) {
    lightstest::BeginFrame(core.Render());
    sparks.Render();
    return lightstest::DrawnMeshes(core.Render());
  }
  LightsCore core;
  testsupport::LogCapture log;
};

constexpr const char* kThreeSparks =
    "<Molniya NameModel=\"Spark1\"/><Molniya NameModel=\"Spark2\"/><Molniya NameModel=\"Spark3\"/>";

TEST_F(Sparks, TheChanceOfNotFlashingDecidesEverySparkAndEachFlashCrackles) {
  struct Case {
    const char* koefRand;
    int litAfterOneUpdate;
    int crackles;
  } cases[] = {{"1", 0, 0}, {"0", 3, 3}, {"-2", 3, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.koefRand);
    const int before = core.Starts(L"Crackle");
    auto sparks = LoadObject<CMolniiElektr>(
        core, std::string("<Properties State=\"1\" NameSound=\"Crackle\" koef_rand=\"") + c.koefRand + "\">" +
                  kThreeSparks + "</Properties>");
    ASSERT_EQ(sparks->GetRecords().size(), 3u);
    sparks->Update(0.1f, nullptr);
    int lit = 0;
    for (const SMolniyaRecord& spark : sparks->GetRecords()) lit += spark.mLit;
    EXPECT_EQ(lit, c.litAfterOneUpdate);
    EXPECT_EQ(core.Starts(L"Crackle") - before, c.crackles) << "one crackle per flashing spark";
    EXPECT_EQ(Frame(*sparks).size(), static_cast<size_t>(c.litAfterOneUpdate));
  }
}

TEST_F(Sparks, TheGlowIsDrawnAtItsPlaceAmongTheSparksCountRenderTimes) {
  struct Case {
    const char* countRender;
    std::vector<std::wstring> drawn;
  } cases[] = {
      {"", {L"Spark1", L"Glow", L"Spark2"}},
      {"CountRender=\"2\"", {L"Spark1", L"Glow", L"Glow", L"Spark2"}},
      {"CountRender=\"0\"", {L"Spark1", L"Spark2"}},
      {"CountRender=\"-3\"", {L"Spark1", L"Spark2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.countRender);
    auto sparks = LoadObject<CMolniiElektr>(
        core, std::string("<Properties State=\"1\" koef_rand=\"0\"><Molniya NameModel=\"Spark1\"/><Zasvet "
                          "NameModel=\"Glow\" ") +
                  c.countRender + "/><Molniya NameModel=\"Spark2\"/></Properties>");
    sparks->Update(0.1f, nullptr);
    EXPECT_EQ(Frame(*sparks), c.drawn);
  }
}

// A seed whose first draw flashes at a chance of 0.5 and whose next three do not.
uint32_t FlashThenQuietSeed() {
  for (uint32_t seed = 1;; ++seed) {
    Platform::SeedRandom(seed);
    if (Platform::RandomFloat() <= 0.5f) continue;
    if (Platform::RandomFloat() <= 0.5f && Platform::RandomFloat() <= 0.5f && Platform::RandomFloat() <= 0.5f)
      return seed;
  }
}

TEST_F(Sparks, SparksFadeAtTheirSpeedAndTheGlowAtItsSlowerOne) {
  auto sparks = LoadObject<CMolniiElektr>(
      core,
      "<Properties State=\"1\" speed_unv=\"4\" speed_unv_zasv=\"1\"><Molniya NameModel=\"Spark1\"/>"
      "<Zasvet NameModel=\"Glow\"/></Properties>");
  sparks->SetAlpha(0.5f);
  Platform::SeedRandom(FlashThenQuietSeed());
  const SMolniyaRecord& spark = sparks->GetRecords()[0];
  const zuzorev::CMesh& sparkMesh = *spark.mModel->GetMesh();
  const zuzorev::CMesh& glowMesh = *sparks->GetGlow()->GetMesh();
  struct Step {
    int sparkLit;
    float sparkIntensity;
    int glowLit;
    float glowIntensity;
  } steps[] = {{1, 1.0f, 1, 1.0f}, {1, 0.6f, 1, 0.9f}, {1, 0.2f, 1, 0.8f}, {0, 0.0f, 1, 0.7f}};
  for (const Step& step : steps) {
    sparks->Update(0.1f, nullptr);
    EXPECT_EQ(spark.mLit, step.sparkLit);
    EXPECT_NEAR(spark.mIntensity, step.sparkIntensity, 1e-5f);
    EXPECT_NEAR(sparkMesh.GetAlphaAll(), 0.5f * step.sparkIntensity, 1e-5f) << "object alpha x intensity";
    EXPECT_EQ(sparks->IsGlowLit(), step.glowLit);
    EXPECT_NEAR(sparks->GetGlowIntensity(), step.glowIntensity, 1e-5f);
    EXPECT_NEAR(glowMesh.GetAlphaAll(), 0.5f * step.glowIntensity, 1e-5f);
  }
  EXPECT_EQ(Frame(*sparks), std::vector<std::wstring>{L"Glow"}) << "the glow outlives the spark";
  sparks->SetAlpha(3.0f);
  EXPECT_FLOAT_EQ(sparks->GetAlpha(), 1.0f) << "kept within 0..1";
  sparks->Stop(1);
  EXPECT_EQ(sparks->IsGlowLit(), 0);
  EXPECT_EQ(glowMesh.GetAlphaAll(), 0.0f);
  EXPECT_EQ(sparks->GetState(), 0);
  EXPECT_TRUE(Frame(*sparks).empty()) << "stopped";
  sparks->Stop(0);
  EXPECT_EQ(sparks->GetState(), 1) << "the scene's start leaves State 1 sparking";
}

TEST_F(Sparks, StateZeroShowsNothingUntilSwitchedOnAndChildNamesAreExact) {
  auto sparks = LoadObject<CMolniiElektr>(
      core, "<Properties koef_rand=\"0\" NameSound=\"Crackle\"><Molniya NameModel=\"Spark1\"/>"
            "<molniya NameModel=\"Spark2\"/><ZASVET NameModel=\"Glow\"/><Zasvet/></Properties>");
  ASSERT_EQ(sparks->GetRecords().size(), 2u) << "one spark and the glow's place, the miswritten children ignored";
  EXPECT_EQ(sparks->GetGlow(), nullptr) << "a Zasvet without NameModel marks a place only";
  const int before = core.Starts(L"Crackle");
  sparks->Update(0.1f, nullptr);
  EXPECT_EQ(sparks->GetRecords()[0].mLit, 0);
  EXPECT_EQ(core.Starts(L"Crackle"), before) << "off: no update";
  sparks->SwitchOn(false);
  sparks->Update(0.1f, nullptr);
  EXPECT_EQ(Frame(*sparks), std::vector<std::wstring>{L"Spark1"});
  sparks->SwitchOn(false);
  EXPECT_EQ(sparks->GetRecords()[0].mLit, 1) << "already on: not forced, nothing changes";
  sparks->SwitchOn(true);
  EXPECT_EQ(sparks->GetRecords()[0].mLit, 0) << "forced: dark again";
  sparks->Stop(0);
  EXPECT_EQ(sparks->GetState(), 0) << "the scene's start: off, as the data says";
  std::vector<std::wstring> names;
  sparks->GetModelNames(names);
  EXPECT_EQ(names, std::vector<std::wstring>{L"Spark1"});
}

}  // namespace
