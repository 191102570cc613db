#include "Interface/Dnevnik.h"

#include <algorithm>

#include "AppConfig.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Interface/HintMenu.h"
#include "Interface/InterfaceHelpers.h"
#include "Interface/Map.h"
#include "Platform/Format.h"
#include "PlayerRecord.h"

int gMapDisabled = 0;

namespace {
// Where the right page stands from the left one.
constexpr float kRightPageShift = 425.0f;
// A page turn fades the spread out and in at this rate per second.
constexpr float kTurnRate = 18.0f;
// The cheat that fills the diary with every note of the sample's range.
constexpr int kCheatFirstNote = 70, kCheatLastNote = 83;

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

std::wstring Number(int n) { return std::to_wstring(n); }
}  // namespace

CDnevnik::CDnevnik(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : rovovoz::CGUIForm(core, parent) {
  SetVisible(0);
}

CDnevnik::~CDnevnik() = default;

int32_t CDnevnik::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  mState = kShown;
  mPhase = 0.0f;
  const int32_t result = rovovoz::CGUIForm::LoadProperty(element, index, flags);
  mBClose = GetChild(L"BClose");
  mBFon = GetChild(L"BFon");
  mBKarta = GetChild(L"BKarta");
  mLPageLeft = GetChild(L"LPageLeft");
  mLPageRight = GetChild(L"LPageRight");
  mLMapText = GetChild(L"L_mapText");
  mBLeft = GetChild(L"BLeft");
  mBRight = GetChild(L"BRight");
  return result;
}

void CDnevnik::Open(CBaseEpisod* episod) {
  const std::wstring& place = gCurrentPlayer.mLocationName;
  gMapDisabled = place == L"Back_1" || place == L"Back_2" || place == L"Back_3" || place.size() <= 1 ? 1 : 0;
  gCurrentPlayer.mHintDnevnikShown = 1;
  mPhase = 0.0f;
  mEpisod = episod;
  mTurnFade = 1.0f;
  mMapShown = 0;
  mState = kOpening;
  mTurn = 0;
  // The page stored by the last turn, or the list length stored when a
  // note was added, leads to the spread with that note.
  int page = static_cast<int>(gCurrentPlayer.mNotePage) + 1;
  if (page % 2 == 0) --page;
  mPage = page;
  mNoteCount = static_cast<int>(gCurrentPlayer.mNotePages.size());
  LoadNotePage();
  UpdateShowAnimation(0.0f);
}

std::unique_ptr<rovovoz::CGUIForm> CDnevnik::LoadNote(const std::wstring& name) {
  auto form = std::make_unique<rovovoz::CGUIForm>(GetCore(), nullptr);
  if (form->Load(L"Data\\Interface\\Note\\" + name + L".xml", 3) < 0) return nullptr;
  return form;
}

void CDnevnik::LoadNotePage() {
  if (mBLeft) mBLeft->SetEnable(1);
  if (mBRight) mBRight->SetEnable(1);
  if (mPage < 1) mPage = 1;
  if (mPage > mNoteCount && mNoteCount > 0) mPage = mNoteCount % 2 ? mNoteCount : mNoteCount - 1;
  if (mLPageLeft) mLPageLeft->SetText(Number(mPage));
  if (mLPageRight) mLPageRight->SetText(Number(mPage + 1));
  if (mPage < 3 && mBLeft) mBLeft->SetEnable(0);
  if (mPage >= mNoteCount - 1 && mBRight) mBRight->SetEnable(0);
  gCurrentPlayer.mNotePage = static_cast<uint32_t>(mPage - 1);
  // The notes are the player's own list; a shorter list than the count
  // taken at opening (a cheat or a reload) never reads past its end.
  const std::vector<std::wstring>& notes = gCurrentPlayer.mNotePages;
  auto note = [&](int i) -> const std::wstring* {
    return i >= 0 && i < static_cast<int>(notes.size()) ? &notes[static_cast<size_t>(i)] : nullptr;
  };
  mLeftForm.reset();
  if (mNoteCount > 0)
    if (const std::wstring* name = note(mPage - 1)) mLeftForm = LoadNote(*name);
  mRightForm.reset();
  if (mNoteCount > 0 && mPage < mNoteCount)
    if (const std::wstring* name = note(mPage)) {
      mRightForm = LoadNote(*name);
      if (mRightForm) mRightForm->AddPositionX3D(kRightPageShift);
    }
}

void CDnevnik::SetDnevnikAlpha() {
  float a = mPhase;
  if (mState == kOpening) a = mPhase * 2.0f;
  if (mState < 0) a = (mPhase - 0.5f) * 2.0f;
  a = Clamp01(a);
  for (rovovoz::CGUIBaseObject* w : {mBClose, mBFon, mBKarta, mLPageLeft, mLPageRight, mLMapText, mBLeft, mBRight})
    if (w) w->SetAlpha(a);
  if (mLeftForm) mLeftForm->SetAlpha(a);
  if (mRightForm) mRightForm->SetAlpha(a);
  if (gMap) gMap->SetMapAlpha(a);
}

void CDnevnik::SetPagesAlpha(float alpha) {
  const float a = Clamp01(alpha);
  for (rovovoz::CGUIBaseObject* w : {mLPageLeft, mLPageRight})
    if (w) w->SetAlpha(a);
  if (mLeftForm) mLeftForm->SetAlpha(a);
  if (mRightForm) mRightForm->SetAlpha(a);
}

