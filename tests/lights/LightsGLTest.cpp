// The light effects on the GL device (SDL's offscreen driver, Mesa's
// software GL), pixels read back: a lightning flash brightens its window
// and the window is dark again once the flash is over; the rays show at
// their wandering alpha.
#include <gtest/gtest.h>

#include "Objects/ROLuchi.h"
#include "Objects/ROMolnia.h"
#include "lights/LightsTestSupport.h"
#include "support/GLSceneSupport.h"
#include "support/PixelSupport.h"

namespace {

using lightstest::LightsCore;
using lightstest::LoadObject;
using testsupport::Pixel;
using testsupport::SRgb;

class LightsGL : public testsupport::GLSceneTest<LightsCore> {
 protected:
  // The frame drawn by one object; the pixel at (x, y).
  SRgb Draw(rovovoz::CBaseGeometryObject& object, float x, float y) {
    core->SetupCamera();
    core->Render().SetZEnable(0);
    EXPECT_GE(core->Render().Clear(), 0);
    EXPECT_GE(core->Render().Begin(), 0);
    object.Render();
    const SRgb pixel = Pixel(core->Render(), x, y);
    core->Render().End();
    return pixel;
  }
};

TEST_F(LightsGL, ALightningFlashBrightensItsWindow) {
  // Sky: scene x 150 .. 350, z 50 .. 350, on screen around (762, 184).
  auto molnia = LoadObject<CROMolnia>(
      *core, "<Properties><BaseProperties Time1=\"1\" Time2=\"1\"/><Obj Model=\"Sky\"/></Properties>");
  molnia->Load(3);
  molnia->Update(1.0f, nullptr);  // past the pause: the flash begins
  molnia->Update(0.1f, nullptr);
  const SRgb flash = Draw(*molnia, 762, 184);
  molnia->Update(0.8f, nullptr);  // 0.9 s: the curve is over
  const SRgb after = Draw(*molnia, 762, 184);
  EXPECT_GT(flash.r, 100.0f) << "lit at full during the flash";
  EXPECT_LT(after.r, 5.0f) << "dark once the flash is over";
  EXPECT_LT(Draw(*molnia, 100, 700).r, 5.0f) << "nothing outside the window";
}

TEST_F(LightsGL, RaysShowAtTheirWanderingAlpha) {
  // Rays: scene x -100 .. 100, z 100 .. 300, on screen around (512, 184).
  auto full = LoadObject<CROLuchi>(*core, "<Properties NameModel=\"Rays\" Alpha1=\"1\" Alpha2=\"1\"/>");
  auto faint = LoadObject<CROLuchi>(*core, "<Properties NameModel=\"Rays\" Alpha1=\"0.25\" Alpha2=\"0.25\"/>");
  full->Load(3);
  faint->Load(3);
  full->Update(5.0f, nullptr);
  faint->Update(5.0f, nullptr);
  const SRgb bright = Draw(*full, 512, 184);
  const SRgb dim = Draw(*faint, 512, 184);
  EXPECT_GT(bright.r, 50.0f);
  EXPECT_NEAR(dim.r, bright.r * 0.25f, 6.0f) << "a quarter of the light over black";
}

}  // namespace
