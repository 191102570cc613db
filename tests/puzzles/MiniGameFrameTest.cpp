// The mini-game frame: the button form by buttons type, the window's
// failure lines, the closing fade at any frame rate, the hint key.
#include <gtest/gtest.h>

#include <filesystem>

#include "Engine/rovovoz/StaticObject3D.h"
#include "MiniGame/BaseMiniGame.h"
#include "puzzles/PuzzleHarness.h"

using namespace puzzletest;
using zuzorev::ELogLevel;

namespace {

class MiniGameFrame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CPuzzleHarness::SetUpSuite(); }
  static void TearDownTestSuite() { CPuzzleHarness::TearDownSuite(); }
  static void CopyWindowModel() {
    for (const char* file : {"minigame_window.ZORM", "minigame_window.mtl"})
      std::filesystem::copy_file(testsupport::GameDir() / "Data" / "Models" / file,
                                 CPuzzleHarness::DataDir() / "Models" / file,
                                 std::filesystem::copy_options::overwrite_existing);
  }
};

}  // namespace

TEST_F(MiniGameFrame, LoadWindowLogsWhatIsMissing) {
  testsupport::LogCapture log;
  CBaseMiniGame frame(CPuzzleHarness::Core());
  EXPECT_EQ(frame.LoadWindow(L"Data\\MiniGame\\MGButtons_v_01.xml"), static_cast<int32_t>(0x80004005u));
  EXPECT_TRUE(log.Contains(ELogLevel::Error, L"minigame fail load model Alpha_ekran"));
  EXPECT_EQ(frame.GetWindowModel(), nullptr);
  EXPECT_EQ(frame.GetForm(), nullptr) << "no form without the window";

  CopyWindowModel();
  log.Clear();
  EXPECT_EQ(frame.LoadWindow(nullptr), 0);
  EXPECT_TRUE(log.Contains(ELogLevel::Error, L"MiniGame XML is NULL!"));
  ASSERT_NE(frame.GetWindowModel(), nullptr);
  EXPECT_EQ(frame.GetWindowModel()->GetPosition3D().y, 690.0f + 250.0f) << "raised over the scene";
  log.Clear();
  EXPECT_EQ(frame.LoadWindow(L"Data\\MiniGame\\NoSuchForm.xml"), 0);
  EXPECT_TRUE(log.Contains(ELogLevel::Warning, L"Load custom MiniGameMenu"));
  EXPECT_EQ(frame.GetForm(), nullptr);
  EXPECT_EQ(frame.GetSkipButton(), nullptr);
}

TEST_F(MiniGameFrame, InitLoadsTheFormOfItsButtonsType) {
  CopyWindowModel();
  std::filesystem::create_directories(CPuzzleHarness::DataDir() / "MiniGame");
  // Only the third form exists, so only type 2 finds its form.
  std::filesystem::copy_file(testsupport::GameDir() / "Data" / "MiniGame" / "MGButtons_v_01.xml",
                             CPuzzleHarness::DataDir() / "MiniGame" / "MGButtons_v_03.xml",
                             std::filesystem::copy_options::overwrite_existing);
  for (uint32_t type = 0; type <= 5; ++type) {
    SCOPED_TRACE(type);
    testsupport::LogCapture log;
    CBaseMiniGame frame(CPuzzleHarness::Core());
    frame.SetButtonsType(type);
    EXPECT_EQ(frame.Init(8), 0);
    EXPECT_EQ(frame.GetForm() != nullptr, type == 2);
    EXPECT_EQ(frame.GetSkipButton() != nullptr, type == 2);
    EXPECT_EQ(frame.GetWindowModel() != nullptr, type != 5);
    EXPECT_EQ(log.Contains(ELogLevel::Error, L"Undefined buttons type. Invalid variable \"ButtonsType\" value in "
                                             L"CBaseMiniGame::Init(DWORD InitOptions)!"),
              type == 5);
  }
}

TEST_F(MiniGameFrame, FinishCompletesAfterAboutASecondOfUpdatesAtAnyRate) {
  for (float fps : {30.0f, 144.0f}) {
    SCOPED_TRACE(fps);
    CBaseMiniGame frame(nullptr);
    EXPECT_EQ(frame.GetState(), CBaseMiniGame::kStateDelay) << "a new frame waits, unfinished";
    EXPECT_FALSE(frame.IsFinished());
    frame.UpdateWindow(1.0f / fps, nullptr);
    EXPECT_EQ(frame.GetState(), CBaseMiniGame::kStateRunning) << "no delay: running at once";
    EXPECT_FALSE(frame.IsComplete());
    frame.SetTimer(0.0f);
    EXPECT_EQ(frame.Finish(), 1);
    EXPECT_FALSE(frame.IsComplete()) << "never without updates";
    int frames = 0;
    while (!frame.IsComplete() && frames < 1000) {
      frame.UpdateWindow(1.0f / fps, nullptr);
      ++frames;
    }
    EXPECT_NEAR(static_cast<float>(frames) / fps, 1.0f, 1.5f / fps);
    EXPECT_GE(frame.GetTimer(), 1.0f);
  }
}

TEST_F(MiniGameFrame, TheHintKeyTakesANameOfAnyLength) {
  CBaseMiniGame frame(nullptr);
  const std::wstring name(60, L'm');
  frame.SetName(name);
  EXPECT_EQ(frame.HintKey(), name + L"_Hint_01");
}
