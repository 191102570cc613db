// The sample game's intro drawn on the GL device (SDL's offscreen driver,
// Mesa's software GL), pixels read back: the picture between its bars, a
// subtitle only at its time, and the screen black once skipped.
#include "roliki/RolikTestSupport.h"

namespace roliktest {
namespace {

struct SPixel {
  int r, g, b;
};

class RolikGL : public RolikTest {
 protected:
  RolikGL() : RolikTest(zuzorev::EDeviceKind::GL) {}

  void Draw(CBaseRolik& rolik) {
    zuzorev::CRenderSystem& render = *core.Get()->GetRender();
    testsupport::SetupGameCamera(*core.Get());
    render.SetZEnable(0);
    ASSERT_GE(render.Clear(), 0);
    ASSERT_GE(render.Begin(), 0);
    rolik.Render();
  }
  SPixel At(int x, int y) {
    uint32_t argb = 0;
    EXPECT_TRUE(core.Get()->GetRender()->ReadVirtualPixel(x + 0.5f, y + 0.5f, argb));
    return {static_cast<int>((argb >> 16) & 255), static_cast<int>((argb >> 8) & 255), static_cast<int>(argb & 255)};
  }
  // Pixels of the subtitles' light ink in the lower bar.
  int SubtitleInk() {
    int count = 0;
    for (int y = 684; y < 740; y += 2)
      for (int x = 112; x < 912; x += 2) {
        const SPixel p = At(x, y);
        if (p.r > 150 && p.g > 140 && p.b > 110) ++count;
      }
    return count;
  }
};

TEST_F(RolikGL, TheIntroShowsItsPictureBetweenTheBarsAndASubtitleOnlyAtItsTime) {
  CBaseRolik intro(core.Get(), L"Intro", L"Intro.xml");
  ASSERT_EQ(intro.LoadFile(3), 1);
  struct SCase {
    float time;
    bool subtitle;
  };
  for (const SCase& c : {SCase{0.2f, false}, SCase{1.5f, true}, SCase{2.9f, false}, SCase{4.0f, true}}) {
    SCOPED_TRACE(c.time);
    PlayTo(intro, c.time);
    Draw(intro);
    const SPixel sky = At(200, 200);
    EXPECT_LT(sky.r, 40);
    EXPECT_GT(sky.b, sky.r + 30) << "the night-blue picture";
    const SPixel bar = At(500, 40);
    EXPECT_LT(bar.r + bar.g + bar.b, 30) << "the upper bar";
    if (c.subtitle)
      EXPECT_GT(SubtitleInk(), 40);
    else
      EXPECT_EQ(SubtitleInk(), 0);
  }

  ClickSkip(intro);
  for (int i = 0; i < 6; ++i) intro.Update(0.2f, core.Cursor());
  ASSERT_TRUE(intro.IsEndPlay());
  Draw(intro);
  const SPixel dark = At(200, 200);
  EXPECT_LT(dark.r + dark.g + dark.b, 20) << "faded to black";
}

}  // namespace
}  // namespace roliktest
