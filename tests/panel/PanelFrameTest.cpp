// One frame of the panel: the modes, the slide, the dialog mode, the
// buttons that ask the chapter for the menu and the diary, pop-ups that
// block the panel, and the item window.
#include <algorithm>

#include "AppConfig.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Interface/DialogPlayer.h"
#include "Interface/HintMenu.h"
#include "panel/PanelTestSupport.h"

namespace {

using paneltest::PanelFixture;

class PanelFrame : public PanelFixture {};

TEST_F(PanelFrame, ModesByNameAndTheirFade) {
  const struct {
    const wchar_t* type;
    int mode;
    float fade;
  } cases[] = {{L"hog", 1, 0.0f}, {L"push", 0, 0.0f}, {L"minigame", 2, 0.0f}, {L"dialog", 3, 0.0f}, {L"other", 3, 0.0f}};
  for (const auto& c : cases) {
    panel->SetPanelMode(c.type);
    EXPECT_EQ(panel->GetPanelMode(), c.mode) << c.type;
    EXPECT_FLOAT_EQ(panel->GetModeFade(), c.fade) << c.type;
  }
  EXPECT_EQ(panel->GetChild(L"LTextMiniGame")->GetText(), L"A puzzle blocks the way");
  panel->SetPanelMode(L"push");
  Run(0.5f, 0.25f);
  EXPECT_FLOAT_EQ(panel->GetModeFade(), 0.5f);
  panel->SetPanelMode(L"minigame");
  Run(0.25f, 0.25f);
  EXPECT_FLOAT_EQ(panel->GetModeFade(), 0.25f);
}

TEST_F(PanelFrame, AnUnknownModeStillReevaluatesTheButton) {
  gCurrentPlayer.mHintTimer = 500.0f;
  panel->SetPanelMode(L"nonsense");
  EXPECT_EQ(panel->GetPanelMode(), 0);
  EXPECT_EQ(panel->GetChild(L"BHint")->GetVisible(), 1);
}

TEST_F(PanelFrame, InAdventureScenesThePanelSlidesAwayAndBackWithThePointer) {
  core.MoveTo(0.0f, 200.0f);
  Run(1.0f);
  EXPECT_FLOAT_EQ(panel->GetSlideOffset(), -83.0f);
  core.MoveTo(0.0f, -378.0f);
  Run(1.0f);
  EXPECT_FLOAT_EQ(panel->GetSlideOffset(), 0.0f);
  for (const wchar_t* mode : {L"hog", L"minigame"}) {
    panel->SetPanelMode(mode);
    core.MoveTo(0.0f, 200.0f);
    Run(1.0f);
    EXPECT_FLOAT_EQ(panel->GetSlideOffset(), 0.0f) << mode;
  }
}

TEST_F(PanelFrame, InDialogModeOnlyTheDialogItsSkipButtonAndItsTextRun) {
  panel->AddSimpleObject(L"Key", L"p_menu");
  gCurrentPlayer.mHintTimer = 10.0f;
  core.Get()->GetFileSystem()->InsertPath((testsupport::FixturesDir() / "panel").wstring(), zorfile::kKindXml);
  panel->LoadDialog(L"Dialog_Talks.xml");
  ASSERT_NE(panel->GetDialogPlayer(), nullptr);
  panel->StartDialog();
  panel->SetPanelMode(L"dialog");
  Run(2.5f, 0.5f);
  EXPECT_EQ(panel->GetItem(0).state, SPanelItem::kFlyingIn) << "the strip waits";
  EXPECT_FLOAT_EQ(gCurrentPlayer.mHintTimer, 10.0f) << "the recharge waits";
  EXPECT_EQ(episod.sceneActions, std::vector<std::wstring>{L"a_dialog_start_talk"});
  auto* text = dynamic_cast<rovovoz::CGUILabel*>(panel->GetChild(L"LTextDialog"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetText(), L"So you are the new keeper. The lanterns have gone out again.");
  EXPECT_FLOAT_EQ(text->GetAlpha(), 0.5f);

  // BSkipDialog: x 880..1000, y 722..754 of the screen.
  ClickAt(428.0f, -354.0f);
  EXPECT_EQ(episod.sceneActions.back(), L"a_dialog_end");
  EXPECT_EQ(panel->GetDialogPlayer()->mEnded, 1);
  episod.sceneActions.clear();
  Run(0.5f, 0.5f);
  EXPECT_TRUE(episod.sceneActions.empty()) << "the end action runs once";
}

TEST_F(PanelFrame, EachDialogClickHasOneOwnerAndTheEndIsPassedOnOnce) {
  core.Get()->GetFileSystem()->InsertPath((testsupport::FixturesDir() / "panel").wstring(), zorfile::kKindXml);
  struct Case {
    const char* what;
    float x, z;     // where the click lands
    float playFor;  // dialog time before the click's frame (it ends after 12 s)
    float time;     // the dialog's clock after that frame
    int ended;
    int ends;  // "a_dialog_end" passed on in all
  } cases[] = {
      {"a click beside the skip button skips to the next point", 0.0f, 0.0f, 1.0f, 4.9f, 0, 0},
      {"the skip button ends the dialog without also skipping", 428.0f, -354.0f, 1.0f, 1.02f, 1, 1},
      {"the skip button in the frame the dialog ends by itself", 428.0f, -354.0f, 11.99f, 12.01f, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    episod.sceneActions.clear();
    panel->LoadDialog(L"Dialog_Talks.xml");
    ASSERT_NE(panel->GetDialogPlayer(), nullptr);
    panel->StartDialog();
    panel->SetPanelMode(L"dialog");
    panel->GetDialogPlayer()->Update(c.playFor);
    ClickAt(c.x, c.z);
    EXPECT_NEAR(panel->GetDialogPlayer()->mTime, c.time, 1e-4f);
    EXPECT_EQ(panel->GetDialogPlayer()->mEnded, c.ended);
    Run(0.1f);
    EXPECT_EQ(std::count(episod.sceneActions.begin(), episod.sceneActions.end(), L"a_dialog_end"), c.ends);
  }
}

TEST_F(PanelFrame, ADialogThatDoesNotLoadLeavesNoPlayerAndStartDoesNothing) {
  panel->LoadDialog(L"Data\\Interface\\Dialogs\\Keeper_Hall.xml");
  ASSERT_NE(panel->GetDialogPlayer(), nullptr);
  panel->LoadDialog(L"NoSuchDialog.xml");
  EXPECT_EQ(panel->GetDialogPlayer(), nullptr);
  panel->StartDialog();
  panel->SetPanelMode(L"dialog");
  Run(0.1f);
  EXPECT_TRUE(episod.sceneActions.empty());
}

TEST_F(PanelFrame, TheMenuAndDiaryButtonsAskTheChapter) {
  // BMenu: x 22..122, y 726..758; BDnevnik: y 686..718.
  ClickAt(-440.0f, -358.0f);
  EXPECT_EQ(episod.requests, std::vector<std::wstring>{L"menu"});
  core.Quiet();
  ClickAt(-440.0f, -318.0f);
  EXPECT_EQ(episod.requests.back(), L"diary");
  EXPECT_TRUE(core.Played(L"Otkrytie_dnevnika"));
  episod.requests.clear();
  episod.state = 8;
  ClickAt(-440.0f, -318.0f);
  EXPECT_TRUE(episod.requests.empty()) << "no diary button while the diary is open";
}

// Esc during play asks for the menu like its button; not while a hint
// pop-up is shown.
TEST_F(PanelFrame, EscAsksTheChapterForTheMenu) {
  auto pressEsc = [&] {
    core.Input().HandleEvent(zuzorev::SInputEvent::KeyDown(SDL_SCANCODE_ESCAPE));
    core.Input().HandleEvent(zuzorev::SInputEvent::KeyUp(SDL_SCANCODE_ESCAPE));
    core.NextFrame();
    panel->Update(0.02f, core.Cursor());
  };
  pressEsc();
  EXPECT_EQ(episod.requests, std::vector<std::wstring>{L"menu"});
  core.NextFrame();
  panel->Update(0.02f, core.Cursor());
  EXPECT_EQ(episod.requests.size(), 1u) << "one press, one request";

  CHintMenu hints(core.Get());
  ASSERT_TRUE(hints.Load(L"Data\\Interface\\HintMenu.xml"));
  CHintMenu* previous = gHintMenu;
  gHintMenu = &hints;
  ASSERT_TRUE(hints.SelectHint(L"HintPosilka"));
  const float at[3] = {0.0f, 0.0f, 100.0f};
  ASSERT_EQ(hints.Show(at, 1, 0, 0, 0.0f, 0.0f, 1, 4), 1);
  pressEsc();
  gHintMenu = previous;
  EXPECT_EQ(episod.requests.size(), 1u) << "the shown hint pop-up blocks the menu";
}

TEST_F(PanelFrame, AShownHintPopUpBlocksTheButtonsExceptForItsOwnTutorial) {
  CHintMenu hints(core.Get());
  ASSERT_TRUE(hints.Load(L"Data\\Interface\\HintMenu.xml"));
  CHintMenu* previous = gHintMenu;
  gHintMenu = &hints;
  struct Restore {
    CHintMenu* p;
    ~Restore() { gHintMenu = p; }
  } restore{previous};
  gCurrentPlayer.mHintTimer = 500.0f;
  panel->UpdateHintRecharge(0.0f);
  episod.hintResult = 1;
  const struct {
    const wchar_t* hint;
    bool menu, hintButton, diary;
    const wchar_t* endAction;
  } cases[] = {
      {L"HintPosilka", false, false, false, nullptr},
      {L"HintHint", false, true, false, L"a_end_HintHint"},
      {L"HintDnevnik", false, false, true, L"a_end_HintDnevnik"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(hints.SelectHint(c.hint));
    const float at[3] = {0.0f, 0.0f, 100.0f};
    ASSERT_EQ(hints.Show(at, 1, 0, 0, 0.0f, 0.0f, 1, 4), 1);
    ASSERT_EQ(hints.IsShown(), 1);
    episod.requests.clear();
    episod.actions.clear();
    gCurrentPlayer.mHintTimer = 61.0f;
    ClickAt(-440.0f, -358.0f);
    EXPECT_EQ(!episod.requests.empty() && episod.requests.front() == L"menu", c.menu) << c.hint;
    ClickAt(440.0f, -338.0f);
    EXPECT_EQ(gCurrentPlayer.mHintTimer == 0.0f, c.hintButton) << c.hint;
    episod.requests.clear();
    ClickAt(-440.0f, -318.0f);
    EXPECT_EQ(!episod.requests.empty() && episod.requests.back() == L"diary", c.diary) << c.hint;
    if (c.endAction)
      EXPECT_EQ(episod.actions, std::vector<std::wstring>{c.endAction}) << c.hint;
    else
      EXPECT_TRUE(episod.actions.empty()) << c.hint;
    hints.CloseHint(1, 0.0f);
  }
}

TEST_F(PanelFrame, TheItemWindowOpensForAKnownItemAndAnswersMinusTwoWhenHidden) {
  EXPECT_EQ(panel->UpdatePredmetMenu(0.02f, core.Cursor()), 0) << "shown after loading";
  EXPECT_TRUE(panel->ShowPredmet(L"Key"));
  testsupport::LogCapture log;
  EXPECT_FALSE(panel->ShowPredmet(L"Nothing"));
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"SetPredmet. No find logic push predmet."));
  panel->SetBack(nullptr);
  EXPECT_FALSE(panel->ShowPredmet(L"Key")) << "no chapter";
  CGamePanel bare(core.Get(), nullptr);
  EXPECT_EQ(bare.UpdatePredmetMenu(0.02f, nullptr), -2);
}

}  // namespace

namespace {

TEST(PanelGuide, TheGuideButtonWorksOnlyWithTheGuideSwitchAndTheButtonInTheForm) {
  paneltest::PanelCore core;
  if (!core.Ok()) GTEST_SKIP() << "no headless core";
  testsupport::TempDir dir;
  dir.Write("WithGuide.xml",
            "<Form Name=\"P\"><Button Name=\"BStrategy\" X=\"462\" Y=\"100\" Width=\"100\" Height=\"40\"/></Form>");
  dir.Write("WithoutGuide.xml", "<Form Name=\"P\"/>");
  core.Get()->GetFileSystem()->InsertPath(dir.Path().wstring(), zorfile::kKindXml);
  struct Restore {
    int v;
    ~Restore() { gAppConfig.mGuideOn = v; }
  } restore{gAppConfig.mGuideOn};
  const struct {
    const wchar_t* form;
    int guideOn;
    bool asked;
  } cases[] = {{L"WithGuide.xml", 1, true}, {L"WithGuide.xml", 0, false}, {L"WithoutGuide.xml", 1, false}};
  for (const auto& c : cases) {
    gAppConfig.mGuideOn = c.guideOn;
    CGamePanel panel(core.Get(), nullptr);
    ASSERT_EQ(panel.Load(c.form, 3), 0);
    paneltest::TestEpisod episod;
    panel.SetBack(&episod);
    core.MoveTo(0.0f, 264.0f);
    core.Click(0);
    core.NextFrame();
    panel.Update(0.02f, core.Cursor());
    EXPECT_EQ(!episod.requests.empty() && episod.requests.back() == L"guide", c.asked) << c.form << " " << c.guideOn;
  }
}

}  // namespace
