// The effect objects on the GL device (SDL's offscreen driver, Mesa's
// software GL), pixels read back: a scrolled texture and the unshifted one
// drawn after it, the frame of a frame animation at its time, and a morph
// halfway through its cross-fade.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/Morfing.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/SimpleFrameAnim.h"
#include "effects/EffectsTestSupport.h"
#include "support/GLSceneSupport.h"
#include "support/PixelSupport.h"

namespace {

using effectstest::EffectsCore;
using effectstest::LoadObject;

using testsupport::ExpectRgb;
using testsupport::Pixel;
using testsupport::SRgb;

constexpr SRgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0};

using EffectsGL = testsupport::GLSceneTest<EffectsCore>;

TEST_F(EffectsGL, ScrolledTextureShowsShiftedColoursAndTheNextObjectDoesNot) {
  // Mist: screen x 84 .. 340, y 420 .. 548; MistPlain: x 434 .. 690. The
  // picture is red on its left half and blue on its right.
  auto mist = LoadObject<CROMoveTexture>(*core, "<Properties NameModel=\"Mist\" Vx=\"0.5\"/>");
  auto plain = LoadObject<CROMoveTexture>(*core, "<Properties NameModel=\"MistPlain\"/>");
  mist->Load(3);
  plain->Load(3);
  mist->Update(1.0f, nullptr);
  ASSERT_FLOAT_EQ(mist->GetOffsetU(), 0.5f);
  BeginFrame();
  mist->Render();
  plain->Render();
  zuzorev::CRenderSystem& render = core->Render();
  ExpectRgb(Pixel(render, 148, 484), kBlue, "left quarter of the scrolled mist");
  ExpectRgb(Pixel(render, 276, 484), kRed, "right quarter of the scrolled mist");
  ExpectRgb(Pixel(render, 498, 484), kRed, "left quarter of the plain mist");
  ExpectRgb(Pixel(render, 626, 484), kBlue, "right quarter of the plain mist");
  render.End();
}

TEST_F(EffectsGL, FrameAnimationShowsTheFrameOfItsTime) {
  // Door frames 1 .. 5 are red, green, blue, yellow, magenta; screen centre
  // of the door (562, 134).
  auto door = LoadObject<CSimpleFrameAnim>(*core, "<Properties TemplateModelName=\"Door\" NumOfFrames=\"5\"/>");
  ASSERT_EQ(door->GetFrameCount(), 5);
  door->Load(3);
  struct Step {
    float seconds;  // since Play, at speed 0.5
    SRgb colour;
  } steps[] = {{0.0f, kRed}, {0.5f, kGreen}, {1.0f, kBlue}, {1.5f, kYellow}};
  door->SetFactorSpeed(0.5f);
  door->Play();
  float done = 0.0f;
  for (const Step& s : steps) {
    door->Update(s.seconds - done, nullptr);
    done = s.seconds;
    BeginFrame();
    door->Render();
    ExpectRgb(Pixel(core->Render(), 562, 134), s.colour, "door frame");
    core->Render().End();
  }
}

TEST_F(EffectsGL, MorphHalfwayBlendsBothModels) {
  // Portrait A (red) and B (blue) at screen (712, 134); T1 = T2 = 3, so one
  // second before the switch both are at half alpha.
  auto morph = LoadObject<CMorfing>(
      *core, "<Properties NameModel=\"Portrait_A\" NameModel2=\"Portrait_B\" T1=\"3\" T2=\"3\"/>");
  morph->Load(3);
  for (int i = 0; i < 8; ++i) morph->Update(0.25f, nullptr);
  ASSERT_FLOAT_EQ(morph->GetFirst()->GetAlpha(), 0.5f);
  BeginFrame();
  zuzorev::CRenderSystem& render = core->Render();
  const SRgb under = Pixel(render, 712, 134);
  morph->Render();
  const SRgb first{0.5f * under.r + 0.5f * kRed.r, 0.5f * under.g, 0.5f * under.b};
  ExpectRgb(Pixel(render, 712, 134), {0.5f * first.r, 0.5f * first.g, 0.5f * first.b + 0.5f * kBlue.b},
            "half red under half blue");
  render.End();
}

}  // namespace
