// The message box of the hint pop-ups: its layout around its point for each
// alignment, and how the player closes it.
#include <gtest/gtest.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUIMessageBox.h"
#include "Engine/zormath/Transform.h"
#include "forms/FormsTestSupport.h"

namespace {

using rovovoz::CGUIMessageBox;

class MessageBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    ASSERT_TRUE(LoadXmlDocument(doc, L"HintBox.xml"));
    ASSERT_GT(box.Load(FirstChildElementUpper(FirstChildElementUpper(&doc, "HintMenu"), "MessageBox"), 3), 0);
    EXPECT_EQ(box.GetVisible(), 0) << "hidden until VisibleBox";
    box.SetTitle(L"Lanterns", 0, L"", 300.0f, 1);
    box.SetText(L"Every lantern of the old hall must burn before the night is over.", 1, L"", 200.0f, 1);
    box.SetButtonProperty(L"OK", L"", L"");
    box.SetCheckProperty(1, L"Do not show again");
    box.SetPosition3D(0.0f, 0.0f, 0.0f);  // the middle of the screen
  }
  // Where a widget of the box shows on the screen.
  zormath::Vec3f OnScreen(const wchar_t* name) {
    zuzorev::SRect r;
    box.GetChild(name)->GetBoxRect(r);
    return zormath::TransformCoord(zormath::Vec3f((r.left + r.right) * 0.5f, (r.top + r.bottom) * 0.5f, 0),
                                   box.GetWorldMatrix2D());
  }
  // A click at a screen point, then one frame of the open box.
  int8_t ClickBox(float x, float y) {
    core.MoveTo(x, y);
    core.Button(true);
    core.Button(false);
    core.Input().Update();
    return box.UpdateBox(0.02f, core.Cursor());
  }
  formstest::Core core;
  TiXmlDocument doc;
  CGUIMessageBox box{core.Get(), nullptr};
};

TEST_F(MessageBox, AlignmentPutsTheBoxBesideItsPoint) {
  const struct {
    int h, v;
    bool leftAt, rightAt, topAt, bottomAt;
  } cases[] = {
      {0, 0, true, false, true, false},   // right of and below the point
      {2, 8, false, true, false, true},   // left of and above it
      {1, 4, false, false, false, false},  // centred on it
  };
  for (const auto& c : cases) {
    box.VisibleBox(c.h, c.v);
    EXPECT_EQ(box.GetVisible(), 1);
    zuzorev::SRect own, screen;
    box.GetRectRender(own);
    box.GetBoxRect(screen);
    EXPECT_EQ(screen.right - screen.left, own.right - own.left);
    EXPECT_EQ(screen.bottom - screen.top, own.bottom - own.top);
    EXPECT_GE(own.right - own.left, 240);
    EXPECT_EQ(screen.left == 512, c.leftAt) << c.h << "," << c.v;
    EXPECT_EQ(screen.right == 512, c.rightAt) << c.h << "," << c.v;
    EXPECT_EQ(screen.top == 384, c.topAt) << c.h << "," << c.v;
    EXPECT_EQ(screen.bottom == 384, c.bottomAt) << c.h << "," << c.v;
    if (c.h == 1) EXPECT_NEAR((screen.left + screen.right) * 0.5, 512, 1);
  }
  // Top to bottom: title, wrapped text, check box, buttons; only OK shows.
  EXPECT_LT(OnScreen(L"Title").y, OnScreen(L"Text").y);
  EXPECT_LT(OnScreen(L"Text").y, OnScreen(L"Check").y);
  EXPECT_LT(OnScreen(L"Check").y, OnScreen(L"BOk").y);
  EXPECT_GT(box.GetChild(L"Text")->GetHeight(), 30.0f) << "wrapped at 200 pixels";
  EXPECT_EQ(box.GetChild(L"BCancel")->GetVisible(), 0);
  EXPECT_EQ(box.GetChild(L"BOk")->GetText(), L"OK");
}

TEST_F(MessageBox, ClosingReportsTheButtonAndTheTickedCheckBox) {
  box.VisibleBox(1, 4);
  EXPECT_EQ(box.UpdateBox(0.02f, core.Cursor()), 0);
  const zormath::Vec3f check = OnScreen(L"Check");
  EXPECT_EQ(ClickBox(check.x, check.y), 0);
  EXPECT_EQ(box.GetCheck(), 1);

  const zormath::Vec3f ok = OnScreen(L"BOk");
  const int8_t result = ClickBox(ok.x, ok.y);
  EXPECT_EQ(static_cast<uint8_t>(result), rovovoz::kMsgClosed | rovovoz::kMsgChecked | rovovoz::kMsgOk);
  EXPECT_LT(result, 0) << "read as a signed byte: negative = closed";
  EXPECT_EQ(box.GetVisible(), 0);
  EXPECT_EQ(box.UpdateBox(0.02f, core.Cursor()), static_cast<int8_t>(rovovoz::kMsgClosed));
}

TEST_F(MessageBox, ABoxWithoutButtonsClosesWithAClickOnIt) {
  box.SetButtonProperty(L"", L"", L"");
  box.SetCheckProperty(0, L"");
  box.VisibleBox(1, 4);
  EXPECT_EQ(ClickBox(100, 100), 0) << "a click elsewhere";
  EXPECT_EQ(static_cast<uint8_t>(ClickBox(512, 384)), rovovoz::kMsgClosed | rovovoz::kMsgClose);
  box.Clear();
  EXPECT_EQ(box.GetVisible(), 0);
}

}  // namespace
