// Key-frame model and spline mover on the GL device (SDL's offscreen
// driver, Mesa's software GL), pixels read back: the model halfway through
// its animation with its texture shifted by its U track and the next object
// unshifted; the bird not drawn during its pause.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/MaxAnim.h"
#include "Objects/ROMoveSpline.h"
#include "keyframes/KeyframesTestSupport.h"
#include "support/GLSceneSupport.h"
#include "support/PixelSupport.h"

namespace {

using keyframestest::KeyframesCore;

using testsupport::ExpectRgb;
using testsupport::Pixel;
using testsupport::SRgb;

constexpr SRgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kBlack{0, 0, 0};

using KeyframesGL = testsupport::GLSceneTest<KeyframesCore>;

TEST_F(KeyframesGL, ModelHalfwayStandsBetweenItsKeysWithItsTextureShifted) {
  // Lid: 100 x 100, red left half, blue right half; from x 0 to x 100 in
  // one second while its U offset runs 0 .. 1. Box: the same picture at
  // screen x 712 .. 812, drawn after it.
  core->Write("Lid.xaf", keyframestest::Export(
                             "Lid01", 11,
                             "<Controller name=\"Lid01 \\ Material \\ U Offset\"><Keys count=\"2\"><Key t=\"0\" "
                             "v=\"0\"/><Key t=\"1600\" v=\"1\"/></Keys></Controller>"));
  auto lid = effectstest::LoadObject<CMaxAnim>(
      *core, "<Properties NameModel=\"Lid\" FileModel=\"Keyframes.zorm\"><Anim FileAnim=\"Lid.xaf\" NameAnim=\"Lid01\"/></Properties>");
  rovovoz::CStaticObject3D box(core->Get());
  ASSERT_GT(box.LoadModel(L"Keyframes.zorm", L"Box", 0, 0), 0);
  lid->Load(3);
  box.Load(3);
  lid->PlayOnce();
  lid->Update(0.5f, nullptr);
  BeginFrame();
  lid->Render();
  box.Render();
  zuzorev::CRenderSystem& render = core->Render();
  // Halfway the lid spans scene x 0 .. 100: screen x 512 .. 612.
  ExpectRgb(Pixel(render, 480, 384), kBlack, "where the lid stood at the start");
  ExpectRgb(Pixel(render, 530, 384), kBlue, "left quarter, shifted by half a texture");
  ExpectRgb(Pixel(render, 595, 384), kRed, "right quarter, shifted");
  ExpectRgb(Pixel(render, 730, 384), kRed, "left quarter of the box: not shifted");
  ExpectRgb(Pixel(render, 795, 384), kBlue, "right quarter of the box");
  render.End();
}

TEST_F(KeyframesGL, BirdIsNotDrawnDuringItsPause) {
  auto bird = effectstest::LoadObject<CROMoveSpline>(
      *core, "<Properties><Model Model=\"Bird\" FileModel=\"Keyframes.zorm\" CountKadr=\"3\"/>"
             "<Move Rand=\"0\" TimeMove=\"0.2\" TimeStop1=\"0.5\" TimeStop2=\"0.5\"/></Properties>");
  bird->Load(3);
  bird->Start();
  bird->Update(0.1f, nullptr);
  // Scene (x, z) to the virtual screen.
  auto screenOf = [](const zormath::Vec3f& p) { return std::make_pair(p.x + 512.0f, 384.0f - p.z); };
  zuzorev::CRenderSystem& render = core->Render();
  auto [mx, my] = screenOf(bird->GetPosition());
  BeginFrame();
  bird->Render();
  ExpectRgb(Pixel(render, mx, my), kRed, "moving: drawn");
  render.End();

  bird->Resume();
  // Run to the end of the pass in the endless state: a pause follows.
  auto endless = effectstest::LoadObject<CROMoveSpline>(
      *core, "<Properties><Model Model=\"Bird\" FileModel=\"Keyframes.zorm\" CountKadr=\"3\"/>"
             "<Move Rand=\"0\" TimeMove=\"0.2\" TimeStop1=\"0.5\" TimeStop2=\"0.5\"/></Properties>");
  endless->Load(3);
  int guard = 0;
  while (!endless->IsPaused() && guard++ < 1000) endless->Update(0.01f, nullptr);
  ASSERT_TRUE(endless->IsPaused());
  auto [px, py] = screenOf(endless->GetPosition());
  BeginFrame();
  endless->Render();
  ExpectRgb(Pixel(render, px, py), kBlack, "paused: not drawn");
  render.End();
}

}  // namespace
