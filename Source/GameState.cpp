// The screen-state machine: per-frame update and drawing by the current
// state, the state change with its leave and entry actions, the display
// steps that follow a change of mode, and the cheat keys.
#include "GameState.h"

#include <algorithm>

#include "AppConfig.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/Camera.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "GameApp.h"
#include "GameLog.h"
#include "Ini.h"
#include "Interface/CreditsMenu.h"
#include "Interface/EscMenu.h"
#include "Interface/ExitMenu.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/MainMenu.h"
#include "Interface/OptionsMenu.h"
#include "Interface/SaveOptionsMenu.h"
#include "Interface/SelectDifficulty.h"
#include "Interface/UserDeleteMenu.h"
#include "Interface/UserExistMenu.h"
#include "Interface/UserMenu.h"
#include "Interface/UserNameMenu.h"
#include "Interface/UserNameMenuMnogo.h"
#include "LoadProgress.h"
#include "Logic/Logic.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "VideoSettings.h"

namespace {
const wchar_t* const kSource = L"Source/GameState";

void UpdateForm(rovovoz::CBaseObject* form, float t) {
  if (form) form->Update(t, gMouseCursor);
}

void RenderForm(rovovoz::CBaseObject* form) {
  if (form) form->Render();
}

void SavePlayer() {
  if (gPlayerList) gPlayerList->SavePlayer(gCurrentPlayer);
}

// The states in which the story is on screen behind a menu.
bool IsGameBehind(int state) {
  return state == kStateInGame || state == kStatePauseMenu ||
         ((state == kStateOptions || state == kStateCredits) && gOptionsReturnState == kStatePauseMenu);
}

void StoreDisplayInPlayer(const zuzorev::SDevInitParams& settings) {
  gCurrentPlayer.mHeight = static_cast<uint32_t>(settings.Height);
  gCurrentPlayer.mFullScreen = static_cast<uint32_t>(settings.FullScreen);
  gCurrentPlayer.mWidth = static_cast<uint32_t>(settings.Width);
  gCurrentPlayer.mWide = static_cast<uint32_t>(settings.Wide);
}

std::wstring IniPath() {
  std::wstring path;
  return Ini::GetPath(path);
}

}  // namespace

int gGameState = kStateLoading;
int gNextGameState = kStateLoading;
int gPendingGameState = kStateMainMenu;
int gOptionsReturnState = kStateMainMenu;
int gExitReturnState = kStateMainMenu;
int gExitRequest = kExitNone;
int gExitMenuShown = 0;
float gGameSpeed = 1.0f;

bool Game::Update(float dt) {
  if (gMouseCursor) {
    gMouseCursor->SetWindowsCursor(static_cast<int>(gCurrentPlayer.mGameCursor));
    gMouseCursor->SetCursor(L"cur_def", 0);
    gMouseCursor->SetVisible(1);
    gMouseCursor->UpdatePosition();
  }
  const float t = dt * gGameSpeed;

  if (gExitRequest != kExitNone) {
    if (gExitMenuShown) {
      gExitRequest = kExitNone;
    } else if (gExitRequest == kExitFromMenu) {
      gExitMenuShown = 1;
      if (gExitMenu) gExitMenu->Open();
      gExitReturnState = gGameState;
      gExitRequest = kExitNone;
    } else if (gExitRequest == kExitWindowClosed) {
      gNextGameState = kStateExit;
      if (gPlayerList && !gCurrentPlayer.mName.empty()) {
        if (IsGameBehind(gExitReturnState) && gLogic) gLogic->SaveCurrentStepName(0);
        if ((gGameState == kStateInGame || gGameState == kStatePauseMenu) && gLogic) gLogic->SaveCurrentStepName(0);
        SavePlayer();
      }
      gExitRequest = kExitNone;
    }
  }

  if (gExitMenuShown) {
    UpdateForm(gExitMenu, t);
    const int s = gGameState;
    if (s == kStateMainMenu || s == kStateUserMenu || s == kStateUserName || s == kStateUserNameFromPlay ||
        s == kStateUserDelete || s == kStateUserExists || s == kStateUserNameNoPlayer ||
        ((s == kStateOptions || s == kStateCredits) && gOptionsReturnState == kStateMainMenu))
      UpdateTitleScene(t);
    if (IsGameBehind(s) && gLogic) gLogic->UpdateEpisod(t);
    if (!gExitMenuShown) OnExitDialogClosed(gExitReturnState);
    if (gMouseCursor) gMouseCursor->Update(t);
    return gGameState != kStateExit;
  }

  CheckCheatKeys();
  if (gGameState == kStateExit) return false;
  UpdateState(t);
  if (gMouseCursor) gMouseCursor->Update(t);
  return gGameState != kStateExit;
}

