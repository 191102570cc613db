#include "ProfileTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "SaveInfo/ProfileStream.h"
#include "support/TestSupport.h"

namespace profiletest {

namespace {

SLogicActionEntry Entry(const std::wstring& name, int32_t ref) {
  SLogicActionEntry entry;
  entry.Name = name;
  entry.Ref = ref;
  return entry;
}

void ExpectSameActions(const SActionMap& expected, const SActionMap& actual, const std::wstring& where) {
  ASSERT_EQ(expected.size(), actual.size()) << where;
  for (auto e = expected.begin(), a = actual.begin(); e != expected.end(); ++e, ++a) {
    EXPECT_EQ(e->first, a->first) << where;
    EXPECT_EQ(e->second.Name, a->second.Name) << where;
    EXPECT_EQ(e->second.Ref, a->second.Ref) << where;
    EXPECT_EQ(e->second.Ret, a->second.Ret) << where;
  }
}

}  // namespace

PlayerRecord MakeMia() {
  PlayerRecord r;
  r.mName = L"Mia";
  r.mStepName = L"Step_3";
  r.mEpisodName = L"Episod_1";
  r.mTutorialHints = 0;
  r.mGameCursor = 1;
  r.mSoundVolume = 0.5f;
  r.mEffectVolume = 0.25f;
  r.mMusicVolume = 0.75f;
  r.mWidth = 1024;
  r.mHeight = 768;
  r.mWide = 1;
  r.mFullScreen = 1;
  r.mAfterHogItem = L"key";

  SEpisodInfo& e = r.mEpisodInfo;
  e.mName = L"Episod_1";
  e.mLevelName = L"Back_2";
  e.mLevelIsHog = 1;
  e.mReserved1 = 7;
  e.mReserved2 = 1.5f;
  e.mValue = 3;
  SBackTaskCounts& counts = e.mBackTasks[L"Back_2"];
  counts.mCount = 2;
  counts.mCount2 = -1;
  counts.mCounters = {{L"Region_A", 3}, {L"Region_B", 0}};
  counts.mCounters2 = {{L"Region_A", 1}};
  e.mBackObjects[L"find"] = {{L"cup", 1, L"tip_cup"}, {L"pen", 3, L""}};
  SComplexTaskInfo vase;
  vase.mName = L"vase";
  vase.mValue = 1;
  vase.mValue2 = 0;
  vase.mPieces = {{1, 1, 0, L""}, {2, 0, 5, L"shard"}};
  vase.mName2 = L"tip_vase";
  e.mBackComplex[L"hog"] = {vase};
  e.mActions.Actions[L"a_start"] = Entry(L"a_start", 2);
  e.mActions.Backs[L"Back_2"].Actions[L"mc_door"] = Entry(L"mc_door", 1);
  e.mActions.Backs[L"Back_2"].Regions[L"Region_A"][L"a_open"] = Entry(L"a_open", 0);

  SObjectSaveInfo door;
  door.mName = L"door";
  door.SetState(7);
  door.SetFlag1(1);
  r.mBackSaves[L"Back_1"].mOwn.SetRecord(door);
  SObjectSaveInfo box;
  box.mName = L"box";
  box.mPresence = 0x3FF;
  box.mValueBits = 0x3F;
  box.mInt = -5;
  box.mFloat = 2.5f;
  box.mX = 1.0f;
  box.mY = 2.0f;
  box.mZ = 3.0f;
  r.mBackSaves[L"Back_2"].GetRegion(L"Region_A").SetRecord(box);

  r.mItems = {{L"key", 4}, {L"lamp", 0}};
  r.mNameValues = {{L"x", 9}};
  r.mNotePages = {L"page_1", L"page_2"};
  r.mNotePage = 2;
  r.mMapLocations = {L"Back_1"};
  r.mLocationName = L"Back_2";
  r.TempRolik = L"Rolik_1";
  r.mDifficulty = 2;
  r.mGhostCount = 5;
  r.mHintDnevnikShown = 1;
  r.mHintKartaShown = 0;
  r.mHintTimer = 12.5f;
  r.mHogHintTimer = 3.0f;
  r.mSkipTimer = 0.5f;
  r.mGameFinished = 1;
  r.mGameMode = 1;
  r.mWinState = 2;
  return r;
}

std::string WriteBytes(const PlayerRecord& record) {
  ProfileWriter out;
  if (!record.Write(out)) return std::string();
  return out.Bytes();
}

bool ReadBytes(const std::string& bytes, PlayerRecord& record) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  if (!file) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
  std::rewind(file.get());
  ProfileReader in(file.get());
  return record.Read(in);
}

