#include "Engine/rovovoz/GUISlider.h"

#include <algorithm>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/zormath/Transform.h"

namespace rovovoz {

CGUISlider::CGUISlider(CGameCore* core, CGUIBaseObject* parent) : CGUIBaseObject(core, parent) {
  RegisterLook(&mTrack);
  RegisterLook(&mThumb);
}

bool CGUISlider::LoadWidget(const TiXmlElement* element) {
  bool ok = LoadLook(mTrack, element, "");
  ok = LoadLook(mThumb, element, "Thumb") && ok;
  SetValue(FloatValue(FindUpper(element, "Value")));
  mThumbWidth = FloatValue(FindUpper(element, "ThumbWidth"));
  return ok;
}

void CGUISlider::SetValue(float value) { mValue = std::clamp(value, 0.0f, 1.0f); }

float CGUISlider::ThumbWidth() const {
  const float w = mThumbWidth > 0.0f ? mThumbWidth : mHeight;
  return std::min(w, mWidth);
}

void CGUISlider::UpdateSelf(float, CMouseCursor* cursor) {
  if (!mEnable) return;
  const SPointer p = UpdatePointer(cursor);
  if (p.over) mEvent |= kGuiEventOver;
  if (p.click) mEvent |= kGuiEventClickAll;
  // Pressed on the slider and held: the thumb follows the pointer, also
  // when the pointer leaves the track.
  if ((p.down || p.held) && cursor) {
    const float thumb = ThumbWidth();
    const float travel = mWidth - thumb;
    if (travel > 0.0f) SetValue((p.local.x + mWidth * 0.5f - thumb * 0.5f) / travel);
  }
}

void CGUISlider::DrawSelf() {
  const float alpha = GetDrawAlpha();
  DrawLook(mTrack, alpha);
  const float thumb = ThumbWidth();
  const float x = -mWidth * 0.5f + thumb * 0.5f + mValue * (mWidth - thumb);
  const zormath::Mat4f along = zormath::MatrixTranslation(x, 0, 0);
  mThumb.Draw(mCore, zormath::MatrixTranslation(mBoxOffset.x, mBoxOffset.y, mBoxOffset.z) * along * mTemp,
              mThumb.GetMeshPlacement() *
                  zormath::MatrixTranslation(-mRestPosition.x, -mRestPosition.y, -mRestPosition.z) * along * mTemp,
              mRender2D, thumb, mHeight, alpha);
}

}  // namespace rovovoz
