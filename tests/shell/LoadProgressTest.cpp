#include <gtest/gtest.h>

#include "AppConfig.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "LoadProgress.h"
#include "LoadScreenHost.h"
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

// A host that records what the loading screen asks of it.
class RecordingHost : public LoadScreenHost {
 public:
  bool PumpEvents() override {
    ++mPumps;
    return mQuit;
  }
  DisplayCorrection CorrectTurnedDisplay(const wchar_t*) override {
    ++mCorrections;
    return mCorrection;
  }
  void DrawFrameOverlay() override { ++mOverlays; }
  bool mQuit = false;
  DisplayCorrection mCorrection = DisplayCorrection::NotTurned;
  int mPumps = 0, mCorrections = 0, mOverlays = 0;
};

// The loading screen reaches the program only through its host: events are
// handled on ticks between files (not inside the game's frame), a lost
// display is handed over for correction unless the player asked to quit,
// and a frame of its own gets the host's overlay.
TEST_F(LoadProgressTest, TheHostHandlesEventsBetweenFilesAndALostDisplayUnlessQuitting) {
  const struct {
    const char* name;
    int insideFrame;
    bool lost, quit;
    int pumps, corrections;
  } cases[] = {
      {"between files", 0, false, false, 1, 0},
      {"inside the game's frame", 1, true, false, 0, 0},
      {"lost display", 0, true, false, 1, 1},
      {"lost display, quit asked", 0, true, true, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    host.mQuit = c.quit;
    LoadProgress screen;
    ASSERT_EQ(screen.Load(mCore.get(), &host), 1);
    screen.Tick(0);  // no logo: the first tick ends it
    host.mPumps = host.mOverlays = 0;
    mCore->GetRender()->SetTestCooperativeLevel(c.lost ? zuzorev::kDeviceNotReset : 0);
    CTimer::AdvanceManualClock(1.0f);
    screen.Tick(c.insideFrame);
    mCore->GetRender()->SetTestCooperativeLevel(0);
    EXPECT_EQ(host.mPumps, c.pumps);
    EXPECT_EQ(host.mCorrections, c.corrections);
    EXPECT_EQ(host.mOverlays, !c.lost && c.insideFrame == 0 ? 1 : 0);
  }
}

}  // namespace
