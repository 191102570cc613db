#include <gtest/gtest.h>

#include <vector>

#include "Engine/rovovoz/ScriptFunctions.h"
#include "support/TestSupport.h"

namespace {

int gPlainCalls = 0;
void PlainCommand() { ++gPlainCalls; }

TEST(ScriptFunctions, RegisteredCommandsRunByExactName) {
  rovovoz::CScriptFunctions script;
  gPlainCalls = 0;
  std::vector<std::pair<uint32_t, int32_t>> listCalls;
  script.AddCommand(L"MainBCPlay", PlainCommand);
  script.AddCommand(L"UserLBDelete",
                    [&](uint32_t context, int32_t index) { listCalls.emplace_back(context, index); });

  EXPECT_TRUE(script.Call(L"MainBCPlay"));
  EXPECT_TRUE(script.Call(L"MainBCPlay"));
  EXPECT_EQ(gPlainCalls, 2);

  EXPECT_TRUE(script.CallList(L"UserLBDelete", 7u, 3));
  EXPECT_TRUE(script.CallList(L"UserLBDelete", 7u, -1));
  ASSERT_EQ(listCalls.size(), 2u);
  EXPECT_EQ(listCalls[0], std::make_pair(7u, 3));
  EXPECT_EQ(listCalls[1], std::make_pair(7u, -1));
}

TEST(ScriptFunctions, UnknownOrMismatchedNamesFailWithAWarning) {
  rovovoz::CScriptFunctions script;
  int plain = 0;
  int list = 0;
  script.AddCommand(L"EscBCContinue", [&] { ++plain; });
  script.AddCommand(L"UserLBDelete", [&](uint32_t, int32_t) { ++list; });

  struct Case {
    const wchar_t* name;
    bool asList;
  };
  const Case cases[] = {
      {L"escbccontinue", false},  // case differs
      {L"EscBCContinue ", false}, // trailing space
      {L"", false},
      {L"Nothing", true},
      {L"UserLBDelete", false},   // a list command has no plain form
      {L"EscBCContinue", true},   // and a plain one no list form
  };
  for (const Case& c : cases) {
    testsupport::LogCapture log;
    const bool called = c.asList ? script.CallList(c.name, 0, 0) : script.Call(c.name);
    EXPECT_FALSE(called) << "name '" << testing::PrintToString(std::wstring(c.name)) << "'";
    EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Warning).size(), 1u);
  }
  EXPECT_EQ(plain, 0);
  EXPECT_EQ(list, 0);
}

TEST(ScriptFunctions, ReRegisteringANameReplacesItsHandler) {
  rovovoz::CScriptFunctions script;
  int first = 0;
  int second = 0;
  script.AddCommand(L"OptionsBCApply", [&] { ++first; });
  script.AddCommand(L"OptionsBCApply", [&] { ++second; });
  script.AddCommand(L"Empty", rovovoz::CScriptFunctions::Handler());  // refused

  EXPECT_TRUE(script.Call(L"OptionsBCApply"));
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  testsupport::LogCapture log;
  EXPECT_FALSE(script.Call(L"Empty"));
}

TEST(ScriptFunctions, AHandlerMayRegisterCommandsWhileRunning) {
  rovovoz::CScriptFunctions script;
  int later = 0;
  script.AddCommand(L"Outer", [&] {
    for (int i = 0; i < 50; ++i) script.AddCommand(L"Inner" + std::to_wstring(i), [&] { ++later; });
    script.AddCommand(L"Outer", [&] { later += 100; });
  });
  EXPECT_TRUE(script.Call(L"Outer"));
  EXPECT_TRUE(script.Call(L"Inner49"));
  EXPECT_TRUE(script.Call(L"Outer"));
  EXPECT_EQ(later, 101);
}

}  // namespace
