#include "Interface/MainMenu.h"

#include <algorithm>
#include <cmath>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "GameLog.h"
#include "GameState.h"
#include "Interface/BonusDisableMenu.h"
#include "Interface/ExtrasMenu.h"
#include "Interface/PlayMenu.h"
#include "Interface/UserDestroyMenu.h"
#include "Interface/WinMenu.h"
#include "Objects/MaxAnim.h"
#include "Objects/ROLuchi.h"
#include "Objects/ROMolnia.h"
#include "Objects/RORain.h"
#include "Platform/Format.h"
#include "Platform/Random.h"
#include "PlayerList.h"
#include "PlayerRecord.h"

namespace {
constexpr float kPi = 3.1415927f;
constexpr float kFlyIn = 4.5f;
constexpr float kDepth = -895.0f;
const wchar_t* const kModels = L"LHT60_MM.ZORM";
const wchar_t* const kSource = L"Source/Interface/MainMenu";
const wchar_t* const kLockAnim = L"Data\\Animation\\LHT60_MM_zamok.xaf";
// The button effects and the fountain's, in the order they load.
struct SEffectFile {
  int slot;
  const wchar_t* path;
};

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
  } else {
    if (gMainMenu) gMainMenu->ShakeLock();
    if (gBonusDisableMenu) gBonusDisableMenu->Open();
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
  for (SWindow& w : mWindows) {
    NewWindowCycle(w);
    w.countdown = Platform::RandomFloat() * w.cycle;
  }
}

void CMainMenu::NewWindowCycle(SWindow& w) {
  const float lit = 4.0f + 10.0f * Platform::RandomFloat();
  w.dark = 4.0f + 10.0f * Platform::RandomFloat();
  w.cycle = lit + w.dark;
  w.countdown = w.cycle;
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
  if (result >= 0 && !LoadScene()) return 0;
  return result;
}

bool CMainMenu::LoadScene() {
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
  load(mDom, L"S_dom");
  load(mBranchLeft, L"S_vetkaSleva");
  load(mBranchRight, L"S_vetkaSprava");
  load(mTreeRight, L"S_derevoSprava");
  load(mTreeLeft, L"S_derevoSleva");
  for (size_t i = 0; i < mSway.size(); ++i) {
    const std::wstring name = Platform::FormatWide(L"A_vetkaKachaetsya_0%i", static_cast<int>(i) + 1);
    mSway[i] = std::make_unique<rovovoz::CStaticObject3D>(GetCore());
    if (mSway[i]->LoadModel(kModels, name, 11, 0) == 0) mSway[i].reset();
  }
  load(mFountain, L"S_fontan");
  load(mFountainGlow, L"A_zasvetFontan");
  load(mBushLeft, L"S_kustSleva");
  load(mUrnLeft, L"S_urnaSleva");
  for (rovovoz::CStaticObject3D* branch : {mBranchLeft.get(), mBranchRight.get()})
    if (branch) branch->SetRender2D(0);
  for (auto& branch : mSway)
    if (branch) branch->SetRender2D(0);
  // Without the scene's object file the title stands without weather,
  // logo, glint, effects, windows and lock; that is no failure.
  if (!LoadWeather()) return true;
  load(mGlint, L"S_logoBlikCE");
  load(mLogo, L"S_logoCE");
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (!render || render->LoadTexture(L"MM_Start_Screenline.tga", mScreenLine, 1, 0) < 0) {
    mScreenLine.Release();
    gamelog::Error(kSource, __LINE__, L"Start_Screen_line.tga");
    return false;
  }
  LoadEffects();
  for (int i = 0; i < kWindows; ++i) {
    auto& model = mWindows[static_cast<size_t>(i)].model;
    model = std::make_unique<rovovoz::CStaticObject3D>(GetCore());
    if (model->LoadModel(kModels, Platform::FormatWide(L"A_okno_%.2d", i + 1), 11, 0) <= 0) model.reset();
  }
  LoadLock();
  return true;
}

void CMainMenu::LoadEffects() {
  static const SEffectFile kFiles[] = {{kFxPlay, L"Data\\Particles\\LHT60_MM_PLAY"},
                                       {kFxOptions, L"Data\\Particles\\LHT60_MM_redparticles_OPTIONS"},
                                       {kFxQuit, L"Data\\Particles\\LHT60_MM_redparticles_QUIT"},
                                       {kFxChange, L"Data\\Particles\\LHT60_MM_redparticles_CHANGE_PLAYER"},
                                       {kFxFountain, L"Data\\Particles\\LHT60_MM_FONTAN"},
                                       {kFxExtras, L"Data\\Particles\\LHT60_extrasParticle"}};
  for (const SEffectFile& f : kFiles) {
    auto& effect = mEffects[static_cast<size_t>(f.slot)];
    effect = std::make_unique<RerivuzoZurodo::CParticleEffect>(GetCore());
    // A file that is missing or makes no emitter leaves that effect out.
    if (effect->LoadEffect(f.path, 1, nullptr, 11) == 0) effect.reset();
  }
}

