#include "Engine/rovovoz/GUIMessageBox.h"

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUIButton.h"
#include "Engine/rovovoz/GUICheckBox.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zormath/Transform.h"

namespace rovovoz {

namespace {

const wchar_t* const kButtonNames[3] = {L"BOk", L"BCancel", L"BClose"};
const uint8_t kButtonBits[3] = {kMsgOk, kMsgCancel, kMsgClose};

}  // namespace

CGUIMessageBox::CGUIMessageBox(CGameCore* core, CGUIBaseObject* parent) : CGUIForm(core, parent) {
  RegisterLook(&mBack);
}

int32_t CGUIMessageBox::LoadProperty(const TiXmlElement* element, int index, uint32_t flags) {
  const int32_t result = CGUIForm::LoadProperty(element, index, flags);
  if (result < 0) return result;
  if (const TiXmlAttribute* a = FindUpper(element, "MinWidth")) mMinWidth = FloatValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "Padding")) mPadding = FloatValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "Spacing")) mSpacing = FloatValue(a);
  const bool lookOk = LoadLook(mBack, element, "");
  Clear();
  return lookOk ? result : zuzorev::kFail;
}

void CGUIMessageBox::Clear() {
  mTitle = SPart{};
  mBody = SPart{};
  for (auto& c : mCaptions) c.clear();
  mHasCheck = false;
  mCheckText.clear();
  if (auto* check = dynamic_cast<CGUICheckBox*>(GetChild(L"Check"))) check->SetCheck(0);
  CloseBox();
}

void CGUIMessageBox::SetText(const std::wstring& text, int wrap, const std::wstring& key, float maxWidth, int show) {
  CTextManager* texts = mCore ? mCore->GetTextManager() : nullptr;
  mBody.text = key.empty() || !texts ? text : texts->GetText(GetTextGroup(), key);
  mBody.wrap = wrap != 0;
  mBody.maxWidth = maxWidth;
  mBody.show = show != 0;
}

void CGUIMessageBox::SetTitle(const std::wstring& text, int wrap, const std::wstring& key, float maxWidth,
                              int show) {
  CTextManager* texts = mCore ? mCore->GetTextManager() : nullptr;
  mTitle.text = key.empty() || !texts ? text : texts->GetText(GetTextGroup(), key);
  mTitle.wrap = wrap != 0;
  mTitle.maxWidth = maxWidth;
  mTitle.show = show != 0;
}

void CGUIMessageBox::SetButtonProperty(const std::wstring& ok, const std::wstring& cancel, const std::wstring& close) {
  mCaptions[0] = ok;
  mCaptions[1] = cancel;
  mCaptions[2] = close;
}

void CGUIMessageBox::SetCheckProperty(int hasCheck, const std::wstring& text) {
  mHasCheck = hasCheck != 0;
  mCheckText = text;
}

float CGUIMessageBox::PlaceLabel(CGUILabel* label, const SPart& part, float top, float inner) {
  const float width = part.wrap && part.maxWidth > 0 ? std::min(part.maxWidth, inner) : inner;
  label->SetSize(width, 0);
  const float height = static_cast<float>(label->GetTextHeight());
  label->SetSize(width, height);
  label->SetPosition3D(mWidth * 0.5f, label->GetPosition3D().y, -(top + height * 0.5f));
  return height;
}