// The exit dialog closed during this update: back to the game it was opened
// over, or, when the player chose to leave, store the step and save.
void Game::OnExitDialogClosed(int returnState) {
  if (returnState == kStateInGame && gLogic) gLogic->ResumeCurrent();
  if (gNextGameState == kStateExit && !gCurrentPlayer.mName.empty()) {
    if (IsGameBehind(returnState) && gLogic) gLogic->SaveCurrentStepName(0);
    SavePlayer();
  }
}

void Game::UpdateTitleScene(float t) {
  if (gMainMenu) gMainMenu->UpdateScene(t, gMouseCursor);
}

bool Game::ReturnsToGame() const { return gOptionsReturnState == kStatePauseMenu; }

void Game::UpdateState(float t) {
  switch (gGameState) {
    case kStateMainMenu:
      UpdateTitleScene(t);
      UpdateForm(gMainMenu, t);
      break;
    case kStateOptions:
      if (!ReturnsToGame()) UpdateTitleScene(t);
      UpdateForm(gOptionsMenu, t);
      break;
    case kStateCredits:
      if (!ReturnsToGame()) UpdateTitleScene(t);
      UpdateForm(gCreditsMenu, t);
      break;
    case kStateUserMenu:
      UpdateTitleScene(t);
      UpdateForm(gUserMenu, t);
      break;
    case kStateUserName:
    case kStateUserNameFromPlay:
    case kStateUserNameNoPlayer:
      UpdateTitleScene(t);
      UpdateForm(gUserNameMenu, t);
      break;
    case kStateInGame: {
      const bool difficulty = gSelectDifficultyMenu && gSelectDifficultyMenu->GetVisible();
      if (difficulty) gSelectDifficultyMenu->Update(t, gMouseCursor);
      if (gExtrasMenu && gExtrasMenu->GetVisible()) {
        gExtrasMenu->Update(t, gMouseCursor);
        if (!gExtrasMenu->GetVisible() && gLogic) gLogic->ResumeCurrent();
      } else if (!difficulty && gLogic) {
        gLogic->Update(t, gMouseCursor);
      }
      break;
    }
    case kStatePauseMenu:
      UpdateForm(gEscMenu, t);
      if (gLogic) gLogic->Update(t, gMouseCursor);
      break;
    case kStateAfterReInit: UpdateAfterReInit(); break;
    case kStateAfterWide: UpdateAfterWide(); break;
    case kStateAfterRestore: UpdateAfterRestore(); break;
    case kStateUserDelete:
      UpdateTitleScene(t);
      UpdateForm(gUserDeleteMenu, t);
      break;
    case kStateUserExists:
      UpdateTitleScene(t);
      UpdateForm(gUserExistMenu, t);
      break;
    case kStateLoadingDone:
      if (gLoadProgress) {
        gLoadProgress->Release();
        delete gLoadProgress;
        gLoadProgress = nullptr;
      }
      if (!gMainMenu || gMainMenu->UpdateScene(t, gMouseCursor) == 0) gNextGameState = kStateToMainMenu;
      break;
    case kStateKeepMode:
      if (!ReturnsToGame()) UpdateTitleScene(t);
      UpdateForm(gSaveOptionsMenu, t);
      break;
    case kStateTooManyUsers:
      UpdateTitleScene(t);
      UpdateForm(gUserNameMenuMnogo, t);
      break;
    case kStateLoading:
      if (gLoadProgress) gLoadProgress->UpdateLogo();
      break;
    default: break;
  }
}

