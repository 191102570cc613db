// Draws the sample game's entrance hall on the GL device (SDL's offscreen
// driver, Mesa's software GL), reads the pixels back and compares them with
// the textures; the same calls on the headless device leave the same engine
// state.
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zormath/Transform.h"
#include "render/RenderTestSupport.h"

namespace {

using zuzorev::CTexture;

struct SRgb {
  float r, g, b;
};

// Texel colour and alpha of a loaded texture, bilinearly sampled at (u, v)
// as GL does for a pixel centre.
struct SSample {
  SRgb c;
  float a;
};

SSample Bilinear(CTexture& t, float u, float v) {
  const auto& d = *t.Data();
  float x = u * d.width - 0.5f, y = v * d.height - 0.5f;
  int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  float fx = x - x0, fy = y - y0;
  SSample s{{0, 0, 0}, 0};
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) {
      int xi = std::clamp(x0 + i, 0, d.width - 1), yj = std::clamp(y0 + j, 0, d.height - 1);
      uint32_t p = d.texels[static_cast<size_t>(yj) * d.width + xi];
      float w = (i ? fx : 1 - fx) * (j ? fy : 1 - fy);
      s.c.r += w * ((p >> 16) & 255);
      s.c.g += w * ((p >> 8) & 255);
      s.c.b += w * (p & 255);
      s.a += w * ((p >> 24) & 255) / 255.0f;
    }
  return s;
}

SSample Texel(CTexture& t, int x, int y) {
  return Bilinear(t, (x + 0.5f) / t.GetWidth(), (y + 0.5f) / t.GetHeight());
}

void ExpectPixel(zuzorev::CRenderSystem& render, int x, int y, SRgb want, const char* what) {
  uint32_t got = 0;
  ASSERT_TRUE(render.ReadVirtualPixel(x + 0.5f, y + 0.5f, got)) << what;
  EXPECT_NEAR(static_cast<float>((got >> 16) & 255), want.r, 3.0f) << what << " red at " << x << "," << y;
  EXPECT_NEAR(static_cast<float>((got >> 8) & 255), want.g, 3.0f) << what << " green at " << x << "," << y;
  EXPECT_NEAR(static_cast<float>(got & 255), want.b, 3.0f) << what << " blue at " << x << "," << y;
}

// The objects of the test scene, loaded from the sample game's hall.
struct SHall {
  explicit SHall(rovovoz::CGameCore* core) : back(core), desk(core), key(core), glow(core) {}
  bool Load() {
    return back.LoadModel(L"Back_1.zorm", L"S_Back_1", 8, 0) > 0 && desk.LoadModel(L"Back_1.zorm", L"S_Desk", 8, 0) > 0 &&
           key.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0) > 0 &&
           glow.LoadModel(L"Back_1.zorm", L"S_LanternGlow", 8, 0) > 0;
  }
  rovovoz::CStaticObject3D back, desk, key, glow;
};

// One frame: the background; the desk with its texture moved half a width
// by the stage-0 texture transform; the key at half alpha; the lantern glow
// as an additive overlay.
void DrawFrame(rendertest::Core& core, SHall& hall) {
  zuzorev::CRenderSystem& render = core.Render();
  core.SetupCamera();
  render.SetZEnable(0);
  ASSERT_GE(render.Clear(), 0);
  ASSERT_GE(render.Begin(), 0);
  hall.back.Render();
  render.SetTransform(zuzorev::kTransformTexture0, zormath::MatrixTranslation(0, 0, 0) * [] {
    zormath::Mat4f m = zormath::Mat4f::Identity();
    m(2, 0) = 0.5f;  // (u, v, 1, 0) x M: the third row translates
    return m;
  }());
  render.SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, zuzorev::kTextureTransformCount2);
  hall.desk.Render();
  render.SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, 0);
  hall.key.SetAlpha(0.5f);
  hall.key.Render();
  hall.glow.RenderAsOverlay(1.0f);
}

