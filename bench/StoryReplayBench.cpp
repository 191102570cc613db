// The sample story replayed by the real game (tests/fixtures/story/
// story.replay, from the first click to the main menu), as fast as the
// machine goes: the frame pacer hands out the next frame as soon as a turn
// ends (a gate, not a spinning thread, so the pacer costs no CPU of its own).
//   1. on the headless device: frames per second of the whole play;
//   2. on the GL device at 1024 x 768 (SDL's offscreen driver, Mesa's
//      llvmpipe without a GPU): CPU time per frame in each scene of the
//      story, the heaviest first: of the whole process (llvmpipe's threads
//      included) and of the main thread alone;
//   3. on the GL device, the main menu at rest: the logo clicked away, the
//      mouse left in a corner, then CPU per frame while nothing is touched,
//      and how many of those frames were drawn (a frame equal to the one on
//      the screen is not drawn again).
// Figures only; nothing here fails on time. LP_NUM_THREADS sets llvmpipe's
// threads (0: it rasterises on the main thread; the GL device makes it 1
// when it is not set).
//
//   bench_StoryReplayBench [headless|gl|menu]     (all without an argument)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
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
#include "Engine/zuzorev/DeviceSkipUnchanged.h"
#include "Engine/zuzorev/EventScriptFile.h"
#include "Engine/zuzorev/RenderSystem.h"
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

// The main menu at rest: the logo's two slides clicked away (as the story
// replay does), the mouse parked in a corner away from every button, then
// nothing until the quit. Frames from kRestFrom on are the rest measured.
constexpr int kRestFrom = 200;
constexpr int kRestTo = 480;
const char* const kMenuAtRest =
    "lht-input 1\n"
    "frame-time 0.05\n"
    "seed 7\n"
    "4 move 520 390\n5 down 0 520 390\n6 up 0 520 390\n"
    "16 move 530 400\n17 down 0 530 400\n18 up 0 530 400\n"
    "30 move 2 2\n"
    "500 quit\n";

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
  double cpu = 0, mainCpu = 0;
};

struct SPlay {
  bool ok = false;
  int frames = 0;
  double wall = 0, cpu = 0;
  std::map<std::string, SPlace> places;
  SPlace rest;  // frames kRestFrom .. kRestTo
  long long restShown = 0, restSkipped = 0;
};

// Plays a replay's text on a fresh player.
SPlay Play(zuzorev::EDeviceKind device, const std::filesystem::path& user, const std::string& replay) {
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
  auto script = zuzorev::ParseEventScript(replay, error);
  if (!script) {
    std::fprintf(stderr, "replay: %s\n", Platform::WideToUtf8(error).c_str());
    return play;
  }
  CTickGate gate;
  gFramePacer.SetSleepForTests([&gate](uint32_t) { gate.Wait(); });
  gAppStarting = 1;
  gGameApp = new GameApp();
  if (gGameApp->Init(L"game.ini")) {
    gGameApp->GetCore()->GetWindow()->GetEvents().SetScript(std::move(script));
    if (gGameApp->InitGame()) {
      gAppStarting = 0;
      auto* skip = dynamic_cast<zuzorev::CSkipUnchangedDevice*>(gGameApp->GetCore()->GetRender()->GetDevice());
      double lastCpu = bench::ProcessCpuSeconds(), lastMain = bench::ThreadCpuSeconds();
      const double wall0 = bench::WallSeconds(), cpu0 = lastCpu;
      long long shown0 = 0, skipped0 = 0;
      GameApp::SetTurnHookForTests([&] {
        const double cpu = bench::ProcessCpuSeconds(), main = bench::ThreadCpuSeconds();
        SPlace& place = play.places[Place()];
        ++place.frames;
        place.cpu += cpu - lastCpu;
        place.mainCpu += main - lastMain;
        if (play.frames >= kRestFrom && play.frames < kRestTo) {
          ++play.rest.frames;
          play.rest.cpu += cpu - lastCpu;
          play.rest.mainCpu += main - lastMain;
        }
        lastCpu = cpu;
        lastMain = main;
        ++play.frames;
        if (skip && play.frames == kRestFrom) shown0 = skip->Shown(), skipped0 = skip->Skipped();
        if (skip && play.frames == kRestTo) {
          play.restShown = skip->Shown() - shown0;
          play.restSkipped = skip->Skipped() - skipped0;
        }
        gate.Release();
      });
      gGameApp->Run();
      GameApp::SetTurnHookForTests(nullptr);
      play.wall = bench::WallSeconds() - wall0;
      play.cpu = bench::ProcessCpuSeconds() - cpu0;
      play.ok = gGameState == kStateExit;
    }
    gGameApp->ReleaseGame();
  }
  gate.Open();  // the game stops its pacer on the way out
  delete gGameApp;
  gGameApp = nullptr;
  gFramePacer.Stop();
  gFramePacer.SetSleepForTests(nullptr);
  zuzorev::CTimer::UseManualClock(false);
  ResetGameGlobals();
  return play;
}

