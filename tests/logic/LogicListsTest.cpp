// The lists of scenes, close-ups, mini-games and cut-scenes over a headless
// engine: what each list file makes, names and ticks, and what broken list
// files log. The scenes are copies of the sample game's entrance hall.
#include <memory>

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Levels/BaseLevel.h"
#include "LoadProgress.h"
#include "LogicTestSupport.h"
#include "Regions/BaseRegion.h"
#include "support/CoreSupport.h"

namespace logictest {
namespace {

using zuzorev::ELogLevel;

const char* const kForm =
    "<Form Name=\"FormRegion\"><Button Name=\"B_Close\" X=\"852\" Y=\"94\" Width=\"48\" Height=\"48\"/></Form>";

class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mCore = testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless);
    zorfile::CFileSystem* fs = mCore->GetFileSystem();
    fs->SetInstallFolder(mInstall.Path());
    ASSERT_GE(fs->InsertPath((testsupport::GameDir() / "Data" / "Models").wstring(), zorfile::kKindModels), 0);
    ASSERT_GE(fs->InsertPath((testsupport::GameDir() / "Data" / "Textures").wstring(), zorfile::kKindTextures), 0);
    ASSERT_TRUE(testsupport::StartWindowAndRender(*mCore, L"test"));
    gGameCore = mCore.get();
    for (const char* file : {"Back_1.xml", "Back_1_anim.xml", "Back_1_form.xml", "Back_1_path.xml"})
      mInstall.Write(std::string("Data/Level/") + file,
                     testsupport::ReadFile(testsupport::GameDir() / "Data" / "Level" / file));
    mInstall.Write("Data/Regions/Back_1_reg_4.xml",
                   testsupport::ReadFile(testsupport::GameDir() / "Data" / "Level" / "Back_1.xml"));
    mInstall.Write("Data/Regions/FormRegion.xml", kForm);
  }
  void TearDown() override {
    mLogic.Release();
    delete gLoadProgress;
    gLoadProgress = nullptr;
    gGameCore = nullptr;
    mCore.reset();
  }
  void Write(const std::string& file, const std::string& text) { mInstall.Write(file, text); }
  int Ticks() const { return gLoadProgress ? gLoadProgress->GetTickCount() : -1; }

  testsupport::TempDir mInstall;
  std::unique_ptr<rovovoz::CGameCore> mCore;
  testsupport::LogCapture mLog;
  CLogic mLogic;
};

TEST_F(ListsTest, EachListMakesItsObjectsNamedAsListedWithATickForEachSceneCloseUpAndMiniGame) {
  Write("Data/Level/Levels.xml",
        "<LEVELS><level XML=\"back_1.xml\"/><Level/><Other Xml=\"Back_1.xml\"/><Level Xml=\"Back_1.xml\"/></LEVELS>");
  Write("Data/Regions/Regions.xml", "<Regions><Region Xml=\"Back_1_reg_4.xml\"/></Regions>");
  Write("Data/MiniGame/MiniGames.xml", "<MiniGame><Game Name=\"DoorLock\"/><Game/><Game Name=\"Chest\"/></MiniGame>");
  // Every frame loads the button form of its buttons type.
  Write("Data/MiniGame/MGButtons_v_01.xml",
        testsupport::ReadFile(testsupport::GameDir() / "Data" / "MiniGame" / "MGButtons_v_01.xml"));
  Write("Data/Roliki/Roliki.xml",
        "<Roliki><Rolik Name=\"Intro\" File=\"Intro.xml\"/><Rolik Name=\"Intro\" File=\"Other.xml\"/>"
        "<Rolik Name=\"NoFile\"/><Rolik File=\"NoName.xml\"/><Rolik Name=\"rolik_10_loop\" File=\"End.xml\"/></Roliki>");
  // The final cut-scene reads its end-text window as it is made.
  Write("Data/Interface/FinalRolik.xml", "<Form Name=\"FinalRolik\"/>");
  gLoadProgress = new LoadProgress();
  ASSERT_EQ(gLoadProgress->Load(mCore.get()), 1);

  // A scene ticks once as it reads its file and once more as it joins the list.
  int before = Ticks();
  ASSERT_EQ(mLogic.LoadLevels(), 1);
  EXPECT_EQ(Ticks() - before, 2 * 2);
  ASSERT_EQ(gLevels.size(), 2u);
  EXPECT_EQ(gLevels[0]->GetName(), L"back_1.xml");
  EXPECT_EQ(gLevels[1]->GetName(), L"Back_1.xml");

  before = Ticks();
  ASSERT_EQ(mLogic.LoadRegions(), 1);
  EXPECT_EQ(Ticks() - before, 2);
  ASSERT_NE(gRegionForm, nullptr);
  ASSERT_EQ(gRegions.size(), 1u);
  EXPECT_EQ(mLogic.FindRegion(L"BACK_1_REG_4.XML"), gRegions[0]);
  EXPECT_EQ(mLogic.FindRegion(L"Back_1_reg_5.xml"), nullptr);

  before = Ticks();
  ASSERT_EQ(mLogic.LoadMiniGames(), 1);
  EXPECT_EQ(Ticks() - before, 2);
  ASSERT_EQ(gMiniGames.size(), 2u);
  // Each frame carries its name, so the story finds it.
  EXPECT_EQ(mLogic.FindMiniGame(L"doorlock"), gMiniGames[0]);
  EXPECT_EQ(mLogic.FindMiniGame(L"Chest"), gMiniGames[1]);
  EXPECT_EQ(mLogic.FindMiniGame(L"Drawer"), nullptr);
  EXPECT_EQ(mLogic.StartMiniGame(L"CHEST"), 1);
  EXPECT_EQ(mLogic.GetTempMiniGame(), gMiniGames[1]);

  before = Ticks();
  ASSERT_EQ(mLogic.LoadRoliki(), 1);
  EXPECT_EQ(Ticks(), before);
  ASSERT_EQ(gRoliki.size(), 2u);
  EXPECT_EQ(gRoliki[L"Intro"]->GetFile(), L"Intro.xml");
  EXPECT_EQ(gRoliki[L"Intro"]->GetName(), L"Intro");
  EXPECT_FALSE(gRoliki[L"Intro"]->IsLoaded());

  EXPECT_TRUE(mLog.Texts(ELogLevel::Error).empty());
}

