// Clicks on a scene: the hover and click chains, "mc_empty", the panel
// cursor over each zone kind, and what a click on each kind of zone item
// does to the entry, its saved state, the chapter, the panel and the
// item window, down to the per-frame update fed by a scripted mouse.
#include <gtest/gtest.h>

#include <algorithm>

#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/EventScript.h"
#include "scene/SceneClickSupport.h"

namespace {

using namespace scenetest;
using zuzorev::SInputEvent;

enum {
  kFind, kSfind, kFree, kMouse, kHog, kClick, kPush, kSpush, kLupa, kJar1, kJar2, kVase1, kChest1, kTree, kPlain
};

class SceneClicks : public ::testing::Test {
 protected:
  SceneClicks() : back(log), episod(log), panel(log), panelScope(&panel), cursor(core.Get()) {
    EXPECT_EQ(back.InitBack(L"Level\\Clicks.xml"), 1);
    back.SetName(L"Hall");
    EXPECT_EQ(back.Load(3), 1);
    back.InitObjects();
    back.mViewMatrix = zormath::Mat4f::Identity();
    back.mEpisod = &episod;
    back.ArmAll();
  }
  int Saved(int index) {
    int state = -1;
    back.GetSavedObjectState(index, state);
    return state;
  }
  // The log without the hover and click chain names.
  CallLog Handlers() const {
    CallLog out;
    for (const std::wstring& call : log)
      if (call.rfind(L"mm_", 0) != 0 && call.rfind(L"mc_", 0) != 0) out.push_back(call);
    return out;
  }
  // The window point over the middle of an entry's trigger model.
  void WindowPointOver(int index, int& x, int& y) {
    const zuzorev::SAABBox box = back.GetEntry(index).mTrigger->GetAABBox(1);
    const float vx = 512.0f + (box.Min.x + box.Max.x) * 0.5f;
    const float vy = 384.0f - (box.Min.z + box.Max.z) * 0.5f;
    float wx = 0.0f, wy = 0.0f;
    core.Render().VirtualToWindow(vx, vy, wx, wy);
    x = static_cast<int>(wx);
    y = static_cast<int>(wy);
  }
  // One frame as the game runs it: input, the cursor, the scene's update.
  void Frame() {
    core.Get()->GetWindow()->BeginFrame();
    core.Get()->GetInput()->Update();
    cursor.UpdatePosition();
    back.UpdateEntries(0.05f, &cursor, 0);
  }

