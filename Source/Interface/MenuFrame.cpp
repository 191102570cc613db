#include "Interface/MenuFrame.h"

#include <cmath>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "GameLog.h"
#include "GameState.h"
#include "Interface/InterfaceHelpers.h"

namespace {
const wchar_t* const kSource = L"Source/Interface/MenuFrame";
constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kOpenSpeed = 5.0f;
constexpr float kCloseSpeed = 7.0f;

zormath::Vec3f Mix(const zormath::Vec3f& a, const zormath::Vec3f& b, float k) {
  return zormath::Vec3f(a.x * (1.0f - k) + b.x * k, a.y * (1.0f - k) + b.y * k, a.z * (1.0f - k) + b.z * k);
}
}  // namespace

CMenuFrame::CMenuFrame(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent, const SMenuLayout& layout)
    : rovovoz::CGUIForm(core, parent), mLayout(layout) {
  if (mLayout.startHidden) SetVisible(0);
}

CMenuFrame::~CMenuFrame() = default;

float CMenuFrame::Ease(float phase) { return (std::sin(phase - kHalfPi) + 1.0f) / 2.0f; }

int32_t CMenuFrame::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  const int32_t result = rovovoz::CGUIForm::LoadProperty(element, index, flags);
  KorectOpornPoint2D(mLayout.anchor, 1, 1);
  mShowState = 0;
  if (mLayout.startHidden) SetVisible(0);
  FindWidgets();
  return result;
}

int CMenuFrame::Open() {
  if (mLayout.clearOnOpen) ClearState();
  if (mLayout.placeOnOpen) SetPosition2D(mLayout.openAt, 1);
  mShowPhase = 0.0f;
  mShowState = 1;
  if (mBackdrop) mBackdrop->SetAlpha(0.0f);
  PlaySound(L"Otkrytie_okna");
  return 1;
}

int CMenuFrame::Close() {
  ClearState();
  mShowPhase = 0.0f;
  mShowState = -1;
  PlaySound(L"Zakrytie_okna");
  return 1;
}

void CMenuFrame::Pose(float k, bool opening) {
  SetAlpha(opening ? k : 1.0f - k);
  if (mLayout.scales) {
    const float s = opening ? 0.2f + 0.8f * k : 1.0f - mLayout.closingScale * k;
    SetScaleX(s);
    SetScaleY(s);
  }
  if (mLayout.moves)
    SetPosition2D(opening ? Mix(mLayout.entry, mLayout.rest, k) : Mix(mLayout.rest, mLayout.exit, k), 1);
  if (mBackdrop && mLayout.backdropFactor > 0.0f)
    mBackdrop->SetAlpha(mLayout.backdropFactor * (opening ? k : 1.0f - k));
}

int CMenuFrame::UpdateShowAnimation(float dt) {
  if (mShowState == 1) {
    mShowPhase += dt * kOpenSpeed;
    float k;
    if (mShowPhase >= kPi) {
      mShowState = 0;
      SetRender2D(1);
      k = 1.0f;
    } else {
      k = Ease(mShowPhase);
    }
    Pose(k, true);
  } else if (mShowState == -1) {
    mShowPhase += dt * kCloseSpeed;
    const bool ended = mShowPhase >= kPi;
    const float k = ended ? 1.0f : Ease(mShowPhase);
    if (ended) {
      mShowState = 0;
      SetRender2D(1);
    }
    Pose(k, false);
    if (ended) EndClosing();
  } else {
    mShowState = 0;
  }
  return mShowState;
}

void CMenuFrame::EndClosing() {
  if (mLayout.endOfClosing & kMenuEndHandOff) gNextGameState = gPendingGameState;
  if (mLayout.endOfClosing & kMenuEndHide) SetVisible(0);
  OnClosed();
}

int32_t CMenuFrame::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  if (mEsc == EEsc::BeforeUpdate && IsEscDown()) Cancel();
  const int32_t result = rovovoz::CGUIBaseObject::Update(dt, cursor);
  if (mEsc == EEsc::AfterUpdate && IsEscDown()) Cancel();
  return result;
}

int32_t CMenuFrame::UpdatePolling(float dt, rovovoz::CMouseCursor* cursor, rovovoz::CGUIBaseObject* button) {
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  if (!button) return 0;
  button->Update(dt, cursor);
  if (ui::IsClicked(button)) Close();
  return 0;
}

int32_t CMenuFrame::Render() {
  if (!GetVisible()) return 0;
  if (mBackdrop) mBackdrop->Render();
  rovovoz::CGUIBaseObject::Render();
  return 0;
}

int32_t CMenuFrame::Release(uint32_t flags) {
  mBackdrop.reset();
  return rovovoz::CGUIForm::Release(flags);
}

void CMenuFrame::LoadBackdrop() {
  mBackdrop = std::make_unique<rovovoz::CStaticObject3D>(GetCore());
  if (mBackdrop->LoadModel(L"LHT60_GP.zorm", L"Alpha_ekran", 11, 2) == 0) {
    gamelog::Error(kSource, __LINE__, L"Load game panel Alpha_ekran");
    mBackdrop.reset();
  }
}

void CMenuFrame::AddCommand(const wchar_t* name, std::function<void()> handler) {
  if (GetCore() && GetCore()->GetScript()) GetCore()->GetScript()->AddCommand(name, std::move(handler));
}

bool CMenuFrame::IsEscDown() const {
  zuzorev::CInputSystem* input = GetCore() ? GetCore()->GetInput() : nullptr;
  return input && input->IsVKey(27, zuzorev::kInputDown);
}

void CMenuFrame::PlaySound(const wchar_t* name) const { ui::PlaySound(GetCore(), name); }
