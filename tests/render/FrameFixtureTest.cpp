// A whole frame on the GL device against a stored picture of it: the hall
// with objects at 1:1, a half-transparent object, an alpha-cut copy, a
// second texture masking the alpha, the lantern glow as an additive overlay,
// a scaled and a rotated object, two full-screen fades, a cursor picture at
// 1:1 and a line of text in the interface space. Every pixel must stay
// within one step per channel of the stored frame, so a change in how the
// device draws (filters, blending, formats, state left behind) shows here.
//
// LHT_WRITE_FRAME_FIXTURE=<file.png> writes the frame instead of comparing.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/DeviceSkipUnchanged.h"
#include "render/RenderTestSupport.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A quad of the virtual screen in the interface space (top-left origin).
void ScreenQuad(zuzorev::CRenderSystem& render, float left, float top, float right, float bottom, uint32_t color) {
  auto corner = [&](float x, float y, float u, float v) {
    return zuzorev::SVertex{x - 512.0f, 1000.0f, 384.0f - y, color, u, v};
  };
  zuzorev::SVertex quad[4] = {corner(left, bottom, 0, 1), corner(right, bottom, 1, 1), corner(left, top, 0, 0),
                              corner(right, top, 1, 0)};
  render.DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, sizeof(zuzorev::SVertex));
}

struct SFixtureScene {
  explicit SFixtureScene(rovovoz::CGameCore* core)
      : back(core), desk(core), key(core), lantern(core), wick(core), glow(core), keyCut(core), deskMasked(core),
        keyBig(core), deskTurned(core) {}
  bool Load() {
    const std::pair<rovovoz::CStaticObject3D*, const wchar_t*> all[] = {
        {&back, L"S_Back_1"}, {&desk, L"S_Desk"},        {&key, L"S_Key"},          {&lantern, L"S_Lantern"},
        {&wick, L"S_Wick"},   {&glow, L"S_LanternGlow"}, {&keyCut, L"S_Key"},       {&deskMasked, L"S_Desk"},
        {&keyBig, L"S_Key"},  {&deskTurned, L"S_Desk"}};
    for (auto [object, mesh] : all)
      if (object->LoadModel(L"Back_1.zorm", mesh, 8, 0) <= 0) return false;
    keyCut.AddPosition3D(300, 0, -200);
    deskMasked.AddPosition3D(420, 0, 300);
    keyBig.AddPosition3D(180, 0, 120);
    keyBig.SetScale(keyBig.GetScale() * 1.7f);
    deskTurned.AddPosition3D(-60, 0, 420);
    deskTurned.RotateAxisY(0.3f);
    return true;
  }
  rovovoz::CStaticObject3D back, desk, key, lantern, wick, glow, keyCut, deskMasked, keyBig, deskTurned;
};

