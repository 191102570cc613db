#include "support/TestSupport.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace testsupport {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("lht-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::error_code ec;
    if (std::filesystem::create_directories(candidate, ec)) {
      mPath = candidate;
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(mPath, ec);
}

std::filesystem::path TempDir::Write(const std::string& relative, const std::string& bytes) const {
  auto path = mPath / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return path;
}

LogCapture::LogCapture() {
  zuzorev::StartLogCapture();
  zuzorev::ClearCapturedLog();
}

LogCapture::~LogCapture() { zuzorev::StopLogCapture(); }

const std::vector<zuzorev::SLogRecord>& LogCapture::Records() const { return zuzorev::GetCapturedLog(); }

std::vector<std::wstring> LogCapture::Texts(zuzorev::ELogLevel level) const {
  std::vector<std::wstring> out;
  for (const auto& r : Records())
    if (r.level == level) out.push_back(r.text);
  return out;
}

bool LogCapture::Contains(zuzorev::ELogLevel level, const std::wstring& text) const {
  for (const auto& r : Records())
    if (r.level == level && r.text == text) return true;
  return false;
}

void LogCapture::Clear() { zuzorev::ClearCapturedLog(); }

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::filesystem::path FixturesDir() { return LHT_FIXTURES_DIR; }
std::filesystem::path GameDir() { return LHT_GAME_DIR; }

}  // namespace testsupport
