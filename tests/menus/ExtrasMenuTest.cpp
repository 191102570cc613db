// The extras: the guide's pages as the form lists them (bounded however
// few there are), its arrows and chapters, the galleries' enlarge and
// close, the tabs by opening mode, and the wallpaper through an injected
// desktop service (the tester's desktop is never touched).
#include "AppConfig.h"
#include "Interface/ExtrasMenu.h"
#include "Platform/Wallpaper.h"
#include "menus/MenuTestSupport.h"

namespace {

class FakeDesktop : public Platform::CWallpaperService {
 public:
  bool SetWallpaper(const std::wstring& path, Platform::EWallpaperStyle style) override {
    paths.push_back(path);
    styles.push_back(style);
    return answer;
  }
  std::vector<std::wstring> paths;
  std::vector<Platform::EWallpaperStyle> styles;
  bool answer = true;
};

class Extras : public menutest::MenuFixture {
 protected:
  Extras() : notice(gWallpaperMenu, core.Get(), L"Data\\Interface\\WallpaperOkMenu.xml", 9) {
    mGuideWas = gAppConfig.mGuideOn;
    gAppConfig.mGuideOn = 1;
    guide = std::make_unique<CExtrasMenu>(core.Get(), nullptr);
    loaded = guide->Load(L"Data\\Interface\\ExtrasMenu.xml", 9);
    guide->SetWallpaperService(&desktop);
  }
  ~Extras() override { gAppConfig.mGuideOn = mGuideWas; }

  void OpenSettled(CExtrasMenu& m, int mode) {
    m.Open(mode);
    for (int i = 0; i < 100 && m.GetShowState() != 0; ++i) m.Update(0.05f, core.Cursor());
  }
  // A click on a widget where it stands (lift: how much higher than laid out).
  void ClickOn(CExtrasMenu& m, const wchar_t* name, float lift = 0.0f) {
    rovovoz::CGUIBaseObject* w = m.GetChild(name);
    ASSERT_NE(w, nullptr) << testing::PrintToString(std::wstring(name).size());
    zuzorev::SRect box;
    w->GetBoxRect(box);
    core.MoveTo((box.left + box.right) / 2.0f - 512.0f, 384.0f - (box.top + box.bottom) / 2.0f + lift);
    core.Click(0);
    core.NextFrame();
    m.Update(0.01f, core.Cursor());
    core.NextFrame();
  }
  void ClickAt(CExtrasMenu& m, float x, float z, float dt = 0.01f) {
    core.MoveTo(x, z);
    core.Click(0);
    core.NextFrame();
    m.Update(dt, core.Cursor());
    core.NextFrame();
  }

  menutest::Loaded<CWallpaperMenu> notice;
  FakeDesktop desktop;
  std::unique_ptr<CExtrasMenu> guide;
  int32_t loaded = -1;

 private:
  int mGuideWas = 0;
};

TEST_F(Extras, GuidePageKeysNameTheirScreenshots) {
  struct SCase {
    const char* xml;
    std::wstring key;
    std::array<int, 3> screens;
  };
  const std::string long60(60, '7');
  const SCase cases[] = {
      {"<Page Text=\"12\"/>", L"12", {12, 0, 0}},
      {"<Page Text=\"40-42\"/>", L"40-42", {40, 41, 42}},
      {"<Page Text=\"7-9\" scr1=\"1\" scr2=\"2\" scr3=\"3\"/>", L"7-9", {7, 8, 9}},
      {"<Page Text=\"1-2\" scr3=\"5\"/>", L"1-2", {1, 2, 5}},
      {"<Page Text=\"word\" scr1=\"4\" scr2=\"6\"/>", L"word", {0, 6, 0}},
      {"<Page Text=\"1-2-3\" scr1=\"4\"/>", L"1-2-3", {4, 0, 0}},
      {"<Page TEXT=\"3\" SCR2=\"8\"/>", L"3", {3, 8, 0}},
      // A range longer than the three places fills the three only.
      {"<Page Text=\"1-10\"/>", L"1-10", {1, 2, 3}},
      {"<Page scr2=\"5\"/>", L"", {0, 5, 0}},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.xml);
    testsupport::Element page(c.xml);
    const SGuidePage p = CExtrasMenu::ReadPage(page.Get());
    EXPECT_EQ(p.mTextKey, c.key);
    EXPECT_EQ(p.mScreens, c.screens);
  }
  // A key longer than the page record holds is cut to 49 characters.
  testsupport::Element longKey("<Page Text=\"" + long60 + "\"/>");
  EXPECT_EQ(CExtrasMenu::ReadPage(longKey.Get()).mTextKey.size(), 49u);
}

