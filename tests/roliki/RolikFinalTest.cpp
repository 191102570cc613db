// The final cut-scene of the sample game: its closing music, the wait for a
// click or a key from 48.3 s on, the finished game saved in the player's
// profile, and the end texts when their window is missing.
#include <SDL2/SDL.h>

#include "PlayerList.h"
#include "roliki/RolikTestSupport.h"

namespace roliktest {
namespace {

class RolikFinal : public RolikTest {
 protected:
  void SetUp() override {
    RolikTest::SetUp();
    if (IsSkipped()) return;
    gCurrentPlayer = PlayerRecord();
    final = std::make_unique<CRolikFinal>(core.Get(), L"rolik_10_loop", L"Final.xml");
  }
  void TearDown() override {
    final.reset();
    gCurrentPlayer = PlayerRecord();
    RolikTest::TearDown();
  }
  // One frame of dt; input: 0 none, 1 a left click, 2 a key.
  void Frame(float dt, int input = 0) {
    if (input == 1) core.Click(0);
    if (input == 2) core.Input().HandleEvent(zuzorev::SInputEvent::KeyDown(SDL_SCANCODE_SPACE));
    core.NextFrame();
    final->Update(dt, core.Cursor());
    if (input == 2) core.Input().HandleEvent(zuzorev::SInputEvent::KeyUp(SDL_SCANCODE_SPACE));
  }
  // Started, first frame seen, and played on to `time` in one step.
  void StartAndPlayTo(float time) {
    final->Start();
    Frame(0.02f);
    Frame(time);
  }

  std::unique_ptr<CRolikFinal> final;
};

TEST_F(RolikFinal, ItLoadsWhenMadeWithItsEndTextsModelsAndLoopedClip) {
  EXPECT_TRUE(final->IsLoaded());
  ASSERT_NE(final->GetVideo(), nullptr);
  ASSERT_NE(final->GetWindow(), nullptr);
  ASSERT_NE(final->GetTextLabel(), nullptr);
  EXPECT_NE(final->GetEndLabel(), nullptr);
  EXPECT_NE(final->GetContinueLabel(), nullptr);
  EXPECT_NE(final->GetTextFrame(), nullptr);
  EXPECT_NE(final->GetBackFrame(), nullptr);
  EXPECT_NE(final->GetLogo(), nullptr);
  EXPECT_NE(final->GetLogoSheen(), nullptr);
  const std::wstring text = final->GetTextLabel()->GetText();
  EXPECT_EQ(text.rfind(L"The last lantern burns again.\n\n", 0), 0u) << "six texts, a blank line between";
  EXPECT_EQ(text.size() - text.rfind(L"Thank you for playing."), 22u);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());

  StartAndPlayTo(0.6f);
  EXPECT_TRUE(final->GetVideo()->IsPlaying());
  EXPECT_TRUE(core.Played(L"track03"));
  EXPECT_FLOAT_EQ(overlay->GetSkipButton()->GetAlpha(), 0.4f) << "the skip button fades out at once";
  EXPECT_EQ(overlay->IsSkipEnabled(), 0);
  ClickSkip(*final);
  EXPECT_EQ(overlay->IsFading(), 0) << "the final cut-scene cannot be skipped";
  // Drawn at any point of its time line without trouble.
  for (float t : {1.0f, 10.0f, 43.0f, 45.5f, 47.0f, 49.0f, 51.0f}) {
    StartAndPlayTo(t);
    EXPECT_EQ(final->Render(), 0);
  }
}

TEST_F(RolikFinal, TheClosingMusicStartsOnlyInTheFifthOfASecondAfterHalfASecond) {
  struct SCase {
    float firstStep;  // the frames: firstStep, then 0.3 s
    bool played;
  };
  for (const SCase& c : {SCase{0.55f, true}, SCase{0.45f, false}, SCase{0.69f, true}, SCase{0.7f, false}}) {
    SCOPED_TRACE(c.firstStep);
    core.Get()->GetSound()->Stop(L"track03", 0.0f);
    final->Start();
    Frame(0.02f);
    Frame(c.firstStep);
    Frame(0.3f);
    EXPECT_EQ(core.Played(L"track03"), c.played);
  }
}

TEST_F(RolikFinal, AClickOrKeyBefore48Point3SecondsDoesNothingAfterItStartsTheFadeOnce) {
  struct SCase {
    float time;
    int input;
    int continued;
  };
  const SCase cases[] = {{48.0f, 1, 0}, {48.3f, 1, 0}, {48.4f, 1, 1}, {48.0f, 2, 0}, {48.4f, 2, 1}, {60.0f, 0, 0}};
  for (const SCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.time << " input " << c.input);
    StartAndPlayTo(c.time);
    gCurrentRolik = final.get();
    Frame(0.0f, c.input);
    EXPECT_EQ(final->IsContinued(), c.continued);
    EXPECT_EQ(overlay->IsFading(), c.continued);
    EXPECT_EQ(gCurrentRolik == nullptr, c.continued == 1);
    if (!c.continued) continue;
    Frame(0.5f);
    Frame(0.2f, 1);
    EXPECT_NEAR(overlay->GetFade(), 0.7f, 1e-4f) << "a second click does not start it again";
    EXPECT_FALSE(final->IsEndPlay());
    Frame(0.35f);
    EXPECT_TRUE(final->IsEndPlay());
    EXPECT_FALSE(final->GetVideo()->IsPlaying()) << "the clip faded out with the screen";
  }
}

