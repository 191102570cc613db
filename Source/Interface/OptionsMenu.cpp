#include "Interface/OptionsMenu.h"

#include "Engine/rovovoz/GUICheckBox.h"
#include "Engine/rovovoz/GUISlider.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "GameState.h"
#include "Ini.h"
#include "Interface/BadWindowModeMenu.h"
#include "PlayerList.h"
#include "PlayerRecord.h"
#include "VideoSettings.h"

std::vector<std::wstring> gOptionsModeLabels;
int gOptionsModeIndex = 0;
int gOptionsFullScreen = 0;
int gOptionsWideAvailable = 0;
int gOptionsCursorSaved = 0;

namespace {
constexpr int kCredits = kStateCredits;

void OnApply() {
  if (gOptionsMenu) gOptionsMenu->Apply();
}
void OnCancel() {
  if (gOptionsMenu) gOptionsMenu->Leave(gOptionsReturnState);
}
void OnCredits() {
  if (gOptionsMenu) gOptionsMenu->Leave(kCredits);
}
void OnLeft() {
  if (gOptionsMenu) gOptionsMenu->StepMode(-1);
}
void OnRight() {
  if (gOptionsMenu) gOptionsMenu->StepMode(1);
}
void OnFullDisabled() {
  if (gBadWindowModeMenu) gBadWindowModeMenu->Open();
}

void SetVolume(rovovoz::CGameCore* core, int type, float value) {
  if (core && core->GetSound()) core->GetSound()->SetTypeVolume(type, value);
}

bool Visible(const rovovoz::CGUIBaseObject* form) { return form && form->GetVisible(); }

SMenuLayout OptionsLayout() {
  SMenuLayout l;
  l.openAt = {616.0f, 450.0f, 0.0f};
  l.entry = {636.0f, 420.0f, 0.0f};
  l.exit = {150.0f, 320.0f, 0.0f};
  l.closingScale = 0.8f;
  return l;
}
}  // namespace

COptionsMenu::COptionsMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, OptionsLayout()) {
  AddCommand(L"OptionsBCApply", OnApply);
  AddCommand(L"OptionsBCCancel", OnCancel);
  AddCommand(L"OptionsBCCredits", OnCredits);
  AddCommand(L"OptionsBCLeft", OnLeft);
  AddCommand(L"OptionsBCRight", OnRight);
  AddCommand(L"OptionsCheckFullClickDisable", OnFullDisabled);
}

void COptionsMenu::FindWidgets() {
  mMusic = FindChild<rovovoz::CGUISlider>(L"SlayderMusik");
  mSound = FindChild<rovovoz::CGUISlider>(L"SlayderSound");
  mEffects = FindChild<rovovoz::CGUISlider>(L"SlayderSreda");
  mModeLabel = GetChild(L"LSet");
  mFull = FindChild<rovovoz::CGUICheckBox>(L"CheckFull");
  mWide = FindChild<rovovoz::CGUICheckBox>(L"CheckWide");
  mCursor = FindChild<rovovoz::CGUICheckBox>(L"CheckCursor");
  gOptionsModeLabels.clear();
  gOptionsModeLabels.reserve(gDisplayModes.Modes.size());
  for (const zuzorev::SDisplayMode& mode : gDisplayModes.Modes)
    gOptionsModeLabels.push_back(std::to_wstring(mode.Width) + L" X " + std::to_wstring(mode.Height));
}

bool COptionsMenu::ModeForcesFullScreen() const {
  zuzorev::CWindowSystem* window = GetCore() ? GetCore()->GetWindow() : nullptr;
  if (!window || gOptionsModeIndex < 0 || static_cast<size_t>(gOptionsModeIndex) >= gDisplayModes.Modes.size())
    return false;
  const zuzorev::SDisplayMode& mode = gDisplayModes.Modes[static_cast<size_t>(gOptionsModeIndex)];
  return window->IsModeFullScreen(mode.Width, mode.Height) != 0;
}

