#include "Engine/rovovoz/GUICheckBox.h"

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ScriptFunctions.h"

namespace rovovoz {

CGUICheckBox::CGUICheckBox(CGameCore* core, CGUIBaseObject* parent) : CGUITextWidget(core, parent) {
  for (auto& look : mLooks) RegisterLook(&look);
}

bool CGUICheckBox::LoadWidget(const TiXmlElement* element) {
  static const char* const kSuffix[kLooks] = {"", "Check", "Disable", "CheckDisable"};
  bool ok = true;
  for (int i = 0; i < kLooks; ++i) ok = LoadLook(mLooks[i], element, kSuffix[i]) && ok;
  mCheck = IntValue(FindUpper(element, "Check")) != 0;
  mCommand = ValueUtf8(FindUpper(element, "Command"));
  mCommandDisable = ValueUtf8(FindUpper(element, "CommandDisable"));
  mStyle.Load(element);
  mText = ReadText(element);
  if (!mText.empty()) ok = mStyle.Create(GetRenderSystem()) && ok;
  return ok;
}

void CGUICheckBox::SetEnable(int enable) {
  CGUIBaseObject::SetEnable(enable);
  if (!mEnable) mEvent &= ~kGuiEventOver;
}

void CGUICheckBox::UpdateSelf(float, CMouseCursor* cursor) {
  mFire = mFireDisable = false;
  const SPointer p = UpdatePointer(cursor);
  if (!mEnable) {
    mFireDisable = p.click;
    return;
  }
  if (p.over) mEvent |= kGuiEventOver;
  if (p.click) {
    mEvent |= kGuiEventClickAll;
    mCheck = !mCheck;
    mFire = true;
  }
}

void CGUICheckBox::RunCommand() {
  const std::wstring& command = mFire ? mCommand : mFireDisable ? mCommandDisable : std::wstring();
  mFire = mFireDisable = false;
  if (command.empty()) return;
  if (CScriptFunctions* script = GetScript()) script->Call(command);
}

void CGUICheckBox::DrawSelf() {
  int state = mCheck ? kTicked : kClear;
  if (!mEnable && !mLooks[state + 2].IsEmpty()) state += 2;
  const float alpha = GetDrawAlpha();
  DrawLook(mLooks[state], alpha);
  if (!mText.empty() && mStyle.Ensure(GetRenderSystem()))
    mStyle.Draw(GetRenderSystem(), mText, mWidth, mHeight, LocalToScreen(), alpha, mStyle.mColor);
}

}  // namespace rovovoz
