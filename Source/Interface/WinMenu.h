#pragma once
// The notice shown once when the game has just been finished.
#include "Interface/NoticeBox.h"

class CWinMenu : public CNoticeBox {
 public:
  CWinMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : CNoticeBox(core, parent) {}
};

// Made and owned by the game object.
extern CWinMenu* gWinMenu;
