#include <gtest/gtest.h>

#include <tinyxml.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Engine/rovovoz/VideoObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorsound/SoundSystem.h"
#include "Engine/zorvideo/VideoClip.h"
#include "Engine/zorvideo/VideoDecoder.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "support/TestSupport.h"

namespace {

using zuzorev::ELogLevel;

// What tools/make_video.sh draws.
constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kFrames = 24;
constexpr double kFps = 12.0;
constexpr uint32_t kBlue = 0x2040A0;
constexpr uint32_t kRed = 0xA03020;
constexpr uint32_t kYellow = 0xF0E040;
constexpr int kSquareY = 48;
int SquareX(double t) { return 8 + static_cast<int>(t * 60.0); }

std::string SampleVideoBytes() {
  return testsupport::ReadFile(testsupport::GameDir() / "Data" / "Roliki" / "Intro.ogv");
}

// The colour at (x, y) is rgb within a lossy codec's tolerance, and opaque.
::testing::AssertionResult ColourNear(const uint32_t* texels, int x, int y, uint32_t rgb) {
  const uint32_t t = texels[y * kWidth + x];
  if ((t >> 24) != 0xFF) return ::testing::AssertionFailure() << "alpha " << (t >> 24);
  for (int shift : {16, 8, 0}) {
    const int got = static_cast<int>((t >> shift) & 0xFF);
    const int want = static_cast<int>((rgb >> shift) & 0xFF);
    if (std::abs(got - want) > 8)
      return ::testing::AssertionFailure() << "at (" << x << "," << y << ") got " << std::hex << (t & 0xFFFFFF)
                                           << " want " << rgb;
  }
  return ::testing::AssertionSuccess();
}

TEST(VideoDecoder, TheSampleVideoDecodesAsMade) {
  zorvideo::CVideoDecoder decoder;
  std::string error;
  ASSERT_TRUE(decoder.Open(SampleVideoBytes(), error)) << error;
  EXPECT_EQ(decoder.Width(), kWidth);
  EXPECT_EQ(decoder.Height(), kHeight);
  EXPECT_NEAR(decoder.Duration(), 2.0, 1e-3);
  EXPECT_NEAR(decoder.FrameRate(), kFps, 1e-6);
  EXPECT_TRUE(decoder.HasAudio());

  std::vector<std::vector<uint32_t>> frames;
  std::vector<uint32_t> texels;
  double seconds = -1.0;
  while (decoder.NextFrame(texels, seconds)) {
    EXPECT_NEAR(seconds, frames.size() / kFps, 1e-3);
    frames.push_back(texels);
  }
  ASSERT_EQ(frames.size(), static_cast<size_t>(kFrames));

  struct Case {
    int frame;
    uint32_t background;
  };
  for (const Case& c : {Case{0, kBlue}, Case{11, kBlue}, Case{12, kRed}, Case{23, kRed}}) {
    SCOPED_TRACE("frame " + std::to_string(c.frame));
    const uint32_t* f = frames[c.frame].data();
    const int x = SquareX(c.frame / kFps);
    EXPECT_TRUE(ColourNear(f, x + 12, kSquareY + 12, kYellow));
    EXPECT_TRUE(ColourNear(f, (x + 80) % kWidth, 10, c.background));
    EXPECT_TRUE(ColourNear(f, x + 12, kSquareY + 40, c.background));
  }

  // Rewinding starts again at the first picture.
  ASSERT_TRUE(decoder.Rewind());
  ASSERT_TRUE(decoder.NextFrame(texels, seconds));
  EXPECT_NEAR(seconds, 0.0, 1e-6);
  EXPECT_EQ(texels, frames[0]);

  std::vector<int16_t> samples;
  ASSERT_TRUE(decoder.DecodeAudio(44100, 2, samples, error)) << error;
  EXPECT_NEAR(samples.size() / 2.0 / 44100.0, 2.0, 0.05);
  int16_t peak = 0;
  for (int16_t s : samples) peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(s)));
  EXPECT_GT(peak, 1000) << "a tone, not silence";
}

