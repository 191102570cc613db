// What a frame costs on the GL device at 1024 x 768 (SDL's offscreen
// driver: EGL on whatever GL the machine has, Mesa's llvmpipe without a
// GPU), against SDL2's own software renderer drawing the same pictures at
// the same places. Two scenes from the sample game's art: the entrance hall
// as its scene draws it (5 draws), and a heavy one (the hall's background,
// 60 objects, two full-screen fades). Prints CPU time per frame of all the
// process's threads, wall time per frame, and the ratios; the GL device
// both drawing each frame whole and with its still layer (the unchanged
// scene then drawn as one kept picture).
//
//   bench_RenderBench [frames]      (LP_NUM_THREADS picks llvmpipe's threads)
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchCamera.h"
#include "BenchTiming.h"
#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/DeviceSkipUnchanged.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"

namespace {

using bench::Measure;
using bench::STiming;
using bench::ThreadCount;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// One picture drawn at a place: what both renderers are given.
struct SPlacedPicture {
  const zuzorev::STextureData* texture = nullptr;
  SDL_Rect rect{};          // virtual-screen pixels
  uint8_t alpha = 255;      // times the picture's own alpha
  bool additive = false;
  uint32_t fill = 0;        // no texture: a colour (0xAARRGGBB)
};

// The screen rectangle a static object covers: its first part's vertices
// through its placement (the game's camera maps scene x, z to the screen).
SDL_Rect ScreenRect(const rovovoz::CStaticObject3D& object) {
  const zuzorev::CMesh& mesh = *object.GetMesh();
  const zuzorev::CMesh::SPart& part = *mesh.GetPart(0);
  const auto* v = reinterpret_cast<const zuzorev::SVertex*>(part.vertices->Bytes());
  const int n = static_cast<int>(part.vertices->GetVertexCount());
  const zormath::Mat4f& t = mesh.GetTransform();
  const zormath::Vec3f p = object.GetPosition3D();
  float x0 = 1e9f, x1 = -1e9f, z0 = 1e9f, z1 = -1e9f;
  for (int i = 0; i < n; ++i) {
    const float x = v[i].x * t(0, 0) + v[i].y * t(1, 0) + v[i].z * t(2, 0) + p.x;
    const float z = v[i].x * t(0, 2) + v[i].y * t(1, 2) + v[i].z * t(2, 2) + p.z;
    x0 = std::min(x0, x), x1 = std::max(x1, x), z0 = std::min(z0, z), z1 = std::max(z1, z);
  }
  return SDL_Rect{static_cast<int>(std::lround(x0 + 512)), static_cast<int>(std::lround(384 - z1)),
                  static_cast<int>(std::lround(x1 - x0)), static_cast<int>(std::lround(z1 - z0))};
}

// A quad of the virtual screen in the interface space.
void ScreenQuad(zuzorev::CRenderSystem& render, const SDL_Rect& r, uint32_t color) {
  auto corner = [&](float x, float y, float u, float v) {
    return zuzorev::SVertex{x - 512.0f, 1000.0f, 384.0f - y, color, u, v};
  };
  const float l = static_cast<float>(r.x), t = static_cast<float>(r.y), rr = l + r.w, b = t + r.h;
  zuzorev::SVertex quad[4] = {corner(l, b, 0, 1), corner(rr, b, 1, 1), corner(l, t, 0, 0), corner(rr, t, 1, 0)};
  render.DrawPrimitiveUP(zuzorev::kPrimTriangleStrip, 2, quad, sizeof(zuzorev::SVertex));
}

class CGLScenes {
 public:
  bool Start(const std::string& gameDir) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
    mCore = std::make_unique<rovovoz::CGameCore>();
    zorfile::CFileSystem& fs = *mCore->GetFileSystem();
    fs.SetInstallFolder(gameDir);
    fs.InsertPath(L"Data\\Models", zorfile::kKindModels);
    fs.InsertPath(L"Data\\Textures", zorfile::kKindTextures);
    fs.InsertPath(L"Data", zorfile::kKindXml);
    int full = 0;
    if (mCore->GetWindow()->Init(L"bench", L"bench", 101, kWidth, kHeight, full, nullptr, nullptr) < 0) return false;
    zuzorev::SDevInitParams params;
    if (Render().Init(mCore->GetWindow(), params) < 0) return false;
    if (Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1) < 0) return false;

