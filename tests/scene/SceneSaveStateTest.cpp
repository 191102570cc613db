// The scene's saved state in the player's record: every recorder, reader
// and clearer by index and by name, for a scene and for a region under its
// owner, and the state applied again to a scene loaded anew.
#include <gtest/gtest.h>

#include "Engine/rovovoz/TriangleObject3D.h"
#include "scene/SceneTestSupport.h"

namespace {

using scenetest::CTestBack;

// Entries of Draw.xml.
enum { kBack, kGreyA, kGreyB, kGlow, kBox, kBall, kG1, kG3, kG5, kG1200, kOnly, kGreyTrigger };

class SceneSaveState : public ::testing::Test {
 protected:
  SceneSaveState() {
    back = scenetest::LoadScene(L"Level\\Draw.xml", L"Hall");
    owner.SetName(L"Owner");
  }
  // The record set the scene's state is filed in, or null.
  const SBaseSaveInfo* Filed(bool region) {
    const auto found = gCurrentPlayer.mBackSaves.find(region ? L"Owner" : L"Hall");
    if (found == gCurrentPlayer.mBackSaves.end()) return nullptr;
    if (!region) return &found->second.mOwn;
    const auto section = found->second.mRegions.find(L"Hall");
    return section == found->second.mRegions.end() ? nullptr : &section->second;
  }

