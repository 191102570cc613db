// Drawing a video object: what the headless device is given (one textured
// quad per Render, a texture upload only when the clip shows a new picture)
// and what the GL device puts on the screen (the sample video's colours).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "Engine/rovovoz/VideoObject3D.h"
#include "Engine/zorvideo/VideoClip.h"
#include "Engine/zorvideo/VideoPlayer.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/DeviceHeadless.h"
#include "render/RenderTestSupport.h"

namespace {

// What tools/make_video.sh draws: 160 x 120 pictures, 12 a second, deep
// blue for the first second and deep red for the second, a yellow 24 x 24
// square with its top-left corner at (8 + 60 t, 48).
constexpr int kPictureWidth = 160;
constexpr uint32_t kBlue = 0x2040A0;
constexpr uint32_t kRed = 0xA03020;
constexpr uint32_t kYellow = 0xF0E040;
constexpr uint32_t kBlack = 0x000000;

// A game core with the sample game's videos and a silent video player.
std::unique_ptr<rendertest::Core> MakeCore(zuzorev::EDeviceKind kind) {
  auto core = std::make_unique<rendertest::Core>(kind);
  core->Get()->GetFileSystem()->InsertPath(L"Data\\Roliki", zorfile::kKindVideos);
  core->Get()->GetVideoPlayer()->Init(nullptr);
  return core;
}

// ---- headless ----------------------------------------------------------------

class VideoDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    core = MakeCore(zuzorev::EDeviceKind::Headless);
    ASSERT_TRUE(core->Ok());
  }
  zuzorev::CRenderSystem& Render() { return core->Render(); }
  zuzorev::CDeviceHeadless& Device() { return *dynamic_cast<zuzorev::CDeviceHeadless*>(Render().GetDevice()); }
  // Uploads of every texture the device holds (the video's is the only one).
  int Uploads() {
    int n = 0;
    for (const auto& [id, info] : Device().Textures()) n += info.uploads;
    return n;
  }
  // Draws one frame with the object; the draws it made.
  size_t DrawOnce(rovovoz::CBaseGeometryObject& object) {
    Render().Begin();
    object.Render();
    return Render().GetFrameDraws().size();
  }
  std::unique_ptr<rendertest::Core> core;
};

