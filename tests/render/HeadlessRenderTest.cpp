// What the render system does with the game's calls, seen on the headless
// device: the draws it records, the states it resolves, the frame's default
// state and the checks on vertex data.
#include <gtest/gtest.h>

#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/DeviceHeadless.h"
#include "render/RenderTestSupport.h"

namespace {

using zuzorev::SDrawRecord;

class HeadlessRender : public ::testing::Test {
 protected:
  HeadlessRender() : device(zuzorev::EDeviceKind::Headless), render(device.Render()) {
    render.GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
  }
  const SDrawRecord& Last() { return render.GetFrameDraws().back(); }
  rendertest::ScopedFileSystem fs;
  rendertest::Device device;
  zuzorev::CRenderSystem& render;
};

TEST_F(HeadlessRender, RenderMeshExFlagsChooseOwnOrBoundState) {
  zuzorev::CMesh mesh;
  ASSERT_GE(render.LoadMesh(L"Back_1.zorm", mesh, L"S_Key", 3, 0), 0);
  zuzorev::CTexture frame;
  ASSERT_GE(render.LoadTexture(L"hall_wick.png", frame, 1, 0), 0);
  const int overlay = render.GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH_OVERLAY");
  zuzorev::SMaterial red;
  red.Diffuse = {1, 0, 0, 0.25f};
  render.Begin();
  render.BindTexture(0, frame);
  render.BindRenderSeting(overlay, 1, 0);
  render.SetMaterial(red);
  struct Case {
    int ownSeting, ownTextures, ownMaterial;
    const wchar_t* seting;
    const wchar_t* texture;
    float red, alpha;
  } cases[] = {
      {1, 1, 1, L"MT_TEXTURE_ALPHA_SMOOTH", L"hall_key.png", 1, 1},
      {1, 0, 1, L"MT_TEXTURE_ALPHA_SMOOTH", L"hall_wick.png", 1, 1},      // the bound frame texture
      {0, 1, 1, L"MT_TEXTURE_ALPHA_SMOOTH_OVERLAY", L"hall_key.png", 1, 1},  // the bound setting
      {1, 1, 0, L"MT_TEXTURE_ALPHA_SMOOTH", L"hall_key.png", 1, 0.25f},    // the current material
  };
  for (const auto& c : cases) {
    ASSERT_GE(render.RenderMeshEx(mesh, c.ownSeting, c.ownTextures, c.ownMaterial, 1), 0);
    EXPECT_EQ(Last().seting, c.seting);
    EXPECT_EQ(Last().texture0, c.texture);
    EXPECT_FLOAT_EQ(Last().color[0], c.red);
    EXPECT_FLOAT_EQ(Last().color[1], c.ownMaterial ? 1.0f : 0.0f);
    EXPECT_FLOAT_EQ(Last().color[3], c.alpha);
  }
  mesh.SetAlphaAll(0.5f);
  render.RenderMesh(mesh, 0, 1);
  EXPECT_FLOAT_EQ(Last().color[3], 0.5f);
}

TEST_F(HeadlessRender, EveryFrameStartsFromTheDefaultState) {
  zuzorev::CMesh mesh;
  ASSERT_GE(render.LoadMesh(L"Back_1.zorm", mesh, L"S_Desk", 3, 0), 0);
  zuzorev::CTexture dust;
  render.LoadTexture(L"glow.png", dust, 1, 0);
  render.Begin();
  render.SetTransform(zuzorev::kTransformWorld, zormath::MatrixTranslation(5, 0, 0));
  render.SetTransform(zuzorev::kTransformTexture0, zormath::MatrixTranslation(0.5f, 0, 0));
  render.SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, 2);
  render.SetTextureStageState(1, zuzorev::kTssTexCoordIndex, zuzorev::kTexCoordCameraSpacePosition);
  render.BindTexture(1, dust);
  render.BindRenderSeting(render.GetRenderSetingID(L"MT_FIRE"), 1, 0);
  render.SetZEnable(1);
  render.RenderMeshEx(mesh, 0, 1, 1, 1);
  SDrawRecord dirty = Last();
  EXPECT_TRUE(dirty.tex0Transform);
  EXPECT_EQ(dirty.texture1, L"glow.png");
  EXPECT_EQ(dirty.seting, L"MT_FIRE");
  EXPECT_TRUE(dirty.depthTest);
  render.End();