    for (const wchar_t* name : {L"S_Back_1", L"S_Desk", L"S_Key", L"S_Lantern", L"S_Wick"})
      if (!Add(mHall, name, 0, 0)) return false;
    // The heavy scene: the background, then 60 of the hall's objects on a
    // grid, each at 1:1.
    if (!Add(mHeavy, L"S_Back_1", 0, 0)) return false;
    const wchar_t* const kinds[] = {L"S_Desk", L"S_Key", L"S_Lantern", L"S_Wick"};
    for (int i = 0; i < 60; ++i) {
      auto probe = std::make_unique<rovovoz::CStaticObject3D>(mCore.get());
      if (probe->LoadModel(L"Back_1.zorm", kinds[i % 4], 8, 0) <= 0) return false;
      // Move each copy from its own place to a cell of a 10 x 6 grid.
      const zormath::Vec3f home = probe->GetPosition3D();
      const float cx = -440.0f + (i % 10) * 96.0f, cz = 300.0f - (i / 10) * 120.0f;
      if (!Add(mHeavy, kinds[i % 4], cx - home.x, cz - home.z)) return false;
    }
    mBackTexture = mHeavy[0]->GetMesh()->GetTexture(0, 0);
    return mBackTexture && mBackTexture->Data();
  }

  zuzorev::CRenderSystem& Render() { return *mCore->GetRender(); }

  void SetupCamera() { bench::SetupGameCamera(*mCore); }

  void DrawHall() { DrawObjects(mHall, false); }
  void DrawHeavy() { DrawObjects(mHeavy, true); }

  // What the SDL renderer draws for the same frames.
  std::vector<SPlacedPicture> Pictures(bool heavy) {
    std::vector<SPlacedPicture> out;
    for (const auto& o : heavy ? mHeavy : mHall)
      out.push_back({o->GetMesh()->GetTexture(0, 0)->Data().get(), ScreenRect(*o)});
    if (heavy) {
      out.push_back({mBackTexture->Data().get(), {0, 0, kWidth, kHeight}, 0x80});
      out.push_back({nullptr, {0, 0, kWidth, kHeight}, 0x55, false, 0x55000000u});
    }
    return out;
  }

 private:
  bool Add(std::vector<std::unique_ptr<rovovoz::CStaticObject3D>>& list, const wchar_t* mesh, float dx, float dz) {
    auto object = std::make_unique<rovovoz::CStaticObject3D>(mCore.get());
    if (object->LoadModel(L"Back_1.zorm", mesh, 8, 0) <= 0) return false;
    object->AddPosition3D(dx, 0, dz);
    list.push_back(std::move(object));
    return true;
  }

  void DrawObjects(std::vector<std::unique_ptr<rovovoz::CStaticObject3D>>& list, bool fades) {
    zuzorev::CRenderSystem& render = Render();
    SetupCamera();
    render.SetZEnable(0);
    render.Clear();
    render.Begin();
    for (auto& o : list) o->Render();
    if (fades) {
      render.SetTransform3DWorld2D(zormath::Mat4f::Identity(), 1);
      render.BindRenderSeting(-1);
      render.BindDeclaration(render.GetDeclarationID(L"XYZDiffuseTex1"));
      render.BindTexture(0, mBackTexture);
      ScreenQuad(render, {0, 0, kWidth, kHeight}, 0x80FFFFFFu);
      render.BindTexture(0, nullptr);
      ScreenQuad(render, {0, 0, kWidth, kHeight}, 0x55000000u);
    }
    // The frame is finished when a pixel of it can be read.
    std::vector<uint32_t> pixel;
    render.ReadPixels(0, 0, 1, 1, pixel);
    render.End();
  }

  std::unique_ptr<rovovoz::CGameCore> mCore;
  std::vector<std::unique_ptr<rovovoz::CStaticObject3D>> mHall, mHeavy;
  zuzorev::CTexture* mBackTexture = nullptr;
};

// SDL2's software renderer on a 1024 x 768 surface.
class CSoftScenes {
 public:
  bool Start() {
    mSurface = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    mRenderer = mSurface ? SDL_CreateSoftwareRenderer(mSurface) : nullptr;
    return mRenderer != nullptr;
  }
  ~CSoftScenes() {
    for (auto& [data, texture] : mTextures) SDL_DestroyTexture(texture);
    if (mRenderer) SDL_DestroyRenderer(mRenderer);
    if (mSurface) SDL_FreeSurface(mSurface);
  }

