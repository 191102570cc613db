// Drawing forms: what the headless device records, and the pixels the GL
// device shows (SDL's offscreen driver on Mesa): fills in their boxes, the
// pointer-over look, a label's text where the label stands, one character
// of a text, and the same draws on both devices.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/GUILabel.h"
#include "forms/FormsTestSupport.h"

namespace {

using rovovoz::CGUIForm;

std::vector<zuzorev::SDrawRecord> DrawOnce(formstest::Core& core, CGUIForm& form) {
  zuzorev::CRenderSystem& render = core.Render();
  render.SetZEnable(0);
  render.Clear();
  render.Begin();
  form.Render();
  return render.GetFrameDraws();
}

bool HasText(const std::vector<zuzorev::SDrawRecord>& draws, const std::wstring& text) {
  return std::any_of(draws.begin(), draws.end(), [&](const auto& d) { return d.text == text; });
}

TEST(FormRenderHeadless, DrawsVisibleWidgetsWithTheirTextsAndSkipsHiddenOnes) {
  formstest::Core core;
  ASSERT_TRUE(core.Ok());
  CGUIForm form(core.Get(), nullptr);
  ASSERT_GT(form.Load(L"TestForm.xml", 3), 0);
  auto draws = DrawOnce(core, form);
  EXPECT_TRUE(HasText(draws, L"Keeper's log"));
  EXPECT_TRUE(HasText(draws, L"OK"));
  EXPECT_TRUE(HasText(draws, L"Cancel"));

  form.GetChild(L"Title")->SetVisible(0);
  draws = DrawOnce(core, form);
  EXPECT_FALSE(HasText(draws, L"Keeper's log"));
  // RenderAlways draws a hidden label; RenderChar only its one letter.
  auto* title = dynamic_cast<rovovoz::CGUILabel*>(form.GetChild(L"Title"));
  core.Render().Begin();
  title->RenderAlways();
  title->RenderChar(2);
  title->RenderChar(99);  // past the end: nothing
  draws = core.Render().GetFrameDraws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].text, L"Keeper's log");
  EXPECT_EQ(draws[1].text, L"e");

  form.SetVisible(0);
  EXPECT_TRUE(DrawOnce(core, form).empty());
}

TEST(FormRenderHeadless, LabelMeasuresAndSetsItsText) {
  formstest::Core core;
  ASSERT_TRUE(core.Ok());
  CGUIForm form(core.Get(), nullptr);
  ASSERT_GT(form.Load(L"TestForm.xml", 3), 0);
  auto* title = dynamic_cast<rovovoz::CGUILabel*>(form.GetChild(L"Title"));
  ASSERT_NE(title, nullptr);
  title->SetInt(35);
  EXPECT_EQ(title->GetText(), L"35");
  const int two = title->GetTextWidth();
  title->SetText(L"3535");
  EXPECT_GT(two, 0);
  EXPECT_NEAR(title->GetTextWidth(), 2 * two, 2);
  EXPECT_GT(title->GetTextHeight(), 20);
  title->SetColor(0xFF800000u);
  EXPECT_EQ(title->GetColor(), 0xFF800000u);
}

// ---- GL -------------------------------------------------------------------

class FormRenderGL : public ::testing::Test {
 protected:
  void SetUp() override {
    core = std::make_unique<formstest::Core>(zuzorev::EDeviceKind::GL);
    if (!core->Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver (needs libegl-mesa0)";
  }
  uint32_t Pixel(int x, int y) {
    uint32_t argb = 0;
    EXPECT_TRUE(core->Render().ReadVirtualPixel(x + 0.5f, y + 0.5f, argb));
    return argb & 0xFFFFFFu;
  }
  std::unique_ptr<formstest::Core> core;
};

TEST_F(FormRenderGL, FillsStandInTheirBoxesAndFollowThePointer) {
  CGUIForm drawn(core->Get(), nullptr);
  ASSERT_GT(drawn.Load(L"TestForm.xml", 3), 0);
  DrawOnce(*core, drawn);
  const struct {
    int x, y;
    uint32_t rgb;
    const char* what;
  } cases[] = {
      {210, 300, 0x202040u, "background"}, {255, 535, 0x406040u, "OK button"},
      {305, 205, 0x101010u, "edit box"},    {100, 100, 0x000000u, "outside the form"},
  };
  for (const auto& c : cases) EXPECT_EQ(Pixel(c.x, c.y), c.rgb) << c.what;

  core->MoveTo(310, 550);
  core->Frame(drawn);
  DrawOnce(*core, drawn);
  EXPECT_EQ(Pixel(255, 535), 0x60A060u) << "pointer over: the over look";
}

TEST_F(FormRenderGL, LabelTextShowsInItsColourCentredInItsBox) {
  CGUIForm drawn(core->Get(), nullptr);
  ASSERT_GT(drawn.Load(L"TestForm.xml", 3), 0);
  auto* title = dynamic_cast<rovovoz::CGUILabel*>(drawn.GetChild(L"Title"));
  DrawOnce(*core, drawn);
  // The title's box: x 300..700, y 110..150; text 0xFFE080 on 0x202040.
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN, count = 0;
  for (int y = 100; y < 160; ++y)
    for (int x = 290; x < 710; ++x) {
      const uint32_t p = Pixel(x, y);
      const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      if (r < 200 || g < 160 || b > 170) continue;
      ++count;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  ASSERT_GT(count, 100) << "no text pixels";
  EXPECT_NEAR((left + right) / 2.0, 500.0, 4.0);
  EXPECT_NEAR((top + bottom) / 2.0, 130.0, 6.0);
  EXPECT_NEAR(right - left + 1, title->GetTextWidth(), 6.0);
  EXPECT_EQ(Pixel(320, 130), 0x202040u) << "left of the centred text: background";
}

TEST_F(FormRenderGL, BothDevicesIssueTheSameDraws) {
  core->Render().SetDrawRecording(true);  // kept by the headless device alone unless asked
  CGUIForm gl(core->Get(), nullptr);
  ASSERT_GT(gl.Load(L"TestForm.xml", 3), 0);
  const auto glDraws = DrawOnce(*core, gl);
  formstest::Core headless;
  ASSERT_TRUE(headless.Ok());
  CGUIForm hl(headless.Get(), nullptr);
  ASSERT_GT(hl.Load(L"TestForm.xml", 3), 0);
  const auto hlDraws = DrawOnce(headless, hl);
  ASSERT_EQ(glDraws.size(), hlDraws.size());
  for (size_t i = 0; i < glDraws.size(); ++i) {
    EXPECT_EQ(glDraws[i].text, hlDraws[i].text) << i;
    EXPECT_EQ(glDraws[i].vertexCount, hlDraws[i].vertexCount) << i;
    EXPECT_EQ(glDraws[i].world, hlDraws[i].world) << i;
  }
}

}  // namespace