void CGUIMessageBox::Layout() {
  auto* title = dynamic_cast<CGUILabel*>(GetChild(L"Title"));
  auto* body = dynamic_cast<CGUILabel*>(GetChild(L"Text"));
  auto* check = dynamic_cast<CGUICheckBox*>(GetChild(L"Check"));
  CGUIBaseObject* buttons[3];
  for (int i = 0; i < 3; ++i) buttons[i] = GetChild(kButtonNames[i]);

  // What shows, and how wide it wants the box.
  const bool showTitle = title && mTitle.show && !mTitle.text.empty();
  const bool showBody = body && mBody.show && !mBody.text.empty();
  const bool showCheck = check && mHasCheck;
  float content = 0, buttonRow = 0, rowHeight = 0;
  auto measure = [&](CGUILabel* label, const SPart& part) {
    label->SetText(part.text);
    label->SetSize(part.wrap && part.maxWidth > 0 ? part.maxWidth : 0, 0);
    content = std::max(content, static_cast<float>(label->GetTextWidth()));
  };
  if (title) title->SetVisible(showTitle);
  if (body) body->SetVisible(showBody);
  if (showTitle) measure(title, mTitle);
  if (showBody) measure(body, mBody);
  if (check) {
    check->SetVisible(showCheck);
    check->SetText(mCheckText);
    if (showCheck) content = std::max(content, check->GetWidth());
  }
  int shown = 0;
  for (int i = 0; i < 3; ++i) {
    if (!buttons[i]) continue;
    buttons[i]->SetText(mCaptions[i]);
    buttons[i]->SetVisible(!mCaptions[i].empty());
    if (mCaptions[i].empty()) continue;
    buttonRow += (shown++ ? mSpacing : 0) + buttons[i]->GetWidth();
    rowHeight = std::max(rowHeight, buttons[i]->GetHeight());
  }
  content = std::max(content, buttonRow);
  mWidth = std::max(mMinWidth, content + 2 * mPadding);
  const float inner = mWidth - 2 * mPadding;

  // Top to bottom, in the box's own space (origin at its top-left corner).
  float y = mPadding;
  bool first = true;
  auto gap = [&]() {
    if (!first) y += mSpacing;
    first = false;
  };
  if (showTitle) {
    gap();
    y += PlaceLabel(title, mTitle, y, inner);
  }
  if (showBody) {
    gap();
    y += PlaceLabel(body, mBody, y, inner);
  }
  if (showCheck) {
    gap();
    check->SetPosition3D(mPadding + check->GetWidth() * 0.5f, check->GetPosition3D().y,
                         -(y + check->GetHeight() * 0.5f));
    y += check->GetHeight();
  }
  if (shown) {
    gap();
    float x = (mWidth - buttonRow) * 0.5f;
    for (auto* b : buttons) {
      if (!b || !b->GetVisible()) continue;
      b->SetPosition3D(x + b->GetWidth() * 0.5f, b->GetPosition3D().y, -(y + rowHeight * 0.5f));
      x += b->GetWidth() + mSpacing;
    }
    y += rowHeight;
  }
  mHeight = y + mPadding;
  mBoxOffset = zormath::Vec3f(mWidth * 0.5f, 0, -mHeight * 0.5f);
  mPivot = zormath::Vec3f(mHAlign == 0 ? 0 : mHAlign == 1 ? mWidth * 0.5f : mWidth, 0,
                          mVAlign == 0 ? 0 : mVAlign == 4 ? -mHeight * 0.5f : -mHeight);
  UpdateTempMatrix();
}

void CGUIMessageBox::VisibleBox(int hAlign, int vAlign) {
  mHAlign = hAlign == 0 || hAlign == 2 ? hAlign : 1;
  mVAlign = vAlign == 0 || vAlign == 8 ? vAlign : 4;
  Layout();
  ClearState();
  SetVisible(1);
}

int8_t CGUIMessageBox::UpdateBox(float dt, CMouseCursor* cursor) {
  if (!mVisible) return static_cast<int8_t>(kMsgClosed);
  Update(dt, cursor);
  uint8_t result = 0;
  bool anyButton = false;
  for (int i = 0; i < 3; ++i) {
    CGUIBaseObject* b = GetChild(kButtonNames[i]);
    if (!b || !b->GetVisible()) continue;
    anyButton = true;
    if (b->GetEvent() & kGuiEventClick) result |= kButtonBits[i];
  }
  // A box without buttons closes with a click on it.
  if (!anyButton && UpdatePointer(cursor).click) result |= kMsgClose;
  if (!result) return 0;
  result |= kMsgClosed;
  if (GetCheck()) result |= kMsgChecked;
  CloseBox();
  return static_cast<int8_t>(result);
}

int CGUIMessageBox::GetCheck() const {
  const auto* check = dynamic_cast<const CGUICheckBox*>(GetChild(L"Check"));
  return mHasCheck && check ? check->GetCheck() : 0;
}

void CGUIMessageBox::CloseBox() {
  SetVisible(0);
  ClearState();
}

void CGUIMessageBox::GetRectRender(zuzorev::SRect& rect) const {
  rect.left = 512;
  rect.top = 384;
  rect.right = 512 + static_cast<int32_t>(std::lround(mWidth));
  rect.bottom = 384 + static_cast<int32_t>(std::lround(mHeight));
}

void CGUIMessageBox::GetBoxRect(zuzorev::SRect& rect) const {
  zuzorev::SRect own;
  GetRectRender(own);
  const zormath::Mat4f m = GetWorldMatrix2D();
  const zormath::Vec3f a = zormath::TransformCoord(zormath::Vec3f(own.left, own.top, 0), m);
  const zormath::Vec3f b = zormath::TransformCoord(zormath::Vec3f(own.right, own.bottom, 0), m);
  rect.left = static_cast<int32_t>(std::lround(std::fmin(a.x, b.x)));
  rect.right = static_cast<int32_t>(std::lround(std::fmax(a.x, b.x)));
  rect.top = static_cast<int32_t>(std::lround(std::fmin(a.y, b.y)));
  rect.bottom = static_cast<int32_t>(std::lround(std::fmax(a.y, b.y)));
}

void CGUIMessageBox::DrawSelf() {
  DrawLook(mBack, GetDrawAlpha());
  CGUIForm::DrawSelf();
}

}  // namespace rovovoz
