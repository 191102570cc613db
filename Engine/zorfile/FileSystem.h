#pragma once
// The engine file system. Data names come with backslashes and any letter
// case ("Data\Level\Back_1.xml"); every name is resolved here: '\' becomes
// '/', and each component is matched ignoring case, first in the install
// folder, then in the search paths of the asked kinds (in insertion order),
// then in the data packs (zip files, through PhysicsFS).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace zorfile {

// Resource kinds of the search paths.
enum : uint32_t {
  kKindTextures = 2,
  kKindModels = 4,
  kKindSounds = 8,
  kKindVideos = 16,
  kKindXml = 32,
  kKindAnimations = 64,
  kKindAll = 0x0FFFFFFF,
};

class CFileSystem {
 public:
  CFileSystem();
  virtual ~CFileSystem();
  CFileSystem(const CFileSystem&) = delete;
  CFileSystem& operator=(const CFileSystem&) = delete;

  // The folder that relative names and relative search paths start from
  // (the install folder; the current folder when never set).
  void SetInstallFolder(const std::filesystem::path& folder);

  // A zip pack (name resolved like any data name). Negative on failure.
  // Virtual so that start-up tests can record the order of the calls.
  virtual int32_t InsertPack(const std::wstring& file);
  // A search folder for one kind. Negative on failure.
  virtual int32_t InsertPath(const std::wstring& folder, uint32_t kind);

  // True when the name resolves to a file. The engine's full form takes
  // (name, pack name or null, 1, kind mask, 0); only the name and the mask
  // matter here, and the mask picks search paths only (packs always count).
  bool FileExist(const std::wstring& name, const wchar_t* pack = nullptr, int unused = 1,
                 uint32_t kindMask = kKindAll, int unused2 = 0);

  // Reads a whole resolved file into bytes; false when not found.
  bool ReadFile(const std::wstring& name, std::string& bytes, uint32_t kindMask = kKindAll);
  // The real path of a name found in a folder (empty when only in a pack or
  // not found): for libraries that need a file name of their own.
  std::filesystem::path ResolveOnDisk(const std::wstring& name, uint32_t kindMask = kKindAll);

  void Release();

 private:
  struct Impl;
  std::unique_ptr<Impl> mImpl;
};

// The one file system every data read goes through, the engine's loaders
// and the game's alike (null when none is set). The game core sets its own
// while it lives; before the core exists a program may set one of its own
// for a read at start (and put the previous one back after it).
CFileSystem* GetFileSystem();
void SetFileSystem(CFileSystem* fs);

class CFile {
 public:
  CFile() = default;
  // (name, 1, pack or null, 1, kind mask) -> 1 opened, 0 not found.
  int32_t OpenFS(const std::wstring& name, int mode = 1, const wchar_t* pack = nullptr, int unused = 1,
                 uint32_t kindMask = kKindAll);
  // Copies up to size * count bytes; returns the bytes delivered.
  size_t Read(void* buffer, size_t size, size_t count);
  size_t GetSize() const { return mData.size(); }
  void Close();

 private:
  std::string mData;
  size_t mPos = 0;
  bool mOpen = false;
};

}  // namespace zorfile
