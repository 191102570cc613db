#pragma once
// Helpers shared by the test suites.
#include <filesystem>
#include <string>
#include <vector>

#include "Engine/zorlog/Log.h"

namespace testsupport {

// A fresh temporary folder, removed with everything in it on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return mPath; }
  // Writes a file below the folder (parents created) and returns its path.
  std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;

 private:
  std::filesystem::path mPath;
};

// Captures every log record emitted while it lives.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  const std::vector<zuzorev::SLogRecord>& Records() const;
  // Texts of the records at one level.
  std::vector<std::wstring> Texts(zuzorev::ELogLevel level) const;
  bool Contains(zuzorev::ELogLevel level, const std::wstring& text) const;
  void Clear();
};

std::string ReadFile(const std::filesystem::path& path);

// Folders of the repository that tests read.
std::filesystem::path FixturesDir();
std::filesystem::path GameDir();

}  // namespace testsupport