TEST_F(Extras, TheArrowsAndChaptersStayInsideTheShortPageList) {
  ASSERT_GE(loaded, 0);
  ASSERT_TRUE(guide->HasGuidePageWidgets());
  ASSERT_EQ(guide->GetPages().size(), 5u);
  struct SCase {
    const char* name;
    uint32_t finished;
    std::vector<std::pair<const wchar_t*, int>> clicks;  // widget, page after
  };
  const SCase cases[] = {
      {"a chapter past the list opens the last page", 0, {{L"B_glava3", 4}}},
      {"right from the last page wraps to the first", 0, {{L"B_glava7", 4}, {L"BRight", 0}}},
      {"left from the first wraps to the last", 0, {{L"B_obshiePodskazki", 0}, {L"BLeft", 4}}},
      {"the locked bonus chapter does nothing", 0, {{L"B_bonusniyLevel", -1}}},
      {"the bonus chapter once finished", 1, {{L"B_bonusniyLevel", 4}}},
      {"a chapter inside the list", 1, {{L"B_glava1", 2}, {L"BRight", 3}}},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    gCurrentPlayer.mGameFinished = c.finished;
    OpenSettled(*guide, 0);
    if (!guide->IsGuideContents()) ClickOn(*guide, L"BHome", 63.0f);
    ASSERT_EQ(guide->IsGuideContents(), 1);
    EXPECT_EQ(guide->GetChild(L"B_bonusniyLevel")->GetAlpha(), c.finished ? 1.0f : 0.5f);
    const int before = guide->GetPage();
    for (const auto& [widget, page] : c.clicks) {
      const bool pageWidget = std::wstring(widget).rfind(L"B_", 0) != 0;
      ClickOn(*guide, widget, pageWidget ? 63.0f : 0.0f);
      EXPECT_EQ(guide->GetPage(), page < 0 ? before : page);
    }
    EXPECT_EQ(guide->GetChild(L"LNomer")->GetText(), std::to_wstring(guide->GetPage() + 1));
    guide->Close();
    for (int i = 0; i < 100 && guide->GetShowState() != 0; ++i) guide->Update(0.05f, core.Cursor());
    EXPECT_EQ(guide->GetVisible(), 0);
  }
}

TEST_F(Extras, AGuideWithoutPagesOrPageWidgetsShowsItsContentsOnly) {
  const struct {
    const char* name;
    const char* xml;
    bool widgets;
  } cases[] = {
      {"no pages", "<Form><Button Name=\"B_glava1\" X=\"0\" Y=\"0\" Width=\"50\" Height=\"50\"/>"
                   "<Button Name=\"BLeft\" X=\"100\" Y=\"100\" Width=\"50\" Height=\"50\"/>"
                   "<Button Name=\"BRight\"/><Button Name=\"BHome\"/><Label Name=\"BFonPage\"/>"
                   "<Label Name=\"LNomer\"/><Label Name=\"LGuideText\"/></Form>",
       true},
      {"no page widgets", "<Form><Button Name=\"B_glava1\" X=\"0\" Y=\"0\" Width=\"50\" Height=\"50\"/>"
                          "<Page Text=\"1\"/></Form>",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::Element form(c.xml);
    testsupport::LogCapture log;
    CExtrasMenu m(core.Get(), nullptr);
    m.LoadProperty(form.Get(), 0, 9);
    EXPECT_EQ(m.HasGuidePageWidgets(), c.widgets);
    EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error).size(), c.widgets ? 0u : 1u);
    OpenSettled(m, 1);
    ClickOn(m, L"B_glava1");
    EXPECT_EQ(m.IsGuideContents(), 1);
    EXPECT_EQ(m.GetPage(), 0);
    if (m.GetChild(L"BLeft")) ClickOn(m, L"BLeft");
    EXPECT_EQ(m.GetPage(), 0);
    m.Render();
  }
}

TEST_F(Extras, OverTheGameTheTabsAreNeitherDrawnNorUsable) {
  OpenSettled(*guide, 1);
  ClickOn(*guide, L"B1");
  EXPECT_EQ(guide->GetTab(), CExtrasMenu::kTabGuide);
  guide->Close();
  for (int i = 0; i < 100 && guide->GetShowState() != 0; ++i) guide->Update(0.05f, core.Cursor());
  OpenSettled(*guide, 0);
  ClickOn(*guide, L"B1");
  EXPECT_EQ(guide->GetTab(), CExtrasMenu::kTabConcepts);
  EXPECT_EQ(guide->GetChild(L"Title")->GetText(), guide->GetChild(L"B1")->GetText());
  // Esc does nothing here.
  PressEsc();
  guide->Update(0.05f, core.Cursor());
  EXPECT_EQ(guide->GetShowState(), 0);
  EXPECT_EQ(guide->GetVisible(), 1);
}

