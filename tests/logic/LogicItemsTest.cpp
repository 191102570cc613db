// The item tables: items of every kind with their models and texts, the
// reported cases, and broken files.
#include "LogicDataTestSupport.h"

namespace {

using logicdata::Errors;
using logicdata::LogicCore;
using testsupport::LogCapture;
using testsupport::TempDir;

template <class Map>
const typename Map::mapped_type& At(const Map& map, const std::wstring& name) {
  static const typename Map::mapped_type missing{};
  const auto found = map.find(name);
  EXPECT_NE(found, map.end()) << testing::PrintToString(name);
  return found == map.end() ? missing : found->second;
}

std::vector<std::wstring> Keys(const auto& map) {
  std::vector<std::wstring> keys;
  for (const auto& [key, value] : map) keys.push_back(key);
  return keys;
}

TEST(ItemTables, ItemsOfEveryKindGetTheirModelsAndTexts) {
  LogicCore core;
  ASSERT_TRUE(core.Ok());
  CLogic logic;
  LogCapture log;
  EXPECT_EQ(logic.LoadPredmets(L"Data\\Logic\\Predmets.xml"), 1);

  EXPECT_EQ(Keys(logic.m_FindPredmets), (std::vector<std::wstring>{L"Broken", L"Key", L"Map", L"NoModels", L"Zero"}));
  const SFindPredmetInfo& key = At(logic.m_FindPredmets, L"Key");
  EXPECT_FALSE(key.Mesh.Empty());
  EXPECT_EQ(key.Count, 3);  // the later Key (count 9) did not replace it
  EXPECT_TRUE(key.Pieces.empty());
  EXPECT_EQ(key.TextPanel, L"Brass key");
  // Three models: the whole item and two pieces; count is not used.
  const SFindPredmetInfo& map = At(logic.m_FindPredmets, L"Map");
  EXPECT_FALSE(map.Mesh.Empty());
  EXPECT_EQ(map.Pieces.size(), 2u);
  EXPECT_EQ(map.Count, 0);
  EXPECT_EQ(map.TextPanel, L"Torn map");
  EXPECT_EQ(At(logic.m_FindPredmets, L"Broken").Pieces.size(), 1u);
  EXPECT_EQ(At(logic.m_FindPredmets, L"Zero").Count, 0);
  // Stored without a model, and with nothing of the items before it.
  const SFindPredmetInfo& none = At(logic.m_FindPredmets, L"NoModels");
  EXPECT_TRUE(none.Mesh.Empty());
  EXPECT_EQ(none.Count, 0);
  EXPECT_TRUE(none.Pieces.empty());
  EXPECT_TRUE(none.TextPanel.empty());

  EXPECT_EQ(Keys(logic.m_PushPredmets), (std::vector<std::wstring>{L"Coin", L"Note", L"Wick"}));
  const SPredmetInfo& wick = At(logic.m_PushPredmets, L"Wick");
  EXPECT_FALSE(wick.Mesh.Empty());
  EXPECT_EQ(wick.TextPanel, L"Wick");
  EXPECT_EQ(wick.TextLevelHint, L"Put the wick in the lantern");
  EXPECT_EQ(wick.KeyTextTips, L"tip_wick");
  EXPECT_EQ(wick.Count, 2);
  // A model name of one letter loads nothing; nothing of Wick carries over.
  const SPredmetInfo& note = At(logic.m_PushPredmets, L"Note");
  EXPECT_TRUE(note.Mesh.Empty());
  EXPECT_TRUE(note.TextPanel.empty() && note.TextLevelHint.empty() && note.KeyTextTips.empty());
  EXPECT_EQ(note.Count, 0);
  EXPECT_EQ(At(logic.m_PushPredmets, L"Coin").Count, 0);

  // The same name under two kinds lives in two tables.
  EXPECT_EQ(Keys(logic.m_FreePredmets), (std::vector<std::wstring>{L"Wick"}));
  const SPredmetInfo& loose = At(logic.m_FreePredmets, L"Wick");
  EXPECT_FALSE(loose.Mesh.Empty());
  EXPECT_EQ(loose.Count, 0);
  EXPECT_TRUE(loose.TextPanel.empty());

  EXPECT_EQ(Keys(logic.m_ReplacePredmets), (std::vector<std::wstring>{L"Wick"}));
  EXPECT_EQ(At(logic.m_ReplacePredmets, L"Wick"), (std::vector<std::wstring>{L"Wick", L"Note"}));

  EXPECT_EQ(logic.FindItemText(L"Wick"), L"Put the wick in the lantern");
  EXPECT_EQ(logic.FindItemText(L"wick"), L"");
  EXPECT_EQ(logic.FindItemText(L"Key"), L"");
  // The panel and the item window take the panel item's record by its exact name.
  EXPECT_EQ(logic.StdPredmetMapFind(L"Wick"), &At(logic.m_PushPredmets, L"Wick"));
  EXPECT_EQ(logic.StdPredmetMapFind(L"wick"), nullptr);
  EXPECT_EQ(logic.StdPredmetMapFind(L"Key"), nullptr);

  const std::vector<std::wstring> expected = {
      L"No load model for find predmet Broken kusok = K_Broken_02",
      L"No load model for find predmet Wrong",
      L"Invalid count object for predmet Zero",
      L"Bad model file I_None.zorm: no object in the model file",  // the engine's line
      L"No models in file I_None.zorm for find predmet NoModels. File Data\\Logic\\Predmets.xml",
      L"No find model file I_Nowhere.zorm.",
      L"No load model for push predmet Gone",
      L"Invalid number Count=\"many\" in teg push file Data\\Logic\\Predmets.xml",
      L"No find model file I_Nowhere.zorm.",
      L"No load model for push predmet Lost",
      L"Unknown teg drop in teg replace file Data\\Logic\\Predmets.xml",
      L"Unknown predmet kind bonus (Star) file Data\\Logic\\Predmets.xml",
      L"No find attribute Name for predmet find. File Data\\Logic\\Predmets.xml",
  };
  EXPECT_EQ(Errors(log), expected);
}

TEST(ItemTables, HiddenObjectItemsGetTheirTexts) {
  LogicCore core;
  CLogic logic;
  LogCapture log;
  EXPECT_EQ(logic.LoadHogPredmets(L"data\\logic\\HOG_PREDMETS.xml"), 1);
  EXPECT_EQ(logic.m_HogPredmetTexts,
            (std::map<std::wstring, std::wstring>{{L"Bell", L"Bell"}, {L"Cup", L"Cup"}, {L"Spoon", L""}}));
  const std::vector<std::wstring> expected = {
      L"Unknown teg Item in teg Predmets file data\\logic\\HOG_PREDMETS.xml",
      L"No find attribute Name or NameText for hog predmet Plate. File data\\logic\\HOG_PREDMETS.xml",
  };
  EXPECT_EQ(Errors(log), expected);
}

struct SBadFile {
  const char* name;
  const char* bytes;  // null: no file
  int result;
  std::vector<std::wstring> errors;
};

TEST(ItemTables, BrokenFilesAreReportedAndLeaveTheTablesEmpty) {
  const std::wstring items = L"Data\\Logic\\predmets.xml";
  const std::wstring hog = L"Data\\Logic\\hog_predmets.xml";
  const SBadFile itemCases[] = {
      {"missing", nullptr, 0, {L"Load file xml Data\\Logic\\predmets.xml info predmet."}},
      {"empty",
       "  ",
       0,
       {L"XML file Data\\Logic\\predmets.xml not parsed: Error document empty. (line 0, column 0)",
        L"Load file xml Data\\Logic\\predmets.xml info predmet."}},
      {"truncated",
       "<Panel><Predmets><push Name=\"A\" Mo",
       0,
       {L"XML file Data\\Logic\\predmets.xml not parsed: Error reading Attributes. (line 1, column 33)",
        L"Load file xml Data\\Logic\\predmets.xml info predmet."}},
      {"no list", "<Panel/>", 1, {L"No find teg Panel/Predmets in file Data\\Logic\\predmets.xml"}},
  };
  for (const SBadFile& c : itemCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.bytes) dir.Write("Data/Logic/predmets.xml", c.bytes);
    LogicCore core(dir.Path());
    CLogic logic;
    logic.m_PushPredmets[L"Old"];
    logic.m_FindPredmets[L"Old"];
    logic.m_FreePredmets[L"Old"];
    logic.m_ReplacePredmets[L"Old"];
    LogCapture log;
    EXPECT_EQ(logic.LoadPredmets(items), c.result);
    EXPECT_TRUE(logic.m_PushPredmets.empty() && logic.m_FindPredmets.empty() && logic.m_FreePredmets.empty() &&
                logic.m_ReplacePredmets.empty());
    EXPECT_EQ(Errors(log), c.errors);
  }
  const SBadFile hogCases[] = {
      {"missing", nullptr, 0, {L"Load file xml Data\\Logic\\hog_predmets.xml info hog predmet."}},
      {"empty",
       "",
       0,
       {L"XML file Data\\Logic\\hog_predmets.xml not parsed: Error document empty. (line 0, column 0)",
        L"Load file xml Data\\Logic\\hog_predmets.xml info hog predmet."}},
      {"truncated",
       "<Predmets DefKeyValue=\"k\"><Predmet Name=\"Cup\" NameText=\"n",
       0,
       {L"XML file Data\\Logic\\hog_predmets.xml not parsed: Error parsing Element. (line 1, column 47)",
        L"Load file xml Data\\Logic\\hog_predmets.xml info hog predmet."}},
      {"other root", "<Panel/>", 1, {L"No find teg Predmets in file Data\\Logic\\hog_predmets.xml"}},
  };
  for (const SBadFile& c : hogCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.bytes) dir.Write("Data/Logic/hog_predmets.xml", c.bytes);
    LogicCore core(dir.Path());
    CLogic logic;
    logic.m_HogPredmetTexts[L"Old"] = L"old";
    LogCapture log;
    EXPECT_EQ(logic.LoadHogPredmets(hog), c.result);
    EXPECT_TRUE(logic.m_HogPredmetTexts.empty());
    EXPECT_EQ(Errors(log), c.errors);
  }
}

}  // namespace
