// The shared show frame: how many frames opening and closing take, the
// poses at their ends, closing while opening, input held back while the
// window moves, and the hand-off of the state chosen last.
#include "menus/MenuTestSupport.h"

namespace {

using menutest::MenuFixture;

class MenuFrame : public MenuFixture {};

TEST_F(MenuFrame, OpeningAndClosingFramesAndTheirEndPoses) {
  struct SCase {
    const char* name;
    CMenuFrame* menu;
    zormath::Vec3f entry, exit;
    float closedScale;
  };
  const SCase cases[] = {
      {"pause", &*esc, {100, 600, 0}, {0, 380, 0}, 0.5f},
      {"exit", &*exitBox, {516, -200, 0}, {0, 380, 0}, 0.2f},
      {"player list", &*users, {636, 420, 0}, {150, 320, 0}, 0.2f},
      {"win notice", &*win, {636, 420, 0}, {150, 320, 0}, 0.2f},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.menu->Open();
    c.menu->UpdateShowAnimation(0.0f);
    EXPECT_FLOAT_EQ(c.menu->GetAlpha(), 0.0f);
    EXPECT_FLOAT_EQ(c.menu->GetScale().x, 0.2f);
    EXPECT_NEAR(c.menu->GetPosition2D().x, c.entry.x, 0.01f);
    EXPECT_NEAR(c.menu->GetPosition2D().y, c.entry.y, 0.01f);
    EXPECT_EQ(Settle(*c.menu), 13) << "0.25 a frame up to pi";
    EXPECT_FLOAT_EQ(c.menu->GetAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(c.menu->GetScale().x, 1.0f);
    EXPECT_NEAR(c.menu->GetPosition2D().x, 516.0f, 0.01f);
    EXPECT_NEAR(c.menu->GetPosition2D().y, 380.0f, 0.01f);
    c.menu->Close();
    EXPECT_EQ(Settle(*c.menu), 9) << "0.35 a frame up to pi";
    EXPECT_FLOAT_EQ(c.menu->GetAlpha(), 0.0f);
    EXPECT_NEAR(c.menu->GetScale().x, c.closedScale, 1e-6f);
    EXPECT_NEAR(c.menu->GetPosition2D().x, c.exit.x, 0.01f);
    EXPECT_NEAR(c.menu->GetPosition2D().y, c.exit.y, 0.01f);
  }
}

TEST_F(MenuFrame, ClosingWhileOpeningStartsFromTheRestingPose) {
  esc->Open();
  esc->Update(0.05f, core.Cursor());
  esc->Update(0.05f, core.Cursor());
  esc->Close();
  esc->Update(0.001f, core.Cursor());
  EXPECT_NEAR(esc->GetPosition2D().x, 516.0f, 0.5f);
  EXPECT_NEAR(esc->GetScale().x, 1.0f, 0.01f);
  EXPECT_NEAR(esc->GetAlpha(), 1.0f, 0.01f);
}

TEST_F(MenuFrame, EscWaitsUntilTheWindowStandsThenCancels) {
  gGameState = kStatePauseMenu;
  esc->Open();
  gPendingGameState = kStatePauseMenu;
  PressEsc();
  esc->Update(0.05f, core.Cursor());
  EXPECT_EQ(gPendingGameState, kStatePauseMenu) << "Esc is not taken while the window moves";
  Settle(*esc);
  PressEsc();
  esc->Update(0.05f, core.Cursor());
  EXPECT_EQ(gPendingGameState, kStateContinueGame);
  EXPECT_EQ(esc->GetShowState(), -1);
  EXPECT_EQ(gNextGameState, kStateMainMenu) << "the hand-off waits for the closing end";
  Settle(*esc);
  EXPECT_EQ(gNextGameState, kStateContinueGame);
}

TEST_F(MenuFrame, TheStateChosenLastBeforeTheClosingEndIsHandedOff) {
  Settle(*esc);
  Command(L"EscBCExit");
  Command(L"EscBCContinue");
  Settle(*esc);
  EXPECT_EQ(gNextGameState, kStateContinueGame);
}

// Every command of the pause, exit, keep-settings, profile notice and
// credits boxes, to the state it hands off once the box has closed.
TEST_F(MenuFrame, EveryCommandHandsOffItsState) {
  struct SCase {
    const wchar_t* command;
    int gameState, returnState;
    CMenuFrame* menu;
    int handedOff;
  };
  const SCase cases[] = {
      {L"EscBCContinue", kStatePauseMenu, kStateMainMenu, &*esc, kStateContinueGame},
      {L"EscBCOptions", kStatePauseMenu, kStateMainMenu, &*esc, kStateOptions},
      {L"EscBCExit", kStatePauseMenu, kStateMainMenu, &*esc, kStateLeaveGame},
      {L"ExitBCYes", kStateMainMenu, kStateMainMenu, &*exitBox, kStateExit},
      {L"ExitBCNo", kStateUserMenu, kStateMainMenu, &*exitBox, kStateUserMenu},
      {L"SaveOptionsBCNo", kStateKeepMode, kStateMainMenu, &*keep, kStateRestoreMode},
      {L"SaveOptionsBCYes", kStateKeepMode, kStatePauseMenu, &*keep, kStatePauseMenu},
      {L"UserEBCOk", kStateUserExists, kStateMainMenu, &*userExists, kStateUserMenu},
      {L"UserNameMenuMnogoBCOk", kStateTooManyUsers, kStateMainMenu, &*tooMany, kStateUserMenu},
      {L"UserDBCCancel", kStateUserDelete, kStateMainMenu, &*userDelete, kStateUserMenu},
      {L"CreditsBCOk", kStateCredits, kStateMainMenu, &*credits, kStateMainMenu},
      {L"CreditsBCOk", kStateCredits, kStatePauseMenu, &*credits, kStatePauseMenu},
      {L"OptionsBCCancel", kStateOptions, kStatePauseMenu, &*options, kStatePauseMenu},
      {L"OptionsBCCredits", kStateOptions, kStateMainMenu, &*options, kStateCredits},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.command, c.command + wcslen(c.command)) << " from "
                                    << c.gameState);
    gGameState = gNextGameState = c.gameState;
    gOptionsReturnState = c.returnState;
    gPendingGameState = -1;
    Command(c.command);
    EXPECT_EQ(c.menu->GetShowState(), -1);
    EXPECT_EQ(gNextGameState, c.gameState);
    Settle(*c.menu);
    EXPECT_EQ(gNextGameState, c.handedOff);
  }
}