// The lock and chains hang over the Extras button until the game is
// finished; a click on the locked button plays them once. Without their
// model or their keys (no animation file) they stay out of the scene.
void CMainMenu::LoadLock() {
  zorfile::CFileSystem* fs = zorfile::GetFileSystem();
  if (!fs || !fs->FileExist(kLockAnim)) {
    gamelog::Info(kSource, __LINE__, L"Main menu: no lock animation %s; the Extras button stands unlocked",
                  kLockAnim);
    return;
  }
  auto anim = [&](std::unique_ptr<CMaxAnim>& a, const wchar_t* name) {
    a = std::make_unique<CMaxAnim>(GetCore());
    a->LoadFromFiles(kModels, name, kLockAnim, name, 11);
    if (!a->GetModel() || a->GetKeyCount() == 0) {
      a.reset();
      return;
    }
    a->PlayAndHold();
  };
  anim(mLock, L"A_zamokExtras");
  anim(mChains, L"A_cepiExtras");
}

// The rain, lightning, lamp rays and splashes named by the scene's object
// file; false when the file or its object list is missing.
bool CMainMenu::LoadWeather() {
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, L"Data\\Interface\\main_menu_anim.xml")) return false;
  const TiXmlElement* objects = FirstChildElementUpper(&doc, "Objects");
  if (!objects) return false;
  auto make = [&](auto& slot, const char* name) {
    using T = typename std::decay_t<decltype(slot)>::element_type;
    const TiXmlElement* e = FirstChildElementUpper(objects, name);
    const TiXmlElement* properties = e ? FirstChildElementUpper(e, "Properties") : nullptr;
    if (!properties) return;
    slot = std::make_unique<T>(GetCore());
    if (slot->Load(properties, kModels, 11) < 0) slot.reset();
  };
  make(mRain[0], "Rain1");
  make(mRain[1], "Rain2");
  make(mRain[2], "Rain3");
  make(mLightning[0], "Moln1");
  make(mLightning[1], "Moln2");
  make(mLightning[2], "Moln3");
  make(mRays[0], "Lampa1");
  make(mRays[1], "Lampa2");
  const TiXmlElement* brizgi = FirstChildElementUpper(objects, "Brizgi");
  const TiXmlElement* properties = brizgi ? FirstChildElementUpper(brizgi, "Properties") : nullptr;
  const TiXmlAttribute* path = properties ? FindUpper(properties, "Path") : nullptr;
  if (path) {
    mBrizgi = std::make_unique<RerivuzoZurodo::CParticleEffect>(GetCore());
    if (mBrizgi->LoadEffect(ValueUtf8(path), 1, nullptr, 11) == 0) mBrizgi.reset();
  }
  return true;
}

void CMainMenu::ShakeLock() {
  if (mLock) mLock->PlayAndHold();
  if (mChains) mChains->PlayAndHold();
}

int CMainMenu::GetWeatherCount() const {
  int n = 0;
  for (const auto& o : mRain) n += o ? 1 : 0;
  for (const auto& o : mLightning) n += o ? 1 : 0;
  for (const auto& o : mRays) n += o ? 1 : 0;
  return n;
}

float CMainMenu::GetWindowAlpha(int i) const {
  if (i < 0 || i >= kWindows || !mWindows[static_cast<size_t>(i)].model) return -1.0f;
  return mWindows[static_cast<size_t>(i)].model->GetAlpha();
}

void CMainMenu::UpdateWindows(float dt) {
  for (SWindow& w : mWindows) {
    if (!w.model) continue;
    w.countdown -= dt;
    float alpha = 1.0f;
    if (w.countdown < 0.0f) {
      NewWindowCycle(w);
    } else if (w.countdown <= w.dark) {
      // Dark, lighting up over its last 2 s and going dark over its first 2 s.
      alpha = 0.0f;
      if (w.countdown < 2.0f) alpha = 1.0f - w.countdown / 2.0f;
      if (w.countdown > w.dark - 2.0f) alpha = (w.countdown - (w.dark - 2.0f)) / 2.0f;
    }
    w.model->SetAlpha(alpha);
  }
}

