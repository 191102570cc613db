// The water jet: growing, widening, running and shrinking by its times,
// the states a script can set, the layers scrolling and wrapping, the
// render matrix sized by width and length, the faded material, each
// layer's texture transform set and put back, and the load failures.
#include <gtest/gtest.h>

#include <cmath>

#include "Objects/Struya.h"
#include "weather/WeatherTestSupport.h"

namespace {

using weathertest::LoadWeather;
using weathertest::WeatherCore;
using zuzorev::ELogLevel;

class Jet : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  std::unique_ptr<CStruya> Make(const std::string& attributes, const std::string& layers = "") {
    return LoadWeather<CStruya>(core, "<Properties NameModel=\"Jet\" " + attributes + ">" + layers + "</Properties>");
  }
  WeatherCore core;
  testsupport::LogCapture log;
};

TEST_F(Jet, GrowsWideAtHalfASecondAndLongAtEightTenths) {
  auto jet = Make("TimeBegin=\"1\" TimeScale=\"0\" Time=\"1\" TimeEnd=\"1\"");
  ASSERT_TRUE(jet->IsOff());
  jet->SetState(0, CStruya::kGrowing, 0);
  EXPECT_FLOAT_EQ(jet->GetLength(), 0.2f);
  EXPECT_FLOAT_EQ(jet->GetWidth(), 0.5f);
  EXPECT_FLOAT_EQ(jet->GetAlphaFactor(), 0.0f);
  for (int frame = 1; frame <= 8; ++frame) {
    jet->Update(0.1f, nullptr);
    if (frame < 5) {
      EXPECT_LT(jet->GetWidth(), 0.999f) << frame;
    }
    if (frame >= 5) {
      EXPECT_NEAR(jet->GetWidth(), 1.0f, 1e-5f) << frame;
    }
    if (frame >= 2) {
      EXPECT_FLOAT_EQ(jet->GetAlphaFactor(), 1.0f) << frame;
    }
    EXPECT_EQ(jet->GetState(), frame < 8 ? CStruya::kGrowing : CStruya::kWidening) << frame;
  }
  EXPECT_FLOAT_EQ(jet->GetLength(), 1.0f);
  jet->Update(0.1f, nullptr);
  EXPECT_EQ(jet->GetState(), CStruya::kRunning);
}

TEST_F(Jet, NoGrowingTimeGivesTheFullJetInTheFirstUpdate) {
  auto jet = Make("TimeBegin=\"0\" TimeScale=\"0\"");
  jet->SetState(0, CStruya::kGrowing, 1);
  jet->Update(0.02f, nullptr);
  EXPECT_EQ(jet->GetState(), CStruya::kRunning);
  EXPECT_FLOAT_EQ(jet->GetLength(), 1.0f);
  EXPECT_FLOAT_EQ(jet->GetWidth(), 1.0f);
  EXPECT_FLOAT_EQ(jet->GetAlphaFactor(), 1.0f);
}

TEST_F(Jet, ModeOneRunsForEverUntilStoppedThenShrinksAndGoesOff) {
  // The fixture scene's jet runs from load ("State" 2).
  auto back = weathertest::LoadWeatherScene();
  auto* jet = effectstest::ObjectOf<CStruya>(*back, weathertest::kJet);
  ASSERT_NE(jet, nullptr);
  EXPECT_EQ(jet->GetState(), CStruya::kRunning);
  EXPECT_EQ(jet->GetMode(), 1);
  effectstest::RunFrames(*back, 100, 0.05f);
  EXPECT_EQ(jet->GetState(), CStruya::kRunning);
  jet->Stop(1);
  int frames = 0;
  while (jet->GetState() == CStruya::kRunning && frames < 100) {
    back->UpdateObjects(0.05f);
    ++frames;
  }
  EXPECT_LE(frames, 21) << "its Time of 1 s runs out";
  EXPECT_EQ(jet->GetState(), CStruya::kShrinking);
  effectstest::RunFrames(*back, 20, 0.05f);  // TimeEnd 1: width 1 -> 0.1 in 0.9 s
  EXPECT_TRUE(jet->IsOff());
  EXPECT_FLOAT_EQ(jet->GetWidth(), 0.1f);
  EXPECT_FLOAT_EQ(jet->GetAlphaFactor(), 0.0f);
  // The scene's start (Stop 0) puts it back to how its data starts it.
  jet->Stop(0);
  EXPECT_EQ(jet->GetState(), CStruya::kRunning);
  EXPECT_EQ(jet->GetMode(), 1);
}

