#include <gtest/gtest.h>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Logo.h"
#include "support/TestSupport.h"
#include "support/CoreSupport.h"

namespace {

using zuzorev::EDeviceKind;

// A headless render system with the sample game's render settings, and an
// input system whose clicks the test makes.
class LogoTest : public ::testing::Test {
 protected:
  void SetUp() override { UseFolder(testsupport::GameDir()); }
  void TearDown() override { zorfile::SetFileSystem(nullptr); }

  void UseFolder(const std::filesystem::path& folder) {
    mFs = std::make_unique<zorfile::CFileSystem>();
    mFs->SetInstallFolder(folder);
    mFs->InsertPath(L"Data", zorfile::kKindXml);
    zorfile::SetFileSystem(mFs.get());
    mRender = std::make_unique<zuzorev::CRenderSystem>(EDeviceKind::Headless);
    mRender->GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
  }

  void Click() {
    testsupport::Feed(mWindow, {zuzorev::SInputEvent::MouseDown(0, 0, 0)});
    mInput.Update();
  }

  std::unique_ptr<zorfile::CFileSystem> mFs;
  std::unique_ptr<zuzorev::CRenderSystem> mRender;
  zuzorev::CWindowSystem mWindow{EDeviceKind::Headless};
  zuzorev::CInputSystem mInput;
};

TEST_F(LogoTest, AlphaRisesAsASquareStaysAndFallsAsOneMinusASquare) {
  Logo logo(0.5f, 2.0f, 0.5f, 0);
  ASSERT_EQ(logo.Load(L"DataLoc\\Logo", mRender.get(), nullptr), 1);
  ASSERT_EQ(logo.GetSlideCount(), 2);
  // Steps of dt -> slide, phase, alpha, colour byte. A step that ends a
  // phase also counts into the next one.
  const struct {
    float dt;
    int slide, phase;
    float alpha;
    uint32_t top;
  } steps[] = {
      {0.25f, 0, Logo::kFadingIn, 0.25f, 63},    // (0.25 / 0.5)^2
      {0.25f, 0, Logo::kVisible, 1.0f, 254},     // never fully opaque in the byte
      {1.5f, 0, Logo::kVisible, 1.0f, 254},      // 1.75 of 2.0 s shown
      {0.25f, 0, Logo::kFadingOut, 0.75f, 190},  // 1 - (0.25 / 0.5)^2
      {0.25f, 1, Logo::kFadingIn, 0.0f, 0},      // the next slide starts
      {0.125f, 1, Logo::kFadingIn, 0.0625f, 15},
  };
  for (const auto& s : steps) {
    ASSERT_EQ(logo.Update(s.dt, 0), 1);
    EXPECT_EQ(logo.GetSlideIndex(), s.slide);
    EXPECT_EQ(logo.GetPhase(), s.phase);
    EXPECT_NEAR(logo.GetAlpha(), s.alpha, 1e-5);
    EXPECT_EQ(logo.GetQuad()[0].color >> 24, s.top);
    EXPECT_EQ(logo.GetQuad()[3].color & 0xFFFFFFu, 0xFFFFFFu);
  }
  EXPECT_EQ(logo.Update(3.0f, 0), 0) << "the last slide ends";
  EXPECT_TRUE(logo.IsFinished());
  EXPECT_EQ(logo.Render(1), 0);
}

TEST_F(LogoTest, OneLongFrameEndsTheFadeInAndCountsIntoTheVisiblePhase) {
  Logo logo(0.5f, 1.0f, 0.5f, 0);
  ASSERT_EQ(logo.Load(L"DataLoc\\Logo", mRender.get(), nullptr), 1);
  logo.Update(0.7f, 0);
  EXPECT_EQ(logo.GetPhase(), Logo::kVisible);
  logo.Update(0.3f, 0);  // 0.7 + 0.3 reaches the visible time
  EXPECT_EQ(logo.GetPhase(), Logo::kFadingOut);
}

TEST_F(LogoTest, ClickSkipsToTheFadeOutOnlyWhenAllowed) {
  int full = 0;
  ASSERT_EQ(mWindow.Init(L"t", L"t", 101, 1024, 768, full, nullptr, nullptr), zuzorev::kOk);
  ASSERT_EQ(mInput.Init(&mWindow), zuzorev::kOk);
  for (int skip : {0, 1}) {
    mInput.ClearAllState();
    Logo logo(0.5f, 2.0f, 0.5f, skip);
    ASSERT_EQ(logo.Load(L"DataLoc\\Logo", mRender.get(), &mInput), 1);
    logo.Update(0.1f, 0);
    Click();
    logo.Update(0.0f, 0);
    if (skip) {
      EXPECT_EQ(logo.GetPhase(), Logo::kFadingOut);
      EXPECT_FLOAT_EQ(logo.GetAlpha(), 1.0f) << "the fade-out starts from full opacity";
    } else {
      EXPECT_EQ(logo.GetPhase(), Logo::kFadingIn);
      EXPECT_NEAR(logo.GetAlpha(), 0.04f, 1e-5);
    }
  }
}

TEST_F(LogoTest, AGapEndsTheListAndDrawingUsesTheLogoSetting) {
  testsupport::TempDir dir;
  std::filesystem::create_directories(dir.Path() / "DataLoc/Logo");
  std::filesystem::create_directories(dir.Path() / "Data");
  const auto game = testsupport::GameDir();
  std::filesystem::copy_file(game / "DataLoc/Logo/Logo001.jpg", dir.Path() / "DataLoc/Logo/Logo001.jpg");
  std::filesystem::copy_file(game / "DataLoc/Logo/Logo002.jpg", dir.Path() / "DataLoc/Logo/Logo003.jpg");
  std::filesystem::copy_file(game / "Data/BaseSetings.xml", dir.Path() / "Data/BaseSetings.xml");
  UseFolder(dir.Path());
  zuzorev::SDevInitParams params;
  int full = 0;
  ASSERT_EQ(mWindow.Init(L"t", L"t", 101, 1024, 768, full, nullptr, nullptr), zuzorev::kOk);
  ASSERT_EQ(mRender->Init(&mWindow, params), zuzorev::kOk);

  Logo logo(0.5f, 2.0f, 0.5f, 0);
  ASSERT_EQ(logo.Load(L"DataLoc\\Logo", mRender.get(), nullptr), 1);
  EXPECT_EQ(logo.GetSlideCount(), 1) << "Logo003 after a missing Logo002 is not shown";

  logo.Update(0.25f, 0);
  EXPECT_EQ(logo.Render(0), 1);
  const auto& draws = mRender->GetFrameDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].seting, L"MT_TEXTURE_ALPHA_LOGO");
  EXPECT_EQ(draws[0].vertexCount, 4);
}

