// Difficulty, play and warning boxes; the keep-settings countdown; the
// options box applying and cancelling; the main menu's commands.
#include "Engine/rovovoz/GUICheckBox.h"
#include "Engine/rovovoz/GUISlider.h"
#include <fstream>

#include "Game.h"
#include "VideoSettings.h"
#include "menus/MenuTestSupport.h"

namespace {

using menutest::MenuFixture;

class PlayMenus : public MenuFixture {};

TEST_F(PlayMenus, DifficultyChoices) {
  struct SCase {
    const wchar_t* command;
    uint32_t difficulty, tutorialHints;
  };
  for (const SCase& c : {SCase{L"BExpertClick", 2, 0}, SCase{L"BCasualClick", 1, 1}, SCase{L"BExpertClick", 2, 0}}) {
    difficulty->Open();
    EXPECT_EQ(difficulty->GetVisible(), 1);
    Settle(*difficulty);
    Command(c.command);
    Settle(*difficulty);
    EXPECT_EQ(gCurrentPlayer.mDifficulty, c.difficulty);
    EXPECT_EQ(gCurrentPlayer.mTutorialHints, c.tutorialHints);
    EXPECT_EQ(difficulty->GetVisible(), 0);
    EXPECT_EQ(gNextGameState, kStateMainMenu) << "the box changes no screen";
  }
}

// The play menu's two buttons for each game mode: the game, or the warning
// first.
TEST_F(PlayMenus, PlayChoicesByGameMode) {
  struct SCase {
    const char* name;
    const wchar_t* button;
    uint32_t mode, finished;
    bool game, warned;
    uint32_t modeAfter;
    const wchar_t* step;
  };
  const SCase cases[] = {
      {"story, new", L"B1", 0, 0, true, false, 1, L"Step_003"},
      {"story, going on", L"B1", 1, 0, true, false, 1, L"Step_003"},
      {"story from the bonus chapter", L"B1", 2, 1, false, true, 2, L"Step_003"},
      {"bonus chapter, new", L"B2", 0, 1, true, false, 2, L"Step_005"},
      {"bonus chapter, going on", L"B2", 2, 1, true, false, 2, L"Step_003"},
      {"bonus chapter from the story", L"B2", 1, 1, false, true, 1, L"Step_003"},
      {"bonus chapter locked", L"B2", 0, 0, false, false, 0, L"Step_003"},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    gNextGameState = kStateMainMenu;
    gCurrentPlayer.mGameMode = c.mode;
    gCurrentPlayer.mGameFinished = c.finished;
    gCurrentPlayer.mStepName = L"Step_003";
    warning->SetVisible(0);
    play->Open();
    Settle(*play);
    rovovoz::CGUIBaseObject* button = play->GetChild(c.button);
    ASSERT_NE(button, nullptr);
    zuzorev::SRect box;
    button->GetBoxRect(box);
    core.MoveTo((box.left + box.right) / 2.0f - 512.0f, 384.0f - (box.top + box.bottom) / 2.0f);
    core.Click(0);
    core.NextFrame();
    play->Update(0.05f, core.Cursor());
    EXPECT_EQ(gNextGameState == kStateInGame, c.game);
    EXPECT_EQ(warning->GetVisible() == 1, c.warned);
    EXPECT_EQ(gCurrentPlayer.mGameMode, c.modeAfter);
    EXPECT_EQ(gCurrentPlayer.mStepName, c.step);
    core.NextFrame();
  }
}

TEST_F(PlayMenus, TheLockedBonusLabelIsGreyedWithTheMenu) {
  gCurrentPlayer.mGameFinished = 0;
  play->Open();
  Settle(*play);
  rovovoz::CGUIBaseObject* off = play->GetChild(L"L_igratBonus_dis");
  ASSERT_NE(off, nullptr);
  EXPECT_EQ(off->GetVisible(), 1);
  EXPECT_FLOAT_EQ(off->GetAlpha(), 0.55f);
  EXPECT_EQ(play->GetChild(L"B2")->GetEnable(), 0);
  EXPECT_EQ(play->GetChild(L"L_igratBonus")->GetVisible(), 0);
}

TEST_F(PlayMenus, TheGlowMarksThePlayMenuOnceAfterTheFirstWin) {
  gCurrentPlayer.mWinState = 1;
  play->Open();
  EXPECT_TRUE(play->IsGlowShown());
  EXPECT_EQ(gCurrentPlayer.mWinState, 2u);
  play->Open();
  EXPECT_FALSE(play->IsGlowShown());
}

TEST_F(PlayMenus, TheWarningSwitchesTheModeOnYesAndNothingOnNo) {
  struct SCase {
    uint32_t mode;
    bool yes;
    const wchar_t* shownText;
    uint32_t modeAfter;
    const wchar_t* step;
    int handedOff;
  };
  const SCase cases[] = {
      {1, true, L"Text1", 2, L"Step_005", kStateInGame},
      {2, true, L"Text2", 1, L"", kStateInGame},
      {1, false, L"Text1", 1, L"Step_009", kStateMainMenu},
  };
  for (const SCase& c : cases) {
    gGameState = gNextGameState = kStateMainMenu;
    gCurrentPlayer.mGameMode = c.mode;
    gCurrentPlayer.mStepName = L"Step_009";
    gCurrentPlayer.AddName(L"Key", 1);
    warning->Open();
    EXPECT_EQ(warning->GetChild(c.shownText)->GetVisible(), 1);
    Settle(*warning);
    rovovoz::CGUIBaseObject* button = warning->GetChild(c.yes ? L"BYes" : L"BNo");
    zuzorev::SRect box;
    button->GetBoxRect(box);
    core.MoveTo((box.left + box.right) / 2.0f - 512.0f, 384.0f - (box.top + box.bottom) / 2.0f);
    core.Click(0);
    core.NextFrame();
    warning->Update(0.05f, core.Cursor());
    Settle(*warning);
    core.NextFrame();
    EXPECT_EQ(gCurrentPlayer.mGameMode, c.modeAfter);
    EXPECT_EQ(gCurrentPlayer.mStepName, c.step);
    EXPECT_EQ(gNextGameState, c.handedOff);
    EXPECT_EQ(gCurrentPlayer.mItems.empty(), c.yes) << "yes clears the progress";
    EXPECT_EQ(warning->GetVisible(), 0);
  }
}

TEST_F(PlayMenus, TheCountdownShowsTheNearestWholeSecond) {
  struct SCase {
    float seconds;
    int shown;
  };
  for (const SCase& c : {SCase{15.0f, 15}, SCase{14.6f, 15}, SCase{14.5f, 14}, SCase{14.4f, 14}, SCase{0.5f, 0},
                         SCase{0.51f, 1}, SCase{0.01f, 0}, SCase{-0.4f, 0}})
    EXPECT_EQ(CSaveOptionsMenu::ShownSeconds(c.seconds), c.shown) << c.seconds;
}

TEST_F(PlayMenus, UnansweredTheKeepQuestionRestoresAfterFifteenIdleSeconds) {
  gGameState = gNextGameState = kStateKeepMode;
  keep->Open();
  rovovoz::CGUIBaseObject* text = keep->GetChild(L"Text");
  ASSERT_NE(text, nullptr);
  EXPECT_NE(text->GetText().find(L" 15 "), std::wstring::npos);
  Settle(*keep);
  int frames = 0;
  while (keep->GetShowState() == 0 && frames < 1000) {
    keep->Update(0.05f, core.Cursor());
    ++frames;
  }
  EXPECT_GE(frames, 299);
  EXPECT_LE(frames, 301);
  EXPECT_NE(text->GetText().find(L"\n 0 "), std::wstring::npos) << "the last number shown is 0";
  Settle(*keep);
  EXPECT_EQ(gNextGameState, kStateRestoreMode);
}

TEST_F(PlayMenus, KeepingTheNewModeStoresItInTheRecordAndTheSettings) {
  gVideoSettings.Width = 1024;
  gVideoSettings.Height = 768;
  gVideoSettingsNew = gVideoSettings;
  gVideoSettingsNew.Width = 800;
  gVideoSettingsNew.Height = 600;
  gVideoSettingsNew.FullScreen = 1;
  gCurrentPlayer.mName = L"Ada";
  gOptionsReturnState = kStateMainMenu;
  keep->Open();
  Settle(*keep);
  Command(L"SaveOptionsBCYes");
  Settle(*keep);
  EXPECT_EQ(gNextGameState, kStateMainMenu);
  EXPECT_EQ(gVideoSettings.Width, 800);
  EXPECT_EQ(gCurrentPlayer.mWidth, 800u);
  EXPECT_EQ(gCurrentPlayer.mFullScreen, 1u);
  EXPECT_EQ(Ini::GetInt(IniPath(), L"Video", L"Width", 0), 800);
  EXPECT_EQ(Ini::GetInt(IniPath(), L"Video", L"FullScreen", 0), 1);
  gVideoSettings = gVideoSettingsNew = zuzorev::SDevInitParams();
}

class Options : public MenuFixture {
 protected:
  Options() {
    mModes = gDisplayModes;
    gDisplayModes.Modes = {{800, 600, {60, 75}}, {1024, 768, {60}}, {1280, 1024, {60, 85}}};
    gDisplayModeIndex = 1;
    gVideoSettings = zuzorev::SDevInitParams();
    gVideoSettings.Width = 1024;
    gVideoSettings.Height = 768;
    gVideoSettings.FullScreen = 1;
    gVideoSettings.RefreshRate = 60;
    reloaded = std::make_unique<menutest::Loaded<COptionsMenu>>(gOptionsMenu, core.Get(),
                                                                L"Data\\Interface\\OptionsMenu.xml");
  }
  ~Options() override {
    reloaded.reset();
    gDisplayModes = mModes;
    gVideoSettings = gVideoSettingsNew = zuzorev::SDevInitParams();
  }
  COptionsMenu& Box() { return **reloaded; }
  template <class T>
  T* Widget(const wchar_t* name) {
    return dynamic_cast<T*>(Box().GetChild(name));
  }
  std::unique_ptr<menutest::Loaded<COptionsMenu>> reloaded;

