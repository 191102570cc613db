#include "Engine/zorfile/FileSystem.h"

#include <physfs.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "Engine/zorlog/Log.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

namespace zorfile {
namespace fs = std::filesystem;

namespace {

constexpr int32_t kOk = 1;
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);

// No data file of the game comes near this; a bigger one is broken data and
// must not exhaust memory.
constexpr uintmax_t kMaxFileBytes = 512u * 1024u * 1024u;

const wchar_t* const kSourceTag = L"Engine/zorfile/FileSystem";

void LogError(const wchar_t* format, const std::wstring& a, const std::wstring& b = std::wstring()) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSourceTag, 0, format, a.c_str(), b.c_str());
}

// A data name split into its components: '\' and '/' both separate, empty
// components are dropped. Components are UTF-8, as the file names on disk.
struct SplitName {
  bool absolute = false;
  std::vector<std::string> parts;
};

SplitName Split(const std::wstring& name) {
  SplitName out;
  std::string utf8 = Platform::WideToUtf8(name);
  for (char& c : utf8)
    if (c == '\\') c = '/';
  out.absolute = !utf8.empty() && utf8[0] == '/';
  size_t start = 0;
  while (start <= utf8.size()) {
    size_t end = utf8.find('/', start);
    if (end == std::string::npos) end = utf8.size();
    if (end > start) out.parts.push_back(utf8.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

bool IsDirectory(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

// ---------------------------------------------------------------------------
// PhysicsFS has one process-wide search path; every file system object
// shares it. Each pack archive is mounted once under a mount point of its
// own and counted, so two file systems may hold the same pack.

struct MountedPack {
  std::string mountPoint;
  int users = 0;
};

struct PhysFsState {
  std::mutex mutex;
  bool initialised = false;
  int nextMountId = 0;
  std::map<std::string, MountedPack> mounted;  // by real path of the archive
};

PhysFsState& PhysFs() {
  static PhysFsState* state = new PhysFsState;
  return *state;
}

std::wstring PhysFsError() {
  const char* text = PHYSFS_getErrorByCode(PHYSFS_getLastErrorCode());
  return Platform::Utf8ToWide(text ? text : "unknown error");
}

// Mounts the archive (or counts one more user of it); empty on failure.
std::string AcquireMount(const std::string& realPath) {
  PhysFsState& state = PhysFs();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (!state.initialised) {
    if (!PHYSFS_init(nullptr)) {
      LogError(L"Cannot start the pack reader: %s", PhysFsError());
      return std::string();
    }
    state.initialised = true;
  }
  auto it = state.mounted.find(realPath);
  if (it != state.mounted.end()) {
    ++it->second.users;
    return it->second.mountPoint;
  }
  std::string mountPoint = "lhtpack" + std::to_string(state.nextMountId++);
  if (!PHYSFS_mount(realPath.c_str(), mountPoint.c_str(), 1)) {
    LogError(L"Cannot open pack %s: %s", Platform::Utf8ToWide(realPath), PhysFsError());
    return std::string();
  }
  // Someone may have mounted the archive elsewhere already; use where it is.
  if (const char* actual = PHYSFS_getMountPoint(realPath.c_str())) mountPoint = actual;
  while (!mountPoint.empty() && mountPoint.back() == '/') mountPoint.pop_back();
  state.mounted[realPath] = MountedPack{mountPoint, 1};
  return mountPoint;
}

void ReleaseMount(const std::string& realPath) {
  PhysFsState& state = PhysFs();
  std::lock_guard<std::mutex> lock(state.mutex);
  auto it = state.mounted.find(realPath);
  if (it == state.mounted.end()) return;
  if (--it->second.users > 0) return;
  PHYSFS_unmount(realPath.c_str());
  state.mounted.erase(it);
}

std::string JoinPhysFs(const std::string& dir, const char* name) {
  if (dir.empty()) return name;
  return dir + "/" + name;
}

}  // namespace

// ---------------------------------------------------------------------------

struct CFileSystem::Impl {
  struct SearchPath {
    fs::path folder;
    uint32_t kind = 0;
  };
  struct Pack {
    std::string realPath;
    // Lower-case path inside the pack -> PhysicsFS path of that file.
    std::map<std::string, std::string> index;
  };
  // Lower-case entry name -> the entries with that name in any case.
  using Listing = std::map<std::string, std::vector<std::string>>;

  fs::path installFolder;
  std::vector<SearchPath> paths;
  std::vector<Pack> packs;
  std::map<fs::path, Listing> listings;

  struct Found {
    fs::path disk;
    const Pack* pack = nullptr;
    std::string packPath;
    explicit operator bool() const { return pack || !disk.empty(); }
  };

  const Listing& Scan(const fs::path& dir) {
    Listing& listing = listings[dir];
    listing.clear();
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      std::string entry = it->path().filename().string();
      listing[Platform::ToLowerAscii(entry)].push_back(std::move(entry));
    }
    return listing;
  }

  // The entry of dir whose name equals part ignoring ASCII case and that is
  // a file (wantFile) or a folder. The listing is cached; a miss rescans the
  // folder once so files made after the first look-up are still found.
  std::optional<fs::path> FindEntry(const fs::path& dir, const std::string& part, bool wantFile) {
    const std::string key = Platform::ToLowerAscii(part);
    auto match = [&](const Listing& listing) -> std::optional<fs::path> {
      auto it = listing.find(key);
      if (it == listing.end()) return std::nullopt;
      for (const std::string& entry : it->second) {
        fs::path candidate = dir / entry;
        if (wantFile ? IsRegularFile(candidate) : IsDirectory(candidate)) return candidate;
      }
      return std::nullopt;
    };
    auto cached = listings.find(dir);
    if (cached != listings.end())
      if (auto found = match(cached->second)) return found;
    return match(Scan(dir));
  }

  // Resolves the components below root, each matched ignoring case; the last
  // one is a file (wantFile) or a folder.
  std::optional<fs::path> ResolveIn(const fs::path& root, const std::vector<std::string>& parts, bool wantFile) {
    if (parts.empty()) return std::nullopt;
    fs::path current = root;
    for (size_t i = 0; i < parts.size(); ++i) {
      const std::string& part = parts[i];
      const bool last = i + 1 == parts.size();
      const bool file = wantFile && last;
      if (part == "." || part == "..") {
        current /= part;
        if (last && !(file ? IsRegularFile(current) : IsDirectory(current))) return std::nullopt;
        continue;
      }
      fs::path exact = current / part;
      if (file ? IsRegularFile(exact) : IsDirectory(exact)) {
        current = std::move(exact);
        continue;
      }
      auto found = FindEntry(current, part, file);
      if (!found) return std::nullopt;
      current = std::move(*found);
    }
    return current;
  }

  // A folder name (search path): absolute, or relative to the install folder.
  std::optional<fs::path> ResolveFolder(const std::wstring& name) {
    SplitName split = Split(name);
    if (split.parts.empty()) return split.absolute ? std::optional<fs::path>(fs::path("/")) : std::nullopt;
    return ResolveIn(split.absolute ? fs::path("/") : installFolder, split.parts, false);
  }

  std::optional<fs::path> FindOnDisk(const SplitName& split, uint32_t kindMask) {
    if (split.absolute) return ResolveIn("/", split.parts, true);
    if (auto found = ResolveIn(installFolder, split.parts, true)) return found;
    for (const SearchPath& path : paths) {
      if (!(path.kind & kindMask)) continue;
      if (auto found = ResolveIn(path.folder, split.parts, true)) return found;
      if (split.parts.size() > 1)
        if (auto found = ResolveIn(path.folder, {split.parts.back()}, true)) return found;
    }
    return std::nullopt;
  }

  Found Find(const std::wstring& name, uint32_t kindMask) {
    Found found;
    SplitName split = Split(name);
    if (split.parts.empty()) return found;
    if (auto disk = FindOnDisk(split, kindMask)) {
      found.disk = std::move(*disk);
      return found;
    }
    if (split.absolute || packs.empty()) return found;
    std::string key;
    for (const std::string& part : split.parts) {
      if (part == ".") continue;
      if (!key.empty()) key += '/';
      key += Platform::ToLowerAscii(part);
    }
    for (const Pack& pack : packs) {
      auto it = pack.index.find(key);
      if (it == pack.index.end()) continue;
      found.pack = &pack;
      found.packPath = it->second;
      return found;
    }
    return found;
  }

  // Every file below the mount point, by lower-case path inside the pack.
  static std::map<std::string, std::string> IndexPack(const std::string& mountPoint) {
    std::map<std::string, std::string> index;
    std::vector<std::string> pending{mountPoint};
    while (!pending.empty()) {
      std::string dir = std::move(pending.back());
      pending.pop_back();
      char** names = PHYSFS_enumerateFiles(dir.c_str());
      if (!names) continue;
      for (char** name = names; *name; ++name) {
        std::string full = JoinPhysFs(dir, *name);
        PHYSFS_Stat stat{};
        if (!PHYSFS_stat(full.c_str(), &stat)) continue;
        if (stat.filetype == PHYSFS_FILETYPE_DIRECTORY) {
          pending.push_back(full);
        } else if (stat.filetype == PHYSFS_FILETYPE_REGULAR) {
          std::string inside = full.substr(mountPoint.size() + 1);
          index.emplace(Platform::ToLowerAscii(inside), full);
        }
      }
      PHYSFS_freeList(names);
    }
    return index;
  }

  static bool ReadDisk(const fs::path& path, std::string& bytes) {
    std::error_code ec;
    const uintmax_t size = fs::file_size(path, ec);
    if (ec) return false;
    if (size > kMaxFileBytes) {
      LogError(L"File %s is too big to read (%s bytes)", Platform::FromPath(path),
               std::to_wstring(static_cast<unsigned long long>(size)));
      return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bytes.resize(static_cast<size_t>(size));
    const size_t got = size ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
      LogError(L"Cannot read file %s", Platform::FromPath(path));
      bytes.clear();
      return false;
    }
    bytes.resize(got);
    return true;
  }

  static bool ReadPack(const Pack& pack, const std::string& physPath, std::string& bytes) {
    PHYSFS_File* file = PHYSFS_openRead(physPath.c_str());
    if (!file) {
      LogError(L"Cannot open %s in pack: %s", Platform::Utf8ToWide(physPath), PhysFsError());
      return false;
    }
    bytes.clear();
    char chunk[64 * 1024];
    bool ok = true;
    for (;;) {
      const PHYSFS_sint64 got = PHYSFS_readBytes(file, chunk, sizeof chunk);
      if (got < 0) {
        LogError(L"Cannot read %s in pack: %s", Platform::Utf8ToWide(physPath), PhysFsError());
        ok = false;
        break;
      }
      if (got == 0) break;
      if (bytes.size() + static_cast<size_t>(got) > kMaxFileBytes) {
        LogError(L"File %s in pack %s is too big to read", Platform::Utf8ToWide(physPath),
                 Platform::Utf8ToWide(pack.realPath));
        ok = false;
        break;
      }
      bytes.append(chunk, static_cast<size_t>(got));
    }
    PHYSFS_close(file);
    if (!ok) bytes.clear();
    return ok;
  }

  void Release() {
    for (const Pack& pack : packs) ReleaseMount(pack.realPath);
    packs.clear();
    paths.clear();
    listings.clear();
  }
};

// ---------------------------------------------------------------------------

namespace {
CFileSystem* gFileSystem = nullptr;
}

CFileSystem* GetFileSystem() { return gFileSystem; }
void SetFileSystem(CFileSystem* fs) { gFileSystem = fs; }

CFileSystem::CFileSystem() : mImpl(std::make_unique<Impl>()) {
  std::error_code ec;
  mImpl->installFolder = fs::current_path(ec);
}

CFileSystem::~CFileSystem() {
  mImpl->Release();
  if (gFileSystem == this) gFileSystem = nullptr;
}

void CFileSystem::SetInstallFolder(const fs::path& folder) {
  std::error_code ec;
  fs::path absolute = fs::absolute(folder, ec);
  mImpl->installFolder = ec ? folder : absolute.lexically_normal();
  mImpl->listings.clear();
}

int32_t CFileSystem::InsertPack(const std::wstring& file) {
  std::optional<fs::path> onDisk = mImpl->FindOnDisk(Split(file), kKindAll);
  if (!onDisk) {
    LogError(L"Pack %s not found", file);
    return kFail;
  }
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(*onDisk, ec);
  const std::string realPath = (ec ? *onDisk : canonical).string();
  const std::string mountPoint = AcquireMount(realPath);
  if (mountPoint.empty()) return kFail;
  Impl::Pack pack;
  pack.realPath = realPath;
  pack.index = Impl::IndexPack(mountPoint);
  mImpl->packs.push_back(std::move(pack));
  return kOk;
}

int32_t CFileSystem::InsertPath(const std::wstring& folder, uint32_t kind) {
  std::optional<fs::path> found = mImpl->ResolveFolder(folder);
  if (!found) {
    LogError(L"Search path %s not found", folder);
    return kFail;
  }
  mImpl->paths.push_back(Impl::SearchPath{found->lexically_normal(), kind});
  return kOk;
}

bool CFileSystem::FileExist(const std::wstring& name, const wchar_t*, int, uint32_t kindMask, int) {
  return static_cast<bool>(mImpl->Find(name, kindMask));
}

bool CFileSystem::ReadFile(const std::wstring& name, std::string& bytes, uint32_t kindMask) {
  bytes.clear();
  Impl::Found found = mImpl->Find(name, kindMask);
  if (found.pack) return Impl::ReadPack(*found.pack, found.packPath, bytes);
  if (!found.disk.empty()) return Impl::ReadDisk(found.disk, bytes);
  return false;
}

fs::path CFileSystem::ResolveOnDisk(const std::wstring& name, uint32_t kindMask) {
  SplitName split = Split(name);
  if (split.parts.empty()) return fs::path();
  return mImpl->FindOnDisk(split, kindMask).value_or(fs::path());
}

void CFileSystem::Release() { mImpl->Release(); }

// ---------------------------------------------------------------------------

int32_t CFile::OpenFS(const std::wstring& name, int, const wchar_t*, int, uint32_t kindMask) {
  Close();
  CFileSystem* fs = GetFileSystem();
  if (!fs || !fs->ReadFile(name, mData, kindMask)) {
    mData.clear();
    return 0;
  }
  mOpen = true;
  return 1;
}

size_t CFile::Read(void* buffer, size_t size, size_t count) {
  if (!mOpen || !buffer || size == 0 || count == 0 || mPos >= mData.size()) return 0;
  const size_t left = mData.size() - mPos;
  // size * count may overflow: compare through a division instead.
  const size_t n = count > left / size ? left : size * count;
  std::memcpy(buffer, mData.data() + mPos, n);
  mPos += n;
  return n;
}

void CFile::Close() {
  mData.clear();
  mData.shrink_to_fit();
  mPos = 0;
  mOpen = false;
}

}  // namespace zorfile
