// The panel drawn on the GL device (SDL's offscreen driver, Mesa's software
// GL), pixels read back: the inventory strip in an adventure scene and the
// hidden-object list in a hidden-object scene.
#include "Engine/rovovoz/Camera.h"
#include "panel/PanelTestSupport.h"

namespace {

struct SPixel {
  int r, g, b;
};

class PanelGL : public ::testing::Test {
 protected:
  void SetUp() override {
    core = std::make_unique<paneltest::PanelCore>(zuzorev::EDeviceKind::GL);
    if (!core->Ok()) GTEST_SKIP() << "no GL context";
    gCurrentPlayer = PlayerRecord();
    logic = std::make_unique<paneltest::TestLogic>(core->Get());
    panel = std::make_unique<CGamePanel>(core->Get(), nullptr);
    ASSERT_EQ(panel->Load(L"Data\\Interface\\GamePanel.xml", 3), 0);
    panel->SetBack(&episod);
    panel->RestoreFromPlayer();
  }
  void TearDown() override {
    panel.reset();
    logic.reset();
    core.reset();
    gCurrentPlayer = PlayerRecord();
  }
  void Draw() {
    zuzorev::CRenderSystem& render = *core->Get()->GetRender();
    rovovoz::CCamera camera(core->Get());
    camera.SetProjectionType(0);
    camera.SetFovX(1024.0f);
    camera.SetFovY(768.0f);
    camera.SetFarDist(1110.0f);
    camera.SetNearDist(0.1f);
    camera.SetPosition(0, 1010, 0);
    camera.SetDirection(zormath::Vec3f(0, -1, 0), zormath::Vec3f(0, 0, 1));
    camera.Update(0.0f, nullptr);
    render.SetTransform(zuzorev::kTransformView, camera.GetViewMatrix());
    render.SetTransform(zuzorev::kTransformProjection, camera.GetProjectionMatrix(1));
    render.SetZEnable(0);
    ASSERT_GE(render.Clear(), 0);
    ASSERT_GE(render.Begin(), 0);
    panel->Render();
  }
  SPixel At(int x, int y) {
    uint32_t argb = 0;
    EXPECT_TRUE(core->Get()->GetRender()->ReadVirtualPixel(x + 0.5f, y + 0.5f, argb));
    return {static_cast<int>((argb >> 16) & 255), static_cast<int>((argb >> 8) & 255), static_cast<int>(argb & 255)};
  }
  // Pixels of the list's red ink inside a screen rectangle.
  int InkPixels(int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; y += 2)
      for (int x = x0; x < x1; x += 2) {
        const SPixel p = At(x, y);
        if (p.r > 90 && p.g < 90 && p.b < 90 && p.r > p.g + 40) ++count;
      }
    return count;
  }
  std::unique_ptr<paneltest::PanelCore> core;
  std::unique_ptr<paneltest::TestLogic> logic;
  std::unique_ptr<CGamePanel> panel;
  paneltest::TestEpisod episod;
};

TEST_F(PanelGL, TheStripShowsItsItemsInTheirSlotsOverThePanel) {
  panel->AddSimpleObject(L"Key", L"start");
  panel->AddSimpleObject(L"Wick", L"start");
  Draw();
  // The key's bow: gold at 25, 32 of its 64 x 64 picture, the first slot centred at (276, 725).
  const SPixel bow = At(276 - 32 + 25, 725);
  EXPECT_NEAR(bow.r, 232, 4);
  EXPECT_NEAR(bow.g, 184, 4);
  EXPECT_NEAR(bow.b, 72, 4);
  // The wick: paper at 32, 30 of its picture, the second slot 79 further.
  const SPixel wick = At(355, 725 - 32 + 30);
  EXPECT_NEAR(wick.r, 238, 4);
  EXPECT_NEAR(wick.g, 226, 4);
  EXPECT_NEAR(wick.b, 196, 4);
  // An empty slot shows the panel's backing (0xF0302018 over the black clear).
  const SPixel empty = At(276 + 4 * 79, 725);
  EXPECT_NEAR(empty.r, 45, 3);
  EXPECT_NEAR(empty.g, 30, 3);
  EXPECT_NEAR(empty.b, 23, 3);
  EXPECT_EQ(InkPixels(176, 690, 340, 720), 0) << "no list in an adventure scene";
}

TEST_F(PanelGL, TheListShowsItsRowsInTheirInkOverItsBacking) {
  episod.sets[L"Hall"] = {{1, L"Candle", {3, 7}, 1.0f}, {6, L"Bell", {1}, 1.0f}};
  panel->SetPanelMode(L"hog");
  panel->SetComplexHogList(L"Hall");
  Draw();
  const SPixel backing = At(860, 760);
  EXPECT_NEAR(backing.r, 0xE8, 3);
  EXPECT_NEAR(backing.g, 0xDC, 3);
  EXPECT_NEAR(backing.b, 0xC0, 3);
  EXPECT_GT(InkPixels(176, 690, 340, 720), 10) << "row 1";
  EXPECT_GT(InkPixels(346, 726, 510, 756), 10) << "row 6";
  EXPECT_EQ(InkPixels(516, 690, 680, 720), 0) << "row 3 is empty";
  EXPECT_EQ(InkPixels(600, 740, 700, 745), 0);
}

}  // namespace
