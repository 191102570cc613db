#include "Interface/ExtrasMenu.h"

namespace {
void OnClose() {
  if (gExtrasMenu) gExtrasMenu->Close();
}

SMenuLayout ExtrasLayout() {
  SMenuLayout l;
  l.openAt = {616.0f, 450.0f, 0.0f};
  l.entry = {636.0f, 420.0f, 0.0f};
  l.exit = {150.0f, 320.0f, 0.0f};
  l.closingScale = 0.8f;
  l.endOfClosing = kMenuEndHide;
  l.startHidden = true;
  return l;
}
}  // namespace

CExtrasMenu::CExtrasMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, ExtrasLayout()) {
  AddCommand(L"ExtrasBCClose", OnClose);
}

int CExtrasMenu::Open(int) {
  CMenuFrame::Open();
  SetVisible(1);
  return 1;
}
