// Interaction zones against the episode progress, the mode queue and each
// mode's counts, the episode's requests, complex items, counts and the find
// sparkle, on a fixture scene with one item of every zone kind.
#include <gtest/gtest.h>

#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "scene/SceneRunSupport.h"
#include "scene/SceneTestSupport.h"

namespace {

using namespace scenetest;

constexpr int kBox = 1, kBall = 2, kGrey = 3, kGlow = 4, kDoor = 5, kMouse = 6, kWick = 7, kBell = 8, kMorph = 9;
constexpr int kLupa = 10, kSpush = 11, kJar1 = 12, kJar2 = 13, kVase1 = 14, kVase2 = 15, kChest = 16;

std::unique_ptr<CRunBack> LoadZones(const std::wstring& name = L"Hall") {
  auto back = std::make_unique<CRunBack>();
  EXPECT_EQ(back->InitBack(L"Level\\Zones.xml"), 1);
  back->SetName(name);
  EXPECT_EQ(back->Load(3), 1);
  back->InitObjects();
  back->mViewMatrix = zormath::Mat4f::Identity();
  return back;
}

SComplexTaskInfo Task(const std::wstring& name, uint32_t state, std::vector<uint32_t> pieces) {
  SComplexTaskInfo task;
  task.mName = name;
  task.mValue = state;
  for (uint32_t id : pieces) task.mPieces.push_back({id, 1, 0, L""});
  return task;
}

float Alpha(CBaseBack& back, int index) { return back.GetEntry(index).mObject->GetAlpha(); }

class SceneZones : public ::testing::Test {
 protected:
  SceneZones() : back(LoadZones()), overlay(core.Get()) { back->mOverlay = &overlay; }
  ~SceneZones() override { back->mOverlay = nullptr; }
  SEpisodInfo& Progress() { return gCurrentPlayer.mEpisodInfo; }
  int Saved(int index) {
    int state = -1;
    back->GetSavedObjectState(index, state);
    return state;
  }

