// A visit: attach and start with the start actions, the mini-game frame
// and the item window driven by the mode queue, the pause and the hint
// pop-up, and the sample game's scenes loading cleanly.
#include <gtest/gtest.h>

#include "Interface/HintMenu.h"
#include "scene/SceneRunSupport.h"
#include "scene/SceneTestSupport.h"

namespace {

using namespace scenetest;

std::unique_ptr<CRunBack> LoadRun(const std::wstring& file, const std::wstring& name = L"Hall") {
  auto back = std::make_unique<CRunBack>();
  EXPECT_EQ(back->InitBack(file), 1);
  back->SetName(name);
  EXPECT_EQ(back->Load(3), 1);
  return back;
}

class SceneStart : public ::testing::Test {
 protected:
  SceneStart() : back(LoadRun(L"Level\\Zones.xml")) {}
  SEpisodInfo& Progress() { return gCurrentPlayer.mEpisodInfo; }

  SceneCore core;
  testsupport::LogCapture log;
  FreshPlayer player;
  std::unique_ptr<CRunBack> back;
};

TEST_F(SceneStart, StartActionsRunInOrderAndCountDown) {
  struct Case {
    uint32_t flags;
    bool hasCounts;
    int count2;
    int32_t begResult;
    std::vector<std::wstring> hooks;
    int countAfter;
  } cases[] = {
      {0, false, 0, 1, {}, 0},
      {1, false, 0, 1, {L"a_back_start", L"a_back_beg"}, 0},
      {1, true, 2, 1, {L"a_back_start", L"a_back_beg"}, 1},
      {1, true, 2, 0, {L"a_back_start", L"a_back_beg"}, 2},
      {1, true, 0, 1, {L"a_back_start"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.flags << " " << c.count2 << " " << c.begResult);
    FreshPlayer fresh;
    if (c.hasCounts) Progress().mBackTasks[L"Hall"].mCount2 = c.count2;
    back->hooks.clear();
    back->Add(Action(L"a_back_beg", {}, {}, 1, c.begResult));
    EXPECT_EQ(back->StartBack(c.flags), 1);
    std::vector<std::wstring> expected = c.hooks;
    EXPECT_EQ(back->hooks, expected);
    if (c.hasCounts) {
      EXPECT_EQ(Progress().mBackTasks[L"Hall"].mCount2, c.countAfter);
    }
  }
}

TEST_F(SceneStart, StartResetsTheVisitAndLayersOnFlagFour) {
  back->PushMode(8, 0);
  back->mDelayedActions.push_back(Record(L"old"));
  back->GetEntry(1).mFadeState = 1;
  back->StartBack(4);
  EXPECT_TRUE(back->mModes.empty());
  EXPECT_EQ(back->mBusy, 0);
  EXPECT_TRUE(back->mDelayedActions.empty());
  EXPECT_EQ(back->GetEntry(0).mFadeState, 2) << "layer 0 goes after the panel";
  EXPECT_EQ(back->GetEntry(1).mFadeState, 1);
  EXPECT_TRUE(back->hooks.empty()) << "no start actions without flag 1";

  CRecordingEpisod episod;
  CRunBack owner;
  EXPECT_EQ(back->AttachToEpisod(&episod, &owner), 1);
  EXPECT_EQ(back->mEpisod, &episod);
  EXPECT_EQ(back->GetOwner(), &owner);
  EXPECT_EQ(back->LoadBack(nullptr, nullptr), 1);
  EXPECT_EQ(back->GetOwner(), nullptr);
}

TEST_F(SceneStart, MiniGameWonOrLostRunsItsAction) {
  for (bool won : {true, false}) {
    SCOPED_TRACE(won);
    back->StartBack(0);
    back->hooks.clear();
    CTestMiniGame game(won);
    back->mMiniGame = &game;
    back->PushMode(1, 0);
    EXPECT_EQ(game.starts, 1);
    EXPECT_FALSE(back->IsInputEnabled());
    back->CloseMiniGameKeys(0.1f, nullptr);
    EXPECT_TRUE(back->hooks.empty()) << "still playing";
    game.Solve();
    back->CloseMiniGameKeys(0.1f, nullptr);
    EXPECT_EQ(back->hooks, (std::vector<std::wstring>{won ? L"end_mini_Lock" : L"close_mini_Lock"}));
    EXPECT_EQ(game.unloads, (std::vector<uint32_t>{3}));
    EXPECT_EQ(back->mMiniGame, nullptr);
    EXPECT_TRUE(back->mModes.empty());
    EXPECT_EQ(back->mBusy, 0);
    EXPECT_EQ(back->mNoPick, 0);
  }
  // A drain takes the frame away without its close action.
  CTestMiniGame game(false);
  back->hooks.clear();
  back->mMiniGame = &game;
  back->PushMode(1, 0);
  back->FinishPending();
  EXPECT_TRUE(back->hooks.empty());
  EXPECT_TRUE(back->mModes.empty());
}

TEST_F(SceneStart, ItemWindowHandsTheItemToTheChapterOnly) {
  CTestPanel panel;
  PanelScope scope(&panel);
  back->StartBack(0);
  back->QueueModeName(L"Key");
  panel.menuResult = -1;
  back->UpdateItemMenu(0.1f, nullptr);  // no chapter: nobody to take it, nothing breaks
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{6}));

