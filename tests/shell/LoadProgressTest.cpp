#include <gtest/gtest.h>

#include "AppConfig.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "LoadProgress.h"
#include "Logo.h"
#include "Platform/AtomicFile.h"
#include "ProgressTracker.h"
#include "ShellTestSupport.h"

namespace {

using namespace shelltest;
using zuzorev::CTimer;

// The loading screen over a headless engine on the sample game, its clock
// driven by the test.
class LoadProgressTest : public SampleCoreTest {
 protected:
  void SetUp() override {
    CTimer::UseManualClock(true);
    SampleCoreTest::SetUp();
  }
  void TearDown() override {
    SampleCoreTest::TearDown();
    CTimer::UseManualClock(false);
  }
  int Frames() const { return mCore->GetRender()->GetFrameNumber(); }
  float BarScale(const LoadProgress& screen) const {
    return screen.GetObject(LoadProgress::kBarObject)->GetScale().x;
  }
};

TEST_F(LoadProgressTest, WithoutALogoThePictureFollowsAtOnceAndTheBarFills) {
  // The previous run ticked at 1, 2, 3 and 4 seconds.
  ASSERT_TRUE(Platform::WriteFileAtomically(ProgressTracker::UserFile(),
                                            ProgressTracker::EncodeTimings({1.0f, 2.0f, 3.0f, 4.0f})));
  LoadProgress screen;
  ASSERT_EQ(screen.Load(mCore.get()), 1);
  ASSERT_EQ(screen.GetLogo(), nullptr);  // as when the logo failed to load

  CTimer::AdvanceManualClock(1.0);
  EXPECT_EQ(screen.Tick(0), 0) << "the tick at which the (missing) logo ends draws nothing";
  EXPECT_EQ(screen.IsLogoFinished(), 1);
  EXPECT_FLOAT_EQ(screen.GetProgressAtLogoEnd(), 25.0f);
  const int frames = Frames();

  // Each later tick draws the picture; the bar's mask shrinks from the
  // progress at the logo's end to nothing at 100 percent.
  const struct {
    int result;
    float scale;
    int state;
  } ticks[] = {{1, 2.0f / 3.0f, 0}, {1, 1.0f / 3.0f, 0}, {0, 0.0f, 1}};
  for (const auto& t : ticks) {
    CTimer::AdvanceManualClock(1.0);
    EXPECT_EQ(screen.Tick(0), t.result);
    EXPECT_NEAR(BarScale(screen), t.scale, 1e-5);
    EXPECT_EQ(screen.GetState(), t.state);
  }
  EXPECT_EQ(Frames() - frames, 3);
}

TEST_F(LoadProgressTest, TheLogoComesFirstAndAFinishedLoadEndsInState2) {
  LoadProgress screen;
  ASSERT_EQ(screen.Load(mCore.get()), 1);
  Logo* logo = new Logo(0.5f, 2.0f, 0.5f, 0);
  ASSERT_EQ(logo->Load(L"DataLoc\\Logo", mCore->GetRender(), nullptr), 1);
  screen.SetLogo(logo);
  screen.SaveProgress();  // everything loaded while the logo shows

  int ticks = 0;
  while (screen.Tick(1) == 1 && ticks < 1000) {
    ++ticks;
    CTimer::AdvanceManualClock(0.1);
  }
  EXPECT_TRUE(logo->IsFinished());
  EXPECT_EQ(screen.GetState(), 2) << "loading ended before the logo did";
  EXPECT_FLOAT_EQ(BarScale(screen), 1.0f) << "no bar drawn yet";
  screen.Tick(1);
  EXPECT_FLOAT_EQ(BarScale(screen), 0.0f) << "the bar is drawn at scale 0";
}

TEST_F(LoadProgressTest, AMissingModelFailsTheLoad) {
  testsupport::TempDir empty;
  mCore->GetFileSystem()->Release();
  mCore->GetFileSystem()->SetInstallFolder(empty.Path());
  testsupport::LogCapture log;
  LoadProgress screen;
  EXPECT_EQ(screen.Load(mCore.get()), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Load objects load progress. Object = S_nebo"));
}

}  // namespace
