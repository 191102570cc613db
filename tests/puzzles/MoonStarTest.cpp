// The moon star through the harness: partners, a wrong choice, the
// exchanges that solve it and its own skip.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <queue>

#include "Levels/Puzzles/Level_41_MG_01.h"
#include "puzzles/PuzzleFixtures.h"
#include "puzzles/PuzzleHarness.h"

using namespace puzzletest;

namespace {

class MoonStar : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CPuzzleHarness::SetUpSuite(); }
  static void TearDownTestSuite() { CPuzzleHarness::TearDownSuite(); }
  void SetUp() override {
    moons = dynamic_cast<CLevel_41_MG_01*>(h.Load(L"Back_41_MG1.xml", MoonShapes()));
    ASSERT_NE(moons, nullptr);
    h.Action(L"a_startMG01CE");
  }
  // The button goes down over the point (the moons take the press), then up.
  void PressPoint(int p) {
    h.Press(MoonX(p), MoonZ(p));
    h.Release(MoonX(p), MoonZ(p));
  }
  std::array<int, 5> Order() const {
    std::array<int, 5> order{};
    for (int p = 0; p < 5; ++p) order[static_cast<size_t>(p)] = moons->GetOrder(p);
    return order;
  }
  CPuzzleHarness h;
  CLevel_41_MG_01* moons = nullptr;
};

const std::wstring kEnd = L"action:a_B45MG01_complete";

}  // namespace

TEST_F(MoonStar, EachPointHasTheTwoPartnersTwoPointsAway) {
  for (int f = 0; f < 5; ++f)
    for (int p = 0; p < 5; ++p)
      EXPECT_EQ(CLevel_41_MG_01::IsPartner(f, p), p == (f + 2) % 5 || p == (f + 3) % 5) << f << " " << p;
  EXPECT_FALSE(CLevel_41_MG_01::IsPartner(-1, 2));
}

TEST_F(MoonStar, AWrongChoicePlaysItsSoundPausesASecondAndDropsTheSelection) {
  PressPoint(0);
  EXPECT_EQ(moons->GetFirst(), 0);
  EXPECT_EQ(h.Count(L"action:a_star_effectB45MG1_01"), 1);
  EXPECT_EQ(h.CursorImages().back(), L"cur_vzat") << "image number 2 over a point";
  for (int wrong : {1, 0}) {  // a neighbour, then the first moon itself
    PressPoint(wrong);
    EXPECT_EQ(moons->GetState(), CLevel_41_MG_01::kWrongChoice);
    EXPECT_EQ(h.Count(L"sound:47_Klikaem_po_toi_je_samoi_lune"), 1);
    PressPoint(2);  // nothing reacts during the pause
    EXPECT_EQ(h.Count(L"sound:47_Klikaem_po_vtoroi_lune"), 0);
    h.Frames(60);
    EXPECT_EQ(moons->GetState(), CLevel_41_MG_01::kWaiting);
    EXPECT_EQ(moons->GetFirst(), -1);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(moons->GetMoon(k).highlight, 0);
    h.ClearEvents();
    if (wrong == 1) PressPoint(0);
  }
  EXPECT_EQ(Order(), (std::array<int, 5>{0, 1, 2, 3, 4}));
}

TEST_F(MoonStar, ExchangesToTheSolvedOrderRunTheEndAction) {
  // The shortest exchanges from the start to (1, 2, 0, 4, 3).
  using Order5 = std::array<int, 5>;
  const Order5 start{0, 1, 2, 3, 4}, solved{1, 2, 0, 4, 3};
  std::map<Order5, std::pair<Order5, std::pair<int, int>>> from;
  std::queue<Order5> open;
  open.push(start);
  from[start] = {start, {-1, -1}};
  while (!open.empty() && !from.count(solved)) {
    const Order5 o = open.front();
    open.pop();
    for (int f = 0; f < 5; ++f)
      for (int p = 0; p < 5; ++p) {
        if (!CLevel_41_MG_01::IsPartner(f, p)) continue;
        Order5 n = o;
        std::swap(n[static_cast<size_t>(f)], n[static_cast<size_t>(p)]);
        if (from.emplace(n, std::make_pair(o, std::make_pair(f, p))).second) open.push(n);
      }
  }
  ASSERT_TRUE(from.count(solved));
  std::vector<std::pair<int, int>> moves;
  for (Order5 o = solved; o != start; o = from[o].first) moves.insert(moves.begin(), from[o].second);

  for (size_t i = 0; i < moves.size(); ++i) {
    PressPoint(moves[i].first);
    PressPoint(moves[i].second);
    EXPECT_EQ(moons->GetState(), CLevel_41_MG_01::kExchanging);
    h.Frames(30);
    EXPECT_EQ(moons->GetState(), CLevel_41_MG_01::kExchanging) << "an exchange takes a second";
    h.Frames(35);
    EXPECT_EQ(moons->GetState(), CLevel_41_MG_01::kWaiting);
    EXPECT_EQ(h.Count(kEnd), i + 1 == moves.size() ? 1 : 0);
  }
  EXPECT_EQ(Order(), solved);
  for (int p = 0; p < 5; ++p) {
    const auto at = moons->GetMoon(moons->GetOrder(p)).model->GetPosition3D();
    EXPECT_FLOAT_EQ(at.x, MoonX(p));
    EXPECT_FLOAT_EQ(at.z, MoonZ(p));
  }
  h.Action(L"a_test_endB45_MG01");
  EXPECT_EQ(h.Count(kEnd), 1) << "once";
}

TEST_F(MoonStar, ItsOwnSkipFadesAndStopsWithoutTheEndAction) {
  h.Action(L"a_skip");
  h.Frames(3);
  EXPECT_EQ(moons->GetState(), CLevel_41_MG_01::kWaiting) << "the panel's skip does nothing here";
  h.Action(L"a_skipMG01CE");
  EXPECT_EQ(moons->GetState(), CLevel_41_MG_01::kSkipFade);
  for (int n = 1; n <= 5; ++n)
    EXPECT_EQ(h.Count(L"action:a_change_effect_B45MG1_0" + std::to_wstring(n)), 1);
  EXPECT_EQ(moons->GetMoon(1).model->GetPosition3D().x, MoonX(0)) << "moon 1 on point 0";
  h.Frames(30);
  EXPECT_NEAR(moons->GetMoon(0).model->GetAlpha(), 0.5f, 0.02f);
  h.Frames(35);
  EXPECT_FALSE(moons->IsRunning());
  EXPECT_EQ(h.Count(kEnd), 0);
  EXPECT_EQ(Order(), (std::array<int, 5>{0, 1, 2, 3, 4})) << "the order is not changed";
}
