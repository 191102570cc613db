// Scene files: the main file's entries, name maps and Info groups with the
// loader's error lines, the companions read once, the form taking over
// entries, release, the developer word commands.
#include <gtest/gtest.h>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "scene/SceneTestSupport.h"

namespace {

using scenetest::CTestBack;
using scenetest::SceneCore;
using zuzorev::ELogLevel;

class SceneLoad : public ::testing::Test {
 protected:
  SceneCore core;
  testsupport::LogCapture log;
  scenetest::FreshPlayer player;
};

TEST_F(SceneLoad, MainFileGivesEntriesNameMapsAndGroups) {
  CTestBack back;
  ASSERT_EQ(back.InitBack(L"Level\\Scene_1.xml"), 1);
  EXPECT_EQ(back.GetBackName(), L"Level\\Scene_1.xml");
  EXPECT_EQ(back.GetFileRender(), L"Scene.zorm");
  EXPECT_EQ(back.GetFileTriangle(), L"Scene_tr.zorm");
  EXPECT_TRUE(back.HasSoundManagers());

  struct Entry {
    const wchar_t* model;
    const wchar_t* trigger;
    bool object, triggerModel;
  } expected[] = {
      {L"S_Back", L"", true, false},   {L"S_Box", L"T_Box", true, true},
      {L"", L"T_Only", false, true},   {L"S_Box", L"T_Other", true, true},
      {L"S_Missing", L"", false, false}, {L"S_Ball", L"T_Missing", true, false},
      {L"S_GreyA", L"T_Grey", true, true},
  };
  ASSERT_EQ(back.GetEntryCount(), 7) << "lines without names take no index";
  for (int i = 0; i < 7; ++i) {
    const SObjectEntry& e = back.GetEntry(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(e.mModelName, expected[i].model);
    EXPECT_EQ(e.mTriggerName, expected[i].trigger);
    EXPECT_EQ(e.mObject != nullptr, expected[i].object);
    EXPECT_EQ(e.mTrigger != nullptr, expected[i].triggerModel);
    EXPECT_EQ(e.mRender2D, expected[i].object ? 1 : 0) << "set when the static model loads";
    EXPECT_EQ(e.mActive, 1);
    EXPECT_EQ(e.mFollowZoom, 1);
    EXPECT_EQ(e.mMakeModel, 1);
    EXPECT_EQ(e.mFromObjectFile, 1);
    EXPECT_EQ(e.mClickable, 0);
  }
  // The first line of a name wins; the two maps are separate and exact.
  EXPECT_EQ(back.GetObjectIndex(L"S_Box"), 1);
  EXPECT_EQ(back.GetObjectIndex2(L"T_Other"), 3);
  EXPECT_EQ(back.GetObjectIndex(L"T_Only"), -1);
  EXPECT_EQ(back.GetObjectIndex2(L"T_Only"), 2);
  EXPECT_EQ(back.GetObject(L"T_Only"), nullptr) << "trigger names give no object";
  EXPECT_EQ(back.GetObjectIndex(L"s_box"), -1) << "names differ by case";
  EXPECT_EQ(back.GetObject(L"S_Missing"), nullptr);
  EXPECT_EQ(back.GetObjectAs<rovovoz::CStaticObject3D>(L"S_Missing"), nullptr);
  EXPECT_EQ(back.GetObjectAs<rovovoz::CStaticObject3D>(L"S_Box"), back.GetEntry(1).mObject);

  // Info: bad items dropped, a bad second index forgotten, any tag a group.
  const auto& zones = back.GetZones();
  ASSERT_EQ(zones.size(), 2u);
  ASSERT_EQ(zones.at(L"find").size(), 2u);
  EXPECT_EQ(zones.at(L"find")[0].mName, L"Box");
  EXPECT_EQ(zones.at(L"find")[0].ind, 1);
  EXPECT_EQ(zones.at(L"find")[0].ind_sel, 5);
  EXPECT_EQ(zones.at(L"find")[1].mName, L"Only");
  EXPECT_EQ(zones.at(L"find")[1].ind_sel, -1);
  EXPECT_EQ(zones.at(L"extra")[0].ind, 0);
  const auto& complex = back.GetComplexZones();
  ASSERT_EQ(complex.size(), 1u);
  ASSERT_EQ(complex.at(L"hog").size(), 1u) << "a complex item without pieces is dropped";
  const SZoneComplex& vase = complex.at(L"hog")[0];
  EXPECT_EQ(vase.mName, L"Vase");
  ASSERT_EQ(vase.mPieces.size(), 2u);
  EXPECT_EQ(vase.mPieces[0].num, 1);
  EXPECT_EQ(vase.mPieces[0].ind_sel, -1);
  EXPECT_EQ(vase.mPieces[1].num, 5);
  EXPECT_EQ(vase.mPieces[1].ind, 5);
  EXPECT_EQ(vase.mPieces[1].ind_sel, -1);
  EXPECT_TRUE(vase.mActivePieces.empty());

  const std::vector<std::wstring> errors = {
      L"Invalid attr <ind> = 7 prefix = find object = Far",
      L"Empty name object. teg = find",
      L"No find attr <ind> prefix = hog object = Vase",
      L"No find attr <num> prefix = hog object = Vase",
      L"Invalid attr <ind> = -1 prefix = hog object = Vase",
      L"No find attr <ind> prefix = hog object = Broken",
      L"Invalid name model.",
      L"Invalid triangle model name.",
  };
  EXPECT_EQ(log.Texts(ELogLevel::Error), errors);
  for (const auto& record : log.Records()) {
    if (record.level == ELogLevel::Error) {
      EXPECT_EQ(record.file, L"Source/Levels/BaseBack");
    }
  }
}

TEST_F(SceneLoad, BrokenMainFilesFailWithTheirMessages) {
  struct Case {
    const wchar_t* file;
    int result;
    std::vector<std::wstring> errors;
  } cases[] = {
      {L"Level\\Missing.xml", 0, {L"No find xml file Level\\Missing.xml.", L"Load object for back"}},
      // Found but not parsed: named as such, with the parser's reason, never as missing.
      {L"Level\\Broken.xml",
       0,
       {L"XML file Level\\Broken.xml not parsed: Error reading Attributes. (line 3, column 1)",
        L"Load object for back"}},
      {L"Level\\NoLevel.xml", 0, {L"No find teg <Level> file xml Level\\NoLevel.xml", L"Load object for back"}},
      {L"Level\\NoRender.xml", 0, {L"No find attribute FileRender", L"Load object for back"}},
      {L"Level\\NoTriangle.xml", 0, {L"No find attribute FileTriangle", L"Load object for back"}},
      {L"Level\\NoRenderObject.xml", 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Platform::WideToUtf8(c.file));
    log.Clear();
    CTestBack back;
    EXPECT_EQ(back.InitBack(c.file), c.result);
    EXPECT_EQ(log.Texts(ELogLevel::Error), c.errors);
    EXPECT_EQ(back.HasSoundManagers(), c.result == 1) << "no sound managers for a scene that failed";
    EXPECT_EQ(back.GetEntryCount(), 0);
    EXPECT_TRUE(back.GetZones().empty()) << "without RenderObject the Info block is not read";
  }
}

TEST_F(SceneLoad, CompanionsAreReadOnceAndModelsLoadEveryTime) {
  CTestBack back;
  ASSERT_EQ(back.InitBack(L"Level\\Scene_1.xml"), 1);
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(back.Load(3), 1);
    EXPECT_EQ(back.UnLoad(3), 1);
  }
  ASSERT_EQ(back.Load(1), 1);
  EXPECT_EQ(back.objectFileReads, 1);
  EXPECT_EQ(back.formFileReads, 1);
  EXPECT_EQ(back.pathFileReads, 1);
  auto* box = dynamic_cast<rovovoz::CStaticObject3D*>(back.GetEntry(1).mObject);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->IsLoaded()) << "the last Load brought the model back";
  EXPECT_NE(back.GetObjectAs<rovovoz::CParticleSystem>(L"S_Ball"), nullptr) << "the object file's object";

