// What the library's heaviest light costs per frame on the GL device at
// 1024 x 768: a hundred falling leaves (the room's leaves with Num 100),
// then the sparks, rays, lightning and twinkles of the room together. The
// main thread's CPU time for the objects' updates and draws, and the
// process's CPU time (driver threads included) for the whole frame with its
// clear and present. Prints medians of seven runs; it never fails on time.
//
//   bench_LightsBench [frames]   (under xvfb-run it draws in the X window;
//                                 without a display through SDL's
//                                 offscreen driver)
#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "BenchCamera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Objects/MolniiElektr.h"
#include "Objects/ROBliki.h"
#include "Objects/ROListopad.h"
#include "Objects/ROLuchi.h"
#include "Objects/ROMolnia.h"
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

template <class T>
std::unique_ptr<T> Made(rovovoz::CGameCore* core, const char* properties) {
  TiXmlDocument doc;
  doc.Parse(properties);
  auto object = std::make_unique<T>(core);
  if (object->Load(doc.RootElement(), L"Back_2.zorm", 0) < 0) return nullptr;
  object->Load(3);
  return object;
}

struct SFigures {
  double objects, whole;
};

SFigures Run(zuzorev::CRenderSystem& render, int frames, const std::vector<rovovoz::CBaseGeometryObject*>& objects) {
  double objectsCpu = 0.0;
  auto frame = [&]() {
    render.Clear();
    render.Begin();
    const double t0 = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    for (rovovoz::CBaseGeometryObject* object : objects) object->Update(1.0f / 60.0f, nullptr);
    for (rovovoz::CBaseGeometryObject* object : objects) object->Render();
    objectsCpu += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - t0;
    render.End();
  };
  for (int i = 0; i < 30; ++i) frame();
  std::vector<double> part, whole;
  for (int run = 0; run < 7; ++run) {
    objectsCpu = 0.0;
    const double p0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < frames; ++i) frame();
    whole.push_back((CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - p0) * 1000.0 / frames);
    part.push_back(objectsCpu * 1000.0 / frames);
  }
  return {Median(part), Median(whole)};
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
  auto core = std::make_unique<rovovoz::CGameCore>();
  gGameCore = core.get();
  Platform::SeedRandom(1);
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

  auto leaves = Made<CROListopad>(core.get(),
                                  "<Properties File=\"Back_2.zorm\" M1=\"S_Leaf01\" M2=\"S_Leaf02\" M3=\"S_Leaf03\" "
                                  "Num=\"100\" vx=\"30\" vy=\"-70\" dAngle=\"0.8\" Scale=\"2\" AddScale=\"0.8\" "
                                  "R=\"60\" AddR=\"20\"/>");
  auto sparks = Made<CMolniiElektr>(core.get(),
                                    "<Properties State=\"1\" koef_rand=\"0.97\" speed_unv=\"6\" speed_unv_zasv=\"2\">"
                                    "<Molniya NameModel=\"S_Spark01\"/><Zasvet NameModel=\"S_SparkGlow\"/>"
                                    "<Molniya NameModel=\"S_Spark02\"/><Molniya NameModel=\"S_Spark03\"/></Properties>");
  auto rays = Made<CROLuchi>(core.get(), "<Properties NameModel=\"S_DoorRays\" Time1=\"0.6\" Time2=\"1.8\" "
                                         "Alpha1=\"0.25\" Alpha2=\"0.85\" Alpha2Overlay=\"0.3\"/>");
  auto molnia = Made<CROMolnia>(core.get(),
                                "<Properties><BaseProperties Time1=\"0.5\" Time2=\"1\"/>"
                                "<Obj Model=\"S_LightningSky\" Type=\"Overlay\"/><Obj Model=\"S_LightningBolt\" "
                                "IsMoln=\"1\"/></Properties>");
  auto bliki = Made<CROBliki>(core.get(), "<Properties NameModel=\"S_PondTwinkle\" NameSpline=\"P_PondTwinkles\" "
                                          "T=\"1.2\" ProcentVisible=\"40\" Alpha=\"1\"/>");
  if (!leaves || leaves->GetModelCount() != 3 || !sparks || !rays || !molnia || !bliki) {
    std::fprintf(stderr, "the sample game's lights did not load\n");
    return 1;
  }
  bench::SetupGameCamera(*core);

  const SFigures leafFigures = Run(render, frames, {leaves.get()});
  const SFigures allFigures = Run(render, frames, {leaves.get(), sparks.get(), rays.get(), molnia.get(), bliki.get()});
  const SFigures bare = Run(render, frames, {});
  std::printf("library lights, 1024 x 768, GL (%s), %d frames x 7 runs, medians:\n",
              std::getenv("DISPLAY") ? "X window" : "offscreen", frames);
  std::printf("  100 falling leaves, updates and draws, main thread CPU: %.3f ms per frame\n", leafFigures.objects);
  std::printf("  100 falling leaves, whole frame, process CPU: %.3f ms per frame\n", leafFigures.whole);
  std::printf("  leaves + sparks + rays + lightning + twinkles, main thread CPU: %.3f ms per frame\n",
              allFigures.objects);
  std::printf("  the same, whole frame, process CPU: %.3f ms per frame\n", allFigures.whole);
  std::printf("  an empty frame, process CPU: %.3f ms per frame\n", bare.whole);
  gGameCore = nullptr;
  return 0;
}
