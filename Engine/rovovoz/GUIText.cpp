#include "Engine/rovovoz/GUIText.h"

#include <algorithm>
#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Platform/Strings.h"

namespace rovovoz {

namespace {

const wchar_t* const kSource = L"Engine/rovovoz/GUIText";
const wchar_t* const kFallbackFont = L"DejaVuSans.ttf";

int ReadAlign(const TiXmlAttribute* attribute, int fallback) {
  if (!attribute) return fallback;
  const std::wstring word = Platform::ToLowerAscii(ValueUtf8(attribute));
  if (word == L"left") return kGuiAlignLeft;
  if (word == L"center" || word == L"centre") return kGuiAlignCenter;
  if (word == L"right") return kGuiAlignRight;
  const int code = IntValue(attribute);
  return code == kGuiAlignLeft || code == kGuiAlignCenter || code == kGuiAlignRight ? code : fallback;
}

}  // namespace

void CGUIText::Load(const TiXmlElement* element) {
  const SInitInfoFont& def = GetDefInitFont();
  mFontName = def.Name.empty() ? kFallbackFont : def.Name;
  mHeight = def.Height > 0 ? def.Height : 20;
  mBold = def.Bold;
  mSeting = def.RenderName;
  if (!element) return;
  if (const TiXmlAttribute* a = FindUpper(element, "Font"); a && !ValueUtf8(a).empty()) mFontName = ValueUtf8(a);
  if (const TiXmlAttribute* a = FindUpper(element, "FontHeight"); a && IntValue(a) > 0) mHeight = IntValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "Bold")) mBold = IntValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "Color")) mColor = DwordValue(a);
  mAlign = ReadAlign(FindUpper(element, "Align"), mAlign);
  if (const TiXmlAttribute* a = FindUpper(element, "EffectColor")) mEffectColor = DwordValue(a);
  if (const TiXmlAttribute* a = FindUpper(element, "EffectOffset")) mEffectOffset = IntValue(a);
}

bool CGUIText::Create(zuzorev::CRenderSystem* render) {
  mFont.Release();
  if (!render) return false;
  mTried = true;
  if (render->CreateFontW(mFont, mFontName, mHeight, mBold) < 0) {
    zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, __LINE__, L"No create font %s for a widget.",
                        mFontName.c_str());
    return false;
  }
  mFont.SetRenderSetingID(render->GetRenderSetingID(mSeting));
  return true;
}

std::vector<std::wstring> CGUIText::Lines(zuzorev::CRenderSystem* render, const std::wstring& text,
                                          int width) const {
  if (!render || !mFont.IsReady()) return {};
  return render->WrapText(mFont, text, std::max(0, width));
}

void CGUIText::Draw(zuzorev::CRenderSystem* render, const std::wstring& text, float width, float height,
                    const zormath::Mat4f& toScreen, float alpha, uint32_t color) {
  if (!render || !mFont.IsReady() || text.empty() || alpha <= 0.0f) return;
  const int w = static_cast<int>(std::lround(width));
  const int lines = static_cast<int>(Lines(render, text, mWrap ? w : 0).size());
  const int block = lines * std::max(1, mFont.GetLineHeight());
  zuzorev::SRect rect;
  rect.left = -w / 2;
  rect.right = rect.left + w;
  rect.top = -block / 2;
  rect.bottom = rect.top + std::max(block, static_cast<int>(std::lround(height)));
  if (!mWrap) {
    // No box to wrap in: the lines hang from the aligned edge.
    rect.left = mAlign == kGuiAlignLeft ? -w / 2 : mAlign == kGuiAlignRight ? w - w / 2 : 0;
    rect.right = rect.left;
  }
  render->SetTransform2DWorld2D(toScreen);
  render->DrawTextW(mFont, text, rect, 0, color, mAlign, mEffectColor, mEffectOffset, alpha);
  render->SetTransform2DWorld2D(zormath::Mat4f::Identity());
}

void CGUIText::DrawChar(zuzorev::CRenderSystem* render, const std::wstring& text, size_t index, float width,
                        float, const zormath::Mat4f& toScreen, float alpha, uint32_t color) {
  if (!render || !mFont.IsReady() || index >= text.size() || alpha <= 0.0f) return;
  const int w = static_cast<int>(std::lround(width));
  const int full = mFont.GetTextWidth(text);
  int left = -w / 2;
  if (mAlign == kGuiAlignCenter) left = -full / 2;
  else if (mAlign == kGuiAlignRight) left = w - w / 2 - full;
  zuzorev::SRect rect;
  rect.left = left + mFont.GetTextWidth(text.substr(0, index));
  rect.right = rect.left;
  rect.top = -std::max(1, mFont.GetLineHeight()) / 2;
  rect.bottom = rect.top + mFont.GetLineHeight();
  render->SetTransform2DWorld2D(toScreen);
  render->DrawTextW(mFont, text.substr(index, 1), rect, 0, color, kGuiAlignLeft, mEffectColor, mEffectOffset,
                    alpha);
  render->SetTransform2DWorld2D(zormath::Mat4f::Identity());
}

}  // namespace rovovoz