class VideoObject : public ::testing::Test {
 protected:
  void SetUp() override {
    mFs.SetInstallFolder(testsupport::GameDir());
    mFs.InsertPath(L"Data\\Roliki", zorfile::kKindVideos);
    zorfile::SetFileSystem(&mFs);
    ASSERT_TRUE(mSound.Init());
    mPlayer.Init(&mSound);
  }
  void TearDown() override { zorfile::SetFileSystem(nullptr); }
  // One frame of the game: the player first, then the object.
  void Frames(rovovoz::CVideoObject3D& video, float seconds, float dt = 0.05f) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += dt) {
      mPlayer.Update(dt);
      video.Update(dt, nullptr);
    }
  }

  zorfile::CFileSystem mFs;
  zorsound::CSoundSystem mSound;
  zorvideo::CVideoPlayer mPlayer;
};

TEST_F(VideoObject, PlaysOnceOrLoopedByDrivenTime) {
  rovovoz::CVideoObject3D video;
  ASSERT_EQ(video.CreateClip(1024, 512, L"Intro", L"data\\ROLIKI\\Intro.ogv", 0), 1);
  EXPECT_EQ(video.GetClipWidth(), 1024);
  EXPECT_EQ(video.GetClipHeight(), 512);
  ASSERT_NE(video.GetFrame(), nullptr);
  EXPECT_EQ(video.GetFrameWidth(), kWidth);
  EXPECT_TRUE(ColourNear(video.GetFrame(), SquareX(0) + 12, kSquareY + 12, kYellow));
  zorvideo::CVideoClip* clip = video.GetClip();
  EXPECT_TRUE(clip->HasSound());

  video.Play(0.0f);
  Frames(video, 1.0f);
  EXPECT_EQ(clip->GetFrameIndex(), 12);
  EXPECT_TRUE(ColourNear(video.GetFrame(), 150, 10, kRed));
  Frames(video, 1.0f);
  EXPECT_FALSE(video.IsPlaying());
  EXPECT_TRUE(video.IsFinished());
  EXPECT_EQ(clip->GetFrameIndex(), kFrames - 1) << "stays on the last picture";

  video.PlayLoop(0.0f);
  EXPECT_EQ(clip->GetFrameIndex(), 0);
  Frames(video, 2.5f);
  EXPECT_TRUE(video.IsPlaying());
  EXPECT_EQ(clip->GetFrameIndex(), 6);
  EXPECT_TRUE(ColourNear(video.GetFrame(), 150, 10, kBlue));
}

