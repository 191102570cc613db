// Hint and skip recharge: the times by difficulty, the ready sound on the
// one frame the charge passes its time, mode switches and hint presses.
#include "AppConfig.h"
#include "panel/PanelTestSupport.h"

namespace {

using paneltest::PanelFixture;

class PanelRecharge : public PanelFixture {
 protected:
  rovovoz::CGUIBaseObject* Hint() { return panel->GetChild(L"BHint"); }
  rovovoz::CGUIBaseObject* Skip() { return panel->GetChild(L"BSkip"); }
};

TEST_F(PanelRecharge, TimesFollowTheDifficulty) {
  const struct {
    uint32_t difficulty;
    float hint, hog, skip;
  } cases[] = {{0, 60, 60, 60}, {1, 60, 30, 120}, {2, 120, 60, 120}, {7, 60, 60, 60}};
  for (const auto& c : cases) {
    gCurrentPlayer.mDifficulty = c.difficulty;
    panel->ApplyDifficulty();
    EXPECT_FLOAT_EQ(panel->GetHintTime(0), c.hint) << c.difficulty;
    EXPECT_FLOAT_EQ(panel->GetHintTime(1), c.hog) << c.difficulty;
    EXPECT_FLOAT_EQ(panel->GetHintTime(2), c.skip) << c.difficulty;
  }
}

TEST_F(PanelRecharge, CasualHiddenObjectHintIsReadyAfterThirtySecondsWithTheSoundOnce) {
  gCurrentPlayer.mDifficulty = 1;
  panel->RestoreFromPlayer();
  panel->SetPanelMode(L"hog");
  gCurrentPlayer.mHogHintTimer = 0.0f;
  core.Quiet();
  for (int i = 0; i < 29; ++i) panel->UpdateHintRecharge(1.0f);
  EXPECT_EQ(Hint()->GetVisible(), 0);
  EXPECT_FALSE(core.Played(L"Podskazka_gotova"));
  panel->UpdateHintRecharge(1.0f);
  EXPECT_EQ(Hint()->GetVisible(), 0) << "at the time itself the button still charges";
  panel->UpdateHintRecharge(0.25f);
  EXPECT_EQ(Hint()->GetVisible(), 1);
  EXPECT_TRUE(core.Played(L"Podskazka_gotova"));
  EXPECT_FLOAT_EQ(gCurrentPlayer.mHogHintTimer, 31.0f);
  core.Quiet();
  panel->UpdateHintRecharge(0.0f);
  panel->UpdateHintRecharge(0.25f);
  EXPECT_FALSE(core.Played(L"Podskazka_gotova"));
  EXPECT_FLOAT_EQ(gCurrentPlayer.mHogHintTimer, 31.0f);
  EXPECT_FLOAT_EQ(gCurrentPlayer.mHintTimer, 0.0f) << "the adventure charge waits in a hidden-object scene";
}

TEST_F(PanelRecharge, AFrameThatJumpsFarPastTheTimeShowsTheButtonWithoutTheSound) {
  gCurrentPlayer.mHintTimer = 59.9f;
  core.Quiet();
  panel->UpdateHintRecharge(0.6f);
  EXPECT_EQ(Hint()->GetVisible(), 1);
  EXPECT_FALSE(core.Played(L"Podskazka_gotova"));
}

TEST_F(PanelRecharge, SwitchingModesShowsAChargedButtonAtOnceWithoutTheSound) {
  gCurrentPlayer.mSkipTimer = 500.0f;
  core.Quiet();
  panel->SetPanelMode(L"minigame");
  EXPECT_EQ(Skip()->GetVisible(), 1);
  EXPECT_FALSE(core.Played(L"Podskazka_gotova"));
  EXPECT_FLOAT_EQ(gCurrentPlayer.mSkipTimer, 61.0f);
}

TEST_F(PanelRecharge, TheCheatSwitchMakesEveryTimeThreeSeconds) {
  struct Restore {
    int v;
    ~Restore() { gAppConfig.mCheatOn = v; }
  } restore{gAppConfig.mCheatOn};
  gAppConfig.mCheatOn = 1;
  for (uint32_t difficulty : {0u, 1u, 2u}) {
    gCurrentPlayer.mDifficulty = difficulty;
    panel->ApplyDifficulty();
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(panel->GetHintTime(i), 3.0f) << difficulty;
  }
}

TEST_F(PanelRecharge, HintPressResultsSetTheCharges) {
  const struct {
    const wchar_t* mode;
    int result;
    float hint, hog;
  } cases[] = {
      {L"push", 1, 0.0f, 61.0f},  {L"hog", 1, 61.0f, 0.0f},  {L"push", -1, 58.0f, 61.0f},
      {L"hog", -1, 58.0f, 61.0f}, {L"push", 0, 61.0f, 61.0f},
  };
  for (const auto& c : cases) {
    gCurrentPlayer.mHintTimer = gCurrentPlayer.mHogHintTimer = 500.0f;
    panel->SetPanelMode(c.mode);
    panel->UpdateHintRecharge(0.0f);
    gCurrentPlayer.mHintTimer = gCurrentPlayer.mHogHintTimer = 61.0f;
    episod.hintResult = c.result;
    // BHint stands at x 902..1002, y 690..754 of the screen: (440, -338) in the interface space.
    ClickAt(440.0f, -338.0f);
    EXPECT_FLOAT_EQ(gCurrentPlayer.mHintTimer, c.hint) << c.mode << " " << c.result;
    EXPECT_FLOAT_EQ(gCurrentPlayer.mHogHintTimer, c.hog) << c.mode << " " << c.result;
  }
}

TEST_F(PanelRecharge, ASceneFrontModeBlocksTheHintButton) {
  gCurrentPlayer.mHintTimer = 500.0f;
  panel->UpdateHintRecharge(0.0f);
  episod.hintResult = 1;
  episod.frontMode = 1;
  ClickAt(440.0f, -338.0f);
  EXPECT_FLOAT_EQ(gCurrentPlayer.mHintTimer, 61.0f);
}

TEST_F(PanelRecharge, TheSkipButtonEmptiesItsChargeAndSkipsTheMiniGame) {
  gCurrentPlayer.mSkipTimer = 500.0f;
  panel->SetPanelMode(L"minigame");
  ClickAt(440.0f, -338.0f);
  EXPECT_FLOAT_EQ(gCurrentPlayer.mSkipTimer, 0.0f);
  EXPECT_EQ(episod.sceneActions, std::vector<std::wstring>{L"a_skip"});
}

TEST_F(PanelRecharge, MakeHintReadyShowsTheButtonWithTheSound) {
  gCurrentPlayer.mHintTimer = 0.0f;
  panel->UpdateHintRecharge(0.0f);
  core.Quiet();
  panel->MakeHintReady();
  EXPECT_EQ(Hint()->GetVisible(), 1);
  EXPECT_TRUE(core.Played(L"Podskazka_gotova"));
}

}  // namespace
