#include "Interface/MainMenu.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "GameState.h"
#include "Interface/BonusDisableMenu.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/PlayMenu.h"
#include "Interface/UserDestroyMenu.h"
#include "Interface/WinMenu.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {
constexpr float kPi = 3.1415927f;
constexpr float kFlyIn = 4.5f;
constexpr float kDepth = -895.0f;
const wchar_t* const kModels = L"LHT60_MM.ZORM";

enum { kPlay, kPanel, kOptions, kExtras, kQuit, kChange, kName };

float Clamp01(float v) { return std::min(std::max(v, 0.0f), 1.0f); }

void OnPlay() {
  if (gMainMenu) gMainMenu->Close();
  if (gCurrentPlayer.mName.empty())
    gNextGameState = kStateUserNameFromPlay;
  else if (gPlayMenu)
    gPlayMenu->Open();
}

void OnOptions() {
  if (gMainMenu) gMainMenu->Close();
  gOptionsReturnState = kStateMainMenu;
  gNextGameState = kStateOptions;
}

void OnExtras() {
  if (gCurrentPlayer.mGameFinished != 0) {
    if (gExtrasMenu) gExtrasMenu->Open(0);
  } else if (gBonusDisableMenu) {
    gBonusDisableMenu->Open();
  }
}

void OnExit() {
  if (gMainMenu) gMainMenu->Close();
  gExitRequest = kExitFromMenu;
}

void OnChange() {
  if (gMainMenu) gMainMenu->Close();
  gNextGameState = gCurrentPlayer.mName.empty() ? kStateUserNameNoPlayer : kStateUserMenu;
}

bool Shown(const rovovoz::CGUIBaseObject* form) { return form && form->GetVisible(); }
}  // namespace

const wchar_t* const CMainMenu::kMovingNames[kMoving] = {L"B_play", L"Panel",  L"B_options", L"B_extras",
                                                         L"B_quit", L"B_changePlayer", L"NameUser"};

CMainMenu::CMainMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : rovovoz::CGUIForm(core, parent) {
  if (core && core->GetScript()) {
    core->GetScript()->AddCommand(L"MainBCPlay", OnPlay);
    core->GetScript()->AddCommand(L"MainBCOptions", OnOptions);
    core->GetScript()->AddCommand(L"MainBCExtras", OnExtras);
    core->GetScript()->AddCommand(L"MainBCExit", OnExit);
    core->GetScript()->AddCommand(L"MainBCChange", OnChange);
  }
}

CMainMenu::~CMainMenu() = default;

int32_t CMainMenu::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  const int32_t result = rovovoz::CGUIForm::LoadProperty(element, index, flags);
  KorectOpornPoint2D(zormath::Vec3f(512.0f, 384.0f, 0.0f), 1, 1);
  for (int i = 0; i < kMoving; ++i) {
    rovovoz::CGUIBaseObject* child = GetChild(kMovingNames[i]);
    mHasBase[i] = child != nullptr;
    if (child) mBase[i] = child->GetPosition3D();
  }
  return result;
}

int32_t CMainMenu::Load(const std::wstring& file, uint32_t flags) {
  const int32_t result = rovovoz::CGUIForm::Load(file, flags);
  if (result >= 0) LoadScene();
  return result;
}

void CMainMenu::LoadScene() {
  auto load = [&](std::unique_ptr<rovovoz::CStaticObject3D>& model, const wchar_t* name) {
    model = std::make_unique<rovovoz::CStaticObject3D>(GetCore());
    if (model->LoadModel(kModels, name, 11, 0) == 0) model.reset();
  };
  load(mSkyTop, L"S_neboVerh");
  load(mSky, L"S_nebo");
  load(mLoaderBack, L"S_loader_podlojka");
  load(mLoaderBar, L"S_loader_shkala");
  load(mLoaderFrame, L"S_loader_decor");
  for (auto* loader : {mLoaderBack.get(), mLoaderBar.get(), mLoaderFrame.get()}) {
    if (!loader) continue;
    const zormath::Vec3f p = loader->GetPosition3D();
    loader->SetPosition3D(p.x, p.y, p.z - 895.0f);
  }
  load(mLogo, L"S_logoCE");
}

void CMainMenu::ResetTimers() {
  mSceneTime = 0.0f;
  mSwayTime = 0.0f;
}

int CMainMenu::UpdateScene(float dt, rovovoz::CMouseCursor*) {
  mSceneTime += dt;
  mSwayTime += dt;
  return mSceneTime <= kFlyIn ? 1 : 0;
}