TEST_F(ListsTest, BrokenListFilesFailWithTheirErrorLineAndNothingIsKept) {
  struct SCase {
    const char* what;
    const char* file;  // written when text is not null
    const char* text;
    int (CLogic::*load)();
    const wchar_t* error;
    bool namedAsNotParsed;  // the XML reader's line naming the file
  };
  const SCase cases[] = {
      {"levels missing", "Data/Level/Levels.xml", nullptr, &CLogic::LoadLevels, L"No load file for info levels.", false},
      {"levels empty", "Data/Level/Levels.xml", "", &CLogic::LoadLevels, L"No load file for info levels.", true},
      {"levels cut", "Data/Level/Levels.xml", "<Levels><Level Xml=\"Back_1.xml\"", &CLogic::LoadLevels,
       L"No load file for info levels.", true},
      {"levels root", "Data/Level/Levels.xml", "<Scenes/>", &CLogic::LoadLevels, L"No find teg levels.", false},
      {"scene missing", "Data/Level/Levels.xml", "<Levels><Level Xml=\"Back_1.xml\"/><Level Xml=\"Back_99.xml\"/></Levels>",
       &CLogic::LoadLevels, L"Load level Back_99.xml", false},
      {"scene absurd name", "Data/Level/Levels.xml", "<Levels><Level Xml=\"..\\..\\..\\..\\x\"/></Levels>",
       &CLogic::LoadLevels, L"Load level ..\\..\\..\\..\\x", false},
      {"regions missing", "Data/Regions/Regions.xml", nullptr, &CLogic::LoadRegions, L"No load file for info regions.",
       false},
      {"regions cut", "Data/Regions/Regions.xml", "<Regions><Reg", &CLogic::LoadRegions,
       L"No load file for info regions.", true},
      {"regions root", "Data/Regions/Regions.xml", "<Levels/>", &CLogic::LoadRegions, L"No find teg Regions.", false},
      {"close-up missing", "Data/Regions/Regions.xml", "<Regions><Region Xml=\"Nowhere.xml\"/></Regions>",
       &CLogic::LoadRegions, L"Load region Nowhere.xml", false},
      {"frame missing", "Data/Regions/FormRegion.xml", nullptr, &CLogic::LoadRegions, L"Load form for regions", false},
      {"frame cut", "Data/Regions/FormRegion.xml", "<Form><Butt", &CLogic::LoadRegions, L"Load form for regions", true},
      {"mini-games missing", "Data/MiniGame/MiniGames.xml", nullptr, &CLogic::LoadMiniGames,
       L"No load file for info mini games.", false},
      {"mini-games empty", "Data/MiniGame/MiniGames.xml", "", &CLogic::LoadMiniGames,
       L"No load file for info mini games.", true},
      {"mini-games root", "Data/MiniGame/MiniGames.xml", "<MiniGames/>", &CLogic::LoadMiniGames,
       L"No find teg MiniGame.", false},
      {"roliki missing", "Data/Roliki/Roliki.xml", nullptr, &CLogic::LoadRoliki, L"No load file for info roliki.",
       false},
      {"roliki cut", "Data/Roliki/Roliki.xml", "<Roliki><Rolik Name=\"A\" Fi", &CLogic::LoadRoliki,
       L"No load file for info roliki.", true},
      {"roliki root", "Data/Roliki/Roliki.xml", "<Rolik/>", &CLogic::LoadRoliki, L"No find teg Roliki.", false},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::TempDir install;
    mCore->GetFileSystem()->SetInstallFolder(install.Path());
    for (const char* file : {"Back_1.xml", "Back_1_anim.xml", "Back_1_form.xml", "Back_1_path.xml"})
      install.Write(std::string("Data/Level/") + file, testsupport::ReadFile(mInstall.Path() / "Data/Level" / file));
    install.Write("Data/Regions/Regions.xml", "<Regions/>");
    install.Write("Data/Regions/FormRegion.xml", kForm);
    if (c.text)
      install.Write(c.file, c.text);
    else
      std::filesystem::remove(install.Path() / c.file);
    mLog.Clear();
    EXPECT_EQ((mLogic.*c.load)(), 0);
    EXPECT_TRUE(mLog.Contains(ELogLevel::Error, c.error));
    bool named = false;
    const std::string base = std::filesystem::path(c.file).filename().string();
    for (const std::wstring& line : mLog.Texts(ELogLevel::Error))
      if (line.find(L"not parsed") != std::wstring::npos && line.find(std::wstring(base.begin(), base.end())) != std::wstring::npos)
        named = true;
    EXPECT_EQ(named, c.namedAsNotParsed);
    // A scene read before the failing one stays; the failing one is gone.
    EXPECT_EQ(gLevels.size(), std::string(c.what) == "scene missing" ? 1u : 0u);
    EXPECT_TRUE(gRegions.empty());
    EXPECT_TRUE(gMiniGames.empty());
    EXPECT_TRUE(gRoliki.empty());
    mLogic.Release();
  }
}

