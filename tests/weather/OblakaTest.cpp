// Clouds: the clouds made at load, births by their clock and skipped at the
// limit while the clock runs on, the end by the wind's side, later clouds
// rewritten in the buffer after a removal, one draw per cloud, a cloud whose
// sprites cannot be written not made, and bad counts kept harmless.
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/zuzorev/VertexBuffer.h"
#include "Objects/Oblaka.h"
#include "weather/WeatherTestSupport.h"

namespace {

using weathertest::LoadWeather;
using weathertest::WeatherCore;
using zuzorev::ELogLevel;

class Clouds : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  std::unique_ptr<COblaka> Make(const std::string& attributes, const std::string& wind = "MinSila=\"0\" Dir=\"1 0 0\"",
                                const std::string& particle = "W=\"40\" H=\"30\"", int32_t* result = nullptr) {
    return LoadWeather<COblaka>(core,
                                "<Properties NameModel=\"Sky\" Texture=\"cloud.png\" Render=\"MT_PARTICLE\" " +
                                    attributes + "><Veter " + wind +
                                    "/><Oblako W=\"100\" H=\"40\" MaxCountPart=\"6\"/><Particle " + particle +
                                    "/></Properties>",
                                result);
  }
  WeatherCore core;
  testsupport::LogCapture log;
};

TEST_F(Clouds, SceneCloudsStartWithTheirBeginCountAndDriftWithTheWind) {
  auto back = weathertest::LoadWeatherScene();
  auto* sky = effectstest::ObjectOf<COblaka>(*back, weathertest::kSky);
  ASSERT_NE(sky, nullptr);
  ASSERT_EQ(sky->GetClouds().size(), 2u);
  const float x = sky->GetClouds()[0].own(3, 0);
  // Born inside the emitter's box.
  EXPECT_GE(x, -200.0f);
  EXPECT_LE(x, 200.0f);
  EXPECT_GE(sky->GetClouds()[0].own(3, 2), 200.0f);
  EXPECT_LE(sky->GetClouds()[0].own(3, 2), 300.0f);
  back->UpdateObjects(0.5f);
  const float speed = (sky->GetClouds()[0].own(3, 0) - x) / 0.5f;
  EXPECT_GE(speed, 10.0f);
  EXPECT_LE(speed, 20.0f);
}

TEST_F(Clouds, BeginCountAboveTheLimitMakesTheLimit) {
  auto sky = Make("MaxCountOblaka=\"3\" BeginCountOblaka=\"9\"");
  EXPECT_EQ(sky->GetClouds().size(), 3u);
}

TEST_F(Clouds, NoSpawnIntervalMeansNoBirthsAfterLoad) {
  auto sky = Make("MaxCountOblaka=\"5\" BeginCountOblaka=\"1\" MinDeltaTime=\"0\" MaxDeltaTime=\"0\"");
  for (int i = 0; i < 100; ++i) sky->Update(0.1f, nullptr);
  EXPECT_EQ(sky->GetClouds().size(), 1u);
}

TEST_F(Clouds, ADueBirthAtTheLimitIsSkippedWhileTheClockRunsOn) {
  auto sky = Make("MaxCountOblaka=\"2\" BeginCountOblaka=\"2\" MinDeltaTime=\"1\" MaxDeltaTime=\"1\"");
  ASSERT_EQ(sky->GetClouds().size(), 2u);
  for (int i = 0; i < 3; ++i) sky->Update(0.25f, nullptr);
  EXPECT_FLOAT_EQ(sky->GetSpawnClock(), 0.75f);
  sky->Update(0.5f, nullptr);
  EXPECT_EQ(sky->GetClouds().size(), 2u);
  EXPECT_FLOAT_EQ(sky->GetSpawnClock(), 0.25f);
}

