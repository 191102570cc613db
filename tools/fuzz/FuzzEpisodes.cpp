// Any bytes as a chapter file (listed twice in the task file, under two
// spellings, and included by another chapter, so includes of it and back
// into it are followed) and as a task file of its own.
#include <filesystem>
#include <fstream>

#include "Engine/zorfile/FileSystem.h"
#include "FuzzSupport.h"
#include "Logic/Logic.h"

namespace {

void Write(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
}

void Write(const std::filesystem::path& path, const std::string& text) {
  Write(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  static const std::filesystem::path root = [] {
    const std::filesystem::path folder = fuzzsupport::InputFolder() / "episodes";
    std::filesystem::create_directories(folder / "DataLoc" / "Episodes");
    std::filesystem::create_directories(folder / "Data" / "Logic");
    Write(folder / "Data" / "Logic" / "logic.xml",
          "<Logic><EditBox/><Episodes><Episode XML=\"fuzz.xml\"/><Episode XML=\"outer.xml\"/>"
          "<Episode XML=\"FUZZ.XML\"/></Episodes></Logic>");
    Write(folder / "DataLoc" / "Episodes" / "outer.xml",
          "<Episod Name=\"Outer\"><Level File=\"fuzz.xml\"/><Back Name=\"B\"/></Episod>");
    return folder;
  }();
  static zorfile::CFileSystem fs;
  static const bool installed = (fs.SetInstallFolder(root), true);
  (void)installed;
  zorfile::CFileSystem* previous = zorfile::GetFileSystem();
  zorfile::SetFileSystem(&fs);

  Write(root / "DataLoc" / "Episodes" / "fuzz.xml", data, size);
  Write(root / "Data" / "Logic" / "fuzz_logic.xml", data, size);
  {
    CLogic logic;
    logic.LoadSadanies(L"Data\\Logic\\logic.xml");
    logic.LoadSadanies(L"Data\\Logic\\fuzz_logic.xml");
  }
  zorfile::SetFileSystem(previous);
  return 0;
}
