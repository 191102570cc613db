#pragma once
// What the scene benchmarks share: the GL device at 1024 x 768 over the
// sample game's data, CPU clocks, and the timing of a set of objects
// updated and drawn frame after frame.
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"

namespace bench {

inline double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The game core on the GL device in a 1024 x 768 window (SDL's offscreen
// driver without a display), reading the sample game's data with its base
// render settings; it becomes gGameCore. Null when the window or the device
// does not start.
inline std::unique_ptr<rovovoz::CGameCore> StartGLScene() {
  if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
  auto core = std::make_unique<rovovoz::CGameCore>();
  gGameCore = core.get();
  zorfile::CFileSystem& fs = *core->GetFileSystem();
  fs.SetInstallFolder(LHT_GAME_DIR);
  fs.InsertPath(L"Data\\Models", zorfile::kKindModels);
  fs.InsertPath(L"Data\\Textures", zorfile::kKindTextures);
  fs.InsertPath(L"Data", zorfile::kKindXml);
  int full = 0;
  if (core->GetWindow()->Init(L"bench", L"bench", 101, 1024, 768, full, nullptr, nullptr) < 0) return nullptr;
  zuzorev::SDevInitParams params;
  zuzorev::CRenderSystem& render = *core->GetRender();
  if (render.Init(core->GetWindow(), params) < 0) return nullptr;
  render.GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
  return core;
}

inline const char* DisplayName() { return std::getenv("DISPLAY") ? "X window" : "offscreen"; }

struct SFigures {
  double objects;  // their updates and draws, main thread CPU, ms per frame
  double whole;    // the whole frame, process CPU, ms per frame
};

// The objects updated by a 60th of a second and drawn each frame: warmUp
// frames first, then the medians of seven runs of `frames` frames.
inline SFigures RunObjects(zuzorev::CRenderSystem& render, int frames,
                           const std::vector<rovovoz::CBaseGeometryObject*>& objects, int warmUp) {
  double objectsCpu = 0.0;
  auto frame = [&]() {
    render.Clear();
    render.Begin();
    const double t0 = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    for (auto* o : objects) o->Update(1.0f / 60.0f, nullptr);
    for (auto* o : objects) o->Render();
    objectsCpu += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - t0;
    render.End();
  };
  for (int i = 0; i < warmUp; ++i) frame();
  std::vector<double> mine, whole;
  for (int run = 0; run < 7; ++run) {
    objectsCpu = 0.0;
    const double p0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < frames; ++i) frame();
    whole.push_back((CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - p0) * 1000.0 / frames);
    mine.push_back(objectsCpu * 1000.0 / frames);
  }
  return {Median(mine), Median(whole)};
}

}  // namespace bench
