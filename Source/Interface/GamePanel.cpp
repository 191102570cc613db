// The panel's life: construction, loading of its form and pieces, release,
// the panel modes and the restore from the player's record at every scene
// start.
#include "Interface/GamePanel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "AppConfig.h"
#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "GameLog.h"
#include "Interface/DialogPlayer.h"
#include "Interface/Dnevnik.h"
#include "Interface/PredmetMenu.h"
#include "Logic/BaseEpisod.h"
#include "PlayerRecord.h"

namespace {

const wchar_t* const kSource = L"GamePanel";
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
const wchar_t* const kPanelModels = L"LHT60_GP.zorm";
const wchar_t* const kPanelTriangles = L"LHT60_GP.zort";

}  // namespace

CGamePanel::CGamePanel(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : rovovoz::CGUIForm(core, parent) {
  mItems.reserve(kMaxItems);
  for (int i = 0; i < kMaxItems; ++i) mItems.push_back(std::make_unique<SPanelItem>());
  mHogRows.resize(static_cast<size_t>(gPanelSlotCount));
  mDnevnikFrames.resize(40);
  mLevelParticlesA = std::make_unique<rovovoz::CParticleSystem>(core);
  mLevelParticlesB = std::make_unique<rovovoz::CParticleSystem>(core);
  mRegionParticlesA = std::make_unique<rovovoz::CParticleSystem>(core);
  mRegionParticlesB = std::make_unique<rovovoz::CParticleSystem>(core);
  mLevelParticlesA->Init(0);
  mLevelParticlesB->Init(1000);
  mRegionParticlesA->Init(0);
  mRegionParticlesB->Init(1000);
}

CGamePanel::~CGamePanel() {
  mPredmetMenu.reset();
  mDialog.reset();
  Release();
}

template <class T>
T* CGamePanel::Child(const wchar_t* name) const {
  return dynamic_cast<T*>(GetChild(name));
}

std::unique_ptr<rovovoz::CStaticObject3D> CGamePanel::LoadPanelModel(const std::wstring& file,
                                                                     const std::wstring& name, bool keepOnFailure,
                                                                     const wchar_t* error) {
  auto model = std::make_unique<rovovoz::CStaticObject3D>(GetCore());
  if (model->LoadModel(file, name, 11) > 0) {
    model->SetRender2D(1);
    return model;
  }
  if (error) gamelog::Error(kSource, __LINE__, error);
  if (!keepOnFailure) model.reset();
  return model;
}

std::unique_ptr<rovovoz::CTriangleObject3D> CGamePanel::LoadPanelTriangle(const std::wstring& file,
                                                                          const std::wstring& name,
                                                                          const wchar_t* error) {
  auto triangle = std::make_unique<rovovoz::CTriangleObject3D>(GetCore());
  if (triangle->LoadModel(file, name, 9) <= 0) gamelog::Error(kSource, __LINE__, error);
  return triangle;
}

int32_t CGamePanel::Load(const std::wstring& file, uint32_t flags) {
  if (rovovoz::CGUIForm::Load(file, flags) < 0) {
    gamelog::Error(kSource, __LINE__, L"Init form game panel");
    return kFail;
  }
  mLGhost = Child<rovovoz::CGUILabel>(L"LGhost");
  mLGhost2 = GetChild(L"LGhost2");
  mPodlojkaNiz = GetChild(L"gp_podlojka_niz");
  mPodlojka = GetChild(L"gp_podlojka");
  mLeftSide = GetChild(L"gp_left_side");
  mRightSide = GetChild(L"gp_right_side");
  mVerh = GetChild(L"gp_verh");
  mBDnevnik = GetChild(L"BDnevnik");
  mBDnevnikClose = GetChild(L"BDnevnikClose");
  mBRight = GetChild(L"BRight");
  mBLeft = GetChild(L"BLeft");
  mBMenu = GetChild(L"BMenu");
  mBStrategy = gAppConfig.IsGuideOn() ? GetChild(L"BStrategy") : nullptr;
  mBHint = GetChild(L"BHint");
  mBSkip = GetChild(L"BSkip");
  mBSkipDialog = GetChild(L"BSkipDialog");
  mLOstalos = Child<rovovoz::CGUILabel>(L"LOstalos");
  mLInventory = GetChild(L"LInventory");
  mLTipsMiniGame = GetChild(L"LTipsMiniGame");
  mLTextMiniGame = Child<rovovoz::CGUILabel>(L"LTextMiniGame");
  mLTextDialog = Child<rovovoz::CGUILabel>(L"LTextDialog");
  if (mLOstalos) mOstalosCaption = mLOstalos->GetText();

  mHintDis = LoadPanelModel(kPanelModels, L"B_hint_dis", false, nullptr);
  mHintDef = LoadPanelModel(kPanelModels, L"B_hint_def", false, nullptr);
  if (mHintDef) mHintDef->SetPositionY3D(800.0f);
  mAlphaHint = LoadPanelModel(kPanelModels, L"Alpha_hint", false, nullptr);
  if (mAlphaHint) {
    mAlphaHint->SetPositionY3D(805.0f);
    mAlphaHint->SetRender2D(0);
  }
  mSkipDis = LoadPanelModel(kPanelModels, L"B_skip_dis", false, nullptr);
  mSkipDef = LoadPanelModel(kPanelModels, L"B_skip_def", false, nullptr);
  if (mSkipDef) mSkipDef->SetPositionY3D(900.0f);
  mAlphaSkip = LoadPanelModel(kPanelModels, L"Alpha_skip", false, nullptr);
  if (mAlphaSkip) {
    mAlphaSkip->SetPositionY3D(905.0f);
    mAlphaSkip->SetRender2D(0);
  }

  mAlphaEkran = LoadPanelModel(kPanelModels, L"Alpha_ekran", true, L"Load game panel Alpha_ekran");
  mAlphaEkran2 = std::make_unique<rovovoz::CStaticObject3D>(*mAlphaEkran);
  mAlphaEkran3 = std::make_unique<rovovoz::CStaticObject3D>(*mAlphaEkran);
  mAlphaEkran4 = std::make_unique<rovovoz::CStaticObject3D>(*mAlphaEkran);
  mDirka = LoadPanelModel(kPanelModels, L"Dirka", true, L"Load game panel Dirka");

  mPredmetMenu = std::make_unique<CPredmetMenu>(GetCore(), nullptr);
  if (mPredmetMenu->Load(L"Data\\Interface\\PredmetMenu.xml", 3) < 0) {
    gamelog::Error(kSource, __LINE__, L"Load predmet menu.");
    return kFail;
  }

  for (int k = 0; k < kVisibleItems; ++k) mSlots[k] = SlotPosition(k);
  mNextSlotTarget = mNextSlotPos = mBase;

  for (int i = 1; i <= 39; ++i) {
    wchar_t name[32];
    std::swprintf(name, 32, L"O_DnevnikAnim_%.2d", i);
    mDnevnikFrames[static_cast<size_t>(i - 1)] = LoadPanelModel(kPanelModels, name, false, nullptr);
  }
  mDnevnikCloseSel = LoadPanelModel(kPanelModels, L"B_dnevnikClose_sel", false, nullptr);

  mKursorPanel02 = LoadPanelTriangle(kPanelTriangles, L"Kursor_panel_02_T", L"Load game panel Kursor_panel_T");
  mKursorPanel03 = LoadPanelTriangle(kPanelTriangles, L"Kursor_panel_03_T", L"Load game panel Kursor_panel_T");
  mKursorPanel01 = LoadPanelTriangle(kPanelTriangles, L"Kursor_panel_01_T", L"Load game panel Kursor_panel_T");
  mKursorPanel02Rest = mKursorPanel02->GetPosition3D();
  LoadHogLabels();
  mHintIn = LoadPanelModel(L"Hint_luchBack.zorm", L"Hint_luchBack", true, L"Load MHintIn");
  mHintOut = LoadPanelModel(L"Hint_luchBack.zorm", L"Hint_luchBack", true, L"Load MHintOut");
  mHintIn->SetRender2D(0);
  mHintOut->SetRender2D(0);
  mMorphIn = LoadPanelModel(L"morfing_effect.zorm", L"A_morfEffectOverlay", true, L"Load MMorphIn");
  mMorphOut = LoadPanelModel(L"morfing_effect.zorm", L"A_morfEffectOverlay", true, L"Load MMorphOut");
  mGhostWindow = LoadPanelModel(L"ghost_window.zorm", L"ghost_window_back", true, L"Load ghost_window_back");
  mGhostClose = LoadPanelTriangle(L"ghost_window.zort", L"Close_window_T", L"Load T ghost_window_back");
  mTopLine = LoadPanelModel(L"Rolik_interface.zorm", L"Rolik_interface_01", true, L"Load TopBlackLine");
  mTopLine->AddPositionZ3D(29.0f);
  mBottomLine = LoadPanelModel(L"Rolik_interface.zorm", L"Rolik_interface_02", true, L"Load BottomBlackLine");
  mBottomLine->AddPositionZ3D(-29.0f);

  auto effect = [this](std::unique_ptr<RerivuzoZurodo::CParticleEffect>& slot) {
    slot = std::make_unique<RerivuzoZurodo::CParticleEffect>(GetCore());
    const wchar_t* path = &slot == &mBloknot ? L"Data\\Particles\\Bloknot" : L"Data\\Particles\\Hint";
    if (slot->LoadEffect(path, 1, nullptr, 11) <= 0) slot.reset();
  };
  effect(mBloknot);
  effect(mSkipGlow);
  effect(mHintGlow);
  return 0;
}

int32_t CGamePanel::Release(uint32_t flags) {
  mAlphaEkran.reset();
  mAlphaEkran2.reset();
  mAlphaEkran3.reset();
  mAlphaEkran4.reset();
  mDirka.reset();
  mHintDis.reset();
  mHintDef.reset();
  mAlphaHint.reset();
  for (auto& item : mItems) item->model.reset();
  mSkipDis.reset();
  mSkipDef.reset();
  mAlphaSkip.reset();
  mKursorPanel01.reset();
  mKursorPanel02.reset();
  mKursorPanel03.reset();
  mHintIn.reset();
  mHintOut.reset();
  mMorphIn.reset();
  mMorphOut.reset();
  mGhostWindow.reset();
  mGhostClose.reset();
  // The form's widgets go with the form's release.
  for (auto& row : mHogRows) row.Label = nullptr;
  mLOstalos = mLTextMiniGame = mLTextDialog = mLGhost = mLMoveText = nullptr;
  mPodlojka = mPodlojkaNiz = mLeftSide = mRightSide = mVerh = nullptr;
  mBDnevnik = mBDnevnikClose = mBRight = mBLeft = mBMenu = mBStrategy = nullptr;
  mBHint = mBSkip = mBSkipDialog = mLInventory = mLTipsMiniGame = mLGhost2 = nullptr;
  mHeldModel = nullptr;
  mReturnModel = nullptr;
  return rovovoz::CGUIForm::Release(flags);
}

int32_t CGamePanel::ReInit() {
  rovovoz::CGUIForm::ReInit();
  if (mPredmetMenu) mPredmetMenu->ReInit();
  for (auto& row : mHogRows)
    if (row.Label) row.Label->ReInit();
  return 0;
}

void CGamePanel::SetPanelMode(const std::wstring& type) {
  if (type == L"push") {
    mPanelMode = kModePush;
  } else if (type == L"hog") {
    mPanelMode = kModeHog;
    mModeFade = 0.0f;
  } else if (type == L"minigame") {
    mPanelMode = kModeMiniGame;
    if (mLTextMiniGame && GetCore() && GetCore()->GetTextManager())
      mLTextMiniGame->SetText(GetCore()->GetTextManager()->GetText(L"k_minigame"));
  } else if (type == L"dialog") {
    mPanelMode = kModeDialog;
  }
  UpdateHintRecharge(0.0f);
}

void CGamePanel::SetBack(CBaseEpisod* episod) {
  ClearState();
  mEpisod = episod;
}

void CGamePanel::ClearItems() {
  ClearState();
  mItemCount = 0;
}

void CGamePanel::RestoreFromPlayer() {
  // A charge that is no count of seconds (a damaged profile) would keep its
  // button from ever recharging; it starts empty instead.
  for (float* charge : {&gCurrentPlayer.mHintTimer, &gCurrentPlayer.mHogHintTimer, &gCurrentPlayer.mSkipTimer})
    if (!std::isfinite(*charge) || *charge < 0.0f) *charge = 0.0f;
  ApplyDifficulty();
  SetPanelMode(L"push");
  UpdateHintRecharge(0.0f);
  HandleInventoryMouse(0.0f, nullptr);

  mHeldName.clear();
  mHeldModel = nullptr;
  mItemCount = 0;
  for (const SPlayerItem& entry : gCurrentPlayer.mItems) AddSimpleObject(entry.mName, L"start");
  SetFirstVisibleItem(std::max(0, mItemCount - kVisibleItems));
  for (int i = 0; i < mItemCount; ++i) {
    SPanelItem& item = *mItems[static_cast<size_t>(i)];
    item.slot = item.start = item.current = item.target;
    item.state = SPanelItem::kInStrip;
  }
  mNextSlotTarget = mNextSlotPos = SlotPosition(mItemCount);

  mReturnModel = nullptr;
  mReturnProgress = 1.0f;
  mMoveTexts.clear();
  mComplexHogName.clear();
  UpdateHintRecharge(0.0f);
  mSceneBeam[0] = mSceneBeam[1] = mItemBeam = SHintBeam();
  mHintTarget = nullptr;
  mMorphActive = 0;
  mMorphTime = 0.0f;
  mMorphObject = nullptr;
  mGhostShown = 0;
  mGhostTime = 0.0f;
  mModeFade = 1.0f;
  if (gDnevnik) gDnevnik->SetPhase(0.0f);
  mDialog.reset();
  if (mLTextDialog) mLTextDialog->SetText(L"");
}

rovovoz::CStaticObject3D* CGamePanel::GetAlphaEkran() { return mAlphaEkran.get(); }
rovovoz::CStaticObject3D* CGamePanel::GetAlphaEkran2() { return mAlphaEkran2.get(); }
rovovoz::CStaticObject3D* CGamePanel::GetAlphaEkran3() { return mAlphaEkran3.get(); }
rovovoz::CStaticObject3D* CGamePanel::GetAlphaEkran4() { return mAlphaEkran4.get(); }
rovovoz::CStaticObject3D* CGamePanel::GetDirka() { return mDirka.get(); }

rovovoz::CParticleSystem* CGamePanel::GetLevelParticlesA() { return mLevelParticlesA.get(); }
rovovoz::CParticleSystem* CGamePanel::GetRegionParticlesA() { return mRegionParticlesA.get(); }
rovovoz::CParticleSystem* CGamePanel::GetLevelParticlesB() { return mLevelParticlesB.get(); }
rovovoz::CParticleSystem* CGamePanel::GetRegionParticlesB() { return mRegionParticlesB.get(); }

bool CGamePanel::ShowPredmet(const std::wstring& name) {
  if (!mPredmetMenu || !mEpisod) return false;
  const int answer = mEpisod->QueryPredmet(name);
  return mPredmetMenu->SetPredmet(name.c_str(), answer) != 0;
}

int CGamePanel::UpdatePredmetMenu(float dt, rovovoz::CMouseCursor* cursor) {
  if (!mPredmetMenu) return -2;
  return mPredmetMenu->Update(dt, cursor);
}

void CGamePanel::RenderPredmetMenu() {
  if (mPredmetMenu) mPredmetMenu->Render();
}

void CGamePanel::LoadDialog(const std::wstring& name) {
  mDialog.reset();
  auto player = std::make_unique<CDialogPlayer>(GetCore());
  if (player->LoadFromXML(name)) mDialog = std::move(player);
}

void CGamePanel::StartDialog() {
  if (mDialog) mDialog->Start();
}
