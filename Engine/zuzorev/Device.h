#pragma once
// The drawing device behind the render system. Two implementations: the GL
// device (OpenGL 3.3 core through SDL2) and the headless device (no window,
// no GL; it only keeps count). The render system keeps every piece of engine
// state itself and hands the device finished draws, so both devices leave
// the same engine state behind.
#include <cstdint>
#include <memory>
#include <vector>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/RenderTypes.h"

struct SDL_Window;

namespace zuzorev {

enum class EBlend { None, Alpha, Add };
enum class ECull { None, Clockwise, CounterClockwise };
// What the second texture does to the colour of the first.
enum class ESecondTex { None, Modulate, MultiplyAlpha };
// Where stage 1 takes its coordinates from.
enum class ETexSource { Uv, CameraSpace };

// Everything one draw needs, resolved by the render system.
struct SDrawState {
  zormath::Mat4f worldViewProj = zormath::Mat4f::Identity();
  zormath::Mat4f worldView = zormath::Mat4f::Identity();
  bool tex0Transform = false;
  zormath::Mat4f tex0Matrix = zormath::Mat4f::Identity();
  bool tex1Transform = false;
  zormath::Mat4f tex1Matrix = zormath::Mat4f::Identity();
  ETexSource tex1Source = ETexSource::Uv;
  uint32_t texture0 = 0;  // device texture, 0 = plain white
  uint32_t texture1 = 0;
  bool linearFilter = true;
  EBlend blend = EBlend::Alpha;
  bool depthTest = false;
  bool depthWrite = true;
  ECull cull = ECull::None;
  float alphaCut = 0.0f;  // fragments with less alpha are dropped
  ESecondTex secondTex = ESecondTex::None;
  float colorMul[4] = {1, 1, 1, 1};  // material colour times object alpha
  bool flatColor = false;            // silhouettes: colour replaced, alpha kept
  float flat[4] = {0, 0, 0, 1};
  bool operator==(const SDrawState&) const = default;
};

// Vertices and indices that stay as they are from draw to draw (a mesh
// part): a device may keep its own copy of them until the generation
// changes. Id 0: drawn once, nothing to keep.
struct SGeometryKey {
  uint64_t id = 0;
  uint64_t generation = 0;
  bool operator==(const SGeometryKey&) const = default;
};

struct SViewport {
  int x = 0, y = 0, width = 0, height = 0;  // in back-buffer pixels, top-left origin
  bool operator==(const SViewport&) const = default;
};

class IDevice {
 public:
  virtual ~IDevice() = default;

  // Binds to the window (GL: creates the context). False on failure.
  virtual bool Open(SDL_Window* window, int antialiasing) = 0;
  virtual void Close() = 0;
  virtual bool IsHeadless() const = 0;
  // Back-buffer size in pixels (headless: what SetBackBufferSize gave).
  virtual void GetBackBufferSize(int& width, int& height) const = 0;
  virtual void SetBackBufferSize(int width, int height) = 0;

  // Textures: 0xAARRGGBB texels, row 0 first (the top of the image).
  virtual uint32_t CreateTexture(int width, int height, const uint32_t* texels) = 0;
  virtual void UpdateTexture(uint32_t id, int width, int height, const uint32_t* texels) = 0;
  virtual void DeleteTexture(uint32_t id) = 0;

  virtual void Clear(uint32_t color, const SViewport& viewport) = 0;
  // primitive: kPrimTriangleList or kPrimTriangleStrip. Indices may be null.
  // Indices, when given, are all below vertexCount (the caller checks).
  virtual void Draw(int primitive, const SVertex* vertices, int vertexCount, const uint32_t* indices,
                    int indexCount, const SDrawState& state, const SGeometryKey& geometry) = 0;
  virtual void Present() = 0;
  // The next frame is shown even if it matches the one on the screen (a
  // mode change: what was shown is gone). Devices that always draw ignore it.
  virtual void RedrawNext() {}

  // One picture of the back buffer kept on the device, for the still
  // bottom of the frames. KeepLayer copies the back buffer as drawn so far
  // into it; DrawLayer draws it over the whole back buffer texel for pixel,
  // nothing blended, and leaves the viewport `viewport` as a Clear with it
  // would: it stands for the clears and draws it was kept after. Both false
  // when the device cannot (headless), DrawLayer also when the back buffer
  // changed size. DropLayer lets the picture go.
  virtual bool KeepLayer() { return false; }
  virtual bool DrawLayer(const SViewport& viewport) {
    (void)viewport;
    return false;
  }
  virtual void DropLayer() {}

  // Reads back-buffer pixels (top-left origin) as 0xAARRGGBB; false when
  // there is nothing to read (headless).
  virtual bool ReadPixels(int x, int y, int width, int height, std::vector<uint32_t>& out) = 0;
};

std::unique_ptr<IDevice> CreateGLDevice();
// GL window attributes (3.3 core, depth buffer for the passes that test
// depth); set before the window is made.
void PrepareGLWindowAttributes();
// Keeps the GL libraries SDL loaded in memory until the process ends.
void PinLoadedGLDrivers();
std::unique_ptr<IDevice> CreateHeadlessDevice();
// A device that draws a frame only when it differs from the one on the
// screen (or the window was exposed, resized or changed mode); otherwise
// the screen keeps the frame it shows. Wraps the device that draws.
std::unique_ptr<IDevice> CreateSkipUnchangedDevice(std::unique_ptr<IDevice> device);

// Which device a new render system (and window system) uses: headless when
// the environment variable LHT_HEADLESS is "1", else GL; tests may set it.
enum class EDeviceKind { GL, Headless };
EDeviceKind GetDeviceKind();
void SetDeviceKind(EDeviceKind kind);

}  // namespace zuzorev