 private:
  zuzorev::SDisplayModeI mModes;
};

TEST_F(Options, ApplyRequestsOnlyTheChangeThatIsNeeded) {
  struct SCase {
    const char* name;
    int step;
    bool full, wide;
    int returnState, handedOff;
  };
  const SCase cases[] = {
      {"nothing changed", 0, true, false, kStateMainMenu, kStateMainMenu},
      {"nothing changed, from the game", 0, true, false, kStatePauseMenu, kStatePauseMenu},
      {"only wide", 0, true, true, kStateMainMenu, kStateSwitchWide},
      {"another size", 1, true, false, kStateMainMenu, kStateReInitDisplay},
      {"windowed", 0, false, false, kStateMainMenu, kStateReInitDisplay},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    gOptionsReturnState = c.returnState;
    Box().Open(c.returnState == kStatePauseMenu);
    Settle(Box());
    if (c.step) Command(L"OptionsBCRight");
    Widget<rovovoz::CGUICheckBox>(L"CheckFull")->SetCheck(c.full);
    Widget<rovovoz::CGUICheckBox>(L"CheckWide")->SetCheck(c.wide);
    Command(L"OptionsBCApply");
    Settle(Box());
    EXPECT_EQ(gNextGameState, c.handedOff);
  }
  EXPECT_EQ(gVideoSettingsNew.Width, 1024);
}

TEST_F(Options, ModeLabelsAndStepsStayInsideTheList) {
  Box().Open(0);
  rovovoz::CGUIBaseObject* label = Box().GetChild(L"LSet");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetText(), L"1024 X 768");
  for (int i = 0; i < 4; ++i) Box().StepMode(1);
  EXPECT_EQ(label->GetText(), L"1280 X 1024");
  for (int i = 0; i < 4; ++i) Box().StepMode(-1);
  EXPECT_EQ(label->GetText(), L"800 X 600");
  EXPECT_EQ(gOptionsModeIndex, 0);
}