double PerFrame(double seconds, int frames) { return seconds * 1000.0 / std::max(frames, 1); }

}  // namespace

int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::filesystem::path user = std::filesystem::temp_directory_path() / "lht_story_bench";
  std::string story;
  {
    std::ifstream in(kReplay, std::ios::binary);
    story.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (story.empty()) {
    std::fprintf(stderr, "replay %s cannot be read\n", kReplay.c_str());
    return 1;
  }
  // The GL device picks llvmpipe's threads unless they are given: the
  // figure printed is the one in effect after the play.
  auto threads = [] {
    const char* t = std::getenv("LP_NUM_THREADS");
    return t ? t : "unset";
  };
  int result = 0;
  if (only.empty() || only == "headless") {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    const SPlay play = Play(zuzorev::EDeviceKind::Headless, user, story);
    if (!play.ok) result = 1;
    std::printf("headless: %d frames in %.2f s wall (%.2f s CPU): %.0f frames per second%s\n", play.frames,
                play.wall, play.cpu, play.frames / std::max(play.wall, 1e-9),
                play.ok ? "" : " (the replay did not reach its end)");
  }
  if (only.empty() || only == "gl") {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    const SPlay play = Play(zuzorev::EDeviceKind::GL, user, story);
    if (!play.ok) result = 1;
    std::vector<std::pair<std::string, SPlace>> places(play.places.begin(), play.places.end());
    std::sort(places.begin(), places.end(), [](const auto& a, const auto& b) {
      return a.second.cpu / std::max(a.second.frames, 1) > b.second.cpu / std::max(b.second.frames, 1);
    });
    std::printf("GL 1024x768 (LP_NUM_THREADS %s): %d frames in %.2f s wall%s; CPU per frame by place, heaviest "
                "first:\n",
                threads(), play.frames, play.wall,
                play.ok ? "" : " (the replay did not reach its end)");
    std::printf("  %-28s %6s  %12s  %12s\n", "", "frames", "process ms", "main ms");
    for (const auto& [name, place] : places)
      std::printf("  %-28s %6d  %12.3f  %12.3f\n", name.c_str(), place.frames, PerFrame(place.cpu, place.frames),
                  PerFrame(place.mainCpu, place.frames));
  }
  if (only.empty() || only == "menu") {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    const SPlay play = Play(zuzorev::EDeviceKind::GL, user, kMenuAtRest);
    if (!play.ok) result = 1;
    std::printf("GL 1024x768 (LP_NUM_THREADS %s): the main menu at rest, frames %d-%d%s: %.3f ms process CPU, "
                "%.3f ms main thread per frame; %lld frames drawn, %lld left as they were\n",
                threads(), kRestFrom, kRestTo, play.ok ? "" : " (the replay did not reach its end)",
                PerFrame(play.rest.cpu, play.rest.frames), PerFrame(play.rest.mainCpu, play.rest.frames),
                play.restShown, play.restSkipped);
  }
  std::filesystem::remove_all(user);
  return result;
}