class GLRender : public ::testing::Test {
 protected:
  void SetUp() override {
    core = std::make_unique<rendertest::Core>(zuzorev::EDeviceKind::GL);
    if (!core->Ok()) GTEST_SKIP() << "no OpenGL 3.3 context through SDL's offscreen driver (needs libegl-mesa0)";
    ASSERT_GE(core->Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1), 0);
  }
  std::unique_ptr<rendertest::Core> core;
};

TEST_F(GLRender, HallDrawsAlphaOverlayAndTextureTransformAtTheirPlaces) {
  SHall hall(core->Get());
  ASSERT_TRUE(hall.Load());
  DrawFrame(*core, hall);
  zuzorev::CRenderSystem& render = core->Render();

  CTexture& backTex = *hall.back.GetMesh()->GetTexture(0, 0);
  CTexture& deskTex = *hall.desk.GetMesh()->GetTexture(0, 0);
  CTexture& keyTex = *hall.key.GetMesh()->GetTexture(0, 0);
  CTexture& glowTex = *hall.glow.GetMesh()->GetTexture(0, 0);

  // Background: the screen shows the picture texel for texel (a wall panel,
  // a window, the door, the floor).
  for (auto [x, y] : {std::pair{100, 400}, {170, 300}, {520, 300}, {900, 700}}) {
    ExpectPixel(render, x, y, Texel(backTex, x, y).c, "background");
  }

  // Desk: placed at x 134..390, y 510..638 on the screen; its texture moved
  // by half its width, so a leg pixel shows the drawer.
  const int deskX = 134, deskY = 510, lx = 26, ly = 60;
  SSample plain = Texel(deskTex, lx, ly), moved = Texel(deskTex, lx + 128, ly);
  ASSERT_GT(std::fabs(plain.c.r - moved.c.r) + std::fabs(plain.c.g - moved.c.g), 6.0f) << "texels must differ";
  ASSERT_NEAR(moved.a, 1.0f, 0.01f);
  ExpectPixel(render, deskX + lx, deskY + ly, moved.c, "desk with texture transform");

  // Key at half alpha over the background: an opaque key texel is mixed
  // half and half; a transparent one leaves the background.
  const int keyX = 178, keyY = 472;
  SSample shaft = Texel(keyTex, 60, 26);
  ASSERT_NEAR(shaft.a, 1.0f, 0.01f);
  SRgb under = Texel(backTex, keyX + 60, keyY + 26).c;
  ExpectPixel(render, keyX + 60, keyY + 26,
              {0.5f * shaft.c.r + 0.5f * under.r, 0.5f * shaft.c.g + 0.5f * under.g,
               0.5f * shaft.c.b + 0.5f * under.b},
              "key at half alpha");
  ASSERT_NEAR(Texel(keyTex, 24, 26).a, 0.0f, 0.01f);  // the hole of the bow
  ExpectPixel(render, keyX + 24, keyY + 26, Texel(backTex, keyX + 24, keyY + 26).c, "through the key's bow");

  // Glow: 128-texel picture stretched over 192 pixels at x 666..858, y
  // 398..590, added to the background.
  for (auto [x, y] : {std::pair{762, 494}, {730, 470}, {800, 540}}) {
    SSample g = Bilinear(glowTex, (x - 666 + 0.5f) / 192.0f, (y - 398 + 0.5f) / 192.0f);
    SRgb b = Texel(backTex, x, y).c;
    ExpectPixel(render, x, y,
                {std::min(255.0f, b.r + g.c.r * g.a), std::min(255.0f, b.g + g.c.g * g.a),
                 std::min(255.0f, b.b + g.c.b * g.a)},
                "additive glow");
  }
  EXPECT_GE(render.End(), 0);
}

