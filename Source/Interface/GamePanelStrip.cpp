// The inventory strip: items added, removed, scrolled and drawn, and the
// mouse on the strip (take an item, put it back) with the return of scene
// objects the player carries.
#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/GUIBaseObject.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "GameLog.h"
#include "Interface/GamePanel.h"
#include "Interface/InterfaceHelpers.h"
#include "Interface/PredmetMenu.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "PlayerRecord.h"

namespace {

const wchar_t* const kSource = L"GamePanel";
constexpr float kHoverHalf = 0.45f * CGamePanel::kStep;
constexpr float kSlotSpeed = 500.0f;
constexpr float kPi = 3.14159265f;

// v moves towards target by at most step.
float Approach(float v, float target, float step) {
  if (v < target) return std::min(v + step, target);
  return std::max(v - step, target);
}

// A point on the arc from a to b at k, raised by (1 - k) k 4 h d.
zormath::Vec3f ArcPoint(const zormath::Vec3f& a, const zormath::Vec3f& b, float k, float height) {
  zormath::Vec3f p = a * (1.0f - k) + b * k;
  const float dx = b.x - a.x, dz = b.z - a.z;
  const float d = std::sqrt(dx * dx + dz * dz);
  p.z += (1.0f - k) * k * 4.0f * height * d;
  return p;
}

bool InputButton(rovovoz::CGameCore* core, int button, int mode) {
  return core && core->GetInput() && core->GetInput()->IsButton(button, mode);
}

}  // namespace

zormath::Vec3f CGamePanel::SlotPosition(int index) const {
  return zormath::Vec3f(mBase.x + static_cast<float>(index) * mStep, mBase.y, mBase.z);
}

const SPanelItem& CGamePanel::GetItem(int index) const {
  static const SPanelItem kNone;
  if (index < 0 || index >= static_cast<int>(mItems.size())) return kNone;
  return *mItems[static_cast<size_t>(index)];
}

int CGamePanel::FindItem(const std::wstring& name) const {
  for (int i = 0; i < mItemCount; ++i)
    if (mItems[static_cast<size_t>(i)]->name == name) return i;
  return -1;
}

void CGamePanel::AddSimpleObject(const std::wstring& name, const std::wstring& source, int, int) {
  if (mItemCount >= kMaxItems) {
    gamelog::Error(kSource, __LINE__, L"Too many items");
    return;
  }
  if (FindItem(name) >= 0) return;
  const SPredmetInfo* predmet = gLogic ? gLogic->StdPredmetMapFind(name) : nullptr;
  if (!predmet) {
    gamelog::Error(kSource, __LINE__, L"AddSimpleObject. No find predmet for logic %s", name.c_str());
    return;
  }
  const int index = mItemCount++;
  SPanelItem& item = *mItems[static_cast<size_t>(index)];
  item.timer = 0.0f;
  item.hover = 0;
  item.glow = 0.0f;
  item.name = name;
  item.text = predmet->TextPanel;
  item.model.reset();
  if (!predmet->Mesh.Empty()) {
    // The strip's icon is its own copy of the item table's mesh.
    item.model = std::make_unique<rovovoz::CStaticObject3D>(GetCore());
    item.model->GetMesh()->Clone(predmet->Mesh, 2);
    item.model->SetRender2D(1);
  }
  item.target = SlotPosition(index - mFirstVisible);
  item.start = item.slot = item.current = item.target;
  if (mItemCount > kVisibleItems) {
    SetFirstVisibleItem(mItemCount - kVisibleItems);
    item.target = SlotPosition(index - mFirstVisible);
  }
  item.state = SPanelItem::kInStrip;
  if (source == L"p_menu" && mPredmetMenu) {
    item.start = mPredmetMenu->GetPredmetPosition();
    item.state = SPanelItem::kFlyingIn;
  }
  item.current = item.start;
  mNextSlotTarget = mNextSlotPos = SlotPosition(mItemCount);
}

void CGamePanel::DeleteSimpleObject(const std::wstring& name) {
  gCurrentPlayer.RemoveItem(name);
  if (mHeldName == name) DropCursorObject(2);
  for (int i = 0; i < mItemCount; ++i) {
    SPanelItem& item = *mItems[static_cast<size_t>(i)];
    if (item.name != name) continue;
    item.state = SPanelItem::kRemoving;
    item.timer = 0.0f;
  }
}

void CGamePanel::SetFirstVisibleItem(int first) {
  // The strip never scrolls before its first item nor past the place where
  // its last item stands in the last visible slot: the mouse loops index
  // the strip from here.
  mFirstVisible = std::clamp(first, 0, std::max(mItemCount - kVisibleItems, 0));
  for (int i = 0; i < mItemCount; ++i) mItems[static_cast<size_t>(i)]->target = SlotPosition(i - mFirstVisible);
}