TEST_F(Jet, StateTableByWhereTheJetIs) {
  struct Case {
    int32_t before;  // -1 off, 3 shrinking
    int32_t set;
    int32_t immediate;
    int32_t after;
    float length, width, alpha;
  } cases[] = {
      {CStruya::kOff, 0, 0, CStruya::kGrowing, 0.2f, 0.5f, 0.0f},
      {CStruya::kOff, 1, 0, CStruya::kWidening, 1.0f, 0.5f, 1.0f},
      {CStruya::kOff, 2, 0, CStruya::kRunning, 1.0f, 1.0f, 1.0f},
      {CStruya::kOff, 3, 0, CStruya::kOff, -1, -1, -1},
      {CStruya::kOff, 3, 1, CStruya::kShrinking, 1.0f, 1.0f, 1.0f},
      {CStruya::kShrinking, 0, 0, CStruya::kGrowing, -1, -1, -1},
      {CStruya::kShrinking, 1, 0, CStruya::kGrowing, -1, -1, -1},
      {CStruya::kShrinking, 2, 0, CStruya::kGrowing, -1, -1, -1},
  };
  for (const Case& c : cases) {
    auto jet = Make("TimeBegin=\"1\" TimeEnd=\"1\"");
    if (c.before == CStruya::kShrinking) {
      jet->SetState(0, CStruya::kShrinking, 1);
      jet->Update(0.5f, nullptr);  // width 1 -> 0.5
    }
    const float length = jet->GetLength(), width = jet->GetWidth(), alpha = jet->GetAlphaFactor();
    jet->SetState(0, c.set, c.immediate);
    EXPECT_EQ(jet->GetState(), c.after) << c.before << " " << c.set;
    // -1: the sizes stay as they were.
    EXPECT_FLOAT_EQ(jet->GetLength(), c.length < 0 ? length : c.length) << c.before << " " << c.set;
    EXPECT_FLOAT_EQ(jet->GetWidth(), c.width < 0 ? width : c.width) << c.before << " " << c.set;
    EXPECT_FLOAT_EQ(jet->GetAlphaFactor(), c.alpha < 0 ? alpha : c.alpha) << c.before << " " << c.set;
  }
}

TEST_F(Jet, LayersScrollAndWrapAndTheMatrixCarriesTheOffset) {
  auto jet = Make("State=\"2\"", "<Struya dv=\"0\" Speed=\"0.5\"/><Struya dv=\"0.25\" Speed=\"-0.5\"/>");
  ASSERT_EQ(jet->GetStreams().size(), 2u);
  EXPECT_FLOAT_EQ(jet->GetStreams()[1].texture(2, 1), 0.25f);
  for (int i = 0; i < 10; ++i) jet->Update(0.1f, nullptr);
  EXPECT_NEAR(jet->GetStreams()[0].offset, -0.5f, 1e-5f);
  EXPECT_FLOAT_EQ(jet->GetStreams()[0].texture(2, 1), jet->GetStreams()[0].offset);
  for (int i = 0; i < 10; ++i) jet->Update(0.1f, nullptr);
  // -1 wraps to 0.
  EXPECT_NEAR(jet->GetStreams()[0].offset, 0.0f, 1e-5f);
  // Backwards, the offset stays within one texture as well.
  EXPECT_LT(jet->GetStreams()[1].offset, 1.0f);
  EXPECT_GT(jet->GetStreams()[1].offset, -1.0f);
}

TEST_F(Jet, RenderMatrixIsSizedAndMaterialFaded) {
  auto jet = Make("TimeBegin=\"1\"");
  jet->SetAlpha(2.0f);
  EXPECT_FLOAT_EQ(jet->GetAlpha(), 1.0f);
  jet->SetAlpha(0.5f);
  jet->SetState(0, CStruya::kWidening, 1);  // length 1, width 0.5
  const zormath::Mat4f& m = jet->GetRenderMatrix();
  EXPECT_FLOAT_EQ(m(0, 0), 0.5f);
  EXPECT_FLOAT_EQ(m(2, 2), 1.0f);
  EXPECT_FLOAT_EQ(m(3, 2), -100.0f);  // the mesh's foot
  EXPECT_FLOAT_EQ(jet->GetMesh().GetD3DMaterial(0).Diffuse.a, 0.5f);
  EXPECT_FLOAT_EQ(jet->GetMesh().GetD3DMaterial(0).Ambient.a, 0.5f);
  jet->SetPosition3D(10.0f, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(jet->GetRenderMatrix()(3, 0), 10.0f);
}

TEST_F(Jet, EachLayerDrawsWithItsTextureTransformWhichIsPutBackAfterwards) {
  auto jet = Make("", "<Struya dv=\"0\" Speed=\"0.5\"/><Struya dv=\"0.25\" Speed=\"0.25\"/>");
  jet->SetState(0, CStruya::kRunning, 1);
  zuzorev::CRenderSystem& render = core.Render();
  render.Begin();
  jet->Render();
  ASSERT_EQ(render.GetFrameDraws().size(), 2u);
  for (const auto& d : render.GetFrameDraws()) {
    EXPECT_TRUE(d.tex0Transform);
    EXPECT_EQ(d.seting, L"MT_STRUYA");
  }
  jet->Stop(0);
  EXPECT_TRUE(jet->IsOff());
  jet->Render();
  EXPECT_EQ(render.GetFrameDraws().size(), 2u) << "an off jet draws nothing";
  render.End();
}

TEST_F(Jet, LoadFailuresAreReportedAndStatesOutOfRangeMeanOff) {
  struct Case {
    const char* properties;
    const wchar_t* error;
  } cases[] = {
      {"<Properties TimeBegin=\"1\"/>", L"No find attribute  NameModel"},
      {"<Properties NameModel=\"Nothing\" State=\"2\"/>", L"Load struya model."},
  };
  for (const Case& c : cases) {
    log.Clear();
    int32_t result = 0;
    auto jet = LoadWeather<CStruya>(core, c.properties, &result);
    EXPECT_LT(result, 0) << c.properties;
    EXPECT_TRUE(log.Contains(ELogLevel::Error, c.error)) << c.properties;
    EXPECT_TRUE(jet->IsOff());
    jet->Update(0.1f, nullptr);
    jet->Render();
  }
  for (const char* state : {"-5", "3", "99"}) {
    auto jet = Make(std::string("State=\"") + state + "\"");
    EXPECT_TRUE(jet->IsOff()) << state;
  }
}

}  // namespace
