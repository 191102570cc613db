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
#include "BenchScene.h"
#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Objects/Fire.h"
#include "Objects/FirePart.h"
#include "Platform/Random.h"

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  auto core = bench::StartGLScene();
  if (!core) return 1;
  zorfile::CFileSystem& fs = *core->GetFileSystem();
  zuzorev::CRenderSystem& render = *core->GetRender();
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

  std::vector<rovovoz::CBaseGeometryObject*> objects;
  for (const auto& torch : torches) objects.push_back(torch.get());
  // Sixty frames first: the flames reach their steady number.
  const bench::SFigures figures = bench::RunObjects(render, frames, objects, 60);
  int flames = 0, spots = 0;
  for (const auto& torch : torches) {
    flames += torch->GetFlames()->GetCount();
    spots += torch->GetOverlay()->GetCount();
  }
  std::printf("two torches (64 x 64 fire texture, %d flames, %d glow spots live), 1024 x 768, GL (%s),"
              " %d frames x 7 runs, medians:\n",
              flames, spots, bench::DisplayName(), frames);
  std::printf("  their updates and draws, main thread CPU: %.3f ms per frame\n", figures.objects);
  std::printf("  whole frame (clear, draw, present), process CPU: %.3f ms per frame\n", figures.whole);
  torches.clear();
  gGameCore = nullptr;
  return 0;
}