TEST_F(GLRender, SameCallsOnTheHeadlessDeviceLeaveTheSameEngineState) {
  core->Render().SetDrawRecording(true);  // kept by the headless device alone unless asked
  SHall glHall(core->Get());
  ASSERT_TRUE(glHall.Load());
  DrawFrame(*core, glHall);

  rendertest::Core headless(zuzorev::EDeviceKind::Headless);
  ASSERT_TRUE(headless.Ok());
  ASSERT_GE(headless.Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1), 0);
  SHall hall(headless.Get());
  ASSERT_TRUE(hall.Load());
  DrawFrame(headless, hall);

  const auto& a = core->Render().GetFrameDraws();
  const auto& b = headless.Render().GetFrameDraws();
  ASSERT_EQ(a.size(), 4u);
  EXPECT_TRUE(a == b);
  // What each draw was: the names and states both devices agree on.
  EXPECT_EQ(b[0].mesh, L"S_Back_1");
  EXPECT_EQ(b[0].texture0, L"hall_back.png");
  EXPECT_TRUE(b[1].tex0Transform);
  EXPECT_FLOAT_EQ(b[2].color[3], 0.5f);
  EXPECT_EQ(b[3].blend, zuzorev::EBlend::Add);
  EXPECT_EQ(core->Render().GetTextureManager()->ResidentCount(),
            headless.Render().GetTextureManager()->ResidentCount());
}

// Text through SDL2_ttf lands inside its rectangle in the text colour.
TEST_F(GLRender, TextIsDrawnInsideItsRectangle) {
  zuzorev::CRenderSystem& render = core->Render();
  ASSERT_GE(render.AddResourceFont(L"Main", L"DejaVuSans.ttf", L""), 0);
  zuzorev::CFont font;
  ASSERT_GE(render.CreateFontW(font, L"Main", 40, 1), 0);
  core->SetupCamera();
  render.Clear();
  render.Begin();
  zuzorev::SRect rect{100, 100, 500, 160};
  ASSERT_GE(render.DrawTextW(font, L"IIIIIIII", rect, 0, 0xFF00FF00u, 4), 0);
  std::vector<uint32_t> px;
  ASSERT_TRUE(render.ReadPixels(0, 0, 1024, 768, px));
  int inside = 0, outside = 0;
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x) {
      uint32_t p = px[static_cast<size_t>(y) * 1024 + x];
      bool green = ((p >> 8) & 255) > 128 && ((p >> 16) & 255) < 64;
      bool in = x >= 100 && x < 500 && y >= 100 && y < 160;
      (in ? inside : outside) += green ? 1 : 0;
    }
  EXPECT_GT(inside, 200);
  EXPECT_EQ(outside, 0);
  render.End();
}

}  // namespace

namespace {

// A pass that tests depth: the desk, nearer the camera, stays in front of
// the background drawn after it; without the test the background covers it.
TEST_F(GLRender, DepthTestedPassKeepsTheNearerObjectInFront) {
  SHall hall(core->Get());
  ASSERT_TRUE(hall.Load());
  hall.desk.AddPosition3D(0, 100, 0);  // towards the camera, same place on the screen
  zuzorev::CRenderSystem& render = core->Render();
  const int opaque = render.GetRenderSetingID(L"MT_TEXTURE");
  ASSERT_GE(opaque, 0);
  auto pixelAfter = [&](bool depth, bool withBack) {
    core->SetupCamera();
    render.SetZEnable(depth ? 1 : 0);
    render.Clear();
    render.Begin();
    render.BindRenderSeting(opaque);
    hall.desk.RenderEx(0, 1, 1, 1);
    if (withBack) hall.back.RenderEx(0, 1, 1, 1);
    uint32_t argb = 0;
    EXPECT_TRUE(render.ReadVirtualPixel(200.5f, 560.5f, argb));
    render.End();
    render.SetZEnable(0);
    return argb & 0xFFFFFFu;
  };
  const uint32_t desk = pixelAfter(false, false);
  const uint32_t covered = pixelAfter(false, true);
  ASSERT_NE(desk, covered) << "the background must differ from the desk there";
  EXPECT_EQ(pixelAfter(true, true), desk);
  EXPECT_EQ(pixelAfter(false, true), covered) << "and the next frame without the test draws as before";
}

}  // namespace
