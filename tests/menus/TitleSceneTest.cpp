// The title scene behind the main menu: its set, weather and lights loaded
// from the sample, the windows' light cycles, the logo's glint, the
// splashes and button sparks, the lock over the Extras button, and what a
// sample without some of its files still shows.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/zorfile/FileSystem.h"
#include "Interface/MainMenu.h"
#include "Objects/MaxAnim.h"
#include "menus/MenuTestSupport.h"

namespace {

class WindowProbe : public CMainMenu {
 public:
  using CMainMenu::CMainMenu;
  SWindow& Window(int i) { return mWindows[static_cast<size_t>(i)]; }
  bool HasSet() const { return mDom && mFountain && mTreeLeft && mSway[6] && mUrnLeft; }
  int EffectCount() const {
    int n = 0;
    for (const auto& e : mEffects) n += e ? 1 : 0;
    return n;
  }
  RerivuzoZurodo::CParticleEffect* Effect(int slot) { return mEffects[static_cast<size_t>(slot)].get(); }
  RerivuzoZurodo::CParticleEffect* Splashes() { return mBrizgi.get(); }
  CMaxAnim* Lock() { return mLock.get(); }
  CMaxAnim* Chains() { return mChains.get(); }
  bool HasLogoAndGlint() const { return mLogo && mGlint && mScreenLine.IsNamed(); }
  int WindowCount() const {
    int n = 0;
    for (const SWindow& w : mWindows) n += w.model ? 1 : 0;
    return n;
  }
  void SetGlintTimer(float t) { mGlintTimer = t; }
  using CMainMenu::kEffects;
  using CMainMenu::kFxChange;
  using CMainMenu::kFxExtras;
  using CMainMenu::kFxFountain;
  using CMainMenu::kFxOptions;
  using CMainMenu::kFxPlay;
  using CMainMenu::kFxQuit;
};

class TitleScene : public menutest::MenuFixture {};

TEST_F(TitleScene, TheSampleSetWeatherAndWindowsLoad) {
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  EXPECT_TRUE(menu.HasSet());
  EXPECT_EQ(menu.GetWeatherCount(), 8);
  for (int i = 0; i < CMainMenu::kWindows; ++i) {
    SCOPED_TRACE(i);
    const auto& w = menu.Window(i);
    ASSERT_NE(w.model, nullptr);
    EXPECT_GE(w.cycle - w.dark, 4.0f);
    EXPECT_LE(w.cycle - w.dark, 14.0f);
    EXPECT_GE(w.dark, 4.0f);
    EXPECT_LE(w.dark, 14.0f);
    EXPECT_GE(w.countdown, 0.0f);
    EXPECT_LE(w.countdown, w.cycle);
  }
}

TEST_F(TitleScene, AWindowFadesOutAndInAtTheEdgesOfItsDarkPart) {
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  struct SCase {
    float countdown;  // after the step
    float alpha;
  };
  // Dark part 6 s of a 14 s cycle.
  const SCase cases[] = {{13.0f, 1.0f}, {6.5f, 1.0f}, {5.5f, 0.75f}, {4.0f, 0.0f},
                         {3.0f, 0.0f},  {1.5f, 0.25f}, {0.5f, 0.75f}};
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.countdown);
    auto& w = menu.Window(0);
    w.cycle = 14.0f;
    w.dark = 6.0f;
    w.countdown = c.countdown + 0.25f;
    menu.UpdateScene(0.25f, nullptr);
    EXPECT_FLOAT_EQ(menu.GetWindowAlpha(0), c.alpha);
  }
  // Past the end of its cycle a window starts a new one, lit.
  auto& w = menu.Window(0);
  w.countdown = 0.1f;
  menu.UpdateScene(0.25f, nullptr);
  EXPECT_FLOAT_EQ(menu.GetWindowAlpha(0), 1.0f);
  EXPECT_FLOAT_EQ(w.countdown, w.cycle);
  EXPECT_GE(w.cycle, 8.0f);
  menu.Render();
}

TEST_F(TitleScene, TheGlintSplashesSparksAndLockLoadFromTheSample) {
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  EXPECT_TRUE(menu.HasLogoAndGlint());
  ASSERT_NE(menu.Splashes(), nullptr);
  EXPECT_TRUE(menu.Splashes()->IsInfinity());
  EXPECT_EQ(menu.EffectCount(), WindowProbe::kEffects);
  ASSERT_NE(menu.Lock(), nullptr);
  ASSERT_NE(menu.Chains(), nullptr);
  // Both hang still in their last pose until the Extras button is pressed.
  menu.UpdateScene(2.0f, nullptr);
  EXPECT_EQ(menu.Lock()->GetPlayState(), CMaxAnim::kHeld);
  EXPECT_EQ(menu.Chains()->GetPlayState(), CMaxAnim::kHeld);
}

