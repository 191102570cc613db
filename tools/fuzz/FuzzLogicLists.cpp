// Any bytes as the step list, as each of the four list files and as a
// cut-scene description; the story logic loads them all as the game does at
// start, then plays a few frames of the steps it read on the headless device.
// The description also plays as a cut-scene and as the final cut-scene,
// under the sample game's overlay.
#include <filesystem>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "FuzzSupport.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "Platform/Paths.h"
#include "Platform/Random.h"
#include "PlayerRecord.h"
#include "Interface/RolikInterfaceMenu.h"
#include "Roliki/BaseRolik.h"
#include "Roliki/RolikFinal.h"

namespace {

const char* const kListFiles[] = {"Data/Logic/Steps.xml", "Data/Level/Levels.xml", "Data/Regions/Regions.xml",
                                  "Data/MiniGame/MiniGames.xml", "Data/Roliki/Roliki.xml", "Data/Roliki/Fuzz.xml"};

// The input's folder becomes the install folder: the list files are read
// from it, everything they name from the sample game.
void UseInputFolder(const std::filesystem::path& folder) {
  rovovoz::CGameCore* core = fuzzsupport::SampleCore();
  zorfile::CFileSystem* fs = core->GetFileSystem();
  for (const char* sub : {"Data/Logic", "Data/Level", "Data/Regions", "Data/MiniGame", "Data/Roliki"})
    std::filesystem::create_directories(folder / sub);
  fs->SetInstallFolder(folder);
  fs->InsertPath(Platform::FromPath(std::filesystem::path(LHT_GAME_DIR)), zorfile::kKindXml);
  fs->InsertPath(Platform::FromPath(std::filesystem::path(LHT_GAME_DIR) / "Data" / "Roliki"), zorfile::kKindVideos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzsupport::SetUp();
  static const bool ready = [] {
    const std::filesystem::path probe = Platform::ToPath(fuzzsupport::WriteInput(nullptr, 0, "probe"));
    UseInputFolder(probe.parent_path());
    return true;
  }();
  (void)ready;
  Platform::SeedRandom(7);
  for (const char* file : kListFiles) fuzzsupport::WriteInput(data, size, file);
  gCurrentPlayer = PlayerRecord();
  {
    CLogic logic;
    logic.LoadSteps(L"Data\\Logic\\Steps.xml");
    logic.LoadLevels();
    logic.LoadRegions();
    logic.LoadMiniGames();
    logic.LoadRoliki();
    static CRolikInterfaceMenu* overlay = [] {
      auto* menu = new CRolikInterfaceMenu(fuzzsupport::SampleCore(), nullptr);
      menu->Load(L"Data\\Interface\\RolikInterfaceMenu.xml", 1);
      return menu;
    }();
    gRolikInterfaceMenu = overlay;
    CBaseRolik rolik(fuzzsupport::SampleCore(), L"Fuzz", L"Fuzz.xml");
    rolik.LoadFile(3);
    CRolikFinal final(fuzzsupport::SampleCore(), L"rolik_10_loop", L"Fuzz.xml");
    for (CBaseRolik* played : {&rolik, static_cast<CBaseRolik*>(&final)}) {
      played->Start();
      for (float dt : {0.02f, 0.6f, 3.0f, 50.0f}) {
        played->Update(dt, nullptr);
        played->Render();
      }
      played->IsEndPlay();
    }
    if (logic.Play()) {
      for (int frame = 0; frame < 4; ++frame) {
        logic.Update(0.6f, nullptr);
        logic.Render();
      }
    }
  }
  return 0;
}