  SceneCore core;
  testsupport::LogCapture log;
  FreshPlayer player;
  std::unique_ptr<CRunBack> back;
  rovovoz::CParticleSystem overlay;
};

TEST_F(SceneZones, ResetSwitchesItemsOffAndClearsTheGlowEntry) {
  back->GetEntry(kGlow).mEffectFlag = 1;
  back->GetEntry(kGlow).mFadeState = 1;
  back->ResetAllZones();
  for (int index : {kBox, kBall, kGrey, kDoor, kMouse, kWick, kBell, kLupa, kJar1, kVase2, kChest, kGlow}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(back->GetEntry(index).mActive, 0);
    if (index != kGlow) {
      EXPECT_EQ(back->GetEntry(index).mClickable, 0);
    }
  }
  EXPECT_EQ(back->GetEntry(kGlow).mEffectFlag, 0);
  EXPECT_EQ(back->GetEntry(kGlow).mFadeState, 0);
  EXPECT_EQ(back->GetEntry(0).mActive, 1) << "an entry of no zone stays";
  EXPECT_FALSE(back->HasBackSaveState()) << "a reset records nothing";
}

TEST_F(SceneZones, RefreshFollowsTheTaskState) {
  struct Case {
    int taskState;  // 0: no task
    int entryState;
    int active, state, saved;
    size_t sparkles;
  } cases[] = {
      {1, 1, 1, 1, -1, 1},  // open: sparkle, entry as it is
      {0, 1, 0, 0, 0, 0},   // no task: a running item goes back to 0, recorded
      {3, 1, 0, 0, 0, 0},   // done task, entry still in play: back to 0
      {3, 3, 1, 3, -1, 0},  // a found item is left alone
      {0, 0, 1, 0, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.taskState << "/" << c.entryState);
    FreshPlayer fresh;
    back->mOverlayBursts.clear();
    if (c.taskState) Progress().AddObjectTask(L"find", L"Box", static_cast<uint32_t>(c.taskState));
    back->GetEntry(kBox).mState = c.entryState;
    back->GetEntry(kBox).mActive = 1;
    back->GetEntry(kBox).mObject->SetAlpha(0.25f);
    back->UpdateAllZones(1);
    EXPECT_EQ(back->GetEntry(kBox).mActive, c.active);
    EXPECT_EQ(back->GetEntry(kBox).mState, c.state);
    EXPECT_EQ(Saved(kBox), c.saved);
    EXPECT_EQ(back->mOverlayBursts.size(), c.sparkles);
    EXPECT_FLOAT_EQ(Alpha(*back, kBox), c.taskState == 1 ? 1.0f : 0.25f);
  }
  // A reload (flag 0) starts no sparkle.
  Progress().AddObjectTask(L"find", L"Box", 1);
  back->mOverlayBursts.clear();
  back->UpdateAllZones(0);
  EXPECT_TRUE(back->mOverlayBursts.empty());
}

TEST_F(SceneZones, HogPiecesAllPlayComplexOnlyListed) {
  CRecordingEpisod episod;
  CTestPanel panel;
  PanelScope scope(&panel);
  back->mEpisod = &episod;
  Progress().AddComplexTask(L"hog", Task(L"Jar", 1, {}));
  Progress().AddComplexTask(L"find", Task(L"Vase", 1, {2}));
  back->UpdateAllZones(1);
  const auto& complex = back->GetComplexZones();
  EXPECT_EQ(complex.at(L"hog")[0].mActivePieces.size(), 2u);
  ASSERT_EQ(complex.at(L"find")[0].mActivePieces.size(), 1u);
  EXPECT_EQ(complex.at(L"find")[0].mActivePieces[0].num, 2);
  EXPECT_EQ(episod.hints, (std::vector<std::wstring>{L"Jar"}));
  EXPECT_EQ(panel.hogLists, (std::vector<std::wstring>{L"Jar"}));
  EXPECT_TRUE(back->HasZone2ItemByIndex(kVase2));
  EXPECT_FALSE(back->HasZone2ItemByIndex(kVase1)) << "a piece not in play is not found";
  EXPECT_FALSE(back->HasZone2ItemByIndex(kChest)) << "no task, no active piece";

  // The complex "push" task: its listed piece glows and sparkles.
  Progress().AddComplexTask(L"push", Task(L"Chest", 1, {1}));
  back->UpdateAllZones(1);
  ASSERT_EQ(back->mObjectEffects.size(), 1u);
  EXPECT_EQ(back->mObjectEffects[0].mKeyEntry, kChest);
  EXPECT_EQ(back->mObjectEffects[0].mTargetEntry, kGlow);

  SComplexTaskInfo target;
  target.mName = L"Vase";
  back->CollectZoneItems(L"find", target);
  ASSERT_EQ(target.mPieces.size(), 2u);
  EXPECT_EQ(target.mPieces[1], (SComplexPiece{2, 1, 0, L""}));
}

TEST_F(SceneZones, ItemWindowQueuedOncePerName) {
  CTestPanel panel;
  PanelScope scope(&panel);
  EXPECT_TRUE(back->QueueModeName(L"Key"));
  EXPECT_FALSE(back->QueueModeName(L"Key"));
  EXPECT_TRUE(back->QueueModeName(L"Rope"));
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{6, 6}));
  EXPECT_EQ(panel.shown, (std::vector<std::wstring>{L"Key"})) << "the second waits";
  back->PopMode(0);
  EXPECT_EQ(panel.shown, (std::vector<std::wstring>{L"Key", L"Rope"}));
  EXPECT_EQ(back->mBusy, 1);
}

TEST_F(SceneZones, PushAndPopOnEmptyAndBusyQueues) {
  back->PopMode(0);
  EXPECT_TRUE(back->mModes.empty());
  EXPECT_EQ(back->mBusy, 0) << "popping nothing ends nothing";
  back->QueueTimedMessage(L"first", 1.0f);
  EXPECT_EQ(back->mBusy, 1);
  back->PushMode(9, 0);
  EXPECT_EQ(back->mBusy, 1) << "the second mode waits";
  back->PopMode(0);
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{9}));
  EXPECT_EQ(back->mBusy, 1) << "the pause ended, the fade started";
  EXPECT_TRUE(back->mTimedMessages.empty());
  back->PopMode(0);
  EXPECT_EQ(back->mBusy, 0);
  EXPECT_EQ(back->mNoPick, 0);
}

