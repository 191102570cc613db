#pragma once
// A file system over the sample game (and an optional extra folder) with the
// sound search paths of the game's configuration.
#include <filesystem>
#include <memory>

#include "Engine/zorfile/FileSystem.h"
#include "support/TestSupport.h"

namespace soundtest {

class DataFiles {
 public:
  explicit DataFiles(const std::filesystem::path& install = testsupport::GameDir()) {
    mFs.SetInstallFolder(install);
    // The sample game's sounds are found from any install folder.
    mFs.InsertPath((testsupport::GameDir() / "DataLoc" / "Sounds").wstring(), zorfile::kKindSounds);
    zorfile::SetFileSystem(&mFs);
  }
  ~DataFiles() { zorfile::SetFileSystem(nullptr); }

 private:
  zorfile::CFileSystem mFs;
};

constexpr const wchar_t* kSampleList = L"DataLoc\\Sounds\\Sounds.xml";

}  // namespace soundtest
