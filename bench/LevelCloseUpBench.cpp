// What a frame of a playable scene costs with a close-up open over it: the
// sample game's entrance hall (its heaviest room: the hall, its moving
// things and the desk) loaded by the logic's lists as the game loads it,
// the desk's close-up opened and fully zoomed in, then the scene's update
// and drawing frame after frame at 1024 x 768 on the GL device (SDL's
// offscreen driver; Mesa's llvmpipe without a GPU). Prints the CPU time of
// the whole process per frame (llvmpipe's threads included) and the wall
// time per frame, median of seven runs.
//
//   bench_LevelCloseUpBench [frames]
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/DeviceSkipUnchanged.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Levels/BaseLevel.h"
#include "Logic/Logic.h"
#include "Logic/LogicLists.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"
#include "Regions/BaseRegion.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr float kFrameTime = 1.0f / 60.0f;

double ProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return (static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9) * 1000.0;
}

double WallMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

CBaseLevel* FindLevel(const wchar_t* name) {
  for (CBaseLevel* level : gLevels)
    if (level && Platform::EqualsNoCase(level->GetName(), name)) return level;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
  auto core = std::make_unique<rovovoz::CGameCore>();
  gGameCore = core.get();
  zorfile::CFileSystem& fs = *core->GetFileSystem();
  fs.SetInstallFolder(LHT_GAME_DIR);
  fs.InsertPath(L"Data\\Models", zorfile::kKindModels);
  fs.InsertPath(L"Data\\Textures", zorfile::kKindTextures);
  fs.InsertPath(L"Data", zorfile::kKindXml);
  int full = 0;
  zuzorev::SDevInitParams params;
  if (core->GetWindow()->Init(L"bench", L"bench", 101, kWidth, kHeight, full, nullptr, nullptr) < 0 ||
      core->GetRender()->Init(core->GetWindow(), params) < 0 ||
      core->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1) < 0) {
    std::fprintf(stderr, "no GL device through SDL's offscreen driver: %s\n", SDL_GetError());
    return 1;
  }
  zuzorev::CRenderSystem& render = *core->GetRender();

  auto logic = std::make_unique<CLogic>();
  gLogic = logic.get();
  if (!logic->LoadLevels() || !logic->LoadRegions()) {
    std::fprintf(stderr, "the sample game's scene lists do not load\n");
    return 1;
  }
  CBaseLevel* hall = FindLevel(L"Back_1.xml");
  if (!hall) {
    std::fprintf(stderr, "no entrance hall in the sample game\n");
    return 1;
  }
  gCurrentPlayer.mEpisodInfo.mBackTasks[hall->GetName()].mCounters[L"Back_1_reg_4.xml"] = 1;
  if (!hall->AttachToEpisod(nullptr, nullptr) || !hall->Load(1) || !hall->StartBack(0) ||
      !hall->OpenRegion(L"Back_1_reg_4.xml", 1, 1, 0)) {
    std::fprintf(stderr, "the hall does not start with its close-up\n");
    return 1;
  }
  hall->PushMode(kModeRegionOpen, 0);

  // The device skips a frame identical to the one on screen; to measure the
  // drawing itself it can be told to draw every frame.
  bool forceDraw = false;
  auto* skipping = dynamic_cast<zuzorev::CSkipUnchangedDevice*>(render.GetDevice());
  auto frame = [&] {
    hall->Update(kFrameTime, nullptr);
    if (forceDraw && render.GetDevice()) render.GetDevice()->RedrawNext();
    render.Clear();
    render.Begin();
    hall->Render();
    render.End();
  };
  // The opening zoom takes a sixth of pi seconds; warm up past it.
  for (int i = 0; i < 60; ++i) frame();
  if (!hall->GetOpenRegion() || hall->GetOpenRegion()->GetTransitionState() != CBaseRegion::kOpen) {
    std::fprintf(stderr, "the close-up did not open\n");
    return 1;
  }

  const char* lp = std::getenv("LP_NUM_THREADS");
  std::printf("entrance hall with the desk's close-up open, %d x %d, median of 7 runs of %d frames, LP_NUM_THREADS=%s\n",
              kWidth, kHeight, frames, lp ? lp : "(unset)");
  for (bool force : {false, true}) {
    forceDraw = force;
    std::vector<double> cpu, wall;
    const long long shown0 = skipping ? skipping->Shown() : 0;
    for (int run = 0; run < 7; ++run) {
      const double c0 = ProcessCpuMs(), w0 = WallMs();
      for (int i = 0; i < frames; ++i) frame();
      cpu.push_back((ProcessCpuMs() - c0) / frames);
      wall.push_back((WallMs() - w0) / frames);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    const long long shown = skipping ? skipping->Shown() - shown0 : 7LL * frames;
    std::printf("  %-34s CPU ms/frame %8.3f   wall ms/frame %8.3f   (%lld of %d frames drawn)\n",
                force ? "every frame drawn" : "as played (unchanged frames skipped)", cpu[3], wall[3], shown,
                7 * frames);
  }

  hall->Release(0);
  logic.reset();
  gLogic = nullptr;
  gGameCore = nullptr;
  return 0;
}
