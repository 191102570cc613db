#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Paths.h"

namespace fuzzsupport {
namespace {

std::filesystem::path& Folder() {
  static std::filesystem::path folder;
  return folder;
}

}  // namespace

void SetUp() {
  static bool done = false;
  if (done) return;
  done = true;
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  zuzorev::InitDebugSystem(L"/dev", L"null");
  static zorfile::CFileSystem fs;
  fs.SetInstallFolder(LHT_GAME_DIR);
  fs.InsertPath(L"Data\\Models", zorfile::kKindModels);
  fs.InsertPath(L"Data\\Textures", zorfile::kKindTextures);
  fs.InsertPath(L"Data", zorfile::kKindXml);
  zorfile::SetFileSystem(&fs);
  std::string folder = (std::filesystem::temp_directory_path() / "lht-fuzz-XXXXXX").string();
  if (!::mkdtemp(folder.data())) std::abort();
  Folder() = folder;
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(Folder(), ec);
  });
}

rovovoz::CGameCore* SampleCore() {
  static rovovoz::CGameCore* made = nullptr;
  if (made) return made;
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
  static std::unique_ptr<rovovoz::CGameCore> core = std::make_unique<rovovoz::CGameCore>();
  zorfile::CFileSystem* fs = core->GetFileSystem();
  fs->SetInstallFolder(LHT_GAME_DIR);
  fs->InsertPath(L"Data\\Models", zorfile::kKindModels);
  fs->InsertPath(L"Data\\Textures", zorfile::kKindTextures);
  fs->InsertPath(L"Data", zorfile::kKindXml);
  int full = 0;
  if (core->GetWindow()->Init(L"fuzz", L"fuzz", 101, 1024, 768, full, nullptr, nullptr) < 0) std::abort();
  zuzorev::SDevInitParams params;
  if (core->GetRender()->Init(core->GetWindow(), params) < 0) std::abort();
  core->GetInput()->Init(core->GetWindow());
  core->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"Data\\BaseSetings.xml", 1);
  gGameCore = core.get();
  made = core.get();
  return made;
}

std::wstring WriteInput(const uint8_t* data, size_t size, const char* fileName) {
  const std::filesystem::path path = Folder() / fileName;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file || (size && std::fwrite(data, 1, size, file.get()) != size)) std::abort();
  return Platform::FromPath(path);
}

std::filesystem::path InputFolder() { return Folder(); }

}  // namespace fuzzsupport
