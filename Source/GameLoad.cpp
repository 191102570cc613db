// The game object's data load behind the loading screen, the player choice,
// and its release at the end.
#include "Game.h"

#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameLight.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/ParticleStateManager.h"
#include "GameLog.h"
#include "GameState.h"
#include "Ini.h"
#include "Interface/MainMenu.h"
#include "LoadProgress.h"
#include "Logic/Logic.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {

const wchar_t* const kSource = L"Source/GameLoad";

Game::LogicFactory gLogicFactory = nullptr;
// Calls of the sound loader's progress callback so far.
int gSoundLoadCalls = 0;

void Tick() {
  if (gLoadProgress) gLoadProgress->Tick(0);
}

bool Fail(int line, const wchar_t* text) {
  gamelog::Error(kSource, line, text);
  return false;
}

}  // namespace

void Game::SetLogicFactoryForTests(LogicFactory factory) { gLogicFactory = factory; }

int Game::Start() {
  if (gMouseCursor) gMouseCursor->SetVisible(1);

  std::wstring path;
  Ini::GetPath(path);
  gSoundVolume = Ini::GetFloat(path, L"Game", L"SoundVolume", 1.0f);
  gMusicVolume = Ini::GetFloat(path, L"Game", L"MusikVolume", 1.0f);
  gEffectVolume = Ini::GetFloat(path, L"Game", L"EffectVolume", 1.0f);
  if (gSoundSystem) {
    gSoundSystem->SetTypeVolume(rovovoz::kSoundTypeSound, gSoundVolume);
    gSoundSystem->SetTypeVolume(rovovoz::kSoundTypeEffect, gEffectVolume);
    gSoundSystem->SetTypeVolume(rovovoz::kSoundTypeMusic, gMusicVolume);
    gSoundSystem->SetTypeVolume(rovovoz::kSoundTypeOther, 1.0f);
  }

  delete gLogic;
  gLogic = gLogicFactory ? gLogicFactory() : new CLogic();

  if (!LoadSounds()) return Fail(__LINE__, L"Load sound !!!");
  Tick();
  if (!LoadParticles()) return Fail(__LINE__, L"Load particles info");
  Tick();
  if (!gLogic->LoadSteps(L"Data\\Logic\\Steps.xml")) return Fail(__LINE__, L"load steps!!!");
  Tick();
  if (!gLogic->LoadLevels()) return Fail(__LINE__, L"load levels !!!");
  Tick();
  if (!gLogic->LoadRegions()) return Fail(__LINE__, L"load regions !!!");
  Tick();
  if (!gLogic->LoadMiniGames()) return Fail(__LINE__, L"load mini games !!!");
  Tick();
  if (!gLogic->LoadRoliki()) return Fail(__LINE__, L"load roliki !!!");
  Tick();
  if (!gLogic->LoadPredmets(L"Data\\Logic\\predmets.xml")) return Fail(__LINE__, L"load predmets !!!");
  Tick();
  if (!gLogic->LoadHogPredmets(L"Data\\Logic\\hog_predmets.xml")) return Fail(__LINE__, L"load hog_predmets !!!");
  Tick();
  if (!gLogic->LoadDialogs()) return Fail(__LINE__, L"load dialogs personag!!!");
  if (!LoadInterface()) return Fail(__LINE__, L"Load interface !!!");
  Tick();
  if (!gLogic->LoadSadanies(L"Data\\Logic\\logic.xml")) return Fail(__LINE__, L"load sadanies!!!");
  Tick();

  if (!gPlayerList || gPlayerList->Count() == 0) {
    gCurrentPlayer.mName.clear();
  } else {
    std::wstring name;
    Ini::GetString(path, L"Game", L"PlayerName", name, L"");
    if (gPlayerList->FindPlayer(name, gCurrentPlayer) >= 0 || gPlayerList->SelectPlayer(0, gCurrentPlayer))
      Ini::SetString(path, L"Game", L"PlayerName", gCurrentPlayer.mName);
    else
      gCurrentPlayer.mName.clear();
    if (gMainMenu) gMainMenu->SetGreeting();
  }

  gNextGameState = gGameState = kStateLoading;
  if (gLoadProgress) {
    gLoadProgress->SaveProgress();
    gLoadProgress->Tick(0);
  }
  return 1;
}

int Game::LoadSounds() {
  if (!gSoundSystem) return 1;
  gSoundLoadCalls = 0;
  if (gSoundSystem->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", &Game::OnSoundLoaded) == 0) {
    gamelog::Error(kSource, __LINE__, L"Load games sound.");
    return 0;
  }
  gSoundSystem->LoadSoundList(L"DataLoc\\SoundsCE\\Sounds.xml", &Game::OnSoundLoaded);
  return 1;
}

void Game::OnSoundLoaded() {
  if (gSoundLoadCalls == 0) {
    gSoundLoadCalls = 1;
    return;
  }
  if (gLoadProgress) {
    gLoadProgress->Tick(0);
    gLoadProgress->RequestMenuMusic();
  }
}

int Game::LoadParticles() {
  if (!gParticleStateManager) return 1;
  if (gParticleStateManager->LoadEmiters(L"Data\\Particles\\Emiters.xml") == 0) {
    gamelog::Error(kSource, __LINE__, L"Load particle emiter info from file");
    return 0;
  }
  return 1;
}

int Game::Release() {
  if (gPlayerList && !gCurrentPlayer.mName.empty()) {
    const bool inPlay = gGameState == kStateInGame || gGameState == kStatePauseMenu ||
                        (gGameState == kStateOptions && gOptionsReturnState == kStatePauseMenu);
    if (inPlay && gLogic) gLogic->SaveCurrentStepName(0);
    gPlayerList->SavePlayer(gCurrentPlayer);
  }
  DeleteInterface();
  delete gLogic;
  gLogic = nullptr;
  delete gMouseCursor;
  gMouseCursor = nullptr;
  delete gGameLight;
  gGameLight = nullptr;
  if (gPlayerList) {
    gPlayerList->Release();
    delete gPlayerList;
    gPlayerList = nullptr;
  }
  delete gCamera;
  gCamera = nullptr;

  std::wstring path;
  Ini::GetPath(path);
  Ini::SetFloat(path, L"Game", L"SoundVolume", gSoundVolume);
  Ini::SetFloat(path, L"Game", L"MusikVolume", gMusicVolume);
  Ini::SetFloat(path, L"Game", L"EffectVolume", gEffectVolume);
  Ini::SetString(path, L"Game", L"PlayerName", gCurrentPlayer.mName);
  return 1;
}
