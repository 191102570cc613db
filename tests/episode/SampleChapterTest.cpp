// The sample game's first chapter on its real scenes: it starts in the hall
// with its random music and its tasks, a timed action settles the music,
// the torn map is a task in pieces, and the typed word "shelf" opens the
// library as a hidden-object scene whose list has more labels than places.
// Its hall and library doors play their sound and fly the camera on the way
// out. Nothing of it logs an error.
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "EpisodTestSupport.h"
#include "Platform/Strings.h"

namespace episodtest {
namespace {

class SampleChapter : public ::testing::Test {
 protected:
  void SetUp() override {
    mCore = testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless);
    zorfile::CFileSystem* fs = mCore->GetFileSystem();
    fs->SetInstallFolder(testsupport::GameDir());
    testsupport::AddGameDataPaths(*fs);
    // The sound system reads through the program's file system.
    fs->InsertPath((testsupport::GameDir() / "DataLoc" / "Sounds").wstring(), zorfile::kKindSounds);
    zorfile::SetFileSystem(fs);
    mPrevious = gGameCore;
    gGameCore = mCore.get();
    ASSERT_TRUE(testsupport::StartWindowAndRender(*mCore, L"test"));
    // The render settings, as the game reads them at start: the scenes' fires need theirs.
    ASSERT_GE(mCore->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"Data\\BaseSetings.xml", 1), 0);
    mCore->GetTextManager()->Load(L"DataLoc\\Texts\\Texts.xml");
    ASSERT_EQ(mCore->GetSound()->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", nullptr), 1);
    Platform::SeedRandom(11);
    gCurrentPlayer = PlayerRecord();
    gLogic = &mLogic;
    ASSERT_EQ(mLogic.LoadPredmets(L"Data\\Logic\\predmets.xml"), 1);
    ASSERT_EQ(mLogic.LoadHogPredmets(L"Data\\Logic\\hog_predmets.xml"), 1);
    ASSERT_EQ(mLogic.LoadSadanies(L"Data\\Logic\\logic.xml"), 1);
    ASSERT_NE(mLogic.LoadLevels(), 0);
    gCurrentPlayer.mEpisodInfo = mLogic.m_Episods.at(L"Episod_1").Info;
  }
  void TearDown() override {
    mEpisod.reset();
    mLogic.Release();
    gLogic = nullptr;
    gCurrentPlayer = PlayerRecord();
    gGameCore = mPrevious;
    zorfile::SetFileSystem(nullptr);
  }
  void Frames(float seconds) {
    for (float t = 0.0f; t < seconds; t += 0.1f) {
      mCore->GetSound()->Update(0.1f);
      mEpisod->Update(0.1f, nullptr);
      mEpisod->Render();
    }
  }

  std::unique_ptr<rovovoz::CGameCore> mCore;
  rovovoz::CGameCore* mPrevious = nullptr;
  testsupport::LogCapture mLog;
  CLogic mLogic;
  std::unique_ptr<CBaseEpisod> mEpisod;
};

TEST_F(SampleChapter, TheFirstNightShowsEachPartOfTheChapterWithoutAnError) {
  mEpisod = std::make_unique<CBaseEpisod>();
  ASSERT_TRUE(mEpisod->Init());
  ASSERT_TRUE(mEpisod->Start());
  ASSERT_NE(mEpisod->GetNextScene(), nullptr);
  EXPECT_EQ(mEpisod->GetNextScene()->GetName(), L"Back_1.xml");
  EXPECT_EQ(mCore->GetSound()->GetState(L"Music_Hall_1"), rovovoz::kSoundPlaying);
  SEpisodInfo& info = gCurrentPlayer.mEpisodInfo;
  EXPECT_EQ(info.mActions.Actions.at(L"a_episod_start").Ref, 1);
  EXPECT_EQ(info.CountComplexPieces(L"push", L"Map"), 2u) << "the torn map in two pieces";
  EXPECT_EQ(mEpisod->GetDelayedActions().size(), 1u);

  Frames(3.5f);
  EXPECT_EQ(mEpisod->GetState(), CBaseEpisod::kStateScene);
  EXPECT_TRUE(mEpisod->GetDelayedActions().empty()) << "the settling ran";
  Frames(2.5f);
  EXPECT_LT(mEpisod->GetRandomMusicVolume(), 1.0f);

  EXPECT_FALSE(mEpisod->OpenHog({L"shelf"}));
  Frames(1.5f);
  ASSERT_NE(mEpisod->GetCurrentScene(), nullptr);
  EXPECT_EQ(mEpisod->GetCurrentScene()->GetName(), L"Back_2.xml");
  EXPECT_TRUE(mEpisod->IsHogScene());
  std::vector<SHogListEntry> list;
  mEpisod->BuildHogList(list, L"Shelf");
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(list[0].Name, L"Inkwell");
  EXPECT_EQ(list[7].Position, 8);
  EXPECT_EQ(list[8].Position, 0) << "the ninth waits for a place";
  EXPECT_EQ(mLog.Texts(zuzorev::ELogLevel::Error), std::vector<std::wstring>{});
}

TEST_F(SampleChapter, TheHallAndLibraryDoorsPlayTheirSoundAndFlyTheCameraWhenTheyLeadSomewhere) {
  mEpisod = std::make_unique<CBaseEpisod>();
  ASSERT_TRUE(mEpisod->Init());
  ASSERT_TRUE(mEpisod->Start());
  Frames(3.5f);
  struct Case {
    const wchar_t* from;
    const wchar_t* door;
    const wchar_t* item;
    const wchar_t* to;
  };
  const Case cases[] = {
      {L"Back_1.xml", L"T_Door", L"Back_2", L"Back_2.xml"},
      {L"Back_2.xml", L"T_DoorBack", L"Back_1", L"Back_1.xml"},
  };
  rovovoz::CGameSoundSystem* sound = mCore->GetSound();
  for (const Case& c : cases) {
    SCOPED_TRACE(Platform::WideToUtf8(c.from));
    ASSERT_EQ(mEpisod->GetState(), CBaseEpisod::kStateScene);
    auto* level = dynamic_cast<CBaseLevel*>(mEpisod->GetCurrentScene());
    ASSERT_NE(level, nullptr);
    ASSERT_EQ(level->GetName(), c.from);
    for (const wchar_t* name : {L"Perehod_na_sleduyuschii_bek", L"Perehod_na_predyduschii_bek"}) sound->Stop(name, 0.0f);
    level->HandleModeRequest(L"portal", c.item, L"", 0);
    const int door = level->GetObjectIndex2(c.door);
    ASSERT_GE(door, 0);
    level->RunMcAction(door, L"simple", L"portal", c.item);
    EXPECT_EQ(mEpisod->GetNextState(), CBaseEpisod::kStateSceneFadeOut) << "the door's script leaves the scene";
    EXPECT_TRUE(sound->GetState(L"Perehod_na_sleduyuschii_bek") == rovovoz::kSoundPlaying ||
                sound->GetState(L"Perehod_na_predyduschii_bek") == rovovoz::kSoundPlaying);
    EXPECT_NE(level->GetZoom().mState, 0) << "the chapter's camera action ran and the camera flies to the marker";
    Frames(2.5f);
    ASSERT_NE(mEpisod->GetCurrentScene(), nullptr);
    EXPECT_EQ(mEpisod->GetCurrentScene()->GetName(), c.to);
  }
  EXPECT_EQ(mLog.Texts(zuzorev::ELogLevel::Error), std::vector<std::wstring>{});
}

}  // namespace
}  // namespace episodtest