TEST_F(VideoDraw, ASceneHoldsItAsARenderObjectAndItDrawsOneQuadWithItsRectangleAndAlpha) {
  // As a scene holds it: made with the core, reached through the base.
  std::unique_ptr<rovovoz::CBaseGeometryObject> object = std::make_unique<rovovoz::CVideoObject3D>(core->Get());
  auto* video = dynamic_cast<rovovoz::CVideoObject3D*>(object.get());
  ASSERT_NE(video, nullptr);
  ASSERT_EQ(video->CreateClip(1024, 512, L"Intro", L"Intro.ogv", 0), 1);
  // A dim scene: the picture is not lit by it.
  Render().SetLight(zuzorev::SLight{true, {0.2f, 0.2f, 0.2f, 1}, {0, 0, 0, 1}});
  Render().SetRenderState(zuzorev::kRsAmbient, 0);

  struct Case {
    const char* what;
    int render2D;
    zormath::Vec3f scale, position, worldShift;
    float alpha;
    float left, right, bottom, top;  // corners in space after the world matrix
    uint32_t vertexAlpha;
  } cases[] = {
      {"cut-scene clip", 0, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, 1.0f, -512, 512, -256, 256, 255},
      {"interface, moved and faded", 1, {1, 1, 1}, {100, 5, -50}, {0, 0, 0}, 0.5f, -412, 612, -306, 206, 128},
      {"scaled, in a zoomed scene", 0, {0.5f, 1, 0.25f}, {100, 0, 40}, {-30, 0, 10}, 0.25f, -186, 326, -14, 114, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    object->SetRender2D(c.render2D);
    object->SetScale(c.scale);
    object->SetPosition3D(c.position);
    object->SetWorldMatrix3D(zormath::MatrixTranslation(c.worldShift.x, c.worldShift.y, c.worldShift.z));
    object->SetAlpha(c.alpha);
    ASSERT_EQ(DrawOnce(*object), 1u);
    const zuzorev::SDrawRecord& draw = Render().GetFrameDraws().back();
    EXPECT_EQ(draw.primitive, zuzorev::kPrimTriangleStrip);
    EXPECT_EQ(draw.vertexCount, 4);
    EXPECT_EQ(draw.texture0, L"#created");
    for (float channel : draw.color) EXPECT_FLOAT_EQ(channel, 1.0f) << "unlit; alpha is the vertices' own";
    EXPECT_EQ(Render().GetRenderState(zuzorev::kRsLighting), 1u) << "the scene's lighting is given back";

    const auto& vertices = Device().LastVertices();
    ASSERT_EQ(vertices.size(), 4u);
    float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
    for (const zuzorev::SVertex& v : vertices) {
      const zormath::Vec3f p = zormath::TransformCoord(zormath::Vec3f(v.x, v.y, v.z), draw.world);
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      bottom = std::min(bottom, p.z);
      top = std::max(top, p.z);
      EXPECT_NEAR(p.y, c.position.y, 1e-4f);
      EXPECT_EQ(v.color >> 24, c.vertexAlpha);
      EXPECT_EQ(v.color & 0xFFFFFFu, 0xFFFFFFu);
      // The picture's top row at the top of the rectangle, its left column at the left.
      EXPECT_FLOAT_EQ(v.v, v.z > 0 ? 0.0f : 1.0f);
      EXPECT_FLOAT_EQ(v.u, v.x > 0 ? 1.0f : 0.0f);
    }
    EXPECT_NEAR(left, c.left, 1e-3f);
    EXPECT_NEAR(right, c.right, 1e-3f);
    EXPECT_NEAR(bottom, c.bottom, 1e-3f);
    EXPECT_NEAR(top, c.top, 1e-3f);
  }
}

TEST_F(VideoDraw, NothingIsDrawnWithoutAPictureAVisibleObjectOrARenderSystem) {
  rovovoz::CVideoObject3D noClip(core->Get());
  EXPECT_EQ(DrawOnce(noClip), 0u);
  rovovoz::CVideoObject3D broken(core->Get());
  EXPECT_EQ(broken.CreateClip(1024, 512, L"Nowhere", L"Nowhere.ogv", 0), 0);
  EXPECT_EQ(DrawOnce(broken), 0u);

  rovovoz::CVideoObject3D video(core->Get());
  ASSERT_EQ(video.CreateClip(1024, 512, L"Intro", L"Intro.ogv", 0), 1);
  video.SetVisible(0);
  EXPECT_EQ(DrawOnce(video), 0u);
  video.SetVisible(1);
  video.SetAlpha(0.0f);
  EXPECT_EQ(DrawOnce(video), 0u);
  video.SetAlpha(1.0f);
  EXPECT_EQ(DrawOnce(video), 1u);
  video.Release();
  EXPECT_EQ(DrawOnce(video), 0u);
  EXPECT_EQ(Device().Textures().size(), 0u) << "Release gives the texture back";

  rovovoz::CVideoObject3D coreless(core->Get()->GetVideoPlayer());
  ASSERT_EQ(coreless.CreateClip(1024, 512, L"Intro", L"Intro.ogv", 0), 1);
  EXPECT_EQ(DrawOnce(coreless), 0u);
}

TEST_F(VideoDraw, TheTextureTakesEachNewPictureOnceWhateverTheNumberOfRenders) {
  rovovoz::CVideoObject3D video(core->Get());
  ASSERT_EQ(video.CreateClip(1024, 512, L"Intro", L"Intro.ogv", 0), 1);
  zorvideo::CVideoPlayer* player = core->Get()->GetVideoPlayer();
  auto frame = [&](float dt) {
    player->Update(dt);
    video.Update(dt, nullptr);
  };

  DrawOnce(video);
  int uploads = Uploads();
  ASSERT_GT(uploads, 0);
  DrawOnce(video);
  DrawOnce(video);
  EXPECT_EQ(Uploads(), uploads) << "the same picture again";
  // A new clip's first picture is a new picture, though its index is the same.
  ASSERT_EQ(video.CreateClip(1024, 512, L"Intro", L"Intro.ogv", 0), 1);
  DrawOnce(video);
  EXPECT_EQ(Uploads() - uploads, 1);
  uploads = Uploads();

  // Twelve pictures a second: the second one is due at 1/12 s.
  zorvideo::CVideoClip* clip = video.GetClip();
  video.Play(0.0f);
  struct Step {
    float dt;
    int renders;
    int frameIndex;
    int newUploads;
  } steps[] = {
      {0.05f, 3, 0, 0},  // still the first picture
      {0.05f, 3, 1, 1},  // the second: one upload for three renders
      {0.05f, 1, 1, 0},
      {0.50f, 2, 7, 1},  // six pictures passed unseen: one upload
  };
  for (const Step& s : steps) {
    frame(s.dt);
    ASSERT_EQ(clip->GetFrameIndex(), s.frameIndex);
    for (int i = 0; i < s.renders; ++i) DrawOnce(video);
    EXPECT_EQ(Uploads() - uploads, s.newUploads) << "at picture " << s.frameIndex;
    uploads = Uploads();
  }

  // Given back, the texture is made again at the next Render.
  video.UnLoad(3);
  EXPECT_EQ(Device().Textures().size(), 0u);
  EXPECT_EQ(DrawOnce(video), 1u);
  EXPECT_EQ(Device().Textures().size(), 1u);
}

// ---- GL ----------------------------------------------------------------------

// Within a lossy codec's and a filter's tolerance.
::testing::AssertionResult PixelNear(zuzorev::CRenderSystem& render, float vx, float vy, uint32_t rgb) {
  uint32_t got = 0;
  if (!render.ReadVirtualPixel(vx, vy, got)) return ::testing::AssertionFailure() << "no pixels to read";
  for (int shift : {16, 8, 0}) {
    const int g = static_cast<int>((got >> shift) & 0xFF), w = static_cast<int>((rgb >> shift) & 0xFF);
    if (std::abs(g - w) > 10)
      return ::testing::AssertionFailure() << "at (" << vx << "," << vy << ") got " << std::hex << (got & 0xFFFFFF)
                                           << " want " << rgb;
  }
  return ::testing::AssertionSuccess();
}

uint32_t Scaled(uint32_t rgb, float k) {
  uint32_t out = 0;
  for (int shift : {16, 8, 0})
    out |= static_cast<uint32_t>(std::lround(((rgb >> shift) & 0xFF) * k)) << shift;
  return out;
}

class VideoGL : public ::testing::Test {
 protected:
  void SetUp() override {
    core = MakeCore(zuzorev::EDeviceKind::GL);
    if (!core->Ok()) GTEST_SKIP() << "no OpenGL 3.3 context through SDL's offscreen driver (needs libegl-mesa0)";
    core->SetupCamera();
  }
  void Draw(rovovoz::CVideoObject3D& video) {
    zuzorev::CRenderSystem& render = core->Render();
    ASSERT_GE(render.Clear(), 0);
    ASSERT_GE(render.Begin(), 0);
    video.Render();
  }
  std::unique_ptr<rendertest::Core> core;
};

TEST_F(VideoGL, AFullScreenClipIn2DShowsThePicturesTheVideoWasMadeWith) {
  rovovoz::CVideoObject3D video(core->Get());
  ASSERT_EQ(video.CreateClip(1024, 768, L"Intro", L"Intro.ogv", 0), 1);
  video.SetRender2D(1);
  zuzorev::CRenderSystem& render = core->Render();
  // Picture point (x, y) -> virtual screen: 1024 / 160 = 6.4 pixels a texel.
  const float k = 1024.0f / kPictureWidth;
  auto at = [&](float x, float y, uint32_t rgb) { return PixelNear(render, (x + 0.5f) * k, (y + 0.5f) * k, rgb); };

  struct Case {
    const char* what;
    float advance;  // seconds played before the draw
    float alpha;
    int squareX;    // left edge of the square in the picture
    uint32_t background;
  } cases[] = {
      {"first picture", 0.0f, 1.0f, 8, kBlue},
      {"one second in", 1.0f, 1.0f, 68, kRed},
      {"at half alpha over black", 0.0f, 0.5f, 68, kRed},
  };
  video.Play(0.0f);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (float t = 0.0f; t < c.advance - 1e-4f; t += 0.05f) video.Update(0.05f, nullptr);
    video.SetAlpha(c.alpha);
    Draw(video);
    EXPECT_TRUE(at(c.squareX + 12, 60, Scaled(kYellow, c.alpha)));
    EXPECT_TRUE(at(c.squareX + 12, 100, Scaled(c.background, c.alpha)));
    EXPECT_TRUE(at((c.squareX + 80) % kPictureWidth, 10, Scaled(c.background, c.alpha)));
    EXPECT_GE(render.End(), 0);
  }
}

