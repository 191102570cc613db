#include <gtest/gtest.h>

#include <cmath>

#include "Engine/rovovoz/Core.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/GameLight.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/DeviceHeadless.h"
#include "render/RenderTestSupport.h"
#include "support/CoreSupport.h"

namespace {

using rovovoz::CStaticObject3D;

class StaticObjects : public ::testing::Test {
 protected:
  StaticObjects() : core(zuzorev::EDeviceKind::Headless), render(core.Render()) {
    render.GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
    render.Begin();
  }
  const std::vector<zuzorev::SVertex>& LastVertices() {
    return dynamic_cast<zuzorev::CDeviceHeadless*>(render.GetDevice())->LastVertices();
  }
  rendertest::Core core;
  zuzorev::CRenderSystem& render;
};

TEST_F(StaticObjects, LoadModelPlacesTheObjectWhereTheFileDoes) {
  CStaticObject3D key(core.Get()), lantern(core.Get()), none(core.Get());
  ASSERT_EQ(key.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0), 1);
  ASSERT_EQ(lantern.LoadModel(L"Back_1.zorm", std::wstring(L"S_Lantern"), 0x0B, 0), 1);
  EXPECT_TRUE(key.GetPosition3D() == zormath::Vec3f(-270, 40, -120));     // the middle of its box
  EXPECT_TRUE(lantern.GetPosition3D() == zormath::Vec3f(250, 30, -200));  // its pivot line
  EXPECT_EQ(none.LoadModel(L"Back_1.zorm", L"S_Nothing", 8, 0), 0);
  EXPECT_EQ(none.LoadModel(L"Nothing.zorm", L"S_Key", 8, 0), 0);
  CStaticObject3D coreless(nullptr);
  EXPECT_EQ(coreless.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0), 0);
  EXPECT_EQ(coreless.Render(), 0);

  // Moved and brought back.
  key.SetPosition3D(0, 0, 0);
  key.SetAngleAxisY(1.0f);
  key.LoadTransformForMesh();
  EXPECT_TRUE(key.GetPosition3D() == zormath::Vec3f(-270, 40, -120));
  EXPECT_TRUE(key.GetOrientationMatrix3D() == zormath::Mat4f::Identity());
}

TEST_F(StaticObjects, WholeFileLoadsAsOneObject) {
  CStaticObject3D border(core.Get());
  ASSERT_EQ(border.LoadModel(L"obrezka_screen.zorm", nullptr, 15, 0), 1);
  EXPECT_EQ(border.GetMesh()->GetPartCount(), 2);
  border.SetPosition3D(0, 490, 0);
  zuzorev::SAABBox box = border.GetAABBox(1);
  EXPECT_FLOAT_EQ(box.Min.x, -1312.0f);
  EXPECT_FLOAT_EQ(box.Max.x, 1312.0f);
  EXPECT_FLOAT_EQ(box.Min.y, 490.0f);
}

TEST_F(StaticObjects, WorldBoxFollowsScaleRotationAndWorld) {
  CStaticObject3D key(core.Get());
  ASSERT_EQ(key.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0), 1);
  zuzorev::SAABBox box = key.GetAABBox(1);
  EXPECT_FLOAT_EQ(box.Min.x, -334.0f);
  EXPECT_FLOAT_EQ(box.Max.z, -88.0f);
  key.SetScale(2, 1, 0.5f);
  key.SetWorldMatrix3D(zormath::MatrixTranslation(100, 0, 0));
  box = key.GetAABBox(1);
  EXPECT_FLOAT_EQ(box.Min.x, -270.0f - 128.0f + 100.0f);
  EXPECT_FLOAT_EQ(box.Max.z, -120.0f + 16.0f);
  key.SetScale(1, 1, 1);
  key.SetAngleAxisY(static_cast<float>(M_PI / 2));
  box = key.GetAABBox(1);
  EXPECT_NEAR(box.Max.x - box.Min.x, 64.0f, 1e-3f);  // turned a quarter: width and height swap
  EXPECT_NEAR(box.Max.z - box.Min.z, 128.0f, 1e-3f);
}

TEST_F(StaticObjects, DrawingModesReachTheRenderSystem) {
  CStaticObject3D key(core.Get());
  ASSERT_EQ(key.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0), 1);
  key.SetAlpha(0.4f);
  key.Render();
  auto draw = render.GetFrameDraws().back();
  EXPECT_FLOAT_EQ(draw.color[3], 0.4f);
  EXPECT_EQ(draw.blend, zuzorev::EBlend::Alpha);

  key.RenderAsOverlay(0.5f);
  draw = render.GetFrameDraws().back();
  EXPECT_EQ(draw.blend, zuzorev::EBlend::Add);
  EXPECT_FALSE(draw.depthTest);
  EXPECT_FLOAT_EQ(draw.color[3], 0.2f);
  key.RenderAsOverlayZ(1.0f);
  EXPECT_TRUE(render.GetFrameDraws().back().depthTest);

  key.SetAlpha(1.0f);
  key.RenderShadow(16, 16, 0.75f);
  draw = render.GetFrameDraws().back();
  EXPECT_TRUE(draw.flat);
  // Down-right on the screen: +x and -z in the scene.
  EXPECT_FLOAT_EQ(draw.world(3, 0), -270.0f + 16.0f);
  EXPECT_FLOAT_EQ(draw.world(3, 2), -120.0f - 16.0f);

  const size_t before = render.GetFrameDraws().size();
  key.SetVisible(0);
  key.Render();
  key.RenderAsOverlay(1.0f);
  EXPECT_EQ(render.GetFrameDraws().size(), before);
  key.RenderAlways();
  EXPECT_EQ(render.GetFrameDraws().size(), before + 1);

  // The current material instead of the model's: a red pulse.
  zuzorev::SMaterial red;
  red.Diffuse = {1, 0, 0, 0.3f};
  red.Ambient = {1, 0, 0, 0};
  render.SetMaterial(red);
  key.SetVisible(1);
  key.RenderEx(1, 1, 0, 1);
  draw = render.GetFrameDraws().back();
  EXPECT_FLOAT_EQ(draw.color[1], 0.0f);
  EXPECT_FLOAT_EQ(draw.color[3], 0.3f);
}

