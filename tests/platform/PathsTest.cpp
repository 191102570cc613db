#include <gtest/gtest.h>

#include <pthread.h>
#include <sched.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Paths.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Restores the current folder and the data root override when a test ends.
class PathsTest : public testing::Test {
 protected:
  void TearDown() override {
    std::error_code ec;
    fs::current_path(mOriginalFolder, ec);
    Platform::SetUserDataRootForTests({});
  }
  fs::path mOriginalFolder = fs::current_path();
};

}  // namespace

TEST_F(PathsTest, UserDataFolderCreatesEachLevel) {
  struct Case {
    std::wstring maker, saveDir;
    std::string expected;  // below the root; empty: refused
  };
  const std::vector<Case> cases = {
      {L"Maker Games", L"Lantern Saves", "Maker Games/Lantern Saves"},
      {L"Maker Games", L"", "Maker Games"},
      {L"Maker Games", L"Saves\\Slot 1", "Maker Games/Saves/Slot 1"},
      {L"Maker Games", L"\u0418\u0433\u0440\u0430", "Maker Games/\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0"},
      {L"Maker Games", L"/absolute", "Maker Games/absolute"},
      {L"Maker Games", L"..\\outside", ""},
  };
  for (const auto& c : cases) {
    testsupport::TempDir dir;
    const fs::path root = dir.Path() / "xdg" / "share";  // not there yet
    Platform::SetUserDataRootForTests(root);
    const fs::path folder = Platform::MakeUserDataFolder(c.maker, c.saveDir);
    if (c.expected.empty()) {
      EXPECT_TRUE(folder.empty()) << folder;
      EXPECT_FALSE(fs::exists(dir.Path() / "outside"));
      continue;
    }
    EXPECT_EQ(folder, root / c.expected);
    EXPECT_TRUE(fs::is_directory(root / c.expected)) << c.expected;
    // A second start finds the folders already there.
    EXPECT_EQ(Platform::MakeUserDataFolder(c.maker, c.saveDir), folder);
  }
}

TEST_F(PathsTest, UserDataFolderFollowsXdgDataHome) {
  testsupport::TempDir dir;
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
  const fs::path folder = Platform::MakeUserDataFolder(L"Maker Games", L"Saves");
  if (old) ::setenv("XDG_DATA_HOME", saved.c_str(), 1); else ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(folder, dir.Path() / "Maker Games" / "Saves");
  EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(PathsTest, ListFilesMatchesExtensionIgnoringCase) {
  testsupport::TempDir dir;
  for (const char* name : {"b.dat", "A.DAT", "\xD0\x96.Dat", "notes.txt", "old.dat.bak", "dat", "sub.dat/inner.dat"})
    dir.Write(name, "x");

  std::vector<std::wstring> names;
  for (const auto& p : Platform::ListFiles(dir.Path(), L".dat")) {
    EXPECT_EQ(p.parent_path(), dir.Path());
    names.push_back(Platform::FromPath(p.filename()));
  }
  EXPECT_EQ(names, (std::vector<std::wstring>{L"A.DAT", L"b.dat", L"\u0416.Dat"}));
  EXPECT_TRUE(Platform::ListFiles(dir.Path() / "absent", L".dat").empty());
}

TEST_F(PathsTest, InstallFolderIsCurrentFolderOnlyWithConfig) {
  testsupport::TempDir withConfig, withoutConfig, configMissing;
  withConfig.Write("dataloc/CONFIG.XML", "<Config/>");
  configMissing.Write("DataLoc/other.xml", "<Config/>");
  const fs::path exeFolder = Platform::GetExecutableFolder();
  ASSERT_FALSE(exeFolder.empty());

  struct Case {
    const testsupport::TempDir* start;
    fs::path expected;
  };
  const std::vector<Case> cases = {
      {&withConfig, withConfig.Path()},
      {&withoutConfig, exeFolder},
      {&configMissing, exeFolder},
  };
  for (const auto& c : cases) {
    fs::current_path(c.start->Path());
    EXPECT_EQ(Platform::ChooseInstallFolder(), c.expected);
    EXPECT_EQ(fs::current_path(), c.expected);
  }
}

TEST_F(PathsTest, PinsThreadToOneProcessor) {
  bool pinned = false;
  int allowed = 0;
  std::thread worker([&] {
    pinned = Platform::PinThreadToFirstProcessor();
    cpu_set_t set;
    CPU_ZERO(&set);
    pthread_getaffinity_np(pthread_self(), sizeof set, &set);
    allowed = CPU_COUNT(&set);
  });
  worker.join();
  EXPECT_TRUE(pinned);
  EXPECT_EQ(allowed, 1);
}
