// Twinkling highlights: capacity from the point set and the visible
// share, births at random points at even intervals, brightness peaking at
// half life, full records skipping births, sprite size by height, and
// the bad data that must not loop or divide by zero.
#include <gtest/gtest.h>

#include <cstring>

#include "Engine/zuzorev/Mesh.h"
#include "Engine/zuzorev/VertexBuffer.h"
#include "Objects/ROBliki.h"
#include "Platform/Random.h"
#include "lights/LightsTestSupport.h"

namespace {

using lightstest::LightsCore;
using lightstest::LoadObject;
using zuzorev::ELogLevel;

class Twinkles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  LightsCore core;
  testsupport::LogCapture log;
};

float VertexFloat(const CROBliki& bliki, int vertex, int offset) {
  float value = 0.0f;
  std::memcpy(&value, bliki.GetVertexBuffer()->Bytes() + vertex * CROBliki::kVertexSize + offset, sizeof value);
  return value;
}
uint32_t VertexAlpha(const CROBliki& bliki, int vertex) {
  uint32_t color = 0;
  std::memcpy(&color, bliki.GetVertexBuffer()->Bytes() + vertex * CROBliki::kVertexSize + 12, sizeof color);
  return color >> 24;
}

TEST_F(Twinkles, FortyPointsAtFullShareGiveFortyRecordsAndABirthEveryFortiethOfALife) {
  auto bliki = LoadObject<CROBliki>(core, "<Properties NameModel=\"Blik\" NameSpline=\"Pond40\" T=\"2\" "
                                          "ProcentVisible=\"100\"/>");
  ASSERT_NE(bliki->GetPoints(), nullptr);
  EXPECT_EQ(bliki->GetCapacity(), 40);
  EXPECT_FLOAT_EQ(bliki->GetBirthInterval(), 2.0f / 40.0f);
  EXPECT_FLOAT_EQ(bliki->GetRadius(), 4.0f) << "half the sprite model's depth";
  ASSERT_NE(bliki->GetVertexBuffer(), nullptr);
  EXPECT_EQ(bliki->GetVertexBuffer()->GetSize(), 40u * 144u);
  bliki->Update(0.06f, nullptr);
  EXPECT_EQ(bliki->GetActive(), 1);
  bliki->Update(0.1f, nullptr);
  EXPECT_EQ(bliki->GetActive(), 3) << "0.16 s: three intervals of 0.05";
  // Born at points of the set.
  const zormath::Vec3f p = bliki->GetBlik(0).mPosition;
  EXPECT_EQ(p.z, -100.0f);
  EXPECT_EQ(std::fmod(p.x + 200.0f, 10.0f), 0.0f);
}

TEST_F(Twinkles, BrightnessRisesToItsPeakAtHalfLifeAndFallsBack) {
  auto bliki = LoadObject<CROBliki>(core, "<Properties NameModel=\"Blik\" NameSpline=\"Pond40\" T=\"1\" "
                                          "ProcentVisible=\"2.5\" Alpha=\"0.5\"/>");
  ASSERT_EQ(bliki->GetCapacity(), 1);
  bliki->Update(40.5f, nullptr);  // one interval of 40 s: the one record is born
  ASSERT_EQ(bliki->GetActive(), 1);
  struct Step {
    float dt;
    uint32_t alpha;  // f (1 - f) 4 x Alpha x 255
  } steps[] = {{0.25f, 96}, {0.25f, 128}, {0.25f, 96}, {0.2f, 24}};
  for (const Step& step : steps) {
    bliki->Update(step.dt, nullptr);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(VertexAlpha(*bliki, k), step.alpha) << bliki->GetBlik(0).mAge;
  }
  bliki->Update(0.1f, nullptr);
  EXPECT_EQ(bliki->GetActive(), 0) << "older than T: gone";
}

