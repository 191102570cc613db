#pragma once
// The text look shared by labels, buttons, lists, edit boxes and check
// boxes: a font (a registered font name or a TrueType file), its height in
// virtual pixels, boldness, colour, alignment and the colour of the font's
// effect. Texts are laid out in a widget's box, centred on its middle line,
// and drawn through a 2D transform so they follow the widget and its form.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Font.h"

class TiXmlElement;

namespace zuzorev {
class CRenderSystem;
}

namespace rovovoz {

// Alignment codes of the render system's text drawing.
enum : int { kGuiAlignRight = 1, kGuiAlignCenter = 2, kGuiAlignLeft = 4 };

class CGUIText {
 public:
  CGUIText() = default;
  CGUIText(const CGUIText&) = delete;
  CGUIText& operator=(const CGUIText&) = delete;

  // Reads Font, FontHeight, Bold, Color, Align ("left", "center", "right" or
  // the codes 4, 2, 1), EffectColor and EffectOffset; missing ones take the
  // engine's default font description (or DejaVu Sans, 20 pixels).
  void Load(const TiXmlElement* element);
  // Makes (or remakes, after a display change) the font. False, logged,
  // when the font cannot be made; texts are then measured as empty and not
  // drawn.
  bool Create(zuzorev::CRenderSystem* render);
  // Makes the font on first need (a failure is logged once).
  bool Ensure(zuzorev::CRenderSystem* render) { return mFont.IsReady() || (!mTried && Create(render)); }
  void Release() { mFont.Release(); }
  bool IsReady() const { return mFont.IsReady(); }

  int GetTextWidth(const std::wstring& text) const { return mFont.GetTextWidth(text); }
  int GetLineHeight() const { return mFont.GetLineHeight(); }
  // Lines the text takes in a box of this width (0: no wrapping).
  std::vector<std::wstring> Lines(zuzorev::CRenderSystem* render, const std::wstring& text, int width) const;

  // Draws the text in a width x height box centred on the local origin;
  // `toScreen` maps local pixels (x right, y down) to virtual-screen pixels.
  void Draw(zuzorev::CRenderSystem* render, const std::wstring& text, float width, float height,
            const zormath::Mat4f& toScreen, float alpha, uint32_t color);
  // Draws only character `index` of a one-line text, where it stands when
  // the whole text is drawn.
  void DrawChar(zuzorev::CRenderSystem* render, const std::wstring& text, size_t index, float width,
                float height, const zormath::Mat4f& toScreen, float alpha, uint32_t color);

  uint32_t mColor = 0xFFFFFFFFu;
  int mAlign = kGuiAlignCenter;
  uint32_t mEffectColor = 0xFF000000u;
  int mEffectOffset = 2;
  // false: one line per paragraph, however wide (edit boxes).
  bool mWrap = true;

 private:
  std::wstring mFontName;
  int mHeight = 20;
  int mBold = 0;
  std::wstring mSeting;
  zuzorev::CFont mFont;
  bool mTried = false;
};

}  // namespace rovovoz
