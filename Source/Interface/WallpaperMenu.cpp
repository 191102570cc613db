#include "Interface/WallpaperMenu.h"

int CWallpaperMenu::Open() { return 1; }