  render.Begin();
  EXPECT_TRUE(render.GetFrameDraws().empty());
  render.RenderMeshEx(mesh, 0, 1, 1, 1);
  const SDrawRecord& clean = Last();
  EXPECT_FALSE(clean.tex0Transform);
  EXPECT_TRUE(clean.texture1.empty());
  EXPECT_TRUE(clean.seting.empty());
  EXPECT_TRUE(clean.world == zormath::Mat4f::Identity());
  EXPECT_TRUE(clean.depthTest);  // SetZEnable stays as set
  EXPECT_EQ(render.GetTextureStageState(1, zuzorev::kTssTexCoordIndex), 1u);
}

TEST_F(HeadlessRender, VertexBuffersAreDrawnOnlyWithinTheirBounds) {
  std::unique_ptr<zuzorev::CVertexBuffer> vb(render.CreateVertexBuffer(6 * 24, 24, 0, 0x142, 1));
  ASSERT_TRUE(vb);
  auto* v = static_cast<zuzorev::SVertex*>(vb->Lock(0, 0, 0));
  ASSERT_NE(v, nullptr);
  for (int i = 0; i < 6; ++i) v[i] = zuzorev::SVertex{float(i), 0, 0, 0x80FFFFFFu, 0, 0};
  render.Begin();
  render.BindDeclaration(render.GetDeclarationID(L"XYZDiffuseTex1"));
  render.SetVertexBuffer(0, vb.get(), 0);
  EXPECT_LT(render.DrawPrimitive(zuzorev::kPrimTriangleList, 0, 2), 0);  // still locked
  ASSERT_GE(vb->Unlock(), 0);
  struct Case {
    int first, count;
    bool ok;
  } cases[] = {{0, 2, true}, {3, 1, true}, {1, 2, false}, {0, 3, false}, {-1, 1, false}, {0, 0, false}};
  for (const auto& c : cases)
    EXPECT_EQ(render.DrawPrimitive(zuzorev::kPrimTriangleList, c.first, c.count) >= 0, c.ok)
        << c.first << "," << c.count;
  EXPECT_EQ(render.GetFrameDraws().size(), 2u);
  auto* headless = dynamic_cast<zuzorev::CDeviceHeadless*>(render.GetDevice());
  ASSERT_EQ(headless->LastVertices().size(), 3u);
  EXPECT_FLOAT_EQ(headless->LastVertices()[0].x, 3.0f);
  EXPECT_EQ(render.CreateVertexBuffer(0, 24, 0, 0x142, 1), nullptr);
}

TEST_F(HeadlessRender, UserPointerDrawsFollowTheDeclaration) {
  EXPECT_EQ(render.GetDeclarationID(L"XYZTex1"), 1);
  EXPECT_EQ(render.GetDeclarationID(L"XYZDiffuseTex1"), 0);
  EXPECT_EQ(render.GetDeclarationID(L"XYZNormal"), -1);
  render.Begin();
  zuzorev::SVertexTex quad[4] = {{0, 0, 0, 0, 1}, {1, 0, 0, 1, 1}, {0, 0, 1, 0, 0}, {1, 0, 1, 1, 0}};
  render.BindDeclaration(1);
  ASSERT_GE(render.DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, 20), 0);
  auto* headless = dynamic_cast<zuzorev::CDeviceHeadless*>(render.GetDevice());
  ASSERT_EQ(headless->LastVertices().size(), 4u);
  EXPECT_EQ(headless->LastVertices()[3].color, 0xFFFFFFFFu);  // no colour in XYZTex1: white
  EXPECT_FLOAT_EQ(headless->LastVertices()[3].u, 1.0f);
  EXPECT_LT(render.DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, 12), 0);  // stride too short
  render.BindDeclaration(0);
  EXPECT_LT(render.DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, 20), 0);
  EXPECT_LT(render.DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, nullptr, 24), 0);
  EXPECT_LT(render.BindDeclaration(7), 0);
  EXPECT_LT(render.BindRenderSeting(999, 1, 0), 0);
}

TEST_F(HeadlessRender, LostDeviceCodesAreForcedByTests) {
  EXPECT_EQ(render.TestCooperativeLevel(), 0);
  render.SetTestCooperativeLevel(zuzorev::kDeviceNotReset);
  EXPECT_EQ(render.TestCooperativeLevel(), static_cast<int32_t>(0x8876086C));
  render.mDeviceLost = 1;
  EXPECT_EQ(render.IsDeviceLost(), 1);
  zuzorev::SDevInitParams params;
  render.ReInit(&device.Window(), params, 1);
  EXPECT_EQ(render.IsDeviceLost(), 0);
}

