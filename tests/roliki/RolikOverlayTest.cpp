// The cut-scene overlay on its own: the skip button, the closing fade and
// the bars it moves.
#include "roliki/RolikTestSupport.h"

namespace roliktest {
namespace {

class RolikOverlay : public RolikTest {
 protected:
  // One frame of the overlay, with or without a click on the skip button.
  int32_t Frame(bool click, float dt = 0.1f) {
    core.MoveTo(432.0f, 340.0f);
    if (click) core.Click(0);
    core.NextFrame();
    return overlay->Update(dt, core.Cursor());
  }
};

TEST_F(RolikOverlay, TheSkipButtonStartsTheFadeOnceAndNotAfterItWasDimmed) {
  ASSERT_NE(overlay->GetSkipButton(), nullptr);
  ASSERT_NE(overlay->GetTextLabel(), nullptr);
  ASSERT_NE(overlay->GetDarkModel(), nullptr);
  struct SCase {
    const char* what;
    void (*before)(CRolikInterfaceMenu&);
    int32_t firstClick;   // what a click answers
    int32_t secondClick;  // what a click 0.5 s later answers
    float fadeAfter;      // after the second click
  };
  const SCase cases[] = {
      {"live", [](CRolikInterfaceMenu&) {}, 1, 0, 0.6f},
      {"dimmed", [](CRolikInterfaceMenu& o) { o.SetSkipAlpha(-0.5f); }, 0, 0, 0.0f},
      {"dimmed, then reset", [](CRolikInterfaceMenu& o) { o.SetSkipAlpha(0.3f); o.Reset(); }, 1, 0, 0.6f},
      {"fading already", [](CRolikInterfaceMenu& o) { o.StartFade(); }, 0, 0, 0.7f},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.what);
    overlay->Reset();
    overlay->SetFade(0.0f);
    c.before(*overlay);
    EXPECT_EQ(Frame(true), c.firstClick);
    for (int i = 0; i < 5; ++i) Frame(false);
    EXPECT_EQ(Frame(true), c.secondClick);
    EXPECT_NEAR(overlay->GetFade(), c.fadeAfter, 1e-4f);
    EXPECT_EQ(overlay->IsFadeDone(), 0);
  }
  EXPECT_FLOAT_EQ(overlay->GetSkipButton()->GetAlpha(), 1.0f);
  overlay->SetSkipAlpha(-2.0f);
  EXPECT_FLOAT_EQ(overlay->GetSkipButton()->GetAlpha(), 0.0f) << "negative counts as 0";
  EXPECT_EQ(overlay->IsSkipEnabled(), 0);
}

TEST_F(RolikOverlay, TheFadeEndsAfterASecondThenFadesTheSkipButtonAndSlidesTheBarsOut) {
  overlay->Reset();
  overlay->SetBarOffset(32.0f);
  struct SCase {
    float fade;
    int done;
    float barDistance;
  };
  const SCase cases[] = {
      {0.5f, 0, 32.0f}, {1.0f, 0, 32.0f},  {1.25f, 1, 32.0f}, {3.0f, 1, 32.0f},
      {4.0f, 1, 160.0f}, {5.0f, 1, 288.0f}, {6.0f, 1, 288.0f},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.fade);
    overlay->SetFade(c.fade);
    EXPECT_EQ(overlay->IsFadeDone(), c.done);
    EXPECT_FLOAT_EQ(overlay->GetBarDistance(), c.barDistance);
    rovovoz::CGUIBaseObject* top = overlay->GetChild(L"Back1");
    ASSERT_NE(top, nullptr);
    const zormath::Vec3f laidOut = top->GetPosition3D();
    overlay->Render();
    EXPECT_EQ(top->GetPosition3D().z, laidOut.z) << "the bars go back to their places";
    EXPECT_FLOAT_EQ(overlay->GetSkipButton()->GetAlpha(), 1.0f) << "the skip button's fade is for the draw only";
  }
  // The fade grows by the frame time with no bound while it runs.
  overlay->StartFade();
  for (int i = 0; i < 10; ++i) overlay->Update(0.5f, nullptr);
  EXPECT_FLOAT_EQ(overlay->GetFade(), 5.0f);
  // Without a fade it falls back to clear twice as fast.
  overlay->Reset();
  overlay->Update(0.25f, nullptr);
  EXPECT_FLOAT_EQ(overlay->GetFade(), 0.5f);
}

}  // namespace
}  // namespace roliktest
