#include "Interface/PredmetMenu.h"

#include <cmath>

#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "GameLog.h"
#include "Interface/InterfaceHelpers.h"
#include "Logic/Logic.h"

namespace {
const wchar_t* const kSource = L"PredmetMenu";
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
constexpr float kHalfPi = 1.5707964f;
}  // namespace

CPredmetMenu::CPredmetMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : rovovoz::CGUIForm(core, parent) {}

int32_t CPredmetMenu::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  const int32_t result = rovovoz::CGUIForm::LoadProperty(element, index, flags);
  KorectOpornPoint2D(zormath::Vec3f(512.0f, 384.0f, 0.0f), 1, 1);
  mText = GetChild(L"Text");
  mBOk = GetChild(L"BOk");
  mLItem = dynamic_cast<rovovoz::CGUILabel*>(GetChild(L"L_Item"));
  mState = kShown;
  mPredmetName.clear();
  mMatrix = zormath::Mat4f::Identity();
  zormath::Mat4f place;
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (!render || render->GetMatrixTransform(L"Objects_found_window.zort", L"Object_place_T", place) < 0) {
    gamelog::Error(kSource, __LINE__, L"Load transform for panel object");
    return kFail;
  }
  mPlace = zormath::Vec3f(place(3, 0), place(3, 1), place(3, 2));
  return result;
}

int CPredmetMenu::SetPredmet(const wchar_t* name, int) {
  const std::wstring item = name ? name : L"";
  if (mLItem) {
    mLItem->SetText(L"");
    mLItem->SetVisible(0);
  }
  if (gLogic) {
    const SPredmetInfo* predmet = gLogic->StdPredmetMapFind(item);
    if (!predmet) {
      gamelog::Error(kSource, __LINE__, L"SetPredmet. No find logic push predmet.");
      return 0;
    }
    if (predmet->Count > 1 && mLItem) {
      mLItem->SetInt(predmet->Count);
      mLItem->SetVisible(1);
    }
    mMesh.Release();
    if (!predmet->Mesh.Empty()) mMesh.Clone(predmet->Mesh, 2);
    mMesh.SetAllSmooth(0);
    if (mText) mText->SetText(predmet->TextPanel);
    mMatrix = zormath::Mat4f::Identity();
    mMatrix(3, 0) = mPlace.x;
    mMatrix(3, 1) = mPlace.y;
    mMatrix(3, 2) = mPlace.z;
  }
  mPredmetName = item;
  ClearState();
  SetScale(0.5f, 0.5f, 1.0f);
  mState = kAppearing;
  mMesh.SetAlphaAll(0.0f);
  SetAlpha(0.0f);
  mMatrix(0, 0) = 0.5f;
  mMatrix(2, 2) = 0.5f;
  mMatrix(3, 0) = mPlace.x * 0.5f;
  mMatrix(3, 2) = mPlace.z * 0.5f + 50.0f;
  mAngle = 0.0f;
  ui::PlaySound(GetCore(), L"Otkrytie_okna");
  return 1;
}

void CPredmetMenu::ApplyScale(float k) {
  mMatrix(0, 0) = k;
  mMatrix(2, 2) = k;
  mMatrix(3, 0) = mPlace.x * k;
  mMatrix(3, 2) = mPlace.z * k + 100.0f * k;
  SetScale(k, k, 1.0f);
  SetPositionZ3D(100.0f * k);
}

void CPredmetMenu::UpdateAppear(float dt) {
  if (mState != kAppearing && mState != kDisappearing) return;
  mAngle += dt * 7.0f;
  float s = 0.0f;
  if (mState == kAppearing) {
    if (mAngle > kHalfPi) {
      mAngle = kHalfPi;
      s = 1.0f;
      mState = kShown;
      mMesh.SetAllSmooth(1);
      ui::PlaySound(GetCore(), L"Poluchenie_obekta");
    } else {
      s = std::sin(mAngle);
    }
    mMesh.SetAlphaAll(s);
    SetAlpha(s);
    ApplyScale(0.5f + 0.5f * s);
    return;
  }
  if (mAngle > kHalfPi) {
    mState = kHidden;
    mAngle = kHalfPi;
    s = 1.0f;
  } else {
    s = std::sin(mAngle);
  }
  SetAlpha(1.0f - s * s);
  ApplyScale(1.0f - 0.5f * s);
}

int32_t CPredmetMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mState != kShown) {
    UpdateAppear(dt);
    return mState == kHidden ? -2 : 0;
  }
  rovovoz::CGUIBaseObject::Update(dt, cursor);
  if (!ui::IsClicked(mBOk)) return 0;
  // The click is this window's: nobody reads it from the button again.
  mBOk->ClearState();
  mAngle = 0.0f;
  SetScale(1.0f, 1.0f, 1.0f);
  mState = kDisappearing;
  SetAlpha(1.0f);
  mMesh.SetAllSmooth(0);
  ui::PlaySound(GetCore(), L"Zakrytie_okna");
  return -1;
}

int32_t CPredmetMenu::Render() {
  rovovoz::CGUIBaseObject::Render();
  zuzorev::CRenderSystem* render = GetCore() ? GetCore()->GetRender() : nullptr;
  if (render && mState != kDisappearing && !mMesh.Empty()) {
    render->SetTransform(256, mMatrix);
    render->RenderMesh(mMesh, 0, 1);
  }
  if (mLItem) mLItem->RenderAlways();
  return 0;
}

int32_t CPredmetMenu::Release(uint32_t flags) {
  mMesh.Release();
  mText = mBOk = nullptr;
  mLItem = nullptr;
  return rovovoz::CGUIForm::Release(flags);
}

zormath::Vec3f CPredmetMenu::GetPredmetPosition() const { return mPlace + zormath::Vec3f(0.0f, 0.0f, 100.0f); }