TEST_F(HeadlessRender, ReInitFailuresAreForcedByTestsAndChangeNothing) {
  zuzorev::CWindowSystem& window = device.Window();
  window.SetDesktopSize(1600, 1200);
  int full = 0;
  ASSERT_GE(window.ReInit(800, 600, full, nullptr), 0);
  zuzorev::SDevInitParams params;
  params.Width = 800;
  params.Height = 600;
  const int widthBefore = render.GetBackBufferWidth();
  ASSERT_NE(widthBefore, 800);
  render.SetTestReInitFailures(2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(render.ReInit(&window, params, 1), zuzorev::kFail) << i;
    EXPECT_EQ(render.GetBackBufferWidth(), widthBefore) << "a failed mode change keeps the old mode";
  }
  EXPECT_EQ(render.GetTestReInitFailures(), 0);
  EXPECT_GE(render.ReInit(&window, params, 1), 0) << "only the next two fail";
  EXPECT_EQ(render.GetBackBufferWidth(), 800);
  EXPECT_EQ(render.GetBackBufferHeight(), 600);
}

TEST_F(HeadlessRender, ModesAreWindowSizesThatFitTheDesktop) {
  device.Window().SetDesktopSize(1280, 1024);
  zuzorev::SFindModeParams params;
  zuzorev::SDisplayModeI modes;
  ASSERT_GE(render.FindMode(params, modes), 0);
  bool has1024 = false, hasDesktop = false;
  for (const auto& m : modes.Modes) {
    EXPECT_GE(m.Width, 800);
    EXPECT_GE(m.Height, 600);
    EXPECT_LE(m.Width, 1280);
    EXPECT_LE(m.Height, 1024);
    ASSERT_FALSE(m.RefreshRates.empty());
    EXPECT_TRUE(std::is_sorted(m.RefreshRates.begin(), m.RefreshRates.end()));
    has1024 |= m.Width == 1024 && m.Height == 768;
    hasDesktop |= m.Width == 1280 && m.Height == 1024;
  }
  EXPECT_TRUE(has1024);
  EXPECT_TRUE(hasDesktop);
  EXPECT_EQ(device.Window().IsModeFullScreen(1280, 1024), 1);
  EXPECT_EQ(device.Window().IsModeFullScreen(1024, 768), 0);
}

TEST_F(HeadlessRender, VirtualScreenKeepsItsAspectUnlessWide) {
  zuzorev::CWindowSystem& window = device.Window();
  window.SetDesktopSize(3000, 2000);
  int full = 0;
  zuzorev::SDevInitParams params;
  params.Width = 1280;
  params.Height = 720;
  ASSERT_GE(window.ReInit(1280, 720, full, nullptr), 0);
  ASSERT_GE(render.ReInit(&window, params, 1), 0);
  EXPECT_EQ(render.GetTempWideRegim(), 1);
  EXPECT_EQ(render.IsWideMode(), 0);
  // 4:3 in the middle: 960 x 720 from x 160.
  EXPECT_EQ(render.GetViewport().x, 160);
  EXPECT_EQ(render.GetViewport().width, 960);
  float vx = 0, vy = 0;
  render.WindowToVirtual(160, 0, vx, vy);
  EXPECT_NEAR(vx, 0.0f, 1e-3f);
  render.WindowToVirtual(640, 360, vx, vy);
  EXPECT_NEAR(vx, 512.0f, 1e-3f);
  EXPECT_NEAR(vy, 384.0f, 1e-3f);

  params.Wide = 1;
  ASSERT_GE(render.ReWide(params), 0);
  EXPECT_EQ(render.IsWideMode(), 1);
  EXPECT_NEAR(render.GetWideKoefX(), (1280.0f / 720.0f) / (4.0f / 3.0f), 1e-4f);
  EXPECT_FLOAT_EQ(render.GetWideKoefY(), 1.0f);
  EXPECT_EQ(render.GetViewport().width, 1280);
  render.WindowToVirtual(0, 0, vx, vy);
  EXPECT_NEAR(vx, 512.0f - 640.0f / (720.0f / 768.0f), 1e-2f);  // left of the 1024 columns
  float wx = 0, wy = 0;
  render.VirtualToWindow(512, 384, wx, wy);
  EXPECT_NEAR(wx, 640.0f, 1e-3f);
  EXPECT_NEAR(wy, 360.0f, 1e-3f);
}

