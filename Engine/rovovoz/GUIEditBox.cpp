#include "Engine/rovovoz/GUIEditBox.h"

#include <SDL2/SDL.h>

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/InputSystem.h"

namespace rovovoz {

namespace {

constexpr int kVkBack = 8;
constexpr float kBlinkPeriod = 1.0f;  // the caret shows for the first half

}  // namespace

CGUIEditBox* CGUIEditBox::sFocused = nullptr;

CGUIEditBox::CGUIEditBox(CGameCore* core, CGUIBaseObject* parent) : CGUITextWidget(core, parent) {
  RegisterLook(&mLook);
  mStyle.mAlign = kGuiAlignLeft;
  mStyle.mWrap = false;
}

CGUIEditBox::~CGUIEditBox() { SetFocus(false); }

bool CGUIEditBox::LoadWidget(const TiXmlElement* element) {
  bool ok = LoadLook(mLook, element, "");
  mStyle.Load(element);
  if (const TiXmlAttribute* a = FindUpper(element, "MaxLength"); a && IntValue(a) > 0)
    mMaxLength = static_cast<size_t>(IntValue(a));
  mExclude = ValueUtf8(FindUpper(element, "Exclude"));
  SetText(ReadText(element));
  return mStyle.Create(GetRenderSystem()) && ok;
}

bool CGUIEditBox::Accepts(wchar_t c) const {
  return c >= 0x20 && c != 0x7F && mExclude.find(c) == std::wstring::npos;
}

void CGUIEditBox::SetText(const std::wstring& text) {
  mText.clear();
  for (wchar_t c : text)
    if (Accepts(c) && mText.size() < mMaxLength) mText += c;
}

void CGUIEditBox::SetFocus(bool focus) {
  if (focus) {
    if (sFocused == this) return;
    sFocused = this;
    mBlink = 0.0f;
    SDL_StartTextInput();
  } else if (sFocused == this) {
    sFocused = nullptr;
    SDL_StopTextInput();
  }
}

void CGUIEditBox::UpdateSelf(float dt, CMouseCursor* cursor) {
  if (!mEnable) return;
  const SPointer p = UpdatePointer(cursor);
  if (p.over) mEvent |= kGuiEventOver;
  if (p.down) SetFocus(true);
  if (p.click) mEvent |= kGuiEventClickAll;
  mBlink = std::fmod(mBlink + dt, kBlinkPeriod);
  TakeTypedText();
}

void CGUIEditBox::TakeTypedText() {
  zuzorev::CInputSystem* input = mCore ? mCore->GetInput() : nullptr;
  if (!GetFocus() || !input) return;
  if (input->IsVKey(kVkBack, zuzorev::kInputDown) && !mText.empty()) mText.pop_back();
  for (wchar_t c : input->GetTextInput())
    if (Accepts(c) && mText.size() < mMaxLength) mText += c;
}

void CGUIEditBox::DrawSelf() {
  const float alpha = GetDrawAlpha();
  DrawLook(mLook, alpha);
  zuzorev::CRenderSystem* render = GetRenderSystem();
  const zormath::Mat4f toScreen = LocalToScreen();
  mStyle.Draw(render, mText, mWidth, mHeight, toScreen, alpha, mStyle.mColor);
  if (GetFocus() && mEnable && mBlink < kBlinkPeriod * 0.5f)
    mStyle.DrawChar(render, mText + L"|", mText.size(), mWidth, mHeight, toScreen, alpha, mStyle.mColor);
}

int32_t CGUIEditBox::Release(uint32_t flags) {
  SetFocus(false);
  return CGUITextWidget::Release(flags);
}

}  // namespace rovovoz