  // A scene without companions loads without a word; so does one whose
  // main file is read by its first Load.
  log.Clear();
  CTestBack plain;
  plain.SetName(L"Plain");
  ASSERT_EQ(plain.InitBack(L"Level\\Pick.xml"), 1);
  EXPECT_EQ(plain.Load(3), 1);
  EXPECT_EQ(plain.formFileReads, 0) << "a missing form file is not read";
  EXPECT_EQ(plain.pathFileReads, 1);
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
}

TEST_F(SceneLoad, FormChildrenTakeOverEntriesAndStayTheForms) {
  {
    auto back = scenetest::LoadScene(L"Level\\Scene_1.xml");
    rovovoz::CGUIForm* form = back->GetForm();
    ASSERT_NE(form, nullptr);
    const SObjectEntry& grey = back->GetEntry(6);
    EXPECT_EQ(grey.mObject, form->GetChild(L"BGrey")) << "taken over by its model name";
    EXPECT_EQ(grey.mShared, 1) << "the form's own model list does not take it back";
    EXPECT_EQ(grey.mMakeModel, 0);
    EXPECT_EQ(grey.mFollowZoom, 0);
    const SObjectEntry& only = back->GetEntry(2);
    EXPECT_EQ(only.mObject, form->GetChild(L"BOnly")) << "taken over by its trigger name";
    EXPECT_EQ(only.mShared, 1);
    const SObjectEntry& background = back->GetEntry(0);
    EXPECT_EQ(background.mShared, 0) << "a model the form draws itself stays the scene's";
    EXPECT_EQ(background.mMakeModel, 0);
    EXPECT_EQ(background.mFollowZoom, 0);
    EXPECT_NE(background.mObject, nullptr);

    // Releasing twice is harmless, and the form's children are not the
    // scene's to delete (the sanitizer build checks the deletes).
    EXPECT_EQ(back->Release(0), 0);
    EXPECT_EQ(back->Release(0), 0);
    EXPECT_EQ(back->GetEntryCount(), 0);
    EXPECT_EQ(back->GetObjectIndex(L"S_Box"), -1);
    EXPECT_EQ(back->GetObjectIndex2(L"T_Box"), -1);
    EXPECT_EQ(form->GetChild(L"BGrey")->GetName(), L"BGrey") << "the form still has its child";
  }
  for (const auto& record : log.Records()) {
    if (record.level == ELogLevel::Error) {
      EXPECT_EQ(record.file, L"Source/Levels/BaseBack") << "the form loads cleanly";
    }
  }
}

