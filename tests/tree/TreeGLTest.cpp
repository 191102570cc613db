// The lamp, the rays and the tree on the GL device (SDL's offscreen driver,
// Mesa's software GL), pixels read back: the dust over the rays moves
// between two frames, a dark lamp's glow shows its MinAlpha in the scene and
// in 2D, and a pushed twig leaves its place.
#include <gtest/gtest.h>

#include <cmath>

#include "Objects/Derevo.h"
#include "Objects/Lampa.h"
#include "Objects/LuchiPil.h"
#include "support/GLSceneSupport.h"
#include "support/PixelSupport.h"
#include "tree/TreeTestSupport.h"

namespace {

using testsupport::ExpectRgb;
using testsupport::Pixel;
using testsupport::SRgb;
using treetest::LoadObject;
using treetest::TreeCore;

using TreeGL = testsupport::GLSceneTest<TreeCore>;

TEST_F(TreeGL, DustOverTheRaysMovesBetweenTwoFrames) {
  // The rays (white, alpha 0.5, added) cover screen x 748 .. 876, y 120 ..
  // 248 at depth 1000 from the camera; the dust's upper half is white, its
  // lower half black, one texture every 128 units up the screen. Half a
  // texture of scroll over the depth is 0.0005.
  auto rays = LoadObject<CLuchiPil>(
      *core, "<Properties NameModel=\"Rays\" TexturePil=\"dust.png\"><Pil su=\"0.0078125\" sv=\"0.0078125\" "
             "Speed=\"0.0005\"/></Properties>");
  rays->Load(3);
  float first = 0.0f;
  for (int frame = 0; frame < 2; ++frame) {
    BeginFrame();
    rays->Render();
    const SRgb p = Pixel(core->Render(), 812, 224);
    core->Render().End();
    EXPECT_NEAR(p.r, p.g, 2.0f);
    if (frame == 0) {
      first = p.r;
      rays->Update(1.0f, nullptr);
    } else {
      EXPECT_NEAR(std::fabs(p.r - first), 128.0f, 8.0f) << "the dust stripe under the point changed";
      EXPECT_NEAR(std::fmin(p.r, first), 128.0f, 8.0f) << "the rays alone where the dust is dark";
    }
  }
}

TEST_F(TreeGL, DarkLampGlowReadsItsMinAlphaInTheSceneAndIn2D) {
  // The glow: white, screen x 180 .. 244, y 152 .. 216; alpha-blended over black.
  auto lamp = LoadObject<CLampa>(
      *core, "<Properties NameModel=\"Glow\" TimeVis=\"1\" TimeUnVis=\"1\" MinAlpha=\"0.25\" MaxAlpha=\"1\"/>");
  lamp->Load(3);
  for (int mode = 0; mode < 2; ++mode) {
    lamp->SetRender2D(mode);
    BeginFrame();
    lamp->Render();
    ExpectRgb(Pixel(core->Render(), 212, 184), SRgb{64, 64, 64}, mode ? "dark glow in 2D" : "dark glow");
    ExpectRgb(Pixel(core->Render(), 260, 184), SRgb{0, 0, 0}, "beside the glow");
    core->Render().End();
  }
  lamp->Update(1.0f, nullptr);
  BeginFrame();
  lamp->Render();
  ExpectRgb(Pixel(core->Render(), 212, 184), SRgb{255, 255, 255}, "lit glow");
  core->Render().End();
}

TEST_F(TreeGL, PushedTwigLeavesItsPlace) {
  // The twig (green) covers screen x 432 .. 452, y 304 .. 324 at rest.
  auto tree = LoadObject<CDerevo>(
      *core, "<Properties><Korni><Koren NameModel=\"B_Trunk\"><Child NameModel=\"B_Left\" KoefUprugosti=\"0.5\" "
             "SilaUprugosti=\"1\"><Child NameModel=\"B_Twig\"/></Child></Koren></Korni></Properties>");
  tree->Load(3);
  BeginFrame();
  tree->Render();
  ExpectRgb(Pixel(core->Render(), 442, 314), SRgb{0, 255, 0}, "twig at rest");
  core->Render().End();
  tree->PushBranch(L"B_Left", zormath::Vec3f(1, 0, 0), 0.05f, 1.0f);
  for (int i = 0; i < 20; ++i) tree->Update(0.05f, nullptr);
  BeginFrame();
  tree->Render();
  ExpectRgb(Pixel(core->Render(), 442, 314), SRgb{0, 0, 0}, "twig bent away");
  core->Render().End();
}

}  // namespace
