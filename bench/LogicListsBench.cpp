// Loading the story's step list and its four lists, as the game does at
// start, over a copy of the sample game whose lists name every entry once,
// and over one whose lists name ten copies of every entry (the scene, a
// close-up, the mini-game, the cut-scene and the steps, each under another
// name). The time per load should grow no faster than the number of entries.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Logic/Logic.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGame = LHT_GAME_DIR;
const char* const kCompanions[] = {"", "_anim", "_form", "_path"};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// An install folder whose lists name copies entries of each kind.
fs::path MakeInstall(int copies) {
  const fs::path root = fs::temp_directory_path() / ("lht-bench-lists-" + std::to_string(copies));
  fs::remove_all(root);
  std::string levels = "<Levels>", regions = "<Regions>", games = "<MiniGame>", roliki = "<Roliki>", steps = "<Steps>";
  for (int i = 0; i < copies; ++i) {
    const std::string n = std::to_string(i);
    for (const char* part : kCompanions) {
      const std::string text = Read(kGame / "Data" / "Level" / (std::string("Back_1") + part + ".xml"));
      Write(root / "Data" / "Level" / ("Back_1c" + n + part + ".xml"), text);
      Write(root / "Data" / "Regions" / ("Back_1c" + n + "_reg_1" + part + ".xml"), text);
    }
    levels += "<Level Xml=\"Back_1c" + n + ".xml\"/>";
    regions += "<Region Xml=\"Back_1c" + n + "_reg_1.xml\"/>";
    games += "<Game Name=\"DoorLock" + n + "\"/>";
    roliki += "<Rolik Name=\"Intro" + n + "\" File=\"Intro.xml\"/>";
    steps += "<Rolik NameStep=\"Intro" + n + "\" Name=\"Intro" + n + "\"/>";
    steps += "<Level NameStep=\"E" + n + "_Init\" Name=\"Episod_" + n + "\" NameState=\"InitEpisod\"/>";
    steps += "<Level NameStep=\"E" + n + "\" Name=\"Episod_" + n + "\" NameState=\"CalculateEpisod\"/>";
    steps += "<MiniGame NameStep=\"M" + n + "\" Name=\"DoorLock" + n + "\"/>";
  }
  Write(root / "Data" / "Level" / "Levels.xml", levels + "</Levels>");
  Write(root / "Data" / "Regions" / "Regions.xml", regions + "</Regions>");
  Write(root / "Data" / "Regions" / "FormRegion.xml", Read(kGame / "Data" / "Regions" / "FormRegion.xml"));
  Write(root / "Data" / "MiniGame" / "MiniGames.xml", games + "</MiniGame>");
  Write(root / "Data" / "Roliki" / "Roliki.xml", roliki + "</Roliki>");
  Write(root / "Data" / "Logic" / "Steps.xml", steps + "</Steps>");
  return root;
}

rovovoz::CGameCore* Core(const fs::path& install) {
  static std::unique_ptr<rovovoz::CGameCore> core = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    zuzorev::InitDebugSystem(L"/dev", L"null");
    zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
    auto made = std::make_unique<rovovoz::CGameCore>();
    zorfile::CFileSystem* files = made->GetFileSystem();
    files->SetInstallFolder(kGame);
    files->InsertPath(L"Data\\Models", zorfile::kKindModels);
    files->InsertPath(L"Data\\Textures", zorfile::kKindTextures);
    int full = 0;
    if (made->GetWindow()->Init(L"bench", L"bench", 101, 1024, 768, full, nullptr, nullptr) < 0) std::abort();
    zuzorev::SDevInitParams params;
    if (made->GetRender()->Init(made->GetWindow(), params) < 0) std::abort();
    return made;
  }();
  core->GetFileSystem()->SetInstallFolder(install);
  gGameCore = core.get();
  return core.get();
}

void LoadLists(benchmark::State& state) {
  const int copies = static_cast<int>(state.range(0));
  const fs::path install = MakeInstall(copies);
  Core(install);
  for (auto _ : state) {
    CLogic logic;
    const bool ok = logic.LoadSteps(L"Data\\Logic\\Steps.xml") && logic.LoadLevels() && logic.LoadRegions() &&
                    logic.LoadMiniGames() && logic.LoadRoliki();
    if (!ok || logic.GetStepCount() != 4 * copies) state.SkipWithError("the lists did not load");
    benchmark::DoNotOptimize(logic.GetStepCount());
  }
  state.SetComplexityN(copies);
  state.counters["entries"] = 4 * copies;
  fs::remove_all(install);
}

BENCHMARK(LoadLists)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
