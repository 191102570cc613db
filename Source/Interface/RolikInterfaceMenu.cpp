#include "Interface/RolikInterfaceMenu.h"

#include <algorithm>

#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Roliki/BaseRolik.h"

CRolikInterfaceMenu::CRolikInterfaceMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : rovovoz::CGUIForm(core, parent) {}

CRolikInterfaceMenu::~CRolikInterfaceMenu() { CRolikInterfaceMenu::Release(0); }

int32_t CRolikInterfaceMenu::Load(const std::wstring& file, uint32_t flags) {
  const int32_t result = rovovoz::CGUIForm::Load(file, flags);
  mBSkip = GetChild(L"BSkip");
  mLText = dynamic_cast<rovovoz::CGUILabel*>(GetChild(L"LText"));
  mDarkModel = std::make_unique<rovovoz::CStaticObject3D>(GetCore());
  if (mDarkModel->LoadModel(L"Rolik_interface.ZORM", L"Rolik_zatemnenie", 11) > 0) {
    mDarkModel->SetRender2D(1);
    // The darkening fades in: it must blend whatever the model file says.
    if (zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr) {
      const int seting = render->GetRenderSetingID(L"MT_TEXTURE_ALPHA_SMOOTH");
      if (seting >= 0) mDarkModel->SetRenderSeting(seting);
    }
  } else {
    mDarkModel.reset();
  }
  return result;
}

void CRolikInterfaceMenu::Reset() {
  if (mBSkip) mBSkip->SetAlpha(1.0f);
  mFade = 1.0f;
  mSkipEnabled = 1;
  mFading = 0;
  SetText(L"");
}

void CRolikInterfaceMenu::SetSkipAlpha(float alpha) {
  if (mBSkip) mBSkip->SetAlpha(std::max(alpha, 0.0f));
  mSkipEnabled = 0;
}

void CRolikInterfaceMenu::SetText(const std::wstring& text) {
  if (mLText) mLText->SetText(text);
}

void CRolikInterfaceMenu::SetTextAlpha(float alpha) {
  if (!mLText) return;
  mLText->SetAlpha(alpha);
  mLText->Update(0.0f, nullptr);
}

void CRolikInterfaceMenu::StartFade() {
  if (mFading) return;
  mFading = 1;
  mFade = 0.0f;
}

int32_t CRolikInterfaceMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mFading) {
    // No upper bound: past 1.0 the skip button fades and the bars slide out.
    mFade += dt / mFadeTime;
    return 0;
  }
  mFade = std::max(mFade - 2.0f * dt, 0.0f);
  rovovoz::CGUIBaseObject::Update(dt, cursor);
  if (mBSkip && mSkipEnabled && (mBSkip->GetEvent() & rovovoz::kGuiEventClick)) {
    StartFade();
    return 1;
  }
  return 0;
}

float CRolikInterfaceMenu::GetBarDistance() const {
  float distance = mBarOffset;
  if (mFade > 3.0f) {
    const float t = std::max((5.0f - mFade) * 0.5f, 0.0f);
    distance += (1.0f - t) * 256.0f;
  }
  return distance;
}

int32_t CRolikInterfaceMenu::Render() {
  const float distance = GetBarDistance();
  if (mBSkip && mFade > 1.0f) mBSkip->SetAlpha(std::max(2.0f - mFade, 0.0f));
  // The bars stand relative to their laid-out places, so the form file
  // lays them out around a picture 512 high.
  rovovoz::CGUIBaseObject* top = GetChild(L"Back1");
  rovovoz::CGUIBaseObject* bottom = GetChild(L"Back2");
  if (top) top->AddPositionZ3D(distance);
  if (bottom) bottom->AddPositionZ3D(-distance);
  rovovoz::CGUIBaseObject::Render();
  if (top) top->LoadTransformForMesh();
  if (bottom) bottom->LoadTransformForMesh();
  if (mBSkip) mBSkip->SetAlpha(1.0f);
  if (mDarkModel && mFade > 0.01f && mFading) {
    mDarkModel->SetAlpha(std::min(mFade, 1.0f));
    if (!gCurrentRolik) mDarkModel->Render();
  }
  return 0;
}

int32_t CRolikInterfaceMenu::Release(uint32_t flags) {
  mDarkModel.reset();
  mBSkip = nullptr;
  mLText = nullptr;
  return rovovoz::CGUIForm::Release(flags);
}
