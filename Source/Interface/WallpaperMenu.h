#pragma once
// The notice that a wallpaper was set.
#include "Interface/InterfaceForm.h"

class CWallpaperMenu : public CInterfaceForm {
 public:
  CWallpaperMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the menu's opening.
  virtual int Open();
};

// Made and owned by the game object.
extern CWallpaperMenu* gWallpaperMenu;
