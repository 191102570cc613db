// Glints: the start stagger along the points, a Begin phase shorter than a
// frame, the scale modes, waiting glints hidden by a BaseAlpha of 0, the
// clamps of the settings, the load failures and the matrix functions they
// turn with.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Objects/Blesk.h"
#include "weather/WeatherTestSupport.h"

namespace {

using weathertest::LoadWeather;
using weathertest::WeatherCore;
using zuzorev::ELogLevel;

class Glints : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  WeatherCore core;
  testsupport::LogCapture log;
};

std::string Properties(const std::string& point, const std::string& begin = "MinTime=\"0.2\" MaxTime=\"0.2\"",
                       const std::string& end = "MinTime=\"0.5\" MaxTime=\"0.5\"") {
  return "<Properties NameModel=\"Star\" NamePoint=\"Weather_pt.zorm\" NameModelPoint=\"KeyPoints\">"
         "<Point " + point + "/><Begin " + begin + "/><Center MinTime=\"0.3\" MaxTime=\"0.3\"/><End " + end +
         "/></Properties>";
}

TEST_F(Glints, FourPointsStartHalfASecondApartAndKeepThatStaggerEveryCycle) {
  auto back = weathertest::LoadWeatherScene();
  auto* blesk = effectstest::ObjectOf<CBlesk>(*back, weathertest::kStar);
  ASSERT_NE(blesk, nullptr);
  ASSERT_EQ(blesk->GetGlints().size(), 4u);
  constexpr float kDt = 0.05f;
  std::vector<std::vector<float>> starts(4);
  std::vector<int> previous(4, 1);
  for (int frame = 1; frame <= 160; ++frame) {
    back->UpdateObjects(kDt);
    for (size_t i = 0; i < 4; ++i) {
      const int state = blesk->GetGlints()[i].state;
      if (state == 2 && previous[i] == 1) starts[i].push_back(static_cast<float>(frame) * kDt);
      previous[i] = state;
    }
  }
  for (size_t i = 0; i < 4; ++i) {
    ASSERT_GE(starts[i].size(), 2u) << "glint " << i;
    // Due at 0, 0.5, 1 and 1.5 s: seen in the frame that reaches it.
    EXPECT_NEAR(starts[i][0], 0.5f * static_cast<float>(i), kDt + 1e-4f) << "glint " << i;
    // The same cycle for all: the stagger holds on the second start.
    EXPECT_NEAR(starts[i][1] - starts[0][1], 0.5f * static_cast<float>(i), 2 * kDt + 1e-4f) << "glint " << i;
    EXPECT_GT(starts[i][1] - starts[i][0], 2.0f) << "glint " << i << " waits its 2 s again";
  }
}

TEST_F(Glints, ABeginShorterThanAFrameLandsInCenterWithThePeakAndTheTargetScale) {
  auto blesk = LoadWeather<CBlesk>(core, Properties("BaseScale=\"0.2\" MinScale=\"1.5\" MaxScale=\"1.5\" MinAlpha=\"0.8\" MaxAlpha=\"0.8\"",
                                                     "Scale=\"1\" MinTime=\"0.01\" MaxTime=\"0.01\""));
  blesk->Update(0.05f, nullptr);  // the first glint starts its Begin
  ASSERT_EQ(blesk->GetGlints()[0].state, 2);
  blesk->Update(0.05f, nullptr);
  const SGlint& g = blesk->GetGlints()[0];
  EXPECT_EQ(g.state, 4);
  EXPECT_FLOAT_EQ(g.alpha, 0.8f);
  EXPECT_FLOAT_EQ(g.scale, 1.5f);
  EXPECT_FALSE(std::isnan(g.render(0, 0)));
}