TEST_F(StaticObjects, TruncatedTextureIsCroppedNotSqueezed) {
  CStaticObject3D bar(core.Get());
  ASSERT_EQ(bar.LoadModel(L"LHT60_MM.ZORM", L"Alpha_loader_shkala", 0x0B, 0), 1);
  zormath::Vec3f p = bar.GetPosition3D();
  bar.SetPosition3D(p.x, p.y, p.z - 895.0f);
  auto uRange = [&] {
    float lo = 1e9f, hi = -1e9f;
    for (const auto& v : LastVertices()) {
      lo = std::min(lo, v.u);
      hi = std::max(hi, v.u);
    }
    return std::pair{lo, hi};
  };
  bar.SetScaleX(0.25f);
  bar.Render();
  EXPECT_FLOAT_EQ(uRange().first, 0.0f);  // squeezed: the whole picture
  bar.RenderTruncateTexture();
  // The mask shrinks toward its right end: only the right quarter shows.
  EXPECT_NEAR(uRange().first, 0.75f, 1e-5f);
  EXPECT_NEAR(uRange().second, 1.0f, 1e-5f);
  EXPECT_FLOAT_EQ(render.GetFrameDraws().back().world(3, 2), -250.0f);
}

TEST_F(StaticObjects, CopiesAreIndependent) {
  CStaticObject3D key(core.Get());
  ASSERT_EQ(key.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0), 1);
  CStaticObject3D copy(key);
  copy.GetMesh()->SetAlphaAll(0.1f);
  copy.SetPosition3D(0, 0, 0);
  EXPECT_FLOAT_EQ(key.GetMesh()->GetAlphaAll(), 1.0f);
  EXPECT_TRUE(key.GetPosition3D() == zormath::Vec3f(-270, 40, -120));
  key.Release(1);
  EXPECT_FALSE(key.IsLoaded());
  ASSERT_TRUE(copy.IsLoaded());
  EXPECT_TRUE(copy.GetMesh()->GetTexture(0, 0)->IsLoaded());
}

TEST_F(StaticObjects, EmbeddedGeometryMovesTheModelInsideIt) {
  CStaticObject3D key(core.Get());
  ASSERT_EQ(key.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0), 1);
  key.GetGeometry()->SetPositionY3D(7);
  key.Render();
  EXPECT_FLOAT_EQ(render.GetFrameDraws().back().world(3, 1), 47.0f);
}

TEST_F(StaticObjects, LightAndAmbientColourTheMaterial) {
  CStaticObject3D key(core.Get());
  ASSERT_EQ(key.LoadModel(L"Back_1.zorm", L"S_Key", 8, 0), 1);
  rovovoz::CGameLight light(core.Get());
  light.Init(L"Light");
  light.SetType(3);
  light.SetDiffuse(0.5f, 0.5f, 0.5f, 1);
  light.Enable(1);
  key.Render();
  EXPECT_FLOAT_EQ(render.GetFrameDraws().back().color[0], 0.5f);
  light.Enable(0);
  key.Render();
  EXPECT_FLOAT_EQ(render.GetFrameDraws().back().color[0], 0.0f);  // the key's ambient is 0
}

TEST(GameCore, MakesTheSubsystemsAndTheInterfaceFactors) {
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
  auto core = std::make_unique<rovovoz::CGameCore>();
  ASSERT_NE(core->GetWindow(), nullptr);
  ASSERT_NE(core->GetInput(), nullptr);
  ASSERT_NE(core->GetRender(), nullptr);
  ASSERT_NE(core->GetTextManager(), nullptr);
  ASSERT_NE(core->GetScript(), nullptr);
  EXPECT_EQ(zorfile::GetFileSystem(), core->GetFileSystem());
  ASSERT_NE(core->GetSound(), nullptr);
  ASSERT_NE(core->GetVideoPlayer(), nullptr);
  ASSERT_NE(core->GetCore(), nullptr);
  EXPECT_EQ(core->GetSound()->GetDevice(), core->GetCore()->GetSound());

  core->GetWindow()->SetDesktopSize(4000, 3000);
  int full = 0;
  ASSERT_GE(core->GetWindow()->Init(L"t", L"t", 101, 2048, 1536, full, nullptr, nullptr), 0);
  zuzorev::SDevInitParams params;
  ASSERT_GE(core->GetRender()->Init(core->GetWindow(), params), 0);
  rovovoz::CalculateInterfaceKoef(core.get());
  EXPECT_FLOAT_EQ(rovovoz::GetKW(), 2.0f);
  EXPECT_FLOAT_EQ(rovovoz::GetKH(), 2.0f);

  // Regaining focus ends a lost device.
  core->GetRender()->mDeviceLost = 1;
  testsupport::Feed(*core->GetWindow(), {zuzorev::SInputEvent::Of(zuzorev::EInputEvent::FocusGained)});
  EXPECT_EQ(core->GetRender()->IsDeviceLost(), 0);

  core.reset();
  EXPECT_EQ(zorfile::GetFileSystem(), nullptr);
}

}  // namespace
