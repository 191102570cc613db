// The hint pop-up: its file, the queue with its fades, and where the box
// and its arrow stand.
#include <cmath>
#include <cstring>

#include <fstream>
#include <sstream>

#include "Engine/rovovoz/GUIMessageBox.h"
#include "Engine/rovovoz/ModelAnimation3D.h"
#include "Interface/HintMenu.h"
#include "panel/PanelTestSupport.h"

namespace {

class HintMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!core.Ok()) GTEST_SKIP() << "no headless core";
    core.Get()->GetFileSystem()->InsertPath((testsupport::FixturesDir() / "panel").wstring(), zorfile::kKindXml);
    menu = std::make_unique<CHintMenu>(core.Get());
    ASSERT_TRUE(menu->Load(L"HintTest.xml"));
  }
  int Show(const wchar_t* name, float x, float z, int clear = 1, float rate = 2.0f, int arrow = 0, int autoPlace = 0,
           float distance = 0.0f, int h = 0, int v = 0) {
    if (!menu->SelectHint(name)) return 0;
    const float p[3] = {x, 0.0f, z};
    return menu->Show(p, clear, arrow, autoPlace, distance, rate, h, v);
  }
  paneltest::PanelCore core;
  std::unique_ptr<CHintMenu> menu;
};

TEST_F(HintMenu, DescriptionsTakeDefaultsOverridesAndTheFirstOfANameAndSkipNamelessOnes) {
  const SHintDesc* plain = menu->FindDesc(L"Plain");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->Text, L"A plain hint");
  EXPECT_EQ(plain->Title, L"Title one");
  EXPECT_EQ(plain->ButtonOk, L"OK");
  EXPECT_FLOAT_EQ(plain->MaxLenghtText, 250.0f);
  EXPECT_FLOAT_EQ(plain->MaxLenghtTitle, 300.0f);
  EXPECT_EQ(plain->HasCheck, 1);
  EXPECT_EQ(plain->CheckText, L"Do not show tips");
  const SHintDesc* keyed = menu->FindDesc(L"Keyed");
  ASSERT_NE(keyed, nullptr);
  EXPECT_EQ(keyed->Text, L"The diary keeps your notes and the map of the hall.");
  EXPECT_EQ(keyed->Title, L"Your diary");
  EXPECT_EQ(keyed->SoundOpen, L"I_Info");
  EXPECT_EQ(keyed->SoundClose, L"I_Click");
  EXPECT_EQ(menu->FindDesc(L"Both")->CheckText, L"Literal");
  EXPECT_FALSE(menu->SelectHint(L"no name"));
  EXPECT_TRUE(menu->GetCurrentName().empty());
}

TEST_F(HintMenu, BrokenFilesAreNamedInTheirErrorsAndShowNothing) {
  core.Get()->GetFileSystem()->InsertPath((testsupport::FixturesDir() / "panel").wstring(), zorfile::kKindXml);
  const struct {
    const char* file;
    const char* body;
    const wchar_t* error;
  } cases[] = {
      {"nobox.xml", "<HintMenu><Text Name=\"A\" Value=\"a\"/></HintMenu>", L"No find teg <MessageBox> for xml hint menu"},
      {"other.xml", "<Other/>", L"Load info hint menu for xml other.xml"},
      {"missing.xml", nullptr, L"Load info hint menu for xml missing.xml"},
  };
  testsupport::TempDir dir;
  core.Get()->GetFileSystem()->InsertPath(dir.Path().wstring(), zorfile::kKindXml);
  for (const auto& c : cases) {
    if (c.body) dir.Write(c.file, c.body);
    testsupport::LogCapture log;
    CHintMenu broken(core.Get());
    EXPECT_FALSE(broken.Load(std::wstring(c.file, c.file + std::strlen(c.file))));
    EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, c.error)) << c.error;
    EXPECT_FALSE(broken.SelectHint(L"A"));
    EXPECT_EQ(broken.Show(), 0);
  }
}

