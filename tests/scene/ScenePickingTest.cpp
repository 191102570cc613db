// Picking: which entries the per-frame update hands to OnClick for the
// mouse over overlapping trigger models, and the developer "find".
#include <gtest/gtest.h>

#include <functional>

#include "scene/SceneTestSupport.h"
#include "support/CoreSupport.h"

namespace {

using scenetest::CTestBack;
using scenetest::SClick;

// Entries of Pick.xml.
enum { kLow, kHigh, kSame, kTop, kSide, kTkA, kThkB, kX, kTh };

class ScenePicking : public ::testing::Test {
 protected:
  ScenePicking() : cursor(core.Get()) { back = scenetest::LoadScene(L"Level\\Pick.xml"); }

  // Arms entries (state 1), as the zones would.
  void Arm(std::initializer_list<int> entries) {
    for (int i : entries) back->GetEntry(i).mState = 1;
  }
  void PressLeftButton() {
    int x = 0, y = 0;
    core.Get()->GetInput()->GetMousePosition(x, y);
    testsupport::Feed(*core.Get()->GetWindow(), {zuzorev::SInputEvent::MouseDown(0, x, y)});
    core.Get()->GetInput()->Update();
  }

  scenetest::SceneCore core;
  rovovoz::CMouseCursor cursor;
  std::unique_ptr<CTestBack> back;
};

TEST_F(ScenePicking, EntriesUnderTheMouse) {
  struct Case {
    const char* what;
    std::vector<int> armed;
    std::vector<int> clickThrough;
    std::function<void(SObjectEntry*)> change;  // applied to every armed entry
    int noPickMember, noPickArgument;
    float x, y;  // virtual-screen pixels
    std::vector<SClick> clicks;
  } cases[] = {
      {"the higher of two", {kLow, kHigh}, {}, nullptr, 0, 0, 512, 384, {{kHigh, 0}}},
      {"equal heights: the earlier", {kSame, kLow}, {}, nullptr, 0, 0, 512, 384, {{kLow, 0}}},
      {"a lower click-through entry gets its own call", {kLow, kHigh}, {kLow}, nullptr, 0, 0, 512, 384,
       {{kLow, 0}, {kHigh, 0}}},
      {"a click-through entry is called when it is overtaken", {kHigh, kTop}, {kHigh}, nullptr, 0, 0, 512, 384,
       {{kHigh, 0}, {kTop, 0}}},
      {"a lower entry without click-through gets none", {kLow, kTop}, {kTop}, nullptr, 0, 0, 512, 384,
       {{kTop, 0}}},
      {"beside the stack", {kLow, kSide}, {}, nullptr, 0, 0, 812, 384, {{kSide, 0}}},
      {"nothing under the mouse", {kLow, kHigh, kTop}, {}, nullptr, 0, 0, 100, 100, {{-1, 0}}},
      {"not armed", {}, {}, nullptr, 0, 0, 512, 384, {{-1, 0}}},
      {"found (state 3)", {kTop}, {}, [](SObjectEntry* e) { e->mState = 3; }, 0, 0, 512, 384, {{-1, 0}}},
      {"not clickable", {kTop}, {}, [](SObjectEntry* e) { e->mClickable = 0; }, 0, 0, 512, 384, {{-1, 0}}},
      {"not updating", {kTop}, {}, [](SObjectEntry* e) { e->mUpdating = 0; }, 0, 0, 512, 384, {{-1, 0}}},
      {"picking blocked by the scene", {kTop}, {}, nullptr, 1, 0, 512, 384, {}},
      {"picking blocked by the caller", {kTop}, {}, nullptr, 0, 1, 512, 384, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    back->InitObjects();
    back->clicks.clear();
    for (int i : c.armed) {
      back->GetEntry(i).mState = 1;
      if (c.change) c.change(&back->GetEntry(i));
    }
    for (int i : c.clickThrough) back->GetEntry(i).mClickThrough = 1;
    back->mNoPick = c.noPickMember;
    cursor.SetPosition(c.x, c.y, 1);
    back->UpdateEntries(0.02f, &cursor, c.noPickArgument);
    EXPECT_EQ(back->clicks, c.clicks);
  }
}

TEST_F(ScenePicking, PressedButtonAndTipRequest) {
  Arm({kTop});
  cursor.SetPosition(512, 384, 1);
  PressLeftButton();
  back->UpdateEntries(0.02f, &cursor, 0);
  EXPECT_EQ(back->clicks, (std::vector<SClick>{{kTop, 1}}));

  // A tip asked for during the clicks is shown once the picking is done.
  struct CTipBack : CTestBack {
    int32_t OnClick(int index, int pressed, rovovoz::CMouseCursor* c) override {
      mTipRequest = 1;
      return CTestBack::OnClick(index, pressed, c);
    }
  };
  CTipBack tipping;
  ASSERT_EQ(tipping.InitBack(L"Level\\Pick.xml"), 1);
  tipping.UpdateEntries(0.02f, &cursor, 0);
  EXPECT_EQ(tipping.tips, std::vector<std::wstring>{L""});
  EXPECT_EQ(tipping.mTipRequest, 1);
  tipping.tips.clear();
  tipping.UpdateEntries(0.02f, nullptr, 1);
  EXPECT_TRUE(tipping.tips.empty()) << "the request is cleared at every update";
}

TEST_F(ScenePicking, DeveloperFindClicksMarkedTriggersOnce) {
  Arm({kTkA, kThkB, kX, kTh, kLow});
  EXPECT_EQ(back->HandleWordCommand({L"find"}), 1);
  back->UpdateEntries(0.02f, nullptr, 0);
  // "?K..." and "?HK..." are clicked; one- and two-letter names are safe.
  EXPECT_EQ(back->clicks, (std::vector<SClick>{{kTkA, 1}, {kThkB, 1}, {-1, 0}}));
  EXPECT_EQ(back->mDebugFind, 0);
  back->clicks.clear();
  back->UpdateEntries(0.02f, nullptr, 0);
  EXPECT_EQ(back->clicks, (std::vector<SClick>{{-1, 0}})) << "the request is used once";

  // Blocked picking clears the request too, and clicks nothing.
  back->clicks.clear();
  back->HandleWordCommand({L"find"});
  back->mNoPick = 1;
  back->UpdateEntries(0.02f, nullptr, 0);
  EXPECT_TRUE(back->clicks.empty());
  EXPECT_EQ(back->mDebugFind, 0);
}

}  // namespace