// Looking for the number after the last slide is no fault and logs nothing;
// a slide that is there but does not load is named once and ends the list.
TEST_F(LogoTest, TheEndOfTheSlidesIsSilentAndABrokenSlideIsNamedOnce) {
  struct Case {
    const char* name;
    const char* second;  // what Logo002.jpg holds (null: no such file)
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {"two good slides", "copy", {}},
      {"one good slide", nullptr, {}},
      {"a garbage second slide", "not a picture", {L"No load texture DataLoc\\Logo\\Logo002.jpg."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempDir dir;
    const auto game = testsupport::GameDir();
    dir.Write("Data/BaseSetings.xml", testsupport::ReadFile(game / "Data/BaseSetings.xml"));
    dir.Write("DataLoc/Logo/Logo001.jpg", testsupport::ReadFile(game / "DataLoc/Logo/Logo001.jpg"));
    if (c.second)
      dir.Write("DataLoc/Logo/Logo002.jpg", std::string(c.second) == "copy"
                                                ? testsupport::ReadFile(game / "DataLoc/Logo/Logo002.jpg")
                                                : std::string(c.second));
    UseFolder(dir.Path());
    testsupport::LogCapture log;
    Logo logo(0.5f, 2.0f, 0.5f, 0);
    ASSERT_EQ(logo.Load(L"DataLoc\\Logo", mRender.get(), nullptr), 1);
    EXPECT_EQ(logo.GetSlideCount(), std::string(c.name) == "two good slides" ? 2 : 1);
    std::vector<std::wstring> lines = log.Texts(zuzorev::ELogLevel::Warning);
    for (const std::wstring& e : log.Texts(zuzorev::ELogLevel::Error)) lines.push_back(e);
    EXPECT_EQ(lines, c.lines);
  }
}

TEST_F(LogoTest, MissingRenderSettingFailsTheLoad) {
  zuzorev::CRenderSystem bare(EDeviceKind::Headless);
  testsupport::LogCapture log;
  Logo logo(0.5f, 2.0f, 0.5f, 0);
  EXPECT_EQ(logo.Load(L"DataLoc\\Logo", &bare, nullptr), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"No find render setings MT_TEXTURE_ALPHA_LOGO"));
}

TEST_F(LogoTest, NoSlideAtAllIsALoadedLogoThatIsAlreadyOver) {
  Logo logo(0.5f, 2.0f, 0.5f, 0);
  ASSERT_EQ(logo.Load(L"DataLoc\\NoSuchFolder", mRender.get(), nullptr), 1);
  EXPECT_EQ(logo.GetSlideCount(), 0);
  EXPECT_EQ(logo.Update(0.1f, 0), 0);
}

}  // namespace
