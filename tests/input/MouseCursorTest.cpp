#include <gtest/gtest.h>

#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Platform/Paths.h"
#include "render/RenderTestSupport.h"
#include "support/CoreSupport.h"

namespace {

using rovovoz::CMouseCursor;
using zormath::Vec3f;

class MouseCursor : public ::testing::Test {
 protected:
  MouseCursor() : core(zuzorev::EDeviceKind::Headless), cursor(core.Get()) {
    core.Get()->GetInput()->Init(core.Get()->GetWindow());
  }
  testsupport::LogCapture log;
  rendertest::Core core;
  CMouseCursor cursor;
};

TEST_F(MouseCursor, CursorsByNameAndByPlaceInTheList) {
  ASSERT_GE(cursor.Load(L"Data\\Cursors\\Cursors.xml"), 0);
  const wchar_t* names[] = {L"cur_def", L"cur_shesternya", L"cur_vzat", L"cur_click", L"cur_glaz", L"cur_lupa"};
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(cursor.SetCursor(i, 0));
    EXPECT_EQ(cursor.GetCursorName(), names[i]);
  }
  ASSERT_TRUE(cursor.SetCursor(L"CUR_VZAT", 1));
  EXPECT_EQ(cursor.GetCursorNumber(), 2);
  EXPECT_FALSE(cursor.SetCursor(L"cur_none", 0));
  EXPECT_FALSE(cursor.SetCursor(6, 0));
  EXPECT_EQ(cursor.GetCursorNumber(), 2);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Warning).empty());
}

TEST_F(MouseCursor, BadListsFail) {
  testsupport::TempDir dir;
  dir.Write("empty.xml", "<Cursors><Hint Name=\"h\"/></Cursors>");
  dir.Write("other.xml", "<Pointers/>");
  core.Get()->GetFileSystem()->InsertPath(Platform::FromPath(dir.Path()), zorfile::kKindXml);
  EXPECT_LT(cursor.Load(L"Data\\Cursors\\Missing.xml"), 0);
  EXPECT_LT(cursor.Load(L"empty.xml"), 0);
  EXPECT_LT(cursor.Load(L"other.xml"), 0);
  EXPECT_FALSE(cursor.SetCursor(0, 0));
  cursor.Render();  // nothing to draw, nothing breaks
}

TEST_F(MouseCursor, PositionsOnTheScreenAndInTheScene) {
  cursor.SetPosition(612, 284, 1);
  Vec3f p;
  cursor.GetPosition(p, 1);
  EXPECT_TRUE(p == Vec3f(612, 284, 0));
  EXPECT_TRUE(cursor.GetPosition3D(1) == Vec3f(100, 0, 100));
  cursor.SetPosition3D(Vec3f(-512, 0, -384), 1);
  cursor.GetPosition(p, 1);
  EXPECT_TRUE(p == Vec3f(0, 768, 0));
  // The pointer moved by the mouse: window points, here 1:1 with the screen.
  testsupport::Feed(*core.Get()->GetWindow(), {zuzorev::SInputEvent::MouseMove(100, 50)});
  cursor.UpdatePosition();
  EXPECT_TRUE(cursor.GetPosition3D(1) == Vec3f(-412, 0, 334));
  EXPECT_EQ(cursor.IsWindow(), 1);
}

TEST_F(MouseCursor, DrawnCursorOrSystemPointer) {
  ASSERT_GE(cursor.Load(L"Data\\Cursors\\Cursors.xml"), 0);
  auto& render = core.Render();
  render.Begin();
  cursor.SetCursor(L"cur_lupa", 0);
  cursor.SetPosition(200, 100, 1);
  cursor.Render();
  ASSERT_EQ(render.GetFrameDraws().size(), 1u);
  EXPECT_EQ(render.GetFrameDraws()[0].texture0, L"Data\\Cursors\\cur_lupa.png");
  cursor.SetVisible(0);
  cursor.Render();
  EXPECT_EQ(render.GetFrameDraws().size(), 1u);
  cursor.SetVisible(1);
  cursor.SetWindowsCursor(1);  // the desktop draws it now
  cursor.Render();
  EXPECT_EQ(render.GetFrameDraws().size(), 1u);
  cursor.SetWindowsCursor(0);
}

TEST_F(MouseCursor, HintLastsForTheFrameItWasSetIn) {
  ASSERT_GE(cursor.Load(L"Data\\Cursors\\Cursors.xml"), 0);
  auto& render = core.Render();
  // Frame 1: the panel sets a hint during its update, then the cursor updates.
  cursor.SetHint(L"hint_def", L"Lantern", Vec3f(0, 800, 50), 1, 8);
  cursor.Update(0.016f);
  render.Begin();
  cursor.RenderHint();
  ASSERT_EQ(render.GetFrameDraws().size(), 2u);  // the box, then the text
  EXPECT_EQ(render.GetFrameDraws()[1].text, L"Lantern");
  // Frame 2: nobody asks for it: gone.
  cursor.Update(0.016f);
  render.Begin();
  cursor.RenderHint();
  EXPECT_TRUE(render.GetFrameDraws().empty());
  EXPECT_FALSE(cursor.IsHintShown());
}

}  // namespace