TEST_F(TitleScene, TheGlintTimerRunsDownAtAFifthOfTheTimeAndRestartsBelowZero) {
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  struct SCase {
    float start, dt, want;  // want < 0: restarted somewhere in [1, 2.2]
  } const cases[] = {{0.9f, 1.0f, 0.7f}, {2.0f, 0.5f, 1.9f}, {0.1f, 0.5f, 0.0f}, {0.1f, 0.75f, -1.0f},
                     {0.0f, 0.0f, 0.0f}, {0.05f, 10.0f, -1.0f}};
  for (const SCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << " - 0.2 x " << c.dt);
    menu.SetGlintTimer(c.start);
    menu.UpdateScene(c.dt, nullptr);
    if (c.want >= 0.0f) {
      EXPECT_NEAR(menu.GetGlintTimer(), c.want, 1e-5f);
    } else {
      EXPECT_GE(menu.GetGlintTimer(), 1.0f);
      EXPECT_LE(menu.GetGlintTimer(), 2.2f);
    }
  }
}

TEST_F(TitleScene, SplashesFadeInWithTheLightningBetweenFiveAndSevenSeconds) {
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  ASSERT_NE(menu.Splashes(), nullptr);
  const float cases[][2] = {{0.0f, 0.0f}, {5.0f, 0.0f}, {6.0f, 0.5f}, {6.5f, 0.75f}, {7.0f, 1.0f}, {30.0f, 1.0f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    menu.ResetTimers();
    menu.UpdateScene(c[0], nullptr);
    EXPECT_FLOAT_EQ(menu.Splashes()->GetAlpha(), c[1]);
  }
}

TEST_F(TitleScene, ButtonSparksEmitOnlyWhileThePointerIsOnTheirButton) {
  WindowProbe probe(core.Get(), nullptr);
  ASSERT_GE(probe.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  probe.ResetTimers();
  probe.UpdateScene(7.0f, nullptr);
  probe.Render();  // the buttons stand in their places now
  struct SCase {
    const char* name;
    const wchar_t* button;  // the pointer over it; null: over nothing
    bool bonusNotice;
    int emitting;  // the one effect that emits, -1 none
  } const cases[] = {
      {"play", L"B_play", false, WindowProbe::kFxPlay},
      {"options", L"B_options", false, WindowProbe::kFxOptions},
      {"quit", L"B_quit", false, WindowProbe::kFxQuit},
      {"change player", L"B_changePlayer", false, WindowProbe::kFxChange},
      {"extras", L"B_extras", false, WindowProbe::kFxExtras},
      {"extras under its locked notice", L"B_extras", true, -1},
      {"nowhere", nullptr, false, -1},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    bonus->SetVisible(0);
    if (c.button) {
      const zormath::Vec3f at = probe.GetChild(c.button)->GetPosition3D();
      core.MoveTo(at.x, at.z);
    } else {
      core.MoveTo(-480.0f, 360.0f);
    }
    core.NextFrame();
    probe.Update(0.05f, core.Cursor());
    if (c.bonusNotice) bonus->SetVisible(1);
    probe.Render();
    for (int slot : {WindowProbe::kFxPlay, WindowProbe::kFxOptions, WindowProbe::kFxQuit, WindowProbe::kFxChange,
                     WindowProbe::kFxExtras}) {
      SCOPED_TRACE(slot);
      EXPECT_EQ(probe.Effect(slot)->GetSystem().IsEmitting(), slot == c.emitting);
    }
    // The fountain sprays whatever the pointer does.
    EXPECT_TRUE(probe.Effect(WindowProbe::kFxFountain)->GetSystem().IsEmitting());
  }
  bonus->SetVisible(0);
}

TEST_F(TitleScene, TheLockedExtrasButtonShakesTheLockEachTimeItIsPressed) {
  gCurrentPlayer.mGameFinished = 0;
  WindowProbe menu(core.Get(), nullptr);
  ASSERT_GE(menu.Load(L"Data\\Interface\\MainMenu.xml", 3), 0);
  CMainMenu* saved = gMainMenu;
  gMainMenu = &menu;
  ASSERT_NE(menu.Lock(), nullptr);
  for (int press = 0; press < 2; ++press) {
    SCOPED_TRACE(press);
    menu.UpdateScene(3.0f, nullptr);
    ASSERT_EQ(menu.Lock()->GetPlayState(), CMaxAnim::kHeld);
    Command(L"MainBCExtras");
    EXPECT_EQ(menu.Lock()->GetPlayState(), CMaxAnim::kOnceAndHold);
    EXPECT_EQ(menu.Chains()->GetPlayState(), CMaxAnim::kOnceAndHold);
    EXPECT_FLOAT_EQ(menu.Lock()->GetTime(), 0.0f);
    bonus->SetVisible(0);
  }
  gMainMenu = saved;
}

// The main menu loaded from an install folder that holds only the given
// files (copied from the sample or written here); models, textures and
// texts still come from the sample's search paths.
class TitleSceneFiles : public menutest::MenuFixture {
 protected:
  void Copy(const std::string& relative) {
    std::ifstream in(testsupport::GameDir() / relative, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    folder.Write(relative, bytes.str());
  }
  testsupport::TempDir folder;
};

TEST_F(TitleSceneFiles, MissingFilesLeaveTheirPiecesOutAndTheLoadStillSucceeds) {
  const std::string anim = "Data/Interface/main_menu_anim.xml";
  struct SCase {
    const char* name;
    bool objects;        // main_menu_anim.xml is there
    const char* brizgi;  // its splash effect element, or null for the sample's
    bool lockFile;
    // What loads:
    int weather;
    bool splashes, logo;
    int effects, windows;
    bool lock;
  } const cases[] = {
      {"everything", true, nullptr, true, 8, true, true, 6, 19, true},
      {"no lock animation", true, nullptr, false, 8, true, true, 6, 19, false},
      {"a splash effect file that is missing", true,
       "<Brizgi><Properties Path=\"Data\\Particles\\NoSuchSplash\"/></Brizgi>", true, 8, false, true, 6, 19,
       true},
      {"splashes without a path", true, "<Brizgi><Properties/></Brizgi>", true, 8, false, true, 6, 19, true},
      {"no object file", false, nullptr, true, 0, false, false, 0, 0, false},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folder.Path() / "Data");
    Copy("Data/Interface/MainMenu.xml");
    for (const char* effect : {"LHT60_MM_PLAY", "LHT60_MM_redparticles_OPTIONS", "LHT60_MM_redparticles_QUIT",
                               "LHT60_MM_redparticles_CHANGE_PLAYER", "LHT60_MM_FONTAN", "LHT60_extrasParticle",
                               "LHT60_MM_brizgi"})
      Copy(std::string("Data/Particles/") + effect + ".xml");
    if (c.lockFile) Copy("Data/Animation/LHT60_MM_zamok.xaf");
    if (c.objects) {
      Copy(anim);
      if (c.brizgi) {
        std::ifstream in(folder.Path() / anim);
        std::stringstream text;
        text << in.rdbuf();
        std::string xml = text.str();
        const size_t from = xml.find("<Brizgi>"), to = xml.find("</Brizgi>");
        ASSERT_NE(from, std::string::npos);
        xml.replace(from, to + 9 - from, c.brizgi);
        folder.Write(anim, xml);
      }
    }
    core.Get()->GetFileSystem()->SetInstallFolder(folder.Path());
    WindowProbe menu(core.Get(), nullptr);
    const int32_t result = menu.Load(L"Data\\Interface\\MainMenu.xml", 3);
    core.Get()->GetFileSystem()->SetInstallFolder(testsupport::GameDir());
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(menu.HasSet()) << "the set does not depend on the object file";
    EXPECT_EQ(menu.GetWeatherCount(), c.weather);
    EXPECT_EQ(menu.Splashes() != nullptr, c.splashes);
    EXPECT_EQ(menu.HasLogoAndGlint(), c.logo);
    EXPECT_EQ(menu.EffectCount(), c.effects);
    EXPECT_EQ(menu.WindowCount(), c.windows);
    EXPECT_EQ(menu.Lock() != nullptr, c.lock);
    EXPECT_EQ(menu.Chains() != nullptr, c.lock);
    // A scene with pieces missing still plays.
    for (int i = 0; i < 10; ++i) menu.UpdateScene(1.0f, nullptr);
    menu.Render();
  }
}

}  // namespace