zormath::Vec3f CGamePanel::ScrollToItem(const std::wstring& name, int scroll) {
  const int index = FindItem(name);
  if (index < 0) return zormath::Vec3f();
  if (scroll) {
    int first = mFirstVisible;
    if (index < first) first = index;
    if (index > first + kVisibleItems - 1) first = index - (kVisibleItems - 1);
    SetFirstVisibleItem(first);
  }
  return mItems[static_cast<size_t>(index)]->target;
}

void CGamePanel::RenderItems() {
  const float left = mBase.x;
  const float right = mBase.x + static_cast<float>(kVisibleItems - 1) * mStep;
  for (int i = 0; i < mItemCount; ++i) {
    SPanelItem& item = *mItems[static_cast<size_t>(i)];
    if (!item.model || (item.state != SPanelItem::kInStrip && item.state != SPanelItem::kRemoved)) continue;
    const float x = item.current.x;
    float alpha = 1.0f;
    if (x < left) alpha = 1.0f - (left - x) / 40.0f;
    if (x > right) alpha = 1.0f - (x - right) / 40.0f;
    item.model->SetAlpha(std::max(alpha, 0.0f));
    item.model->SetPosition3D(item.current.x, item.current.y, item.current.z + mSlideOffset);
    item.model->Render();
  }
}

void CGamePanel::UpdateStripItems(float dt) {
  for (int i = 0; i < mItemCount; ++i) {
    SPanelItem& item = *mItems[static_cast<size_t>(i)];
    item.hover = 0;
    item.glow = std::max(item.glow - dt, 0.0f);
    if (item.state == SPanelItem::kFlyingIn) {
      item.timer += dt;
      if (item.timer >= 1.0f) {
        item.current = item.slot;
        item.state = SPanelItem::kInStrip;
        ui::PlaySound(GetCore(), L"Popadanie_obekta_na_igrovuyu_panel");
      } else {
        const float k = (1.0f - std::cos(kPi * item.timer)) / 2.0f;
        item.current = ArcPoint(item.start, item.slot, k, 0.35f);
      }
    } else if (item.state == SPanelItem::kRemoving) {
      item.timer += 3.0f * dt;
      if (item.timer > 1.0f) item.state = SPanelItem::kRemoved;
      item.current.z -= 300.0f * dt;
      item.slot.z -= 300.0f * dt;
    }
    item.slot.x = Approach(item.slot.x, item.target.x, kSlotSpeed * dt);
    if (item.state == SPanelItem::kInStrip || item.state == SPanelItem::kRemoving) item.current = item.slot;
  }
}

void CGamePanel::ReclaimRemovedItems() {
  bool reclaimed = false;
  for (int i = mItemCount - 1; i >= 0; --i) {
    if (mItems[static_cast<size_t>(i)]->state != SPanelItem::kRemoved) continue;
    std::unique_ptr<SPanelItem> record = std::move(mItems[static_cast<size_t>(i)]);
    record->model.reset();
    mItems.erase(mItems.begin() + i);
    mItems.push_back(std::move(record));
    --mItemCount;
    mNextSlotTarget.x -= mStep;
    reclaimed = true;
  }
  if (!reclaimed) return;
  int first = mFirstVisible;
  if (mItemCount < kVisibleItems + 1) first = 0;
  if (mItemCount < first + kVisibleItems) first = std::max(mItemCount - kVisibleItems, 0);
  SetFirstVisibleItem(first);
}

void CGamePanel::FlyItemBack(SPanelItem& item) {
  item.timer = 0.0f;
  if (mHeldModel) item.current = item.start = mHeldModel->GetPosition3D();
  item.state = SPanelItem::kFlyingIn;
}

void CGamePanel::HandleStripMouse(float dt, rovovoz::CMouseCursor* cursor) {
  const zormath::Vec3f mouse = cursor->GetPosition3D();
  const int last = std::min(mFirstVisible + kVisibleItems, mItemCount);
  auto under = [&](const SPanelItem& item) {
    return std::fabs(mouse.x - item.target.x) < kHoverHalf &&
           std::fabs(mouse.z - (item.target.z + mSlideOffset)) < kHoverHalf;
  };
  const bool leftClick = InputButton(GetCore(), 0, 1);
  if (mHeldName.empty()) {
    for (int i = mFirstVisible; i < last; ++i) {
      SPanelItem& item = *mItems[static_cast<size_t>(i)];
      if (!under(item)) continue;
      item.hover = 1;
      item.glow = std::min(item.glow + 4.0f * dt, 1.0f);
      if (!item.text.empty())
        cursor->SetHint(L"hint_def", item.text, zormath::Vec3f(item.target.x, item.target.y, item.target.z + 50.0f),
                        1, 8);
      if (!leftClick || !mEpisod) continue;
      if (!mEpisod->RunAction(L"gpanel_mc_" + item.text, 0, 0, -1)) continue;
      if (!mEpisod->RunAction(L"gpanel_in_cursor_" + item.name, 0, 0, -1)) continue;
      mHeldName = item.name;
      mHeldModel = item.model.get();
      item.state = SPanelItem::kHeld;
      mHeldFromPanel = 1;
      ui::PlaySound(GetCore(), L"Vzyatie_obekta_s_igrovoi_paneli");
      break;
    }
    return;
  }
  if (leftClick) {
    for (int i = mFirstVisible; i < last; ++i) {
      SPanelItem& item = *mItems[static_cast<size_t>(i)];
      if (item.name != mHeldName || !under(item)) continue;
      if (mEpisod) mEpisod->OnCursorObjectReleased(mHeldName);
      FlyItemBack(item);
      mHeldName.clear();
      mHeldModel = nullptr;
      break;
    }
  }
  if (!mHeldName.empty() && InputButton(GetCore(), 1, 1)) {
    const int index = FindItem(mHeldName);
    if (index >= 0) {
      if (mEpisod) mEpisod->OnCursorObjectReleased(mHeldName);
      FlyItemBack(*mItems[static_cast<size_t>(index)]);
      mHeldName.clear();
      mHeldModel = nullptr;
      ui::PlaySound(GetCore(), L"Sbrasyvanie_obekta_na_igrovuyu_panel");
    }
  }
}

