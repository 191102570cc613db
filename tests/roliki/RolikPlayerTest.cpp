// The cut-scene player over the sample game's overlay: subtitles and their
// fades, the bars, the end of a cut-scene through the overlay's closing
// fade, and the intro of the sample game with its sound.
#include "roliki/RolikTestSupport.h"

namespace roliktest {
namespace {

const char* const kSubtitles =
    "<Rolik><Video Name=\"Subs\" File=\"Arrival.ogv\" Width=\"1024\" Height=\"576\"/>"
    "<Text Key=\"k_intro_01\" Time1=\"2.0\" Time2=\"4.0\"/>"
    "<Text Key=\"k_intro_02\" Time1=\"3.5\" Time2=\"5.0\"/>"
    "<Text Key=\"t_the_end\" Time2=\"1.0\"/>"
    "<Text Key=\"t_skip\" Time1=\"6.0\"/>"
    "</Rolik>";

using RolikPlayer = RolikTest;

TEST_F(RolikPlayer, ASubtitleFadesInAndOutOverHalfASecondAndTheLaterOfTwoWins) {
  Describe("Subs.xml", kSubtitles);
  CBaseRolik rolik(core.Get(), L"Subs", L"Subs.xml");
  ASSERT_EQ(rolik.LoadFile(3), 1);
  ASSERT_EQ(rolik.GetTexts().size(), 4u);
  struct SCase {
    float time;
    int shown;  // -1 none
    const wchar_t* text;
    float alpha;
  };
  const SCase cases[] = {
      {2.0f, -1, L"", 0.0f},  // the window is open at both ends
      {2.25f, 0, L"Night falls as the keeper reaches Lantern Hall.", 0.5f},
      {3.0f, 0, L"Night falls as the keeper reaches Lantern Hall.", 1.0f},
      {3.25f, 0, L"Night falls as the keeper reaches Lantern Hall.", 1.0f},
      {3.75f, 1, L"Every lantern inside has gone dark.", 0.5f},  // overlapping: the later one
      {4.75f, 1, L"Every lantern inside has gone dark.", 0.5f},
      {5.0f, -1, L"", 0.0f},
      // A missing time is 0: never shown before 0, never after 0.
      {0.5f, 2, L"The End", 1.0f},
      {7.0f, -1, L"", 0.0f},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.time);
    PlayTo(rolik, c.time);
    EXPECT_FLOAT_EQ(rolik.GetTime(), c.time);
    EXPECT_EQ(rolik.GetShownText(), c.shown);
    EXPECT_EQ(Subtitle(), c.text);
    if (c.shown >= 0) {
      EXPECT_FLOAT_EQ(SubtitleAlpha(), c.alpha);
    }
  }
  EXPECT_FLOAT_EQ(rolik.GetTexts()[2].Time1, 0.0f);
  EXPECT_FLOAT_EQ(rolik.GetTexts()[3].Time2, 0.0f) << "not the previous subtitle's time";
}

TEST_F(RolikPlayer, StartResetsTheOverlayAndMovesTheBarsByHalfTheExtraHeight) {
  struct SCase {
    const char* size;
    int clipHeight;
    float barOffset;
  };
  const SCase cases[] = {
      {" Width=\"1024\" Height=\"576\"", 576, 32.0f},
      {"", 512, 0.0f},
      {" Width=\"1024\" Height=\"768\"", 768, 128.0f},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.size);
    Describe("Size.xml", std::string("<Rolik><Video Name=\"S\" File=\"Arrival.ogv\"") + c.size + "/></Rolik>");
    CBaseRolik rolik(core.Get(), L"S", L"Size.xml");
    ASSERT_EQ(rolik.LoadFile(3), 1);
    ASSERT_NE(rolik.GetVideo(), nullptr);
    EXPECT_EQ(rolik.GetVideo()->GetClipHeight(), c.clipHeight);
    overlay->StartFade();
    overlay->SetText(L"left over");
    rolik.Start();
    EXPECT_FLOAT_EQ(overlay->GetBarOffset(), c.barOffset);
    EXPECT_EQ(overlay->IsFading(), 0);
    EXPECT_EQ(Subtitle(), L"");
    EXPECT_EQ(rolik.GetPlayState(), -1);
    rolik.Update(5.0f, nullptr);
    EXPECT_EQ(rolik.GetPlayState(), 1);
    EXPECT_FLOAT_EQ(rolik.GetTime(), 0.0f) << "the first frame does not move the clock";
  }
}

