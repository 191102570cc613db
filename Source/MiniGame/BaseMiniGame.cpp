#include "MiniGame/BaseMiniGame.h"

CBaseMiniGame::CBaseMiniGame(rovovoz::CGameCore* core) : mCore(core), mLoadFlags(rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX) {}

CBaseMiniGame::~CBaseMiniGame() { mMemControl.ReleaseAll(); }

int32_t CBaseMiniGame::Init(uint32_t options) {
  mInitOptions = options;
  return 0;
}

int32_t CBaseMiniGame::Load(uint32_t flags) {
  mLoadFlags = flags;
  return mMemControl.LoadAll(flags) != 0 ? 1 : 0;
}

int32_t CBaseMiniGame::UnLoad(uint32_t) { return 1; }

int CBaseMiniGame::Start() { return 0; }

int32_t CBaseMiniGame::Update(float, rovovoz::CMouseCursor*) { return 0; }

int32_t CBaseMiniGame::Render() { return 0; }

bool CBaseMiniGame::IsActive() const { return true; }

bool CBaseMiniGame::IsComplete() const { return mFinished && mState == kStateRunning; }

bool CBaseMiniGame::IsWon() const { return false; }

bool CBaseMiniGame::PausesSceneSound() const { return false; }

int CBaseMiniGame::Finish() {
  mFinished = true;
  mState = kStateClosing;
  return 1;
}
