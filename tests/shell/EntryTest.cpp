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

}  // namespace
