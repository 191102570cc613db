// The hint pop-up: its file, the queue with its fades, and where the box
// and its arrow stand.
#include <cmath>
#include <cstring>

#include "Engine/rovovoz/GUIMessageBox.h"
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

}  // namespace
