#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <cstdlib>
#include <string>

#include "Engine/rovovoz/GameSoundSystem.h"
#include "sound/SoundTestSupport.h"

namespace {

using rovovoz::CGameSoundSystem;
using zuzorev::ELogLevel;

int gProgressCalls = 0;
void CountProgress() { ++gProgressCalls; }

class SampleSounds : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mSound.Init(4), 1) << "the dummy audio driver opens";
    ASSERT_EQ(mSound.LoadSoundList(soundtest::kSampleList, nullptr), 1);
  }
  // Steps the sound system in frames of dt.
  void Run(float seconds, float dt = 0.05f) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += dt) mSound.Update(dt);
  }

  soundtest::DataFiles mFiles;
  CGameSoundSystem mSound;
};

TEST(GameSoundSystem, SampleListLoadsEverySoundWithItsTypeLoopAndVolume) {
  soundtest::DataFiles files;
  CGameSoundSystem sound;
  ASSERT_EQ(sound.Init(4), 1);
  gProgressCalls = 0;
  testsupport::LogCapture log;
  ASSERT_EQ(sound.LoadSoundList(soundtest::kSampleList, CountProgress), 1);
  EXPECT_EQ(gProgressCalls, 20) << "once read, once per sound (18), once at the end";
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());

  struct Case {
    const wchar_t* name;
    int32_t type;
    bool loop;
    float volume;
  };
  const Case cases[] = {
      {L"I_Click", 0, false, 1.0f},
      {L"I_Info", 0, false, 0.8f},
      {L"AS_Dojd_s_grozoi", 2, true, 0.7f},
      {L"Music_Menu", 1, true, 0.8f},
      {L"Podskazka_gotova", 2, false, 0.8f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    EXPECT_TRUE(sound.IsAudible(c.name));
    EXPECT_EQ(sound.GetType(c.name), c.type);
    EXPECT_EQ(sound.IsLoop(c.name), c.loop);
    EXPECT_FLOAT_EQ(sound.GetVolume(c.name), c.volume);
    EXPECT_EQ(sound.GetState(c.name), rovovoz::kSoundStopped) << "never started";
  }
  EXPECT_EQ(sound.GetState(L"i_click"), rovovoz::kSoundNotInList) << "names are matched exactly";
  EXPECT_EQ(sound.Play(L"Nothing", 0.0f, 1), 0);
}

TEST_F(SampleSounds, ASoundPlayedOnceEndsAfterItsLengthOfDrivenTime) {
  ASSERT_EQ(mSound.Play(L"I_Info", 0.0f, 1), 1);  // 0.35 s
  EXPECT_EQ(mSound.GetState(L"I_Info"), rovovoz::kSoundPlaying);
  EXPECT_EQ(Mix_Playing(-1), 1) << "the mixer plays it";
  Run(0.30f);
  EXPECT_EQ(mSound.GetState(L"I_Info"), rovovoz::kSoundPlaying);
  Run(0.10f);
  EXPECT_EQ(mSound.GetState(L"I_Info"), rovovoz::kSoundStopped);

  // Looped sounds never end by themselves.
  mSound.Play(L"AS_Dojd_s_grozoi", 0.0f, 0);
  Run(10.0f, 0.5f);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundPlaying);
}

TEST_F(SampleSounds, HeardVolumeIsSoundVolumeTimesTypeVolumeAndFollowsFades) {
  mSound.SetTypeVolume(rovovoz::kSoundTypeEffect, 0.5f);
  mSound.Play(L"AS_Dojd_s_grozoi", 2.0f, 0);  // 2 s fade-in
  EXPECT_FLOAT_EQ(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.0f);
  Run(1.0f);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.7f * 0.5f * 0.5f, 1e-4f);
  Run(1.5f);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.35f, 1e-5f);

  mSound.SetVolume(L"AS_Dojd_s_grozoi", 0.4f);
  mSound.SetTypeVolume(rovovoz::kSoundTypeEffect, 1.0f);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.4f, 1e-6f);

  ASSERT_EQ(mSound.Stop(L"AS_Dojd_s_grozoi", 1.0f), 1);
  Run(0.5f);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.2f, 1e-4f);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundPlaying) << "still fading out";
  Run(0.55f);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundStopped);
  EXPECT_FLOAT_EQ(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.0f);
  EXPECT_EQ(Mix_Playing(-1), 0) << "halted in the mixer";

  // The volume set by name is kept for the next play; type 3 stays at 1.0.
  mSound.Play(L"AS_Dojd_s_grozoi", 0.0f, 0);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.4f, 1e-6f);
  mSound.SetTypeVolume(rovovoz::kSoundTypeOther, 0.2f);
  EXPECT_FLOAT_EQ(mSound.GetTypeVolume(rovovoz::kSoundTypeOther), 1.0f);
}

