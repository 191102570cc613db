#pragma once
// Plain records and numbers shared by the render system, its device and the
// engine objects that draw: the numbered states, formats and flags the game
// passes, vertex layouts, materials, boxes and the display-mode records.
#include <cstdint>
#include <vector>

#include "Engine/zormath/Math.h"

namespace zuzorev {

// Status results (negative = failure, as the game tests them). Comments of
// the engine mark such results with "N": kOk on success, kFail on failure.
constexpr int32_t kOk = 1;
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
// TestCooperativeLevel: lost, and ready to be reset.
constexpr int32_t kDeviceNotReset = static_cast<int32_t>(0x8876086Cu);
// TestCooperativeLevel: lost, not yet resettable.
constexpr int32_t kDeviceLost = static_cast<int32_t>(0x88760868u);

// SetTransform types.
enum : int {
  kTransformView = 2,
  kTransformProjection = 3,
  kTransformTexture0 = 16,
  kTransformTexture1 = 17,
  kTransformWorld = 256,
};

// SetRenderState states.
enum : int {
  kRsSrcBlend = 19,
  kRsDestBlend = 20,
  kRsSpecularEnable = 29,
  kRsLighting = 137,
  kRsAmbient = 139,
};

// SetTextureStageState states and values.
enum : int {
  kTssTexCoordIndex = 11,
  kTssTextureTransformFlags = 24,
  kTexCoordCameraSpacePosition = 0x20000,
  kTextureTransformCount2 = 2,
};

// Primitive types of DrawPrimitive / DrawPrimitiveUP.
enum : int { kPrimTriangleList = 4, kPrimTriangleStrip = 5 };

// Texture formats.
enum : int { kFormatA8R8G8B8 = 21, kFormatX8R8G8B8 = 22 };

// Vertex formats of buffer reservations and vertex buffers.
enum : uint32_t {
  kFvfXyzDiffuseTex1 = 0x142,
  kFvfXyzTex1 = 0x102,
  kFvfXyzNormal = 0x12,
  kFvfTex1 = 0x100,
};

// The engine's one vertex: position, packed colour 0xAARRGGBB, texture
// coordinates; 24 bytes, the layout of "XYZDiffuseTex1" and of mesh vertices.
struct SVertex {
  float x = 0, y = 0, z = 0;
  uint32_t color = 0xFFFFFFFFu;
  float u = 0, v = 0;
};
static_assert(sizeof(SVertex) == 24, "mesh and XYZDiffuseTex1 vertices are 24 bytes");

// "XYZTex1": 20 bytes.
struct SVertexTex {
  float x = 0, y = 0, z = 0;
  float u = 0, v = 0;
};
static_assert(sizeof(SVertexTex) == 20, "XYZTex1 vertices are 20 bytes");

struct SColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};

// A material: four colours and a power (17 floats).
struct SMaterial {
  SColorValue Diffuse;
  SColorValue Ambient;
  SColorValue Specular;
  SColorValue Emissive;
  float Power = 0;

  // White, opaque: what a model part without its own material gets.
  static SMaterial White() {
    SMaterial m;
    m.Diffuse = {1, 1, 1, 1};
    m.Ambient = {1, 1, 1, 1};
    return m;
  }
};

// Axis-aligned box.
struct SAABBox {
  zormath::Vec3f Min;
  zormath::Vec3f Max;
};

// A screen rectangle in virtual-screen pixels (top-left origin).
struct SRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Texel access of a locked texture: pitch in bytes, texels 0xAARRGGBB.
struct SLockedRect {
  int32_t Pitch = 0;
  void* pBits = nullptr;
};

struct SSurfaceDesc {
  int32_t Format = kFormatA8R8G8B8;
  int32_t Width = 0;
  int32_t Height = 0;
};

// Device start-up parameters: nine 32-bit words, in this order.
struct SDevInitParams {
  int32_t Version = 1;
  int32_t FullScreen = 0;
  int32_t Width = 1024;
  int32_t Height = 768;
  int32_t RefreshRate = 60;
  int32_t Format = kFormatX8R8G8B8;
  int32_t Antialiasing = 0;
  int32_t Wide = 0;
  int32_t Reserved = 0;
};

// What FindMode looks for (built by the engine with its defaults).
struct SFindModeParams {
  int32_t Windowed = 1;
  int32_t AnyRate = 1;
  int32_t Format = kFormatX8R8G8B8;
  int32_t ColorDepth = 32;
  int32_t MinWidth = 800;
  int32_t MinHeight = 600;
  int32_t SortModes = 1;
  int32_t FullScreen = 0;
  std::vector<int32_t> Formats{kFormatX8R8G8B8};

  void PushFormat(int32_t format) { Formats.push_back(format); }
};

// The display modes FindMode reports: sizes with their refresh rates in
// ascending order (the last rate of a mode is always usable).
struct SDisplayMode {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<int32_t> RefreshRates;
};

struct SDisplayModeI {
  std::vector<SDisplayMode> Modes;
};

}  // namespace zuzorev
