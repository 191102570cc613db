// Glows on entries, alpha fades from commands, the shades and the bursts
// of the overlay particles, on their time lines.
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "scene/SceneTestSupport.h"

namespace {

using scenetest::CTestBack;

// Entries of Draw.xml.
enum { kBack, kGreyA, kGreyB, kGlow, kBox, kBall, kG1, kG3, kG5, kG1200, kOnly, kGreyTrigger };

constexpr float kDt = 0.05f;

class SceneEffects : public ::testing::Test {
 protected:
  SceneEffects() { back = scenetest::LoadScene(L"Level\\Draw.xml"); }
  const SObjectEffect& Effect() { return back->mObjectEffects.at(0); }
  float AlphaOf(int index) { return back->GetEntry(index).mObject->GetAlpha(); }

  scenetest::SceneCore core;
  std::unique_ptr<CTestBack> back;
};

TEST_F(SceneEffects, GlowRisesPulsesAndFalls) {
  back->AddObjectEffect(kGreyA, kGlow);
  EXPECT_EQ(back->GetEntry(kGlow).mFadeState, 1);
  EXPECT_EQ(back->GetEntry(kGlow).mEffectFlag, 1);
  back->UpdateObjectEffects(kDt);
  EXPECT_EQ(Effect().mState, 0);
  EXPECT_EQ(back->GetEntry(kGlow).mActive, 0) << "an idle glow hides its target";

  // Asked for every frame: rises in a third of a second.
  float time = 0.0f, lastAlpha = -1.0f;
  int frames = 0;
  while (Effect().mState != 2 && frames < 100) {
    back->RemoveObjectEffect(kGreyA);
    back->UpdateObjectEffects(kDt);
    time += kDt;
    ++frames;
    if (Effect().mState == 1 && frames > 1) {
      EXPECT_GT(Effect().mAlpha, lastAlpha);
      lastAlpha = Effect().mAlpha;
    }
  }
  EXPECT_EQ(Effect().mState, 2);
  EXPECT_NEAR(time, 1.0f / 3.0f + kDt, kDt + 1e-4f) << "one frame to start, then a third of a second";
  EXPECT_EQ(back->GetEntry(kGlow).mActive, 1);
  EXPECT_FLOAT_EQ(Effect().mAlpha, 1.0f);

  // Lit: the pulse peaks once a second and sinks to nothing between.
  std::vector<float> peaks;
  float lowest = 1.0f;
  for (int i = 0; i < 80; ++i) {
    back->RemoveObjectEffect(kGreyA);
    back->UpdateObjectEffects(kDt);
    time += kDt;
    ASSERT_EQ(Effect().mState, 2);
    if (Effect().mPulse == 1.0f) peaks.push_back(time);
    lowest = std::min(lowest, Effect().mPulse);
  }
  ASSERT_GE(peaks.size(), 3u);
  for (size_t i = 1; i < peaks.size(); ++i) EXPECT_NEAR(peaks[i] - peaks[i - 1], 1.0f, kDt + 1e-4f);
  EXPECT_LT(lowest, 0.01f);

  // No more requests: falls in a third of a second and goes idle, hidden.
  frames = 0;
  while (Effect().mState != 0 && frames < 100) {
    back->UpdateObjectEffects(kDt);
    ++frames;
  }
  EXPECT_LE(frames * kDt, 1.0f / 3.0f + 2 * kDt);
  EXPECT_GE(frames * kDt, 1.0f / 3.0f);
  EXPECT_FLOAT_EQ(Effect().mAlpha, 0.0f);
  back->UpdateObjectEffects(kDt);
  EXPECT_EQ(back->GetEntry(kGlow).mActive, 0);
}

TEST_F(SceneEffects, EndingGlowShowsThreeRedPulses) {
  back->AddObjectEffect(kGreyA, kGlow);
  for (int i = 0; i < 10; ++i) {
    back->RemoveObjectEffect(kGreyA);
    back->UpdateObjectEffects(kDt);
  }
  ASSERT_EQ(Effect().mState, 2);
  back->EndObjectEffect(kGreyA);
  EXPECT_EQ(Effect().mPulseCount, 3);
  int redFrames = 0, lastRed = 0, decrements = 0, count = 3;
  for (int frame = 1; frame <= 100; ++frame) {
    back->RemoveObjectEffect(kGreyA);
    back->UpdateObjectEffects(kDt);
    if (Effect().mPulseCount < count) {
      ++decrements;
      count = Effect().mPulseCount;
    }
    core.Render().Begin();
    back->RenderObjects(0);
    bool red = false;
    for (const auto& draw : core.Render().GetFrameDraws())
      if (draw.color[0] > 0.0f && draw.color[1] == 0.0f && draw.color[2] == 0.0f) red = true;
    core.Render().End();
    if (red) {
      ++redFrames;
      lastRed = frame;
    }
  }
  EXPECT_EQ(decrements, 3);
  EXPECT_EQ(Effect().mPulseCount, 0);
  EXPECT_GT(redFrames, 20);
  EXPECT_LE(lastRed * kDt, 3.0f + 2 * kDt) << "the red pulses end after three periods";
}

TEST_F(SceneEffects, ResetEndsAnEffect) {
  back->AddObjectEffect(kGreyA, kGlow);
  back->ResetObjectEffect(kGreyA);
  EXPECT_TRUE(back->mObjectEffects.empty()) << "an idle effect goes at once";
  EXPECT_EQ(back->GetEntry(kGlow).mActive, 0);
  EXPECT_EQ(back->GetEntry(kGlow).mEffectFlag, 0);

  back->GetEntry(kGlow).mActive = 1;
  back->AddObjectEffect(kGreyA, kGlow);
  for (int i = 0; i < 10; ++i) {
    back->RemoveObjectEffect(kGreyA);
    back->UpdateObjectEffects(kDt);
  }
  back->ResetObjectEffect(kGreyA);
  EXPECT_EQ(Effect().mState, -2);
  back->AddObjectEffect(kGreyA, kGlow);
  EXPECT_EQ(Effect().mState, -2) << "an ending effect is left to end";
  for (int i = 0; i < 10 && !back->mObjectEffects.empty(); ++i) {
    back->RemoveObjectEffect(kGreyA);  // requests no longer count
    back->UpdateObjectEffects(kDt);
  }
  EXPECT_TRUE(back->mObjectEffects.empty());
  const SObjectEntry& glow = back->GetEntry(kGlow);
  EXPECT_EQ(glow.mActive, 0);
  EXPECT_EQ(glow.mFadeState, 0);
  EXPECT_EQ(glow.mEffectFlag, 0);

  // Keys and targets outside the entries make no effect.
  back->AddObjectEffect(kGreyA, -1);
  back->AddObjectEffect(kGreyA, 99);
  back->AddObjectEffect(-5, kGlow);
  EXPECT_TRUE(back->mObjectEffects.empty());
  back->UpdateObjectEffects(kDt);
}

TEST_F(SceneEffects, AlphaCommands) {
  struct Case {
    const wchar_t* command;
    int direction;  // -1 none
    float seconds;
  } cases[] = {
      {L"alpha-_2", 1, 2.0f},    {L"alpha1-", 1, 0.7f},   {L"alpha2-", 1, 1.0f},     {L"alpha2+_0", 0, 1.0f},
      {L"alpha+", 0, 1.0f},      {L"alpha1+_0.5", 0, 0.5f}, {L"alpha1-_1_2", 1, 0.7f}, {L"alpha-_x", 1, 1.0f},
      {L"beta-", -1, 0.0f},      {L"", -1, 0.0f},          {L"ALPHA-", -1, 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Platform::WideToUtf8(c.command));
    back->InitObjects();
    back->GetEntry(kGreyB).mActive = 1;
    back->ApplyAlphaCommand(kGreyB, c.command);
    if (c.direction < 0) {
      EXPECT_TRUE(back->mAlphaFades.empty());
      EXPECT_FLOAT_EQ(AlphaOf(kGreyB), 1.0f);
      continue;
    }
    ASSERT_EQ(back->mAlphaFades.size(), 1u);
    EXPECT_FLOAT_EQ(AlphaOf(kGreyB), c.direction == 0 ? 0.0f : 1.0f);
    float time = 0.0f;
    bool checkedMiddle = false;
    while (!back->mAlphaFades.empty() && time < 5.0f) {
      back->UpdateAlphaFades(kDt, 1.0f);
      time += kDt;
      if (!checkedMiddle && time >= c.seconds / 2 && !back->mAlphaFades.empty()) {
        EXPECT_NEAR(AlphaOf(kGreyB), 0.5f, kDt / c.seconds + 0.01f);
        checkedMiddle = true;
      }
    }
    EXPECT_NEAR(time, c.seconds, kDt + 1e-4f);
    EXPECT_FLOAT_EQ(AlphaOf(kGreyB), 1.0f) << "ends at full alpha, ready for the next showing";
    EXPECT_EQ(back->GetEntry(kGreyB).mActive, c.direction == 1 ? 0 : 1) << "a faded-out entry is hidden";
  }
}

TEST_F(SceneEffects, AlphaCommandReplacesOrDropsTheRunningFade) {
  back->ApplyAlphaCommand(kGreyB, L"alpha-_2");
  back->UpdateAlphaFades(0.5f, 1.0f);
  back->ApplyAlphaCommand(kGreyB, L"alpha+");
  ASSERT_EQ(back->mAlphaFades.size(), 1u);
  EXPECT_EQ(back->mAlphaFades[0].mDirection, 0);
  back->ApplyAlphaCommand(kGreyB, L"bogus");
  EXPECT_TRUE(back->mAlphaFades.empty()) << "the old fade goes before the keyword is read";
  back->ApplyAlphaCommand(99, L"alpha-");
  back->ApplyAlphaCommand(-1, L"alpha-");
  EXPECT_TRUE(back->mAlphaFades.empty());

  back->ApplyAlphaCommand(kGreyB, L"alpha-_2");
  back->ApplyAlphaCommand(kGreyA, L"alpha+_2");
  back->UpdateAlphaFades(0.5f, 1.0f);
  back->ResetAlphaFades();
  EXPECT_TRUE(back->mAlphaFades.empty());
  EXPECT_FLOAT_EQ(AlphaOf(kGreyA), 1.0f);
  EXPECT_FLOAT_EQ(AlphaOf(kGreyB), 1.0f);
}

TEST_F(SceneEffects, ShadesFadeAndTheSecondPopsItsModeOnce) {
  rovovoz::CBaseGeometryObject* shade = back->GetEntry(kBall).mObject;
  back->mShade2.mObject = shade;
  back->FadeInShade2();
  for (int i = 0; i < 20; ++i) back->UpdateShade2(kDt);
  EXPECT_EQ(back->mShade2.mState, 2);
  EXPECT_FLOAT_EQ(shade->GetAlpha(), 1.0f);
  EXPECT_EQ(back->pops, 1);
  back->FadeOutShade2();
  back->UpdateShade2(kDt);
  EXPECT_NEAR(shade->GetAlpha(), 0.8f, 1e-5f);
  for (int i = 0; i < 20; ++i) back->UpdateShade2(kDt);
  EXPECT_EQ(back->mShade2.mState, 0);
  EXPECT_FLOAT_EQ(shade->GetAlpha(), 0.0f);
  EXPECT_EQ(back->pops, 2);

  back->mShade.mObject = shade;
  back->FadeInShade(0.6f);
  for (int i = 0; i < 20; ++i) back->UpdateShade(kDt);
  EXPECT_EQ(back->mShade.mState, 2);
  EXPECT_FLOAT_EQ(shade->GetAlpha(), 0.6f);
  back->FadeOutShade(0.5f);  // held for half a second, then a quarter second out
  for (int i = 0; i < 10; ++i) back->UpdateShade(kDt);
  EXPECT_NEAR(shade->GetAlpha(), 0.6f, 1e-4f);
  EXPECT_EQ(back->mShade.mState, -1);
  for (int i = 0; i < 6; ++i) back->UpdateShade(kDt);
  EXPECT_EQ(back->mShade.mState, 0);
  EXPECT_FLOAT_EQ(shade->GetAlpha(), 0.0f);
  EXPECT_EQ(back->pops, 2) << "only the second shade is a mode";
}

TEST_F(SceneEffects, OverlayBurstsAndParticles) {
  rovovoz::CParticleSystem overlay(core.Get());
  back->mOverlay = &overlay;
  back->CreateOverlayParticles(kBox);
  back->CreateOverlayParticles(kOnly);  // no model
  back->CreateOverlayParticles(99);
  EXPECT_EQ(overlay.GetEmiterCount(), 1);

  for (uint32_t seed : {1u, 7u, 12345u}) {
    SCOPED_TRACE(seed);
    Platform::SeedRandom(seed);
    const int32_t emiter = overlay.AddEmiter(rovovoz::CBaseParamInitEmiter(), 0.0f);
    back->mOverlayBursts.clear();
    back->mOverlayBursts.push_back({kBox, 0, 0, 0.0f, emiter});
    float time = 0.0f;
    while (overlay.GetEmiterState(emiter) != rovovoz::kEmiterEmitting && time < 10.0f) {
      back->UpdateOverlayObject(kDt);
      time += kDt;
    }
    EXPECT_GE(time, 2.0f);
    EXPECT_LE(time, 5.0f + 2 * kDt) << "a single sparkle first bursts after 2 to 5 s";
    back->StopObjectOverlay(kBox, 0.0f);
    EXPECT_TRUE(back->mOverlayBursts.empty());
    EXPECT_EQ(overlay.GetEmiterState(emiter), -1) << "stopped and removed at once";
  }
  back->mOverlay = nullptr;
}

TEST_F(SceneEffects, FindItemsTakeAnAlpha) {
  auto scene = scenetest::LoadScene(L"Level\\Scene_1.xml");
  scene->mFindItems = {{L"simple", L"find", L"Box"}, {L"object", L"", L"S_GreyA"}, {L"simple", L"find", L"Nope"},
                       {L"complex", L"hog", L"Vase"}};
  scene->SetFindItemsAlpha(0.25f);
  EXPECT_FLOAT_EQ(scene->GetEntry(1).mObject->GetAlpha(), 0.25f);
  EXPECT_FLOAT_EQ(scene->GetEntry(6).mObject->GetAlpha(), 0.25f);
  EXPECT_FLOAT_EQ(scene->GetEntry(0).mObject->GetAlpha(), 1.0f);
}

}  // namespace
