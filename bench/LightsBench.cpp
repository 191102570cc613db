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
#include "BenchScene.h"
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

template <class T>
std::unique_ptr<T> Made(rovovoz::CGameCore* core, const char* properties) {
  TiXmlDocument doc;
  doc.Parse(properties);
  auto object = std::make_unique<T>(core);
  if (object->Load(doc.RootElement(), L"Back_2.zorm", 0) < 0) return nullptr;
  object->Load(3);
  return object;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  auto core = bench::StartGLScene();
  if (!core) return 1;
  zuzorev::CRenderSystem& render = *core->GetRender();
  Platform::SeedRandom(1);

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

  const bench::SFigures leafFigures = bench::RunObjects(render, frames, {leaves.get()}, 30);
  const bench::SFigures allFigures = bench::RunObjects(render, frames, {leaves.get(), sparks.get(), rays.get(), molnia.get(), bliki.get()}, 30);
  const bench::SFigures bare = bench::RunObjects(render, frames, {}, 30);
  std::printf("library lights, 1024 x 768, GL (%s), %d frames x 7 runs, medians:\n",
              bench::DisplayName(), frames);
  std::printf("  100 falling leaves, updates and draws, main thread CPU: %.3f ms per frame\n", leafFigures.objects);
  std::printf("  100 falling leaves, whole frame, process CPU: %.3f ms per frame\n", leafFigures.whole);
  std::printf("  leaves + sparks + rays + lightning + twinkles, main thread CPU: %.3f ms per frame\n",
              allFigures.objects);
  std::printf("  the same, whole frame, process CPU: %.3f ms per frame\n", allFigures.whole);
  std::printf("  an empty frame, process CPU: %.3f ms per frame\n", bare.whole);
  gGameCore = nullptr;
  return 0;
}
