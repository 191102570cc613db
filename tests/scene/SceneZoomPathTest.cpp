// The camera zoom (speed, clamps, the modes it serves) and path objects
// (loading with its messages, restarts, queued starts, ends).
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "scene/SceneRunSupport.h"
#include "scene/SceneTestSupport.h"

namespace {

using namespace scenetest;

std::unique_ptr<CRunBack> LoadRun(const std::wstring& file) {
  auto back = std::make_unique<CRunBack>();
  EXPECT_EQ(back->InitBack(file), 1);
  back->SetName(L"Hall");
  EXPECT_EQ(back->Load(3), 1);
  back->StartBack(0);
  return back;
}

class SceneZoom : public ::testing::Test {
 protected:
  SceneCore core;
  testsupport::LogCapture log;
  FreshPlayer player;
};

// Frames of dt until the zoom state leaves `state`.
int FramesIn(CRunBack& back, int state, float dt) {
  int frames = 0;
  while (back.GetZoom().mState == state && frames < 1000) {
    back.UpdateZoom(dt, 1);
    ++frames;
  }
  return frames;
}

TEST_F(SceneZoom, SpeedScaleAndDurations) {
  struct Case {
    float scale;
    float expectedScale;
    int inFrames;  // at 0.05 s with speed 1
  } cases[] = {{0.0f, 2.0f, 10}, {2.0f, 2.0f, 10}, {1.0f, 1.0f, 5}, {4.0f, 4.0f, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    auto back = LoadRun(L"Level\\Zones.xml");
    ASSERT_TRUE(back->StartZoom(0.0f, 0.0f, 0.0f, c.scale, 0.0f, 1.0f, 1));
    EXPECT_FALSE(back->StartZoom(10.0f, 0.0f, 0.0f, 2.0f, 2.0f, 1.0f, 1)) << "one zoom at a time";
    EXPECT_FALSE(back->EndZoom()) << "not before it is zoomed in";
    EXPECT_EQ(FramesIn(*back, 1, 0.05f), c.inFrames);
    EXPECT_EQ(back->GetZoom().mState, 2);
    EXPECT_FLOAT_EQ(back->mViewMatrix(0, 0), c.expectedScale);
    ASSERT_TRUE(back->EndZoom());
    if (c.scale == 2.0f) {
      EXPECT_EQ(FramesIn(*back, 3, 0.05f), 20) << "the way back takes twice as long";
    }
    FramesIn(*back, 3, 0.05f);
    EXPECT_EQ(back->GetZoom().mState, 0);
    EXPECT_FLOAT_EQ(back->mViewMatrix(0, 0), 1.0f);
    EXPECT_FLOAT_EQ(back->mViewMatrix(3, 0), 0.0f);
  }
}

TEST_F(SceneZoom, CentreClampedAndRestGoesToOverlay) {
  auto back = LoadRun(L"Level\\Zones.xml");
  ASSERT_TRUE(back->StartZoom(900.0f, 0.0f, -400.0f, 2.0f, 2.0f, 1.0f, 1));
  EXPECT_FLOAT_EQ(back->GetZoom().mToX, 512.0f);
  EXPECT_FLOAT_EQ(back->GetZoom().mToZ, -284.0f);
  FramesIn(*back, 1, 0.05f);
  EXPECT_FLOAT_EQ(back->GetZoom().mX, 256.0f);
  EXPECT_FLOAT_EQ(back->GetZoom().mOffsetX, 512.0f);
  EXPECT_FLOAT_EQ(back->GetZoom().mZ, -135.0f);
  EXPECT_FLOAT_EQ(back->GetZoom().mOffsetZ, (-284.0f + 135.0f) * 2.0f);
  EXPECT_FLOAT_EQ(back->mViewMatrix(3, 0), -512.0f);
  EXPECT_FLOAT_EQ(back->mViewMatrix(3, 2), 270.0f);
  // Every object follows through the one matrix.
  EXPECT_FLOAT_EQ(back->GetEntry(1).mObject->GetWorldMatrix3D()(0, 0), 2.0f);
  EXPECT_FALSE(back->ZoomToObject(L"S_Box", 2.0f, 2.0f, 1.0f, 1)) << "a zoom is under way";
  auto other = LoadRun(L"Level\\Zones.xml");
  EXPECT_FALSE(other->ZoomToObject(L"Nothing", 2.0f, 2.0f, 1.0f, 1));
  EXPECT_TRUE(other->ZoomToObject(L"T_Box", 2.0f, 2.0f, 1.0f, 1));
}

TEST_F(SceneZoom, ZoomModePoppedCameraViewNot) {
  auto back = LoadRun(L"Level\\Zones.xml");
  back->QueueZoomRequest({L"start", L"", 0.0f, 0.0f, 0.0f, 2.0f, 2.0f, 1.0f, L"after_zoom"});
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{2}));
  for (int i = 0; i < 20; ++i) back->UpdateZoom(0.05f, 0);
  EXPECT_TRUE(back->mModes.empty()) << "popped as soon as the zoom-in ends";
  EXPECT_EQ(back->hooks, (std::vector<std::wstring>{L"after_zoom"}));
  EXPECT_EQ(back->mBusy, 0);