  SceneCore core;
  testsupport::LogCapture logCapture;
  FreshPlayer player;
  CallLog log;
  CClickBack back;
  CClickEpisod episod;
  CClickPanel panel;
  PanelScope panelScope;
  rovovoz::CMouseCursor cursor;
};

TEST_F(SceneClicks, ScriptedPressOverAFindItemRunsTheWholeChainThroughTheFrameUpdate) {
  ASSERT_TRUE(core.Ok());
  int x = 0, y = 0;
  WindowPointOver(kFind, x, y);
  auto script = std::make_unique<zuzorev::CEventScript>(0.05f, 7u);
  script->Add(0, SInputEvent::MouseMove(x, y));
  script->Add(1, SInputEvent::MouseDown(0, x, y));
  script->Add(2, SInputEvent::MouseUp(0, x, y));
  core.Get()->GetWindow()->GetEvents().SetScript(std::move(script));

  Frame();
  EXPECT_EQ(log, (CallLog{L"mm_T_Find", L"mm_find_Key", L"mm_find", L"mm_simple"})) << "hover only";
  EXPECT_EQ(panel.cursorKinds, (std::vector<int>{2}));
  log.clear();

  Frame();
  EXPECT_EQ(log, (CallLog{L"mm_T_Find", L"mm_find_Key", L"mm_find", L"mm_simple", L"mc_T_Find", L"mc_find_Key",
                          L"mc_find", L"mc_simple", L"del_find_Key", L"found:find/Key", L"item:Key", L"window:Key",
                          L"sound:I_Click"}));
  const SObjectEntry& entry = back.GetEntry(kFind);
  EXPECT_EQ(entry.mState, 3);
  EXPECT_EQ(entry.mActive, 0);
  EXPECT_EQ(entry.mClickable, 0);
  EXPECT_EQ(Saved(kFind), 3);
  EXPECT_EQ(back.mModes, (std::vector<int32_t>{6}));
  EXPECT_EQ(back.mItemWindowNames, (std::vector<std::wstring>{L"Key"}));
  log.clear();

  Frame();
  EXPECT_EQ(log, CallLog{}) << "a found item is no longer picked, and the button is up";
  core.Get()->GetWindow()->GetEvents().SetScript(nullptr);

  // A repeated find never queues the item window twice.
  back.GetEntry(kFind).mState = 1;
  back.ClickObject(kFind, L"find", L"Key");
  EXPECT_EQ(back.mModes, (std::vector<int32_t>{6}));
  EXPECT_EQ(back.mItemWindowNames, (std::vector<std::wstring>{L"Key"}));
}

TEST_F(SceneClicks, EachZoneKindOnAPress) {
  struct Case {
    const char* what;
    int index;
    std::wstring carried;
    Answers sceneAnswers, chapterAnswers;
    int32_t result;
    CallLog handlers;
    std::vector<int> cursorKinds;
    int state, active, clickable, saved, wrongItem;
    std::wstring carriedAfter;
  } cases[] = {
      {"find", kFind, L"", {}, {}, 1,
       {L"del_find_Key", L"found:find/Key", L"item:Key", L"window:Key", L"sound:I_Click"}, {2}, 3, 0, 0, 3, 0, L""},
      {"find with an object held", kFind, L"Ball", {}, {}, 1, {}, {}, 1, 1, 1, -1, 0, L"Ball"},
      {"find whose delete action stops", kFind, L"", {}, {{L"del_find_Key", 0}}, 3, {L"del_find_Key"}, {2}, 1, 1, 1,
       -1, 0, L""},
      {"find whose click action stops", kFind, L"", {{L"mc_find", 0}}, {}, 3, {}, {2}, 1, 1, 1, -1, 0, L""},
      {"find whose hover action stops", kFind, L"", {{L"mm_T_Find", 0}}, {}, 3, {}, {}, 1, 1, 1, -1, 0, L""},
      {"sfind: taken onto the cursor", kSfind, L"", {}, {}, 1,
       {L"del_sfind_Ball", L"sound:I_Click", L"take:Ball+object"}, {2}, 1, 0, 0, -1, 0, L"Ball"},
      {"free", kFree, L"", {}, {}, 1, {L"del_free_Wick", L"found:free/Wick", L"sound:I_Click"}, {2}, 3, 0, 0, 3, 0,
       L""},
      {"mouse", kMouse, L"", {}, {}, 1, {L"del_mouse_Candle", L"found:mouse/Candle"}, {3}, 3, 0, 0, 3, 0, L""},
      {"mouse with an object held", kMouse, L"Ball", {}, {}, 1, {}, {}, 1, 1, 1, -1, 0, L"Ball"},
      {"hog, even with an object held", kHog, L"Ball", {}, {}, 1,
       {L"hoghover:4", L"del_hog_Cup", L"found:hog/Cup"}, {4}, 3, 0, 0, 3, 0, L"Ball"},
      {"click", kClick, L"", {}, {}, 1, {L"del_click_Bell", L"found:click/Bell"}, {}, 3, 0, 0, 3, 0, L""},
      {"lupa: the magnifier sound first", kLupa, L"", {}, {}, 1,
       {L"sound:I_Info", L"del_lupa_Glass", L"found:lupa/Glass"}, {}, 3, 0, 0, 3, 0, L""},
      {"push with its object", kPush, L"Wick", {}, {}, 1, {L"del_push_Wick", L"found:push/Wick", L"drop:2"}, {1}, 3,
       1, 0, 3, 0, L""},
      {"push with another object", kPush, L"Ball", {}, {}, 1, {}, {1}, 1, 1, 1, -1, 1, L"Ball"},
      {"push with an empty cursor", kPush, L"", {}, {}, 1, {L"itemtip:Wick"}, {1}, 1, 1, 1, -1, 0, L""},
      {"push whose delete action stops", kPush, L"Wick", {}, {{L"del_push_Wick", 0}}, 3, {L"del_push_Wick"}, {1}, 1,
       1, 1, -1, 0, L"Wick"},
      {"spush with its object", kSpush, L"Ball", {}, {}, 1,
       {L"del_spush_Ball", L"del_sfind_Ball", L"found:sfind/Ball", L"found:spush/Ball", L"drop:2"}, {1}, 3, 1, 0, 3,
       0, L""},
      {"hog piece", kJar1, L"", {}, {}, 1, {L"del_T_Jar1", L"del_hog_Jar_kus", L"piece:hog/Jar/1", L"sound:I_Click"},
       {}, 3, 0, 0, 3, 0, L""},
      {"find piece: the chapter refuses it", kVase1, L"", {}, {}, 1, {}, {}, 1, 1, 1, -1, 0, L""},
      {"push piece with its object", kChest1, L"Chest", {}, {}, 1,
       {L"del_T_Chest1", L"del_push_Chest_kus", L"piece:push/Chest/1"}, {1}, 3, 0, 0, 3, 0, L"Chest"},
      {"push piece with another object", kChest1, L"Ball", {}, {}, 1, {}, {1}, 1, 1, 1, -1, 1, L"Ball"},
      {"push piece with an empty cursor", kChest1, L"", {}, {}, 1, {L"itemtip:Chest"}, {1}, 1, 1, 1, -1, 0, L""},
      {"plain entry outside the zones", kPlain, L"", {}, {}, 0, {}, {}, 1, 1, 1, -1, 0, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    log.clear();
    panel.cursorKinds.clear();
    panel.carried = c.carried;
    back.answers = c.sceneAnswers;
    episod.answers = c.chapterAnswers;
    back.ClearBackSaveState();
    back.InitObjects();
    back.ArmAll();
    back.mTipRequest = 0;
    EXPECT_EQ(back.OnClick(c.index, 1, nullptr), c.result);
    EXPECT_EQ(Handlers(), c.handlers);
    EXPECT_EQ(panel.cursorKinds, c.cursorKinds);
    const SObjectEntry& e = back.GetEntry(c.index);
    EXPECT_EQ(e.mState, c.state);
    EXPECT_EQ(e.mActive, c.active);
    EXPECT_EQ(e.mClickable, c.clickable);
    EXPECT_EQ(Saved(c.index), c.saved);
    EXPECT_EQ(back.mTipRequest, c.wrongItem);
    EXPECT_EQ(panel.carried, c.carriedAfter);
  }
}

TEST_F(SceneClicks, ChainNamesAndTheirOrder) {
  struct Case {
    const char* what;
    int index;
    int pressed;
    CallLog names;
  } cases[] = {
      {"hover over a zone item", kFree, 0, {L"mm_T_Free", L"mm_free_Wick", L"mm_free", L"mm_simple"}},
      {"press on a piece", kJar2, 1,
       {L"mm_T_Jar2", L"mm_hog_Jar", L"mm_hog", L"mm_complex", L"mc_T_Jar2", L"mc_hog_Jar", L"mc_hog", L"mc_complex",
        L"del_T_Jar2", L"del_hog_Jar_kus", L"piece:hog/Jar/2", L"sound:I_Click"}},
      {"press on an entry outside the zones", kPlain, 1, {L"mm_T_Plain", L"mc_T_Plain"}},
      {"press on scenery also runs mc_empty", kTree, 1, {L"mm_TS_Tree", L"mc_TS_Tree", L"mc_empty"}},
      {"press on empty space", -1, 1, {L"mc_empty"}},
      {"no press on empty space", -1, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    log.clear();
    back.InitObjects();
    back.ArmAll();
    back.OnClick(c.index, c.pressed, nullptr);
    EXPECT_EQ(log, c.names);
  }
}

TEST_F(SceneClicks, WithoutAChapterOnlyTheHoverChainRuns) {
  back.mEpisod = nullptr;
  EXPECT_EQ(back.OnClick(kFind, 1, nullptr), 1);
  EXPECT_EQ(log, (CallLog{L"mm_T_Find", L"mm_find_Key", L"mm_find", L"mm_simple"}));
  EXPECT_EQ(back.GetEntry(kFind).mState, 1);
}

TEST_F(SceneClicks, AnEntryNotInPlayRunsOnlyItsOwnClickName) {
  back.GetEntry(kFind).mState = 3;
  EXPECT_EQ(back.RunMcAction(kFind, L"simple", L"find", L"Key"), 2);
  EXPECT_EQ(log, (CallLog{L"mc_T_Find"}));
}

TEST_F(SceneClicks, AFindInACloseUpCountsDownInItsOwnerScene) {
  CClickBack owner(log);
  owner.SetName(L"Hall");
  back.SetName(L"Desk");
  back.SetOwner(&owner);
  gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters[L"Desk"] = 2;
  back.OnClick(kFind, 1, nullptr);
  EXPECT_EQ(gCurrentPlayer.mEpisodInfo.mBackTasks[L"Hall"].mCounters[L"Desk"], 1);
  back.SetOwner(nullptr);
}

TEST_F(SceneClicks, AZoneClickEndsTheCameraHold) {
  struct Case {
    int index;
    int pressed;
    int32_t holdAfter;
  } cases[] = {{kClick, 1, -1}, {kClick, 0, 2}, {kPlain, 1, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    back.InitObjects();
    back.ArmAll();
    back.mModes = {8};
    back.mCountdownState = 2;
    back.OnClick(c.index, c.pressed, nullptr);
    EXPECT_EQ(back.mCountdownState, c.holdAfter);
  }
  back.mModes.clear();
}

TEST_F(SceneClicks, TestChainAsksWithoutDoingAnything) {
  struct Case {
    const char* what;
    int index;
    const wchar_t* group;
    const wchar_t* item;
    const wchar_t* kind;
    Answers chapter;
    int32_t result;
  } cases[] = {
      {"find item", kFind, L"find", L"Key", L"simple", {}, 1},
      {"find item the chapter would stop", kFind, L"find", L"Key", L"simple", {{L"del_find_Key", 0}}, 0},
      {"sfind item is never asked", kSfind, L"sfind", L"Ball", L"simple", {{L"del_sfind_Ball", 0}}, 1},
      {"find piece the chapter refuses", kVase1, L"find", L"Vase", L"complex", {}, 1},
      {"push piece whose piece action would stop", kChest1, L"push", L"Chest", L"complex",
       {{L"del_push_Chest_kus", 0}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    log.clear();
    episod.answers = c.chapter;
    EXPECT_EQ(back.ClickSimpleComplex(c.index, c.kind, c.group, c.item, nullptr, -1), c.result);
    EXPECT_EQ(back.GetEntry(c.index).mState, 1);
    for (const std::wstring& call : log) EXPECT_EQ(call[0], L'?') << "only test runs: " << call.c_str();
  }
}

TEST_F(SceneClicks, MatchesTheEntrysClickRoadNames) {
  struct Case {
    const wchar_t* name;
    const wchar_t* kind;
    const wchar_t* group;
    const wchar_t* item;
    const wchar_t* entry;
    bool match;
  } cases[] = {
      {L"MM_T_Find", L"simple", L"find", L"Key", L"T_Find", true},
      {L"mc_find_Key", L"simple", L"find", L"Key", L"T_Find", true},
      {L"del_find_Key_kus", L"complex", L"find", L"Key", L"T_Find", true},
      {L"mc_simple", L"simple", L"find", L"Key", L"", true},
      {L"mc_simple", L"simple", L"find", L"Key", L"T_Find", false},
      {L"mc_T_Plain", L"", L"", L"", L"T_Plain", true},
      {L"del_T_Plain", L"", L"", L"", L"T_Plain", true},
      {L"mc_other", L"simple", L"find", L"Key", L"T_Find", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << Platform::WideToUtf8(c.name));
    EXPECT_EQ(back.MatchObjectActionName(c.name, c.kind, c.group, c.item, c.entry), c.match);
  }
}

}  // namespace