TEST_F(VideoGL, In2DTheRectangleIgnoresTheSceneCameraIn3DItFollowsIt) {
  rovovoz::CVideoObject3D video(core->Get());
  // Half the screen's size in the top-left quarter: 3.2 pixels a texel.
  ASSERT_EQ(video.CreateClip(512, 384, L"Intro", L"Intro.ogv", 0), 1);
  video.SetPosition3D(-256, 0, 192);
  zuzorev::CRenderSystem& render = core->Render();
  const zormath::Mat4f view = render.GetTransform(zuzorev::kTransformView);
  // The scene's camera 100 units to the left: the scene shows 100 pixels further right.
  render.SetTransform(zuzorev::kTransformView, zormath::MatrixTranslation(100, 0, 0) * view);

  // The square's middle (picture point (20, 60)) where the rectangle is
  // not moved, and 100 pixels further right.
  const float x = (20 + 0.5f) * 3.2f, y = (60 + 0.5f) * 3.2f, moved = x + 100.0f;
  struct Case {
    int render2D;
    float squareAt;
    float otherAt;
    uint32_t other;
  } cases[] = {
      {1, x, moved, kBlue},  // the picture's background right of the square
      {0, moved, x, kBlack}, // left of the moved rectangle: nothing drawn
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.render2D ? "2D" : "3D");
    video.SetRender2D(c.render2D);
    Draw(video);
    EXPECT_TRUE(PixelNear(render, c.squareAt, y, kYellow));
    EXPECT_TRUE(PixelNear(render, c.otherAt, y, c.other));
    EXPECT_GE(render.End(), 0);
  }
}

}  // namespace
