#pragma once
// A marker: a named rectangle of a form's layout that is never drawn; the
// game reads its box (GetBoxRect) to place what it draws itself.
// Element: X, Y, Width, Height.
#include "Engine/rovovoz/GUIBaseObject.h"

namespace rovovoz {

class CGUIMarker : public CGUIBaseObject {
 public:
  explicit CGUIMarker(CGameCore* core, CGUIBaseObject* parent = nullptr) : CGUIBaseObject(core, parent) {}
};

}  // namespace rovovoz
