// The action-script reader: what each action of a block becomes, the error
// lines for bad elements, and the keyword tables.
#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "LogicDataTestSupport.h"

namespace {

using logicdata::Errors;
using testsupport::LogCapture;

constexpr uint32_t kUnknown = kLogicUnknownCode;

// The fixture's block read into a fresh map (its name in another letter
// case: the file system finds it all the same).
SActionMap ReadFixture(LogCapture& log) {
  logicdata::LogicCore core;
  TiXmlDocument document;
  SActionMap actions;
  EXPECT_TRUE(LoadXmlDocument(document, L"actions.XML"));
  log.Clear();
  CLogic::LoadSadanieActions(document.RootElement(), actions, L"Actions.xml", true);
  return actions;
}

const SLogicActionEntry& At(const SActionMap& actions, const std::wstring& name) {
  static const SLogicActionEntry missing;
  const auto found = actions.find(name);
  EXPECT_NE(found, actions.end()) << "no action " << testing::PrintToString(name);
  return found == actions.end() ? missing : found->second;
}

struct SEntryCase {
  const wchar_t* name;
  int32_t ref;
  int32_t ret;
  size_t operations;
  size_t ifs;
  uint32_t firstOperation;
  uint32_t firstType;
  const wchar_t* firstPar1;
};

TEST(ActionScripts, EachActionOfTheBlockBecomesItsEntry) {
  LogCapture log;
  const SActionMap actions = ReadFixture(log);
  const SEntryCase cases[] = {
      {L"a_defaults", 1, 1, 1, 0, 0, 1, L"Key"},
      {L"a_ref0", 1, 1, 1, 0, 4, 27, L"s"},
      {L"a_refneg", 1, 1, 1, 0, 4, 27, L"s"},
      {L"a_ref5", 5, 2, 1, 0, 4, 27, L"s"},
      {L"a_params", 1, 1, 1, 0, 13, 41, L"p1"},
      {L"a_time", 1, 1, 5, 0, 4, 27, L"t1"},
      {L"a_invalid_ret0", 1, 0, 0, 0, kUnknown, kUnknown, L""},
      {L"a_if", 1, 0, 1, 2, 9, 15, L"B1R4"},
      {L"a_dup", 1, 1, 1, 0, 0, 1, L"first"},
      {L"a_case", 1, 1, 1, 0, 0, 1, L"lower"},
      {L"a_Case", 1, 1, 1, 0, 0, 0, L"upper"},
      {L"a_numbers", 1, 1, 1, 0, 0, 1, L""},
  };
  for (const SEntryCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    const SLogicActionEntry& entry = At(actions, c.name);
    EXPECT_EQ(entry.Name, c.name);
    EXPECT_EQ(entry.Ref, c.ref);
    EXPECT_EQ(entry.Ret, c.ret);
    ASSERT_EQ(entry.Actions.size(), c.operations);
    EXPECT_EQ(entry.Ifs.size(), c.ifs);
    if (c.operations == 0) continue;
    EXPECT_EQ(entry.Actions[0].Operation, c.firstOperation);
    EXPECT_EQ(entry.Actions[0].Type, c.firstType);
    EXPECT_EQ(entry.Actions[0].par1, c.firstPar1);
  }
  // Nameless, invalid-only, condition-less ifs and the second block leave
  // nothing behind.
  EXPECT_EQ(actions.size(), std::size(cases));
  for (const wchar_t* gone : {L"a_invalid_only", L"a_empty_if", L"a_second", L""})
    EXPECT_EQ(actions.count(gone), 0u) << testing::PrintToString(std::wstring(gone));
}

TEST(ActionScripts, ParametersAndDelaysAreStoredAsWritten) {
  LogCapture log;
  const SActionMap actions = ReadFixture(log);
  const SLogicAction& p = At(actions, L"a_params").Actions.at(0);
  EXPECT_EQ(p.par2, L"p2");
  EXPECT_EQ(p.par3, L"p3");
  EXPECT_EQ(p.par4, L"p4");
  EXPECT_EQ(p.par_i1, 1);
  EXPECT_EQ(p.par_i2, -2);
  EXPECT_EQ(p.par_i3, 3);
  EXPECT_EQ(p.par_i4, 4);
  EXPECT_FLOAT_EQ(p.par_f1, 0.5f);
  EXPECT_FLOAT_EQ(p.par_f2, -1.25f);
  EXPECT_FLOAT_EQ(p.par_f3, 2.0f);
  EXPECT_EQ(p.key_tips, L"k_tip");
  EXPECT_EQ(p.Countdown, 0.0f);

  // time never below 0; time2 the range above time, 0 when not positive.
  const float expected[][2] = {{0, 0}, {1, 2}, {0, 3}, {5, -3}, {0, 0}};
  const auto& timed = At(actions, L"a_time").Actions;
  ASSERT_EQ(timed.size(), std::size(expected));
  for (size_t i = 0; i < timed.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(timed[i].time, expected[i][0]);
    EXPECT_EQ(timed[i].time2, expected[i][1]);
  }

  // Numbers that are no numbers read as the library reads them.
  const SLogicAction& n = At(actions, L"a_numbers").Actions.at(0);
  EXPECT_EQ(n.par_i1, 0);
  EXPECT_EQ(n.par_i2, 12);
  EXPECT_EQ(n.par_f1, 0.0f);
  EXPECT_EQ(n.time, 0.0f);
}

TEST(ActionScripts, IfBlocksKeepTheirConditionsAndOperationsInOrder) {
  LogCapture log;
  const SActionMap actions = ReadFixture(log);
  const SLogicActionEntry& entry = At(actions, L"a_if");
  ASSERT_EQ(entry.Ifs.size(), 2u);
  const SLogicIf& block = entry.Ifs[0];
  EXPECT_EQ(block.Ret, 0);
  ASSERT_EQ(block.Conditions.size(), 4u);  // the Bogus target is dropped
  EXPECT_EQ(block.Conditions[0].Code, 3u);
  EXPECT_EQ(block.Conditions[0].Type, 5u);
  EXPECT_EQ(block.Conditions[0].par1, L"B1Noj");
  EXPECT_EQ(block.Conditions[1].Code, 4u);
  EXPECT_EQ(block.Conditions[1].Type, 1u);
  EXPECT_EQ(block.Conditions[1].par2, L"y");
  EXPECT_EQ(block.Conditions[1].par3, L"z");
  EXPECT_EQ(block.Conditions[1].par4, L"w");
  EXPECT_EQ(block.Conditions[1].par_i1, 4);
  EXPECT_EQ(block.Conditions[2].Code, kUnknown);  // Fly
  EXPECT_EQ(block.Conditions[2].Type, 1u);
  EXPECT_EQ(block.Conditions[3].Code, 12u);  // RefQual without a target
  EXPECT_EQ(block.Conditions[3].Type, kUnknown);

  // Both Actions children feed one list; a nested if is no block but an
  // operation of unknown code.
  ASSERT_EQ(block.Actions.size(), 3u);
  EXPECT_EQ(block.Actions[0].Operation, 3u);
  EXPECT_EQ(block.Actions[1].Operation, kUnknown);
  EXPECT_EQ(block.Actions[1].Type, 1u);
  EXPECT_EQ(block.Actions[1].par1, L"nested");
  EXPECT_EQ(block.Actions[2].Operation, 2u);
  EXPECT_EQ(block.Actions[2].time, 1.0f);

  EXPECT_EQ(entry.Ifs[1].Ret, 7);
  ASSERT_EQ(entry.Ifs[1].Conditions.size(), 1u);
  EXPECT_EQ(entry.Ifs[1].Conditions[0].Code, 7u);
  EXPECT_EQ(entry.Ifs[1].Conditions[0].Type, 4u);
  EXPECT_TRUE(entry.Ifs[1].Actions.empty());
}

TEST(ActionScripts, EveryBadElementIsReported) {
  LogCapture log;
  ReadFixture(log);
  const std::vector<std::wstring> expected = {
      L"Unknown teg Comment in teg Actions file Actions.xml",
      L"LoadSadanieActions. No find attribute Name for teg Action.",
      L"Invalid action name",
      L"No find Type action",
      L"Invalid action type = Nope file Actions.xml",
      L"Invalid action name",
      L"Invalid action if name Fly file Actions.xml",
      L"Invalid action if type = Bogus file Actions.xml",
      L"Invalid if action name if file Actions.xml",
      L"No find Type action",
      L"Invalid number Ref=\"x7\" in teg Action file Actions.xml",
      L"Invalid number par_i1=\"abc\" in teg Visible file Actions.xml",
      L"Invalid number par_i2=\"12abc\" in teg Visible file Actions.xml",
      L"Invalid number par_f1=\"1e99\" in teg Visible file Actions.xml",
      L"Invalid number time=\"fast\" in teg Visible file Actions.xml",
  };
  EXPECT_EQ(Errors(log), expected);
}

TEST(ActionScripts, ANameThatIsNoNameIsNamedWithItsFileAndNamesNothing) {
  LogCapture log;
  testsupport::Element element(
      "<Back><Actions><Action Name='a_del'>"
      "<Delete Type='Sadanie_simple' par1='find' par2='#-99999999999e999%n'/>"
      "<Run Type='Action' par1='a_go_hall' par2='Back_1.xml'/></Action></Actions></Back>");
  SActionMap actions;
  CLogic::LoadSadanieActions(element.Get(), actions, L"Episod_1.xml", false);
  const SLogicActionEntry& entry = At(actions, L"a_del");
  ASSERT_EQ(entry.Actions.size(), 2u) << "the record stays";
  EXPECT_EQ(entry.Actions[0].par1, L"find");
  EXPECT_TRUE(entry.Actions[0].par2.empty());
  EXPECT_EQ(entry.Actions[1].par2, L"Back_1.xml");
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Warning),
            std::vector<std::wstring>{
                L"File Episod_1.xml: attribute par2=\"#-99999999999e999%n\" of Delete is no name; it names nothing"});
}

