// The sample game's hall as the logic loads it: its close-up attaches, its
// door becomes a portal with a marker, and on the GL device the desk's
// close-up shows over the hall once it has opened (pixels read back).
#include "levels/LevelTestSupport.h"
#include "Platform/Strings.h"

using namespace leveltest;

namespace {

// The logic's scene and close-up lists of the sample game, released at
// the end.
class SampleLists {
 public:
  SampleLists() {
    mLogic = std::make_unique<CLogic>();
    mSaved = gLogic;
    gLogic = mLogic.get();
    mOk = mLogic->LoadLevels() && mLogic->LoadRegions();
  }
  ~SampleLists() {
    mLogic.reset();
    gLogic = mSaved;
  }
  bool Ok() const { return mOk; }
  CBaseLevel* Level(const std::wstring& name) const {
    for (CBaseLevel* level : gLevels)
      if (level && Platform::EqualsNoCase(level->GetName(), name)) return level;
    return nullptr;
  }

 private:
  std::unique_ptr<CLogic> mLogic;
  CLogic* mSaved = nullptr;
  bool mOk = false;
};

// The hall attached and started the way a chapter does it, its close-up
// known from the player's progress.
// (The lists name each object by its file name.)
CBaseLevel* StartHall(SampleLists& lists) {
  CBaseLevel* hall = lists.Level(L"Back_1.xml");
  if (!hall) return nullptr;
  gCurrentPlayer.mEpisodInfo.mBackTasks[hall->GetName()].mCounters[L"Back_1_reg_4.xml"] = 1;
  EXPECT_EQ(hall->AttachToEpisod(nullptr, nullptr), 1);
  EXPECT_EQ(hall->Load(1), 1);
  EXPECT_EQ(hall->StartBack(0), 1);
  return hall;
}

}  // namespace

TEST(LevelSampleGame, TheHallHoldsItsCloseUpAndItsDoor) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  scenetest::FreshPlayer player;
  testsupport::LogCapture log;
  SampleLists lists;
  ASSERT_TRUE(lists.Ok());
  CBaseLevel* hall = StartHall(lists);
  ASSERT_NE(hall, nullptr);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
  ASSERT_EQ(hall->GetRegions().count(L"Back_1_reg_4.xml"), 1u);
  const int door = hall->GetObjectIndex2(L"T_Door");
  ASSERT_GE(door, 0);
  EXPECT_EQ(hall->GetPortalMarkers().at(door), hall->GetObjectIndex2(L"TPOC_Back_2"));

  hall->HandleModeRequest(L"portal", L"Back_2", L"", 0);
  ASSERT_EQ(hall->GetPortals().size(), 1u);
  EXPECT_EQ(hall->GetPortals()[0].markerIndex, hall->GetObjectIndex2(L"TPOC_Back_2"));

  // The next visit enables it again while its task is open; its marker is
  // never shown nor picked.
  gCurrentPlayer.mEpisodInfo.AddObjectTask(L"portal", L"Back_2", 1);
  ASSERT_EQ(hall->StartBack(0), 1);
  ASSERT_EQ(hall->GetPortals().size(), 1u);
  EXPECT_EQ(hall->GetPortals()[0].entryIndex, door);
  const SObjectEntry& marker = hall->GetEntry(hall->GetObjectIndex2(L"TPOC_Back_2"));
  EXPECT_EQ(marker.mActive, 0);
  EXPECT_EQ(marker.mClickable, 0);

  CBaseLevel* library = lists.Level(L"Back_2.xml");
  ASSERT_NE(library, nullptr);
  gCurrentPlayer.mEpisodInfo.mBackTasks[library->GetName()];
  ASSERT_EQ(library->AttachToEpisod(nullptr, nullptr), 1);
  EXPECT_GE(library->GetPortalMarkers().count(library->GetObjectIndex2(L"T_DoorBack")), 1u) << "and a way back";
}

TEST(LevelSampleGameGL, TheDesksCloseUpShowsOverTheHall) {
  scenetest::SceneCore core(zuzorev::EDeviceKind::GL, scenetest::SceneCore::EData::SampleGame);
  if (!core.Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver (needs libegl-mesa0)";
  scenetest::FreshPlayer player;
  SampleLists lists;
  ASSERT_TRUE(lists.Ok());
  CBaseLevel* hall = StartHall(lists);
  ASSERT_NE(hall, nullptr);

  auto frame = [&](float dt) {
    hall->Update(dt, nullptr);
    core.Render().Clear();
    core.Render().Begin();
    hall->Render();
  };
  auto pixel = [&](float x, float y) {
    uint32_t argb = 0;
    EXPECT_TRUE(core.Render().ReadVirtualPixel(x, y, argb));
    return argb & 0x00FFFFFFu;
  };
  // The middle of the close-up's picture and a corner of the hall it
  // leaves free.
  const float midX = 512.0f, midY = 334.0f, cornerX = 20.0f, cornerY = 20.0f;
  frame(0.02f);
  const uint32_t hallMiddle = pixel(midX, midY), hallCorner = pixel(cornerX, cornerY);
  core.Render().End();

  ASSERT_EQ(hall->OpenRegion(L"Back_1_reg_4.xml", 1, 1, 0), 1);
  hall->PushMode(kModeRegionOpen, 0);
  for (int i = 0; i < 30; ++i) {
    frame(0.05f);
    core.Render().End();
  }
  frame(0.02f);
  EXPECT_NE(pixel(midX, midY), hallMiddle) << "the close-up covers the middle";
  EXPECT_EQ(pixel(cornerX, cornerY), hallCorner) << "the hall shows around it";
  core.Render().End();
  ASSERT_NE(hall->GetOpenRegion(), nullptr);
  EXPECT_EQ(hall->GetOpenRegion()->GetTransitionState(), CBaseRegion::kOpen);
}