int CDnevnik::UpdateShowAnimation(float dt) {
  if (mState == kOpening) {
    mPhase += dt;
    if (mPhase <= 1.0f) {
      SetDnevnikAlpha();
      return 0;
    }
    mPhase = 1.0f;
    mState = kShown;
    if (gHintMenu && gCurrentPlayer.mHintKartaShown == 0 && gCurrentPlayer.mTutorialHints && gMapDisabled == 0) {
      gCurrentPlayer.mHintKartaShown = 1;
      gHintMenu->SelectHint(L"HintKarta");
      const float at[3] = {-457.0f, 0.0f, 71.0f};
      gHintMenu->Show(at, 1, 1, 0, 0.0f, 2.0f, 0, 0);
    }
    SetDnevnikAlpha();
    return 1;
  }
  if (mState < 0) {
    mPhase -= dt;
    if (mPhase >= 0.0f) {
      SetDnevnikAlpha();
      return 0;
    }
    mPhase = 0.0f;
    SetDnevnikAlpha();
    return gMap && gMap->RunPendingAction() == 1 ? 3 : 1;
  }
  return 0;
}

int32_t CDnevnik::Update(float dt, rovovoz::CMouseCursor* cursor) {
  auto startClosing = [this]() {
    mState = kClosing;
    mPhase = 1.0f;
    return 1;
  };
  if (mState == kCloseRequested) return startClosing();
  if (mState != kShown) return 0;

  if (mMapShown && gMap) {
    if (gMap->Update(dt, cursor) != 0) return startClosing();
    const int shown = gMap->UpdateShowAnimation(dt);
    if (shown >= 1 && shown <= 3) mMapShown = 0;
    return 0;
  }

  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  if (gAppConfig.IsCheatOn() && input && input->IsVKey(0x70, zuzorev::kInputHeld) &&
      input->IsKey(0xCF, zuzorev::kInputDown)) {
    std::vector<std::wstring>& notes = gCurrentPlayer.mNotePages;
    notes.clear();
    for (int n = kCheatFirstNote; n <= kCheatLastNote; ++n) notes.push_back(Platform::FormatWide(L"p%.3d", n));
    mTurn = 0;
    mTurnFade = 1.0f;
    mNoteCount = static_cast<int>(notes.size());
    LoadNotePage();
  }

  bool blocked = false;
  if (gHintMenu) {
    const int8_t hint = gHintMenu->Update(dt, cursor);
    if (hint < 0 && gHintMenu->GetCheck()) gCurrentPlayer.mTutorialHints = 0;
    blocked = gHintMenu->IsShown() != 0;
  }

  if (!blocked && ui::UpdateAndClick(mBClose, dt, cursor)) return startClosing();

  if (gMapDisabled == 0 && ui::UpdateAndClick(mBKarta, dt, cursor)) {
    if (gMap) {
      gMap->Open(mEpisod);
      mMapShown = 1;
    }
    if (blocked) {
      if (gHintMenu->GetCheck()) gCurrentPlayer.mTutorialHints = 0;
      gHintMenu->CloseHint(1, 0.0f);
    }
  }

  if (mTurn == 0 && !blocked) {
    if (ui::UpdateAndClick(mBLeft, dt, cursor)) {
      mTurnFade = 1.0f;
      mTurn = -2;
    }
    if (ui::UpdateAndClick(mBRight, dt, cursor)) {
      mTurnFade = 1.0f;
      mTurn = 2;
    }
  }

  if (mTurn != 0) {
    mTurnFade -= dt * kTurnRate;
    if (mTurnFade < 0.0f) {
      mPage += mTurn;
      LoadNotePage();
      mTurnFade = 0.0f;
      mTurn = 0;
    }
  } else {
    if (mTurnFade >= 1.0f) return 0;
    mTurnFade += dt * kTurnRate;
  }
  SetPagesAlpha(mTurnFade);
  return 0;
}

int32_t CDnevnik::Render() {
  if (mMapShown && gMap && gMap->GetPhase() > 0.99f) {
    gMap->Render();
    return 0;
  }
  auto draw = [](rovovoz::CGUIBaseObject* w) {
    if (w) w->Render();
  };
  draw(mBFon);
  draw(mBClose);
  if (gMapDisabled == 0) {
    draw(mBKarta);
    draw(mLMapText);
  }
  for (rovovoz::CGUIBaseObject* w : {mBLeft, mBRight, mLPageLeft, mLPageRight}) draw(w);
  draw(mLeftForm.get());
  draw(mRightForm.get());
  if (gHintMenu) gHintMenu->Render();
  if (mMapShown && gMap) gMap->Render();
  return 0;
}

int32_t CDnevnik::ReInit() {
  if (mLeftForm) mLeftForm->ReInit();
  if (mRightForm) mRightForm->ReInit();
  rovovoz::CGUIForm::ReInit();
  return 0;
}

int32_t CDnevnik::Release(uint32_t flags) {
  mLeftForm.reset();
  mRightForm.reset();
  mBClose = mBFon = mBKarta = mLPageLeft = mLPageRight = mLMapText = mBLeft = mBRight = nullptr;
  return rovovoz::CGUIForm::Release(flags);
}