TEST_F(Options, AnEmptyModeListKeepsTheModeInForce) {
  gDisplayModes.Modes.clear();
  reloaded = std::make_unique<menutest::Loaded<COptionsMenu>>(gOptionsMenu, core.Get(),
                                                              L"Data\\Interface\\OptionsMenu.xml");
  Box().Open(0);
  Settle(Box());
  Box().StepMode(1);
  Command(L"OptionsBCApply");
  Settle(Box());
  EXPECT_EQ(gVideoSettingsNew.Width, 1024);
  EXPECT_EQ(gVideoSettingsNew.Height, 768);
  EXPECT_EQ(gVideoSettingsNew.RefreshRate, 60);
  EXPECT_EQ(gNextGameState, kStateMainMenu);
}

// Sliders are heard at once; leaving without applying brings back the
// volumes and the cursor option of the moment the box opened and leaves
// game.ini as it was.
TEST_F(Options, SlidersAreHeardAtOnceAndCancelOrCreditsPutThemBack) {
  struct SCase {
    const wchar_t* command;
    int handedOff;
  };
  for (const SCase& c : {SCase{L"OptionsBCCancel", kStateMainMenu}, SCase{L"OptionsBCCredits", kStateCredits}}) {
    gSoundVolume = 0.8f;
    gMusicVolume = 0.6f;
    gEffectVolume = 0.4f;
    gCurrentPlayer.mSoundVolume = 0.1f;
    gCurrentPlayer.mGameCursor = 1;
    Ini::SetFloat(IniPath(), L"Game", L"MusikVolume", 0.6f);
    const std::string iniBefore = testsupport::ReadFile(IniPath());
    Box().Open(0);
    Settle(Box());
    Widget<rovovoz::CGUISlider>(L"SlayderMusik")->SetValue(0.2f);
    Widget<rovovoz::CGUICheckBox>(L"CheckCursor")->SetCheck(0);
    Box().Update(0.05f, core.Cursor());
    EXPECT_FLOAT_EQ(gMusicVolume, 0.2f);
    EXPECT_FLOAT_EQ(core.Sound().GetTypeVolume(rovovoz::kSoundTypeMusic), 0.2f);
    EXPECT_EQ(gCurrentPlayer.mGameCursor, 0u) << "the cursor option follows its box live";
    Command(c.command);
    Settle(Box());
    EXPECT_EQ(gNextGameState, c.handedOff);
    EXPECT_EQ(gCurrentPlayer.mGameCursor, 1u) << "the cursor option of the moment the box opened";
    EXPECT_FLOAT_EQ(gMusicVolume, 0.6f);
    EXPECT_FLOAT_EQ(gSoundVolume, 0.8f);
    EXPECT_FLOAT_EQ(core.Sound().GetTypeVolume(rovovoz::kSoundTypeMusic), 0.6f);
    EXPECT_EQ(testsupport::ReadFile(IniPath()), iniBefore);
  }
}

