// The sample story replayed by the real game (tests/fixtures/story/
// story.replay, from the first click to the main menu), as fast as the
// machine goes: the frame pacer hands out the next frame at once.
//   1. on the headless device: frames per second of the whole play;
//   2. on the GL device at 1024 x 768 (SDL's offscreen driver, Mesa's
//      llvmpipe without a GPU): CPU time of the whole process per frame in
//      each scene of the story, the heaviest first.
// Figures only; nothing here fails on time.
//
//   bench_StoryReplayBench [headless|gl]     (both without an argument)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "AppConfig.h"
#include "AppPaths.h"
#include "BenchTiming.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/EventScriptFile.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "FramePacer.h"
#include "GameApp.h"
#include "GameGlobals.h"
#include "GameState.h"
#include "Ini.h"
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

namespace {

const std::filesystem::path kGame = LHT_GAME_DIR;
const std::filesystem::path kReplay = kGame.parent_path() / "tests" / "fixtures" / "story" / "story.replay";

// Where the story is in a turn: the scene, the cut-scene or the menus.
std::string Place() {
  if (gGameState != kStateInGame || !gLogic) return "menus";
  if (CBaseEpisod* episod = gLogic->GetEpisod())
    if (CBaseBack* scene = episod->GetCurrentScene()) return Platform::WideToUtf8(scene->GetBackName());
  if (gLogic->GetTempRolik()) return "cut-scene";
  return "story";
}

struct SPlace {
  int frames = 0;
  double cpu = 0;
};

struct SPlay {
  bool ok = false;
  int frames = 0;
  double wall = 0, cpu = 0;
  std::map<std::string, SPlace> places;
};

SPlay PlayStory(zuzorev::EDeviceKind device, const std::filesystem::path& user) {
  SPlay play;
  ResetGameGlobals();
  zuzorev::SetDeviceKind(device);
  Platform::SetUserDataRootForTests(user);
  std::filesystem::create_directories(user / "story");
  gUserDataPath = Platform::FromPath(user / "story");
  gIniFileName = L"game.ini";
  gInstallPath = Platform::FromPath(kGame);
  {
    zorfile::CFileSystem fileSystem;
    fileSystem.SetInstallFolder(kGame);
    zorfile::CFileSystem* previous = zorfile::GetFileSystem();
    zorfile::SetFileSystem(&fileSystem);
    gAppConfig.LoadFromXml(L"DataLoc\\config.xml");
    zorfile::SetFileSystem(previous);
  }
  // A fresh player each play, in a window of the virtual screen's size.
  std::filesystem::remove_all(user / "story" / "Users");
  std::filesystem::remove(user / "story" / "game.ini");
  const std::wstring ini = Platform::FromPath(user / "story" / "game.ini");
  Ini::SetInt(ini, L"Video", L"FullScreen", 0);
  Ini::SetInt(ini, L"Video", L"Width", 1024);
  Ini::SetInt(ini, L"Video", L"Height", 768);

  std::wstring error;
  auto script = zuzorev::LoadEventScript(kReplay.string(), error);
  if (!script) {
    std::fprintf(stderr, "replay %s: %s\n", kReplay.c_str(), Platform::WideToUtf8(error).c_str());
    return play;
  }
  gFramePacer.SetSleepForTests([](uint32_t) { std::this_thread::yield(); });
  gAppStarting = 1;
  gGameApp = new GameApp();
  if (gGameApp->Init(L"game.ini")) {
    gGameApp->GetCore()->GetWindow()->GetEvents().SetScript(std::move(script));
    if (gGameApp->InitGame()) {
      gAppStarting = 0;
      double lastCpu = bench::ProcessCpuSeconds();
      const double wall0 = bench::WallSeconds(), cpu0 = lastCpu;
      GameApp::SetTurnHookForTests([&] {
        const double cpu = bench::ProcessCpuSeconds();
        SPlace& place = play.places[Place()];
        ++place.frames;
        place.cpu += cpu - lastCpu;
        lastCpu = cpu;
        ++play.frames;
      });
      gGameApp->Run();
      GameApp::SetTurnHookForTests(nullptr);
      play.wall = bench::WallSeconds() - wall0;
      play.cpu = bench::ProcessCpuSeconds() - cpu0;
      play.ok = gGameState == kStateExit;
    }
    gGameApp->ReleaseGame();
  }
  delete gGameApp;
  gGameApp = nullptr;
  gFramePacer.Stop();
  gFramePacer.SetSleepForTests(nullptr);
  zuzorev::CTimer::UseManualClock(false);
  ResetGameGlobals();
  return play;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::filesystem::path user = std::filesystem::temp_directory_path() / "lht_story_bench";
  int result = 0;
  if (only.empty() || only == "headless") {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const SPlay play = PlayStory(zuzorev::EDeviceKind::Headless, user);
    if (!play.ok) result = 1;
    std::printf("headless: %d frames in %.2f s wall (%.2f s CPU): %.0f frames per second%s\n", play.frames,
                play.wall, play.cpu, play.frames / std::max(play.wall, 1e-9),
                play.ok ? "" : " (the replay did not reach its end)");
  }
  if (only.empty() || only == "gl") {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    const SPlay play = PlayStory(zuzorev::EDeviceKind::GL, user);
    if (!play.ok) result = 1;
    std::vector<std::pair<std::string, SPlace>> places(play.places.begin(), play.places.end());
    std::sort(places.begin(), places.end(), [](const auto& a, const auto& b) {
      return a.second.cpu / std::max(a.second.frames, 1) > b.second.cpu / std::max(b.second.frames, 1);
    });
    std::printf("GL 1024x768: %d frames in %.2f s wall%s; CPU per frame by place, heaviest first:\n", play.frames,
                play.wall, play.ok ? "" : " (the replay did not reach its end)");
    for (const auto& [name, place] : places)
      std::printf("  %-28s %5d frames  %7.3f ms CPU per frame\n", name.c_str(), place.frames,
                  place.cpu * 1000.0 / std::max(place.frames, 1));
  }
  std::filesystem::remove_all(user);
  return result;
}