  ASSERT_TRUE(back->EndZoom());
  FramesIn(*back, 3, 0.05f);
  back->PushMode(8, 0);
  EXPECT_EQ(back->mBusy, 1);
  ASSERT_TRUE(back->StartZoom(0.0f, 0.0f, 0.0f, 2.0f, 2.0f, 1.0f, 1));
  back->StartCountdown();
  for (int i = 0; i < 20; ++i) back->UpdateCountdown(0.05f);
  EXPECT_EQ(back->GetZoom().mState, 2);
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{8})) << "the camera view is not popped by the zoom";
  // The hold began half a second ago; 5 s in all.
  for (int i = 0; i < 40; ++i) back->UpdateCountdown(0.1f);
  EXPECT_EQ(back->GetZoom().mState, 2) << "still held";
  for (int i = 0; i < 20; ++i) back->UpdateCountdown(0.1f);
  EXPECT_EQ(back->GetZoom().mState, 0);
  EXPECT_TRUE(back->mModes.empty()) << "the hold ended and popped the camera view";
  EXPECT_EQ(back->mBusy, 0);
}

class ScenePaths : public ::testing::Test {
 protected:
  ScenePaths() : back(LoadRun(L"Level\\Paths.xml")) {}
  float X(int index) { return back->GetEntry(index).mObject->GetPosition3D().x; }

  SceneCore core;
  testsupport::LogCapture log;
  FreshPlayer player;
  std::unique_ptr<CRunBack> back;
};

TEST_F(ScenePaths, LoadKeepsGoodObjectsAndNamesTheBadOnes) {
  std::vector<std::wstring> names;
  for (const SPathObject& path : back->mPathObjects) names.push_back(path.mName);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Move", L"Loop"}));
  ASSERT_EQ(back->mPathObjects[0].mItems.size(), 2u) << "duplicates and missing objects skipped";
  EXPECT_EQ(back->mPathObjects[0].mItems[0].mEndVisible, 0) << "the first line of an object wins";
  EXPECT_EQ(back->mPathObjects[0].mItems[1].mEndSmooth, 7);
  EXPECT_EQ(back->mPathObjects[0].mItems[1].mStartVisible, -1);
  const auto errors = log.Texts(zuzorev::ELogLevel::Error);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"LoadPathObjects: Load path Bad"));
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"LoadPathObjects: No find group path Nowhere for pathobject Ghost"));
  EXPECT_EQ(back->StartPathObject(L"Empty", L"", 0), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"StartPathObject: No find path object Empty"));
  EXPECT_EQ(back->StopPathObject(L"Move", 1), 0) << "not moving";
}