TEST_F(Options, ApplyKeepsTheVolumesInTheRecordAndTheSettings) {
  gCurrentPlayer.mName = L"Ada";
  gMusicVolume = 0.6f;
  Box().Open(0);
  Settle(Box());
  Widget<rovovoz::CGUISlider>(L"SlayderMusik")->SetValue(0.25f);
  Box().Update(0.05f, core.Cursor());
  Command(L"OptionsBCApply");
  EXPECT_FLOAT_EQ(gCurrentPlayer.mMusicVolume, 0.25f);
  EXPECT_FLOAT_EQ(Ini::GetFloat(IniPath(), L"Game", L"MusikVolume", 0.0f), 0.25f);
  PlayerRecord stored;
  ASSERT_GE(list->FindPlayer(L"Ada", stored), 0);
  EXPECT_FLOAT_EQ(stored.mMusicVolume, 0.25f);
}

TEST_F(Options, TheWideBoxIsNeverOnWithoutFullScreen) {
  Box().Open(0);
  Settle(Box());
  Widget<rovovoz::CGUICheckBox>(L"CheckFull")->SetCheck(0);
  Widget<rovovoz::CGUICheckBox>(L"CheckWide")->SetCheck(1);
  Box().Update(0.05f, core.Cursor());
  EXPECT_EQ(Widget<rovovoz::CGUICheckBox>(L"CheckWide")->GetCheck(), 0);
  EXPECT_EQ(Widget<rovovoz::CGUICheckBox>(L"CheckWide")->GetEnable(), 0);
}