TEST_F(SampleSounds, PauseAllHoldsEverythingAndResumeAllKeepsWhatWasPausedByName) {
  mSound.Play(L"I_Info", 0.0f, 1);
  mSound.Play(L"AS_Dojd_s_grozoi", 0.0f, 0);
  mSound.Pause(L"AS_Dojd_s_grozoi", 0.0f);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundPaused);

  mSound.PauseAll();
  EXPECT_EQ(mSound.GetState(L"I_Info"), rovovoz::kSoundPaused);
  EXPECT_EQ(Mix_Playing(-1), Mix_Paused(-1)) << "every channel paused in the mixer";
  Run(5.0f);
  EXPECT_EQ(mSound.GetState(L"I_Info"), rovovoz::kSoundPaused) << "held sounds do not run out";
  mSound.Play(L"I_Click", 0.0f, 1);
  EXPECT_EQ(mSound.GetState(L"I_Click"), rovovoz::kSoundPaused) << "started while held";

  mSound.ResumeAll();
  EXPECT_EQ(mSound.GetState(L"I_Info"), rovovoz::kSoundPlaying);
  EXPECT_EQ(mSound.GetState(L"I_Click"), rovovoz::kSoundPlaying);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundPaused) << "paused by name stays paused";
  EXPECT_EQ(Mix_Paused(-1), 1);

  mSound.Resume(L"AS_Dojd_s_grozoi");
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundPlaying);
  EXPECT_EQ(Mix_Paused(-1), 0);
  Run(0.4f);
  EXPECT_EQ(mSound.GetState(L"I_Info"), rovovoz::kSoundStopped);
}

TEST_F(SampleSounds, APauseWithAFadeEndsPausedAndResumeTurnsItBackUp) {
  mSound.Play(L"AS_Dojd_s_grozoi", 0.0f, 0);
  mSound.Pause(L"AS_Dojd_s_grozoi", 1.0f);
  Run(0.5f);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundPlaying);
  mSound.Resume(L"AS_Dojd_s_grozoi", 0.5f);  // turns back before the pause
  Run(0.5f);
  EXPECT_NEAR(mSound.GetHeardVolume(L"AS_Dojd_s_grozoi"), 0.7f, 1e-5f);
  mSound.Pause(L"AS_Dojd_s_grozoi", 1.0f);
  Run(1.05f);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundPaused);
  // A stop with a fade on a paused sound stops it at once.
  mSound.Stop(L"AS_Dojd_s_grozoi", 3.0f);
  EXPECT_EQ(mSound.GetState(L"AS_Dojd_s_grozoi"), rovovoz::kSoundStopped);
}

TEST(GameSoundSystem, OneMusicTrackSoundsAtATime) {
  testsupport::TempDir dir;
  dir.Write("Two.xml",
            "<Sounds><Sound Name='A' File='Music_Menu.ogg' Type='1'/>"
            "<Sound Name='B' File='Music_Menu.ogg' Type='1' Volume='0.5'/></Sounds>");
  soundtest::DataFiles files(dir.Path());
  CGameSoundSystem sound;
  ASSERT_EQ(sound.Init(4), 1);
  ASSERT_EQ(sound.LoadSoundList(L"two.XML", nullptr), 1);

  sound.Play(L"A", 0.0f, 0);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
  sound.Pause(L"A", 0.0f);
  EXPECT_EQ(Mix_PausedMusic(), 1);
  sound.Play(L"B", 0.0f, 1);
  EXPECT_EQ(sound.GetState(L"A"), rovovoz::kSoundStopped) << "the stream went to B";
  EXPECT_EQ(sound.GetState(L"B"), rovovoz::kSoundPlaying);
  EXPECT_EQ(Mix_PausedMusic(), 0);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
  sound.Resume(L"A");
  EXPECT_EQ(sound.GetState(L"A"), rovovoz::kSoundStopped) << "a stopped track is not resumed";

  sound.Update(3.9f);
  EXPECT_EQ(sound.GetState(L"B"), rovovoz::kSoundPlaying);
  sound.Update(0.2f);  // the track is 4 s long
  EXPECT_EQ(sound.GetState(L"B"), rovovoz::kSoundStopped);
}