TEST_F(SceneZones, EveryModeLeavesTheCountsAtZero) {
  CTestPanel panel;
  PanelScope scope(&panel);
  for (int mode = 1; mode <= 12; ++mode) {
    for (int drain = 0; drain <= 1; ++drain) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " drain " << drain);
      CTestMiniGame game(false);
      back->mMiniGame = &game;
      back->mTimedMessages = {{L"", 1.0f}};
      back->mItemWindowNames = {L"Key"};
      back->mZoomRequests = {{L"start", L"", 100.0f, 0.0f, 50.0f, 2.0f, 2.0f, 1.0f, L""}};
      back->PushMode(mode, drain);
      // Without a path request the queued move has nothing to wait for.
      const bool holds = mode != 12 && mode != 4 && mode != 5 && mode != 11 && mode != 7;
      if (holds && !drain) {
        EXPECT_GT(back->mBusy, 0);
      }
      if (mode == 12) {
        EXPECT_EQ(back->mBusy, 0) << "the hint leaves the scene clickable";
      }
      back->FinishPending();
      back->mModes.clear();  // the base leaves a region open (4, 5, 11) to its level
      EXPECT_EQ(back->mBusy, 0);
      EXPECT_EQ(back->mNoPick, 0);
      back->mBusy = 0;
      back->mNoPick = 0;
      back->mMiniGame = nullptr;
    }
  }
}

TEST_F(SceneZones, DrainOverCameraViewKeepsTheSceneUsable) {
  back->PushMode(8, 0);
  EXPECT_EQ(back->mBusy, 1);
  EXPECT_EQ(back->mNoPick, 0);
  back->PushMode(8, 0);
  back->FinishPending();
  EXPECT_TRUE(back->mModes.empty());
  EXPECT_EQ(back->mBusy, 0) << "a camera view popped by a drain lowers only what it raised";
  EXPECT_TRUE(back->IsIdle());
  EXPECT_TRUE(back->IsInputEnabled());
}