TEST(LogicFactories, ClassesByDataNameFollowTheTablesIgnoringCaseAndFallBackToTheBase) {
  struct SCase {
    std::wstring (*lookup)(const std::wstring&);
    const wchar_t* name;
    const wchar_t* className;
  };
  const SCase cases[] = {
      {&BackClassName, L"Back_1.xml", L"CLevel_1"},
      {&BackClassName, L"back_1.xml", L"CLevel_1"},
      {&BackClassName, L"BACK_1.XML", L"CLevel_1"},
      {&BackClassName, L"Back_1", L"CBaseLevel"},
      {&BackClassName, L"Back_51_MG4.xml", L"CLevel_51_MG4"},
      {&BackClassName, L"Back_4_MG3.xml", L"CLevel_04_MG_01"},
      {&BackClassName, L"Back_19_MG2.xml", L"CLevel_19_MG_06"},
      {&BackClassName, L"Back_8_dialog.xml", L"CDialog_8"},
      {&BackClassName, L"Back_2.xml", L"CBaseLevel"},
      {&RegionClassName, L"Back_1_reg_4.xml", L"CRegion_1_4"},
      {&RegionClassName, L"BACK_31_REG_1.XML", L"CRegion_31_1"},
      {&RegionClassName, L"Back_1_reg_5.xml", L"CBaseRegion"},
      {&RolikClassName, L"rolik_10_loop", L"CRolikFinal"},
      {&RolikClassName, L"Rolik_10_loop", L"CBaseRolik"},
      {&RolikClassName, L"rolik_10_loop ", L"CBaseRolik"},
  };
  for (const SCase& c : cases) EXPECT_EQ(c.lookup(c.name), c.className) << FakeEpisod::Narrow(c.name);

  // Until their classes come, the named classes play as their base.
  std::unique_ptr<CBaseLevel> scene(CreateBack(L"Back_1.xml"));
  std::unique_ptr<CBaseRegion> region(CreateRegion(L"Back_1_reg_4.xml"));
  std::unique_ptr<CBaseMiniGame> game(CreateMiniGame(L"DoorLock"));
  std::unique_ptr<CBaseRolik> rolik(CreateRolik(L"Intro", L"Intro.xml"));
  EXPECT_NE(scene, nullptr);
  EXPECT_NE(region, nullptr);
  EXPECT_EQ(game->GetName(), L"DoorLock");
  EXPECT_EQ(rolik->GetName(), L"Intro");
  EXPECT_EQ(rolik->GetFile(), L"Intro.xml");
}

}  // namespace
}  // namespace logictest