TEST_F(VideoObject, StopFadesTheSoundAndFreezingHoldsTime) {
  rovovoz::CVideoObject3D video;
  ASSERT_EQ(video.CreateClip(1024, 512, L"Intro", L"Intro.ogv", 0), 1);
  zorvideo::CVideoClip* clip = video.GetClip();
  video.SetVolume(0.8f);
  video.PlayLoop(0.0f);
  EXPECT_FLOAT_EQ(clip->GetHeardVolume(), 0.8f);

  mPlayer.Frozen();
  Frames(video, 1.0f);
  EXPECT_DOUBLE_EQ(clip->GetTime(), 0.0);
  EXPECT_EQ(Mix_Paused(-1), 1);
  mPlayer.UnFrozen();
  Frames(video, 0.5f);
  EXPECT_NEAR(clip->GetTime(), 0.5, 1e-4);

  // The game stops updating the clip (a pause menu): its sound is held.
  mPlayer.Update(0.05f);
  mPlayer.Update(0.05f);
  EXPECT_TRUE(clip->IsSoundHeld());
  video.UnPause();
  EXPECT_FALSE(clip->IsSoundHeld());
  EXPECT_EQ(Mix_Paused(-1), 0);

  video.Stop(1.0f);
  Frames(video, 0.5f);
  EXPECT_TRUE(video.IsPlaying());
  EXPECT_NEAR(clip->GetHeardVolume(), 0.4f, 1e-3f);
  Frames(video, 0.55f);
  EXPECT_FALSE(video.IsPlaying());
  EXPECT_FALSE(video.IsFinished());
  EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(VideoObject, ASceneObjectLoadsFromItsProperties) {
  TiXmlDocument doc;
  doc.Parse("<Properties File='Intro.ogv' Name='Lantern'/>");
  rovovoz::CVideoObject3D video;
  ASSERT_EQ(video.Load(doc.RootElement(), L"", 0), 0);
  EXPECT_EQ(video.GetClipName(), L"Lantern");
  EXPECT_EQ(video.GetClipWidth(), kWidth);
  video.SetRender2D(1);
  video.SetAlpha(0.5f);
  EXPECT_TRUE(video.GetRender2D());
  EXPECT_FLOAT_EQ(video.GetAlpha(), 0.5f);

  TiXmlDocument noFile;
  noFile.Parse("<Properties Name='Lantern'/>");
  testsupport::LogCapture log;
  EXPECT_EQ(video.Load(noFile.RootElement(), L"", 0), static_cast<int32_t>(0x80004005u));
  EXPECT_EQ(video.Load(nullptr, L"", 0), static_cast<int32_t>(0x80004005u));
  EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 1u);
}

TEST_F(VideoObject, AMissingOrBrokenFileFailsCreateClipWithALogLine) {
  testsupport::TempDir dir;
  const std::string sample = SampleVideoBytes();
  dir.Write("Garbage.ogv", std::string(4096, 'x'));
  dir.Write("Truncated.ogv", sample.substr(0, 300));
  dir.Write("Empty.ogv", "");
  dir.Write("SoundOnly.wav", testsupport::ReadFile(testsupport::GameDir() / "DataLoc" / "Sounds" / "I_Click.wav"));
  mFs.InsertPath(dir.Path().wstring(), zorfile::kKindVideos);

  for (const wchar_t* file : {L"Nowhere.ogv", L"Garbage.ogv", L"Truncated.ogv", L"Empty.ogv", L"SoundOnly.wav"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(file)));
    testsupport::LogCapture log;
    rovovoz::CVideoObject3D video;
    EXPECT_EQ(video.CreateClip(1024, 512, L"Broken", file, 0), 0);
    EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 1u);
    EXPECT_EQ(video.GetFrame(), nullptr);
    video.Play(0.0f);
    video.Update(0.1f, nullptr);
    video.Stop(1.0f);
    EXPECT_FALSE(video.IsPlaying());
  }
}

TEST(VideoPlayer, ClipsPlaySilentlyWithoutASoundSystemAndOutliveThePlayer) {
  zorfile::CFileSystem fs;
  fs.SetInstallFolder(testsupport::GameDir());
  zorfile::SetFileSystem(&fs);
  auto player = std::make_unique<zorvideo::CVideoPlayer>();
  EXPECT_EQ(player->Init(nullptr), 1);
  EXPECT_EQ(zorvideo::GetVideoPlayer(), player.get());
  rovovoz::CVideoObject3D video;  // takes the current player
  ASSERT_EQ(video.CreateClip(1024, 512, L"Intro", L"Data\\Roliki\\Intro.ogv", 0), 1);
  EXPECT_FALSE(video.GetClip()->HasSound());
  video.Play(0.0f);
  player->Frozen();
  video.Update(0.5f, nullptr);
  EXPECT_DOUBLE_EQ(video.GetClip()->GetTime(), 0.0);
  player.reset();
  EXPECT_EQ(zorvideo::GetVideoPlayer(), nullptr);
  video.Update(0.5f, nullptr);  // no longer frozen by a player that is gone
  EXPECT_NEAR(video.GetClip()->GetTime(), 0.5, 1e-6);
  zorfile::SetFileSystem(nullptr);
}

}  // namespace