TEST_F(SceneZones, RequestsArmEachKindAsItsTableSays) {
  CRecordingEpisod episod;
  back->mEpisod = &episod;
  struct Case {
    const wchar_t* kind;
    const wchar_t* name;
    int index;
    int active;
    int clickThrough;
    size_t sparkles;
    size_t effects;
  } cases[] = {
      {L"find", L"Box", kBox, 1, 1, 1, 0},      {L"sfind", L"Ball", kBall, 1, 1, 1, 0},
      {L"free", L"Wick", kWick, 1, 1, 0, 0},    {L"push", L"Grey", kGrey, 0, 1, 1, 1},
      {L"spush", L"Spush", kSpush, 0, 1, 1, 0}, {L"mouse", L"Mouse", kMouse, 1, 1, 1, 0},
      {L"click", L"Bell", kBell, 1, 1, 0, 0},   {L"morph", L"Morph", kMorph, 1, 7, 0, 0},
      {L"lupa", L"Lupa", kLupa, 1, 1, 0, 0},    {L"region", L"Door", kDoor, 0, 1, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    back->mOverlayBursts.clear();
    back->mObjectEffects.clear();
    back->GetEntry(c.index).mActive = 0;
    back->GetEntry(c.index).mClickThrough = 7;
    back->HandleModeRequest(c.kind, c.name, L"", 1);
    const SObjectEntry& e = back->GetEntry(c.index);
    EXPECT_EQ(e.mActive, c.active);
    EXPECT_EQ(e.mClickable, 1);
    EXPECT_EQ(e.mState, 1);
    EXPECT_EQ(e.mClickThrough, c.clickThrough);
    EXPECT_EQ(Saved(c.index), 1);
    EXPECT_EQ(back->mOverlayBursts.size(), c.sparkles);
    EXPECT_EQ(back->mObjectEffects.size(), c.effects);
  }
  EXPECT_EQ(episod.started, 10);
}

TEST_F(SceneZones, RequestTextCameraOrAlpha) {
  back->HandleModeRequest(L"find", L"Box", L"CaMeRa", 0);
  EXPECT_EQ(back->mFindItems, (std::vector<SFindItem>{{L"simple", L"find", L"Box"}}));
  EXPECT_FLOAT_EQ(Alpha(*back, kBox), 0.0f);
  EXPECT_TRUE(back->mAlphaFades.empty());

  back->HandleModeRequest(L"find", L"Ball", L"alpha+", 0);  // Ball is "sfind"
  EXPECT_TRUE(back->mAlphaFades.empty()) << "an item the scene does not hold gets nothing";
  back->HandleModeRequest(L"sfind", L"Ball", L"alpha+", 0);
  EXPECT_EQ(back->mAlphaFades.size(), 1u);
  EXPECT_EQ(back->mFindItems.size(), 1u);

  back->AddFindItems(L"simple", L"find", L"Box");
  EXPECT_EQ(back->mFindItems.size(), 1u) << "the same record once";
  back->AddFindItems(L"object", L"find", L"S_Box");
  EXPECT_EQ(back->mFindItems.size(), 2u);
  back->AddFindComplexItems();
  EXPECT_TRUE(back->mFindItems.empty());
}

TEST_F(SceneZones, CompletionInRegionCountsDownOnce) {
  CRunBack owner;
  owner.SetName(L"Street");
  back->SetOwner(&owner);
  Progress().mBackTasks[L"Street"].mCounters[L"Hall"] = 5;
  back->HandleModeRequest(L"find", L"Box", L"", 0);
  back->HandleModeRequest(L"click", L"Bell", L"", 0);
  back->OnClickZone(L"find", L"Box");
  back->OnClickZone(L"find", L"Box");
  back->OnClickZone(L"click", L"Bell");
  EXPECT_EQ(Progress().mBackTasks[L"Street"].mCounters[L"Hall"], 4);
  EXPECT_EQ(back->GetEntry(kBox).mState, 3);
  EXPECT_EQ(back->GetEntry(kBox).mActive, 0);
  back->SetOwner(nullptr);
}

TEST_F(SceneZones, ComplexItemsOpenedTwiceAndRemoved) {
  Progress().AddComplexTask(L"push", Task(L"Chest", 1, {1}));
  Progress().AddComplexTask(L"find", Task(L"Vase", 1, {1}));
  for (int i = 0; i < 2; ++i) {
    back->OnHogClick(L"find", L"Vase", L"Camera", 0);
    const auto& vase = back->GetComplexZones().at(L"find")[0];
    ASSERT_EQ(vase.mActivePieces.size(), 1u);
    EXPECT_EQ(back->GetEntry(kVase1).mState, 1);
    EXPECT_EQ(back->GetEntry(kVase2).mState, 0);
  }
  EXPECT_EQ(back->mFindItems, (std::vector<SFindItem>{{L"complex", L"find", L"Vase"}}));
  back->OnHogClick(L"push", L"Chest", L"", 0);
  EXPECT_EQ(back->GetEntry(kChest).mActive, 0) << "a push piece is armed invisible";
  EXPECT_EQ(back->GetEntry(kChest).mClickable, 1);
  EXPECT_EQ(back->mObjectEffects.size(), 1u);

  // A task without piece records arms nothing.
  Progress().AddComplexTask(L"find", Task(L"Vase", 1, {}));
  back->OnHogClick(L"find", L"Vase", L"", 0);
  EXPECT_TRUE(back->GetComplexZones().at(L"find")[0].mActivePieces.empty());
  EXPECT_EQ(back->GetEntry(kVase1).mState, 0);

  CRunBack owner;
  owner.SetName(L"Street");
  back->SetOwner(&owner);
  Progress().mBackTasks[L"Street"].mCounters[L"Hall"] = 3;
  Progress().AddComplexTask(L"find", Task(L"Vase", 1, {1, 2}));
  back->OnHogClick(L"find", L"Vase", L"", 0);
  back->GetEntry(kVase2).mState = 3;  // already taken
  back->OnPushClick(L"find", L"Vase");
  EXPECT_EQ(Progress().mBackTasks[L"Street"].mCounters[L"Hall"], 2) << "only the piece still armed";
  EXPECT_EQ(back->GetEntry(kVase1).mState, 3);
  EXPECT_TRUE(back->GetComplexZones().at(L"find")[0].mActivePieces.empty());
  back->SetOwner(nullptr);
}

TEST_F(SceneZones, CountsOfItemsStillInPlay) {
  for (const auto& [kind, name] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"find", L"Box"}, {L"free", L"Wick"}, {L"push", L"Grey"}, {L"spush", L"Spush"}, {L"mouse", L"Mouse"}}) {
    Progress().AddObjectTask(kind, name, 1);
    back->HandleModeRequest(kind, name, L"", 0);
  }
  Progress().AddObjectTask(L"sfind", L"Ball", 1);  // open, but its entry was never armed
  Progress().AddComplexTask(L"find", Task(L"Vase", 1, {1, 2}));
  Progress().AddComplexTask(L"hog", Task(L"Jar", 1, {1}));
  Progress().AddComplexTask(L"push", Task(L"Chest", 1, {1}));
  back->UpdateAllZones(1);
  EXPECT_EQ(back->UpdateFindList(1), 2 + 2 + 1);
  EXPECT_EQ(back->UpdateHogList(), 2 + 2 + 1);
  EXPECT_EQ(back->UpdatePushList(), 2 + 1);
  EXPECT_EQ(back->UpdateMouseList(), 1);
  back->OnClickZone(L"find", L"Box");
  EXPECT_EQ(back->UpdateFindList(1), 1 + 2 + 1);
  EXPECT_EQ(back->UpdateFindList(0), 1) << "no TK_/THK_ piece objects in this scene";
}

