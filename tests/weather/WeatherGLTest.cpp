// Weather on the GL device (SDL's offscreen driver, Mesa's software GL),
// pixels read back: rain darkens the white wall behind it and leaves the
// wall beside it as it was.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/RORain.h"
#include "support/PixelSupport.h"
#include "weather/WeatherTestSupport.h"

namespace {

using testsupport::Pixel;
using weathertest::LoadWeather;
using weathertest::WeatherCore;

TEST(WeatherGL, RainDarkensWhatLiesBehindIt) {
  WeatherCore core(zuzorev::EDeviceKind::GL);
  if (!core.Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver (needs libegl-mesa0)";
  rovovoz::CStaticObject3D wall(core.Get());
  ASSERT_NE(wall.LoadModel(L"Weather.zorm", L"Backdrop", 3, 0), 0);
  // Opaque black drops falling over the middle of the screen.
  auto rain = LoadWeather<CRORain>(core,
                                   "<Properties Texture=\"drop.png\" T=\"1\" dt=\"0.005\" Alpha=\"1\" Size=\"6\""
                                   " Xmin=\"-100\" Xmax=\"100\" VzMin=\"-1000\" VzMax=\"-800\" VxMin=\"0\" VxMax=\"0\"/>",
                                   nullptr, 2);
  ASSERT_NE(rain->GetDrops(), nullptr);
  rain->SetWorldMatrix3D(zormath::Mat4f::Identity());
  for (int i = 0; i < 20; ++i) rain->Update(0.02f, nullptr);  // 0.4 s: drops from the top down to z ~100
  core.SetupCamera();
  zuzorev::CRenderSystem& render = core.Render();
  render.SetZEnable(0);
  ASSERT_GE(render.Clear(), 0);
  ASSERT_GE(render.Begin(), 0);
  wall.Render();
  rain->Render();
  int dark = 0, samples = 0;
  // Screen x 412 .. 612 is scene x -100 .. 100; y 30 .. 250 is z 354 .. 134.
  for (float y = 30; y < 250; y += 4)
    for (float x = 420; x < 604; x += 4) {
      ++samples;
      if (Pixel(render, x, y).r < 100.0f) ++dark;
    }
  EXPECT_GT(dark, samples / 20) << "drops over the wall";
  EXPECT_LT(dark, samples) << "the wall shows between the drops";
  // Beside the rain the wall stays white.
  for (float y = 30; y < 250; y += 20) EXPECT_GT(Pixel(render, 100, y).r, 250.0f) << y;
  render.End();
}

}  // namespace
