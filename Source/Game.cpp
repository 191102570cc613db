// The game object: its globals, start-up of the engine pointers, camera,
// light and cursor, and its reaction to activation.
#include "Game.h"

#include "AppPaths.h"
#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameLight.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "GameLog.h"
#include "GameState.h"
#include "Interface/OptionsMenu.h"
#include "LoadProgress.h"
#include "Logic/Logic.h"
#include "Platform/Paths.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {
const wchar_t* const kSource = L"Source/Game";
}

rovovoz::CGameCore* gGameCore = nullptr;
zuzorev::CWindowSystem* gWindowSystem = nullptr;
zuzorev::CInputSystem* gInputSystem = nullptr;
zuzorev::CRenderSystem* gRenderSystem = nullptr;
rovovoz::CGameSoundSystem* gSoundSystem = nullptr;
rovovoz::CAnimModelManager* gAnimModelManager = nullptr;
rovovoz::CTextManager* gTextManager = nullptr;
zorvideo::CVideoPlayer* gVideoPlayer = nullptr;
rovovoz::CParticleStateManager* gParticleStateManager = nullptr;

rovovoz::CCamera* gCamera = nullptr;
rovovoz::CGameLight* gGameLight = nullptr;
rovovoz::CMouseCursor* gMouseCursor = nullptr;
CLogic* gLogic = nullptr;

float gSoundVolume = 1.0f;
float gMusicVolume = 1.0f;
float gEffectVolume = 1.0f;

Game::Game() {
  gGameCore = nullptr;
  gWindowSystem = nullptr;
  gInputSystem = nullptr;
  gRenderSystem = nullptr;
  gTextManager = nullptr;
  gSoundSystem = nullptr;
  gVideoPlayer = nullptr;
  gParticleStateManager = nullptr;
  gMouseCursor = nullptr;
  gPlayerList = nullptr;
}

Game::~Game() {
  gGameCore = nullptr;
  gWindowSystem = nullptr;
  gInputSystem = nullptr;
  gRenderSystem = nullptr;
  gSoundSystem = nullptr;
  gAnimModelManager = nullptr;
  gTextManager = nullptr;
  gVideoPlayer = nullptr;
  gParticleStateManager = nullptr;
}

int Game::Init(rovovoz::CGameCore* core) {
  gCurrentPlayer.mName.clear();
  gGameCore = core;
  if (!gGameCore) {
    gamelog::Error(kSource, __LINE__, L"Null core.");
    return 0;
  }
  gWindowSystem = core->GetWindow();
  gInputSystem = core->GetInput();
  gRenderSystem = core->GetRender();
  gSoundSystem = core->GetSound();
  gAnimModelManager = core->GetAnimModelManager();
  gTextManager = core->GetTextManager();
  gVideoPlayer = core->GetVideoPlayer();
  gParticleStateManager = core->GetParticleStateManager();

  delete gCamera;
  gCamera = new rovovoz::CCamera(gGameCore);
  SetupCameraTransform();
  if (gRenderSystem) gRenderSystem->Set2DOrthoInfo(1024.0f, 768.0f);

  delete gGameLight;
  gGameLight = new rovovoz::CGameLight(gGameCore);
  gGameLight->Init(L"Light");
  gGameLight->SetType(3);
  gGameLight->SetDiffuse(1, 1, 1, 1);
  gGameLight->SetAmbient(0, 0, 0, 1);
  gGameLight->SetSpecular(1, 1, 1, 1);
  gGameLight->SetDirection(0, -1, 0);
  gGameLight->SetRange(1000.0f);
  gGameLight->SetAttenuation0(1.0f);
  gGameLight->SetAttenuation1(0.0f);
  gGameLight->SetAttenuation2(0.0f);
  gGameLight->Enable(1);

  if (gRenderSystem) {
    gRenderSystem->SetTransform(zuzorev::kTransformView, gCamera->GetViewMatrix());
    gRenderSystem->SetTransform(zuzorev::kTransformProjection, gCamera->GetProjectionMatrix(1));
    gRenderSystem->SetTransform(zuzorev::kTransformWorld, zormath::Mat4f::Identity());
    gRenderSystem->SetRenderState(zuzorev::kRsAmbient, 0xFEFEFEFEu);
  }

  delete gMouseCursor;
  gMouseCursor = new rovovoz::CMouseCursor(gGameCore);
  if (gMouseCursor->Load(L"Data\\Cursors\\Cursors.xml") <= 0) {
    gamelog::Error(kSource, __LINE__, L"Load info for mouse cursor.");
    return 0;
  }
  if (gRenderSystem)
    gMouseCursor->SetPosition(gRenderSystem->GetBackBufferWidth() / 2.0f, gRenderSystem->GetBackBufferHeight() / 2.0f,
                              1);

  delete gPlayerList;
  gPlayerList = new PlayerList(Platform::ToPath(gUserDataPath));
  gPlayerList->Load();

  if (gLoadProgress) gLoadProgress->Tick(0);
  gNextGameState = gGameState = kStateLoading;
  return 1;
}

void Game::SetupCameraTransform() {
  if (!gCamera) return;
  gCamera->SetProjectionType(0);
  gCamera->SetFovX(1024.0f);
  gCamera->SetFovY(768.0f);
  if (gRenderSystem) gCamera->SetWideKoef(gRenderSystem->GetWideKoefX(), gRenderSystem->GetWideKoefY());
  gCamera->SetFarDist(1110.0f);
  gCamera->SetNearDist(0.1f);
  gCamera->SetPosition(0.0f, 1010.0f, 0.0f);
  gCamera->SetDirection(zormath::Vec3f(0.0f, -1.0f, 0.0f), zormath::Vec3f(0.0f, 0.0f, 1.0f));
  gCamera->Update(0.0f, nullptr);
  if (gRenderSystem) {
    gRenderSystem->SetTransform(zuzorev::kTransformView, gCamera->GetViewMatrix());
    gRenderSystem->SetTransform(zuzorev::kTransformProjection, gCamera->GetProjectionMatrix(1));
  }
}

void Game::Activate() {
  SetupCameraTransform();
  if (gGameState == kStateOptions && gOptionsMenu) gOptionsMenu->RefreshVideoControls();
}

void Game::Deactivate() {
  // A change requested in the last frame is applied before the pause.
  if (gGameState == kStateInGame && gLogic) ChangeState();
}

void Game::RequestExit() { gExitRequest = 1; }