TEST_F(Twinkles, FullRecordsSkipBirthsAndSpritesScaleWithHeight) {
  // Twice the points: births twice as fast as the highlights die.
  auto bliki = LoadObject<CROBliki>(core, "<Properties NameModel=\"Blik\" NameSpline=\"Pond40\" T=\"100\" "
                                          "ProcentVisible=\"200\" MinScale=\"1\" MaxScale=\"3\"/>");
  ASSERT_EQ(bliki->GetCapacity(), 80);
  for (int i = 0; i < 60; ++i) bliki->Update(1.0f, nullptr);
  EXPECT_EQ(bliki->GetActive(), 80) << "no more than the records";
  for (int i = 0; i < 80; ++i) {
    const SBlikRecord& blik = bliki->GetBlik(i);
    const float g = blik.mPosition.y / 39.0f;
    const float h = ((1.0f - g) * 1.0f + 3.0f * g) * 4.0f;
    EXPECT_NEAR(VertexFloat(*bliki, i * 6, 0), blik.mPosition.x + h, 1e-3f) << i;
    EXPECT_NEAR(VertexFloat(*bliki, i * 6 + 1, 8), blik.mPosition.z - h, 1e-3f) << i;
  }
  auto flat = LoadObject<CROBliki>(core, "<Properties NameModel=\"Blik\" NameSpline=\"PondFlat\" T=\"1\" "
                                         "ProcentVisible=\"100\" MinScale=\"1\" MaxScale=\"3\"/>");
  flat->Update(0.25f, nullptr);
  ASSERT_GT(flat->GetActive(), 0);
  EXPECT_NEAR(VertexFloat(*flat, 0, 0) - flat->GetBlik(0).mPosition.x, 4.0f, 1e-4f) << "all at one height: MinScale";
}

TEST_F(Twinkles, DrawsEveryLivingHighlightInOneCall) {
  auto bliki = LoadObject<CROBliki>(core, "<Properties NameModel=\"Blik\" NameSpline=\"Pond40\" T=\"1\" "
                                          "ProcentVisible=\"100\"/>");
  bliki->Load(3);
  lightstest::BeginFrame(core.Render());
  bliki->Render();
  EXPECT_TRUE(core.Render().GetFrameDraws().empty()) << "none alive";
  bliki->Update(0.1f, nullptr);
  lightstest::BeginFrame(core.Render());
  bliki->Render();
  const auto& draws = core.Render().GetFrameDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].vertexCount, bliki->GetActive() * 6);
  EXPECT_EQ(draws[0].seting, L"MT_PARTICLE");
  EXPECT_EQ(core.Render().GetRenderState(137), 1u) << "lighting on after the draw";
}

TEST_F(Twinkles, BadDataBirthsNothingAndNeverHangs) {
  struct Case {
    const char* attributes;
    bool logsLife;
  } cases[] = {
      {"NameModel=\"Blik\" NameSpline=\"Pond40\" T=\"0\"", true},
      {"NameModel=\"Blik\" NameSpline=\"Pond40\" T=\"-1\"", true},
      {"NameModel=\"Blik\" NameSpline=\"NoSuchSet\" T=\"1\"", false},
      {"NameModel=\"Blik\" NameSpline=\"Pond40\" ProcentVisible=\"0\"", false},
      {"NameModel=\"Blik\" NameSpline=\"Pond40\" ProcentVisible=\"-50\"", false},
      {"T=\"1\"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    log.Clear();
    int32_t result = -1;
    auto bliki = LoadObject<CROBliki>(core, std::string("<Properties ") + c.attributes + "/>", &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(log.Texts(ELogLevel::Error).size(), c.logsLife ? 1u : 0u);
    for (int i = 0; i < 5; ++i) bliki->Update(1000.0f, nullptr);
    EXPECT_EQ(bliki->GetActive(), 0);
    bliki->Render();
  }
  // A life far shorter than a frame: births are bounded per update.
  auto fast = LoadObject<CROBliki>(core, "<Properties NameModel=\"Blik\" NameSpline=\"Pond40\" T=\"1e-20\" "
                                         "ProcentVisible=\"100\"/>");
  fast->Update(1.0f, nullptr);
  EXPECT_LE(fast->GetActive(), 40);
}

}  // namespace
