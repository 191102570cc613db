#pragma once
// Pixels read back from the device in the 1024 x 768 virtual screen, as
// colours to compare within a small tolerance.
#include <gtest/gtest.h>

#include <cstdint>

#include "Engine/zuzorev/RenderSystem.h"

namespace testsupport {

struct SRgb {
  float r, g, b;
};

// The pixel whose top-left corner is at (x, y) of the virtual screen.
inline SRgb Pixel(zuzorev::CRenderSystem& render, float x, float y) {
  uint32_t argb = 0;
  EXPECT_TRUE(render.ReadVirtualPixel(x + 0.5f, y + 0.5f, argb));
  return {static_cast<float>((argb >> 16) & 255), static_cast<float>((argb >> 8) & 255),
          static_cast<float>(argb & 255)};
}

inline void ExpectRgb(SRgb got, SRgb want, const char* what) {
  EXPECT_NEAR(got.r, want.r, 4.0f) << what;
  EXPECT_NEAR(got.g, want.g, 4.0f) << what;
  EXPECT_NEAR(got.b, want.b, 4.0f) << what;
}

}  // namespace testsupport