TEST_F(ScenePaths, MissingFileOrRootGivesNoPathsAndNoMessage) {
  log.Clear();
  EXPECT_EQ(back->LoadPathObjects(L"Level\\Nothing_path.xml"), 1);
  EXPECT_TRUE(back->mPathObjects.empty());
  EXPECT_EQ(back->LoadPathObjects(L"Level\\Zones.xml"), 1) << "a Level root with no PathObject";
  EXPECT_TRUE(back->mPathObjects.empty());
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

TEST_F(ScenePaths, RestartRunsTheOldEndActionAndSettingsApplyAtTheEnds) {
  const float start = X(0);
  // An unsaved position leaves the caller's values alone.
  constexpr float kUnsaved = -12345.0f;
  float x = kUnsaved, y = 0, z = 0;
  back->GetEntry(0).mActive = 0;
  ASSERT_EQ(back->StartPathObject(L"Move", L"first_end", 0), 1);
  EXPECT_EQ(back->GetEntry(0).mActive, 1) << "StartVisible";
  back->UpdatePathObjects(0.5f);
  EXPECT_TRUE(back->hooks.empty());
  ASSERT_EQ(back->StartPathObject(L"Move", L"second_end", 0), 1);
  EXPECT_EQ(back->hooks, (std::vector<std::wstring>{L"first_end"}));
  EXPECT_EQ(back->mRunningPaths.size(), 1u);
  back->GetSavedObjectPosition(0, x, y, z);
  EXPECT_EQ(x, kUnsaved) << "never at the start";
  for (int i = 0; i < 12; ++i) back->UpdatePathObjects(0.1f);
  EXPECT_EQ(back->hooks, (std::vector<std::wstring>{L"first_end", L"second_end"}));
  EXPECT_TRUE(back->mRunningPaths.empty());
  EXPECT_EQ(back->GetEntry(0).mActive, 0) << "EndVisible";
  ASSERT_TRUE(back->GetSavedObjectPosition(0, x, y, z));
  EXPECT_FLOAT_EQ(x, X(0));
  EXPECT_NE(X(0), start);
}

TEST_F(ScenePaths, QueuedStartsRunOneAfterTheOther) {
  back->StartPathObject(L"Move", L"end1", 1);
  back->StartPathObject(L"Move", L"end2", 1);
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{7, 7}));
  EXPECT_EQ(back->mRunningPaths.size(), 1u) << "the second waits for its mode";
  EXPECT_EQ(back->StopPathObject(L"Move", 1), 0) << "a queued move cannot be stopped by name";
  for (int i = 0; i < 11; ++i) back->UpdatePathObjects(0.1f);
  EXPECT_EQ(back->hooks, (std::vector<std::wstring>{L"end1"}));
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{7}));
  for (int i = 0; i < 11; ++i) back->UpdatePathObjects(0.1f);
  EXPECT_EQ(back->hooks, (std::vector<std::wstring>{L"end1", L"end2"}));
  EXPECT_TRUE(back->mModes.empty());
  EXPECT_EQ(back->mBusy, 0);
  EXPECT_EQ(back->mNoPick, 0);
}

TEST_F(ScenePaths, EndlessGroupsAreNotSentToTheirEnd) {
  back->StartPathObject(L"Loop", L"loop_end", 0);
  back->PathObjectToEnd(1);
  EXPECT_EQ(back->mRunningPaths.size(), 1u);
  EXPECT_TRUE(back->hooks.empty());
  back->StartPathObject(L"Move", L"move_end", 0);
  back->PathObjectToEnd(0);
  EXPECT_EQ(back->mRunningPaths.size(), 2u) << "0 ends only a queued move under mode 7";
  back->PathObjectToEnd(1);
  EXPECT_EQ(back->hooks, (std::vector<std::wstring>{L"move_end"}));
  EXPECT_EQ(back->StopPathObject(L"Loop", 0), 1);
  EXPECT_EQ(back->hooks.size(), 1u) << "stopped without its end action";

  // A drain still starts a queued move and then brings it to its end.
  back->StartPathObject(L"Move", L"queued_end", 1);
  back->FinishPending();
  EXPECT_EQ(back->hooks.back(), L"queued_end");
  EXPECT_TRUE(back->mModes.empty());
  EXPECT_EQ(back->mBusy, 0);
}

}  // namespace