TEST_F(SceneZones, SparkleOncePerEntryAndKind) {
  back->ShowFindSparkle(kBox, 0);
  back->ShowFindSparkle(kBox, 1);
  back->ShowFindSparkle(kBox, 0);
  back->ShowFindSparkle(kBox, 1);
  back->ShowFindSparkle(kBox, 2);
  back->ShowFindSparkle(kWick, 1);  // no trigger model
  ASSERT_EQ(back->mOverlayBursts.size(), 2u);
  EXPECT_NE(back->mOverlayBursts[0].mEmiter, back->mOverlayBursts[1].mEmiter);
  back->mOverlay = nullptr;
  back->ShowFindSparkle(kBall, 1);
  EXPECT_EQ(back->mOverlayBursts.size(), 2u) << "no overlay, no sparkle";
}

}  // namespace

namespace {

TEST(SceneCounts, PiecesCountThroughTheirNumberedObjects) {
  scenetest::SceneCore core;
  testsupport::LogCapture log;
  scenetest::FreshPlayer player;
  scenetest::CRunBack back;
  ASSERT_EQ(back.InitBack(L"Level\\Counts.xml"), 1);
  back.InitObjects();  // every entry clickable
  gCurrentPlayer.mEpisodInfo.AddComplexTask(L"find", Task(L"Vase", 1, {7, 12, 123}));
  // Each name has at least two digits: TK_Vase_07, TK_Vase_12, TK_Vase_123.
  auto unclick = [&](const wchar_t* name) { back.GetEntry(back.GetObjectIndex(name)).mClickable = 0; };
  unclick(L"TK_Vase_12");
  unclick(L"TK_Vase_7");
  EXPECT_EQ(back.UpdateFindList(0), 2);
  unclick(L"TK_Vase_07");
  EXPECT_EQ(back.UpdateFindList(0), 1);
  EXPECT_EQ(back.UpdateFindList(1), 3) << "with the flag every listed piece counts";
}

}  // namespace
