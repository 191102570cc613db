// The object held on the cursor and the cursor icon that scenes choose by
// zone kind.
#include <cmath>

#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Logic/BaseEpisod.h"
#include "Platform/Strings.h"

void CGamePanel::TakeToCursor(const std::wstring& name, rovovoz::CBaseGeometryObject* sceneObject) {
  mClickConsumed = 1;
  mHeldName = name;
  mHeldModel = nullptr;
  const int index = FindItem(name);
  if (index >= 0) {
    SPanelItem& item = *mItems[static_cast<size_t>(index)];
    mHeldModel = item.model.get();
    item.state = SPanelItem::kHeld;
    mHeldFromPanel = 1;
    return;
  }
  if (!sceneObject) return;
  mHeldFromPanel = 0;
  mHeldModel = sceneObject;
  sceneObject->LoadTransformForMesh();
  mPickUpPosition = sceneObject->GetPosition3D();
}

void CGamePanel::DropCursorObject(int mode) {
  if (!mHeldName.empty() && mEpisod) mEpisod->OnCursorObjectReleased(mHeldName);
  const int index = FindItem(mHeldName);
  if (mode == 1) {
    ReturnSceneObject(false);
  } else if (mode == 0 && index >= 0) {
    SPanelItem& item = *mItems[static_cast<size_t>(index)];
    item.timer = 0.0f;
    if (mHeldModel) item.current = item.start = mHeldModel->GetPosition3D();
    if (item.state == SPanelItem::kHeld) item.state = SPanelItem::kInStrip;
  }
  mHeldName.clear();
  mHeldModel = nullptr;
}

void CGamePanel::UpdateCursorObject() {
  if (!mHeldName.empty()) {
    const zormath::Vec3f at(mLastCursor.x + 47.0f, 249.0f, mLastCursor.z - 30.0f);
    const bool sceneShows = mEpisod && mEpisod->QuerySceneMark(mHeldName, at);
    if (!sceneShows && mHeldModel) {
      mHeldModel->SetPosition3D(at);
      mHeldModel->Render();
    }
  }
  if (mCursorKind == 6 && mPortalArrow && gMouseCursor && gMouseCursor->IsWindow()) mPortalArrow->Render();
}

std::wstring CGamePanel::GetCursorName() { return mHeldName; }

bool CGamePanel::IsCursorEmpty() { return mHeldName.empty(); }

bool CGamePanel::IsCursorName(const std::wstring& name) { return mHeldName == name; }

bool CGamePanel::HasCursorObject() { return !mHeldName.empty() && mHeldModel; }

void CGamePanel::SetCursorModeByName(const std::wstring& kind, rovovoz::CBaseGeometryObject* target,
                                     rovovoz::CBaseGeometryObject* reference) {
  static const struct {
    const wchar_t* name;
    int kind;
  } kKinds[] = {{L"shesterni", 1}, {L"push", 2}, {L"click", 3}, {L"glaz", 4}, {L"lupa", 5}, {L"portal", 6}};
  int found = 0;
  for (const auto& k : kKinds)
    if (Platform::EqualsNoCase(kind, k.name)) found = k.kind;
  if (found == 6)
    SetCursorMode(6, target, reference);
  else
    SetCursorMode(found, nullptr, nullptr);
}

void CGamePanel::SetCursorMode(int kind, rovovoz::CBaseGeometryObject* target,
                               rovovoz::CBaseGeometryObject* reference) {
  mCursorKind = kind;
  if (kind == 6) {
    mPortalArrow = target;
    mArrowDir = zormath::Vec3f(0.0f, 0.0f, 1.0f);
    if (target) {
      target->SetRender2D(0);
      if (reference) {
        zormath::Vec3f d = reference->GetPosition3D() - target->GetPosition3D();
        d.y = 0.0f;
        mArrowDir = d.Normalized();
      }
    }
  }
  SetCursorIcon(0.0f, nullptr);
}

void CGamePanel::SetCursorIcon(float, rovovoz::CMouseCursor* cursor) {
  if (!cursor) return;
  mLastCursor = cursor->GetPosition3D();
  const int restart = mCursorKind != mLastCursorKind ? 1 : 0;
  switch (mCursorKind) {
    case 1: cursor->SetCursor(L"cur_shesternya", 0); break;
    case 2: cursor->SetCursor(L"cur_vzat", restart); break;
    case 3: cursor->SetCursor(L"cur_click", restart); break;
    case 4: cursor->SetCursor(L"cur_glaz", restart); break;
    case 5: cursor->SetCursor(L"cur_lupa", restart); break;
    case 6: cursor->SetVisible(0); break;
    default: break;
  }
  mLastCursorKind = mCursorKind;
  if (mCursorKind == 6 && mPortalArrow) {
    const float s = 5.0f * std::sin(mArrowPhase);
    mPortalArrow->SetPosition3D(mLastCursor.x + mArrowDir.x * s, 249.0f, mLastCursor.z + mArrowDir.z * s);
  }
}

bool CGamePanel::IsMouseOverPanel(rovovoz::CMouseCursor* cursor) {
  if (!cursor || !cursor->IsWindow()) return false;
  const zormath::Vec3f p = cursor->GetPosition3D();
  for (rovovoz::CTriangleObject3D* area : {mKursorPanel01.get(), mKursorPanel02.get(), mKursorPanel03.get()})
    if (area && area->PickOrthoPointY(p)) return true;
  return mGhostShown && mGhostClose && mGhostClose->PickOrthoPointY(p);
}
