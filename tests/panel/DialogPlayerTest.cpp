// The dialog player: its script, talk events, subtitles and their alpha,
// skip points and the end.
#include "Interface/DialogPlayer.h"
#include "panel/PanelTestSupport.h"

namespace {

class DialogPlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!core.Ok()) GTEST_SKIP() << "no headless core";
    core.Get()->GetFileSystem()->InsertPath((testsupport::FixturesDir() / "panel").wstring(), zorfile::kKindXml);
  }
  std::unique_ptr<CDialogPlayer> Load(const wchar_t* name) {
    auto player = std::make_unique<CDialogPlayer>(core.Get());
    if (!player->LoadFromXML(name)) return nullptr;
    return player;
  }
  paneltest::PanelCore core;
};

TEST_F(DialogPlayer, ScriptsWithoutADialogRootOrFileDoNotLoad) {
  CDialogPlayer player(core.Get());
  EXPECT_EQ(player.LoadFromXML(L"Dialog_WrongRoot.xml"), 0);
  EXPECT_EQ(player.LoadFromXML(L"Dialog_Missing.xml"), 0);
  EXPECT_EQ(player.LoadFromXML(L"Dialog_Talks.xml"), 1);
}

TEST_F(DialogPlayer, MissingAttributesCarryOverAndSkipPointsComeEarlier) {
  auto player = Load(L"Dialog_Talks.xml");
  ASSERT_TRUE(player);
  ASSERT_EQ(player->mTalks.size(), 3u);
  EXPECT_FLOAT_EQ(player->mTalks[2].Time1, 8.0f);
  EXPECT_FLOAT_EQ(player->mTalks[2].Time2, 6.0f) << "Time2 kept from the talk before";
  ASSERT_EQ(player->mSkipTimes.size(), 2u);
  EXPECT_FLOAT_EQ(player->mSkipTimes[0], 4.9f);
  EXPECT_FLOAT_EQ(player->mSkipTimes[1], 7.9f);
  EXPECT_FLOAT_EQ(player->mEndTime, 12.0f);
}

TEST_F(DialogPlayer, TalkEventsSubtitlesAndAlphaAlongTheTimeLine) {
  auto player = Load(L"Dialog_Talks.xml");
  ASSERT_TRUE(player);
  const struct {
    float to;
    int talk, started, stopped;
    const wchar_t* text;
    float alpha;
  } steps[] = {
      {0.5f, -1, 0, 0, L"", 1.0f},
      {1.5f, 0, 1, 0, L"", 1.0f},
      {2.5f, 0, 0, 0, L"So you are the new keeper. The lanterns have gone out again.", 0.5f},
      {3.5f, 1, 0, 0, L"So you are the new keeper. The lanterns have gone out again.", 1.0f},
      {4.0f, 1, 0, 0, L"So you are the new keeper. The lanterns have gone out again.", 1.0f},
      {5.5f, 1, 0, 0, L"So you are the new keeper. The lanterns have gone out again.", 0.5f},
      {6.5f, -1, 0, 1, L"", 1.0f},
  };
  float t = 0.0f;
  for (const auto& s : steps) {
    player->Update(s.to - t);
    t = s.to;
    EXPECT_EQ(player->mCurrentTalk, s.talk) << t;
    EXPECT_EQ(player->mTalkStarted, s.started) << t;
    EXPECT_EQ(player->mTalkStopped, s.stopped) << t;
    EXPECT_EQ(player->GetCurrentText(), s.text) << t;
    EXPECT_NEAR(player->GetTextAlpha(), s.alpha, 1e-5f) << t;
    EXPECT_EQ(player->mEnded, 0) << t;
  }
}

TEST_F(DialogPlayer, SoundsStartWhenTheirTimeIsReachedAlsoAtZero) {
  auto player = Load(L"Dialog_Talks.xml");
  ASSERT_TRUE(player);
  player->Update(0.1f);
  EXPECT_TRUE(core.Played(L"I_Info"));
  EXPECT_FALSE(core.Played(L"I_Click"));
  player->Update(2.9f);
  EXPECT_TRUE(core.Played(L"I_Click")) << "the end of the frame is included";
}

TEST_F(DialogPlayer, SkipMovesToTheNextPointThenEndsAndEndedLastsOneFrame) {
  auto player = Load(L"Dialog_Talks.xml");
  ASSERT_TRUE(player);
  player->Update(0.5f);
  player->Skip();
  EXPECT_FLOAT_EQ(player->mTime, 4.9f);
  player->Skip();
  EXPECT_FLOAT_EQ(player->mTime, 7.9f);
  player->Update(0.02f);
  player->Skip();
  EXPECT_EQ(player->mEnded, 1);
  player->Update(0.02f);
  EXPECT_EQ(player->mEnded, 2);
  player->Update(0.02f);
  EXPECT_EQ(player->mEnded, 2);
}

TEST_F(DialogPlayer, ADialogWithoutEndTimeEndsInItsFirstUpdate) {
  auto player = Load(L"Dialog_NoEnd.xml");
  ASSERT_TRUE(player);
  player->Update(0.01f);
  EXPECT_EQ(player->mEnded, 1);
  EXPECT_EQ(player->mTalkStarted, 1);
}

TEST_F(DialogPlayer, FinishStopsItsPlayingSounds) {
  auto player = Load(L"Dialog_Talks.xml");
  ASSERT_TRUE(player);
  core.Get()->GetSound()->Play(L"I_Click", 0.0f, 0);  // looping, so it plays on
  player->Finish();
  EXPECT_EQ(player->mEnded, 1);
  core.Get()->GetSound()->Update(1.1f);
  EXPECT_EQ(core.Get()->GetSound()->GetState(L"I_Click"), rovovoz::kSoundStopped);
}

}  // namespace