TEST_F(Extras, WithoutTheGuideTheWindowOpensOnTheConceptArt) {
  gAppConfig.mGuideOn = 0;
  CExtrasMenu plain(core.Get(), nullptr);
  ASSERT_GE(plain.Load(L"Data\\Interface\\ExtrasMenu.xml", 9), 0);
  EXPECT_FLOAT_EQ(plain.GetChild(L"B1")->GetPosition3D().x - guide->GetChild(L"B1")->GetPosition3D().x, 100.0f);
  EXPECT_FLOAT_EQ(plain.GetChild(L"B3")->GetPosition3D().x - guide->GetChild(L"B3")->GetPosition3D().x, -100.0f);
  OpenSettled(plain, 1);
  EXPECT_EQ(plain.GetTab(), CExtrasMenu::kTabConcepts);
}

TEST_F(Extras, AnEnlargedPictureGrowsPagesOnAndTakesHalfASecondToClose) {
  OpenSettled(*guide, 0);
  ClickOn(*guide, L"B1");
  ASSERT_EQ(guide->GetTab(), CExtrasMenu::kTabConcepts);
  ASSERT_EQ(guide->GetConcepts().size(), 13u);
  ClickAt(*guide, -280.0f, 134.0f);  // the first thumbnail
  EXPECT_EQ(guide->GetSelectedConcept(), 0);
  for (int i = 0; i < 25; ++i) guide->Update(0.05f, core.Cursor());
  EXPECT_FLOAT_EQ(guide->GetConceptZoom(), 1.0f);
  ClickAt(*guide, 0.0f, 0.0f);  // anywhere on the picture: the next one
  EXPECT_EQ(guide->GetSelectedConcept(), 1);
  ClickOn(*guide, L"BCloseSmall");
  float t = 0.01f;
  while (guide->GetSelectedConcept() != -1 && t < 3.0f) {
    guide->Update(0.05f, core.Cursor());
    t += 0.05f;
  }
  EXPECT_NEAR(t, 0.5f, 0.06f);
  // The last picture pages on to the first.
  ClickAt(*guide, -280.0f + 2 * 140.0f, 134.0f - 2 * 110.0f);  // the thirteenth
  ASSERT_EQ(guide->GetSelectedConcept(), 12);
  for (int i = 0; i < 25; ++i) guide->Update(0.05f, core.Cursor());
  ClickAt(*guide, 0.0f, 0.0f);
  EXPECT_EQ(guide->GetSelectedConcept(), 0);
}

TEST_F(Extras, AWallpaperGoesToTheDesktopOnlyInAWindowAndTheNoticeOpensEitherWay) {
  OpenSettled(*guide, 0);
  ClickOn(*guide, L"B3");
  ASSERT_EQ(guide->GetTab(), CExtrasMenu::kTabWallpapers);
  ClickOn(*guide, L"L_wallpaper2_1280x800");
  ASSERT_EQ(desktop.paths.size(), 1u);
  const std::filesystem::path set(desktop.paths[0]);
  EXPECT_TRUE(set.is_absolute());
  EXPECT_EQ(set.filename(), "LHT60_wallpaper2_1280x800.jpg");
  EXPECT_TRUE(std::filesystem::exists(set));
  EXPECT_EQ(desktop.styles[0], Platform::EWallpaperStyle::Stretch);
  EXPECT_EQ(gWallpaperMenu->GetVisible(), 1);
  // While the notice is open the window ignores its buttons.
  ClickOn(*guide, L"L_wallpaper1_1024x768");
  EXPECT_EQ(desktop.paths.size(), 1u);

  // A desktop that cannot take it is reported, and the notice still shows.
  desktop.answer = false;
  testsupport::LogCapture log;
  gWallpaperMenu->SetVisible(0);
  guide->SetDesktopWallpaper(L"/x/y.jpg", 1, true);
  EXPECT_EQ(desktop.styles.back(), Platform::EWallpaperStyle::Tile);
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Warning).size(), 1u);
  EXPECT_EQ(gWallpaperMenu->GetVisible(), 0);  // quiet: no notice
}

}  // namespace
