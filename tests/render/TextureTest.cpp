#include <gtest/gtest.h>

#include "Engine/zuzorev/DeviceHeadless.h"
#include "render/RenderTestSupport.h"

namespace {

using zuzorev::CTexture;

class Textures : public ::testing::Test {
 protected:
  Textures() : device(zuzorev::EDeviceKind::Headless) {}
  zuzorev::CDeviceHeadless& Headless() { return *dynamic_cast<zuzorev::CDeviceHeadless*>(device.Render().GetDevice()); }
  rendertest::ScopedFileSystem fs;
  testsupport::LogCapture log;
  rendertest::Device device;
};

TEST_F(Textures, ImagesLoadWhateverTheirExtensionSays) {
  auto& render = device.Render();
  struct Case {
    const wchar_t* name;
    int width, height, format;
  } cases[] = {
      {L"hall_back.png", 1024, 768, zuzorev::kFormatX8R8G8B8},       // no alpha channel
      {L"hall_key.png", 128, 64, zuzorev::kFormatA8R8G8B8},          // with alpha
      {L"DataLoc\\Logo\\Logo001.jpg", 800, 600, zuzorev::kFormatX8R8G8B8},  // a PNG named .jpg
      {L"DATA\\textures\\HALL_DESK.PNG", 256, 128, zuzorev::kFormatA8R8G8B8},
  };
  for (const auto& c : cases) {
    CTexture t;
    ASSERT_GE(render.LoadTexture(c.name, t, 1, 0), 0) << c.name;
    EXPECT_EQ(t.GetWidth(), c.width);
    EXPECT_EQ(t.GetHeight(), c.height);
    zuzorev::SSurfaceDesc desc;
    ASSERT_GE(t.GetLevelDesc(0, desc), 0);
    EXPECT_EQ(desc.Format, c.format) << c.name;
    int w = 0, h = 0;
    ASSERT_GE(render.GetTextureRealSize(c.name, w, h), 0);
    EXPECT_EQ(w, c.width);
    EXPECT_EQ(h, c.height);
  }
}

TEST_F(Textures, TgaIsReadByItsName) {
  testsupport::TempDir dir;
  // 2 x 1 true-colour TGA, bottom-up: a blue and a red texel.
  const unsigned char tga[] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 24, 0, 255, 0, 0, 0, 0, 255};
  dir.Write("Data/Textures/pixel.tga", std::string(reinterpret_cast<const char*>(tga), sizeof(tga)));
  rendertest::ScopedFileSystem own(dir.Path());
  CTexture t;
  ASSERT_GE(device.Render().LoadTexture(L"pixel.tga", t, 1, 0), 0);
  EXPECT_EQ(t.GetWidth(), 2);
  EXPECT_EQ(t.Data()->texels[0], 0xFF0000FFu);
  EXPECT_EQ(t.Data()->texels[1], 0xFFFF0000u);
}

TEST_F(Textures, MissingOrBrokenImagesFail) {
  testsupport::TempDir dir;
  dir.Write("Data/Textures/broken.png", "not an image at all");
  rendertest::ScopedFileSystem own(dir.Path());
  CTexture t;
  EXPECT_LT(device.Render().LoadTexture(L"missing.png", t, 1, 0), 0);
  EXPECT_FALSE(t.IsNamed());
  EXPECT_LT(device.Render().LoadTexture(L"broken.png", t, 1, 0), 0);
  EXPECT_FALSE(t.IsLoaded());
  int w = 5, h = 5;
  EXPECT_LT(device.Render().GetTextureRealSize(L"broken.png", w, h), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"No load texture broken.png."));
}

TEST_F(Textures, NamedTexturesShareOneImageWhileAnyIsLoaded) {
  auto& render = device.Render();
  CTexture a, b;
  ASSERT_GE(render.LoadTexture(L"hall_key.png", a, 0, 0), 0);  // only named
  EXPECT_TRUE(a.IsNamed());
  EXPECT_FALSE(a.IsLoaded());
  EXPECT_EQ(Headless().Textures().size(), 0u);
  ASSERT_GE(render.LoadTexture(L"HALL_KEY.PNG", b, 1, 0), 0);
  ASSERT_GE(a.Load(), 0);
  EXPECT_EQ(a.Data(), b.Data());
  EXPECT_EQ(Headless().Textures().size(), 1u);
  b.UnLoad();
  EXPECT_EQ(Headless().Textures().size(), 1u);  // a still holds it
  a.Release(1);
  EXPECT_EQ(Headless().Textures().size(), 0u);
  EXPECT_FALSE(a.IsNamed());
  EXPECT_LT(a.Load(), 0);
}

TEST_F(Textures, CreatedTextureIsLockedWrittenAndUploaded) {
  std::unique_ptr<CTexture> t(device.Render().CreateTexture(16, 8, 1, 0, zuzorev::kFormatA8R8G8B8, 1));
  ASSERT_TRUE(t);
  zuzorev::SSurfaceDesc desc;
  ASSERT_GE(t->GetLevelDesc(0, desc), 0);
  EXPECT_EQ(desc.Width, 16);
  EXPECT_EQ(desc.Height, 8);
  zuzorev::SLockedRect rect;
  ASSERT_GE(t->LockRect(0, rect, 0x800), 0);
  EXPECT_EQ(rect.Pitch, 64);
  zuzorev::SLockedRect again;
  EXPECT_LT(t->LockRect(0, again, 0), 0);  // already locked
  static_cast<uint32_t*>(rect.pBits)[17] = 0x80FF0000u;
  const int uploads = Headless().Textures().begin()->second.uploads;
  ASSERT_GE(t->UnlockRect(0), 0);
  EXPECT_EQ(Headless().Textures().begin()->second.uploads, uploads + 1);
  EXPECT_EQ(t->Data()->texels[17], 0x80FF0000u);
  EXPECT_LT(t->UnlockRect(0), 0);
  EXPECT_EQ(device.Render().CreateTexture(0, 8, 1, 0, 21, 1), nullptr);
  EXPECT_EQ(device.Render().CreateTexture(8, 8, 1, 0, 99, 1), nullptr);
}

}  // namespace
