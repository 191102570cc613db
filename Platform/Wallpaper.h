#pragma once
// The desktop's wallpaper. On Linux the desktop's own setting is used where
// one is known (GNOME's, through gsettings); elsewhere the wallpaper is
// reported as not set.
#include <string>

namespace Platform {

enum class EWallpaperStyle { Stretch, Tile, Center };

class CWallpaperService {
 public:
  virtual ~CWallpaperService() = default;
  // Sets an image file (absolute path) as the desktop's wallpaper; false
  // when this desktop offers no way to do so or the setting failed.
  virtual bool SetWallpaper(const std::wstring& path, EWallpaperStyle style) = 0;
};

// The service of the desktop the game runs on.
CWallpaperService& DesktopWallpaper();

}  // namespace Platform
