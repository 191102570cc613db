// What the weather costs per frame on the GL device at 1024 x 768: the
// library's rain, clouds and fountain as the sample game loads them, and a
// downpour over the whole screen (a drop every millisecond living a second:
// 1100 drops). Main thread CPU for their updates and draws, and process CPU
// (driver threads included) for the whole frame with its clear and present.
// Prints medians of seven runs; it never fails on time.
//
//   bench_WeatherBench [frames]   (under xvfb-run it draws in the X window;
//                                  without a display through SDL's
//                                  offscreen driver)
#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchCamera.h"
#include "BenchScene.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Objects/Oblaka.h"
#include "Objects/RORain.h"
#include "Objects/Struya.h"

namespace {

// The Properties of the library's object of that name.
const TiXmlElement* PropertiesOf(const TiXmlDocument& anim, const char* name) {
  for (const TiXmlElement* o = anim.RootElement() ? anim.RootElement()->FirstChildElement("Object") : nullptr; o;
       o = o->NextSiblingElement("Object")) {
    const char* n = o->Attribute("NameObj");
    if (n && std::strcmp(n, name) == 0) return o->FirstChildElement("Properties");
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  auto core = bench::StartGLScene();
  if (!core) return 1;
  zuzorev::CRenderSystem& render = *core->GetRender();
  bench::SetupGameCamera(*core);

  TiXmlDocument anim;
  const std::string animFile = std::string(LHT_GAME_DIR) + "/Data/Level/Back_2_anim.xml";
  if (!anim.LoadFile(animFile.c_str())) {
    std::fprintf(stderr, "%s not read\n", animFile.c_str());
    return 1;
  }
  CRORain rain(core.get());
  COblaka clouds(core.get());
  CStruya fountain(core.get());
  if (rain.Load(PropertiesOf(anim, "S_Rain"), L"Back_2.zorm", 3) < 0 ||
      clouds.Load(PropertiesOf(anim, "S_CloudBox"), L"Back_2.zorm", 0) < 0 ||
      fountain.Load(PropertiesOf(anim, "S_Fountain"), L"Back_2.zorm", 0) < 0 || !rain.GetDrops()) {
    std::fprintf(stderr, "the library's weather did not load\n");
    return 1;
  }
  clouds.Load(3);
  fountain.Load(3);

  TiXmlDocument downpourProperties;
  downpourProperties.Parse("<Properties Texture=\"weather_drop.png\" T=\"1\" dt=\"0.001\" Size=\"4\" Alpha=\"0.3\""
                           " VzMin=\"-1200\" VzMax=\"-800\" Xmin=\"-650\" Xmax=\"650\"/>");
  CRORain downpour(core.get());
  downpour.Load(downpourProperties.RootElement(), L"", 3);
  if (!downpour.GetDrops()) {
    std::fprintf(stderr, "the downpour did not load\n");
    return 1;
  }

  const bench::SFigures library = bench::RunObjects(render, frames, {&clouds, &rain, &fountain}, 60);
  const bench::SFigures heavy = bench::RunObjects(render, frames, {&downpour}, 60);
  const bench::SFigures none = bench::RunObjects(render, frames, {}, 60);
  std::printf("weather, 1024 x 768, GL (%s), %d frames x 7 runs, medians:\n",
              bench::DisplayName(), frames);
  std::printf("  library (rain of %d drops, %zu clouds, fountain): main thread %.3f ms, whole frame %.3f ms\n",
              rain.GetDrops()->GetCapacity(), clouds.GetClouds().size(), library.objects, library.whole);
  std::printf("  downpour (%d drops): main thread %.3f ms, whole frame %.3f ms\n", downpour.GetDrops()->GetCount(),
              heavy.objects, heavy.whole);
  std::printf("  an empty frame: whole frame %.3f ms\n", none.whole);
  gGameCore = nullptr;
  return 0;
}
