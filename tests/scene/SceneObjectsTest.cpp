// Per-object operations by name, the region forms handed to the owner, the
// scene's task counters, named actions, queries and sounds.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "MiniGame/BaseMiniGame.h"
#include "scene/SceneTestSupport.h"

namespace {

using scenetest::CTestBack;

// Entries of Draw.xml.
enum { kBack, kGreyA, kGreyB, kGlow, kBox, kBall, kG1, kG3, kG5, kG1200, kOnly, kGreyTrigger };

class SceneObjects : public ::testing::Test {
 protected:
  SceneObjects() { back = scenetest::LoadScene(L"Level\\Draw.xml", L"Hall"); }
  scenetest::SceneCore core;
  scenetest::FreshPlayer player;
  std::unique_ptr<CTestBack> back;
};

TEST_F(SceneObjects, ShowObjectRecordsAndHandsOnItsCommand) {
  struct Case {
    const wchar_t* name;
    int visible;
    const wchar_t* command;
    int entry;
    bool findItem, fade;
  } cases[] = {
      {L"S_GreyA", 0, L"", kGreyA, false, false},
      {L"S_GreyA", 1, L"CAMERA", kGreyA, true, false},
      {L"T_Box", 1, L"alpha-", kBox, false, true},
      {L"Nothing", 0, L"camera", -1, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Platform::WideToUtf8(c.name) + " " + Platform::WideToUtf8(c.command));
    gCurrentPlayer = PlayerRecord();
    back->mFindItems.clear();
    back->mAlphaFades.clear();
    back->ShowObject(c.name, c.visible, c.command, 0);
    EXPECT_EQ(back->mFindItems.size(), c.findItem ? 1u : 0u);
    if (c.findItem) {
      EXPECT_EQ(back->mFindItems[0], (SFindItem{L"object", L"", c.name}));
    }
    EXPECT_EQ(back->mAlphaFades.size(), c.fade ? 1u : 0u);
    if (c.entry < 0) {
      EXPECT_FALSE(back->HasBackSaveState());
      continue;
    }
    EXPECT_EQ(back->GetEntry(c.entry).mActive, c.visible == 1 || c.fade ? 1 : 0);
    int saved = -1;
    EXPECT_TRUE(back->GetSavedObjectVisible(c.entry, saved)) << "recorded also when a command follows";
    EXPECT_EQ(saved, c.visible);
  }

  // Reload puts a moved object back where its model file places it.
  rovovoz::CBaseGeometryObject* grey = back->GetEntry(kGreyA).mObject;
  const zormath::Vec3f home = grey->GetPosition3D();
  grey->SetPosition3D(0, 0, 0);
  back->ShowObject(L"S_GreyA", 1, L"", 1);
  EXPECT_EQ(grey->GetPosition3D(), home);
}

TEST_F(SceneObjects, SettersFindTheirEntriesByTheirOwnMap) {
  back->SetObjectActive(L"T_Box", 0);
  EXPECT_EQ(back->GetEntry(kBox).mActive, 1) << "model names only";
  back->SetObjectActive(L"S_Box", 0);
  EXPECT_EQ(back->GetEntry(kBox).mActive, 0);
  back->SetObjectParamC(L"S_Box", 0);
  EXPECT_EQ(back->GetEntry(kBox).mClickable, 1) << "trigger names only";
  back->SetObjectParamC(L"T_Box", 2);
  EXPECT_EQ(back->GetEntry(kBox).mClickable, 2);
  EXPECT_TRUE(back->IsObjectParamCSet(L"T_Box")) << "by the trigger map: at least 1";
  EXPECT_FALSE(back->IsObjectParamCSet(L"S_Box")) << "by the model map: exactly 1";
  back->SetObjectClickable(L"S_Box", 0);
  EXPECT_FALSE(back->HasObjectSaveState(kBox));
  back->SetObjectClickable(L"T_Box", 0);
  EXPECT_EQ(back->GetEntry(kBox).mClickable, 0);
  EXPECT_TRUE(back->HasObjectSaveState(kBox));

  back->SetObjectRotating(L"S_GreyA", 0);
  EXPECT_FALSE(back->IsObjectRotating(L"S_GreyA"));
  EXPECT_FALSE(back->HasObjectSaveState(kGreyA)) << "not recorded";
  back->SetObjectRotating3(L"S_GreyA", 1);
  EXPECT_TRUE(back->IsObjectRotating2(L"S_GreyA"));
  int enabled = -1;
  EXPECT_TRUE(back->GetSavedObjectEnabled(kGreyA, enabled));
  EXPECT_EQ(enabled, 1);
  EXPECT_TRUE(back->IsObjectActive(L"T_Grey"));
  EXPECT_FALSE(back->IsObjectActive(L"Nothing"));

  back->SetObjectParamA(L"S_Ball", 1);
  back->SetObjectParamB(L"S_Ball", 1);
  EXPECT_EQ(back->GetEntry(kBall).mEffectFlag, 1);
  EXPECT_EQ(back->GetEntry(kBall).mDepthTest, 1);
  back->SetObjectModelRender2D(L"S_Ball", 0);
  EXPECT_EQ(back->GetEntry(kBall).mObject->GetRender2D(), 0);
  EXPECT_EQ(back->GetEntry(kBall).mRender2D, 1) << "only the object switches";
  EXPECT_FALSE(back->HasObjectSaveState(kBall));
}

TEST_F(SceneObjects, NumberedGroups) {
  for (int i : {kG1, kG3, kG5, kG1200}) back->GetEntry(i).mActive = 0;
  back->ShowObjectGroup(L"G", 1, L"", 0, 3, 0);  // 3 up to 1000
  EXPECT_EQ(back->GetEntry(kG1).mActive, 0);
  EXPECT_EQ(back->GetEntry(kG3).mActive, 1);
  EXPECT_EQ(back->GetEntry(kG5).mActive, 1);
  EXPECT_EQ(back->GetEntry(kG1200).mActive, 0);
  std::vector<int32_t> indices;
  back->MergeItemList(L"G", -4, 1, indices);  // 1 up to 1000
  EXPECT_EQ(indices, (std::vector<int32_t>{kG1, kG3, kG5}));
  indices.clear();
  back->MergeItemList(L"G", 2, 4, indices);
  EXPECT_EQ(indices, std::vector<int32_t>{kG3});
}

TEST_F(SceneObjects, RegionFormsGoToTheOwner) {
  struct COwner : CTestBack {
    int32_t DoActionInRegion(const std::wstring& region, const std::wstring& name, int mode, SLogicAction*,
                             int mask) override {
      calls.push_back(region + L"|" + name + L"|" + std::to_wstring(mode) + L"|" + std::to_wstring(mask));
      return 7;
    }
    void ShowObjectInRegion(const std::wstring& region, const std::wstring& name, int visible,
                            const std::wstring& command, int reload) override {
      calls.push_back(region + L"|" + name + L"|" + std::to_wstring(visible) + L"|" + command + L"|" +
                      std::to_wstring(reload));
    }
    bool IsObjectActiveInRegion(const std::wstring& region, const std::wstring& name) override {
      calls.push_back(region + L"|" + name);
      return true;
    }
    std::vector<std::wstring> calls;
  } owner;
  CTestBack region;
  EXPECT_EQ(region.DoActionInRegion(L"R", L"a", 1, nullptr, -1), 0);
  EXPECT_FALSE(region.IsObjectActiveInRegion(L"R", L"S_Box"));
  region.ShowObjectInRegion(L"R", L"S_Box", 1, L"camera", 0);
  EXPECT_EQ(region.RunActionByNameInRegion(L"R", L"a", 0, nullptr, -1), 0);
  region.SetOwner(&owner);
  EXPECT_EQ(region.DoActionInRegion(L"R", L"a", 1, nullptr, -1), 7);
  EXPECT_TRUE(region.IsObjectActiveInRegion(L"R", L"S_Box"));
  region.ShowObjectInRegion(L"R", L"S_Box", 1, L"camera", 0);
  const std::vector<std::wstring> calls = {L"R|a|1|-1", L"R|S_Box", L"R|S_Box|1|camera|0"};
  EXPECT_EQ(owner.calls, calls);
}

TEST_F(SceneObjects, TaskCountersActionsAndQueries) {
  SEpisodInfo& progress = gCurrentPlayer.mEpisodInfo;
  progress.mBackTasks[L"Hall"].mCount = 3;
  progress.mBackTasks[L"Hall"].mCount2 = 3;
  progress.mBackTasks[L"Hall"].mCounters[L"Close"] = 2;
  progress.mBackTasks[L"Hall"].mCounters2[L"Close"] = 2;
  back->DecrementNamedCount(L"");
  back->DecrementBackCount2();
  EXPECT_EQ(progress.mBackTasks[L"Hall"].mCount, 2) << "an empty name counts the scene";
  EXPECT_EQ(progress.mBackTasks[L"Hall"].mCount2, 2);
  CTestBack region;
  region.SetName(L"Close");
  region.SetOwner(back.get());
  region.DecrementBackCount();
  region.DecrementNamedCount2(L"");
  EXPECT_EQ(progress.mBackTasks[L"Hall"].mCounters[L"Close"], 1) << "a region counts in its owner";
  EXPECT_EQ(progress.mBackTasks[L"Hall"].mCounters2[L"Close"], 1);

  EXPECT_EQ(back->HasAction(L"a_back_start"), 1) << "the scene class finds it";
  EXPECT_EQ(back->HasAction(L"a_back_beg"), 0);
  CBaseBack plain;
  EXPECT_EQ(plain.HasAction(L"a_back_start"), 0) << "the base scene has no actions";

  EXPECT_TRUE(plain.IsIdle());
  EXPECT_TRUE(plain.IsInputEnabled());
  EXPECT_FALSE(plain.GetFrontMode());
  EXPECT_TRUE(plain.IsRecordListEmpty());
  EXPECT_EQ(plain.GetBackName(), L"");
  back->mModes = {6, 1};
  EXPECT_TRUE(back->GetFrontMode());
  EXPECT_FALSE(back->IsIdle());
  EXPECT_TRUE(back->IsInputEnabled());
}

TEST_F(SceneObjects, SoundSequencesPlayRandomVariants) {
  Platform::SeedRandom(3);
  back->AddSoundSequence(L"Drip", 3, 2.0f, 2.0f);
  back->AddSoundSequence(L"Drip", 9, 0.1f, 0.1f);  // the first stays
  back->AddSoundSequence(L"Hush", 0, 1.0f, 1.0f);  // no variant: plays nothing
  std::vector<float> times;
  float time = 0.0f;
  for (int i = 0; i < 400; ++i) {
    const size_t before = back->sounds.size();
    back->UpdateSoundSequence(0.05f);
    time += 0.05f;
    if (back->sounds.size() > before) times.push_back(time);
  }
  ASSERT_GE(times.size(), 8u);
  EXPECT_LE(times[0], 2.0f + 0.1f) << "the first wait is a random part of the pause";
  for (size_t i = 1; i < times.size(); ++i) EXPECT_NEAR(times[i] - times[i - 1], 2.05f, 0.051f);
  std::set<std::wstring> variants(back->sounds.begin(), back->sounds.end());
  EXPECT_EQ(variants, (std::set<std::wstring>{L"Drip_01", L"Drip_02", L"Drip_03"}));

  CBaseMiniGame game(nullptr);
  back->mMiniGame = &game;
  back->mModes = {1};
  EXPECT_FALSE(back->IsInputEnabled()) << "an open mini-game owns the input";
  back->mModes.clear();
  back->QuietBack();
  EXPECT_EQ(back->soundCalls, (std::vector<std::wstring>{L"StopAllEffects", L"ResumeAmbientSounds", L"ResumeMusic"}));
  EXPECT_EQ(back->mMiniGame, nullptr);
  EXPECT_TRUE(game.IsFinished()) << "the scene ends its running mini-game";
  EXPECT_EQ(game.GetState(), CBaseMiniGame::kStateClosing);
}

}  // namespace
