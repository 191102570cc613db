#include "Platform/Paths.h"

#include <pthread.h>
#include <pwd.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "Platform/Strings.h"

namespace fs = std::filesystem;

namespace Platform {

namespace {

std::mutex gRootMutex;
fs::path gUserDataRootOverride;

// The entry of folder whose name equals name ignoring ASCII case (an exact
// match wins); empty when there is none.
fs::path FindEntryNoCase(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  if (fs::exists(folder / name, ec)) return folder / name;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (EqualsNoCase(it->path().filename().native(), name)) return it->path();
  return {};
}

bool HasInstallData(const fs::path& folder) {
  std::error_code ec;
  const fs::path config = FindPathNoCase(folder, L"DataLoc\\config.xml");
  return !config.empty() && fs::is_regular_file(config, ec);
}

}  // namespace

fs::path FindPathNoCase(const fs::path& base, std::wstring_view relative) {
  std::vector<std::wstring> parts;
  SplitString(relative, L"\\/", parts);
  fs::path current = base;
  for (const auto& part : parts) {
    if (part.empty()) continue;
    current = FindEntryNoCase(current, WideToUtf8(part));
    if (current.empty()) return {};
  }
  return current;
}

namespace {

fs::path UserDataRoot() {
  {
    std::lock_guard<std::mutex> lock(gRootMutex);
    if (!gUserDataRootOverride.empty()) return gUserDataRootOverride;
  }
  // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* entry = ::getpwuid(::getuid());
    home = entry ? entry->pw_dir : nullptr;
  }
  if (!home || home[0] != '/') return {};
  return fs::path(home) / ".local" / "share";
}

// A folder name from the configuration as a relative path below the data
// root. Backslashes separate folders as in the data; a ".." component could
// leave the root, so it makes the name unusable (false).
bool AppendRelative(fs::path& base, const std::wstring& name) {
  std::wstring text = name;
  std::replace(text.begin(), text.end(), L'\\', L'/');
  for (const auto& part : ToPath(text)) {
    const std::string& p = part.native();
    if (p.empty() || p == "/" || p == ".") continue;
    if (p == "..") return false;
    base /= part;
  }
  return true;
}

}  // namespace

fs::path GetExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path();
}

fs::path ChooseInstallFolder() {
  std::error_code ec;
  fs::path folder = fs::current_path(ec);
  if (ec || !HasInstallData(folder)) {
    const fs::path exeFolder = GetExecutableFolder();
    if (!exeFolder.empty()) folder = exeFolder;
  }
  fs::current_path(folder, ec);
  return folder;
}

fs::path MakeUserDataFolder(const std::wstring& makerFolder, const std::wstring& saveDir) {
  fs::path folder = UserDataRoot();
  if (folder.empty()) return {};
  if (!AppendRelative(folder, makerFolder) || !AppendRelative(folder, saveDir)) return {};
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) return {};
  return folder;
}

void SetUserDataRootForTests(const fs::path& root) {
  std::lock_guard<std::mutex> lock(gRootMutex);
  gUserDataRootOverride = root;
}

std::vector<fs::path> ListFiles(const fs::path& folder, const std::wstring& ext) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) && EqualsNoCase(FromPath(it->path().extension()), ext))
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool PinThreadToFirstProcessor() {
  // The first processor this thread may run on: CPU 0 on an ordinary
  // machine, the lowest allowed one when a CPU set excludes CPU 0.
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  int first = 0;
  if (::pthread_getaffinity_np(::pthread_self(), sizeof allowed, &allowed) == 0) {
    while (first < CPU_SETSIZE && !CPU_ISSET(first, &allowed)) ++first;
    if (first == CPU_SETSIZE) first = 0;
  }
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(first, &one);
  return ::pthread_setaffinity_np(::pthread_self(), sizeof one, &one) == 0;
}

fs::path ToPath(std::wstring_view wide) { return fs::path(WideToUtf8(wide)); }

std::wstring FromPath(const fs::path& path) { return Utf8ToWide(path.native()); }

}  // namespace Platform
