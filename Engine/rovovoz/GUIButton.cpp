#include "Engine/rovovoz/GUIButton.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ScriptFunctions.h"

namespace rovovoz {

CGUIButton::CGUIButton(CGameCore* core, CGUIBaseObject* parent) : CGUITextWidget(core, parent) {
  for (auto& look : mStateLooks) RegisterLook(&look);
}

bool CGUIButton::LoadWidget(const TiXmlElement* element) {
  static const char* const kSuffix[kLooks] = {"", "Over", "Press", "Disable"};
  bool ok = true;
  for (int i = 0; i < kLooks; ++i) ok = LoadLook(mStateLooks[i], element, kSuffix[i]) && ok;
  mCommand = ValueUtf8(FindUpper(element, "Command"));
  mStyle.Load(element);
  if (const TiXmlAttribute* a = FindUpper(element, "ColorOver")) {
    mColorOver = DwordValue(a);
    mHasColorOver = true;
  }
  if (const TiXmlAttribute* a = FindUpper(element, "ColorDisable")) {
    mColorDisable = DwordValue(a);
    mHasColorDisable = true;
  }
  mText = ReadText(element);
  if (!mText.empty()) ok = mStyle.Create(GetRenderSystem()) && ok;
  return ok;
}

void CGUIButton::SetEnable(int enable) {
  CGUIBaseObject::SetEnable(enable);
  if (!mEnable) {
    mOver = mPressed = false;
    mEvent = 0;
  }
}

void CGUIButton::UpdateSelf(float, CMouseCursor* cursor) {
  if (!mEnable) {
    mOver = mPressed = false;
    return;
  }
  const SPointer p = UpdatePointer(cursor);
  if (p.over) mEvent |= kGuiEventOver;
  if (p.click) mEvent |= kGuiEventClickAll;
}

void CGUIButton::RunCommand() {
  if (!(mEvent & kGuiEventClick) || mCommand.empty()) return;
  if (CScriptFunctions* script = GetScript()) script->Call(mCommand);
}

void CGUIButton::DrawSelf() {
  int state = kNormal;
  if (!mEnable) state = kDisable;
  else if (mPressed && mOver) state = kPress;
  else if (mOver) state = kOver;
  if (state == kPress && mStateLooks[kPress].IsEmpty()) state = kOver;
  if (mStateLooks[state].IsEmpty()) state = kNormal;
  const float alpha = GetDrawAlpha();
  DrawLook(mStateLooks[state], alpha);
  if (mText.empty()) return;
  if (!mStyle.Ensure(GetRenderSystem())) return;
  uint32_t color = mStyle.mColor;
  if (!mEnable && mHasColorDisable) color = mColorDisable;
  else if (mEnable && mOver && mHasColorOver) color = mColorOver;
  mStyle.Draw(GetRenderSystem(), mText, mWidth, mHeight, LocalToScreen(), alpha, color);
}

}  // namespace rovovoz
