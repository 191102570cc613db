// The sample game's weather: the hall's glints and the library's clouds,
// rain and fountain load without an error and run; on the GL device the
// fountain shows over the pond and the rain darkens its window.
#include <gtest/gtest.h>

#include "Objects/Blesk.h"
#include "Objects/Oblaka.h"
#include "Objects/RORain.h"
#include "Objects/Struya.h"
#include "effects/EffectsTestSupport.h"
#include "support/PixelSupport.h"

namespace {

using testsupport::Pixel;

template <class T>
T* As(scenetest::CTestBack& back, const wchar_t* name) {
  return dynamic_cast<T*>(back.GetObject(name));
}

TEST(SampleWeather, HallGlintsSparkleOverTheKey) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  Platform::SeedRandom(3);
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_1.xml", L"Back_1");
  auto* glints = As<CBlesk>(*back, L"S_KeyGlints");
  ASSERT_NE(glints, nullptr);
  ASSERT_EQ(glints->GetGlints().size(), 4u);
  int shining = 0;
  for (int frame = 0; frame < 600; ++frame) {
    back->UpdateObjects(1.0f / 60.0f);
    for (const SGlint& g : glints->GetGlints()) shining += g.state >= 2 ? 1 : 0;
  }
  EXPECT_GT(shining, 0);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

// The mean red of a screen rectangle (virtual pixels, step 4).
float MeanRed(zuzorev::CRenderSystem& render, float x0, float y0, float x1, float y1) {
  float sum = 0.0f;
  int n = 0;
  for (float y = y0; y < y1; y += 4)
    for (float x = x0; x < x1; x += 4) {
      sum += Pixel(render, x, y).r;
      ++n;
    }
  return sum / static_cast<float>(n);
}

TEST(SampleWeather, LibraryFountainShowsAndRainDarkensItsWindow) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::GL, scenetest::SceneCore::EData::SampleGame);
  if (!core.Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver (needs libegl-mesa0)";
  testsupport::LogCapture log;
  Platform::SeedRandom(3);
  auto back = scenetest::LoadScene(L"Data\\Level\\Back_2.xml", L"Back_2");
  ASSERT_NE(As<COblaka>(*back, L"S_CloudBox"), nullptr);
  ASSERT_NE(As<CRORain>(*back, L"S_Rain"), nullptr);
  auto* fountain = As<CStruya>(*back, L"S_Fountain");
  ASSERT_NE(fountain, nullptr);
  EXPECT_EQ(fountain->GetState(), CStruya::kRunning) << "it runs from the start";
  EXPECT_EQ(As<COblaka>(*back, L"S_CloudBox")->GetClouds().size(), 3u);
  for (int frame = 0; frame < 60; ++frame) back->UpdateObjects(1.0f / 60.0f);
  EXPECT_GT(As<CRORain>(*back, L"S_Rain")->GetDrops()->GetCount(), 20);

  zuzorev::CRenderSystem& render = core.Render();
  testsupport::SetupGameCamera(*core.Get());
  const auto draw = [&](int weather) {
    for (const wchar_t* name : {L"S_Rain", L"S_Fountain"}) back->SetObjectActive(name, weather);
    render.Clear();
    render.Begin();
    back->RenderObjects(0);
    back->RenderObjects(1);
  };
  // Rain window: screen x 260 + 512 .. 400 + 512, y 0 .. 114; the
  // fountain's middle at screen (612, 540).
  draw(0);
  const float dry = MeanRed(render, 780, 8, 900, 100);
  const testsupport::SRgb pond = Pixel(render, 612, 540);
  render.End();
  draw(1);
  const float wet = MeanRed(render, 780, 8, 900, 100);
  const testsupport::SRgb jet = Pixel(render, 612, 540);
  render.End();
  EXPECT_LT(wet, dry - 2.0f) << "the drops darken the window";
  EXPECT_GT(std::abs(jet.b - pond.b) + std::abs(jet.r - pond.r), 20.0f) << "the fountain covers the pond";
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

}  // namespace
