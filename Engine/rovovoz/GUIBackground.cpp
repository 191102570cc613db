#include "Engine/rovovoz/GUIBackground.h"

namespace rovovoz {

CGUIBackground::CGUIBackground(CGameCore* core, CGUIBaseObject* parent) : CGUIBaseObject(core, parent) {
  RegisterLook(&mLook);
}

}  // namespace rovovoz
