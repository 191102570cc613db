#pragma once
// The notice that a wallpaper was set.
#include "Interface/NoticeBox.h"

class CWallpaperMenu : public CNoticeBox {
 public:
  CWallpaperMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : CNoticeBox(core, parent) {}
};

// Made and owned by the game object.
extern CWallpaperMenu* gWallpaperMenu;
