// The 1024 x 768 virtual screen fills the surface GL really draws to,
// letterboxed to 4:3, whatever size SDL reports for the window. SDL's
// offscreen driver keeps a window's surface at the size it was made with,
// just as an X11 window keeps its size while no window manager carries out
// a full-screen request or a resize; in both cases SDL reports the new size
// at once. Pointer mapping and the interface factors follow the same
// surface.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"

// EGL without Xlib: its macros (None, ...) would clash with engine names.
#define EGL_NO_X11
#include <epoxy/egl.h>
#include <epoxy/gl.h>

namespace {

using zuzorev::CRenderSystem;
using zuzorev::SVertex;

constexpr uint32_t kBlack = 0x000000, kBlue = 0x0000FF, kGreen = 0x00FF00, kRed = 0xFF0000;

// The surface's size as EGL (not SDL) knows it.
bool RealSurfaceSize(int& width, int& height) {
  if (!epoxy_has_egl()) return false;
  const EGLDisplay display = eglGetCurrentDisplay();
  const EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
  if (display == EGL_NO_DISPLAY || surface == EGL_NO_SURFACE) return false;
  EGLint w = 0, h = 0;
  if (!eglQuerySurface(display, surface, EGL_WIDTH, &w) || !eglQuerySurface(display, surface, EGL_HEIGHT, &h))
    return false;
  width = w;
  height = h;
  return true;
}

// One pixel of the surface (top-left origin) as 0xRRGGBB, read straight
// from GL so the check does not lean on the device's idea of the size.
uint32_t SurfacePixel(int x, int y, int surfaceHeight) {
  uint8_t p[4] = {};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, surfaceHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

// A rectangle of the virtual screen (pixels, y down) in one colour, through
// the game's 2D space: x right and z up from the screen's centre.
void FillVirtual(CRenderSystem& render, float x0, float y0, float x1, float y1, uint32_t rgb) {
  const uint32_t argb = 0xFF000000u | rgb;
  auto at = [&](float x, float y) { return SVertex{x - 512.0f, 0.0f, 384.0f - y, argb, 0.0f, 0.0f}; };
  const SVertex quad[4] = {at(x0, y0), at(x1, y0), at(x0, y1), at(x1, y1)};
  render.SetTransform3DWorld2D(zormath::Mat4f::Identity());
  ASSERT_GE(render.BindDeclaration(0), 0);
  ASSERT_GE(render.DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, sizeof(SVertex)), 0);
}

class DrawableSize : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
    core = std::make_unique<rovovoz::CGameCore>();
    zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
  }

  zuzorev::CWindowSystem& Window() { return *core->GetWindow(); }
  CRenderSystem& Render() { return *core->GetRender(); }

  // Opens the window and the GL device; false (test skipped) without GL.
  bool Open(int width, int height, int& full) {
    if (Window().Init(L"test", L"test", 101, width, height, full, nullptr, nullptr) < 0) return false;
    params.Width = width;
    params.Height = height;
    params.FullScreen = full;
    return Render().Init(&Window(), params) >= 0;
  }

  void ChangeMode(int width, int height, int full) {
    ASSERT_GE(Window().ReInit(width, height, full, nullptr), 0);
    params.Width = width;
    params.Height = height;
    params.FullScreen = full;
    ASSERT_GE(Render().ReInit(&Window(), params, 1), 0);
  }

  // Draws a frame (the whole virtual screen blue, its top-left corner green,
  // its centre red) and checks that it covers the 4:3 rectangle in the
  // middle of the real surface, with the pointer mapping and the interface
  // factors to match.
  void ExpectVirtualScreenFillsSurface(int surfaceWidth, int surfaceHeight) {
    SCOPED_TRACE(testing::Message() << "surface " << surfaceWidth << " x " << surfaceHeight);
    CRenderSystem& render = Render();
    const bool wider = surfaceWidth * 3 > surfaceHeight * 4;
    const int vw = wider ? surfaceHeight * 4 / 3 : surfaceWidth;
    const int vh = wider ? surfaceHeight : surfaceWidth * 3 / 4;
    const int vx = (surfaceWidth - vw) / 2, vy = (surfaceHeight - vh) / 2;
    const float scale = static_cast<float>(vh) / 768.0f;

    ASSERT_GE(render.Clear(), 0);  // picks up the surface's size as a frame does
    ASSERT_GE(render.Begin(), 0);
    EXPECT_EQ(render.GetBackBufferWidth(), surfaceWidth);
    EXPECT_EQ(render.GetBackBufferHeight(), surfaceHeight);
    FillVirtual(render, 0, 0, 1024, 768, kBlue);
    FillVirtual(render, 0, 0, 64, 64, kGreen);
    FillVirtual(render, 480, 352, 544, 416, kRed);
    // The device holds a frame's draws back until the frame ends or is read.
    std::vector<uint32_t> read;
    render.ReadPixels(0, 0, 1, 1, read);

    EXPECT_EQ(SurfacePixel(surfaceWidth / 2, surfaceHeight / 2, surfaceHeight), kRed) << "the surface's centre";
    EXPECT_EQ(SurfacePixel(vx + 4, vy + 4, surfaceHeight), kGreen) << "the virtual screen's top-left corner";
    EXPECT_EQ(SurfacePixel(vx + vw - 3, vy + vh - 3, surfaceHeight), kBlue) << "its bottom-right corner";
    EXPECT_EQ(SurfacePixel(vx + vw - 3, vy + 3, surfaceHeight), kBlue) << "its top-right corner";
    EXPECT_EQ(SurfacePixel(vx + 3, vy + vh - 3, surfaceHeight), kBlue) << "its bottom-left corner";
    if (vx > 2) {
      EXPECT_EQ(SurfacePixel(vx - 3, surfaceHeight / 2, surfaceHeight), kBlack) << "the left bar";
      EXPECT_EQ(SurfacePixel(vx + vw + 2, surfaceHeight / 2, surfaceHeight), kBlack) << "the right bar";
    }
    if (vy > 2) {
      EXPECT_EQ(SurfacePixel(surfaceWidth / 2, vy - 3, surfaceHeight), kBlack) << "the top bar";
      EXPECT_EQ(SurfacePixel(surfaceWidth / 2, vy + vh + 2, surfaceHeight), kBlack) << "the bottom bar";
    }
    ASSERT_GE(render.End(), 0);

    // The pointer reports real window points (no high-DPI scale here).
    float x = 0, y = 0;
    render.WindowToVirtual(surfaceWidth * 0.5f, surfaceHeight * 0.5f, x, y);
    EXPECT_NEAR(x, 512.0f, 0.01f);
    EXPECT_NEAR(y, 384.0f, 0.01f);
    render.WindowToVirtual(static_cast<float>(vx), static_cast<float>(vy), x, y);
    EXPECT_NEAR(x, 0.0f, 0.01f);
    EXPECT_NEAR(y, 0.0f, 0.01f);
    render.VirtualToWindow(1024.0f, 768.0f, x, y);
    EXPECT_NEAR(x, static_cast<float>(vx + vw), 0.01f);
    EXPECT_NEAR(y, static_cast<float>(vy + vh), 0.01f);

    rovovoz::CalculateInterfaceKoef(core.get());
    EXPECT_FLOAT_EQ(rovovoz::GetKW(), scale);
    EXPECT_FLOAT_EQ(rovovoz::GetKH(), scale);
  }

  std::unique_ptr<rovovoz::CGameCore> core;
  zuzorev::SDevInitParams params;
};