namespace logictest {
namespace {

// The sample game's own lists: everything loads without an error line, and
// the first cut-scene's description makes its clip.
TEST(SampleGameLists, EveryListOfTheSampleGameLoadsWithoutAnError) {
  auto core = testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless);
  zorfile::CFileSystem* fs = core->GetFileSystem();
  fs->SetInstallFolder(testsupport::GameDir());
  testsupport::AddGameDataPaths(*fs);
  ASSERT_GE(fs->InsertPath(L"Data\\Roliki", zorfile::kKindVideos), 0);
  ASSERT_TRUE(testsupport::StartWindowAndRender(*core, L"test"));
  gGameCore = core.get();
  testsupport::LogCapture log;
  {
    CLogic logic;
    ASSERT_EQ(logic.LoadSteps(L"Data\\Logic\\Steps.xml"), 1);
    ASSERT_EQ(logic.LoadLevels(), 1);
    ASSERT_EQ(logic.LoadRegions(), 1);
    ASSERT_EQ(logic.LoadMiniGames(), 1);
    ASSERT_EQ(logic.LoadRoliki(), 1);
    EXPECT_GE(logic.GetStepCount(), 4);
    EXPECT_FALSE(gLevels.empty());
    for (int i = 0; i < logic.GetStepCount(); ++i) {
      const SLogicStep* step = logic.GetStep(i);
      if (step->Type == kStepRolik) {
        EXPECT_EQ(gRoliki.count(step->Name), 1u) << i;
      }
      if (step->Type == kStepMiniGame) {
        EXPECT_NE(logic.FindMiniGame(step->Name), nullptr) << i;
      }
    }
    CBaseRolik* intro = gRoliki[L"Intro"];
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->LoadFile(3), 1);
    EXPECT_NE(intro->GetVideo(), nullptr);
    EXPECT_FALSE(intro->IsEndPlay());
  }
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
  gGameCore = nullptr;
}

}  // namespace
}  // namespace logictest

namespace logictest {
namespace {

// Cut-scene descriptions, good and bad: what loads, what the clip is made
// of, and when the cut-scene counts as played.
TEST(RolikDescription, BadDescriptionsEndTheCutSceneAtOnceAndOddNumbersKeepTheClipOnScreen) {
  auto core = testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless);
  testsupport::TempDir install;
  zorfile::CFileSystem* fs = core->GetFileSystem();
  fs->SetInstallFolder(install.Path());
  install.Write("Data/Roliki/Intro.ogv", testsupport::ReadFile(testsupport::GameDir() / "Data/Roliki/Intro.ogv"));
  ASSERT_GE(fs->InsertPath(L"Data\\Roliki", zorfile::kKindVideos), 0);
  struct SCase {
    const char* what;
    const char* text;  // null: no file
    int32_t loaded;
    int clipHeight;  // 0: no clip
  };
  const SCase cases[] = {
      {"missing", nullptr, 0, 0},
      {"empty", "", 0, 0},
      {"cut", "<Rolik><Video Name=\"A\" File=\"Intro.o", 0, 0},
      {"other root", "<Video Name=\"A\" File=\"Intro.ogv\"/>", 0, 0},
      {"wide", "<rolik><VIDEO name=\"A\" file=\"intro.OGV\" Width=\"1024\" Height=\"576\"/></rolik>", 1, 576},
      {"no size", "<Rolik><Video Name=\"A\" File=\"Intro.ogv\"/></Rolik>", 1, 512},
      {"words for numbers", "<Rolik><Video Name=\"A\" File=\"Intro.ogv\" Width=\"wide\" Height=\"tall\"/></Rolik>", 1, 512},
      {"absurd size", "<Rolik><Video Name=\"A\" File=\"Intro.ogv\" Width=\"1\" Height=\"1e30\"/></Rolik>", 1, 512},
      // A clip that cannot be made fails the load: its caller logs the
      // failure once and never reports the cut-scene as loaded.
      {"no video file", "<Rolik><Video Name=\"A\" File=\"Nowhere.ogv\"/><Unknown/></Rolik>", 0, 0},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.text)
      install.Write("Data/Roliki/Desc.xml", c.text);
    else
      std::filesystem::remove(install.Path() / "Data/Roliki/Desc.xml");
    CBaseRolik rolik(core.get(), L"A", L"Desc.xml");
    EXPECT_EQ(rolik.LoadFile(3), c.loaded);
    EXPECT_EQ(rolik.IsLoaded(), c.loaded != 0);
    ASSERT_EQ(rolik.GetVideo() != nullptr, c.clipHeight != 0);
    if (rolik.GetVideo()) {
      EXPECT_EQ(rolik.GetVideo()->GetClipWidth(), 1024);
      EXPECT_EQ(rolik.GetVideo()->GetClipHeight(), c.clipHeight);
    }
    rolik.Start();
    rolik.Update(0.5f, nullptr);
    EXPECT_EQ(rolik.IsEndPlay(), c.clipHeight == 0);
  }
}

}  // namespace
}  // namespace logictest
