// Particles and the burning texture on the GL device (SDL's offscreen
// driver, Mesa's software GL), pixels read back.
#include <gtest/gtest.h>

#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/Fire.h"
#include "fire/FireTestSupport.h"
#include "support/GLSceneSupport.h"
#include "support/PixelSupport.h"

namespace {

using firetest::FireCore;
using firetest::LoadObject;
using firetest::MakeSystem;
using testsupport::ExpectRgb;
using testsupport::Pixel;
using testsupport::SRgb;

class FireGL : public testsupport::GLSceneTest<FireCore> {
 protected:
  // One square particle of half-size 40 in the middle of the screen.
  std::unique_ptr<PointsSystem> Square(uint32_t color, const wchar_t* seting = nullptr) {
    auto system = MakeSystem(*core, SPointsSystemParams{});
    if (seting) system->SetRenderSetingID(core->Render().GetRenderSetingID(seting));
    system->Emit(0, 50, 0, 0, 0, 0, 0, 0);
    SPointParticle& p = system->GetLastParticle();
    p.Width = p.Height = 40.0f;
    p.Color = color;
    system->FillVertexBuffer();
    return system;
  }
};

TEST_F(FireGL, HalfTransparentParticleOverBlackReadsHalf) {
  auto system = Square(0x80FFFFFFu);
  BeginFrame();
  system->Render();
  ExpectRgb(Pixel(core->Render(), 512, 384), SRgb{128, 128, 128}, "middle of the particle");
  ExpectRgb(Pixel(core->Render(), 600, 384), SRgb{0, 0, 0}, "beside it");
  core->Render().End();
}

TEST_F(FireGL, GlowLayerAddsToWhatLiesBehind) {
  auto back = Square(0xFF646464u);
  auto glow = Square(0x80FFFFFFu, L"MT_PARTICLE_OVERLAY");
  BeginFrame();
  back->Render();
  glow->Render();
  // 100 + 255 x 0.5; a plain blend would give 178.
  ExpectRgb(Pixel(core->Render(), 512, 384), SRgb{228, 228, 228}, "glow over grey");
  core->Render().End();
}

TEST_F(FireGL, HotRowsSitAtTheBottomOfTheQuad) {
  // The hearth covers screen x 448 .. 576, y 320 .. 448.
  auto fire = LoadObject<CFire>(*core, "<Properties NameModel=\"Hearth\" KoefRand=\"2\"/>");
  for (int i = 0; i < 30; ++i) fire->Update(0.1f, nullptr);
  BeginFrame();
  fire->Render();
  auto bandMean = [&](int y0, int y1) {
    float sum = 0.0f;
    int n = 0;
    for (int y = y0; y < y1; y += 2)
      for (int x = 456; x < 568; x += 4, ++n) sum += Pixel(core->Render(), static_cast<float>(x), static_cast<float>(y)).r;
    return sum / static_cast<float>(n);
  };
  const float bottom = bandMean(424, 446);
  const float top = bandMean(322, 344);
  EXPECT_GT(bottom, 60.0f);
  EXPECT_GT(bottom, top + 40.0f) << "bottom " << bottom << " top " << top;
  core->Render().End();
}

}  // namespace
