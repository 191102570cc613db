// What a frame of the sample game's intro cut-scene costs at 1024 x 768 on
// the GL device (SDL's offscreen driver: Mesa's llvmpipe without a GPU):
// the cut-scene's update (clip clock, picture decoding, subtitles, overlay)
// and its draw (the clip's picture uploaded when it changes, the bars, the
// subtitle, the skip button), next to decoding the same clip alone at the
// same frame rate (and the update without the draw). Prints CPU time per frame of all the process's threads,
// wall time per frame, and the ratio.
//
//   bench_RolikBench [frames] [frames per second]   (defaults 300, 60)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchCamera.h"
#include "BenchTiming.h"
#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zorvideo/VideoClip.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Interface/RolikInterfaceMenu.h"
#include "Roliki/BaseRolik.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

std::unique_ptr<rovovoz::CGameCore> StartCore(const std::string& gameDir) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
  auto core = std::make_unique<rovovoz::CGameCore>();
  zorfile::CFileSystem& fs = *core->GetFileSystem();
  fs.SetInstallFolder(gameDir);
  fs.InsertPath(L"Data\\Models", zorfile::kKindModels);
  fs.InsertPath(L"Data\\Textures", zorfile::kKindTextures);
  fs.InsertPath(L"Data", zorfile::kKindXml);
  fs.InsertPath(L"Data\\Roliki", zorfile::kKindVideos);
  fs.InsertPath(L"DataLoc\\Sounds", zorfile::kKindSounds);
  int full = 0;
  if (core->GetWindow()->Init(L"bench", L"bench", 101, kWidth, kHeight, full, nullptr, nullptr) < 0) return nullptr;
  zuzorev::SDevInitParams params;
  params.Width = kWidth;
  params.Height = kHeight;
  if (core->GetRender()->Init(core->GetWindow(), params) < 0) return nullptr;
  core->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
  core->GetTextManager()->Load(L"DataLoc\\Texts\\Texts.xml");
  core->GetSound()->Init(0);
  core->GetSound()->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", nullptr);
  return core;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  const int rate = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
  const float dt = 1.0f / static_cast<float>(rate);
  auto core = StartCore(LHT_GAME_DIR);
  if (!core) {
    std::fprintf(stderr, "no GL device through SDL's offscreen driver\n");
    return 1;
  }
  CRolikInterfaceMenu overlay(core.get(), nullptr);
  if (overlay.Load(L"Data\\Interface\\RolikInterfaceMenu.xml", 1) < 0) return 1;
  gRolikInterfaceMenu = &overlay;
  CBaseRolik intro(core.get(), L"Intro", L"Intro.xml");
  if (intro.LoadFile(3) != 1 || !intro.GetVideo()) {
    std::fprintf(stderr, "the intro does not load\n");
    return 1;
  }
  zuzorev::CRenderSystem& render = *core->GetRender();
  bench::SetupGameCamera(*core);
  intro.Start();
  const auto play = [&] {
    // Played over and over: it starts again before its closing fade.
    if (intro.GetTime() > 4.5f) intro.Start();
    intro.Update(dt, nullptr);
    render.Clear();
    render.Begin();
    intro.Render();
    std::vector<uint32_t> pixel;
    render.ReadPixels(0, 0, 1, 1, pixel);  // the frame is finished when a pixel of it can be read
    render.End();
  };

  const auto update = [&] {
    if (intro.GetTime() > 4.5f) intro.Start();
    intro.Update(dt, nullptr);
  };

  std::string bytes;
  core->GetFileSystem()->ReadFile(L"Arrival.ogv", bytes, zorfile::kKindVideos);
  zorvideo::CVideoClip clip(nullptr);
  std::string error;
  if (!clip.Open(bytes, error)) {
    std::fprintf(stderr, "the clip does not decode: %s\n", error.c_str());
    return 1;
  }
  clip.Play(true, 0.0f);
  const auto decode = [&] { clip.Advance(dt); };

  std::printf("intro cut-scene, %d x %d, %d frames a second, clip %d x %d; threads %d\n", kWidth, kHeight, rate,
              clip.GetWidth(), clip.GetHeight(), bench::ThreadCount());
  const bench::STiming p = bench::Measure(frames, play);
  const bench::STiming u = bench::Measure(frames, update);
  const bench::STiming d = bench::Measure(frames, decode);
  std::printf("  playing (update + draw): %8.3f ms CPU  %8.3f ms wall per frame\n", p.cpuMs, p.wallMs);
  std::printf("  update only, no draw:    %8.3f ms CPU  %8.3f ms wall per frame\n", u.cpuMs, u.wallMs);
  std::printf("  decoding alone:          %8.3f ms CPU  %8.3f ms wall per frame\n", d.cpuMs, d.wallMs);
  std::printf("  playing / decoding:      %8.1f x CPU\n", d.cpuMs > 0 ? p.cpuMs / d.cpuMs : 0.0);
  gRolikInterfaceMenu = nullptr;
  return 0;
}