bool Game::Render() {
  if (gRenderSystem && gCamera) {
    gRenderSystem->SetTransform(zuzorev::kTransformView, gCamera->GetViewMatrix());
    gRenderSystem->SetTransform(zuzorev::kTransformProjection, gCamera->GetProjectionMatrix(1));
    gRenderSystem->SetZEnable(0);
  }
  RenderState();
  if (gExitMenuShown) RenderForm(gExitMenu);
  if (gWideBack) gWideBack->Render();
  if (gGameState != kStateLoading && gMouseCursor) {
    if (gCurrentPlayer.mGameCursor != 0 && gMouseCursor->mAlwaysDraw == 0)
      gMouseCursor->RenderHint();
    else
      gMouseCursor->Render();
  }
  if (!gExitMenuShown) ChangeState();
  return true;
}

// The main menu, or the story when the menu is opened over the game.
void Game::RenderMenuOrGame() {
  if (ReturnsToGame()) {
    if (gLogic) gLogic->Render();
  } else {
    RenderForm(gMainMenu);
  }
}

void Game::RenderState() {
  switch (gGameState) {
    case kStateMainMenu:
    case kStateLoadingDone: RenderForm(gMainMenu); break;
    case kStateOptions:
    case kStateAfterReInit:
    case kStateAfterWide:
    case kStateAfterRestore:
      RenderMenuOrGame();
      RenderForm(gOptionsMenu);
      break;
    case kStateCredits:
      RenderMenuOrGame();
      RenderForm(gCreditsMenu);
      break;
    case kStateUserMenu:
      RenderForm(gMainMenu);
      RenderForm(gUserMenu);
      break;
    case kStateUserName:
    case kStateUserNameFromPlay:
    case kStateUserNameNoPlayer:
      RenderForm(gMainMenu);
      RenderForm(gUserNameMenu);
      break;
    case kStateInGame:
      if (gLogic) gLogic->Render();
      RenderForm(gSelectDifficultyMenu);
      RenderForm(gExtrasMenu);
      break;
    case kStatePauseMenu:
      if (gLogic) gLogic->Render();
      RenderForm(gEscMenu);
      break;
    case kStateUserDelete:
      RenderForm(gMainMenu);
      RenderForm(gUserDeleteMenu);
      break;
    case kStateUserExists:
      RenderForm(gMainMenu);
      RenderForm(gUserExistMenu);
      break;
    case kStateKeepMode:
      RenderMenuOrGame();
      RenderForm(gSaveOptionsMenu);
      break;
    case kStateTooManyUsers:
      RenderForm(gMainMenu);
      RenderForm(gUserNameMenuMnogo);
      break;
    case kStateLoading:
      if (gLoadProgress) {
        gLoadProgress->Tick(1);
        // A window closed in this very frame still ends the game.
        if (gLoadProgress->GetState() != 0 && gNextGameState != kStateExit) gNextGameState = kStateLoadingDone;
      }
      break;
    default: break;
  }
}

void Game::ChangeState() {
  if (gNextGameState == gGameState) return;
  LeaveState(gGameState);
  EnterState();
  gGameState = gNextGameState;
}

void Game::LeaveState(int state) {
  switch (state) {
    case kStateUserMenu:
      ApplyPlayerVolumes();
      ApplyPlayerDisplaySettings();
      break;
    case kStateUserName:
    case kStateUserNameFromPlay:
    case kStateUserNameNoPlayer:
      StoreSettingsInPlayer();
      SavePlayer();
      break;
    default: break;
  }
}

