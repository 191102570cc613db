// Draws that test depth on the GL device, mixed with draws that do not:
// each keeps or loses its pixels as depth says, whatever was drawn around
// and between them, with depth starting from far in every frame and over
// the whole frame. Flat quads straight in clip space, read back.
#include <gtest/gtest.h>

#include <vector>

#include "render/RenderTestSupport.h"

namespace {

using zuzorev::SDrawState;
using zuzorev::SVertex;

constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kYellow = 0xFFFFFF00u,
                   kWhite = 0xFFFFFFFFu;

class GLDepthTarget : public ::testing::Test {
 protected:
  void SetUp() override {
    device = std::make_unique<rendertest::Device>(zuzorev::EDeviceKind::GL);
    if (!device->Ok()) GTEST_SKIP() << "no OpenGL context through SDL's offscreen driver: " << device->Reason();
  }

  zuzorev::IDevice& Dev() { return *device->Render().GetDevice(); }

  // A rectangle of clip space, x0..x1 across and y0..y1 up, at depth z
  // (0 near, 1 far), in one colour; depth tested and written when `depth`.
  void Quad(float x0, float y0, float x1, float y1, float z, uint32_t color, bool depth) {
    const SVertex v[4] = {{x0, y0, z, color, 0, 0}, {x1, y0, z, color, 0, 0}, {x0, y1, z, color, 0, 0},
                          {x1, y1, z, color, 0, 0}};
    Draw(v, 4, depth, zormath::Mat4f::Identity());
  }

  void Draw(const SVertex* v, int n, bool depth, const zormath::Mat4f& m) {
    SDrawState s;
    s.blend = zuzorev::EBlend::None;
    s.depthTest = depth;
    s.depthWrite = true;
    s.worldViewProj = m;
    Dev().Draw(zuzorev::kPrimTriangleStrip, v, n, nullptr, 0, s, zuzorev::SGeometryKey{});
  }

  // The colour at a point of clip space.
  uint32_t At(float x, float y) {
    std::vector<uint32_t> px;
    const int ix = static_cast<int>((x + 1.0f) * 0.5f * 1024.0f), iy = static_cast<int>((1.0f - y) * 0.5f * 768.0f);
    if (!Dev().ReadPixels(ix, iy, 1, 1, px) || px.empty()) return 0;
    return px[0] | 0xFF000000u;
  }

  void StartFrame() {
    device->Render().Clear();
    Quad(-1, -1, 1, 1, 0.0f, kRed, false);
  }

  std::unique_ptr<rendertest::Device> device;
};

TEST_F(GLDepthTarget, DepthHoldsAcrossDrawsThatDoNotTestItAndAcrossTheFrame) {
  StartFrame();
  Quad(-0.8f, 0.2f, -0.2f, 0.8f, 0.2f, kGreen, true);    // A, near
  Quad(-0.5f, 0.4f, 0.5f, 0.6f, 0.0f, kBlue, false);     // over A's right part, no depth
  Quad(-0.6f, 0.0f, 0.0f, 0.7f, 0.5f, kYellow, true);    // B, behind A
  Quad(0.3f, -0.8f, 0.8f, -0.3f, 0.9f, kWhite, true);    // C, far, away from A and B
  struct SProbe {
    const char* what;
    float x, y;
    uint32_t want;
  } const probes[] = {
      {"A alone", -0.7f, 0.75f, kGreen},
      {"B behind A", -0.4f, 0.3f, kGreen},
      {"B behind A under the blue bar", -0.4f, 0.5f, kBlue},
      {"B clear of A", -0.1f, 0.1f, kYellow},
      {"B over the blue bar clear of A", -0.1f, 0.5f, kYellow},
      {"C far from the others, depth far there too", 0.5f, -0.5f, kWhite},
      {"the blue bar alone", 0.3f, 0.5f, kBlue},
      {"the background", 0.9f, -0.9f, kRed},
  };
  for (const SProbe& p : probes) EXPECT_EQ(At(p.x, p.y), p.want) << p.what;
  // Anything drawn after the read goes on top as usual.
  Quad(0.85f, -0.95f, 0.95f, -0.85f, 0.0f, kBlue, false);
  EXPECT_EQ(At(0.9f, -0.9f), kBlue);
  EXPECT_EQ(At(0.5f, -0.5f), kWhite);
  device->Render().End();

  // The next frame's depth starts from far: B alone shows where A was.
  StartFrame();
  Quad(-0.6f, 0.0f, 0.0f, 0.7f, 0.5f, kYellow, true);
  EXPECT_EQ(At(-0.4f, 0.3f), kYellow);
  EXPECT_EQ(At(-0.7f, 0.75f), kRed);
  device->Render().End();
}

// A triangle with a corner behind the eye covers pixels far from where its
// other corners land; they all reach the window.
TEST_F(GLDepthTarget, TriangleReachingBehindTheEyeKeepsAllItsPixels) {
  // Rows times the matrix: clip x = x, y = y, w = z, depth halfway.
  zormath::Mat4f m = zormath::Mat4f::Identity();
  m(2, 2) = 0.5f;
  m(2, 3) = 1.0f;
  m(3, 3) = 0.0f;
  const SVertex v[3] = {{-0.5f, -0.5f, 1.0f, kGreen, 0, 0},
                        {0.5f, -0.5f, 1.0f, kGreen, 0, 0},
                        {0.0f, 0.5f, -2.0f, kGreen, 0, 0}};
  StartFrame();
  Draw(v, 3, true, m);
  EXPECT_EQ(At(0.0f, -0.9f), kGreen) << "below where the corners in front of the eye land";
  EXPECT_EQ(At(0.0f, 0.9f), kRed);
  device->Render().End();
}

}  // namespace
