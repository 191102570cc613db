// The player list over a real Users folder: loading good and bad files,
// finding, selecting, saving and deleting players by name ignoring case,
// atomic saves, and the one way from a player's name to a file name.
#include <gtest/gtest.h>

#include <algorithm>

#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"
#include "PlayerFile.h"
#include "PlayerFileName.h"
#include "PlayerList.h"
#include "ProfileTestHelpers.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using namespace profiletest;
using testsupport::LogCapture;
using zuzorev::ELogLevel;

namespace {

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool LogMentions(const LogCapture& log, ELogLevel level, const std::wstring& part) {
  for (const std::wstring& text : log.Texts(level))
    if (text.find(part) != std::wstring::npos) return true;
  return false;
}

// A Users folder with Ann and Mia (the fixtures), one unreadable file and
// things that are not profiles.
class PlayerListFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    mTemp.Write("Users/Ann.dat", Fixture("Ann.dat"));
    mTemp.Write("Users/Mia.dat", Fixture("Mia.dat"));
    mTemp.Write("Users/broken.dat", Fixture("Ann.dat").substr(0, 700));
    mTemp.Write("Users/notes.txt", "not a profile");
    fs::create_directories(Users() / "folder.dat");
  }
  void TearDown() override { Platform::SetAtomicWriteFailpointForTests(Platform::kAtomicWriteNoFailure); }
  fs::path Users() const { return mTemp.Path() / "Users"; }

  testsupport::TempDir mTemp;
};

TEST_F(PlayerListFolder, LoadsGoodFilesAndListsTheBadOne) {
  LogCapture log;
  PlayerList list(mTemp.Path());
  EXPECT_EQ(list.Load(), 1);
  ASSERT_EQ(list.Count(), 2);
  std::vector<std::wstring> names{L"stale"};
  list.CollectNames(names);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Ann", L"Mia"}));
  ASSERT_TRUE(list.HasBadFiles());
  EXPECT_EQ(list.FirstBadFile(), L"broken.dat");
  EXPECT_TRUE(LogMentions(log, ELogLevel::Error, L"broken.dat"));

  PlayerRecord found;
  EXPECT_EQ(list.FindPlayer(L"mIA", found), 1);
  ExpectSameRecord(MakeMia(), found);
  PlayerRecord untouched;
  untouched.mName = L"keep";
  EXPECT_EQ(list.FindPlayer(L"Bob", untouched), -1);
  EXPECT_EQ(untouched.mName, L"keep");

  PlayerRecord selected;
  EXPECT_EQ(list.SelectPlayer(0, selected), 1);
  EXPECT_EQ(selected.mName, L"Ann");
  for (int index : {-1, 2}) {
    EXPECT_EQ(list.SelectPlayer(index, untouched), 0);
    EXPECT_EQ(untouched.mName, L"keep");
  }
}

TEST_F(PlayerListFolder, NamesAreTakenIgnoringCaseAndOuterBlanks) {
  PlayerList list(mTemp.Path());
  list.Load();
  EXPECT_EQ(list.IsNameTaken(L"  ANN "), 1);
  EXPECT_EQ(list.IsNameTaken(L"An n"), 0);
  EXPECT_EQ(list.IsNameTaken(L"\tAnn"), 0);  // only spaces are blanks here
}

TEST_F(PlayerListFolder, SavingAnnOverAnnLeavesOneFile) {
  PlayerList list(mTemp.Path());
  list.Load();
  PlayerRecord ann;
  ASSERT_EQ(list.FindPlayer(L"Ann", ann), 0);
  ann.mName = L"ann";
  ann.mStepName = L"Step_2";
  ASSERT_TRUE(list.SavePlayer(ann));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(FilesIn(Users()),
            (std::vector<std::string>{"Mia.dat", "ann.dat", "broken.dat", "folder.dat", "notes.txt"}));

  PlayerList reloaded(mTemp.Path());
  reloaded.Load();
  PlayerRecord read;
  ASSERT_GE(reloaded.FindPlayer(L"ANN", read), 0);
  EXPECT_EQ(read.mName, L"ann");
  EXPECT_EQ(read.mStepName, L"Step_2");
  EXPECT_EQ(reloaded.Count(), 2);
}

TEST_F(PlayerListFolder, DeletesByNameIgnoringCase) {
  PlayerList list(mTemp.Path());
  list.Load();
  EXPECT_TRUE(list.DeletePlayer(L"MIA"));
  EXPECT_FALSE(list.DeletePlayer(L"MIA"));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_FALSE(fs::exists(Users() / "Mia.dat"));
  EXPECT_TRUE(fs::exists(Users() / "Ann.dat"));
}

TEST_F(PlayerListFolder, DeletingTheFirstBadFileAlwaysDropsIt) {
  mTemp.Write("Users/empty.dat", "");
  PlayerList list(mTemp.Path());
  list.Load();
  ASSERT_EQ(list.FirstBadFile(), L"broken.dat");
  list.DeleteFirstBadFile();
  EXPECT_FALSE(fs::exists(Users() / "broken.dat"));
  ASSERT_EQ(list.FirstBadFile(), L"empty.dat");

  // Already gone from the folder: the entry still goes, so the notice
  // about it does not come back.
  fs::remove(Users() / "empty.dat");
  list.DeleteFirstBadFile();
  EXPECT_FALSE(list.HasBadFiles());
  EXPECT_EQ(list.FirstBadFile(), L"");
  list.DeleteFirstBadFile();  // nothing left: nothing happens
  EXPECT_EQ(list.Count(), 2);
}

