#include "Interface/NoticeBox.h"

namespace {
SMenuLayout NoticeLayout() {
  SMenuLayout l;
  l.openAt = {616.0f, 450.0f, 0.0f};
  l.entry = {636.0f, 420.0f, 0.0f};
  l.rest = {516.0f, 380.0f, 0.0f};
  l.exit = {150.0f, 320.0f, 0.0f};
  l.closingScale = 0.8f;
  l.endOfClosing = kMenuEndHide;
  l.startHidden = true;
  return l;
}
}  // namespace

CNoticeBox::CNoticeBox(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent)
    : CMenuFrame(core, parent, NoticeLayout()) {}

void CNoticeBox::FindWidgets() { mOkButton = GetChild(L"BOk"); }

int CNoticeBox::Open() {
  CMenuFrame::Open();
  SetVisible(1);
  return 1;
}

int32_t CNoticeBox::Update(float dt, rovovoz::CMouseCursor* cursor) { return UpdatePolling(dt, cursor, mOkButton); }