TEST_F(SceneLoad, WordCommandsHideFindAndForm) {
  auto back = scenetest::LoadScene(L"Level\\Scene_1.xml");
  const int hide = gHideMode;
  EXPECT_EQ(back->HandleWordCommand({L"HIDE"}), 1);
  EXPECT_EQ(gHideMode, hide ? 0 : 1);
  EXPECT_EQ(back->HandleWordCommand({L"hide"}), 1);
  EXPECT_EQ(gHideMode, hide);
  EXPECT_EQ(back->HandleWordCommand({L"Find", L"x"}), 1);
  EXPECT_EQ(back->mDebugFind, 1);
  EXPECT_EQ(back->HandleWordCommand({L"win"}), 0);
  EXPECT_EQ(back->HandleWordCommand({}), 0);

  // "form" makes a new form from the file; the entries follow its children.
  EXPECT_EQ(back->HandleWordCommand({L"form"}), 0);
  rovovoz::CGUIForm* after = back->GetForm();
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(back->GetEntry(6).mObject, after->GetChild(L"BGrey"));
  EXPECT_EQ(back->GetEntry(2).mObject, after->GetChild(L"BOnly"));
  EXPECT_EQ(back->formFileReads, 2);
}

TEST(SceneStrings, SplitStringAndSplitPath) {
  struct Case {
    const wchar_t* text;
    const wchar_t* delimiters;
    std::vector<std::wstring> words;
  } cases[] = {
      {L"", L",", {}},
      {L",a,,b", L",", {L"a", L"b"}},
      {L"a,", L",", {L"a", L""}},
      {L"a b ", L" ", {L"a", L"b", L""}},
      {L"alpha-_2", L"_", {L"alpha-", L"2"}},
  };
  for (const auto& c : cases) {
    std::vector<std::wstring> words = {L"stale"};
    SplitString(c.text, c.delimiters, words);
    EXPECT_EQ(words, c.words) << Platform::WideToUtf8(c.text);
  }
  std::wstring drive = L"x", directory = L"x", name, extension;
  SplitPath(L"Back_1.xml", &drive, &directory, &name, &extension);
  EXPECT_EQ(drive, L"");
  EXPECT_EQ(directory, L"");
  EXPECT_EQ(name, L"Back_1");
  EXPECT_EQ(extension, L".xml");
  SplitPath(L"Data\\Level\\Back_1.xml", nullptr, &directory, &name, nullptr);
  EXPECT_EQ(directory, L"Data\\Level\\");
}

}  // namespace