TEST_F(RolikFinal, StartingItFinishesTheGameInThePlayersProfileEvenWhenLeftAtOnce) {
  testsupport::TempDir user;
  PlayerList players(user.Path());
  PlayerList* previous = gPlayerList;
  gPlayerList = &players;
  gCurrentPlayer.mName = L"Ann";
  gCurrentPlayer.mStepName = L"Final";
  gCurrentPlayer.mDifficulty = 2;
  gCurrentPlayer.AddName(L"Key", 1);
  ASSERT_TRUE(players.SavePlayer(gCurrentPlayer));

  final->Start();
  gPlayerList = previous;
  EXPECT_EQ(gCurrentPlayer.mGameFinished, 1u);
  EXPECT_EQ(gCurrentPlayer.mWinState, 1u);

  PlayerList again(user.Path());
  again.LoadAll();
  PlayerRecord saved;
  ASSERT_GE(again.FindPlayer(L"Ann", saved), 0);
  EXPECT_EQ(saved.mGameFinished, 1u);
  EXPECT_EQ(saved.mWinState, 1u);
  EXPECT_EQ(saved.mDifficulty, 2u);
  EXPECT_TRUE(saved.mStepName.empty()) << "the story starts over";
  EXPECT_FALSE(saved.HasName(L"Key"));

  // A replay leaves the record alone.
  final->Replay();
  EXPECT_EQ(gCurrentPlayer.mWinState, 1u);
}

// Without its end-text window the final cut-scene keeps nothing of it and
// still plays, draws its frames and ends.
TEST(RolikFinalWindow, AMissingOrBrokenWindowLeavesNoLabelsAndTheCutSceneStillPlays) {
  for (const char* window : {static_cast<const char*>(nullptr), "<Form Name=\"FinalRolik\"><Label Name=\"Text\""}) {
    SCOPED_TRACE(window ? "broken" : "missing");
    testsupport::TempDir install;
    install.Write("Data/Roliki/Final.xml", "<Rolik><Video Name=\"F\" File=\"Intro.ogv\"/><Loop Value=\"1\"/></Rolik>");
    install.Write("Data/Roliki/Intro.ogv", testsupport::ReadFile(testsupport::GameDir() / "Data/Roliki/Intro.ogv"));
    if (window) install.Write("Data/Interface/FinalRolik.xml", window);
    auto core = testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless);
    core->GetFileSystem()->SetInstallFolder(install.Path());
    ASSERT_GE(core->GetFileSystem()->InsertPath(L"Data\\Roliki", zorfile::kKindVideos), 0);
    ASSERT_TRUE(testsupport::StartWindowAndRender(*core, L"test"));
    testsupport::LogCapture log;
    CRolikFinal final(core.get(), L"rolik_10_loop", L"Final.xml");
    EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Load FinalRolik window"));
    EXPECT_EQ(final.GetWindow(), nullptr);
    EXPECT_EQ(final.GetTextLabel(), nullptr);
    EXPECT_EQ(final.GetEndLabel(), nullptr);
    EXPECT_EQ(final.GetContinueLabel(), nullptr);
    ASSERT_NE(final.GetVideo(), nullptr);
    gCurrentPlayer = PlayerRecord();
    final.Start();
    for (float dt : {0.02f, 10.0f, 40.0f}) {
      final.Update(dt, nullptr);
      EXPECT_EQ(final.Render(), 0);
    }
    EXPECT_FALSE(final.IsEndPlay()) << "it waits for the player";
    gCurrentPlayer = PlayerRecord();
  }
}

}  // namespace
}  // namespace roliktest