void Game::EnterState() {
  switch (gNextGameState) {
    case kStateMainMenu:
    case kStateToMainMenu:
      if (gNextGameState == kStateToMainMenu) {
        StoreDisplayInPlayer(gVideoSettings);
        SavePlayer();
        gNextGameState = kStateMainMenu;
        gamelog::Info(kSource, __LINE__, L"Main menu [OK].");
      }
      if ((gGameState == kStateInGame || gGameState == kStatePauseMenu) && gLogic) gLogic->SaveCurrentStepName(0);
      if (gMainMenu) gMainMenu->Enter();
      if (gSoundSystem) {
        gSoundSystem->PlayLoop(L"Music_Menu", 0.0f);
        gSoundSystem->PlayLoop(L"AS_Dojd_s_grozoi", 5.0f);
      }
      break;
    case kStateOptions:
      if (gOptionsMenu) gOptionsMenu->Open(gGameState == kStatePauseMenu ? 1 : 0);
      break;
    case kStateCredits:
      if (gCreditsMenu) gCreditsMenu->Open();
      break;
    case kStateUserMenu:
      if (gUserMenu) gUserMenu->Open();
      break;
    case kStateUserName:
    case kStateUserNameFromPlay:
    case kStateUserNameNoPlayer:
      if (gUserNameMenu) gUserNameMenu->Open();
      break;
    case kStateInGame:
      if (!gLogic) break;
      if (gSoundSystem) {
        gSoundSystem->Stop(L"Music_Menu", 2.0f);
        gSoundSystem->Stop(L"AS_Dojd_s_grozoi", 2.0f);
      }
      gamelog::Info(kSource, __LINE__, L"gLogic->Play(): Start");
      if (!gLogic->Play()) {
        if (gExitRequest == kExitWindowClosed) {
          gNextGameState = kStateExit;
        } else {
          gNextGameState = kStateMainMenu;
          if (gMainMenu) gMainMenu->Enter();
        }
      }
      break;
    case kStatePauseMenu:
      if (gEscMenu) gEscMenu->Open();
      break;
    case kStateUserDelete:
      if (gUserDeleteMenu) gUserDeleteMenu->Open();
      break;
    case kStateUserExists:
      if (gUserExistMenu) gUserExistMenu->Open();
      break;
    case kStateLoadingDone:
      if (gMainMenu) {
        gMainMenu->Enter();
        gMainMenu->ResetTimers();
        gMainMenu->UpdateScene(0.0f, nullptr);
      }
      break;
    case kStateSwitchWide:
      gNextGameState = kStateAfterWide;
      gDisplayRequest = kDisplayWide;
      break;
    case kStateReInitDisplay:
      gNextGameState = kStateAfterReInit;
      gDisplayRequest = kDisplayReInit;
      break;
    case kStateKeepMode:
      if (gSaveOptionsMenu) gSaveOptionsMenu->Open();
      break;
    case kStateRestoreMode:
      gVideoSettingsNew = gVideoSettings;
      gDisplayRequest = kDisplayRestore;
      gNextGameState = kStateAfterRestore;
      break;
    case kStateTooManyUsers:
      if (gUserNameMenuMnogo) gUserNameMenuMnogo->Open();
      break;
    case kStateLeaveGame:
      if (gLogic) gLogic->StopEpisod();
      gNextGameState = kStateInGame;
      break;
    case kStateContinueGame:
      if (gLogic) gLogic->ResumeCurrent();
      gNextGameState = kStateInGame;
      break;
    case kStateExtrasOverGame:
      if (gExtrasMenu) gExtrasMenu->Open(1);
      gNextGameState = kStateInGame;
      break;
    default: break;
  }
}

void Game::ApplyPlayerVolumes() {
  gSoundVolume = gCurrentPlayer.mSoundVolume;
  gEffectVolume = gCurrentPlayer.mEffectVolume;
  gMusicVolume = gCurrentPlayer.mMusicVolume;
  rovovoz::CGameSoundSystem* sound = gGameCore ? gGameCore->GetSound() : nullptr;
  if (!sound) return;
  sound->SetTypeVolume(rovovoz::kSoundTypeSound, gSoundVolume);
  sound->SetTypeVolume(rovovoz::kSoundTypeEffect, gEffectVolume);
  sound->SetTypeVolume(rovovoz::kSoundTypeMusic, gMusicVolume);
}