  scenetest::SceneCore core;
  scenetest::FreshPlayer player;
  std::unique_ptr<CTestBack> back;
  CTestBack owner;
};

TEST_F(SceneSaveState, EveryIntFieldRecordedReadAndCleared) {
  struct Field {
    const char* what;
    bool (CBaseBack::*save)(int, int);
    bool (CBaseBack::*saveByName)(const std::wstring&, int);
    bool (CBaseBack::*get)(int, int&);
    bool (CBaseBack::*getByName)(const std::wstring&, int&);
    void (CBaseBack::*clear)(int);
    void (CBaseBack::*clearByName)(const std::wstring&);
    int in, out;
  } fields[] = {
#define FIELD(name, in, out)                                                                                    \
  {#name " " #in,                                                                                               \
   &CBaseBack::SaveObject##name,                                                                                \
   &CBaseBack::SaveObject##name##ByName,                                                                        \
   &CBaseBack::GetSavedObject##name,                                                                            \
   &CBaseBack::GetSavedObject##name##ByName,                                                                    \
   &CBaseBack::ClearSavedObject##name,                                                                          \
   &CBaseBack::ClearSavedObject##name##ByName,                                                                  \
   in,                                                                                                          \
   out}
      FIELD(Visible, 5, 1),     FIELD(Visible, 0, 0),  FIELD(State, 17, 1),      FIELD(State, 15, 15),
      FIELD(Clickable, 3, 1),   FIELD(Enabled, 0, 0),  FIELD(Render2D, 1, 1),    FIELD(TopLayer, 7, 1),
      FIELD(ClickThrough, 1, 1), FIELD(Int, -42, -42),
#undef FIELD
  };
  for (bool region : {false, true}) {
    back->SetOwner(region ? &owner : nullptr);
    for (const auto& f : fields) {
      SCOPED_TRACE(std::string(f.what) + (region ? " in a region" : " in a scene"));
      gCurrentPlayer = PlayerRecord();
      int value = -7;
      EXPECT_FALSE((back.get()->*f.get)(kBox, value)) << "nothing recorded yet";
      EXPECT_EQ(value, -7) << "a failed read leaves the value";
      EXPECT_EQ(Filed(region), nullptr) << "readers create no saved state";

      // Recorded by the trigger name, read by index and by the model name.
      EXPECT_TRUE((back.get()->*f.saveByName)(L"T_Box", f.in));
      ASSERT_NE(Filed(region), nullptr);
      ASSERT_EQ(Filed(region)->Records().size(), 1u);
      EXPECT_EQ(Filed(region)->Records()[0].mName, L"S_Box") << "records take the model name";
      EXPECT_TRUE((back.get()->*f.get)(kBox, value));
      EXPECT_EQ(value, f.out);
      value = -7;
      EXPECT_TRUE((back.get()->*f.getByName)(L"S_Box", value));
      EXPECT_EQ(value, f.out);
      EXPECT_TRUE(back->HasObjectSaveState(kBox));
      EXPECT_TRUE(back->HasObjectSaveStateByName(L"T_Box"));

      // Cleared by name: the record had only this field, so it goes.
      (back.get()->*f.clearByName)(L"S_Box");
      EXPECT_FALSE(back->HasObjectSaveState(kBox));
      EXPECT_TRUE((back.get()->*f.save)(kBox, f.in));
      (back.get()->*f.clear)(kBox);
      EXPECT_FALSE((back.get()->*f.get)(kBox, value));
      EXPECT_FALSE(back->HasObjectSaveStateByName(L"S_Box"));

      EXPECT_FALSE((back.get()->*f.saveByName)(L"Nothing", f.in)) << "an unknown name records nothing";
      EXPECT_TRUE(Filed(region)->Records().empty());
    }
  }
}

TEST_F(SceneSaveState, FloatPositionRecordAndWholeState) {
  float f = 0.0f;
  EXPECT_TRUE(back->SaveObjectFloatByName(L"S_Box", 2.5f));
  EXPECT_TRUE(back->GetSavedObjectFloat(kBox, f));
  EXPECT_FLOAT_EQ(f, 2.5f);
  back->ClearSavedObjectFloatByName(L"T_Box");
  EXPECT_FALSE(back->GetSavedObjectFloatByName(L"S_Box", f));

  // The position of the object, else of the trigger model, else the origin.
  float x = 0, y = 0, z = 0;
  back->GetEntry(kBall).mObject->SetPosition3D(1, 2, 3);
  EXPECT_TRUE(back->SaveObjectPositionByName(L"S_Ball"));
  EXPECT_TRUE(back->GetSavedObjectPosition(kBall, x, y, z));
  EXPECT_EQ(zormath::Vec3f(x, y, z), zormath::Vec3f(1, 2, 3));
  back->GetEntry(kOnly).mTrigger->SetPosition3D(4, 5, 6);
  EXPECT_TRUE(back->SaveObjectPosition(kOnly));
  EXPECT_TRUE(back->GetSavedObjectPositionByName(L"T_Only", x, y, z));
  EXPECT_EQ(zormath::Vec3f(x, y, z), zormath::Vec3f(4, 5, 6));
  EXPECT_EQ(Filed(false)->Records().back().mName, L"T_Only") << "no model name: the trigger name";
  EXPECT_TRUE(back->SaveObjectPositionAtByName(L"S_Box", 7, 8, 9));
  EXPECT_TRUE(back->GetSavedObjectPositionByName(L"T_Box", x, y, z));
  EXPECT_EQ(zormath::Vec3f(x, y, z), zormath::Vec3f(7, 8, 9));
  back->ClearSavedObjectPosition(kBox);
  EXPECT_FALSE(back->GetSavedObjectPosition(kBox, x, y, z));
  {
    auto bare = scenetest::LoadScene(L"Level\\Scene_1.xml", L"Bare");
    EXPECT_TRUE(bare->SaveObjectPosition(4)) << "S_Missing has neither object nor trigger";
    EXPECT_TRUE(bare->GetSavedObjectPosition(4, x, y, z));
    EXPECT_EQ(zormath::Vec3f(x, y, z), zormath::Vec3f(0, 0, 0));
  }

  // Whole records and the scene's whole state.
  SObjectSaveInfo record;
  record.mName = L"Gone";
  record.SetInt(9);
  EXPECT_TRUE(back->SaveObjectRecord(record));
  SObjectSaveInfo copy;
  copy.mName = L"Gone";
  EXPECT_TRUE(back->GetSavedObjectRecord(copy));
  EXPECT_EQ(copy, record);
  back->RemoveSavedObjectByName(L"S_Ball");
  EXPECT_FALSE(back->HasObjectSaveState(kBall));
  EXPECT_TRUE(back->HasBackSaveState());
  back->ClearBackSaveState();
  EXPECT_FALSE(back->HasBackSaveState());
  EXPECT_FALSE(back->GetSavedObjectRecord(copy));
}

TEST_F(SceneSaveState, ARegionFilesUnderItsOwner) {
  back->SetOwner(&owner);
  EXPECT_FALSE(back->HasBackSaveState());
  back->GetSaveInfo();
  EXPECT_TRUE(gCurrentPlayer.HasBackSave(L"Owner")) << "the owner's state is made";
  EXPECT_TRUE(back->HasBackSaveState()) << "with the region's section";
  EXPECT_FALSE(gCurrentPlayer.HasBackSave(L"Hall"));

  EXPECT_TRUE(back->SaveObjectVisible(kBox, 0));
  back->SetOwner(nullptr);
  EXPECT_TRUE(back->SaveObjectVisible(kBox, 1));
  int region = -1, scene = -1;
  back->GetSavedObjectVisible(kBox, scene);
  back->SetOwner(&owner);
  back->GetSavedObjectVisible(kBox, region);
  EXPECT_EQ(scene, 1);
  EXPECT_EQ(region, 0) << "the same object in the owner scene is another record";

  back->ClearBackSaveState();
  EXPECT_FALSE(back->HasBackSaveState());
  EXPECT_TRUE(gCurrentPlayer.HasBackSave(L"Owner")) << "only the region's section goes";
  back->ResetSaveState(0);
  EXPECT_FALSE(gCurrentPlayer.HasBackSave(L"Hall")) << "a reset erases what is filed under the own name";
  EXPECT_TRUE(gCurrentPlayer.HasBackSave(L"Owner"));
}

TEST_F(SceneSaveState, AppliedToASceneLoadedAgain) {
  // Play changes the scene; the operations that change an object record it.
  back->ShowObject(L"S_GreyA", 0, L"", 0);
  back->SetObjectRotating2(L"S_GreyB", 0);
  back->SetObjectRender2D(L"S_Box", 0);
  back->SetObjectTopLayer(L"T_Ball", 1);
  back->SetObjectClickable(L"T_Box", 0);
  back->SaveObjectState(kBox, 3);
  back->SaveObjectClickThrough(kBox, 1);
  back->SaveObjectPositionAt(kBall, 10, 20, 30);
  back->SaveObjectPositionAt(kOnly, 40, 50, 60);
  back->SaveObjectTopLayer(kG1, 0);
  back->SaveObjectClickThrough(kG1, 0);
  back->SaveObjectInt(kG3, 5);
  back->SaveObjectFloat(kG3, 5.0f);
  SObjectSaveInfo stale;
  stale.mName = L"Gone";
  stale.SetFlag1(0);
  back->SaveObjectRecord(stale);
  back.reset();

  auto again = scenetest::LoadScene(L"Level\\Draw.xml", L"Hall");
  const zormath::Vec3f ballTrigger = again->GetEntry(kBall).mTrigger->GetPosition3D();
  again->GetEntry(kG1).mFadeState = 3;
  const SObjectEntry before = again->GetEntry(kG3);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    again->ApplySaveInfo();
    EXPECT_EQ(again->GetEntry(kGreyA).mActive, 0);
    EXPECT_EQ(again->GetEntry(kGreyB).mUpdating, 0);
    EXPECT_EQ(again->GetEntry(kBox).mRender2D, 0);
    EXPECT_EQ(again->GetEntry(kBox).mObject->GetRender2D(), 0);
    EXPECT_EQ(again->GetEntry(kBox).mState, 3);
    EXPECT_EQ(again->GetEntry(kBox).mClickable, 0);
    EXPECT_EQ(again->GetEntry(kBox).mClickThrough, 1);
    EXPECT_EQ(again->GetEntry(kBall).mFadeState, 2);
    EXPECT_EQ(again->GetEntry(kBall).mObject->GetPosition3D(), zormath::Vec3f(10, 20, 30));
    EXPECT_EQ(again->GetEntry(kBall).mTrigger->GetPosition3D(), ballTrigger)
        << "matched by the model name: the trigger model stays";
    EXPECT_EQ(again->GetEntry(kOnly).mTrigger->GetPosition3D(), zormath::Vec3f(40, 50, 60))
        << "matched by the trigger name: the trigger model moves";
    EXPECT_EQ(again->GetEntry(kG1).mFadeState, 3) << "a saved 0 lowers nothing";
    EXPECT_EQ(again->GetEntry(kG1).mClickThrough, 0);
    EXPECT_EQ(again->GetEntry(kG3).mActive, before.mActive) << "the integer and float are not applied";
    EXPECT_EQ(again->GetEntry(kG3).mState, before.mState);
    EXPECT_EQ(again->GetEntry(kGlow).mActive, 1) << "an entry without a record is left alone";
  }
  SObjectSaveInfo kept;
  kept.mName = L"Gone";
  EXPECT_TRUE(again->GetSavedObjectRecord(kept)) << "a record of no entry stays";

  // A scene with no saved state gets an empty one and keeps its entries.
  auto fresh = scenetest::LoadScene(L"Level\\Draw.xml", L"Fresh");
  fresh->ApplySaveInfo();
  EXPECT_TRUE(gCurrentPlayer.HasBackSave(L"Fresh"));
  EXPECT_EQ(fresh->GetEntry(kGreyA).mActive, 1);
}

}  // namespace
