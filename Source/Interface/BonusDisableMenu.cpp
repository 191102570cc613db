#include "Interface/BonusDisableMenu.h"

#include "Interface/InterfaceHelpers.h"

namespace {
SMenuLayout BonusLayout() {
  SMenuLayout l;
  l.anchor = {512.0f, 388.0f, 0.0f};
  l.moves = false;
  l.placeOnOpen = false;
  l.closingScale = 0.8f;
  l.endOfClosing = kMenuEndHide;
  l.startHidden = true;
  return l;
}
}  // namespace

CBonusDisableMenu::CBonusDisableMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, BonusLayout()) {}

int CBonusDisableMenu::Open() {
  CMenuFrame::Open();
  SetVisible(1);
  Update(0.0f, nullptr);
  return 1;
}

int32_t CBonusDisableMenu::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mShowState != 0) {
    UpdateShowAnimation(dt);
    return 0;
  }
  if (ui::UpdateAndClick(GetChild(L"BOk"), dt, cursor)) Close();
  return rovovoz::CGUIBaseObject::Update(dt, cursor);
}
