// What the hall's two torches cost per frame on the GL device at
// 1024 x 768: each burns in three layers (a 64 x 64 burning texture, flames
// and glow spots), as Back_1_anim.xml makes them. Prints the main thread's
// CPU time for their updates and draws and the process's CPU time for the
// whole frame (driver threads included), medians of seven runs; it never
// fails on time.
//
//   bench_FireBench [frames]   (under xvfb-run it draws in the X window;
//                               without a display through SDL's offscreen
//                               driver)
#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "BenchCamera.h"
#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Objects/Fire.h"
#include "Objects/FirePart.h"
#include "Platform/Random.h"

namespace {

double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
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
  if (core->GetWindow()->Init(L"bench", L"bench", 101, 1024, 768, full, nullptr, nullptr) < 0) return 1;
  zuzorev::SDevInitParams params;
  zuzorev::CRenderSystem& render = *core->GetRender();
  if (render.Init(core->GetWindow(), params) < 0) return 1;
  render.GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
  Platform::SeedRandom(1);

  // The torches exactly as the hall makes them.
  TiXmlDocument doc;
  if (!LoadXmlDocument(doc, L"Data\\Level\\Back_1_anim.xml", &fs)) return 1;
  std::vector<std::unique_ptr<CFirePart>> torches;
  const TiXmlElement* root = FirstChildElementUpper(&doc, "Objects");
  for (const TiXmlElement* e = IterateChildrenElementUpper(root, "Object", nullptr); e;
       e = IterateChildrenElementUpper(root, "Object", e)) {
    if (ValueUtf8(FindUpper(e, "Type")) != L"FIRE_PART") continue;
    auto torch = std::make_unique<CFirePart>(core.get());
    torch->Load(FirstChildElementUpper(e, "Properties"), L"Back_1.zorm", 0);
    torches.push_back(std::move(torch));
  }
  if (torches.size() != 2) {
    std::fprintf(stderr, "the hall should have two torches, found %zu\n", torches.size());
    return 1;
  }
  for (const auto& torch : torches) {
    if (!torch->GetFire() || torch->GetFire()->GetWidth() != 64 || !torch->GetFlames() || !torch->GetOverlay()) {
      std::fprintf(stderr, "a torch lacks a layer or its 64 x 64 texture\n");
      return 1;
    }
  }
  bench::SetupGameCamera(*core);

  double objectsCpu = 0.0;
  auto frame = [&]() {
    render.Clear();
    render.Begin();
    const double t0 = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    for (const auto& torch : torches) torch->Update(1.0f / 60.0f, nullptr);
    for (const auto& torch : torches) torch->Render();
    objectsCpu += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - t0;
    render.End();
  };
  for (int i = 0; i < 60; ++i) frame();  // the flames reach their steady number
  std::vector<double> objects, whole;
  for (int run = 0; run < 7; ++run) {
    objectsCpu = 0.0;
    const double p0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < frames; ++i) frame();
    whole.push_back((CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - p0) * 1000.0 / frames);
    objects.push_back(objectsCpu * 1000.0 / frames);
  }
  int flames = 0, spots = 0;
  for (const auto& torch : torches) {
    flames += torch->GetFlames()->GetCount();
    spots += torch->GetOverlay()->GetCount();
  }
  std::printf("two torches (64 x 64 fire texture, %d flames, %d glow spots live), 1024 x 768, GL (%s),"
              " %d frames x 7 runs, medians:\n",
              flames, spots, std::getenv("DISPLAY") ? "X window" : "offscreen", frames);
  std::printf("  their updates and draws, main thread CPU: %.3f ms per frame\n", Median(objects));
  std::printf("  whole frame (clear, draw, present), process CPU: %.3f ms per frame\n", Median(whole));
  torches.clear();
  gGameCore = nullptr;
  return 0;
}