TEST_F(Options, FromThePauseMenuTheBoxComesFromAboveAndLeavesLeft) {
  gOptionsReturnState = kStatePauseMenu;
  Box().Open(1);
  Box().UpdateShowAnimation(0.0f);
  EXPECT_NEAR(Box().GetPosition2D().y, -200.0f, 0.01f);
  Settle(Box());
  Command(L"OptionsBCCancel");
  Settle(Box());
  EXPECT_NEAR(Box().GetPosition2D().x, 0.0f, 0.01f);
  EXPECT_NEAR(Box().GetScale().x, 0.5f, 1e-6f);
}

// The main menu's commands write the next state at once.
TEST_F(PlayMenus, MainMenuCommands) {
  struct SCase {
    const char* name;
    const wchar_t* command;
    const wchar_t* player;
    int next, exitRequest;
    bool playMenu;
  };
  const SCase cases[] = {
      {"play without a player", L"MainBCPlay", L"", kStateUserNameFromPlay, kExitNone, false},
      {"play", L"MainBCPlay", L"Ada", kStateMainMenu, kExitNone, true},
      {"change without a player", L"MainBCChange", L"", kStateUserNameNoPlayer, kExitNone, false},
      {"change", L"MainBCChange", L"Ada", kStateUserMenu, kExitNone, false},
      {"options", L"MainBCOptions", L"Ada", kStateOptions, kExitNone, false},
      {"quit", L"MainBCExit", L"Ada", kStateMainMenu, kExitFromMenu, false},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    gNextGameState = kStateMainMenu;
    gExitRequest = kExitNone;
    gOptionsReturnState = kStatePauseMenu;
    play->SetVisible(0);
    gCurrentPlayer.mName = c.player;
    Command(c.command);
    EXPECT_EQ(gNextGameState, c.next);
    EXPECT_EQ(gExitRequest, c.exitRequest);
    EXPECT_EQ(play->GetVisible() == 1, c.playMenu);
  }
  gOptionsReturnState = kStatePauseMenu;
  Command(L"MainBCOptions");
  EXPECT_EQ(gOptionsReturnState, kStateMainMenu) << "the options come back to the main menu";
}

TEST_F(PlayMenus, ExtrasAreLockedUntilTheGameIsFinished) {
  gCurrentPlayer.mGameFinished = 0;
  Command(L"MainBCExtras");
  EXPECT_EQ(bonus->GetVisible(), 1);
  EXPECT_EQ(extras->GetVisible(), 0);
  bonus->SetVisible(0);
  gCurrentPlayer.mGameFinished = 1;
  Command(L"MainBCExtras");
  EXPECT_EQ(extras->GetVisible(), 1);
}

TEST_F(PlayMenus, TheTitleSceneFliesInForFourAndAHalfSecondsAndEscReplaysIt) {
  mainMenu->ResetTimers();
  int frames = 0;
  while (mainMenu->UpdateScene(0.05f, nullptr) == 1 && frames < 1000) ++frames;
  EXPECT_EQ(frames, 90);
  gCurrentPlayer.mName = L"Ada";
  mainMenu->SetGreeting();
  EXPECT_EQ(mainMenu->GetChild(L"NameUser")->GetText(), L"Ada");
  EXPECT_EQ(mainMenu->GetChild(L"Privet")->GetVisible(), 1);
  PressEsc();
  mainMenu->Update(0.05f, core.Cursor());
  EXPECT_FLOAT_EQ(mainMenu->GetSceneTime(), 0.0f);
}