TEST_F(HintMenu, AQueuedHintWaitsUntilTheFirstHasFadedOut) {
  core.Quiet();
  ASSERT_EQ(Show(L"Plain", 0, 0), 1);
  EXPECT_TRUE(core.Played(L"Poyavlenie_hinta"));
  EXPECT_TRUE(core.Played(L"I_Info")) << "the hint's own opening sound";
  ASSERT_EQ(Show(L"Keyed", 0, 0, 0), 1);
  ASSERT_EQ(menu->GetQueue().size(), 2u);
  EXPECT_EQ(menu->GetQueue()[0].State, SHintInfo::kFadingIn);
  EXPECT_EQ(menu->GetQueue()[1].State, SHintInfo::kNew);
  menu->Update(0.25f, nullptr);
  EXPECT_FLOAT_EQ(menu->GetQueue()[0].Alpha, 0.5f);
  menu->Update(0.25f, nullptr);
  EXPECT_EQ(menu->GetQueue()[0].State, SHintInfo::kOpen);
  EXPECT_EQ(menu->IsShown(), 1);
  menu->CloseHint(0, 2.0f);
  EXPECT_EQ(menu->IsShown(), 0);
  menu->Update(0.25f, nullptr);
  ASSERT_EQ(menu->GetQueue().size(), 2u);
  menu->Update(0.25f, nullptr);
  ASSERT_EQ(menu->GetQueue().size(), 1u);
  menu->Update(0.0f, nullptr);
  EXPECT_EQ(menu->GetQueue()[0].Name, L"Keyed");
  EXPECT_EQ(menu->GetQueue()[0].State, SHintInfo::kFadingIn);
  EXPECT_EQ(menu->IsShown(), 1);
}

TEST_F(HintMenu, CloseWithoutFadeDropsTheHintAndAnEmptyQueueAnswersClosed) {
  ASSERT_EQ(Show(L"Plain", 0, 0, 1, 0.0f), 1);
  EXPECT_EQ(menu->GetQueue()[0].State, SHintInfo::kOpen);
  menu->CloseHint(0, 0.0f);
  EXPECT_TRUE(menu->GetQueue().empty());
  EXPECT_EQ(static_cast<uint8_t>(menu->Update(0.02f, nullptr)), 128);
  float l = 1, t = 1, r = 1, b = 1;
  menu->GetBoxRect(l, t, r, b);
  EXPECT_EQ(l + t + r + b, 0.0f);
}

TEST_F(HintMenu, ExplicitPlacementMovesTheBoxByTheDistanceAwayFromThePoint) {
  const struct {
    int h, v;
    float dx, dz;
  } cases[] = {{0, 0, 70.710678f, -70.710678f}, {2, 8, -70.710678f, 70.710678f}, {1, 4, 0.0f, 0.0f}, {0, 4, 100, 0}};
  for (const auto& c : cases) {
    ASSERT_EQ(Show(L"Plain", 10.0f, 20.0f, 1, 0.0f, 0, 0, 100.0f, c.h, c.v), 1);
    const zormath::Vec3f at = menu->GetBox()->GetPosition3D();
    EXPECT_NEAR(at.x, 10.0f + c.dx, 1e-3f) << c.h << "/" << c.v;
    EXPECT_NEAR(at.z, 20.0f + c.dz, 1e-3f) << c.h << "/" << c.v;
  }
}

TEST_F(HintMenu, AutomaticPlacementPutsTheBoxOnTheCentreSideWithItsArrow) {
  const struct {
    float x, z;
    int h, v;
  } cases[] = {
      {-300.0f, -200.0f, 0, 8},  // lower left: box above, to the right
      {300.0f, 200.0f, 2, 0},    // upper right: box below, to the left
      {300.0f, -380.0f, 2, 8},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Show(L"Plain", c.x, c.z, 1, 0.0f, 1, 1), 1);
    EXPECT_EQ(menu->GetQueue()[0].HAlign, c.h) << c.x << "," << c.z;
    EXPECT_EQ(menu->GetQueue()[0].VAlign, c.v) << c.x << "," << c.z;
    EXPECT_EQ(menu->IsArrowPlaced(), 1);
    const zormath::Vec3f box = menu->GetBox()->GetPosition3D();
    // The box stands the arrow's width away from the point, on the side the pair names.
    EXPECT_NEAR(std::hypot(box.x - c.x, box.z - c.z), 40.0f, 1e-2f);
    EXPECT_EQ(box.x > c.x, c.h == 0);
    EXPECT_EQ(box.z > c.z, c.v == 8);
  }
}

// The fixture of the animated arrow with its set file and clip name swapped.
std::string AnimArrowHints(const std::string& set, const std::string& clip) {
  std::ifstream in(testsupport::FixturesDir() / "panel" / "HintAnimTest.xml");
  std::stringstream text;
  text << in.rdbuf();
  std::string body = text.str();
  body.replace(body.find("HintArrowAnim.xml"), std::strlen("HintArrowAnim.xml"), set);
  body.replace(body.find("hint_arrow_glow"), std::strlen("hint_arrow_glow"), clip);
  return body;
}

