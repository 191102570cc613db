// Particles on the GL device (SDL's offscreen driver, Mesa's software GL):
// the quads reach the screen where the scene puts them, in their colour.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Engine/rovovoz/ParticleSystem.h"
#include "render/RenderTestSupport.h"

namespace {

TEST(ParticlesOnGL, QuadsShowAtTheirScenePointInTheirColour) {
  auto core = std::make_unique<rendertest::Core>(zuzorev::EDeviceKind::GL);
  if (!core->Ok()) GTEST_SKIP() << "no OpenGL 3.3 context through SDL's offscreen driver (needs libegl-mesa0)";
  zuzorev::CRenderSystem& render = core->Render();
  ASSERT_GE(render.GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1), 0);
  core->SetupCamera();
  render.SetZEnable(0);

  rovovoz::SParticleState red = rovovoz::DefaultParticleState();
  red.texture.clear();
  red.render = L"MT_PARTICLE";
  red.rate = 0;
  red.burst = 1;
  red.speed = 0;
  red.size = red.sizeEnd = 40;
  red.color = red.colorEnd = 0xFFFF0000u;
  rovovoz::CBaseParamInitEmiter block;
  block.mPosition = zormath::Vec3f(100, 50, 0);
  rovovoz::CParticleSystem system(core->Get());
  system.AddEmiter(block, red, 1.0f);
  system.Update(0.1f, nullptr);
  ASSERT_EQ(system.GetParticleCount(), 1);

  ASSERT_GE(render.Clear(), 0);
  ASSERT_GE(render.Begin(), 0);
  system.Render();
  // Scene (100, z 0) is the virtual-screen point (612, 384); the quad is 40
  // across, so 30 units away the background shows.
  uint32_t inside = 0, outside = 0;
  ASSERT_TRUE(render.ReadVirtualPixel(612.5f, 384.5f, inside));
  ASSERT_TRUE(render.ReadVirtualPixel(642.5f, 384.5f, outside));
  EXPECT_GE((inside >> 16) & 255, 250u);
  EXPECT_LE((inside >> 8) & 255, 5u);
  EXPECT_LE(inside & 255, 5u);
  EXPECT_NE(inside & 0xFFFFFFu, outside & 0xFFFFFFu);
  render.End();
}

}  // namespace
