// The sample game's task file, chapter and item tables read without one
// error line, holding what its story needs.
#include "LogicDataTestSupport.h"

namespace {

TEST(SampleGameLogic, TheStoryDataReadsCleanly) {
  logicdata::LogicCore core(testsupport::GameDir(), true);
  ASSERT_TRUE(core.Ok());
  CLogic logic;
  testsupport::LogCapture log;
  EXPECT_EQ(logic.LoadPredmets(L"Data\\Logic\\predmets.xml"), 1);
  EXPECT_EQ(logic.LoadHogPredmets(L"Data\\Logic\\hog_predmets.xml"), 1);
  EXPECT_EQ(logic.LoadSadanies(L"Data\\Logic\\logic.xml"), 1);
  EXPECT_EQ(logicdata::Errors(log), std::vector<std::wstring>{});

  ASSERT_EQ(logic.m_Episods.count(L"Episod_1"), 1u);
  SEpisodInfo& info = logic.m_Episods.at(L"Episod_1").Info;
  EXPECT_EQ(info.mName, L"Episod_1");
  EXPECT_EQ(info.mActions.Actions.count(L"a_episod_start"), 1u);
  EXPECT_EQ(info.mBackTasks.count(L"Back_1.xml"), 1u);
  EXPECT_EQ(info.mBackTasks.count(L"Back_2.xml"), 1u);  // from the included file
  SLogicActionEntry* entry = nullptr;
  for (const wchar_t* hint : {L"HintPosilka", L"HintFindNoj", L"HintPosilka2", L"HintHint"})
    EXPECT_TRUE(info.mActions.FindInGroup(L"Back_1.xml", std::wstring(L"a_") + hint, entry)) << hint;
  EXPECT_TRUE(info.mActions.FindInGroup(L"Back_1.xml", L"del_find_B1Noj", entry));
  EXPECT_TRUE(info.mActions.FindInGroup(L"Back_1.xml", L"mc_region_B1R4", entry));
  EXPECT_TRUE(info.mActions.FindInRegionGroup(L"Back_1.xml", L"Back_1_reg_4.xml", L"mc_click_Krestik", entry));
  EXPECT_EQ(info.mBackTasks.at(L"Back_1.xml").mCounters.count(L"Back_1_reg_4.xml"), 1u);

  EXPECT_EQ(logic.m_FindPredmets.count(L"B1Noj"), 1u);
  EXPECT_FALSE(logic.m_FindPredmets.at(L"B1Noj").Mesh.Empty());
  EXPECT_EQ(logic.m_FindPredmets.at(L"B1Noj").TextPanel, L"An old pocket knife");
  EXPECT_EQ(logic.FindItemText(L"Wick"), L"The dark lantern needs a new wick.");
  EXPECT_EQ(logic.m_HogPredmetTexts.at(L"B1Noj"), L"Knife");
}

}  // namespace