// A profile carries its own display settings: leaving the profile menu
// switches to them when the display offers them, else the profile takes the
// mode in force.
void Game::ApplyPlayerDisplaySettings() {
  const PlayerRecord& p = gCurrentPlayer;
  const int width = static_cast<int>(p.mWidth), height = static_cast<int>(p.mHeight);
  const int fullScreen = static_cast<int>(p.mFullScreen), wide = static_cast<int>(p.mWide);
  if (height == gVideoSettings.Height && width == gVideoSettings.Width) {
    if (fullScreen != gVideoSettings.FullScreen) {
      gVideoSettingsNew = gVideoSettings;
      gVideoSettingsNew.FullScreen = fullScreen;
      gOptionsReturnState = kStateMainMenu;
      gNextGameState = kStateReInitDisplay;
    } else if (wide != gVideoSettings.Wide) {
      gVideoSettingsNew = gVideoSettings;
      gVideoSettingsNew.Wide = wide;
      gOptionsReturnState = kStateMainMenu;
      gNextGameState = kStateSwitchWide;
    }
    return;
  }
  const size_t listed = std::min(gOptionsModeLabels.size(), gDisplayModes.Modes.size());
  for (size_t i = 0; i < listed; ++i) {
    const zuzorev::SDisplayMode& mode = gDisplayModes.Modes[i];
    if (mode.Width != width || mode.Height != height) continue;
    gVideoSettingsNew = gVideoSettings;
    gVideoSettingsNew.Width = width;
    gVideoSettingsNew.Height = height;
    gVideoSettingsNew.Wide = wide;
    gVideoSettingsNew.FullScreen = fullScreen;
    if (!mode.RefreshRates.empty()) gVideoSettingsNew.RefreshRate = mode.RefreshRates.back();
    gOptionsModeIndex = static_cast<int>(i);
    gOptionsReturnState = kStateMainMenu;
    gNextGameState = kStateReInitDisplay;
    return;
  }
  StoreDisplayInPlayer(gVideoSettings);
  SavePlayer();
}

void Game::StoreSettingsInPlayer() {
  gCurrentPlayer.mSoundVolume = gSoundVolume;
  gCurrentPlayer.mEffectVolume = gEffectVolume;
  gCurrentPlayer.mMusicVolume = gMusicVolume;
  StoreDisplayInPlayer(gVideoSettings);
}

// The tried mode is now the mode in force: into the player's record, saved,
// and into the "Video" section.
void Game::AdoptNewVideoSettings() {
  StoreDisplayInPlayer(gVideoSettingsNew);
  gVideoSettings = gVideoSettingsNew;
  SavePlayer();
  WriteVideoMode(IniPath(), gVideoSettings);
}

void Game::UpdateAfterReInit() {
  if (gDisplayResult == 1) {
    // The device failed in the new mode: back to the old one in this turn.
    gVideoSettingsNew = gVideoSettings;
    gDisplayRequest = kDisplayRestore;
  } else if (gDisplayResult == 2) {
    ReInitLogic();
    SetupCameraTransform();
    AdoptNewVideoSettings();
    gNextGameState = gOptionsReturnState;
  } else {
    ReInitLogic();
    SetupCameraTransform();
    gNextGameState = kStateKeepMode;
  }
}

void Game::UpdateAfterWide() {
  SetupCameraTransform();
  AdoptNewVideoSettings();
  gNextGameState = gOptionsReturnState;
}

void Game::UpdateAfterRestore() {
  if (gDisplayResult == 2) {
    ReInitLogic();
    SetupCameraTransform();
    StoreDisplayInPlayer(gVideoSettings);
    SavePlayer();
    gNextGameState = gOptionsReturnState;
  } else {
    gNextGameState = kStateExit;
  }
}

void Game::CheckCheatKeys() {
  if (!gAppConfig.IsCheatOn() || !gGameCore) return;
  zuzorev::CInputSystem* input = gGameCore->GetInput();
  if (!input || !input->IsVKey(0x70, zuzorev::kInputHeld)) return;
  if (input->IsKey(0xC9, zuzorev::kInputDown)) gGameSpeed += 0.33f;
  if (input->IsKey(0xD1, zuzorev::kInputDown)) {
    gGameSpeed -= 0.33f;
    if (gGameSpeed < 0.0f) gGameSpeed = 0.0f;
  }
  if (input->IsKey(0xC7, zuzorev::kInputDown)) gGameSpeed = 1.0f;
}
