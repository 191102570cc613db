#include "Platform/Wallpaper.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "Platform/Strings.h"

extern char** environ;

namespace Platform {
namespace {

// Runs a program found on PATH with its arguments (no shell); true when it
// exits with 0.
bool Run(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool IsGnome() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  if (!desktop) return false;
  const std::string d(desktop);
  return d.find("GNOME") != std::string::npos || d.find("Unity") != std::string::npos;
}

// A file URI of an absolute path, with the characters a URI cannot hold
// escaped.
std::string FileUri(const std::string& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += hex[c >> 4];
      uri += hex[c & 15];
    }
  }
  return uri;
}

class CDesktopWallpaper : public CWallpaperService {
 public:
  bool SetWallpaper(const std::wstring& path, EWallpaperStyle style) override {
    if (!IsGnome() || path.empty() || path[0] != L'/') return false;
    const std::string uri = FileUri(WideToUtf8(path));
    const char* option = style == EWallpaperStyle::Tile     ? "wallpaper"
                         : style == EWallpaperStyle::Center ? "centered"
                                                            : "stretched";
    const std::string schema = "org.gnome.desktop.background";
    if (!Run({"gsettings", "set", schema, "picture-uri", uri})) return false;
    // Only newer desktops keep a second picture for the dark style.
    Run({"gsettings", "set", schema, "picture-uri-dark", uri});
    return Run({"gsettings", "set", schema, "picture-options", option});
  }
};

}  // namespace

CWallpaperService& DesktopWallpaper() {
  static CDesktopWallpaper service;
  return service;
}

}  // namespace Platform
