#include "Interface/PlayMenu.h"

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "GameState.h"
#include "Interface/InterfaceHelpers.h"
#include "Interface/WarningMenu.h"
#include "PlayerRecord.h"

namespace {
constexpr float kGreyAlpha = 0.55f;

SMenuLayout PlayLayout() {
  SMenuLayout l;
  l.moves = false;
  l.scales = false;
  l.placeOnOpen = false;
  l.endOfClosing = kMenuEndHide;
  l.startHidden = true;
  return l;
}

void Show(rovovoz::CGUIBaseObject* widget, bool on) {
  if (widget) widget->SetVisible(on ? 1 : 0);
}

bool WarningShown() { return gWarningMenu && gWarningMenu->GetVisible(); }
}  // namespace

CPlayMenu::CPlayMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, PlayLayout()) {
  mEsc = EEsc::None;
}

CPlayMenu::~CPlayMenu() = default;

void CPlayMenu::FindWidgets() {
  mStoryButton = GetChild(L"B1");
  mBonusButton = GetChild(L"B2");
  mCloseButton = GetChild(L"B3");
  mBonusImage = GetChild(L"Bonus_image_def");
  mBonusLabel = GetChild(L"L_igratBonus");
  mBonusLabelOff = GetChild(L"L_igratBonus_dis");
  mGlow = std::make_unique<RerivuzoZurodo::CParticleEffect>(GetCore());
  if (mGlow->LoadEffect(L"Data\\Particles\\LHT60_PLAY_WINDOW_button", 1, nullptr, 11) < 0) {
    mGlow.reset();
  } else {
    const zormath::Vec3f p = mGlow->GetPosition3D();
    mGlow->SetPosition3D(p.x - 10.0f, p.y, p.z + 10.0f);
  }
}

int CPlayMenu::Open() {
  SetVisible(1);
  CMenuFrame::Open();
  const bool finished = gCurrentPlayer.mGameFinished != 0;
  if (mBonusButton) mBonusButton->SetEnable(finished ? 1 : 0);
  Show(mBonusImage, finished);
  Show(mBonusLabel, finished);
  Show(mBonusLabelOff, !finished);
  mGlowShown = false;
  if (gCurrentPlayer.mWinState == 1) {
    mGlowShown = true;
    gCurrentPlayer.mWinState = 2;
  }
  UpdateShowAnimation(0.0f);
  return 1;
}

int CPlayMenu::UpdateShowAnimation(float dt) {
  const int state = CMenuFrame::UpdateShowAnimation(dt);
  if (mGlow && mGlowShown) mGlow->SetAlpha(GetAlpha());
  if (mBonusLabelOff) mBonusLabelOff->SetAlpha(kGreyAlpha * GetAlpha());
  return state;
}

int32_t CPlayMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (!GetVisible()) return 0;
  if (WarningShown()) {
    gWarningMenu->Update(dt, cursor);
    return 0;
  }
  if (mGlow && mGlowShown) mGlow->Update(dt, nullptr);
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  PlayerRecord& p = gCurrentPlayer;
  if (ui::UpdateAndClick(mStoryButton, dt, cursor)) {
    if (p.mGameMode == 2) {
      if (gWarningMenu) gWarningMenu->Open();
    } else {
      p.mGameMode = 1;
      gNextGameState = kStateInGame;
    }
  }
  if (ui::UpdateAndClick(mBonusButton, dt, cursor)) {
    if (p.mGameMode == 0) {
      p.Clear();
      p.mGameMode = 2;
      p.mStepName = kBonusStepName;
      gNextGameState = kStateInGame;
    } else if (p.mGameMode == 2) {
      gNextGameState = kStateInGame;
    } else if (gWarningMenu) {
      gWarningMenu->Open();
    }
  }
  if (ui::UpdateAndClick(mCloseButton, dt, cursor)) Close();
  return 0;
}

int32_t CPlayMenu::Render() {
  if (!GetVisible()) return 0;
  rovovoz::CGUIBaseObject::Render();
  if (mGlow && mGlowShown) mGlow->Render();
  if (WarningShown()) gWarningMenu->Render();
  return 0;
}

int32_t CPlayMenu::Release(uint32_t flags) {
  mGlow.reset();
  return CMenuFrame::Release(flags);
}
