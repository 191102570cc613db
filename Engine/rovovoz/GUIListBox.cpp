#include "Engine/rovovoz/GUIListBox.h"

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ScriptFunctions.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/InputSystem.h"

namespace rovovoz {

namespace {

constexpr int kVkDelete = 46;

}  // namespace

CGUIListBox::CGUIListBox(CGameCore* core, CGUIBaseObject* parent) : CGUITextWidget(core, parent) {
  RegisterLook(&mLook);
  RegisterLook(&mSelectLook);
  mStyle.mAlign = kGuiAlignLeft;
  mStyle.mWrap = false;
}

bool CGUIListBox::LoadWidget(const TiXmlElement* element) {
  bool ok = LoadLook(mLook, element, "");
  ok = LoadLook(mSelectLook, element, "Select") && ok;
  mStyle.Load(element);
  mCommand = ValueUtf8(FindUpper(element, "Command"));
  mContext = DwordValue(FindUpper(element, "Context"));
  mRowHeight = FloatValue(FindUpper(element, "RowHeight"));
  return mStyle.Create(GetRenderSystem()) && ok;
}

float CGUIListBox::RowHeight() const {
  if (mRowHeight > 0.0f) return mRowHeight;
  return static_cast<float>(std::max(1, mStyle.GetLineHeight()));
}

int CGUIListBox::VisibleRows() const {
  return std::max(1, static_cast<int>(std::floor(mHeight / RowHeight())));
}

void CGUIListBox::KeepSelectionVisible() {
  if (mSelected >= 0) {
    if (mSelected < mFirst) mFirst = mSelected;
    if (mSelected >= mFirst + VisibleRows()) mFirst = mSelected - VisibleRows() + 1;
  }
  mFirst = std::clamp(mFirst, 0, std::max(0, GetCount() - VisibleRows()));
}

void CGUIListBox::SetSelected(int index) {
  mSelected = index >= 0 && index < GetCount() ? index : -1;
  KeepSelectionVisible();
}

std::wstring CGUIListBox::GetItemText(int index) const {
  return index >= 0 && index < GetCount() ? mItems[static_cast<size_t>(index)] : std::wstring();
}

void CGUIListBox::AddItem(const std::wstring& text) { mItems.push_back(text); }

void CGUIListBox::RemoveAll() {
  mItems.clear();
  mSelected = -1;
  mFirst = 0;
  mLastClickRow = -1;
}

void CGUIListBox::UpdateSelf(float dt, CMouseCursor* cursor) {
  mFire = false;
  mSinceClick += dt;
  if (!mEnable) return;
  const SPointer p = UpdatePointer(cursor);
  if (p.over) mEvent |= kGuiEventOver;
  if (p.click) mEvent |= kGuiEventClickAll;
  zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
  if (p.down) {
    const int row = mFirst + static_cast<int>(std::floor((p.local.y + mHeight * 0.5f) / RowHeight()));
    if (row >= 0 && row < GetCount()) {
      mFire = row == mLastClickRow && mSinceClick <= kDoubleClickTime;
      mSelected = row;
      mLastClickRow = mFire ? -1 : row;
      mSinceClick = 0.0f;
    }
  }
  if (p.over && input && input->GetWheel() != 0) {
    mFirst = std::clamp(mFirst - input->GetWheel(), 0, std::max(0, GetCount() - VisibleRows()));
  }
  if (input && !CGUIEditBox::GetFocused() && input->IsVKey(kVkDelete, zuzorev::kInputDown)) mFire = true;
}

void CGUIListBox::RunCommand() {
  if (!mFire || mCommand.empty()) return;
  mFire = false;
  if (CScriptFunctions* script = GetScript()) script->CallList(mCommand, mContext, mSelected);
}

void CGUIListBox::DrawSelf() {
  const float alpha = GetDrawAlpha();
  DrawLook(mLook, alpha);
  const float row = RowHeight();
  const int rows = VisibleRows();
  const zormath::Mat4f toScreen = LocalToScreen();
  for (int r = 0; r < rows && mFirst + r < GetCount(); ++r) {
    const int index = mFirst + r;
    const float middle = -mHeight * 0.5f + (static_cast<float>(r) + 0.5f) * row;  // pixels, y down
    if (index == mSelected) {
      mSelectLook.Draw(mCore,
                       zormath::MatrixTranslation(mBoxOffset.x, mBoxOffset.y, mBoxOffset.z - middle) * mTemp,
                       MeshMatrix(mSelectLook), mRender2D, mWidth, row, alpha);
    }
    mStyle.Draw(GetRenderSystem(), mItems[static_cast<size_t>(index)], mWidth, row,
                zormath::MatrixTranslation(0, middle, 0) * toScreen, alpha, mStyle.mColor);
  }
}

int32_t CGUIListBox::Release(uint32_t flags) {
  RemoveAll();
  return CGUITextWidget::Release(flags);
}

}  // namespace rovovoz
