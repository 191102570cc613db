#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Platform/AtomicFile.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(AtomicFile, WritesNewFileAndReplacesOldOne) {
  testsupport::TempDir dir;
  const fs::path file = dir.Path() / "progressInfo";
  const std::string binary("a\0b\xFF\n", 5);

  std::string error;
  ASSERT_TRUE(Platform::WriteFileAtomically(file, "first", &error)) << error;
  EXPECT_EQ(testsupport::ReadFile(file), "first");
  ASSERT_TRUE(Platform::WriteFileAtomically(file, binary, &error)) << error;

  std::string read = "stale";
  ASSERT_TRUE(Platform::ReadWholeFile(file, read));
  EXPECT_EQ(read, binary);
  ASSERT_TRUE(Platform::WriteFileAtomically(file, ""));
  EXPECT_TRUE(Platform::ReadWholeFile(file, read));
  EXPECT_EQ(read, "");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"progressInfo"});
}

TEST(AtomicFile, FailedWriteKeepsOldFileAndLeavesNoTemporaryFile) {
  testsupport::TempDir dir;
  const fs::path file = dir.Write("game.ini", "[Game]\nPlayerName=Ann\n");
  fs::create_directory(dir.Path() / "Users");

  struct Case {
    const char* what;
    fs::path target;
    int failpoint;
  };
  const std::vector<Case> cases = {
      {"interrupted before the rename", file, Platform::kAtomicWriteFailBeforeRename},
      {"target is a folder", dir.Path() / "Users", Platform::kAtomicWriteNoFailure},
      {"folder missing", dir.Path() / "missing" / "game.ini", Platform::kAtomicWriteNoFailure},
  };
  for (const auto& c : cases) {
    Platform::SetAtomicWriteFailpointForTests(c.failpoint);
    std::string error;
    const bool written = Platform::WriteFileAtomically(c.target, "new bytes", &error);
    Platform::SetAtomicWriteFailpointForTests(Platform::kAtomicWriteNoFailure);

    EXPECT_FALSE(written) << c.what;
    EXPECT_NE(error.find(c.target.filename().string()), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(testsupport::ReadFile(file), "[Game]\nPlayerName=Ann\n") << c.what;
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"Users", "game.ini"})) << c.what;
    EXPECT_TRUE(fs::is_empty(dir.Path() / "Users")) << c.what;
  }
}

TEST(AtomicFile, ReadWholeFileFailsOnMissingFileOrFolder) {
  testsupport::TempDir dir;
  std::string bytes = "untouched";
  EXPECT_FALSE(Platform::ReadWholeFile(dir.Path() / "absent", bytes));
  EXPECT_FALSE(Platform::ReadWholeFile(dir.Path(), bytes));
  EXPECT_EQ(bytes, "untouched");
}

TEST(AtomicFile, ALeftoverOfAKilledWriteIsFoundByItsNameAndRemovedAlone) {
  testsupport::TempDir dir;
  const fs::path file = dir.Write("Ann.dat", "old");
  dir.Write("Ann.dat.tmp-", "look-alike");
  dir.Write("Ann.dat.tmp-abc", "look-alike");
  Platform::SetAtomicWriteFailpointForTests(Platform::kAtomicWriteKilledBeforeRename);
  EXPECT_FALSE(Platform::WriteFileAtomically(file, "new"));
  Platform::SetAtomicWriteFailpointForTests(Platform::kAtomicWriteNoFailure);
  EXPECT_EQ(testsupport::ReadFile(file), "old");

  std::vector<std::string> leftovers;
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    if (Platform::IsAtomicWriteLeftover(entry.path().filename())) leftovers.push_back(entry.path().filename());
  ASSERT_EQ(leftovers.size(), 1u);
  EXPECT_EQ(leftovers[0].rfind("Ann.dat.tmp-", 0), 0u);

  const auto removed = Platform::RemoveAtomicWriteLeftovers(dir.Path());
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].filename(), leftovers[0]);
  EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"Ann.dat", "Ann.dat.tmp-", "Ann.dat.tmp-abc"}));
  EXPECT_TRUE(Platform::RemoveAtomicWriteLeftovers(dir.Path() / "missing").empty());
}
