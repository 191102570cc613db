// What the hall's orchard tree costs per frame in a gust on the GL device at
// 1024 x 768: the main thread's CPU time for its update and draws, and the
// process's CPU time (driver threads included) for the whole frame with its
// clear and present; then the same for the light rays with their two dust
// layers and the flickering wall lamp. The objects are read from the sample
// game's Back_1_anim.xml, the tree's gusts made to follow each other without
// a pause. Prints medians of seven runs; it never fails on time.
//
//   bench_TreeBench [frames]   (under xvfb-run it draws in the X window;
//                               without a display through SDL's offscreen
//                               driver)
#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "BenchCamera.h"
#include "BenchScene.h"
#include "BenchTiming.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Objects/Derevo.h"
#include "Objects/Lampa.h"
#include "Objects/LuchiPil.h"

namespace {

double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// The Properties element of the hall's object of that name.
TiXmlElement* PropertiesOf(TiXmlDocument& doc, const char* name) {
  TiXmlElement* root = doc.RootElement();
  for (TiXmlElement* o = root ? root->FirstChildElement("Object") : nullptr; o; o = o->NextSiblingElement("Object"))
    if (const char* n = o->Attribute("NameObj"); n && std::string(n) == name) return o->FirstChildElement("Properties");
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  auto core = bench::StartGLScene();
  if (!core) return 1;
  zuzorev::CRenderSystem& render = *core->GetRender();

  TiXmlDocument doc;
  if (!doc.LoadFile(LHT_GAME_DIR "/Data/Level/Back_1_anim.xml")) {
    std::fprintf(stderr, "the sample hall's object file did not load\n");
    return 1;
  }
  TiXmlElement* treeXml = PropertiesOf(doc, "S_OrchardTree");
  TiXmlElement* raysXml = PropertiesOf(doc, "S_SunRays");
  TiXmlElement* lampXml = PropertiesOf(doc, "S_WallLampGlow");
  if (!treeXml || !raysXml || !lampXml || !treeXml->FirstChildElement("Veter")) {
    std::fprintf(stderr, "the hall's tree, rays or lamp are missing from its object file\n");
    return 1;
  }
  // One gust after another: a second each, at the strongest.
  TiXmlElement* veter = treeXml->FirstChildElement("Veter");
  for (const char* key : {"MinDTime", "MaxDTime", "MinTimeSila", "MaxTimeSila"}) veter->SetAttribute(key, "1");
  veter->SetAttribute("MinSila", veter->Attribute("MaxSila"));

  CDerevo tree(core.get());
  CLuchiPil rays(core.get());
  CLampa lamp(core.get());
  if (tree.Load(treeXml, L"Back_1.zorm", 0) < 0 || tree.GetRenderList().empty() ||
      rays.Load(raysXml, L"Back_1.zorm", 0) < 0 || lamp.Load(lampXml, L"Back_1.zorm", 0) < 0) {
    std::fprintf(stderr, "the hall's tree, rays or lamp did not load\n");
    return 1;
  }
  tree.Load(3);
  rays.Load(3);
  lamp.Load(3);
  lamp.SetRender2D(1);
  bench::SetupGameCamera(*core);

  double objectsCpu = 0.0;
  auto frameOf = [&](const std::function<void()>& work) {
    return [&, work]() {
      render.Clear();
      render.Begin();
      const double t0 = ThreadCpuSeconds();
      work();
      objectsCpu += ThreadCpuSeconds() - t0;
      render.End();
    };
  };
  const float dt = 1.0f / 60.0f;
  auto treeFrame = frameOf([&]() {
    tree.Update(dt, nullptr);
    tree.Render();
  });
  auto raysFrame = frameOf([&]() {
    rays.Update(dt, nullptr);
    lamp.Update(dt, nullptr);
    rays.Render();
    lamp.Render();
  });

  std::printf("1024 x 768, GL (%s), %d frames x 7 runs, medians:\n", bench::DisplayName(),
              frames);
  struct SCase {
    const char* what;
    std::function<void()> frame;
  } cases[] = {{"the orchard tree in a gust (7 branches)", treeFrame},
               {"the light rays with two dust layers and the wall lamp", raysFrame}};
  for (const SCase& c : cases) {
    objectsCpu = 0.0;
    const bench::STiming whole = bench::Measure(frames, c.frame);
    const double perFrame = objectsCpu * 1000.0 / (frames * 7 + 10);
    std::printf("%s:\n", c.what);
    std::printf("  update and draws, main thread CPU: %.3f ms per frame\n", perFrame);
    std::printf("  whole frame (clear, draw, present), process CPU: %.3f ms, wall %.3f ms per frame\n", whole.cpuMs,
                whole.wallMs);
  }
  std::printf("the left bough's bend velocity at the end (the tree moved): %.3f rad/s\n",
              static_cast<double>(tree.GetRoots().at(0).branch.children.at(0).velocity));
  gGameCore = nullptr;
  return 0;
}
