// The protocol every puzzle shares, over the 22 rows of the rules table,
// and the factory that makes the built puzzle classes by file name.
#include <gtest/gtest.h>

#include <cwctype>
#include <functional>
#include <map>

#include "Levels/Puzzles/Level_04_MG_01.h"
#include "Levels/Puzzles/PuzzleLevel.h"
#include "Logic/LogicFactories.h"
#include "Platform/Strings.h"
#include "puzzles/PuzzleFixtures.h"
#include "puzzles/PuzzleHarness.h"

using namespace puzzletest;

namespace {

// The base with the smallest puzzle: one trigger "T_Piece"; a click on it
// solves the puzzle, the skip solves it too, and the win follows on the
// next frame.
class CTestPuzzle : public CPuzzleLevel {
 public:
  explicit CTestPuzzle(const SPuzzleRules& rules) : CPuzzleLevel(rules) {}
  bool solved = false;
  int frames = 0;

 protected:
  void OnBackStart() override {
    solved = false;
    mTrigger = FindTrigger(L"T_Piece");
  }
  void OnSkip() override {
    // A class with its own ending stops without an end action.
    if (GetRules().skip == ESkipKind::OwnEnding)
      mRunning = 0;
    else
      solved = true;
  }
  void UpdatePuzzle(float, rovovoz::CMouseCursor* cursor) override {
    ++frames;
    if (IsUnderCursor(mTrigger, cursor) && IsButton(0, 4)) solved = true;
    if (solved) Win();
  }

 private:
  rovovoz::CTriangleObject3D* mTrigger = nullptr;
};

// The built classes with the fixture scene each is tested on.
const std::map<std::wstring, std::function<std::vector<SShape>()>> kBuilt = {
    {L"CLevel_04_MG_01", &MosaicShapes},
    {L"CLevel_05_MG_02", [] { return HexagonShapes(); }},
    {L"CLevel_41_MG_01", &MoonShapes},
};

const std::vector<SShape> kTestShapes = {{L"", L"T_Piece", -20, -20, 20, 20, 0}};

std::vector<const SPuzzleRules*> AllRules() {
  size_t count = 0;
  const SPuzzleRules* rows = PuzzleRulesTable(count);
  std::vector<const SPuzzleRules*> all;
  for (size_t i = 0; i < count; ++i) all.push_back(&rows[i]);
  return all;
}

class PuzzleProtocol : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CPuzzleHarness::SetUpSuite(); }
  static void TearDownTestSuite() { CPuzzleHarness::TearDownSuite(); }
};

// Loads the row's real class when it is built, else the test puzzle with
// the row's rules.
CPuzzleLevel* LoadRow(CPuzzleHarness& h, const SPuzzleRules& rules, std::unique_ptr<CTestPuzzle>& fake) {
  const auto built = kBuilt.find(rules.className);
  if (built != kBuilt.end()) return dynamic_cast<CPuzzleLevel*>(h.Load(rules.fileName, built->second()));
  h.Load(L"Protocol_test.xml", kTestShapes);
  fake = std::make_unique<CTestPuzzle>(rules);
  fake->InitBack(L"Data\\Level\\Protocol_test.xml");
  fake->Load(3);
  fake->OnAction(L"a_back_start", 0);
  return fake.get();
}

}  // namespace

TEST_F(PuzzleProtocol, TheTableHoldsTwentyTwoClassesOnceEach) {
  const std::vector<const SPuzzleRules*> rows = AllRules();
  ASSERT_EQ(rows.size(), 22u);
  for (const SPuzzleRules* row : rows) {
    EXPECT_EQ(FindPuzzleRules(row->className), row);
    EXPECT_EQ(BackClassName(row->fileName), row->className) << "the factory row names the class";
    EXPECT_NE(row->endAction, nullptr);
    EXPECT_EQ(row->skipAction == nullptr, row->skip == ESkipKind::None);
  }
}

