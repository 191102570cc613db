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

// A name holding U+0000 would be saved under its escaped file name but read
// back cut at the NUL, as a second player whose next save overwrites the
// first one's file.
TEST_F(PlayerListFolder, NamesTheNameFieldCannotKeepAreRefused) {
  PlayerList list(mTemp.Path());
  list.Load();
  const std::vector<std::wstring> names = {
      std::wstring(L"Ann\0Zed", 7),
      std::wstring(L"\0", 1),
      std::wstring(L"Mia") + static_cast<wchar_t>(0xDC00),
  };
  for (const std::wstring& name : names) {
    SCOPED_TRACE(name.size());
    EXPECT_FALSE(PlayerNameFits(name));
    LogCapture log;
    PlayerRecord player = MakeMia();
    player.mName = name;
    EXPECT_FALSE(list.SavePlayer(player));
    EXPECT_FALSE(list.WritePlayerFile(player));
    EXPECT_TRUE(LogMentions(log, ELogLevel::Error, L"not saved"));
  }
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(FilesIn(Users()),
            (std::vector<std::string>{"Ann.dat", "Mia.dat", "broken.dat", "folder.dat", "notes.txt"}));
  EXPECT_EQ(testsupport::ReadFile(Users() / "Ann.dat"), Fixture("Ann.dat"));
  EXPECT_TRUE(PlayerNameFits(L"Zoë \U0001F600"));
  EXPECT_TRUE(PlayerNameFits(std::wstring(kMaxPlayerNameUnits, L'a')));
  EXPECT_FALSE(PlayerNameFits(std::wstring(kMaxPlayerNameUnits, L'a') + L"a"));
}

// Users/ holds an unreadable Zoe.dat, listed as bad; a new player Zoe is
// saved over it. Deleting the listed bad file must not delete Zoe.
TEST_F(PlayerListFolder, ASaveOverABadFileTakesItOffTheList) {
  fs::remove(Users() / "broken.dat");
  struct Case {
    const char* badFile;   // in Users/
    bool savedByThisList;  // else by another list (another run of the game)
  };
  const Case cases[] = {{"Zoe.dat", true}, {"zoe.dat", true}, {"Zoe.dat", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.badFile << (c.savedByThisList ? " this list" : " another list"));
    fs::remove(Users() / "Zoe.dat");
    mTemp.Write(std::string("Users/") + c.badFile, "not a profile");
    PlayerList list(mTemp.Path());
    list.Load();
    ASSERT_EQ(list.FirstBadFile(), Platform::Utf8ToWide(c.badFile));

    PlayerRecord zoe = MakeMia();
    zoe.mName = L"Zoe";
    if (c.savedByThisList) {
      ASSERT_TRUE(list.SavePlayer(zoe));
      EXPECT_FALSE(list.HasBadFiles());
    } else {
      PlayerList other(mTemp.Path());
      other.Load();
      ASSERT_TRUE(other.SavePlayer(zoe));
      list.DeleteFirstBadFile();  // no longer the unreadable file: kept, and off the list
      EXPECT_FALSE(list.HasBadFiles());
    }
    PlayerRecord read;
    ASSERT_EQ(ReadProfileFile(Users() / "Zoe.dat", read), EPlayerFileRead::Read);
    EXPECT_EQ(read.mName, L"Zoe");
    EXPECT_FALSE(fs::exists(Users() / "zoe.dat"));
  }
}

// A save killed before its rename leaves its temporary file; the next start
// removes those, and nothing that only looks like them.
TEST_F(PlayerListFolder, LoadRemovesTheTemporaryFilesOfInterruptedSaves) {
  const std::vector<std::string> leftovers = {"Ann.dat.tmp-Ab12Cd", "%2E.dat.tmp-000000", "Zoe.dat.tmp-zzzzzz"};
  const std::vector<std::string> kept = {
      "Mia.dat.tmp-Ab12C",    // five characters
      "Mia.dat.tmp-Ab12Cde",  // seven
      "Mia.dat.tmp-Ab_2Cd",   // not a letter or digit
      "Mia.dat.TMP-Ab12Cd",   // another marker
      ".tmp-Ab12Cd",          // no file name before it
      "Mia.tmp-Ab12Cd.ini",
  };
  for (const auto& name : leftovers) mTemp.Write("Users/" + name, "partial");
  for (const auto& name : kept) mTemp.Write("Users/" + name, "someone's file");
  fs::create_directories(Users() / "Box.dat.tmp-abcdef");
  fs::create_symlink(Users() / "notes.txt", Users() / "Link.dat.tmp-abcdef");
  mTemp.Write("elsewhere.dat.tmp-abcdef", "not in Users");

  LogCapture log;
  PlayerList list(mTemp.Path());
  list.Load();
  EXPECT_EQ(list.Count(), 2);
  for (const auto& name : leftovers) {
    EXPECT_FALSE(fs::exists(Users() / name)) << name;
    EXPECT_TRUE(LogMentions(log, ELogLevel::Info, Platform::Utf8ToWide(name))) << name;
  }
  for (const auto& name : kept) EXPECT_TRUE(fs::exists(Users() / name)) << name;
  EXPECT_TRUE(fs::is_directory(Users() / "Box.dat.tmp-abcdef"));
  EXPECT_TRUE(fs::is_symlink(Users() / "Link.dat.tmp-abcdef"));
  EXPECT_TRUE(fs::exists(mTemp.Path() / "elsewhere.dat.tmp-abcdef"));
  EXPECT_FALSE(LogMentions(log, ELogLevel::Error, L"tmp-"));
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
      {std::wstring(L"nul\0x", 5), L""},  // the name field would end at the NUL
      {L"", L""},
      {std::wstring(235, L'a'), std::wstring(235, L'a') + L".dat"},
      {std::wstring(236, L'a'), L""},  // too long for a file name
      {std::wstring(260, L'a'), L""},  // too long for the profile
      {std::wstring(1, static_cast<wchar_t>(0xD800)), L""},
      {std::wstring(1, static_cast<wchar_t>(0x110000)), L""},
      {L"\U0001F600", L"\U0001F600.dat"},
  };
  for (const Case& c : cases) EXPECT_EQ(PlayerFileName(c.name), c.file) << Platform::WideToUtf8(c.name);
}

}  // namespace