TEST_F(HintMenu, TheAnimatedArrowLoopsItsClipFadesWithTheHintAndBobsTowardsThePoint) {
  CHintMenu hints(core.Get());
  ASSERT_TRUE(hints.Load(L"HintAnimTest.xml"));
  rovovoz::CModelAnimation3D* arrow = hints.GetArrowAnim();
  ASSERT_NE(arrow, nullptr);
  EXPECT_EQ(hints.GetArrowModel(), nullptr);
  ASSERT_TRUE(hints.SelectHint(L"Plain"));
  const zormath::Vec3f p(100.0f, 0.0f, 50.0f);
  const float at[3] = {p.x, p.y, p.z};
  ASSERT_EQ(hints.Show(at, 1, 1, 0, 0.0f, 2.0f, 0, 0), 1);
  ASSERT_EQ(hints.IsArrowPlaced(), 1);
  EXPECT_EQ(arrow->IsState(), rovovoz::kAnimPlaying);
  EXPECT_EQ(arrow->GetCurrentName(), L"hint_arrow_glow");
  EXPECT_FLOAT_EQ(arrow->GetAlpha(L"hint_arrow_glow"), 0.0f);
  // The box stands the arrow's width back along the arrow.
  const zormath::Vec3f box = hints.GetBox()->GetPosition3D();
  const zormath::Vec3f dir = hints.GetArrowDir();
  EXPECT_NEAR(box.x, p.x - dir.x * 40.0f, 1e-3f);
  EXPECT_NEAR(box.z, p.z - dir.z * 40.0f, 1e-3f);

  const struct {
    float dt;
    float alpha;    // the hint's fade, which the arrow takes
    float reach;    // how far from the point the arrow stands
    float clipTime;
  } steps[] = {
      {0.25f, 0.5f, 0.0f, 0.25f},   // a quarter cycle: at the point
      {0.5f, 1.0f, 12.0f, 0.75f},   // three quarters: fully drawn back
      {0.5f, 1.0f, 0.0f, 0.25f},    // a cycle and a quarter: the clip has looped
  };
  for (const auto& s : steps) {
    hints.Update(s.dt, nullptr);
    EXPECT_FLOAT_EQ(arrow->GetAlpha(L"hint_arrow_glow"), s.alpha);
    const zormath::Vec3f now = arrow->GetPosition3D();
    EXPECT_NEAR(std::hypot(now.x - p.x, now.z - p.z), s.reach, 1e-3f) << s.clipTime;
    EXPECT_NEAR(arrow->GetTime(), s.clipTime, 1e-4f);
    EXPECT_EQ(arrow->IsState(), rovovoz::kAnimPlaying);
  }
  zuzorev::CRenderSystem& render = *core.Get()->GetRender();
  render.Begin();
  hints.Render();
  bool drawn = false;
  for (const zuzorev::SDrawRecord& draw : render.GetFrameDraws()) drawn = drawn || draw.mesh == L"Hint_arrow";
  render.End();
  EXPECT_TRUE(drawn);
}

TEST_F(HintMenu, AnArrowAnimationThatDoesNotLoadLeavesTheHintsWithoutArrow) {
  const struct {
    const char* set;
    const char* clip;
  } cases[] = {{"NoSuchSet.xml", "hint_arrow_glow"}, {"HintArrowAnim.xml", "no_such_clip"}, {"", "hint_arrow_glow"}};
  testsupport::TempDir dir;
  core.Get()->GetFileSystem()->InsertPath(dir.Path().wstring(), zorfile::kKindXml);
  for (const auto& c : cases) {
    dir.Write("broken_arrow.xml", AnimArrowHints(c.set, c.clip));
    CHintMenu hints(core.Get());
    ASSERT_TRUE(hints.Load(L"broken_arrow.xml")) << c.set << " " << c.clip;
    EXPECT_EQ(hints.GetArrowAnim(), nullptr);
    ASSERT_TRUE(hints.SelectHint(L"Plain"));
    const float at[3] = {100.0f, 0.0f, 50.0f};
    ASSERT_EQ(hints.Show(at, 1, 1, 0, 0.0f, 0.0f, 0, 0), 1);
    EXPECT_EQ(hints.IsArrowPlaced(), 0);
    EXPECT_FLOAT_EQ(hints.GetBox()->GetPosition3D().x, 100.0f) << "the box stands at the point";
  }
}

TEST_F(HintMenu, TheSampleGamesPopUpHasItsGlowingArrow) {
  testsupport::LogCapture log;
  CHintMenu hints(core.Get());
  ASSERT_TRUE(hints.Load(L"Data\\Interface\\HintMenu.xml"));
  ASSERT_NE(hints.GetArrowAnim(), nullptr);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Warning).empty());
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
  ASSERT_TRUE(hints.SelectHint(L"HintHint"));
  const float at[3] = {-300.0f, 0.0f, -300.0f};
  ASSERT_EQ(hints.Show(at, 1, 1, 1, 0.0f, 2.0f, 0, 0), 1);
  EXPECT_EQ(hints.IsArrowPlaced(), 1);
}

}  // namespace