  CRecordingEpisod episod;
  back->mEpisod = &episod;
  back->UpdateItemMenu(0.1f, nullptr);
  EXPECT_EQ(episod.items, (std::vector<std::wstring>{L"Key/p_menu"}));
  EXPECT_EQ(back->mModes, (std::vector<int32_t>{6})) << "the window is still closing";
  panel.menuResult = -2;
  back->UpdateItemMenu(0.1f, nullptr);
  EXPECT_TRUE(back->mModes.empty());
  EXPECT_EQ(episod.actions, (std::vector<std::wstring>{L"a_close_pmenu_Key"}));
  EXPECT_EQ(back->mBusy, 0);
}

TEST_F(SceneStart, PausesRunTheirActionsOneAfterTheOther) {
  back->StartBack(0);
  back->QueueTimedMessage(L"", 0.5f);
  back->QueueTimedMessage(L"second", 0.3f);
  back->UpdateTimedMessages(0.4f);
  EXPECT_EQ(back->mModes.size(), 2u);
  back->UpdateTimedMessages(0.2f);
  EXPECT_EQ(back->mModes.size(), 1u) << "the empty pause only pops its mode";
  EXPECT_TRUE(back->hooks.empty());
  back->UpdateTimedMessages(0.2f);
  EXPECT_TRUE(back->hooks.empty()) << "the second waits its own time";
  back->UpdateTimedMessages(0.2f);
  EXPECT_EQ(back->hooks, (std::vector<std::wstring>{L"second"}));
  EXPECT_TRUE(back->mModes.empty());
  EXPECT_EQ(back->mBusy, 0);
}

// A pop-up whose box closes at once, with or without its check box ticked.
class CClosedHint : public CHintMenu {
 public:
  explicit CClosedHint(bool checked) : CHintMenu(nullptr), mChecked(checked) {}
  int8_t Update(float, rovovoz::CMouseCursor*) override { return -128; }
  bool GetCheck() override { return mChecked; }
  void CloseHint(int all, float) override { closes.push_back(all); }
  std::vector<int> closes;

 private:
  bool mChecked;
};

TEST_F(SceneStart, HintClosedWithTheCheckBoxStopsTutorialHints) {
  for (bool checked : {false, true}) {
    SCOPED_TRACE(checked);
    FreshPlayer fresh;
    back->StartBack(0);
    CClosedHint hint(checked);
    back->SetHintMenu(&hint);
    EXPECT_EQ(back->ShowHint(L"HintKrestik"), 1);
    EXPECT_TRUE(back->IsHintMode());
    EXPECT_EQ(back->mBusy, 0) << "the scene stays clickable";
    back->UpdateHintMenu(0.1f, nullptr);
    EXPECT_FALSE(back->IsHintMode());
    EXPECT_TRUE(back->mHintKey.empty());
    EXPECT_EQ(gCurrentPlayer.mTutorialHints, checked ? 0u : 1u);
    EXPECT_FALSE(hint.closes.empty());
    back->SetHintMenu(nullptr);
  }
}

TEST_F(SceneStart, DebugCommandsAndTipsWithoutCollaborators) {
  EXPECT_EQ(back->OnDebugCommand(L"FIND"), 1);
  const int hide = gHideMode;
  EXPECT_EQ(back->OnDebugCommand(L"hide"), 1);
  EXPECT_NE(gHideMode, hide);
  gHideMode = hide;
  EXPECT_EQ(back->OnDebugCommand(L"win"), 0) << "the playable scene's";
  // No dialog manager: tips are no-ops.
  back->ShowGameTip(L"k_missing");
  back->ShowTipText(L"text");
  back->ShowItemTip(L"Key");
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

// The sample game's scenes and close-ups load, start and run their zones
// on the headless device without an error line.
TEST(SampleScenes, LoadAndStartWithoutErrors) {
  SceneCore core(zuzorev::EDeviceKind::Headless, SceneCore::EData::SampleGame);
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  FreshPlayer player;
  for (const wchar_t* file : {L"Data\\Level\\Back_1.xml", L"Data\\Level\\Back_2.xml", L"Data\\Regions\\Back_1_reg_4.xml"}) {
    SCOPED_TRACE(Platform::WideToUtf8(file));
    CRunBack back;
    ASSERT_EQ(back.InitBack(file), 1);
    back.SetName(file);
    ASSERT_EQ(back.Load(3), 1);
    EXPECT_EQ(back.StartBack(1), 1);
    for (int i = 0; i < 5; ++i) back.UpdatePathObjects(0.1f);
  }
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty()) << Platform::WideToUtf8(
      log.Texts(zuzorev::ELogLevel::Error).empty() ? L"" : log.Texts(zuzorev::ELogLevel::Error)[0]);
}

}  // namespace
