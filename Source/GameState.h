#pragma once
// The screen states and the words the state machine runs on. A menu button
// sets gPendingGameState; the menu copies it into gNextGameState when its
// closing animation ends; Game::ChangeState, at the end of each rendered
// frame, makes the requested state current (leave actions of the old state,
// entry actions of the new one).

enum : int {
  kStateMainMenu = 0,
  kStateOptions = 2,
  kStateCredits = 4,
  kStateUserMenu = 5,
  kStateUserName = 6,
  kStateUserNameFromPlay = 7,
  kStateInGame = 8,
  kStateExit = 9,
  kStatePauseMenu = 10,
  kStateAfterReInit = 11,
  kStateAfterWide = 12,
  kStateUserDelete = 13,
  kStateUserExists = 14,
  kStateLoadingDone = 16,
  kStateSwitchWide = 21,
  kStateReInitDisplay = 22,
  kStateKeepMode = 23,
  kStateRestoreMode = 24,
  kStateAfterRestore = 25,
  kStateUserNameNoPlayer = 28,
  kStateTooManyUsers = 29,
  kStateLeaveGame = 95,
  kStateContinueGame = 96,
  kStateToMainMenu = 99,
  kStateLoading = 100,
  kStateExtrasOverGame = 102,
};

// Exit requests.
enum : int { kExitNone = 0, kExitWindowClosed = 1, kExitFromMenu = 2 };

extern int gGameState;
extern int gNextGameState;
extern int gPendingGameState;
// Where options, credits and the display-change steps go back to: 0 or 10.
extern int gOptionsReturnState;
// The current state when the exit dialog opened.
extern int gExitReturnState;
extern int gExitRequest;
// 1 while the exit dialog is open (cleared by the dialog when it closes).
extern int gExitMenuShown;
// Multiplies every frame time the game passes on.
extern float gGameSpeed;