TEST_F(PlayMenus, AnUnreadableProfileIsShownThenDeletedWhenItsNoticeCloses) {
  std::filesystem::create_directories(dir.Path() / "Users");
  {
    std::ofstream bad(dir.Path() / "Users" / "abc.dat", std::ios::binary);
    bad << "not a profile";
  }
  list->LoadAll();
  ASSERT_TRUE(list->HasBadFiles());
  mainMenu->Update(0.05f, core.Cursor());
  ASSERT_EQ(destroy->GetVisible(), 1);
  EXPECT_EQ(destroy->GetChild(L"Name")->GetText(), L"abc");
  Settle(*destroy);
  destroy->Close();
  for (int i = 0; i < 20 && destroy->GetVisible(); ++i) mainMenu->Update(0.05f, core.Cursor());
  EXPECT_FALSE(list->HasBadFiles());
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Users" / "abc.dat"));
}

}  // namespace

namespace {

class Credits : public menutest::MenuFixture {};

TEST_F(Credits, PagesTurnRoundAndShowTheirLogosOnly) {
  ASSERT_EQ(credits->GetPages().size(), 3u);
  credits->Open();
  Settle(*credits);
  rovovoz::CGUIBaseObject* logo = credits->GetChild(L"LogoLantern");
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->GetVisible(), 0);
  credits->PrevPage();
  EXPECT_EQ(credits->GetPage(), 2) << "back from the first page is the last";
  EXPECT_EQ(logo->GetVisible(), 1);
  EXPECT_EQ(credits->GetChild(L"LogoText")->GetText(), L"Lantern Hall Tale, made for the long evenings");
  credits->NextPage();
  EXPECT_EQ(credits->GetPage(), 0) << "on from the last page is the first";
  EXPECT_EQ(logo->GetVisible(), 0);
  credits->NextPage();
  credits->Close();
  Settle(*credits);
  credits->Open();
  EXPECT_EQ(credits->GetPage(), 0) << "it always opens on the first page";
}

TEST_F(Credits, AColumnPageIsCentredAboveTheMiddleOfItsRectangle) {
  const auto& page = credits->GetPages()[0];
  ASSERT_EQ(page.size(), 6u);
  zuzorev::SRect rect;
  credits->GetChild(L"TextRect")->GetBoxRect(rect);
  const float top = page.front().top;
  const float lastBottom = page.back().bottom;
  EXPECT_GT(page[1].top, page[0].top);
  EXPECT_LT(page[1].height + page[1].top, page[2].bottom + 1) << "text lines follow each other";
  // The lines' block stands centred 70 units above the rectangle's middle.
  const float middle = (rect.top + rect.bottom) / 2.0f - 70.0f;
  EXPECT_NEAR((top + lastBottom) / 2.0f, middle, 20.0f);
  const auto& columns = credits->GetPages()[1];
  EXPECT_LT(columns[1].left, rect.left) << "the left column moves left";
  EXPECT_GT(columns[3].right, rect.right) << "the right column moves right";
  EXPECT_EQ(columns[1].top, columns[3].top) << "the two columns are centred alike";
}

TEST_F(Credits, APagesElementWithoutStepsAndBrokenLinesIsReadSafely) {
  testsupport::Element form(
      "<Form Name=\"C\"><Marker Name=\"TextRect\" X=\"0\" Y=\"0\" Width=\"100\" Height=\"100\"/>"
      "<Pages><Page><Title/><Logo/><Unknown/></Page><Page><EmptyLine/></Page></Pages></Form>");
  CCreditsMenu menu(core.Get(), nullptr);
  EXPECT_GE(menu.LoadProperty(form.Get(), 0, 3), 0);
  ASSERT_EQ(menu.GetPages().size(), 1u) << "lines without their attribute are dropped, empty pages too";
  menu.NextPage();
  menu.PrevPage();
  menu.Render();
}

}  // namespace
