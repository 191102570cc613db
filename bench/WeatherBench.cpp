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
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Objects/Oblaka.h"
#include "Objects/RORain.h"
#include "Objects/Struya.h"

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

// The Properties of the library's object of that name.
const TiXmlElement* PropertiesOf(const TiXmlDocument& anim, const char* name) {
  for (const TiXmlElement* o = anim.RootElement() ? anim.RootElement()->FirstChildElement("Object") : nullptr; o;
       o = o->NextSiblingElement("Object")) {
    const char* n = o->Attribute("NameObj");
    if (n && std::strcmp(n, name) == 0) return o->FirstChildElement("Properties");
  }
  return nullptr;
}

struct SFigures {
  double objects;
  double whole;
};

SFigures Run(zuzorev::CRenderSystem& render, int frames, const std::vector<rovovoz::CBaseGeometryObject*>& objects) {
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
  for (int i = 0; i < 60; ++i) frame();
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

  const SFigures library = Run(render, frames, {&clouds, &rain, &fountain});
  const SFigures heavy = Run(render, frames, {&downpour});
  const SFigures none = Run(render, frames, {});
  std::printf("weather, 1024 x 768, GL (%s), %d frames x 7 runs, medians:\n",
              std::getenv("DISPLAY") ? "X window" : "offscreen", frames);
  std::printf("  library (rain of %d drops, %zu clouds, fountain): main thread %.3f ms, whole frame %.3f ms\n",
              rain.GetDrops()->GetCapacity(), clouds.GetClouds().size(), library.objects, library.whole);
  std::printf("  downpour (%d drops): main thread %.3f ms, whole frame %.3f ms\n", downpour.GetDrops()->GetCount(),
              heavy.objects, heavy.whole);
  std::printf("  an empty frame: whole frame %.3f ms\n", none.whole);
  gGameCore = nullptr;
  return 0;
}