// The overlay's closing fade starts 1.2 s before the end time and ends the
// cut-scene a second later, drawn or not.
TEST_F(RolikPlayer, TheCutSceneEndsOnceTheClosingFadeBeforeItsEndTimeIsDone) {
  for (const char* blackEnd : {"1", "0"}) {
    SCOPED_TRACE(blackEnd);
    Describe("End.xml", std::string("<Rolik><Video Name=\"E\" File=\"Arrival.ogv\"/><TimeEnd Value=\"3.0\"/>"
                                    "<BlackEnd Value=\"") + blackEnd + "\"/></Rolik>");
    CBaseRolik rolik(core.Get(), L"E", L"End.xml");
    ASSERT_EQ(rolik.LoadFile(3), 1);
    rolik.Start();
    rolik.Update(0.02f, nullptr);
    float time = 0.0f;
    while (time < 1.7f) {
      rolik.Update(0.1f, nullptr);
      time += 0.1f;
    }
    EXPECT_EQ(overlay->IsFading(), 0);
    rolik.Update(0.2f, nullptr);  // past 1.8 s
    EXPECT_EQ(overlay->IsFading(), 1);
    for (int i = 0; i < 9; ++i) rolik.Update(0.1f, nullptr);
    EXPECT_FALSE(rolik.IsEndPlay());
    rolik.Update(0.15f, nullptr);
    EXPECT_TRUE(rolik.IsEndPlay());
    // Drawing with the darkening left out keeps the fade where it was.
    const float fade = overlay->GetFade();
    rolik.Render();
    EXPECT_FLOAT_EQ(overlay->GetFade(), fade);
  }
}

TEST_F(RolikPlayer, TheSampleIntroPlaysItsSoundAndTwoSubtitlesAndTheSkipButtonEndsIt) {
  CBaseRolik intro(core.Get(), L"Intro", L"Intro.xml");
  ASSERT_EQ(intro.LoadFile(3), 1);
  ASSERT_NE(intro.GetVideo(), nullptr);
  EXPECT_EQ(intro.GetVideo()->GetClipHeight(), 576);
  ASSERT_EQ(intro.GetTexts().size(), 2u);
  EXPECT_EQ(intro.GetSound(), L"Intro_sound");
  intro.Start();
  intro.Update(0.02f, core.Cursor());
  EXPECT_TRUE(core.Played(L"Intro_sound"));
  EXPECT_TRUE(intro.GetVideo()->IsPlaying());
  intro.Update(1.0f, core.Cursor());
  EXPECT_EQ(Subtitle(), L"Night falls as the keeper reaches Lantern Hall.");
  intro.Update(2.5f, core.Cursor());
  EXPECT_EQ(Subtitle(), L"Every lantern inside has gone dark.");
  EXPECT_FALSE(intro.IsEndPlay());

  ClickSkip(intro);
  EXPECT_EQ(overlay->IsFading(), 1);
  EXPECT_EQ(core.Get()->GetSound()->GetState(L"Intro_sound"), rovovoz::kSoundPlaying) << "fading out";
  core.Get()->GetSound()->Update(1.1f);
  EXPECT_EQ(core.Get()->GetSound()->GetState(L"Intro_sound"), rovovoz::kSoundStopped);
  intro.Update(1.01f, core.Cursor());
  EXPECT_TRUE(intro.IsEndPlay());
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

}  // namespace
}  // namespace roliktest
