#pragma once
// A horizontal slider with a value from 0 to 1: a click on the track moves
// the thumb there and dragging moves it along.
//
// Element: Value (0..1 at load), ThumbWidth (default the box height), the
// look of the track (Image / Fill / NameModel) and of the thumb (ImageThumb
// / FillThumb / NameModelThumb).
#include "Engine/rovovoz/GUIBaseObject.h"

namespace rovovoz {

class CGUISlider : public CGUIBaseObject {
 public:
  explicit CGUISlider(CGameCore* core, CGUIBaseObject* parent = nullptr);

  // Kept within 0..1.
  void SetValue(float value);
  float GetValue() const { return mValue; }

 protected:
  bool LoadWidget(const TiXmlElement* element) override;
  const CGUILook* PrimaryLook() const override { return &mTrack; }
  void UpdateSelf(float dt, CMouseCursor* cursor) override;
  void DrawSelf() override;

 private:
  float ThumbWidth() const;

  CGUILook mTrack;
  CGUILook mThumb;
  float mValue = 0.0f;
  float mThumbWidth = 0.0f;
};

}  // namespace rovovoz