  void Draw(const std::vector<SPlacedPicture>& pictures) {
    SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
    SDL_RenderClear(mRenderer);
    for (const auto& p : pictures) {
      if (!p.texture) {
        SDL_SetRenderDrawBlendMode(mRenderer, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(mRenderer, (p.fill >> 16) & 255, (p.fill >> 8) & 255, p.fill & 255, p.fill >> 24);
        SDL_RenderFillRect(mRenderer, &p.rect);
        continue;
      }
      SDL_Texture* t = TextureOf(*p.texture);
      SDL_SetTextureBlendMode(t, p.additive ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
      SDL_SetTextureAlphaMod(t, p.alpha);
      SDL_RenderCopy(mRenderer, t, nullptr, &p.rect);
    }
    SDL_RenderPresent(mRenderer);
  }

 private:
  SDL_Texture* TextureOf(const zuzorev::STextureData& data) {
    for (auto& [d, t] : mTextures)
      if (d == &data) return t;
    SDL_Texture* t = SDL_CreateTexture(mRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, data.width,
                                       data.height);
    SDL_UpdateTexture(t, nullptr, data.texels.data(), data.width * 4);
    mTextures.emplace_back(&data, t);
    return t;
  }

  SDL_Surface* mSurface = nullptr;
  SDL_Renderer* mRenderer = nullptr;
  std::vector<std::pair<const zuzorev::STextureData*, SDL_Texture*>> mTextures;
};

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  CGLScenes gl;
  if (!gl.Start(LHT_GAME_DIR)) {
    std::fprintf(stderr, "no GL device through SDL's offscreen driver: %s\n", SDL_GetError());
    return 1;
  }
  CSoftScenes soft;
  if (!soft.Start()) {
    std::fprintf(stderr, "no SDL software renderer: %s\n", SDL_GetError());
    return 1;
  }
  const char* lp = std::getenv("LP_NUM_THREADS");
  std::printf("1024 x 768, median of 7 runs of %d frames, LP_NUM_THREADS=%s, %d threads in the process, %ld CPUs\n", frames,
              lp ? lp : "(unset)", ThreadCount(), sysconf(_SC_NPROCESSORS_ONLN));
  std::printf("%-28s %12s %12s\n", "", "CPU ms/frame", "wall ms/frame");
  struct SScene {
    const char* name;
    bool heavy;
  };
  auto* skip = dynamic_cast<zuzorev::CSkipUnchangedDevice*>(gl.Render().GetDevice());
  for (SScene scene : {SScene{"sample scene (5 draws)", false}, SScene{"heavy scene (63 + 2 fades)", true}}) {
    // Drawn whole every frame, then with the still layer: the scene stays
    // as it is, so its picture stands for all of it.
    if (skip) skip->SetStillLayer(false);
    const STiming whole = Measure(frames, [&] { scene.heavy ? gl.DrawHeavy() : gl.DrawHall(); });
    if (skip) skip->SetStillLayer(true);
    const STiming g = Measure(frames, [&] { scene.heavy ? gl.DrawHeavy() : gl.DrawHall(); });
    const std::vector<SPlacedPicture> pictures = gl.Pictures(scene.heavy);
    const STiming s = Measure(frames, [&] { soft.Draw(pictures); });
    std::printf("%s\n", scene.name);
    if (skip) std::printf("  (pictures kept %lld, frames drawn from one %lld)\n", skip->Layer().Keeps(), skip->Layer().Uses());
    std::printf("  %-26s %12.3f %12.3f\n", "GL device, drawn whole", whole.cpuMs, whole.wallMs);
    std::printf("  %-26s %12.3f %12.3f\n", "GL device, still layer", g.cpuMs, g.wallMs);
    std::printf("  %-26s %12.3f %12.3f\n", "SDL2 software renderer", s.cpuMs, s.wallMs);
    std::printf("  %-26s %12.2f %12.2f\n", "GL whole / software", whole.cpuMs / s.cpuMs, whole.wallMs / s.wallMs);
    std::printf("  %-26s %12.2f %12.2f\n", "GL still / software", g.cpuMs / s.cpuMs, g.wallMs / s.wallMs);
  }
  return 0;
}
