#include <gtest/gtest.h>

#include <fstream>

#include "AppConfig.h"
#include "AppPaths.h"
#include "Engine/zorlog/Log.h"
#include "GameApp.h"
#include "GameAppEntry.h"
#include "Platform/Paths.h"
#include "ShellTestSupport.h"
#include "SingleInstance.h"

namespace {

using testsupport::TempDir;

// Runs the entry's preparation from a start folder of the test's choice,
// with the per-user root in a temporary folder.
class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mOldCwd = std::filesystem::current_path();
    Platform::SetUserDataRootForTests(mUserRoot.Path());
  }
  void TearDown() override {
    zuzorev::CloseDebugSystem();
    std::filesystem::current_path(mOldCwd);
    Platform::SetUserDataRootForTests({});
    gInstallPath.clear();
    gUserDataPath.clear();
    shelltest::ResetShellGlobals();
  }
  static std::filesystem::path Canonical(const std::wstring& path) {
    return std::filesystem::weakly_canonical(Platform::ToPath(path));
  }

  std::filesystem::path mOldCwd;
  TempDir mUserRoot;
};

TEST_F(EntryTest, ConfigInTheStartFolderMakesItTheInstallFolderAndNamesTheSaveFolder) {
  TempDir install;
  install.Write("DataLoc/config.xml", "<Config><SaveDir Value=\"My Saves\"/></Config>");
  std::filesystem::current_path(install.Path());
  PrepareProgram();

  EXPECT_EQ(Canonical(gInstallPath), std::filesystem::weakly_canonical(install.Path()));
  EXPECT_EQ(gAppStarting, 1);
  EXPECT_EQ(gWindowTitleFallback, L"LanternHallTale");
  const auto user = mUserRoot.Path() / "Kestov Entertainment" / "My Saves";
  EXPECT_EQ(Canonical(gUserDataPath), std::filesystem::weakly_canonical(user));
  EXPECT_TRUE(std::filesystem::is_directory(user));
  const std::string log = testsupport::ReadFile(user / "log.html");
  EXPECT_NE(log.find("WinMain. Beg."), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(user / "soundlog.html"));
  EXPECT_TRUE(std::filesystem::exists(user / "videolog.html"));
}

TEST_F(EntryTest, WithoutConfigTheProgramsFolderIsTheInstallFolder) {
  TempDir elsewhere;
  std::filesystem::current_path(elsewhere.Path());
  PrepareProgram();

  EXPECT_EQ(Canonical(gInstallPath), std::filesystem::weakly_canonical(Platform::GetExecutableFolder()));
  EXPECT_EQ(std::filesystem::weakly_canonical(std::filesystem::current_path()),
            std::filesystem::weakly_canonical(Platform::GetExecutableFolder()));
  EXPECT_TRUE(gAppConfig.mSaveDir.empty());
  EXPECT_EQ(Canonical(gUserDataPath), std::filesystem::weakly_canonical(mUserRoot.Path() / "Kestov Entertainment"))
      << "no SaveDir: the maker folder itself";
}

TEST_F(EntryTest, ASecondStartLeavesTheRunningGamesLogsAlone) {
  TempDir install;
  install.Write("DataLoc/config.xml", "<Config/>");
  const auto user = mUserRoot.Path() / "Kestov Entertainment";
  std::filesystem::create_directories(user);
  const std::string running = "the running game's log";
  {
    std::ofstream(user / "log.html") << running;
  }
  SingleInstance first;
  ASSERT_TRUE(first.Acquire(user));
  std::filesystem::current_path(install.Path());
  PrepareProgram();
  EXPECT_EQ(testsupport::ReadFile(user / "log.html"), running);
  EXPECT_FALSE(std::filesystem::exists(user / "soundlog.html"));
}

// A configuration that cannot be read stops the start, and the log that
// opens afterwards names the file and, for a file that does not parse, why.
TEST_F(EntryTest, ABrokenConfigIsNamedInTheLogWithItsReason) {
  const struct {
    const char* name;
    const char* config;
    bool ok;
    const char* reasonLine;  // the start of the line that says why (null: none)
  } cases[] = {
      {"valid", "<Config/>", true, nullptr},
      {"not XML", "<Config><SaveDir", false, "XML file DataLoc\\config.xml not parsed: "},
      {"empty", "", false, nullptr},
      {"another root", "<Settings/>", false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir install;
    install.Write("DataLoc/config.xml", c.config);
    std::filesystem::current_path(install.Path());
    EXPECT_EQ(PrepareProgram(), c.ok);
    zuzorev::CloseDebugSystem();
    const std::string log = testsupport::ReadFile(mUserRoot.Path() / "Kestov Entertainment" / "log.html");
    const size_t named = log.find("Config file DataLoc\\config.xml not read: the game cannot start.");
    EXPECT_EQ(named != std::string::npos, !c.ok) << log;
    if (c.reasonLine) {
      const size_t reason = log.find(c.reasonLine);
      EXPECT_NE(reason, std::string::npos) << log;
      EXPECT_LT(reason, named) << "the reason comes first";
      EXPECT_LT(named, log.find("WinMain. Beg.")) << "lines kept before the log opened come first";
    }
  }
}

}  // namespace