// cursorX: where the cursor picture's left edge is; keyAlpha: the
// half-transparent key's alpha.
void DrawFixtureFrame(rendertest::Core& core, SFixtureScene& scene, zuzorev::CFont& font, zuzorev::CTexture& cursor,
                      float cursorX = 600.0f, float keyAlpha = 0.6f) {
  zuzorev::CRenderSystem& render = core.Render();
  core.SetupCamera();
  render.SetZEnable(0);
  ASSERT_GE(render.Clear(), 0);
  ASSERT_GE(render.Begin(), 0);
  scene.back.Render();
  scene.desk.Render();
  scene.lantern.Render();
  scene.wick.Render();
  scene.key.SetAlpha(keyAlpha);
  scene.key.Render();
  scene.keyBig.Render();
  scene.deskTurned.Render();

  const int cut = render.GetRenderSetingID(L"MT_TEXTURE_ALPHA_CUT");
  ASSERT_GE(cut, 0);
  render.BindRenderSeting(cut);
  scene.keyCut.RenderEx(0, 1, 1, 1);

  // The desk's alpha masked by the glow picture on the second stage.
  const int mask = render.GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH_SECONDTEX_MULTALPHA");
  ASSERT_GE(mask, 0);
  render.BindRenderSeting(mask);
  render.BindTexture(1, scene.glow.GetMesh()->GetTexture(0, 0));
  scene.deskMasked.RenderEx(0, 1, 1, 1);
  render.BindTexture(1, nullptr);
  render.BindRenderSeting(-1);

  scene.glow.RenderAsOverlay(0.8f);

  // Two full-screen fades: the desk picture stretched over the screen at a
  // quarter, then black at a third.
  render.SetTransform3DWorld2D(zormath::Mat4f::Identity(), 1);
  render.BindRenderSeting(-1);
  render.SetMaterial(zuzorev::SMaterial::White());
  render.BindDeclaration(render.GetDeclarationID(L"XYZDiffuseTex1"));
  render.BindTexture(0, scene.desk.GetMesh()->GetTexture(0, 0));
  ScreenQuad(render, 0, 0, kWidth, kHeight, 0x40FFFFFFu);
  render.BindTexture(0, nullptr);
  ScreenQuad(render, 0, 0, kWidth, kHeight, 0x55000000u);

  // The interface: a cursor picture at 1:1 and a line of text.
  render.BindTexture(0, cursor);
  ScreenQuad(render, cursorX, 200, cursorX + cursor.GetWidth(), 200.0f + cursor.GetHeight(), 0xFFFFFFFFu);
  render.BindTexture(0, nullptr);
  zuzorev::SRect rect{120, 60, 700, 120};
  ASSERT_GE(render.DrawTextW(font, L"Lantern Hall", rect, 0, 0xFFFFE0A0u, 4, 0xFF000000u, 2), 0);
}

class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    core = std::make_unique<rendertest::Core>(zuzorev::EDeviceKind::GL);
    if (!core->Ok()) GTEST_SKIP() << "no OpenGL 3.3 context through SDL's offscreen driver (needs libegl-mesa0)";
    ASSERT_GE(core->Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1), 0);
  }
  // The frame's text font and cursor picture.
  void LoadFontAndCursor() {
    zuzorev::CRenderSystem& render = core->Render();
    ASSERT_GE(render.AddResourceFont(L"Main", L"DejaVuSans.ttf", L""), 0);
    ASSERT_GE(render.CreateFontW(font, L"Main", 36, 1), 0);
    ASSERT_GE(render.LoadTexture(L"Data\\Cursors\\cur_def.png", cursor, 1, 0), 0);
  }
  std::unique_ptr<rendertest::Core> core;
  zuzorev::CFont font;
  zuzorev::CTexture cursor;
};