void COptionsMenu::ShowModeLabel() {
  if (mModeLabel && gOptionsModeIndex >= 0 && static_cast<size_t>(gOptionsModeIndex) < gOptionsModeLabels.size())
    mModeLabel->SetText(gOptionsModeLabels[static_cast<size_t>(gOptionsModeIndex)]);
}

int COptionsMenu::Open(int overGame) {
  mOverGame = overGame ? 1 : 0;
  mLayout.openAt = mOverGame ? zormath::Vec3f(516.0f, -200.0f, 0.0f) : zormath::Vec3f(616.0f, 450.0f, 0.0f);
  mLayout.entry = mOverGame ? zormath::Vec3f(516.0f, -200.0f, 0.0f) : zormath::Vec3f(636.0f, 420.0f, 0.0f);
  CMenuFrame::Open();
  mOpenSound = gSoundVolume;
  mOpenMusic = gMusicVolume;
  mOpenEffect = gEffectVolume;
  if (mMusic) mMusic->SetValue(gMusicVolume);
  if (mSound) mSound->SetValue(gSoundVolume);
  if (mEffects) mEffects->SetValue(gEffectVolume);
  if (gDisplayModeIndex < 0 || static_cast<size_t>(gDisplayModeIndex) >= gOptionsModeLabels.size())
    gOptionsModeIndex = 0;
  else
    gOptionsModeIndex = gDisplayModeIndex;
  ShowModeLabel();
  if (mFull) mFull->SetCheck(gVideoSettings.FullScreen);
  if (mCursor) mCursor->SetCheck(static_cast<int>(gCurrentPlayer.mGameCursor));
  if (mWide) mWide->SetCheck(gVideoSettings.Wide);
  gVideoSettingsNew = gVideoSettings;
  gOptionsFullScreen = gVideoSettings.FullScreen;
  gOptionsCursorSaved = static_cast<int>(gCurrentPlayer.mGameCursor);
  RefreshVideoControls();
  return 1;
}

void COptionsMenu::RefreshVideoControls() {
  if (mFull) {
    const bool forced = ModeForcesFullScreen();
    mFull->SetEnable(forced ? 0 : 1);
    mFull->SetCheck(forced ? 1 : gOptionsFullScreen);
  }
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  gOptionsWideAvailable = render && render->GetTempWideRegim() ? 1 : 0;
}

int COptionsMenu::Close(int toGame, bool keepVolumes) {
  mLayout.exit = toGame ? zormath::Vec3f(0.0f, 380.0f, 0.0f) : zormath::Vec3f(150.0f, 320.0f, 0.0f);
  mLayout.closingScale = toGame ? 0.5f : 0.8f;
  CMenuFrame::Close();
  if (keepVolumes) {
    std::wstring path;
    Ini::GetPath(path);
    Ini::SetFloat(path, L"Game", L"SoundVolume", gSoundVolume);
    Ini::SetFloat(path, L"Game", L"MusikVolume", gMusicVolume);
    Ini::SetFloat(path, L"Game", L"EffectVolume", gEffectVolume);
  }
  return 1;
}

void COptionsMenu::StepMode(int step) {
  const int last = static_cast<int>(gOptionsModeLabels.size()) - 1;
  if (last < 0) return;
  gOptionsModeIndex = std::min(std::max(gOptionsModeIndex + step, 0), last);
  ShowModeLabel();
  if (!mFull) return;
  const bool forced = ModeForcesFullScreen();
  if (step < 0 && !mFull->GetEnable() && !forced) {
    mFull->SetEnable(1);
    mFull->SetCheck(gOptionsFullScreen);
  } else if (step > 0 && mFull->GetEnable() && forced) {
    mFull->SetEnable(0);
    gOptionsFullScreen = mFull->GetCheck();
    mFull->SetCheck(1);
  }
}

