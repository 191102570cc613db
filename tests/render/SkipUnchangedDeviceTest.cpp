// A frame equal to the one on the screen is not drawn again; anything that
// changes what the screen would show (vertices, state, a texture's texels,
// a read of the back buffer, an exposed window, a mode change) makes it
// drawn. The wrapped device here is the headless one, which counts.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "Engine/zuzorev/DeviceHeadless.h"
#include "Engine/zuzorev/DeviceSkipUnchanged.h"
#include "Engine/zuzorev/StillLayer.h"

namespace {

using zuzorev::CDeviceHeadless;
using zuzorev::CSkipUnchangedDevice;
using zuzorev::SVertex;

struct SFixture {
  SFixture() {
    auto inner = std::make_unique<CDeviceHeadless>();
    headless = inner.get();
    device = std::make_unique<CSkipUnchangedDevice>(std::move(inner));
    device->Open(nullptr, 0);
    texture = device->CreateTexture(1, 1, &texel);
  }
  // One frame: a clear and a textured quad with the given first x.
  void Frame(float x = 0.0f) {
    device->Clear(0xFF000000u, zuzorev::SViewport{0, 0, 1024, 768});
    SVertex quad[4] = {{x, 0, 0, 0xFFFFFFFFu, 0, 1}, {10, 0, 0, 0xFFFFFFFFu, 1, 1}, {0, 0, 10, 0xFFFFFFFFu, 0, 0},
                       {10, 0, 10, 0xFFFFFFFFu, 1, 0}};
    state.texture0 = texture;
    device->Draw(zuzorev::kPrimTriangleStrip, quad, 4, nullptr, 0, state, zuzorev::SGeometryKey{});
  }
  uint32_t texel = 0xFF808080u;
  uint32_t texture = 0;
  zuzorev::SDrawState state;
  CDeviceHeadless* headless = nullptr;
  std::unique_ptr<CSkipUnchangedDevice> device;
};

TEST(SkipUnchangedDevice, SameFrameIsNotDrawnAgainAndAnyChangeIsDrawn) {
  struct SCase {
    const char* what;
    std::function<void(SFixture&)> between;  // before the second frame is made
    std::function<void(SFixture&)> second;   // the second frame
    bool drawn;
  };
  const SCase cases[] = {
      {"the same frame", [](SFixture&) {}, [](SFixture& f) { f.Frame(); }, false},
      {"a vertex moved", [](SFixture&) {}, [](SFixture& f) { f.Frame(1.0f); }, true},
      {"another alpha", [](SFixture& f) { f.state.colorMul[3] = 0.5f; }, [](SFixture& f) { f.Frame(); }, true},
      {"an extra draw", [](SFixture&) {}, [](SFixture& f) { f.Frame(); f.Frame(); }, true},
      {"nothing drawn", [](SFixture&) {}, [](SFixture&) {}, true},
      {"texels changed", [](SFixture& f) { f.device->UpdateTexture(f.texture, 1, 1, &f.texel); },
       [](SFixture& f) { f.Frame(); }, true},
      {"a mode change", [](SFixture& f) { f.device->RedrawNext(); }, [](SFixture& f) { f.Frame(); }, true},
      {"the back buffer read", [](SFixture&) {},
       [](SFixture& f) {
         f.Frame();
         std::vector<uint32_t> pixels;
         f.device->ReadPixels(0, 0, 1, 1, pixels);
       },
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SFixture f;
    f.Frame();
    f.device->Present();
    ASSERT_EQ(f.headless->Presents(), 1) << "the first frame is always shown";
    const int draws = f.headless->Draws();
    c.between(f);
    c.second(f);
    f.device->Present();
    EXPECT_EQ(f.headless->Presents(), c.drawn ? 2 : 1);
    if (!c.drawn) EXPECT_EQ(f.headless->Draws(), draws) << "nothing reaches the device";
    EXPECT_EQ(f.device->Skipped(), c.drawn ? 0 : 1);
  }
}

// A texture changed in the middle of a frame: the draws before the change
// reach the device before the new texels do.
TEST(SkipUnchangedDevice, DrawsBeforeATextureChangeGoFirst) {
  SFixture f;
  f.Frame();
  EXPECT_EQ(f.headless->Draws(), 0) << "held back until the frame ends";
  f.device->UpdateTexture(f.texture, 1, 1, &f.texel);
  EXPECT_EQ(f.headless->Draws(), 1);
  EXPECT_EQ(f.headless->Textures().at(f.texture).uploads, 2);
  f.Frame(2.0f);
  f.device->Present();
  EXPECT_EQ(f.headless->Draws(), 2);
  EXPECT_EQ(f.headless->LastVertices()[0].x, 2.0f);
  EXPECT_EQ(f.headless->Presents(), 1);
}

TEST(SkipUnchangedDevice, ExposedWindowIsDrawnAgain) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  {
    SFixture f;  // opened with SDL's events running: it watches the window
    f.Frame();
    f.device->Present();
    f.Frame();
    f.device->Present();
    ASSERT_EQ(f.headless->Presents(), 1);
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&e);
    f.Frame();
    f.device->Present();
    EXPECT_EQ(f.headless->Presents(), 2);
    f.Frame();
    f.device->Present();
    EXPECT_EQ(f.headless->Presents(), 2) << "and then rests again";
  }
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace

namespace {

// The headless device, able to keep a layer: it counts what it is asked.
class CLayerDevice : public zuzorev::CDeviceHeadless {
 public:
  bool KeepLayer() override {
    ++keeps;
    return true;
  }
  bool DrawLayer(const zuzorev::SViewport&) override {
    ++layerDraws;
    return true;
  }
  void DropLayer() override { ++drops; }
  int keeps = 0, layerDraws = 0, drops = 0;
};

// Frames of a still bottom (a clear and three quads of one texture) under
// a top quad that moves every frame.
struct SStillFixture {
  SStillFixture() {
    auto inner = std::make_unique<CLayerDevice>();
    layer = inner.get();
    device = std::make_unique<CSkipUnchangedDevice>(std::move(inner));
    device->Open(nullptr, 0);
    texture = device->CreateTexture(1, 1, &texel);
  }
  void Quad(float x, const zuzorev::SDrawState& s) {
    SVertex quad[4] = {{x, 0, 0, 0xFFFFFFFFu, 0, 1}, {x + 10, 0, 0, 0xFFFFFFFFu, 1, 1},
                       {x, 0, 10, 0xFFFFFFFFu, 0, 0}, {x + 10, 0, 10, 0xFFFFFFFFu, 1, 0}};
    device->Draw(zuzorev::kPrimTriangleStrip, quad, 4, nullptr, 0, s, zuzorev::SGeometryKey{});
  }
  void Frame() {
    device->Clear(0xFF000000u, zuzorev::SViewport{0, 0, 1024, 768});
    bottom.texture0 = texture;
    for (float x : bottomX) Quad(x, bottom);
    Quad(static_cast<float>(++top), zuzorev::SDrawState{});
    device->Present();
  }
  // Frames until the bottom is kept and drawn from its picture once.
  void Settle() {
    for (int i = 0; i < zuzorev::CStillLayer::kStillFrames + 2; ++i) Frame();
  }
  uint32_t texel = 0xFF808080u;
  uint32_t texture = 0;
  zuzorev::SDrawState bottom;
  float bottomX[3] = {0, 20, 40};
  int top = 0;
  CLayerDevice* layer = nullptr;
  std::unique_ptr<CSkipUnchangedDevice> device;
};

TEST(StillLayer, StillBottomIsDrawnAsItsPictureUntilOneOfItsDrawsChanges) {
  struct SCase {
    const char* what;
    std::function<void(SStillFixture&)> change;
    bool whole;  // the next frame draws its bottom again
  };
  const SCase cases[] = {
      {"only the top moves", [](SStillFixture&) {}, false},
      {"a bottom quad moved", [](SStillFixture& f) { f.bottomX[1] = 21; }, true},
      {"another alpha below", [](SStillFixture& f) { f.bottom.colorMul[3] = 0.5f; }, true},
      {"another blend below", [](SStillFixture& f) { f.bottom.blend = zuzorev::EBlend::Add; }, true},
      {"the bottom's order", [](SStillFixture& f) { std::swap(f.bottomX[0], f.bottomX[2]); }, true},
      {"the bottom's texels", [](SStillFixture& f) { f.device->UpdateTexture(f.texture, 1, 1, &f.texel); }, true},
      {"the back buffer's size", [](SStillFixture& f) { f.device->SetBackBufferSize(800, 600); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SStillFixture f;
    f.Settle();
    ASSERT_EQ(f.layer->keeps, 1);
    ASSERT_GE(f.layer->layerDraws, 1);
    const int draws = f.layer->Draws(), layerDraws = f.layer->layerDraws;
    c.change(f);
    f.Frame();
    EXPECT_EQ(f.layer->Draws() - draws, c.whole ? 4 : 1) << "draws that reached the device";
    EXPECT_EQ(f.layer->layerDraws - layerDraws, c.whole ? 0 : 1);
    if (!c.whole) continue;
    // The changed bottom is kept again once it stays as it is.
    f.Settle();
    EXPECT_EQ(f.layer->keeps, 2);
    const int again = f.layer->Draws();
    f.Frame();
    EXPECT_EQ(f.layer->Draws() - again, 1);
  }
}

TEST(StillLayer, KeptOnlyOfABottomThatStaysWithoutDepth) {
  SStillFixture depth;
  depth.bottom.depthTest = true;
  depth.Settle();
  depth.Settle();
  EXPECT_EQ(depth.layer->keeps, 0) << "the picture holds no depth";

  SStillFixture moving;
  for (int i = 0; i < 20; ++i) {
    moving.bottomX[0] = (i % 2) * 5.0f;  // changes every frame
    moving.Frame();
  }
  EXPECT_EQ(moving.layer->keeps, 0) << "the first quad changes every frame";

  // A texture the frames do not draw, changed before every frame (a video
  // elsewhere): the bottom is kept all the same.
  SStillFixture video;
  const uint32_t other = video.device->CreateTexture(1, 1, &video.texel);
  for (int i = 0; i < 10; ++i) {
    video.device->UpdateTexture(other, 1, 1, &video.texel);
    video.Frame();
  }
  EXPECT_EQ(video.layer->keeps, 1);
}

}  // namespace