void CMainMenu::Enter() {
  if (GetCore() && GetCore()->GetSound()) GetCore()->GetSound()->Play(L"AS_Dojd_s_grozoi", 5.0f, 0);
  ClearState();
  SetGreeting();
  if (gPlayMenu) gPlayMenu->SetVisible(0);
  if (gCurrentPlayer.mWinState == 1) {
    if (gPlayMenu) gPlayMenu->Open();
    if (gWinMenu) gWinMenu->Open();
  }
}

int CMainMenu::Close() {
  ClearState();
  return 1;
}

void CMainMenu::SetGreeting() {
  if (rovovoz::CGUIBaseObject* name = GetChild(L"NameUser")) name->SetText(gCurrentPlayer.mName);
  if (rovovoz::CGUIBaseObject* greeting = GetChild(L"Privet"))
    greeting->SetVisible(gCurrentPlayer.mName.empty() ? 0 : 1);
}

int32_t CMainMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  for (rovovoz::CGUIForm* overlay : {static_cast<rovovoz::CGUIForm*>(gExtrasMenu),
                                     static_cast<rovovoz::CGUIForm*>(gWinMenu),
                                     static_cast<rovovoz::CGUIForm*>(gPlayMenu)}) {
    if (Shown(overlay)) {
      overlay->Update(dt, cursor);
      return 0;
    }
  }
  if (gUserDestroyMenu) {
    if (Shown(gUserDestroyMenu)) {
      gUserDestroyMenu->Update(dt, cursor);
      if (!Shown(gUserDestroyMenu) && gPlayerList) gPlayerList->DeleteFirstBadFile();
      return 0;
    }
    if (gPlayerList && gPlayerList->HasBadFiles()) gUserDestroyMenu->Open(gPlayerList->FirstBadFile());
  }
  if (Shown(gBonusDisableMenu)) {
    gBonusDisableMenu->Update(dt, cursor);
    return 0;
  }
  const int32_t result = rovovoz::CGUIBaseObject::Update(dt, cursor);
  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  if (input && input->IsVKey(27, zuzorev::kInputDown)) ResetTimers();
  return result;
}

void CMainMenu::DrawAt(rovovoz::CStaticObject3D* model, float offset) {
  if (!model) return;
  const zormath::Vec3f p = model->GetPosition3D();
  model->SetPosition3D(p.x, p.y, p.z + offset);
  model->Render();
  model->SetPosition3D(p);
}

// The panel and its buttons rise with the scene; the Extras button stands
// with the urn.
void CMainMenu::PlaceMoving(float extras, float others) {
  for (int i = 0; i < kMoving; ++i) {
    rovovoz::CGUIBaseObject* child = mHasBase[i] ? GetChild(kMovingNames[i]) : nullptr;
    if (!child) continue;
    const float z = i == kExtras ? extras : others;
    child->SetPosition3D(mBase[i].x, mBase[i].y, mBase[i].z + z);
  }
}

int32_t CMainMenu::Render() {
  const float u = std::min(mSceneTime / kFlyIn, 1.0f);
  const float e = kFlyIn * (1.0f - std::cos(kPi * u)) / 2.0f;
  const float d = std::max(1.0f - e / kFlyIn, 0.0f);
  const float g = Clamp01(e - 3.5f);
  const float f = Clamp01((mSceneTime - kFlyIn) / 1.5f);
  DrawAt(mSky.get(), kDepth * d);
  DrawAt(mSkyTop.get(), kDepth * d);
  if (GetChild(L"Panel")) PlaceMoving(295.0f * g + kDepth * d, 250.0f * f + kDepth * d);
  DrawAt(mLogo.get(), 53.0f * std::min(e / kFlyIn, 1.0f) + kDepth);
  const float loaderAlpha = std::max(1.0f - 2.0f * mSceneTime, 0.0f);
  for (rovovoz::CStaticObject3D* loader : {mLoaderBack.get(), mLoaderBar.get(), mLoaderFrame.get()}) {
    if (!loader || loaderAlpha <= 0.0f) continue;
    loader->SetAlpha(loaderAlpha);
    loader->Render();
  }
  rovovoz::CGUIBaseObject::Render();
  if (Shown(gExtrasMenu)) gExtrasMenu->Render();
  if (Shown(gPlayMenu)) gPlayMenu->Render();
  if (Shown(gWinMenu) && mSceneTime > kFlyIn) gWinMenu->Render();
  if (Shown(gUserDestroyMenu)) gUserDestroyMenu->Render();
  if (Shown(gBonusDisableMenu)) gBonusDisableMenu->Render();
  return 0;
}

int32_t CMainMenu::Release(uint32_t flags) {
  mSkyTop.reset();
  mSky.reset();
  mLogo.reset();
  mLoaderBack.reset();
  mLoaderBar.reset();
  mLoaderFrame.reset();
  return rovovoz::CGUIForm::Release(flags);
}