TEST_F(Glints, ScaleModesGrowOrShrinkTheStar) {
  struct Case {
    const char* begin;
    const char* end;
    float beginFrom, beginTo, endTo;
  } cases[] = {
      {"Scale=\"1\" MinTime=\"0.2\" MaxTime=\"0.2\"", "Scale=\"0\" MinTime=\"0.5\" MaxTime=\"0.5\"", 0.2f, 1.5f, 1.5f},
      {"Scale=\"-1\" MinTime=\"0.2\" MaxTime=\"0.2\"", "Scale=\"1\" MinTime=\"0.5\" MaxTime=\"0.5\"", 1.5f, 0.2f, 1.5f},
      {"Scale=\"0\" MinTime=\"0.2\" MaxTime=\"0.2\"", "Scale=\"-1\" MinTime=\"0.5\" MaxTime=\"0.5\"", 0.2f, 0.2f, 0.2f},
  };
  for (const Case& c : cases) {
    auto blesk = LoadWeather<CBlesk>(core, Properties("BaseScale=\"0.2\" MinScale=\"1.5\" MaxScale=\"1.5\"", c.begin, c.end));
    blesk->Update(0.05f, nullptr);
    const SGlint& g = blesk->GetGlints()[0];
    ASSERT_EQ(g.state, 2) << c.begin;
    EXPECT_FLOAT_EQ(g.scaleFrom, c.beginFrom) << c.begin;
    EXPECT_FLOAT_EQ(g.scaleTo, c.beginTo) << c.begin;
    for (int i = 0; i < 30 && g.state != 5; ++i) blesk->Update(0.05f, nullptr);  // Begin 0.2 + Center 0.3
    ASSERT_EQ(g.state, 5) << c.end;
    EXPECT_FLOAT_EQ(g.scaleTo, c.endTo) << c.end;
  }
}

TEST_F(Glints, BaseAlphaZeroHidesWaitingGlintsAndAnyOtherShowsThem) {
  const char* wait = " MinDeltaTime=\"5\" MaxDeltaTime=\"10\"";
  for (float base : {0.0f, 0.5f}) {
    auto blesk = LoadWeather<CBlesk>(core, Properties("BaseAlpha=\"" + std::to_string(base) + "\"" + wait));
    blesk->SetAlpha(0.5f);
    ASSERT_EQ(blesk->GetGlints()[3].state, 0);
    core.Render().Begin();
    blesk->Render();
    const auto& draws = core.Render().GetFrameDraws();
    EXPECT_EQ(draws.size(), base == 0.0f ? 0u : 4u) << base;
    for (const auto& d : draws) EXPECT_NEAR(d.color[3], 0.25f, 1e-4f);
    core.Render().End();
  }
}

TEST_F(Glints, SettingsAreClampedAndRangesRaised) {
  struct Case {
    const char* point;
    float baseScale, minScale, baseAlpha, minAlpha, maxAlpha, minWait, maxWait;
  } cases[] = {
      {"BaseScale=\"-3\" MinScale=\"0\" MaxScale=\"-1\"", 0.1f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f},
      {"BaseScale=\"2\" MinScale=\"0.5\" MaxScale=\"3\"", 2.0f, 2.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f},
      {"BaseAlpha=\"0.6\" MinAlpha=\"0.2\" MaxAlpha=\"0.4\"", 0.1f, 1.0f, 0.6f, 0.6f, 0.6f, 0.0f, 0.0f},
      {"BaseAlpha=\"7\" MinAlpha=\"-1\" MaxAlpha=\"-1\"", 0.1f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f},
      {"MinDeltaTime=\"-2\" MaxDeltaTime=\"-2\"", 0.1f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f},
  };
  for (const Case& c : cases) {
    int32_t result = -1;
    auto blesk = LoadWeather<CBlesk>(core, Properties(c.point), &result);
    ASSERT_EQ(result, 0) << c.point;
    EXPECT_FLOAT_EQ(blesk->GetBaseScale(), c.baseScale) << c.point;
    EXPECT_FLOAT_EQ(blesk->GetScaleRange().min, c.minScale) << c.point;
    EXPECT_GE(blesk->GetScaleRange().max, blesk->GetScaleRange().min) << c.point;
    EXPECT_FLOAT_EQ(blesk->GetBaseAlpha(), c.baseAlpha) << c.point;
    EXPECT_FLOAT_EQ(blesk->GetAlphaRange().min, c.minAlpha) << c.point;
    EXPECT_FLOAT_EQ(blesk->GetAlphaRange().max, c.maxAlpha) << c.point;
    EXPECT_FLOAT_EQ(blesk->GetWaitRange().min, c.minWait) << c.point;
    EXPECT_FLOAT_EQ(blesk->GetWaitRange().max, c.maxWait) << c.point;
    EXPECT_EQ(blesk->GetWaitRange().random, c.maxWait > c.minWait) << c.point;
  }
}