TEST_F(MenuFrame, PauseOptionsComeBackToThePauseMenu) {
  gGameState = kStatePauseMenu;
  Command(L"EscBCOptions");
  EXPECT_EQ(gOptionsReturnState, kStatePauseMenu);
}

TEST_F(MenuFrame, TheExitDialogClearsItsFlagWhenItHasClosed) {
  gExitMenuShown = 1;
  exitBox->Open();
  Settle(*exitBox);
  PressEsc();
  exitBox->Update(0.05f, core.Cursor());
  EXPECT_EQ(gExitMenuShown, 1);
  Settle(*exitBox);
  EXPECT_EQ(gExitMenuShown, 0);
  EXPECT_EQ(gNextGameState, gGameState) << "Esc stays where the player was";
}

// The notices: "BOk" is not taken while they move; they hide when closed.
TEST_F(MenuFrame, NoticesWaitForTheirButtonOnceTheyStand) {
  badMode->Open();
  EXPECT_FLOAT_EQ(badMode->GetAlpha(), 0.0f);
  EXPECT_NEAR(badMode->GetPosition2D().x, 636.0f, 0.01f);
  win->Open();
  EXPECT_NEAR(win->GetPosition2D().x, 616.0f, 0.01f) << "the first step comes with the next update";
  EXPECT_EQ(win->GetVisible(), 1);
  Settle(*win);
  win->Close();
  Settle(*win);
  EXPECT_EQ(win->GetVisible(), 0);
  EXPECT_EQ(gNextGameState, kStateMainMenu) << "a notice changes no screen";
}

TEST_F(MenuFrame, TheUnreadableProfileNoticeNamesThePlayerOfTheFile) {
  destroy->Open(L"abc.dat");
  const rovovoz::CGUIBaseObject* name = destroy->GetChild(L"Name");
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->GetText(), L"abc");
  EXPECT_EQ(destroy->GetVisible(), 1);
}

}  // namespace