TEST_F(Clouds, BirthsFollowTheClockUpToTheLimit) {
  auto sky = Make("MaxCountOblaka=\"3\" BeginCountOblaka=\"0\" MinDeltaTime=\"1\" MaxDeltaTime=\"1\"");
  EXPECT_TRUE(sky->GetClouds().empty());
  sky->Update(0.9f, nullptr);
  EXPECT_EQ(sky->GetClouds().size(), 0u);
  sky->Update(0.2f, nullptr);
  EXPECT_EQ(sky->GetClouds().size(), 1u);
  for (int i = 0; i < 5; ++i) sky->Update(1.0f, nullptr);
  EXPECT_EQ(sky->GetClouds().size(), 3u);
}

TEST_F(Clouds, ACloudEndsPastTheBoxOnTheWindsSideAndTheOthersAreRewritten) {
  struct Case {
    const char* dir;
  } cases[] = {{"1 0 0"}, {"-1 0 0"}, {"0 0 1"}, {"0 0 -1"}};
  for (const Case& c : cases) {
    auto sky = Make("MaxCountOblaka=\"3\" BeginCountOblaka=\"3\"", std::string("MinSila=\"100\" MaxSila=\"400\" Dir=\"") + c.dir + "\"");
    ASSERT_EQ(sky->GetClouds().size(), 3u);
    size_t before = 3;
    for (int frame = 0; frame < 200 && !sky->GetClouds().empty(); ++frame) {
      sky->Update(0.05f, nullptr);
      const size_t now = sky->GetClouds().size();
      if (now < before && now > 0) {
        // The clouds behind the removed one moved up: their sprites are
        // written at their new place in the buffer.
        const zuzorev::CVertexBuffer* buffer = sky->GetVertexBuffer();
        const auto* v = reinterpret_cast<const zuzorev::SVertex*>(buffer->Bytes());
        int first = 0;
        for (const SCloud& cloud : sky->GetClouds()) {
          const SCloudParticle& p = cloud.particles[0];
          EXPECT_NEAR(v[first].x, p.position.x + p.perpendicular.x * 0.5f * 40.0f * p.scaleX + p.axis.x * 15.0f * p.scaleY, 1e-3f);
          EXPECT_NEAR(v[first].z, p.position.z + p.perpendicular.z * 0.5f * 40.0f * p.scaleX + p.axis.z * 15.0f * p.scaleY, 1e-3f);
          first += static_cast<int>(cloud.particles.size()) * 6;
        }
      }
      for (const SCloud& cloud : sky->GetClouds()) {
        // Still alive: not wholly past the box on the wind's side.
        const float x = cloud.own(3, 0), z = cloud.own(3, 2);
        if (cloud.wind.x > 0) {
          EXPECT_LE(x + cloud.boundsMin.x, 200.0f) << c.dir;
        }
        if (cloud.wind.x < 0) {
          EXPECT_GE(x + cloud.boundsMax.x, -200.0f) << c.dir;
        }
        if (cloud.wind.z > 0) {
          EXPECT_LE(z + cloud.boundsMin.z, 300.0f) << c.dir;
        }
        if (cloud.wind.z < 0) {
          EXPECT_GE(z + cloud.boundsMax.z, 200.0f) << c.dir;
        }
      }
      before = now;
    }
    EXPECT_TRUE(sky->GetClouds().empty()) << c.dir << ": all drifted out";
  }
}

TEST_F(Clouds, EachCloudIsOneDrawOfItsSprites) {
  auto sky = Make("MaxCountOblaka=\"3\" BeginCountOblaka=\"3\"");
  zuzorev::CRenderSystem& render = core.Render();
  render.Begin();
  sky->Render();
  ASSERT_EQ(render.GetFrameDraws().size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(render.GetFrameDraws()[i].vertexCount, static_cast<int>(sky->GetClouds()[i].particles.size()) * 6);
    EXPECT_EQ(render.GetFrameDraws()[i].seting, L"MT_PARTICLE");
  }
  render.End();
}