void COptionsMenu::Apply() {
  Close(gOptionsReturnState == kStatePauseMenu ? 1 : 0, true);
  gVideoSettingsNew = gVideoSettings;
  if (mFull) gVideoSettingsNew.FullScreen = mFull->GetCheck();
  // An empty mode list, or a mode without rates, keeps the values in force.
  if (gOptionsModeIndex >= 0 && static_cast<size_t>(gOptionsModeIndex) < gDisplayModes.Modes.size()) {
    const zuzorev::SDisplayMode& mode = gDisplayModes.Modes[static_cast<size_t>(gOptionsModeIndex)];
    gVideoSettingsNew.Width = mode.Width;
    gVideoSettingsNew.Height = mode.Height;
    if (!mode.RefreshRates.empty()) gVideoSettingsNew.RefreshRate = mode.RefreshRates.back();
  }
  if (mWide) gVideoSettingsNew.Wide = mWide->GetCheck();
  const bool sameMode = gVideoSettingsNew.FullScreen == gVideoSettings.FullScreen &&
                        gVideoSettingsNew.Width == gVideoSettings.Width &&
                        gVideoSettingsNew.Height == gVideoSettings.Height;
  if (!sameMode)
    gPendingGameState = kStateReInitDisplay;
  else if (gVideoSettingsNew.Wide != gVideoSettings.Wide)
    gPendingGameState = kStateSwitchWide;
  else
    gPendingGameState = gOptionsReturnState;
  if (mCursor) gCurrentPlayer.mGameCursor = static_cast<uint32_t>(mCursor->GetCheck());
  gCurrentPlayer.mSoundVolume = gSoundVolume;
  gCurrentPlayer.mEffectVolume = gEffectVolume;
  gCurrentPlayer.mMusicVolume = gMusicVolume;
  if (gPlayerList) gPlayerList->SavePlayer(gCurrentPlayer);
}

// Leaving without applying keeps game.ini as it was and puts back the
// volumes that were heard when the box opened.
void COptionsMenu::Leave(int toState) {
  Close(gOptionsReturnState == kStatePauseMenu ? 1 : 0, false);
  gSoundVolume = mOpenSound;
  gEffectVolume = mOpenEffect;
  gMusicVolume = mOpenMusic;
  SetVolume(GetCore(), rovovoz::kSoundTypeSound, gSoundVolume);
  SetVolume(GetCore(), rovovoz::kSoundTypeEffect, gEffectVolume);
  SetVolume(GetCore(), rovovoz::kSoundTypeMusic, gMusicVolume);
  gCurrentPlayer.mGameCursor = static_cast<uint32_t>(gOptionsCursorSaved);
  gPendingGameState = toState;
}

void COptionsMenu::Cancel() { Leave(gOptionsReturnState); }

int32_t COptionsMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (Visible(gBadWindowModeMenu)) {
    gBadWindowModeMenu->Update(dt, cursor);
    return 0;
  }
  if (mFull) mFull->SetAlpha(mFull->GetEnable() ? 1.0f : 0.5f);
  if (mWide) mWide->SetAlpha(mWide->GetEnable() ? 1.0f : 0.5f);
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  const int32_t result = rovovoz::CGUIBaseObject::Update(dt, cursor);
  if (mShowState != 0) return result;
  if (mCursor) gCurrentPlayer.mGameCursor = static_cast<uint32_t>(mCursor->GetCheck());
  if (mWide) {
    const bool allowed = mFull && mFull->GetCheck() && gOptionsWideAvailable;
    if (!allowed) {
      mWide->SetEnable(0);
      mWide->SetCheck(0);
    } else {
      mWide->SetEnable(1);
    }
  }
  struct SVolume {
    rovovoz::CGUISlider* slider;
    float* volume;
    int type;
  };
  for (const SVolume& v : {SVolume{mSound, &gSoundVolume, rovovoz::kSoundTypeSound},
                           SVolume{mEffects, &gEffectVolume, rovovoz::kSoundTypeEffect},
                           SVolume{mMusic, &gMusicVolume, rovovoz::kSoundTypeMusic}}) {
    if (!v.slider || v.slider->GetValue() == *v.volume) continue;
    *v.volume = v.slider->GetValue();
    SetVolume(GetCore(), v.type, *v.volume);
  }
  if (IsEscDown()) Cancel();
  return result;
}

int32_t COptionsMenu::Render() {
  CMenuFrame::Render();
  if (Visible(gBadWindowModeMenu)) gBadWindowModeMenu->Render();
  return 0;
}