void CGamePanel::StartReturnFlight(const zormath::Vec3f& from) {
  mReturnModel = mHeldModel;
  mReturnStart = from;
  mReturnTarget = mPickUpPosition;
  mReturnProgress = 0.0f;
}

void CGamePanel::ReturnSceneObject(bool tellEpisod) {
  const std::wstring name = mHeldName;
  if (tellEpisod && mEpisod && !name.empty()) mEpisod->OnCursorObjectReleased(name);
  const int index = FindItem(name);
  if (mHeldFromPanel && index >= 0) {
    // An inventory item goes back to its slot; it never had a place in the scene.
    FlyItemBack(*mItems[static_cast<size_t>(index)]);
  } else if (!name.empty()) {
    if (mHeldModel) StartReturnFlight(mHeldModel->GetPosition3D());
    if (mEpisod) {
      mEpisod->RequestToBacks(L"sfind", name, L"", 0, 0);
      mEpisod->RunAction(L"a_return_sfind_" + name, 0, 0, -1);
    }
  }
  mHeldName.clear();
  mHeldModel = nullptr;
}

void CGamePanel::HandleSceneObjectMouse(rovovoz::CMouseCursor* cursor) {
  const bool left = InputButton(GetCore(), 0, 1);
  const bool right = InputButton(GetCore(), 1, 1);
  if (!right || left) {
    if (mClickConsumed) {
      mClickConsumed = 0;
      return;
    }
    if (!left || mHeldName.empty() || !mHeldModel || mHeldFromPanel) return;
    const zormath::Vec3f mouse = cursor->GetPosition3D();
    auto near = [this](float x, float z) {
      const float dx = x - mPickUpPosition.x, dz = z - mPickUpPosition.z;
      return std::sqrt(dx * dx + dz * dz) <= 25.0f;
    };
    if (!near(mouse.x, mouse.z) && !near(mouse.x + 47.0f, mouse.z - 30.0f)) return;
    ReturnSceneObject(true);
    return;
  }
  if (!mHeldName.empty()) ReturnSceneObject(true);
}

void CGamePanel::UpdateReturnFlight(float dt) {
  if (!mReturnModel) return;
  mReturnProgress += 3.0f * dt;
  const float k = std::min(mReturnProgress, 1.0f);
  mReturnModel->SetPosition3D(ArcPoint(mReturnStart, mReturnTarget, k, 0.3f));
  if (mReturnProgress > 1.0f) {
    mReturnProgress = 1.0f;
    mReturnModel = nullptr;
  }
}

void CGamePanel::HandleInventoryMouse(float dt, rovovoz::CMouseCursor* cursor) {
  if (mBLeft && mBRight) {
    mBLeft->SetEnable(mFirstVisible > 0);
    mBRight->SetEnable(mFirstVisible < mItemCount - kVisibleItems);
    if (ui::UpdateAndClick(mBLeft, dt, cursor)) SetFirstVisibleItem(std::max(mFirstVisible - kVisibleItems, 0));
    if (ui::UpdateAndClick(mBRight, dt, cursor))
      SetFirstVisibleItem(std::max(std::min(mFirstVisible + kVisibleItems, mItemCount - kVisibleItems), 0));
    if (mPanelMode != kModePush) {
      mBLeft->SetEnable(0);
      mBRight->SetEnable(0);
    }
  }
  mNextSlotPos.x = Approach(mNextSlotPos.x, mNextSlotTarget.x, kSlotSpeed * dt);
  UpdateStripItems(dt);
  ReclaimRemovedItems();
  if (mPanelMode == kModePush && cursor) HandleStripMouse(dt, cursor);
  if (cursor) HandleSceneObjectMouse(cursor);
  UpdateReturnFlight(dt);
}