TEST_F(Clouds, ACloudWhoseSpritesCannotBeWrittenIsNotMade) {
  auto sky = Make("MaxCountOblaka=\"3\" BeginCountOblaka=\"0\" MinDeltaTime=\"1\" MaxDeltaTime=\"1\"");
  auto* buffer = const_cast<zuzorev::CVertexBuffer*>(sky->GetVertexBuffer());
  ASSERT_NE(buffer, nullptr);
  ASSERT_NE(buffer->Lock(0, 0, 0), nullptr);  // someone else holds it
  log.Clear();
  sky->Update(1.5f, nullptr);
  EXPECT_TRUE(sky->GetClouds().empty());
  EXPECT_TRUE(log.Contains(ELogLevel::Error, L"Lock vertex buffer for particle oblaka."));
  buffer->Unlock();
  sky->Update(1.0f, nullptr);
  EXPECT_EQ(sky->GetClouds().size(), 1u);
}

TEST_F(Clouds, SetAlphaReachesTheSpritesAlive) {
  auto sky = Make("MaxCountOblaka=\"1\" BeginCountOblaka=\"1\"", "MinSila=\"0\" Dir=\"1 0 0\"",
                  "W=\"40\" H=\"30\" MinAlpha=\"1\" MaxAlpha=\"1\"");
  const auto* v = reinterpret_cast<const zuzorev::SVertex*>(sky->GetVertexBuffer()->Bytes());
  EXPECT_EQ(v[0].color, 0xFFFFFFFFu);
  sky->SetAlpha(0.5f);
  EXPECT_EQ(v[0].color >> 24, 127u);
  sky->SetAlpha(3.0f);
  EXPECT_FLOAT_EQ(sky->GetAlpha(), 1.0f);
}

TEST_F(Clouds, BadDataIsLoggedOrKeptHarmless) {
  struct Case {
    std::string properties;
    const wchar_t* error;  // null: loads
  } cases[] = {
      {"<Properties Texture=\"cloud.png\"/>", L"No find attribute NameModel"},
      {"<Properties NameModel=\"Nothing\"/>", L"Load oblaka emiter model."},
      {"<Properties NameModel=\"Sky\" MaxCountOblaka=\"2\" BeginCountOblaka=\"2\" CountCadr=\"0\"><Oblako W=\"10\" H=\"10\" MaxCountPart=\"4\"/></Properties>",
       nullptr},
      {"<Properties NameModel=\"Sky\" MaxCountOblaka=\"2\" BeginCountOblaka=\"2\"><Oblako MaxCountPart=\"0\"/></Properties>", nullptr},
      {"<Properties NameModel=\"Sky\" MaxCountOblaka=\"-4\" BeginCountOblaka=\"2\"><Oblako MaxCountPart=\"-1\"/></Properties>", nullptr},
      {"<Properties NameModel=\"Sky\" MaxCountOblaka=\"2000000\" BeginCountOblaka=\"2000000\" MinDeltaTime=\"-1\"><Oblako MaxCountPart=\"99999999\"/></Properties>",
       nullptr},
  };
  for (const Case& c : cases) {
    log.Clear();
    int32_t result = 0;
    auto sky = LoadWeather<COblaka>(core, c.properties, &result);
    if (c.error) {
      EXPECT_LT(result, 0) << c.properties;
      EXPECT_TRUE(log.Contains(ELogLevel::Error, c.error)) << c.properties;
    } else {
      EXPECT_EQ(result, 0) << c.properties;
    }
    for (int i = 0; i < 50; ++i) sky->Update(0.1f, nullptr);
    sky->SetAlpha(0.5f);
    sky->Render();
    for (const SCloud& cloud : sky->GetClouds())
      for (const SCloudParticle& p : cloud.particles) {
        EXPECT_GE(p.u, 0.0f);
        EXPECT_LT(p.u, 1.0f);
        EXPECT_FALSE(std::isnan(p.axis.x) || std::isnan(p.axis.z));
      }
  }
}

}  // namespace
