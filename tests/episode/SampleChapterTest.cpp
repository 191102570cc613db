// The sample game's first chapter on its real scenes: it starts in the hall
// with its random music and its tasks, a timed action settles the music,
// the torn map is a task in pieces, and the typed word "shelf" opens the
// library as a hidden-object scene whose list has more labels than places.
// Nothing of it logs an error.
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "EpisodTestSupport.h"

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

}  // namespace
}  // namespace episodtest
