// The task file and the chapter files: chapters with their includes, scene
// and close-up scripts and counts; broken files of each kind.
#include "LogicDataTestSupport.h"

namespace {

using logicdata::Errors;
using logicdata::LogicCore;
using testsupport::LogCapture;
using testsupport::TempDir;

const SEpisodData& Chapter(const CLogic& logic, const std::wstring& name) {
  static const SEpisodData missing;
  const auto found = logic.m_Episods.find(name);
  EXPECT_NE(found, logic.m_Episods.end()) << testing::PrintToString(name);
  return found == logic.m_Episods.end() ? missing : found->second;
}

std::vector<std::wstring> Keys(const auto& map) {
  std::vector<std::wstring> keys;
  for (const auto& [key, value] : map) keys.push_back(key);
  return keys;
}

TEST(ChapterFiles, TheTaskFileEntersEveryChapterThatHasScenes) {
  LogicCore core;
  CLogic logic;
  LogCapture log;
  // The data names the file "logic.xml"; on disk it is "Logic.xml".
  EXPECT_EQ(logic.LoadSadanies(L"Data\\Logic\\logic.xml"), 1);
  EXPECT_EQ(Keys(logic.m_Episods), (std::vector<std::wstring>{L"Ch1", L"Ch2"}));
  EXPECT_EQ(Chapter(logic, L"Ch2").Info.mValue, 2);
  EXPECT_EQ(Keys(Chapter(logic, L"Ch2").Info.mBackTasks), (std::vector<std::wstring>{L"Back_1"}));
  const SBackTaskCounts& counts = Chapter(logic, L"Ch2").Info.mBackTasks.at(L"Back_1");
  EXPECT_EQ(counts.mCount2, 0);
  EXPECT_EQ(counts.mCounters, (std::map<std::wstring, int32_t>{{L"R", 0}}));
  // The second file named Ch1 did not replace the first.
  EXPECT_EQ(Chapter(logic, L"Ch1").Info.mBackTasks.count(L"Back_9"), 0u);

  const std::vector<std::wstring> expected = {
      L"Unknown teg Steps in teg Logic file Data\\Logic\\logic.xml",
      // chapter_one.xml and its includes
      L"Unknown teg Bakc in teg Episod file chapter_one.xml",
      L"Recursive include CHAPTER_ONE.xml in file Inc_B.xml skipped.",
      L"Recursive include inc_b.XML in file Inc_B.xml skipped.",
      L"No find attribute File for teg Level. File chapter_one.xml",
      L"No find attribute Name for teg Region in Back Back_1. File chapter_one.xml",
      L"No find attribute Name for teg Back. File chapter_one.xml",
      L"No find attribute XML for teg Episode. File Data\\Logic\\logic.xml",
      L"Chapter Empty of file no_backs.xml has no Back.",
      L"Load episodes file DataLoc\\Episodes\\missing.xml",
      L"Load episodes from file xml missing.xml. File Data\\Logic\\logic.xml",
      L"No find attribute Name for chapter in file DataLoc\\Episodes\\nameless.xml",
      L"Load episodes from file xml nameless.xml. File Data\\Logic\\logic.xml",
      L"XML file DataLoc\\Episodes\\truncated.xml not parsed: Error reading Attributes. (line 4, column 10)",
      L"Load episodes file DataLoc\\Episodes\\truncated.xml",
      L"Load episodes from file xml truncated.xml. File Data\\Logic\\logic.xml",
      L"XML file DataLoc\\Episodes\\empty.xml not parsed: Error document empty. (line 0, column 0)",
      L"Load episodes file DataLoc\\Episodes\\empty.xml",
      L"Load episodes from file xml empty.xml. File Data\\Logic\\logic.xml",
      // CHAPTER_ONE.XML read again: the same lines, then dropped as a repeat.
      L"Unknown teg Bakc in teg Episod file CHAPTER_ONE.XML",
      L"Recursive include CHAPTER_ONE.xml in file Inc_B.xml skipped.",
      L"Recursive include inc_b.XML in file Inc_B.xml skipped.",
      L"No find attribute File for teg Level. File CHAPTER_ONE.XML",
      L"No find attribute Name for teg Region in Back Back_1. File CHAPTER_ONE.XML",
      L"No find attribute Name for teg Back. File CHAPTER_ONE.XML",
      // second.xml: numbers that are none, or out of range, read as 0
      L"Invalid number Value=\"yes\" in teg Beg file second.xml",
      L"Invalid number Value=\"99999999999\" in teg End file second.xml",
  };
  EXPECT_EQ(Errors(log), expected);
}

TEST(ChapterFiles, IncludesAddScenesAndActionsWithoutReplacingAny) {
  LogicCore core;
  CLogic logic;
  ASSERT_EQ(logic.LoadSadanies(L"Data\\Logic\\Logic.xml"), 1);
  const SEpisodInfo& info = Chapter(logic, L"Ch1").Info;
  EXPECT_EQ(info.mName, L"Ch1");
  EXPECT_EQ(info.mValue, 6);  // -4 became 0, then the include's End replaced it
  EXPECT_EQ(Keys(info.mActions.Actions), (std::vector<std::wstring>{L"a_episod_start", L"a_inc", L"a_shared"}));
  EXPECT_EQ(info.mActions.Actions.at(L"a_shared").Actions.at(0).par1, L"chapter");
  EXPECT_EQ(Keys(info.mBackTasks), (std::vector<std::wstring>{L"Back_1", L"Back_2", L"Back_3", L"Back_4"}));
  EXPECT_EQ(Keys(info.mActions.Backs), Keys(info.mBackTasks));

  // A scene action named like a chapter action lives in its own map; the
  // repeated Back_1 added nothing.
  const SSaveMapPair& back1 = info.mActions.Backs.at(L"Back_1");
  EXPECT_EQ(Keys(back1.Actions), (std::vector<std::wstring>{L"a_shared"}));
  EXPECT_EQ(back1.Actions.at(L"a_shared").Actions.at(0).par1, L"scene");
  // Counts: the first R1 stays; R2 has counts and no scripts.
  EXPECT_EQ(Keys(back1.Regions), (std::vector<std::wstring>{L"R1"}));
  EXPECT_EQ(Keys(back1.Regions.at(L"R1")), (std::vector<std::wstring>{L"a_r1"}));
  const SBackTaskCounts& counts = info.mBackTasks.at(L"Back_1");
  EXPECT_EQ(counts.mCount, 3);
  EXPECT_EQ(counts.mCount2, 1);  // Beg 7
  EXPECT_EQ(counts.mCounters, (std::map<std::wstring, int32_t>{{L"R1", 2}, {L"R2", 0}}));
  EXPECT_EQ(counts.mCounters2, (std::map<std::wstring, int32_t>{{L"R1", 0}, {L"R2", 1}}));
  const SBackTaskCounts& back2 = info.mBackTasks.at(L"Back_2");
  EXPECT_EQ(back2.mCount, 0);
  EXPECT_EQ(back2.mCount2, 1);  // Beg -2 is nonzero
  EXPECT_EQ(info.mBackTasks.at(L"Back_3").mCount, 1);
}

TEST(ChapterFiles, AnIncludedFileReadAloneKeepsTheRecordsName) {
  LogicCore core;
  CLogic logic;
  SEpisodData data;
  data.Name = L"Kept";
  // inc_a includes inc_b, which includes the chapter: read from here that
  // is no cycle, so the chapter is read too (its own include of inc_a is).
  EXPECT_TRUE(logic.LoadEpisodeFile(L"inc_a.xml", data, false));
  EXPECT_EQ(data.Name, L"Kept");
  EXPECT_EQ(data.Info.mValue, 0);  // inc_a's 6, then the chapter's -4
  EXPECT_EQ(Keys(data.Info.mBackTasks), (std::vector<std::wstring>{L"Back_1", L"Back_2", L"Back_3", L"Back_4"}));
  EXPECT_EQ(Keys(data.Info.mActions.Actions), (std::vector<std::wstring>{L"a_episod_start", L"a_inc", L"a_shared"}));
  EXPECT_EQ(data.Info.mActions.Actions.at(L"a_shared").Actions.at(0).par1, L"include");
  EXPECT_FALSE(logic.LoadEpisodeFile(L"nameless.xml", data, true));
  EXPECT_FALSE(logic.LoadEpisodeFile(L"nowhere.xml", data, true));
}

struct SBadTaskFile {
  const char* name;
  const char* bytes;  // null: no file
  int result;
  std::vector<std::wstring> errors;
};

TEST(ChapterFiles, ABrokenTaskFileIsReportedAndLeavesNoChapter) {
  const SBadTaskFile cases[] = {
      {"missing", nullptr, 0, {L"Load file xml Data\\Logic\\logic.xml info sadanies."}},
      {"empty",
       "",
       0,
       {L"XML file Data\\Logic\\logic.xml not parsed: Error document empty. (line 0, column 0)",
        L"Load file xml Data\\Logic\\logic.xml info sadanies."}},
      {"truncated",
       "<Logic><Episodes><Episode XML=\"second.x",
       0,
       {L"XML file Data\\Logic\\logic.xml not parsed: Error parsing Element. (line 1, column 27)",
        L"Load file xml Data\\Logic\\logic.xml info sadanies."}},
      {"other root", "<Panel><Episodes/></Panel>", 1, {L"No find teg Logic in file Data\\Logic\\logic.xml"}},
      {"no list", "<Logic/>", 1, {}},
  };
  for (const SBadTaskFile& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.bytes) dir.Write("Data/Logic/logic.xml", c.bytes);
    LogicCore core(dir.Path());
    CLogic logic;
    logic.m_Episods[L"Old"].Name = L"Old";
    LogCapture log;
    EXPECT_EQ(logic.LoadSadanies(L"Data\\Logic\\logic.xml"), c.result);
    EXPECT_TRUE(logic.m_Episods.empty());
    EXPECT_EQ(Errors(log), c.errors);
  }
}

TEST(ChapterFiles, ReloadReadsTheChaptersAgain) {
  LogicCore core;
  CLogic logic;
  EXPECT_EQ(logic.ReloadSadanies(L"Data\\Logic\\Logic.xml"), 1);
  EXPECT_EQ(Keys(logic.m_Episods), (std::vector<std::wstring>{L"Ch1", L"Ch2"}));
  EXPECT_EQ(logic.ReloadSadanies(L"Data\\Logic\\none.xml"), 0);
  EXPECT_TRUE(logic.m_Episods.empty());
}

}  // namespace
