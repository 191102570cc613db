#include "Engine/rovovoz/GameCore.h"

#include "Engine/rovovoz/AnimModelManager.h"
#include "Engine/rovovoz/Core.h"
#include "Engine/rovovoz/ParticleStateManager.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"

namespace rovovoz {
namespace {
float gKW = 1.0f;
float gKH = 1.0f;
}  // namespace

CGameCore::CGameCore()
    : mFileSystem(std::make_unique<zorfile::CFileSystem>()),
      mWindow(std::make_unique<zuzorev::CWindowSystem>()),
      mRender(std::make_unique<zuzorev::CRenderSystem>()),
      mInput(std::make_unique<zuzorev::CInputSystem>()),
      mTextManager(std::make_unique<CTextManager>()),
      mScript(std::make_unique<CScriptFunctions>()),
      mCore(std::make_shared<CCore>()),
      mSound(std::make_shared<CGameSoundSystem>(mCore->GetSound())),
      mVideoPlayer(std::make_shared<zorvideo::CVideoPlayer>()),
      mAnimModels(std::make_shared<CAnimModelManager>(this)),
      mParticleStates(std::make_shared<CParticleStateManager>()) {
  zorfile::SetFileSystem(mFileSystem.get());
  // Regaining focus ends a lost device (full screen left and come back to).
  zuzorev::CRenderSystem* render = mRender.get();
  mWindow->SetFocusHook([render](bool gained) {
    if (gained) render->mDeviceLost = 0;
  });
}

CGameCore::~CGameCore() {
  // Later parts first (they may use the rest), then input, render, window.
  mParticleStates.reset();
  mAnimModels.reset();
  mVideoPlayer.reset();
  mSound.reset();
  mCore.reset();
  mInput->Release();
  mRender->Release();
  mWindow->SetFocusHook(nullptr);
  mInput.reset();
  mRender.reset();
  mWindow.reset();
  mScript.reset();
  mTextManager.reset();
  if (zorfile::GetFileSystem() == mFileSystem.get()) zorfile::SetFileSystem(nullptr);
  mFileSystem.reset();
}

void CalculateInterfaceKoef(CGameCore* core) {
  zuzorev::CRenderSystem* render = core ? core->GetRender() : nullptr;
  if (!render) return;
  // The virtual screen keeps its aspect, so both factors are the same.
  gKW = gKH = render->GetVirtualScale();
}

float GetKW() { return gKW; }
float GetKH() { return gKH; }

}  // namespace rovovoz