TEST_F(HeadlessRender, FontsComeFromTheDataOrTheSystem) {
  testsupport::LogCapture log;
  testsupport::TempDir dir;
  dir.Write("Data/Fonts/Main.xml", "<FontMetrik Name=\"Body\"/>");
  dir.Write("Data/Fonts/Shadow.xml", "<FontEffect Kind=\"Shadow\"/>");
  rendertest::ScopedFileSystem own(dir.Path());
  EXPECT_GE(render.AddResourceFont(L"DejaVuSans.ttf", L"Data\\Fonts\\Main.xml"), 0);
  EXPECT_TRUE(render.HasFontResource(L"body"));  // named by the metrics file
  EXPECT_GE(render.AddResourceFontEffect(L"Title", L"DejaVuSans-Bold.ttf", L"Data\\Fonts\\Shadow.xml", L""), 0);
  EXPECT_LT(render.AddResourceFont(L"NoSuchFont.ttf", L""), 0);
  EXPECT_LT(render.AddResourceFontEffect(L"X", L"DejaVuSans.ttf", L"Data\\Fonts\\Missing.xml", L""), 0);

  zuzorev::CFont body, title, none;
  ASSERT_GE(render.CreateFontW(body, L"Body", 20, 0), 0);
  EXPECT_GT(body.GetMaxHChar(), 15);
  EXPECT_LT(body.GetMaxHChar(), 40);
  EXPECT_GT(body.GetTextWidth(L"Lantern"), body.GetTextWidth(L"Lamp"));
  EXPECT_LT(render.CreateFontW(none, L"Unknown", 20, 0), 0);
  ASSERT_GE(render.CreateFontW(title, L"Title", 30, 1), 0);

  // Wrapping at the rectangle, one draw per line, shadow first.
  const auto lines = render.WrapText(body, L"a keeper lights the lantern in the hall", body.GetTextWidth(L"a keeper lights"));
  ASSERT_GE(lines.size(), 2u);
  render.Begin();
  zuzorev::SRect rect{0, 0, 200, 100};
  ASSERT_GE(render.DrawTextW(title, L"Hall", rect, 0, 0xFFFFFFFFu, 2, 0xFF000000u, 5), 0);
  ASSERT_EQ(render.GetFrameDraws().size(), 2u);
  EXPECT_EQ(render.GetFrameDraws()[0].text, L"Hall");
  EXPECT_FLOAT_EQ(render.GetFrameDraws()[0].color[0], 1.0f);
  EXPECT_LT(render.DrawTextW(none, L"x", rect, 0, 0xFFFFFFFFu, 4), 0);
}

// A font file that is empty or not a font is refused when registered, and a
// metrics file that cannot be read is named; each with its file's name.
TEST_F(HeadlessRender, FontFilesThatCannotServeAreNamedWhenRegistered) {
  const struct {
    const char* name;
    const char* font;     // written as Data/Fonts/F.ttf (null: the system's DejaVuSans.ttf)
    const char* metrics;  // written as Data/Fonts/M.xml (null: no such file)
    bool ok;
    zuzorev::ELogLevel level;
    std::vector<std::wstring> lines;  // at `level`
  } cases[] = {
      {"good", nullptr, "<FontMetrik Name=\"Body\"/>", true, zuzorev::ELogLevel::Warning, {}},
      {"empty font", "", "<FontMetrik/>", false, zuzorev::ELogLevel::Error,
       {L"Font file Data\\Fonts\\F.ttf is not a font (empty or unreadable)."}},
      {"garbage font", "not a font at all", "<FontMetrik/>", false, zuzorev::ELogLevel::Error,
       {L"Font file Data\\Fonts\\F.ttf is not a font (empty or unreadable)."}},
      {"missing metrics", nullptr, nullptr, true, zuzorev::ELogLevel::Warning,
       {L"No find font metrics Data\\Fonts\\M.xml."}},
      {"metrics of another kind", nullptr, "<FontEffect/>", true, zuzorev::ELogLevel::Warning,
       {L"Font metrics Data\\Fonts\\M.xml has no FontMetrik root."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempDir dir;
    if (c.font) dir.Write("Data/Fonts/F.ttf", c.font);
    if (c.metrics) dir.Write("Data/Fonts/M.xml", c.metrics);
    rendertest::ScopedFileSystem own(dir.Path());
    testsupport::LogCapture log;
    const int32_t result =
        render.AddResourceFont(c.font ? L"Data\\Fonts\\F.ttf" : L"DejaVuSans.ttf", L"Data\\Fonts\\M.xml");
    EXPECT_EQ(result >= 0, c.ok);
    EXPECT_EQ(log.Texts(c.level), c.lines);
  }
}

}  // namespace
