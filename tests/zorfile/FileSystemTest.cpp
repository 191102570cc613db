#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "Engine/zorfile/FileSystem.h"
#include "Platform/Paths.h"
#include "support/TestSupport.h"

namespace {

using testsupport::LogCapture;
using testsupport::TempDir;
using zuzorev::ELogLevel;
namespace fs = std::filesystem;

// Zips the files (path inside the pack -> content) into dir/relative with
// the zip tool.
void MakeZip(const TempDir& dir, const std::string& relative, const std::map<std::string, std::string>& files) {
  TempDir staging;
  for (const auto& [path, content] : files) staging.Write(path, content);
  const fs::path zip = dir.Path() / relative;
  fs::create_directories(zip.parent_path());
  const std::string command = "cd '" + staging.Path().string() + "' && zip -q -r '" + zip.string() + "' .";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::string Read(zorfile::CFileSystem& fs, const std::wstring& name, uint32_t mask = zorfile::kKindAll) {
  std::string bytes;
  if (!fs.ReadFile(name, bytes, mask)) return "<missing>";
  return bytes;
}

TEST(FileSystem, ResolvesNamesInOrderInstallFolderSearchPathsPacks) {
  struct SearchPath {
    std::wstring folder;
    uint32_t kind;
  };
  struct Case {
    const char* what;
    std::map<std::string, std::string> files;  // below the install folder
    std::vector<SearchPath> paths;
    std::map<std::string, std::string> pack;  // inside Packs/Main.zip when not empty
    std::wstring name;
    uint32_t mask;
    std::string expected;
  };
  const std::wstring kName = L"Data\\Level\\Back_1.xml";
  const std::vector<Case> cases = {
      {"install folder, every component in another case",
       {{"data/level/BACK_1.XML", "install"}}, {}, {}, kName, zorfile::kKindAll, "install"},
      {"search path of the kind, full name below it",
       {{"art/data/LEVEL/back_1.XML", "search"}}, {{L"ART", zorfile::kKindXml}}, {}, kName, zorfile::kKindXml,
       "search"},
      {"search path of the kind, bare file name",
       {{"art/back_1.XML", "search"}}, {{L"Art", zorfile::kKindXml}}, {}, kName, zorfile::kKindXml, "search"},
      {"search path whose kind the mask leaves out",
       {{"art/back_1.XML", "search"}}, {{L"Art", zorfile::kKindTextures}}, {}, kName, zorfile::kKindXml,
       "<missing>"},
      {"search paths in insertion order",
       {{"one/back_1.xml", "first"}, {"two/Back_1.xml", "second"}},
       {{L"two", zorfile::kKindXml}, {L"one", zorfile::kKindXml}}, {}, kName, zorfile::kKindAll, "second"},
      {"pack, any case inside", {}, {}, {{"data/level/BACK_1.XML", "pack"}}, kName, zorfile::kKindXml, "pack"},
      {"install folder before search paths and packs",
       {{"data/level/back_1.xml", "install"}, {"art/back_1.xml", "search"}}, {{L"art", zorfile::kKindXml}},
       {{"Data/Level/Back_1.xml", "pack"}}, kName, zorfile::kKindAll, "install"},
      {"search paths before packs",
       {{"art/back_1.xml", "search"}}, {{L"art", zorfile::kKindXml}}, {{"Data/Level/Back_1.xml", "pack"}}, kName,
       zorfile::kKindAll, "search"},
      {"missing everywhere",
       {{"data/level/back_2.xml", "other"}}, {{L"data/level", zorfile::kKindXml}}, {{"data/back_3.xml", "pack"}},
       kName, zorfile::kKindAll, "<missing>"},
      {"a folder is not a file", {{"data/level/back_1.xml/inner.txt", "x"}}, {}, {}, kName, zorfile::kKindAll,
       "<missing>"},
      {"empty name", {{"a.txt", "x"}}, {}, {}, L"", zorfile::kKindAll, "<missing>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    for (const auto& [path, content] : c.files) dir.Write(path, content);
    if (!c.pack.empty()) MakeZip(dir, "packs/main.zip", c.pack);
    zorfile::CFileSystem fs;
    fs.SetInstallFolder(dir.Path());
    // As at start-up: packs first (the pack name itself resolved like data).
    if (!c.pack.empty()) {
      ASSERT_GT(fs.InsertPack(L"Packs\\Main.ZIP"), 0);
    }
    for (const auto& p : c.paths) ASSERT_GT(fs.InsertPath(p.folder, p.kind), 0);
    EXPECT_EQ(Read(fs, c.name, c.mask), c.expected);
    EXPECT_EQ(fs.FileExist(c.name, nullptr, 1, c.mask, 0), c.expected != "<missing>");
  }
}

TEST(FileSystem, FindsFilesMadeAfterTheFirstLookup) {
  TempDir dir;
  dir.Write("data/old.xml", "old");
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(dir.Path());
  ASSERT_EQ(Read(fs, L"DATA\\OLD.XML"), "old");
  EXPECT_FALSE(fs.FileExist(L"Data\\New.xml"));
  EXPECT_FALSE(fs.FileExist(L"Data\\Later\\Deep.xml"));

  dir.Write("data/NEW.xml", "new");
  dir.Write("data/later/deep.XML", "deep");
  EXPECT_EQ(Read(fs, L"Data\\New.xml"), "new");
  EXPECT_EQ(Read(fs, L"Data\\Later\\Deep.xml"), "deep");

  fs::remove(dir.Path() / "data/NEW.xml");
  EXPECT_FALSE(fs.FileExist(L"Data\\New.xml"));
}

TEST(FileSystem, AbsoluteNamesAndSearchPathFailures) {
  TempDir dir;
  const auto file = dir.Write("Users/Ann.dat", "profile");
  zorfile::CFileSystem fs;  // install folder: the current one
  EXPECT_TRUE(fs.FileExist(Platform::FromPath(file)));
  EXPECT_EQ(Read(fs, Platform::FromPath(dir.Path() / "USERS" / "ann.DAT")), "profile");

  LogCapture log;
  fs.SetInstallFolder(dir.Path());
  EXPECT_LT(fs.InsertPath(L"NoSuchFolder", zorfile::kKindTextures), 0);
  EXPECT_LT(fs.InsertPack(L"NoSuch.zip"), 0);
  dir.Write("NotAZip.zip", "plain text, not an archive");
  EXPECT_LT(fs.InsertPack(L"NotAZip.zip"), 0);
  EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 3u);
}

TEST(FileSystem, TwoFileSystemsShareOnePack) {
  TempDir dir;
  MakeZip(dir, "shared.zip", {{"Sounds/Bell.ogg", "ring"}});
  zorfile::CFileSystem first, second;
  first.SetInstallFolder(dir.Path());
  second.SetInstallFolder(dir.Path());
  ASSERT_GT(first.InsertPack(L"shared.zip"), 0);
  ASSERT_GT(second.InsertPack(L"SHARED.ZIP"), 0);
  EXPECT_EQ(Read(first, L"sounds\\bell.ogg"), "ring");
  EXPECT_EQ(Read(second, L"SOUNDS/BELL.OGG"), "ring");

  first.Release();
  EXPECT_FALSE(first.FileExist(L"sounds\\bell.ogg"));
  EXPECT_EQ(Read(second, L"sounds\\bell.ogg"), "ring");
}

TEST(FileSystem, CFileReadsThroughTheCurrentFileSystem) {
  TempDir dir;
  dir.Write("data/animation/walk.anm", "0123456789");
  MakeZip(dir, "anim.zip", {{"packed/run.anm", "abc"}});
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(dir.Path());
  ASSERT_GT(fs.InsertPack(L"anim.zip"), 0);
  zorfile::SetFileSystem(&fs);

  zorfile::CFile file;
  ASSERT_EQ(file.OpenFS(L"Data\\Animation\\Walk.anm", 1, nullptr, 1, zorfile::kKindAnimations), 1);
  EXPECT_EQ(file.GetSize(), 10u);
  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, 1, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  EXPECT_EQ(file.Read(buffer, 4, 100), 6u);  // only what is left
  EXPECT_EQ(std::string(buffer, 6), "456789");
  EXPECT_EQ(file.Read(buffer, 1, 1), 0u);
  EXPECT_EQ(file.Read(buffer, SIZE_MAX, 2), 0u);
  file.Close();
  EXPECT_EQ(file.Read(buffer, 1, 1), 0u);

  ASSERT_EQ(file.OpenFS(L"PACKED\\Run.ANM"), 1);
  EXPECT_EQ(file.Read(buffer, SIZE_MAX, SIZE_MAX), 3u);  // no overflow in size * count
  EXPECT_EQ(std::string(buffer, 3), "abc");

  EXPECT_EQ(file.OpenFS(L"Data\\Animation\\Missing.anm"), 0);
  EXPECT_EQ(file.Read(buffer, 1, 1), 0u);

  zorfile::SetFileSystem(nullptr);
  EXPECT_EQ(file.OpenFS(L"Data\\Animation\\Walk.anm"), 0);
}

}  // namespace
