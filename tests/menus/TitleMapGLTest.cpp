// The title logo's glint and the map's name plate on the GL device (SDL's
// offscreen driver), pixels read back: the glint lightens the logo only
// where its streak stands, and the plate is cut to the name's width.
#include <gtest/gtest.h>

#include <vector>

#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Interface/MainMenu.h"
#include "Interface/Map.h"
#include "panel/PanelTestSupport.h"
#include "support/GLSceneSupport.h"
#include "support/PixelSupport.h"

namespace {

using testsupport::Pixel;
using testsupport::SRgb;

// The sample game's core drawing on GL.
class MenuGLCore {
 public:
  explicit MenuGLCore(zuzorev::EDeviceKind kind) : mCore(kind) {}
  bool Ok() const { return mCore.Ok(); }
  rovovoz::CGameCore* Get() { return mCore.Get(); }
  zuzorev::CRenderSystem& Render() { return *mCore.Get()->GetRender(); }
  void SetupCamera() { testsupport::SetupGameCamera(*mCore.Get()); }

 private:
  paneltest::PanelCore mCore;
};

using TitleMapGL = testsupport::GLSceneTest<MenuGLCore>;

class LogoProbe : public CMainMenu {
 public:
  using CMainMenu::CMainMenu;
  // The logo where the fly-in leaves it, and its glint at this timer.
  void DrawLogo(float glintTimer) {
    mGlintTimer = glintTimer;
    DrawAt(mLogo.get(), 53.0f - 895.0f);
    RenderGlint(53.0f - 895.0f);
  }
  bool Ready() const { return mLogo && mGlint && mScreenLine.IsNamed(); }
};

float Sum(const SRgb& c) { return c.r + c.g + c.b; }

TEST_F(TitleMapGL, TheGlintLightensTheLogoUnderItsStreakOnly) {
  LogoProbe menu(core->Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  ASSERT_TRUE(menu.Ready());
  // The logo (640 x 160) ends centred 131 below the screen's top: screen x
  // 192 .. 832; its title's letters fill rows 91 .. 133.
  const float y = 112.0f;
  auto row = [&](float timer) {
    BeginFrame();
    menu.DrawLogo(timer);
    std::vector<SRgb> px;
    for (float x = 192.0f; x < 832.0f; x += 2.0f) px.push_back(Pixel(core->Render(), x, y));
    core->Render().End();
    return px;
  };
  const std::vector<SRgb> plain = row(1.5f);  // no glint from 1 up
  // The streak's middle stands at 1 - 2 x timer of the logo's width: at a
  // tenth of it for 0.45; it fades out two thirds of the width either side
  // (the line's texture is squeezed to half), so the last fifth stays dark.
  const std::vector<SRgb> glint = row(0.45f);
  ASSERT_EQ(plain.size(), glint.size());
  const size_t n = plain.size();
  float lightest = 0.0f;
  for (size_t i = 0; i < n / 5; ++i) lightest = std::max(lightest, Sum(glint[i]) - Sum(plain[i]));
  EXPECT_GT(lightest, 60.0f) << "the letters under the streak light up";
  for (size_t i = n * 4 / 5; i < n; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(Sum(glint[i]), Sum(plain[i]), 6.0f) << "away from the streak the logo is unchanged";
  }
  for (size_t i = 0; i < n; ++i) ASSERT_GE(Sum(glint[i]) + 6.0f, Sum(plain[i])) << "the glint never darkens";
  // The render states are put back: the next model draws as before.
  const std::vector<SRgb> after = row(1.5f);
  for (size_t i = 0; i < n; ++i) ASSERT_NEAR(Sum(after[i]), Sum(plain[i]), 6.0f);
}

class PlateProbe : public CMap {
 public:
  using CMap::CMap;
  void DrawSheet() { mMapBack->Render(); }
  void DrawPlate(const SMapLocation& l, const zormath::Vec3f& at) { RenderNamePlate(l, at, 1.0f); }
  bool Ready() const { return mMapBack && mNameBack && mAlphaLeft && mAlphaRight && mNameLeft && mNameRight; }
};

TEST_F(TitleMapGL, TheNamePlateIsCutToTheNamesWidthAndClosedByItsCaps) {
  PlateProbe map(core->Get(), nullptr);
  ASSERT_GE(map.Load(L"Data\\Interface\\Map.xml", 3), 0);
  ASSERT_TRUE(map.Ready());
  // A blank name: the plate shows without letters over it.
  SMapLocation place;
  place.Text = L"                ";
  auto* label = dynamic_cast<rovovoz::CGUILabel*>(map.GetChild(L"LLocation"));
  ASSERT_NE(label, nullptr);
  label->SetText(place.Text);
  const float h = static_cast<float>(label->GetTextWidth()) * 0.5f;
  ASSERT_GT(h, 10.0f);
  const zormath::Vec3f at(-150.0f, 30.0f, 90.0f);
  struct SProbe {
    const char* what;
    float dx;
    bool plate;
  } const probes[] = {
      {"middle", 0.0f, true},
      {"inside the right end", h - 4.0f, true},
      {"inside the left end", 4.0f - h, true},
      {"right cap", h + 6.0f, true},
      {"left cap", -h - 6.0f, true},
      {"right of the plate", h + 30.0f, false},
      {"left of the plate", -h - 30.0f, false},
  };
  auto frame = [&](bool plate) {
    BeginFrame();
    map.DrawSheet();
    if (plate) map.DrawPlate(place, at);
    std::vector<SRgb> px;
    for (const SProbe& p : probes) px.push_back(Pixel(core->Render(), 512.0f + at.x + p.dx, 384.0f - at.z));
    core->Render().End();
    return px;
  };
  const std::vector<SRgb> sheet = frame(false);
  const std::vector<SRgb> plated = frame(true);
  for (size_t i = 0; i < std::size(probes); ++i) {
    SCOPED_TRACE(probes[i].what);
    if (probes[i].plate) {
      EXPECT_LT(Sum(plated[i]), Sum(sheet[i]) - 150.0f) << "the dark plate";
    } else {
      EXPECT_NEAR(Sum(plated[i]), Sum(sheet[i]), 6.0f) << "the bare sheet";
    }
  }
}

}  // namespace
