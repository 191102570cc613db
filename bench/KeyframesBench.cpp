// What the library's vertex-animated flag (a key-frame model looping its
// vertex track) and the pond's rippling reflection cost together per frame
// on the GL device at 1024 x 768: the main thread's CPU time for their
// updates and draws, and the process's CPU time (driver threads included)
// for the whole frame with its clear and present. Prints medians of seven
// runs; it never fails on time.
//
//   bench_KeyframesBench [frames]   (under xvfb-run it draws in the X window;
//                                    without a display through SDL's
//                                    offscreen driver)
#include <tinyxml.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "BenchCamera.h"
#include "BenchScene.h"
#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Objects/MaxAnim.h"
#include "Objects/ROOtragenie.h"

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  auto core = bench::StartGLScene();
  if (!core) return 1;
  zuzorev::CRenderSystem& render = *core->GetRender();

  CMaxAnim flag(core.get());
  flag.LoadFromFiles(L"Back_2.zorm", L"S_Flag", L"Data\\Animation\\Flag.xaf", L"Flag01", 11);
  TiXmlDocument doc;
  doc.Parse("<Properties NameModel=\"S_Pond\" Amplituda=\"3\" Skorost=\"4\" StopProcent=\"150\" Alpha=\"0.7\"/>");
  CROOtragenie pond(core.get());
  pond.Load(doc.RootElement(), L"Back_2.zorm", 0);
  if (!flag.GetModel() || flag.GetAnimation().vertexAnimation == 0 || !pond.GetModel()) {
    std::fprintf(stderr, "the sample game's flag or pond did not load\n");
    return 1;
  }
  flag.Load(3);
  pond.Load(3);
  flag.PlayLoop();

  bench::SetupGameCamera(*core);

  double objectsCpu = 0.0;
  auto frame = [&]() {
    render.Clear();
    render.Begin();
    const double t0 = bench::CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    flag.Update(1.0f / 60.0f, nullptr);
    pond.Update(1.0f / 60.0f, nullptr);
    flag.Render();
    pond.Render();
    objectsCpu += bench::CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - t0;
    render.End();
  };
  // The same two meshes as plain pictures that shift by a pixel each frame
  // (so the screen changes and is presented as often): what drawing them
  // costs without any animation.
  rovovoz::CStaticObject3D flagPicture(core.get()), pondPicture(core.get());
  flagPicture.LoadModel(L"Back_2.zorm", L"S_Flag", 8, 0);
  pondPicture.LoadModel(L"Back_2.zorm", L"S_Pond", 8, 0);
  flagPicture.Load(3);
  pondPicture.Load(3);
  float shift = 1.0f;
  auto empty = [&]() {
    render.Clear();
    render.Begin();
    shift = -shift;
    flagPicture.AddPositionX3D(shift);
    pondPicture.AddPositionX3D(shift);
    flagPicture.Render();
    pondPicture.Render();
    render.End();
  };
  for (int i = 0; i < 30; ++i) frame();
  std::vector<double> objects, whole, bare;
  for (int run = 0; run < 7; ++run) {
    objectsCpu = 0.0;
    double p0 = bench::CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < frames; ++i) frame();
    whole.push_back((bench::CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - p0) * 1000.0 / frames);
    objects.push_back(objectsCpu * 1000.0 / frames);
    p0 = bench::CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < frames; ++i) empty();
    bare.push_back((bench::CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - p0) * 1000.0 / frames);
  }
  std::printf("flag + reflection, 1024 x 768, GL (%s), %d frames x 7 runs, medians:\n",
              bench::DisplayName(), frames);
  std::printf("  their updates and draws, main thread CPU: %.3f ms per frame\n", bench::Median(objects));
  std::printf("  whole frame (clear, draw, present), process CPU: %.3f ms per frame\n", bench::Median(whole));
  std::printf("  the same meshes as still pictures, process CPU: %.3f ms per frame\n", bench::Median(bare));
  std::printf("  what their animation adds: %.3f ms per frame\n", bench::Median(whole) - bench::Median(bare));
  gGameCore = nullptr;
  return 0;
}