TEST(GameSoundSystem, BrokenListsAndEntriesAreReportedAndTheRestLoads) {
  testsupport::TempDir dir;
  dir.Write("Empty.xml", "");
  dir.Write("NotXml.xml", "<Sounds><Sound Name='A'");
  dir.Write("Noise.wav", std::string(300, '\x7f'));
  dir.Write("Mixed.xml",
            "<sounds>"
            "<sound name='NoFile'/>"
            "<SOUND FILE='I_Click.wav'/>"
            "<Sound Name='Missing' File='Nowhere.wav'/>"
            "<Sound Name='Garbage' File='Noise.wav' Loop='1'/>"
            "<Sound Name='Odd' File='I_Click.wav' Type='9' Volume='7'/>"
            "<Sound Name='Quiet' File='I_Click.wav' Type='3' Volume='-1'/>"
            "</sounds>");
  soundtest::DataFiles files(dir.Path());
  CGameSoundSystem sound;
  ASSERT_EQ(sound.Init(4), 1);

  for (const wchar_t* list : {L"Absent.xml", L"Empty.xml", L"NotXml.xml"}) {
    testsupport::LogCapture log;
    EXPECT_EQ(sound.LoadSoundList(list, CountProgress), 0);
    EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 1u);
  }

  testsupport::LogCapture log;
  ASSERT_EQ(sound.LoadSoundList(L"Mixed.xml", nullptr), 1);
  EXPECT_EQ(log.Texts(ELogLevel::Warning).size(), 3u) << "two entries skipped, one unknown type";
  EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 2u) << "one missing file, one undecodable";
  EXPECT_FALSE(sound.IsInList(L"NoFile"));
  EXPECT_TRUE(sound.IsInList(L"Missing"));
  EXPECT_FALSE(sound.IsAudible(L"Garbage"));
  EXPECT_EQ(sound.GetType(L"Odd"), 0);
  EXPECT_FLOAT_EQ(sound.GetVolume(L"Odd"), 1.0f);
  EXPECT_FLOAT_EQ(sound.GetVolume(L"Quiet"), 0.0f);
  EXPECT_TRUE(sound.IsAudible(L"Odd"));

  // Silent entries keep their states and a sound played once ends at the next update.
  sound.Play(L"Missing", 0.0f, 1);
  sound.Play(L"Garbage", 0.0f, 0);
  EXPECT_EQ(sound.GetState(L"Missing"), rovovoz::kSoundPlaying);
  sound.Update(0.0f);
  EXPECT_EQ(sound.GetState(L"Missing"), rovovoz::kSoundStopped);
  EXPECT_EQ(sound.GetState(L"Garbage"), rovovoz::kSoundPlaying);
}

TEST(GameSoundSystem, WithoutAnAudioDeviceNamesLoadStatesAreKeptAndNothingPlays) {
  const char* before = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = before ? before : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    soundtest::DataFiles files;
    CGameSoundSystem sound;
    testsupport::LogCapture log;
    EXPECT_EQ(sound.Init(4), 0);
    EXPECT_FALSE(log.Texts(ELogLevel::Warning).empty());
    ASSERT_EQ(sound.LoadSoundList(soundtest::kSampleList, nullptr), 1);
    EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
    EXPECT_TRUE(sound.IsInList(L"I_Click"));
    EXPECT_FALSE(sound.IsAudible(L"I_Click"));

    sound.Play(L"I_Click", 0.0f, 1);
    sound.Play(L"Music_Menu", 1.0f, 0);
    sound.PauseAll();
    EXPECT_EQ(sound.GetState(L"Music_Menu"), rovovoz::kSoundPaused);
    sound.ResumeAll();
    sound.Update(0.5f);
    EXPECT_EQ(sound.GetState(L"I_Click"), rovovoz::kSoundStopped);
    EXPECT_EQ(sound.GetState(L"Music_Menu"), rovovoz::kSoundPlaying);
    EXPECT_NEAR(sound.GetHeardVolume(L"Music_Menu"), 0.4f, 1e-5f);
    sound.Stop(L"Music_Menu", 0.0f);
    EXPECT_EQ(sound.GetState(L"Music_Menu"), rovovoz::kSoundStopped);
  }
  if (before)
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