void CMainMenu::ResetTimers() {
  mSceneTime = 0.0f;
  mSwayTime = 0.0f;
}

int CMainMenu::UpdateScene(float dt, rovovoz::CMouseCursor*) {
  mSceneTime += dt;
  mGlintTimer -= 0.2f * dt;
  if (mGlintTimer < 0.0f) mGlintTimer = 1.0f + 1.2f * Platform::RandomFloat();
  mSwayTime += dt;
  for (size_t i = 0; i < mSway.size(); ++i) {
    if (!mSway[i]) continue;
    const float k = static_cast<float>(i);
    const float a = 0.05f * std::sin(mSwayTime + k + k * k);
    mSway[i]->SetDirection3D(zormath::Vec3f(std::sin(a), 0.0f, std::cos(a)));
  }
  const float rainAlpha = std::min(mSceneTime * 0.5f, 1.0f);
  for (auto& rain : mRain) {
    if (!rain) continue;
    rain->Update(dt, nullptr);
    rain->SetAlpha(rainAlpha);
  }
  // Lightning and rays stay away for the first 5 s and are full from 7 s.
  const float lightAlpha = Clamp01((mSceneTime - 5.0f) * 0.5f);
  for (auto& o : mLightning) {
    if (!o) continue;
    o->Update(dt, nullptr);
    o->SetAlpha(lightAlpha);
  }
  for (auto& o : mRays) {
    if (!o) continue;
    o->Update(dt, nullptr);
    o->SetAlpha(lightAlpha);
  }
  if (mBrizgi) {
    mBrizgi->Update(dt, nullptr);
    mBrizgi->SetAlpha(lightAlpha);
  }
  for (auto& effect : mEffects)
    if (effect) effect->Update(dt, nullptr);
  UpdateWindows(dt);
  if (mLock) mLock->Update(dt, nullptr);
  if (mChains) mChains->Update(dt, nullptr);
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

// A button's sparks emit while the pointer is on the button and die away
// once it leaves; the Extras sparks stay off while its locked notice shows.
void CMainMenu::SwitchButtonEffects() {
  struct SButton {
    const wchar_t* name;
    int slot;
  };
  static const SButton kButtons[] = {{L"B_play", kFxPlay},
                                     {L"B_options", kFxOptions},
                                     {L"B_quit", kFxQuit},
                                     {L"B_changePlayer", kFxChange},
                                     {L"B_extras", kFxExtras}};
  for (const SButton& b : kButtons) {
    RerivuzoZurodo::CParticleEffect* effect = mEffects[static_cast<size_t>(b.slot)].get();
    if (!effect) continue;
    const rovovoz::CGUIBaseObject* button = GetChild(b.name);
    bool on = button && button->GetActive() != 0;
    if (b.slot == kFxExtras && Shown(gBonusDisableMenu)) on = false;
    const bool emitting = effect->GetSystem().IsEmitting();
    if (on && !emitting) effect->Start(1);
    if (!on && emitting) effect->Stop(1);
  }
}

// The streak: the screen line, bound as the second texture, limits the
// glint's alpha; its texture coordinates are squeezed to half and shifted
// by the timer, so the line crosses the logo from left to right as the
// timer runs from 0.5 down to 0.
void CMainMenu::RenderGlint(float offset) {
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (!mGlint || !render || mGlintTimer >= 1.0f) return;
  zormath::Mat4f sweep = zormath::Mat4f::Identity();
  sweep(0, 0) = 0.5f;
  sweep(2, 0) = mGlintTimer;
  render->BindTexture(1, mScreenLine.IsNamed() ? &mScreenLine : nullptr);
  render->SetTransform(zuzorev::kTransformTexture1, sweep);
  render->SetTextureStageState(1, zuzorev::kTssTextureTransformFlags, zuzorev::kTextureTransformCount2);
  const int multAlpha = render->GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH_SECONDTEX_MULTALPHA");
  if (multAlpha >= 0) mGlint->SetRenderSeting(multAlpha);
  DrawAt(mGlint.get(), offset);
  render->SetTransform(zuzorev::kTransformTexture1, zormath::Mat4f::Identity());
  render->SetTextureStageState(1, zuzorev::kTssTextureTransformFlags, 0);
  render->BindTexture(1, nullptr);
  const int smooth = render->GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH");
  if (smooth >= 0) mGlint->SetRenderSeting(smooth);
}

// The lock and chains take their pose from their keys; the fly-in's
// offset moves the posed models and puts them back.
void CMainMenu::RenderLock(float offset) {
  for (CMaxAnim* a : {mLock.get(), mChains.get()}) {
    rovovoz::CBaseGeometryObject* target = a ? a->GetTarget() : nullptr;
    if (!target) continue;
    const zormath::Vec3f p = target->GetPosition3D();
    target->SetPosition3D(p.x, p.y, p.z + offset);
    a->Render();
    target->SetPosition3D(p);
  }
}

int32_t CMainMenu::Render() {
  const float u = std::min(mSceneTime / kFlyIn, 1.0f);
  const float e = kFlyIn * (1.0f - std::cos(kPi * u)) / 2.0f;
  const float d = std::max(1.0f - e / kFlyIn, 0.0f);
  const float g = Clamp01(e - 3.5f);
  const float f = Clamp01((mSceneTime - kFlyIn) / 1.5f);
  const float b = Clamp01(1.0f - (e - 1.5f) / 3.0f);
  const float h = Clamp01((e - 1.5f) / 3.0f);
  DrawAt(mSky.get(), kDepth * d);
  DrawAt(mSkyTop.get(), kDepth * d);
  if (mDom) {
    const float at = kDepth * d - 250.0f * b;
    DrawAt(mDom.get(), at);
    for (SWindow& w : mWindows) DrawAt(w.model.get(), at);
  }
  for (auto& o : mLightning)
    if (o) o->Render();
  for (auto& o : mRays)
    if (o) o->Render();
  if (GetChild(L"Panel")) {
    PlaceMoving(295.0f * g + kDepth * d, 250.0f * f + kDepth * d);
    SwitchButtonEffects();
  }
  DrawAt(mBushLeft.get(), 166.0f * g + kDepth * d);
  DrawAt(mUrnLeft.get(), 295.0f * g + kDepth * d);
  DrawAt(mFountain.get(), 308.0f * g + kDepth * d);
  // The fountain's glow model is kept but not drawn: over the night scene
  // its flat light only showed as a pale box.
  if (RerivuzoZurodo::CParticleEffect* spray = mEffects[kFxFountain].get()) {
    // The spray stands where the fountain ends up; it rises with it.
    const zormath::Vec3f p = spray->GetPosition3D();
    spray->SetPosition3D(p.x, p.y, p.z + 308.0f * g + kDepth * d - 308.0f);
    spray->Render();
    spray->SetPosition3D(p);
  }
  if (mBranchLeft) {
    const float at = 798.0f * h + kDepth * d;
    for (rovovoz::CStaticObject3D* m : {mBranchLeft.get(), mBranchRight.get(), mTreeRight.get(), mTreeLeft.get()})
      DrawAt(m, at);
    for (auto& branch : mSway) DrawAt(branch.get(), at);
  }
  const float logoAt = 53.0f * std::min(e / kFlyIn, 1.0f) + kDepth;
  DrawAt(mLogo.get(), logoAt);
  RenderGlint(logoAt);
  const float loaderAlpha = std::max(1.0f - 2.0f * mSceneTime, 0.0f);
  for (rovovoz::CStaticObject3D* loader : {mLoaderBack.get(), mLoaderBar.get(), mLoaderFrame.get()}) {
    if (!loader || loaderAlpha <= 0.0f) continue;
    loader->SetAlpha(loaderAlpha);
    loader->Render();
  }
  rovovoz::CGUIBaseObject::Render();
  if (gCurrentPlayer.mGameFinished == 0) RenderLock(295.0f * g + kDepth * d);
  if (mSceneTime > 6.0f)
    for (int slot : {kFxPlay, kFxOptions, kFxQuit, kFxChange, kFxExtras})
      if (mEffects[static_cast<size_t>(slot)]) mEffects[static_cast<size_t>(slot)]->Render();
  for (auto& rain : mRain)
    if (rain) rain->Render();
  if (mBrizgi) mBrizgi->Render();
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
  for (auto* m : {&mDom, &mBranchLeft, &mBranchRight, &mTreeRight, &mTreeLeft, &mFountain, &mFountainGlow,
                  &mBushLeft, &mUrnLeft})
    m->reset();
  for (auto& m : mSway) m.reset();
  for (SWindow& w : mWindows) w.model.reset();
  for (auto& o : mRain) o.reset();
  for (auto& o : mLightning) o.reset();
  for (auto& o : mRays) o.reset();
  mBrizgi.reset();
  mGlint.reset();
  for (auto& effect : mEffects) effect.reset();
  mLock.reset();
  mChains.reset();
  mScreenLine.Release();
  return rovovoz::CGUIForm::Release(flags);
}
