// Time lines of the panel's effects: hint beams, the morph glow, the ghost
// window and the diary effect.
#include "Engine/rovovoz/StaticObject3D.h"
#include "panel/PanelTestSupport.h"

namespace {

using paneltest::PanelFixture;

TEST(BeamLook, AlphaAndSizeAlongTheClock) {
  const struct {
    float t;
    bool clamp;
    float alpha, size;
  } cases[] = {
      {0.0f, true, 0.0f, 8.0f},   {0.35f, true, 0.3f, 6.25f}, {0.7f, true, 0.6f, 1.0f},
      {2.0f, true, 0.6f, 1.0f},   {3.25f, true, 0.3f, 1.0f},  {3.5f, true, 0.0f, 1.0f},
      {3.6f, true, 0.0f, 1.0f},   {3.6f, false, -0.12f, 1.0f},
  };
  for (const auto& c : cases) {
    const SBeamLook look = BeamLookAt(c.t, c.clamp);
    EXPECT_NEAR(look.alpha, c.alpha, 1e-5f) << c.t;
    EXPECT_NEAR(look.size, c.size, 1e-5f) << c.t;
  }
}

TEST(MorphAndGhost, StrengthAndWindowOffsetAlongTheClock) {
  const struct {
    float t, strength, offset;
  } cases[] = {{0.0f, 0.0f, -330.0f}, {0.15f, 0.5f, -330.0f}, {1.5f, 1.0f, -330.0f}, {1.75f, 1.0f, -165.0f},
               {2.0f, 1.0f, 0.0f},    {2.75f, 0.5f, 0.0f},    {5.25f, -4.5f, -165.0f}};
  for (const auto& c : cases) {
    EXPECT_NEAR(MorphStrengthAt(c.t), c.strength, 1e-5f) << c.t;
    EXPECT_NEAR(GhostWindowOffsetAt(c.t), c.offset, 1e-3f) << c.t;
  }
}

class PanelEffects : public PanelFixture {};

TEST_F(PanelEffects, SceneBeamsEndAfterTheirTimeAndTheSecondFollowsTheFirst) {
  core.Quiet();
  panel->ShowHintAt(10.0f, 0.0f, 20.0f, nullptr, 0);
  EXPECT_TRUE(core.Played(L"Poyavlenie_podskazki"));
  panel->ShowHintAt(-10.0f, 0.0f, 20.0f, nullptr, 1);
  panel->UpdatePanelAnimation(0.5f, nullptr);
  EXPECT_FLOAT_EQ(panel->GetSceneBeam(0).Time, 0.5f);
  EXPECT_FLOAT_EQ(panel->GetSceneBeam(1).Time, 0.0f);
  panel->UpdatePanelAnimation(0.5f, nullptr);
  EXPECT_FLOAT_EQ(panel->GetSceneBeam(1).Time, 0.5f) << "slot 0 passed 0.75 in this frame";
  for (int i = 0; i < 5; ++i) panel->UpdatePanelAnimation(0.5f, nullptr);
  EXPECT_EQ(panel->GetSceneBeam(0).Active, 1) << "3.5 s is not past 3.5";
  EXPECT_EQ(panel->RenderHintBeam(zormath::Mat4f::Identity()), 1);
  panel->UpdatePanelAnimation(0.25f, nullptr);
  EXPECT_EQ(panel->GetSceneBeam(0).Active, 0);
  EXPECT_EQ(panel->RenderHintBeam(zormath::Mat4f::Identity()), 1) << "the second still runs";
  for (int i = 0; i < 4; ++i) panel->UpdatePanelAnimation(0.25f, nullptr);
  EXPECT_EQ(panel->GetSceneBeam(1).Active, 0);
  EXPECT_EQ(panel->RenderHintBeam(zormath::Mat4f::Identity()), 0);
}

TEST_F(PanelEffects, AnItemBeamShowsFirstAndTheSceneBeamHalfASecondLater) {
  panel->AddSimpleObject(L"Key", L"start");
  panel->ShowHintOnItem(L"Key");
  panel->ShowHintAt(0.0f, 0.0f, 0.0f, nullptr, 0);
  ASSERT_EQ(panel->GetItemBeam().Active, 1);
  EXPECT_FLOAT_EQ(panel->GetItemBeam().Position.x, -236.0f);
  for (int i = 0; i < 5; ++i) panel->UpdatePanelAnimation(0.1f, nullptr);
  EXPECT_FLOAT_EQ(panel->GetSceneBeam(0).Time, 0.0f);
  panel->UpdatePanelAnimation(0.1f, nullptr);
  panel->UpdatePanelAnimation(0.1f, nullptr);
  EXPECT_GT(panel->GetSceneBeam(0).Time, 0.0f);
}

TEST_F(PanelEffects, AHintOnAHeldItemPlaysAndScrollsButShowsNoBeam) {
  for (int i = 1; i <= 12; ++i) panel->AddSimpleObject(L"Item_" + std::to_wstring(i), L"start");
  panel->TakeToCursor(L"Item_2", nullptr);
  core.Quiet();
  panel->ShowHintOnItem(L"Item_2");
  EXPECT_TRUE(core.Played(L"Poyavlenie_podskazki"));
  EXPECT_EQ(panel->GetFirstVisibleItem(), 1);
  EXPECT_EQ(panel->GetItemBeam().Active, 0);
}

TEST_F(PanelEffects, TheMorphGlowRunsThreeSecondsAndRestartsWhereItIsStartedAgain) {
  rovovoz::CStaticObject3D key(core.Get());
  panel->StartMorphEffect(1.0f, 2.0f, 3.0f, &key);
  panel->UpdatePanelAnimation(2.0f, nullptr);
  panel->StartMorphEffect(4.0f, 5.0f, 6.0f, nullptr);
  EXPECT_FLOAT_EQ(panel->GetMorphTime(), 0.0f);
  panel->UpdatePanelAnimation(2.9f, nullptr);
  EXPECT_EQ(panel->RenderMorphEffect(), 1);
  panel->UpdatePanelAnimation(0.2f, nullptr);
  EXPECT_EQ(panel->RenderMorphEffect(), 0);
}

TEST_F(PanelEffects, ASecondGhostRaisesTheCountWithoutRestartingTheWindow) {
  gCurrentPlayer.mGhostCount = 4;
  core.Quiet();
  panel->AddGhostObject();
  EXPECT_TRUE(core.Played(L"Vzyatie_prizrachnogo_obekta"));
  panel->UpdatePanelAnimation(1.0f, nullptr);
  core.Quiet();
  panel->AddGhostObject();
  EXPECT_TRUE(core.Played(L"Vzyatie_prizrachnogo_obekta"));
  EXPECT_EQ(gCurrentPlayer.mGhostCount, 6u);
  EXPECT_EQ(panel->GetChild(L"LGhost")->GetText(), L"6/35");
  EXPECT_FLOAT_EQ(panel->GetGhostTime(), 1.0f);
  panel->UpdatePanelAnimation(4.75f, nullptr);
  EXPECT_EQ(panel->IsGhostShown(), 0);
}

TEST_F(PanelEffects, TheCloseAreaWorksOnlyWhileTheWindowStands) {
  // Close_window_T: 22 x 22 around (-325, 273).
  const struct {
    float at;
    float after;
  } cases[] = {{1.0f, 1.02f}, {3.0f, 5.0f}, {5.2f, 5.22f}};
  for (const auto& c : cases) {
    panel->RestoreFromPlayer();
    panel->AddGhostObject();
    panel->UpdatePanelAnimation(c.at, nullptr);
    core.MoveTo(-325.0f, 273.0f);
    core.Click(0);
    core.NextFrame();
    panel->UpdatePanelAnimation(0.02f, core.Cursor());
    EXPECT_NEAR(panel->GetGhostTime(), c.after, 1e-4f) << c.at;
  }
}

TEST_F(PanelEffects, TheDiaryEffectFadesItsSparksAndPlaysTheClosingSoundWithOneSecondLeft) {
  core.Quiet();
  panel->StartDnevnikEffect(1);
  EXPECT_TRUE(core.Played(L"Otkrytie_dnevnika"));
  EXPECT_FLOAT_EQ(panel->GetDnevnikTimer(), 5.0f);
  core.Quiet();
  for (int i = 0; i < 7; ++i) panel->UpdatePanelAnimation(0.5f, nullptr);
  EXPECT_FALSE(core.Played(L"Zakrytie_dnevnika"));
  panel->UpdatePanelAnimation(0.5f, nullptr);
  EXPECT_TRUE(core.Played(L"Zakrytie_dnevnika")) << "the timer reached 1.0";
  for (int i = 0; i < 2; ++i) panel->UpdatePanelAnimation(0.5f, nullptr);
  EXPECT_FLOAT_EQ(panel->GetDnevnikTimer(), 0.0f);
}

}  // namespace
