#include <gtest/gtest.h>

#include "Engine/rovovoz/GManagerAmbientSound.h"
#include "Engine/rovovoz/GManagerSound.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "sound/SoundTestSupport.h"

namespace {

using rovovoz::kSoundPaused;
using rovovoz::kSoundPlaying;
using rovovoz::kSoundStopped;

class Managers : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mSound.Init(4), 1);
    ASSERT_EQ(mSound.LoadSoundList(soundtest::kSampleList, nullptr), 1);
  }
  // One frame of the game: the sound system, then the managers.
  void Frames(float seconds, float dt = 0.05f) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += dt) {
      mSound.Update(dt);
      mEffects.Update(dt);
      mAmbient.Update(dt);
    }
  }
  int32_t State(const wchar_t* name) const { return mSound.GetState(name); }

  soundtest::DataFiles mFiles;
  rovovoz::CGameSoundSystem mSound;
  rovovoz::CGManagerSound mEffects{&mSound};
  rovovoz::CGManagerAmbientSound mAmbient{&mSound};
};

TEST_F(Managers, EffectsRestartOnlyWithFlagOneAndLoopByTheirListEntry) {
  mEffects.Play(L"I_Info", 0.5f, 0.0f, 0);  // 0.35 s, played once by its entry
  EXPECT_FLOAT_EQ(mSound.GetHeardVolume(L"I_Info"), 0.5f);
  Frames(0.2f);
  mEffects.Play(L"I_Info", 0.5f, 0.0f, 0);  // left running
  Frames(0.2f);
  EXPECT_EQ(State(L"I_Info"), kSoundStopped);

  mEffects.Play(L"I_Info", 1.0f, 0.0f, 1);
  Frames(0.2f);
  mEffects.Play(L"I_Info", 1.0f, 0.0f, 1);  // restarted
  Frames(0.2f);
  EXPECT_EQ(State(L"I_Info"), kSoundPlaying);

  mEffects.Play(L"AS_Dojd_s_grozoi", 1.0f, 0.0f, 1);  // its entry loops
  Frames(5.0f, 0.5f);
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPlaying);
  mEffects.Play(L"NotInTheList", 1.0f, 0.0f, 1);  // nothing happens
}

TEST_F(Managers, EffectsPauseResumeAndStopOnlyTheirOwnSounds) {
  mEffects.Play(L"AS_Dojd_s_grozoi", 1.0f, 0.0f, 1);
  mSound.Play(L"Music_Menu", 0.0f, 0);  // someone else's
  mEffects.PauseAll();
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPaused);
  EXPECT_EQ(State(L"Music_Menu"), kSoundPlaying);
  mEffects.ResumeAll();
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPlaying);

  mEffects.StopAll(0.5f);
  Frames(0.25f);
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPlaying) << "fading out";
  Frames(0.3f);
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundStopped);
  EXPECT_EQ(State(L"Music_Menu"), kSoundPlaying);

  mEffects.Play(L"AS_Dojd_s_grozoi", 1.0f, 0.0f, 1);
  mEffects.Start();  // a new visit
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundStopped);
  EXPECT_EQ(State(L"Music_Menu"), kSoundPlaying);
}

TEST_F(Managers, AmbientQuietKeepsItsSoundsForResumeAllOrForgetsThem) {
  mAmbient.Play(L"AS_Dojd_s_grozoi", 0.5f, 1.0f, 0, 0.0f, 0.0f);  // 1 s fade-in
  mAmbient.Play(L"Music_Menu", 1.0f, 0.0f, 0, 0.0f, 0.0f);
  Frames(1.0f);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.5f, 1e-4f);

  mAmbient.Quiet(1);  // scene left: fade out and keep
  Frames(0.25f);
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPlaying);
  Frames(0.3f);
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPaused);
  EXPECT_EQ(State(L"Music_Menu"), kSoundPaused);

  mAmbient.ResumeAll();
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPlaying);
  Frames(rovovoz::CGManagerAmbientSound::kQuietFade);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.5f, 1e-4f);

  mAmbient.Stop(L"Music_Menu", 0.0f);
  EXPECT_EQ(State(L"Music_Menu"), kSoundStopped);
  mAmbient.Op4();
  mAmbient.Op5();
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPlaying);

  mAmbient.Quiet(1);
  mAmbient.Quiet(0);  // release: stop at once and forget
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundStopped);
  mSound.Play(L"AS_Dojd_s_grozoi", 0.0f, 0);
  mSound.Pause(L"AS_Dojd_s_grozoi", 0.0f);
  mAmbient.ResumeAll();
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundPaused) << "no longer the manager's to resume";
}

// Without a sound system a manager plays nothing, holds nothing and logs
// nothing, whatever it is asked; beside it, one with a sound system holds
// what it played.
TEST_F(Managers, WithoutASoundSystemEveryOperationDoesNothing) {
  testsupport::LogCapture log;
  rovovoz::CGManagerSound effects(nullptr);
  rovovoz::CGManagerAmbientSound ambient(static_cast<rovovoz::CGameCore*>(nullptr));
  effects.Update(0.1f);
  effects.Play(L"I_Click", 1.0f, 0.0f, 1);
  effects.PauseAll();
  effects.ResumeAll();
  ambient.Update(0.1f);
  ambient.Play(L"AS_Dojd_s_grozoi", 1.0f, 0.0f, 0, 0.0f, 0.0f);
  ambient.Quiet(1);
  ambient.ResumeAll();
  EXPECT_EQ(effects.GetSoundCount(), 0u);
  EXPECT_EQ(ambient.GetSoundCount(), 0u);
  EXPECT_EQ(State(L"I_Click"), kSoundStopped);
  EXPECT_EQ(State(L"AS_Dojd_s_grozoi"), kSoundStopped);
  effects.StopAll(0.5f);
  effects.Start();
  ambient.Stop(L"AS_Dojd_s_grozoi", 1.0f);
  ambient.Quiet(0);
  ambient.Start();
  EXPECT_TRUE(log.Records().empty());

  mEffects.Play(L"I_Click", 1.0f, 0.0f, 1);
  mAmbient.Play(L"AS_Dojd_s_grozoi", 1.0f, 0.0f, 0, 0.0f, 0.0f);
  EXPECT_EQ(mEffects.GetSoundCount(), 1u);
  EXPECT_EQ(mAmbient.GetSoundCount(), 1u);
}

}  // namespace
