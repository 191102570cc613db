// Any bytes as a scene's main file, and as the _anim, _form and _path
// companions of the sample game's first scene; both scenes are created and
// loaded for play on the headless device, as the game does at start.
#include <filesystem>
#include <memory>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "FuzzSupport.h"
#include "Game.h"
#include "Levels/BaseBack.h"
#include "Platform/Paths.h"
#include "Platform/Random.h"

namespace {

void Play(const std::wstring& file) {
  CBaseBack back;
  if (back.InitBack(file)) back.Load(0);
  back.Release(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  static rovovoz::CGameCore* core = fuzzsupport::HeadlessCore();
  (void)core;
  static const std::wstring sample = [] {
    std::string bytes;
    const std::filesystem::path main = std::filesystem::path(LHT_GAME_DIR) / "Data" / "Level" / "Back_1.xml";
    FILE* f = std::fopen(main.c_str(), "rb");
    if (!f) std::abort();
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    return fuzzsupport::WriteInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "scene.xml");
  }();
  Platform::SeedRandom(7);
  for (const char* companion : {"scene_anim.xml", "scene_form.xml", "scene_path.xml"})
    fuzzsupport::WriteInput(data, size, companion);
  Play(sample);
  Play(fuzzsupport::WriteInput(data, size, "main.xml"));
  return 0;
}