// The fixture frame drawn frame after frame with the still bottom kept as
// one picture gives exactly the pixels of the frames drawn whole: while
// only the cursor on top moves, after the key's alpha changes under it (the
// picture goes and a new one is kept) and after the desk's texels change.
TEST_F(FrameFixture, StillBottomFromItsPictureGivesThePixelsOfTheWholeFrame) {
  zuzorev::CRenderSystem& render = core->Render();
  auto* device = dynamic_cast<zuzorev::CSkipUnchangedDevice*>(render.GetDevice());
  ASSERT_NE(device, nullptr);
  SFixtureScene scene(core->Get());
  ASSERT_TRUE(scene.Load());
  ASSERT_NO_FATAL_FAILURE(LoadFontAndCursor());
  const std::shared_ptr<zuzorev::STextureData> desk = scene.desk.GetMesh()->GetTexture(0, 0)->Data();
  ASSERT_TRUE(desk);
  const std::vector<uint32_t> deskTexels = desk->texels;

  // Frame by frame: the cursor moves every frame, the key's alpha changes
  // at frame 12, the desk's picture at frame 22 (darker) and back at 30.
  constexpr int kFrames = 36;
  auto frame = [&](int i, std::vector<uint32_t>& out) {
    if (i == 22 || i == 30) {
      std::vector<uint32_t> texels = deskTexels;
      if (i == 22)
        for (uint32_t& t : texels) t = (t & 0xFF000000u) | ((t >> 1) & 0x7F7F7Fu);
      desk->texels = texels;
      render.GetTextureManager()->Upload(*desk);
    }
    DrawFixtureFrame(*core, scene, font, cursor, 600.0f + 3.0f * i, i < 12 ? 0.6f : 0.45f);
    ASSERT_TRUE(render.ReadPixels(0, 0, kWidth, kHeight, out));
    render.End();
  };
  std::vector<std::vector<uint32_t>> whole(kFrames);
  device->SetStillLayer(false);
  // The first frame of the text draws it a step apart from later ones
  // (its glyphs are made on the way): both runs start after it.
  ASSERT_NO_FATAL_FAILURE(frame(kFrames - 1, whole[0]));
  for (int i = 0; i < kFrames; ++i) ASSERT_NO_FATAL_FAILURE(frame(i, whole[i]));
  EXPECT_EQ(device->Layer().Uses(), 0);

  device->SetStillLayer(true);
  std::vector<uint32_t> pixels;
  for (int i = 0; i < kFrames; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NO_FATAL_FAILURE(frame(i, pixels));
    size_t differing = 0, first = 0;
    for (size_t p = 0; p < pixels.size(); ++p)
      if (pixels[p] != whole[i][p] && differing++ == 0) first = p;
    EXPECT_EQ(differing, 0u) << "pixels differ from the frame drawn whole, the first at " << first % kWidth << ","
                             << first / kWidth << ": " << std::hex << pixels[first] << " against " << whole[i][first];
  }
  EXPECT_GE(device->Layer().Keeps(), 3) << "kept anew after each change under the cursor";
  EXPECT_GE(device->Layer().Uses(), kFrames / 2) << "most frames draw their still bottom from the picture";
}

TEST_F(FrameFixture, FrameWithFadesGlowsAndOverlayMatchesTheStoredOne) {
  zuzorev::CRenderSystem& render = core->Render();
  SFixtureScene scene(core->Get());
  ASSERT_TRUE(scene.Load());
  ASSERT_NO_FATAL_FAILURE(LoadFontAndCursor());

  DrawFixtureFrame(*core, scene, font, cursor);
  std::vector<uint32_t> frame;
  ASSERT_TRUE(render.ReadPixels(0, 0, kWidth, kHeight, frame));
  render.End();

  if (const char* out = std::getenv("LHT_WRITE_FRAME_FIXTURE")) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(frame.data(), kWidth, kHeight, 32, kWidth * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(IMG_SavePNG(s, out), 0) << IMG_GetError();
    SDL_FreeSurface(s);
    GTEST_SKIP() << "frame written to " << out;
  }

  const std::string file = (testsupport::FixturesDir() / "render" / "fixture_frame.png").string();
  SDL_Surface* loaded = IMG_Load(file.c_str());
  ASSERT_NE(loaded, nullptr) << file << ": " << IMG_GetError();
  SDL_Surface* want = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  ASSERT_NE(want, nullptr);
  ASSERT_EQ(want->w, kWidth);
  ASSERT_EQ(want->h, kHeight);
  int differing = 0, worst = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < kHeight; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(want->pixels) + y * want->pitch);
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t a = row[x], b = frame[static_cast<size_t>(y) * kWidth + x];
      int d = 0;
      for (int shift : {0, 8, 16}) d = std::max(d, std::abs(static_cast<int>((a >> shift) & 255u) -
                                                            static_cast<int>((b >> shift) & 255u)));
      if (d > 1) {
        if (differing++ == 0) firstX = x, firstY = y;
      }
      worst = std::max(worst, d);
    }
  }
  SDL_FreeSurface(want);
  EXPECT_EQ(differing, 0) << "pixels off by more than one step; the first at " << firstX << "," << firstY
                          << ", the worst by " << worst;
}

}  // namespace
