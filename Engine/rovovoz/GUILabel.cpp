#include "Engine/rovovoz/GUILabel.h"

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"

namespace rovovoz {

CGUILabel::CGUILabel(CGameCore* core, CGUIBaseObject* parent) : CGUITextWidget(core, parent) { RegisterLook(&mLook); }

bool CGUILabel::LoadWidget(const TiXmlElement* element) {
  bool ok = LoadLook(mLook, element, "");
  mStyle.Load(element);
  mText = ReadText(element);
  return mStyle.Create(GetRenderSystem()) && ok;
}

void CGUILabel::SetText(const std::wstring& text) {
  mText = text;
  mStyle.Ensure(GetRenderSystem());
}

void CGUILabel::SetInt(int value) { SetText(std::to_wstring(value)); }

int CGUILabel::GetTextWidth() const {
  int width = 0;
  for (const auto& line : mStyle.Lines(GetRenderSystem(), mText, static_cast<int>(std::lround(mWidth))))
    width = std::max(width, mStyle.GetTextWidth(line));
  return width;
}

int CGUILabel::GetTextHeight() const {
  const auto lines = mStyle.Lines(GetRenderSystem(), mText, static_cast<int>(std::lround(mWidth)));
  return static_cast<int>(lines.size()) * mStyle.GetLineHeight();
}

void CGUILabel::DrawSelf() {
  const float alpha = GetDrawAlpha();
  DrawLook(mLook, alpha);
  mStyle.Draw(GetRenderSystem(), mText, mWidth, mHeight, LocalToScreen(), alpha, mStyle.mColor);
}

int32_t CGUILabel::RenderChar(size_t index) {
  mStyle.DrawChar(GetRenderSystem(), mText, index, mWidth, mHeight, LocalToScreen(), GetDrawAlpha(), mStyle.mColor);
  return 0;
}

}  // namespace rovovoz
