#pragma once
// The base of the widgets that draw text in one style (labels, buttons,
// check boxes, edit boxes, lists): the style's font is remade after a
// display change and released with the widget.
#include "Engine/rovovoz/GUIBaseObject.h"
#include "Engine/rovovoz/GUIText.h"

namespace rovovoz {

class CGUITextWidget : public CGUIBaseObject {
 public:
  using CGUIBaseObject::CGUIBaseObject;

  // A font that was made is made again; E_FAIL when that fails.
  int32_t ReInit() override;
  int32_t Release(uint32_t flags = 0) override;

 protected:
  CGUIText mStyle;
};

}  // namespace rovovoz