TEST_F(DrawableSize, FullScreenTheSurfaceDidNotFollowStillShowsTheVirtualScreenCentred) {
  int full = 0;
  if (!Open(1000, 600, full)) GTEST_SKIP() << "no OpenGL 3.3 context through SDL's offscreen driver";
  ASSERT_EQ(full, 0);
  ExpectVirtualScreenFillsSurface(1000, 600);

  // SDL now reports the desktop's size; the surface stays 1000 x 600.
  ASSERT_NO_FATAL_FAILURE(ChangeMode(1000, 600, 1));
  int sdlWidth = 0, sdlHeight = 0, width = 0, height = 0;
  SDL_GL_GetDrawableSize(Window().GetSDLWindow(), &sdlWidth, &sdlHeight);
  ASSERT_TRUE(RealSurfaceSize(width, height));
  if (sdlWidth == width && sdlHeight == height) GTEST_SKIP() << "this SDL resizes offscreen surfaces";
  ASSERT_EQ(width, 1000);
  ASSERT_EQ(height, 600);
  ExpectVirtualScreenFillsSurface(1000, 600);
}

TEST_F(DrawableSize, ModeChangesFollowTheRealSurface) {
  int full = 1;
  if (!Open(800, 600, full)) GTEST_SKIP() << "no OpenGL 3.3 context through SDL's offscreen driver";
  int width = 0, height = 0;
  ASSERT_TRUE(RealSurfaceSize(width, height));
  // A full-screen window covers the display from the start.
  EXPECT_EQ(width, Window().GetDesktopWidth());
  EXPECT_EQ(height, Window().GetDesktopHeight());
  ExpectVirtualScreenFillsSurface(width, height);

  // Windowed at a size the surface does not take: SDL reports 640 x 400.
  ASSERT_NO_FATAL_FAILURE(ChangeMode(640, 400, 0));
  int sdlWidth = 0, sdlHeight = 0;
  SDL_GL_GetDrawableSize(Window().GetSDLWindow(), &sdlWidth, &sdlHeight);
  ASSERT_TRUE(RealSurfaceSize(width, height));
  if (sdlWidth == width && sdlHeight == height) GTEST_SKIP() << "this SDL resizes offscreen surfaces";
  ExpectVirtualScreenFillsSurface(width, height);

  // And full screen again.
  ASSERT_NO_FATAL_FAILURE(ChangeMode(640, 400, 1));
  ASSERT_TRUE(RealSurfaceSize(width, height));
  ExpectVirtualScreenFillsSurface(width, height);
}

}  // namespace