TEST_F(PlayerListFolder, AnInterruptedSaveKeepsThePreviousProfile) {
  PlayerList list(mTemp.Path());
  list.Load();
  PlayerRecord mia;
  list.FindPlayer(L"Mia", mia);
  mia.mGhostCount = 99;

  LogCapture log;
  Platform::SetAtomicWriteFailpointForTests(Platform::kAtomicWriteFailBeforeRename);
  EXPECT_FALSE(list.SavePlayer(mia));
  EXPECT_FALSE(list.WriteAll());
  Platform::SetAtomicWriteFailpointForTests(Platform::kAtomicWriteNoFailure);
  EXPECT_TRUE(LogMentions(log, ELogLevel::Error, L"Mia.dat"));

  EXPECT_EQ(testsupport::ReadFile(Users() / "Mia.dat"), Fixture("Mia.dat"));
  EXPECT_EQ(FilesIn(Users()),
            (std::vector<std::string>{"Ann.dat", "Mia.dat", "broken.dat", "folder.dat", "notes.txt"}));
  PlayerList reloaded(mTemp.Path());
  reloaded.Load();
  EXPECT_EQ(reloaded.Count(), 2);
  EXPECT_EQ(reloaded.FirstBadFile(), L"broken.dat");
  reloaded.DeleteFirstBadFile();
  EXPECT_FALSE(reloaded.HasBadFiles());  // nothing else became unreadable

  // The next save goes through.
  ASSERT_TRUE(list.SavePlayer(mia));
  PlayerRecord read;
  ASSERT_EQ(ReadProfileFile(Users() / "Mia.dat", read), EPlayerFileRead::Read);
  EXPECT_EQ(read.mGhostCount, 99u);
}

TEST_F(PlayerListFolder, ReleaseWritesEveryPlayerAgain) {
  PlayerList list(mTemp.Path());
  list.Load();
  mTemp.Write("Users/Ann.dat", "changed on disk");
  list.Release();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.HasBadFiles());
  EXPECT_EQ(testsupport::ReadFile(Users() / "Ann.dat"), Fixture("Ann.dat"));
}

TEST(PlayerList, StartsWithoutAUsersFolder) {
  testsupport::TempDir temp;
  PlayerList list(temp.Path());
  list.Load();
  EXPECT_TRUE(fs::is_directory(temp.Path() / "Users"));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.HasBadFiles());
}

TEST(PlayerList, NamelessOrUnfittingPlayersWriteNoFile) {
  testsupport::TempDir temp;
  LogCapture log;
  PlayerList list(temp.Path());
  list.Load();
  PlayerRecord nameless = MakeMia();
  nameless.mName.clear();
  EXPECT_FALSE(list.SavePlayer(nameless));
  EXPECT_FALSE(list.WritePlayerFile(nameless));
  PlayerRecord tooLong = MakeMia();
  tooLong.mName = std::wstring(250, L'n');
  EXPECT_FALSE(list.SavePlayer(tooLong));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(FilesIn(temp.Path() / "Users").empty());
  EXPECT_FALSE(log.Texts(ELogLevel::Error).empty());
}

TEST(PlayerList, NamesWithPathCharactersStayInTheFolder) {
  testsupport::TempDir temp;
  PlayerList list(temp.Path());
  list.Load();
  PlayerRecord player = MakeMia();
  player.mName = L"../x\\y";
  ASSERT_TRUE(list.SavePlayer(player));
  EXPECT_EQ(FilesIn(temp.Path()), (std::vector<std::string>{"Users"}));
  EXPECT_EQ(FilesIn(temp.Path() / "Users"), (std::vector<std::string>{"%2E.%2Fx%5Cy.dat"}));

  PlayerList reloaded(temp.Path());
  reloaded.Load();
  PlayerRecord read;
  ASSERT_EQ(reloaded.FindPlayer(L"../X\\Y", read), 0);
  EXPECT_EQ(read.mName, L"../x\\y");
  EXPECT_TRUE(reloaded.DeletePlayer(L"../x\\y"));
  EXPECT_TRUE(FilesIn(temp.Path() / "Users").empty());
}

TEST(PlayerFileName, BuildsSafeFileNames) {
  struct Case {
    std::wstring name;
    std::wstring file;
  } cases[] = {
      {L"Ann", L"Ann.dat"},
      {L"Anne Marie", L"Anne Marie.dat"},
      {L"Zoë", L"Zoë.dat"},
      {L"a/b", L"a%2Fb.dat"},
      {L"..", L"%2E..dat"},
      {L".hidden", L"%2Ehidden.dat"},
      {L"a.b", L"a.b.dat"},
      {L"<>:\"|?*", L"%3C%3E%3A%22%7C%3F%2A.dat"},
      {L"100%", L"100%25.dat"},
      {L"tab\there", L"tab%09here.dat"},
      {std::wstring(L"nul\0x", 5), L"nul%00x.dat"},
      {L"", L""},
      {std::wstring(235, L'a'), std::wstring(235, L'a') + L".dat"},
      {std::wstring(236, L'a'), L""},  // too long for a file name
      {std::wstring(260, L'a'), L""},  // too long for the profile
      {std::wstring(1, static_cast<wchar_t>(0xD800)), L""},
  };
  for (const Case& c : cases) EXPECT_EQ(PlayerFileName(c.name), c.file) << Platform::WideToUtf8(c.name);
}

}  // namespace