TEST_F(Glints, LoadFailuresAreLoggedAndReported) {
  const std::string tags = "<Point/><Begin/><Center/><End/>";
  struct Case {
    std::string properties;
    const wchar_t* error;
  } cases[] = {
      {"<Properties NamePoint=\"Weather_pt.zorm\">" + tags + "</Properties>", L"No find attribute  NameModel"},
      {"<Properties NameModel=\"Nothing\" NamePoint=\"Weather_pt.zorm\">" + tags + "</Properties>", L"Load blesk model."},
      {"<Properties NameModel=\"Star\">" + tags + "</Properties>", L"No find attribute  NamePoint"},
      {"<Properties NameModel=\"Star\" NamePoint=\"Missing.zorm\">" + tags + "</Properties>", L"Load blesk point model."},
      {"<Properties NameModel=\"Star\" NamePoint=\"Weather_pt.zorm\" NameModelPoint=\"Nothing\">" + tags + "</Properties>",
       L"Load blesk point model."},
      {"<Properties NameModel=\"Star\" NamePoint=\"Weather_pt.zorm\"><Begin/><Center/><End/></Properties>", L"No find teg Point"},
      {"<Properties NameModel=\"Star\" NamePoint=\"Weather_pt.zorm\"><Point/><Center/><End/></Properties>", L"No find teg Begin"},
      {"<Properties NameModel=\"Star\" NamePoint=\"Weather_pt.zorm\"><Point/><Begin/><End/></Properties>", L"No find teg Center"},
      {"<Properties NameModel=\"Star\" NamePoint=\"Weather_pt.zorm\"><Point/><Begin/><Center/></Properties>", L"No find teg End"},
  };
  for (const Case& c : cases) {
    log.Clear();
    int32_t result = 0;
    auto blesk = LoadWeather<CBlesk>(core, c.properties, &result);
    EXPECT_LT(result, 0) << c.properties;
    EXPECT_TRUE(log.Contains(ELogLevel::Error, c.error)) << c.properties;
    EXPECT_TRUE(blesk->GetGlints().empty());
    for (int i = 0; i < 20; ++i) blesk->Update(0.1f, nullptr);
    blesk->Render();
  }
}

TEST_F(Glints, DurationsOfZeroNeverDivideByZero) {
  auto blesk = LoadWeather<CBlesk>(core, Properties("MinDeltaTime=\"0\"", "MinTime=\"0\"", "MinTime=\"0\""));
  for (int i = 0; i < 50; ++i) blesk->Update(0.02f, nullptr);
  for (const SGlint& g : blesk->GetGlints()) {
    EXPECT_FALSE(std::isnan(g.alpha));
    EXPECT_FALSE(std::isnan(g.scale));
    EXPECT_FALSE(std::isnan(g.render(3, 0)));
  }
}

TEST(GlintMatrices, SetMultiplyAndTurnAboutY) {
  float a[16], b[16], out[16];
  const float rows[16] = {1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
  zormath::MatrixSet(a, rows);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(a[i], rows[i]);
  zormath::MatrixRotationY(b, 3.14159265f / 2.0f);
  // Rows (cos, 0, sin), (0, 1, 0), (-sin, 0, cos): +x turns to +z.
  EXPECT_NEAR(b[0], 0.0f, 1e-6f);
  EXPECT_NEAR(b[2], 1.0f, 1e-6f);
  EXPECT_NEAR(b[8], -1.0f, 1e-6f);
  EXPECT_FLOAT_EQ(b[5], 1.0f);
  EXPECT_FLOAT_EQ(b[15], 1.0f);
  // out = a x b: row 0 of a is (1, 2, 0, 0), so row 0 of out = 1 row0(b) + 2 row1(b).
  zormath::MatrixMultiply(a, out, b);
  EXPECT_NEAR(out[0], 0.0f, 1e-6f);
  EXPECT_NEAR(out[1], 2.0f, 1e-6f);
  EXPECT_NEAR(out[2], 1.0f, 1e-6f);
  // The translation row turns too: (5, 6, 7) -> (-7, 6, 5).
  EXPECT_NEAR(out[12], -7.0f, 1e-5f);
  EXPECT_NEAR(out[13], 6.0f, 1e-5f);
  EXPECT_NEAR(out[14], 5.0f, 1e-5f);
  // The output may be an input.
  zormath::MatrixMultiply(a, a, b);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(a[i], out[i]);
}

}  // namespace
