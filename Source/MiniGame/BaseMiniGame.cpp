#include "MiniGame/BaseMiniGame.h"

#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "Interface/HintMenu.h"
#include "PlayerRecord.h"

namespace {

constexpr const wchar_t* kSource = L"Source/MiniGame/BaseMiniGame";
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
constexpr const wchar_t* kForms[] = {L"Data\\MiniGame\\MGButtons_v_01.xml", L"Data\\MiniGame\\MGButtons_v_02.xml",
                                     L"Data\\MiniGame\\MGButtons_v_03.xml", L"Data\\MiniGame\\MGButtons_v_04.xml",
                                     L"Data\\MiniGame\\MGButtons_v_05.xml"};
constexpr uint32_t kWindowOptionBit = 0x100;
constexpr float kHintPosition[3] = {0.0f, 360.0f, 0.0f};

}  // namespace

CBaseMiniGame::CBaseMiniGame(rovovoz::CGameCore* core)
    : rovovoz::CBaseObject(), mCore(core), mLoadFlags(rovovoz::ZOR_LM_TEXTURES | rovovoz::ZOR_LM_VERTEX) {
  mMemControl.Add(mWindow);
}

CBaseMiniGame::~CBaseMiniGame() {
  CBaseMiniGame::Release(0);
  mMemControl.ReleaseAll();
}

int32_t CBaseMiniGame::Init(uint32_t) {
  if (mButtonsType < std::size(kForms))
    LoadWindow(kForms[mButtonsType]);
  else
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, __LINE__,
                        L"Undefined buttons type. Invalid variable \"ButtonsType\" value in "
                        L"CBaseMiniGame::Init(DWORD InitOptions)!");
  return 0;
}

int32_t CBaseMiniGame::LoadWindow(const wchar_t* formPath) {
  delete mWindow;
  mWindow = new rovovoz::CStaticObject3D(mCore);
  if (mWindow->LoadModel(L"minigame_window.ZORM", L"Alpha_ekran", mWindowOptions | kWindowOptionBit, 0) <= 0) {
    delete mWindow;
    mWindow = nullptr;
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, __LINE__, L"minigame fail load model %s", L"Alpha_ekran");
    return kFail;
  }
  zormath::Vec3f position = mWindow->GetPosition3D();
  position.y += 250.0f;
  mWindow->SetPosition3D(position);
  if (mForm) {
    mForm->Release(0);
    delete mForm;
    mForm = nullptr;
  }
  mClose = mSkip = mHint = nullptr;
  if (!formPath) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, __LINE__, L"MiniGame XML is NULL!");
  } else {
    mForm = new rovovoz::CGUIForm(mCore, nullptr);
    if (mForm->Load(formPath, 3) >= 0) {
      mForm->AddPosition3D(zormath::Vec3f(0.0f, 300.0f, 0.0f));
      mForm->KorectOpornPoint2D(zormath::Vec3f(512.0f, 384.0f, 0.0f), 1, 0);
      mForm->SetWorldMatrix3D(zormath::Mat4f::Identity());
    } else {
      zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSource, __LINE__, L"Load custom MiniGameMenu");
      delete mForm;
      mForm = nullptr;
    }
  }
  if (mForm) {
    mClose = mForm->GetChild(L"BClose");
    mSkip = mForm->GetChild(L"BSkip");
    mHint = mForm->GetChild(L"BHint");
  }
  return 0;
}

std::wstring CBaseMiniGame::HintKey() const { return GetName() + L"_Hint_01"; }

void CBaseMiniGame::ShowHint() {
  if (!gHintMenu3) return;
  gHintMenu3->SelectHint(HintKey());
  gHintMenu3->Show(kHintPosition, 1, 0, 0, 0.0f, 2.0f, 1, 4);
}

int32_t CBaseMiniGame::UpdateWindow(float dt, rovovoz::CMouseCursor* cursor) {
  if (mState == kStateDelay) {
    if (mTimer > 0.0f) mTimer -= dt;
    if (mTimer <= 0.0f) {
      mState = kStateRunning;
      ShowHint();
    }
  } else if (mState == kStateClosing) {
    if (mTimer < 1.0f) mTimer += dt;
    if (mTimer >= 1.0f) mState = kStateRunning;
  }
  if (mWindow) mWindow->SetAlpha(mTimer);
  if (mForm) mForm->Update(dt, cursor);
  if (gHintMenu3) {
    const int8_t status = gHintMenu3->Update(dt, cursor);
    if (status < 0 && (status & 0x20)) gCurrentPlayer.mTutorialHints = 0;
  }
  if (mHint && mHintButton && (mHint->GetEvent() & 0x10)) ShowHint();
  return 0;
}

int32_t CBaseMiniGame::RenderWindow() {
  if (gRenderSystem) gRenderSystem->SetZEnable(0);
  if (mForm) mForm->Render();
  if (gHintMenu3) gHintMenu3->Render();
  if (mWindow) mWindow->Render();
  return 0;
}

int32_t CBaseMiniGame::CloseHint() {
  if (!gHintMenu3) return 0;
  if (gHintMenu3->GetCheck()) gCurrentPlayer.mTutorialHints = 0;
  gHintMenu3->CloseHint(1, 0.0f);
  return 1;
}

int32_t CBaseMiniGame::Load(uint32_t flags) {
  mLoadFlags = flags;
  return mMemControl.LoadAll(flags) != 0 ? 1 : 0;
}

int32_t CBaseMiniGame::UnLoad(uint32_t) { return 1; }

int32_t CBaseMiniGame::Release(uint32_t) {
  if (mForm) {
    mForm->Release(0);
    delete mForm;
    mForm = nullptr;
    mClose = mSkip = mHint = nullptr;
  }
  return 0;
}

int CBaseMiniGame::Start() { return 0; }

int32_t CBaseMiniGame::Update(float, rovovoz::CMouseCursor*) { return 0; }

int32_t CBaseMiniGame::Render() { return 0; }

bool CBaseMiniGame::IsActive() const { return true; }

bool CBaseMiniGame::IsComplete() const { return mFinished && mState == kStateRunning; }

bool CBaseMiniGame::IsWon() const { return false; }

bool CBaseMiniGame::PausesSceneSound() const { return false; }

int CBaseMiniGame::Finish() {
  CloseHint();
  mFinished = 1;
  mState = kStateClosing;
  return 1;
}