void ExpectSameRecord(const PlayerRecord& x, const PlayerRecord& y) {
  EXPECT_EQ(x.mName, y.mName);
  EXPECT_EQ(x.mStepName, y.mStepName);
  EXPECT_EQ(x.mEpisodName, y.mEpisodName);
  const SEpisodInfo& a = x.mEpisodInfo;
  const SEpisodInfo& b = y.mEpisodInfo;
  EXPECT_EQ(a.mName, b.mName);
  EXPECT_EQ(a.mLevelName, b.mLevelName);
  EXPECT_EQ(a.mLevelIsHog, b.mLevelIsHog);
  EXPECT_EQ(a.mReserved1, b.mReserved1);
  EXPECT_EQ(a.mReserved2, b.mReserved2);
  EXPECT_EQ(a.mValue, b.mValue);
  EXPECT_EQ(a.mBackTasks, b.mBackTasks);
  EXPECT_EQ(a.mBackObjects, b.mBackObjects);
  EXPECT_EQ(a.mBackComplex, b.mBackComplex);
  ExpectSameActions(a.mActions.Actions, b.mActions.Actions, L"episode");
  ASSERT_EQ(a.mActions.Backs.size(), b.mActions.Backs.size());
  for (auto e = a.mActions.Backs.begin(), f = b.mActions.Backs.begin(); e != a.mActions.Backs.end(); ++e, ++f) {
    EXPECT_EQ(e->first, f->first);
    ExpectSameActions(e->second.Actions, f->second.Actions, e->first);
    ASSERT_EQ(e->second.Regions.size(), f->second.Regions.size());
    for (auto g = e->second.Regions.begin(), h = f->second.Regions.begin(); g != e->second.Regions.end(); ++g, ++h) {
      EXPECT_EQ(g->first, h->first);
      ExpectSameActions(g->second, h->second, e->first + L"/" + g->first);
    }
  }
  EXPECT_EQ(x.mBackSaves, y.mBackSaves);
  EXPECT_EQ(x.mItems, y.mItems);
  EXPECT_EQ(x.mNameValues, y.mNameValues);
  EXPECT_EQ(x.mSoundVolume, y.mSoundVolume);
  EXPECT_EQ(x.mEffectVolume, y.mEffectVolume);
  EXPECT_EQ(x.mMusicVolume, y.mMusicVolume);
  EXPECT_EQ(x.mTutorialHints, y.mTutorialHints);
  EXPECT_EQ(x.mGameCursor, y.mGameCursor);
  EXPECT_EQ(x.mWidth, y.mWidth);
  EXPECT_EQ(x.mHeight, y.mHeight);
  EXPECT_EQ(x.mWide, y.mWide);
  EXPECT_EQ(x.mFullScreen, y.mFullScreen);
  EXPECT_EQ(x.mAfterHogItem, y.mAfterHogItem);
  EXPECT_EQ(x.mNoteWord, y.mNoteWord);
  EXPECT_EQ(x.mNotePages, y.mNotePages);
  EXPECT_EQ(x.mNotePage, y.mNotePage);
  EXPECT_EQ(x.mMapLocations, y.mMapLocations);
  EXPECT_EQ(x.mLocationName, y.mLocationName);
  EXPECT_EQ(x.TempRolik, y.TempRolik);
  EXPECT_EQ(x.mDifficulty, y.mDifficulty);
  EXPECT_EQ(x.mGhostCount, y.mGhostCount);
  EXPECT_EQ(x.mHintDnevnikShown, y.mHintDnevnikShown);
  EXPECT_EQ(x.mHintKartaShown, y.mHintKartaShown);
  EXPECT_EQ(x.mHintTimer, y.mHintTimer);
  EXPECT_EQ(x.mHogHintTimer, y.mHogHintTimer);
  EXPECT_EQ(x.mSkipTimer, y.mSkipTimer);
  EXPECT_EQ(x.mGameFinished, y.mGameFinished);
  EXPECT_EQ(x.mGameMode, y.mGameMode);
  EXPECT_EQ(x.mWinState, y.mWinState);
}

std::string Fixture(const std::string& name) {
  return testsupport::ReadFile(testsupport::FixturesDir() / "profiles" / name);
}

uint32_t WordAt(const std::string& bytes, size_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes.at(offset + static_cast<size_t>(i)));
  return v;
}

void PutWord(std::string& bytes, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace profiletest