TEST(ActionScripts, ReadsIntoTheMapWithoutReplacingUnlessToldToClear) {
  testsupport::Element element(
      "<Back><Actions><Action Name='a_x'><Visible Type='Obj' par1='new'/></Action>"
      "<Action Name='a_y'><Visible Type='Obj'/></Action></Actions></Back>");
  SActionMap actions;
  actions[L"a_x"].Name = L"a_x";  // present before: stays as it was
  actions[L"a_old"].Name = L"a_old";
  CLogic::LoadSadanieActions(element.Get(), actions, L"f", false);
  EXPECT_EQ(actions.size(), 3u);
  EXPECT_TRUE(actions[L"a_x"].Actions.empty());

  CLogic::LoadSadanieActions(element.Get(), actions, L"f", true);
  EXPECT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[L"a_x"].Actions.at(0).par1, L"new");

  CLogic::LoadSadanieActions(nullptr, actions, L"f", true);  // nothing happens
  EXPECT_EQ(actions.size(), 2u);
  testsupport::Element noBlock("<Back/>");
  CLogic::LoadSadanieActions(noBlock.Get(), actions, L"f", true);  // cleared, nothing read
  EXPECT_TRUE(actions.empty());
}

struct SKeywordCase {
  uint32_t (*parse)(const std::wstring&);
  const wchar_t* name;
  uint32_t code;
};

