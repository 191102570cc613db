// The player record: defaults, starting over, the inventory, the scene
// state recorders and the merge of saved episode progress.
#include <gtest/gtest.h>

#include "PlayerRecord.h"
#include "ProfileTestHelpers.h"

using profiletest::MakeMia;

namespace {

TEST(PlayerRecord, NewRecordDefaults) {
  const PlayerRecord r;
  EXPECT_TRUE(r.mName.empty());
  EXPECT_EQ(r.mSoundVolume, 1.0f);
  EXPECT_EQ(r.mEffectVolume, 1.0f);
  EXPECT_EQ(r.mMusicVolume, 1.0f);
  EXPECT_EQ(r.mTutorialHints, 1u);
  EXPECT_EQ(r.mDifficulty, 0u);
  EXPECT_TRUE(r.mItems.empty());
  EXPECT_TRUE(r.mBackSaves.empty());
  EXPECT_EQ(r.mEpisodInfo.mValue, 0);
}

TEST(PlayerRecord, ClearStartsTheStoryOverAndKeepsThePlayersSettings) {
  PlayerRecord r = MakeMia();
  r.Clear();
  // Kept.
  EXPECT_EQ(r.mName, L"Mia");
  EXPECT_EQ(r.mSoundVolume, 0.5f);
  EXPECT_EQ(r.mTutorialHints, 0u);
  EXPECT_EQ(r.mGameCursor, 1u);
  EXPECT_EQ(r.mWidth, 1024u);
  EXPECT_EQ(r.mFullScreen, 1u);
  EXPECT_EQ(r.mDifficulty, 2u);
  EXPECT_EQ(r.mGameFinished, 1u);
  EXPECT_EQ(r.mWinState, 2u);
  // Started over.
  EXPECT_TRUE(r.mStepName.empty());
  EXPECT_TRUE(r.mEpisodName.empty());
  EXPECT_TRUE(r.mBackSaves.empty());
  EXPECT_TRUE(r.mItems.empty());
  EXPECT_TRUE(r.mNameValues.empty());
  EXPECT_TRUE(r.mNotePages.empty());
  EXPECT_EQ(r.mNotePage, 0u);
  EXPECT_TRUE(r.mMapLocations.empty());
  EXPECT_TRUE(r.mAfterHogItem.empty());
  EXPECT_TRUE(r.mLocationName.empty());
  EXPECT_TRUE(r.TempRolik.empty());
  EXPECT_EQ(r.mHintTimer + r.mHogHintTimer + r.mSkipTimer, 0.0f);
  EXPECT_EQ(r.mGhostCount + r.mHintDnevnikShown + r.mHintKartaShown + r.mGameMode, 0u);
  // The episode is cleared: its name stays, its count is 1.
  EXPECT_EQ(r.mEpisodInfo.mName, L"Episod_1");
  EXPECT_EQ(r.mEpisodInfo.mValue, 1);
  EXPECT_TRUE(r.mEpisodInfo.mLevelName.empty());
  EXPECT_TRUE(r.mEpisodInfo.mBackTasks.empty());
  EXPECT_TRUE(r.mEpisodInfo.mActions.Actions.empty());
}

TEST(PlayerRecord, Inventory) {
  PlayerRecord r;
  EXPECT_EQ(r.AddName(L"Key", 1), 1);
  r.AddName(L"lamp", 2);
  r.AddName(L"Key", 5);
  ASSERT_EQ(r.mItems.size(), 2u);
  EXPECT_EQ(r.mItems[0], (SPlayerItem{L"Key", 5}));  // number changed, place kept
  EXPECT_TRUE(r.HasName(L"Key"));
  EXPECT_FALSE(r.HasName(L"key"));

  r.mItems.push_back({L"Key", 9});
  EXPECT_TRUE(r.RemoveItem(L"Key"));
  EXPECT_EQ(r.mItems, (std::vector<SPlayerItem>{{L"lamp", 2}}));
  EXPECT_FALSE(r.RemoveItem(L"Key"));
}

TEST(SceneStateRecorders, QueriesNeverCreateABack) {
  PlayerRecord r;
  uint32_t value = 0;
  EXPECT_FALSE(r.BackObjectExists(L"Back_1", L"door", nullptr));
  EXPECT_FALSE(r.GetBackObjectFlag1(L"Back_1", L"door", nullptr, value));
  EXPECT_FALSE(r.GetRegionObjectFlag1(L"Back_1", L"Region_A", L"door", nullptr, value));
  r.ClearBackObjectState(L"Back_1", L"door", nullptr);
  r.ClearRegionObjectState(L"Back_1", L"Region_A", L"door", nullptr);
  EXPECT_FALSE(r.HasRegionSave(L"Back_1", L"Region_A"));
  EXPECT_TRUE(r.mBackSaves.empty());

  // Forgetting an object does make the back's entry.
  EXPECT_FALSE(r.RemoveBackObject(L"Back_1", L"door", nullptr));
  EXPECT_TRUE(r.HasBackSave(L"Back_1"));
}

TEST(SceneStateRecorders, RegionQueriesOfAKnownBackLeaveTheRegionBehind) {
  PlayerRecord r;
  r.SetBackObjectFlag1(L"Back_1", L"door", nullptr, 1);
  uint32_t value = 0;
  EXPECT_FALSE(r.GetRegionObjectFlag1(L"Back_1", L"Region_A", L"door", nullptr, value));
  EXPECT_TRUE(r.HasRegionSave(L"Back_1", L"Region_A"));
  EXPECT_FALSE(r.HasRegionSave(L"Back_1", L"Region_B"));
  EXPECT_FALSE(r.mBackSaves[L"Back_1"].mRegions.count(L"Region_B"));
}

TEST(SceneStateRecorders, BackAndRegionRecordsAreSeparate) {
  PlayerRecord r;
  // Entering a region the first time: the owner back and the region appear.
  SBaseSaveInfo& region = r.GetBackSave(L"Back_1", L"Region_A");
  EXPECT_TRUE(region.Records().empty());
  EXPECT_TRUE(r.HasBackSave(L"Back_1"));
  EXPECT_TRUE(r.HasRegionSave(L"Back_1", L"Region_A"));

  // A region and an object of the back share the name Region_A.
  r.SetBackObjectState(L"Back_1", L"Region_A", nullptr, 3);
  r.SetRegionObjectState(L"Back_1", L"Region_A", L"Region_A", nullptr, 5);
  uint32_t back = 0, inRegion = 0;
  EXPECT_TRUE(r.GetBackObjectState(L"Back_1", L"Region_A", nullptr, back));
  EXPECT_TRUE(r.GetRegionObjectState(L"Back_1", L"Region_A", L"Region_A", nullptr, inRegion));
  EXPECT_EQ(back, 3u);
  EXPECT_EQ(inRegion, 5u);

  r.EraseRegionSave(L"Back_1", L"Region_A");
  EXPECT_FALSE(r.HasRegionSave(L"Back_1", L"Region_A"));
  EXPECT_TRUE(r.BackObjectExists(L"Back_1", L"Region_A", nullptr));
  r.EraseBackSave(L"Back_1");
  EXPECT_FALSE(r.HasBackSave(L"Back_1"));
}

TEST(SceneStateRecorders, EveryPropertyReachesTheRecordOfItsBackOrRegion) {
  PlayerRecord r;
  r.SetBackObjectFlag2(L"B", L"o", nullptr, 1);
  r.SetBackObjectFlag4(L"B", L"o", nullptr, 1);
  r.SetBackObjectRender2D(L"B", L"o", nullptr, 1);
  r.SetBackObjectFlag16(L"B", L"o", nullptr, 1);
  r.SetBackObjectFlag32(L"B", L"o", nullptr, 1);
  r.SetBackObjectInt(L"B", L"o", nullptr, -3);
  r.SetBackObjectFloat(L"B", L"o", nullptr, 0.5f);
  r.SetBackObjectPosition(L"B", L"o", nullptr, 1, 2, 3);
  r.SetRegionObjectFlag32(L"B", L"R", nullptr, L"p", 1);
  SObjectSaveInfo o;
  o.mName = L"o";
  ASSERT_TRUE(r.GetBackObjectRecord(L"B", o));
  EXPECT_EQ(o.mPresence, 0x3DEu);
  EXPECT_EQ(o.mValueBits, 0x3Eu);
  SObjectSaveInfo p;
  p.mName = L"p";
  ASSERT_TRUE(r.GetRegionObjectRecord(L"B", L"R", p));
  EXPECT_EQ(p.mPresence, 0x200u);

  r.ClearBackObjectFlag2(L"B", L"o", nullptr);
  r.ClearBackObjectFlag4(L"B", L"o", nullptr);
  r.ClearBackObjectRender2D(L"B", L"o", nullptr);
  r.ClearBackObjectFlag16(L"B", L"o", nullptr);
  r.ClearBackObjectFlag32(L"B", L"o", nullptr);
  r.ClearBackObjectInt(L"B", L"o", nullptr);
  r.ClearBackObjectFloat(L"B", L"o", nullptr);
  EXPECT_TRUE(r.BackObjectExists(L"B", L"o", nullptr));
  r.ClearBackObjectPosition(L"B", L"o", nullptr);
  EXPECT_FALSE(r.BackObjectExists(L"B", L"o", nullptr));
  r.ClearRegionObjectFlag32(L"B", L"R", L"p", nullptr);
  EXPECT_FALSE(r.RegionObjectExists(L"B", L"R", L"p", nullptr));
}

TEST(EpisodeMerge, SavedProgressReplacesTheTasksAndKeepsOnlyTheRefsOfKnownActions) {
  SEpisodInfo fresh;  // the episode's data as the script gives it
  fresh.mName = L"Episod_1";
  fresh.mValue = 10;
  fresh.mActions.Actions[L"a_start"].Ref = 5;
  fresh.mActions.Actions[L"a_new"].Ref = 4;
  fresh.mActions.Backs[L"Back_2"].Regions[L"Region_A"][L"a_open"].Ref = 3;
  fresh.mBackTasks[L"Back_9"].mCount = 1;

  const SEpisodInfo saved = MakeMia().mEpisodInfo;
  fresh.CopyScenes(saved);

  EXPECT_EQ(fresh.mLevelName, L"Back_2");
  EXPECT_EQ(fresh.mLevelIsHog, 1u);
  EXPECT_EQ(fresh.mValue, 3);
  EXPECT_EQ(fresh.mReserved1, 7u);
  EXPECT_EQ(fresh.mBackTasks, saved.mBackTasks);
  EXPECT_EQ(fresh.mBackObjects, saved.mBackObjects);
  EXPECT_EQ(fresh.mBackComplex, saved.mBackComplex);
  EXPECT_EQ(fresh.mActions.Actions.at(L"a_start").Ref, 2);  // saved Ref
  EXPECT_EQ(fresh.mActions.Actions.at(L"a_new").Ref, 4);    // only in the data: kept
  EXPECT_EQ(fresh.mActions.Backs.at(L"Back_2").Regions.at(L"Region_A").at(L"a_open").Ref, 0);
  EXPECT_EQ(fresh.mActions.Backs.at(L"Back_2").Actions.count(L"mc_door"), 0u);  // only saved: dropped
}

}  // namespace