TEST_F(PuzzleProtocol, EveryRowFollowsTheProtocol) {
  for (const SPuzzleRules* rules : AllRules()) {
    SCOPED_TRACE(Platform::WideToUtf8(rules->className));
    CPuzzleHarness h;
    std::unique_ptr<CTestPuzzle> fake;
    CPuzzleLevel* puzzle = LoadRow(h, *rules, fake);
    ASSERT_NE(puzzle, nullptr);
    EXPECT_EQ(puzzle->IsRunning(), rules->startAction == nullptr) << "a class without start action plays at once";
    h.ClearEvents();

    // Mode 1 does nothing, whatever the action.
    for (const wchar_t* name : {rules->startAction, rules->skipAction, L"a_skip", L"a_back_start"}) {
      if (!name) continue;
      EXPECT_EQ(puzzle->OnAction(name, 1), 1);
    }
    EXPECT_EQ(puzzle->IsRunning(), rules->startAction == nullptr);
    EXPECT_FALSE(puzzle->IsDone());
    // Unknown actions are ignored.
    EXPECT_EQ(puzzle->OnAction(L"a_nobody_knows_this", 0), 1);
    EXPECT_TRUE(h.Events().empty());

    if (rules->startAction) puzzle->OnAction(rules->startAction, 0);
    EXPECT_TRUE(puzzle->IsRunning());
    if (rules->skipAction) puzzle->OnAction(rules->skipAction, 0);
    if (rules->skipAction && std::wstring(rules->skipAction) != L"a_skip") puzzle->OnAction(L"a_skip", 0);
    // Long enough for a class that turns its pieces home one by one.
    for (int i = 0; i < 600; ++i) {
      if (fake) fake->UpdateLevel(CPuzzleHarness::kDt, &h.Cursor());
      else h.Frame();
    }
    const std::wstring end = std::wstring(L"action:") + rules->endAction;
    const int expected = rules->skip == ESkipKind::ByFrames || rules->skip == ESkipKind::EndAtOnce ? 1 : 0;
    EXPECT_EQ(h.Count(end), expected) << "the skip ends the puzzle with its end action";
    if (expected && rules->successSound) {
      const std::wstring sound = std::wstring(L"sound:") + rules->successSound;
      ASSERT_EQ(h.Count(sound), 1);
      const auto at = [&](const std::wstring& e) { return std::find(h.Events().begin(), h.Events().end(), e); };
      EXPECT_EQ(at(sound) < at(end), !rules->soundAfterEnd);
    }
    // The end action runs once: a skip after the win changes nothing.
    if (rules->skipAction) puzzle->OnAction(rules->skipAction, 0);
    if (fake) fake->UpdateLevel(CPuzzleHarness::kDt, &h.Cursor());
    else h.Frame();
    EXPECT_EQ(h.Count(end), expected);
  }
}

TEST_F(PuzzleProtocol, ABaseFrameTakesNoClickWithoutACursorAndNoneBeforeTheStart) {
  for (const SPuzzleRules* rules : AllRules()) {
    SCOPED_TRACE(Platform::WideToUtf8(rules->className));
    CPuzzleHarness h;
    h.Load(L"Protocol_test.xml", kTestShapes);
    CTestPuzzle puzzle(*rules);
    puzzle.InitBack(L"Data\\Level\\Protocol_test.xml");
    puzzle.Load(3);
    puzzle.OnAction(L"a_back_start", 0);
    if (rules->startAction) {
      // Not started: the frame does not reach the puzzle.
      h.Click(0, 0);
      puzzle.UpdateLevel(CPuzzleHarness::kDt, &h.Cursor());
      EXPECT_EQ(puzzle.frames, 0);
      puzzle.OnAction(rules->startAction, 0);
    }
    h.Click(0, 0);
    puzzle.UpdateLevel(CPuzzleHarness::kDt, nullptr);
    EXPECT_FALSE(puzzle.IsDone()) << "no cursor: no click";
    EXPECT_EQ(puzzle.frames, rules->framesWithoutCursor ? 1 : 0);
    puzzle.UpdateLevel(CPuzzleHarness::kDt, &h.Cursor());
    EXPECT_TRUE(puzzle.IsDone()) << "the same input with the cursor is the click";
  }
}

TEST_F(PuzzleProtocol, TheFactoryMakesEveryBuiltClassByItsFileNameInAnyCase) {
  for (const SPuzzleRules* rules : AllRules()) {
    SCOPED_TRACE(Platform::WideToUtf8(rules->className));
    std::wstring mixed = rules->fileName;
    for (size_t i = 0; i < mixed.size(); i += 2) mixed[i] = static_cast<wchar_t>(std::towupper(mixed[i]));
    for (size_t i = 1; i < mixed.size(); i += 2) mixed[i] = static_cast<wchar_t>(std::towlower(mixed[i]));
    std::unique_ptr<CBaseLevel> scene(CreateBack(mixed));
    ASSERT_NE(scene, nullptr);
    auto* puzzle = dynamic_cast<CPuzzleLevel*>(scene.get());
    if (kBuilt.count(rules->className)) {
      ASSERT_NE(puzzle, nullptr) << "a built class, not the base";
      EXPECT_EQ(&puzzle->GetRules(), rules);
    } else {
      EXPECT_EQ(puzzle, nullptr) << "a row without a class of its own makes the plain scene";
    }
  }
  std::unique_ptr<CBaseLevel> mosaic(CreateBack(L"back_4_mg3.XML"));
  EXPECT_NE(dynamic_cast<CLevel_04_MG_01*>(mosaic.get()), nullptr);
}