TEST(ActionScripts, KeywordTablesIgnoreCaseAndMatchWholeNames) {
  const SKeywordCase cases[] = {
      {&CLogic::ParseActionOperation, L"visible", 0},
      {&CLogic::ParseActionOperation, L"PLAY", 4},
      {&CLogic::ParseActionOperation, L"Start", 4},
      {&CLogic::ParseActionOperation, L"OpenAlwaysPick", 13},
      {&CLogic::ParseActionOperation, L"Open ", kUnknown},
      {&CLogic::ParseActionOperation, L"Vis", kUnknown},
      {&CLogic::ParseActionOperation, L"", kUnknown},
      {&CLogic::ParseActionObjectType, L"objtri", 0},
      {&CLogic::ParseActionObjectType, L"Obj", 1},
      {&CLogic::ParseActionObjectType, L"sadanie_complex_KUSOK", 38},
      {&CLogic::ParseActionObjectType, L"Sadanie_complex", 3},
      {&CLogic::ParseActionObjectType, L"ActionE", 14},
      {&CLogic::ParseActionObjectType, L"FrameAnim", 41},
      {&CLogic::ParseActionObjectType, L"Objects", kUnknown},
      {&CLogic::ParseConditionType, L"novisible", 4},
      {&CLogic::ParseConditionType, L"RefNoQual", 13},
      {&CLogic::ParseConditionType, L"Play", kUnknown},
      {&CLogic::ParseConditionObjectType, L"PREDMET", 5},
      {&CLogic::ParseConditionObjectType, L"Level", kUnknown},
  };
  for (const SKeywordCase& c : cases)
    EXPECT_EQ(c.parse(c.name), c.code) << testing::PrintToString(std::wstring(c.name));
}

}  // namespace
