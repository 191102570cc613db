// The burning texture: its keys and clamps, the quad over the model, the
// palette, the seed band, the step clock and the copy into the texture.
#include <gtest/gtest.h>

#include <set>

#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/Texture.h"
#include "Objects/Fire.h"
#include "Objects/ObjectSupport.h"
#include "fire/FireTestSupport.h"

namespace {

using firetest::FireCore;
using firetest::LoadObject;

class FireTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  FireCore core;
};

TEST_F(FireTest, KeysAreClampedAsRead) {
  struct Case {
    const char* attributes;
    int32_t width, height;
    float period, koefRand;
    int32_t decay;
    float alpha;
  } cases[] = {
      {"", 16, 16, 0.1f, 0.1f, 1, 1.0f},
      {"TSizeX=\"8\" TSizeY=\"0\"", 16, 16, 0.1f, 0.1f, 1, 1.0f},
      {"TSizeX=\"16\" TSizeY=\"-3\"", 16, 16, 0.1f, 0.1f, 1, 1.0f},
      {"TSizeX=\"17\" TSizeY=\"64\"", 17, 64, 0.1f, 0.1f, 1, 1.0f},
      {"TSizeX=\"100000\" TSizeY=\"2000000000\"", CFire::kMaxSize, CFire::kMaxSize, 0.1f, 0.1f, 1, 1.0f},
      {"DeltaTime=\"0\" KoefRand=\"0\" KoefUgasanie=\"0\" Alpha=\"1.5\"", 16, 16, 0.1f, 0.1f, 1, 1.0f},
      {"DeltaTime=\"-2\" KoefRand=\"-1\" KoefUgasanie=\"-5\" Alpha=\"-0.5\"", 16, 16, 0.1f, 0.1f, 1, 0.0f},
      // No numbers: the defaults stay.
      {"DeltaTime=\"nan\" KoefRand=\"nan\" Alpha=\"nan\"", 16, 16, 0.1f, 0.1f, 1, 1.0f},
      {"TSizeX=\"#-99999999999e999%n\" TSizeY=\"1e99\"", 16, 16, 0.1f, 0.1f, 1, 1.0f},
      {"DeltaTime=\"0.25\" KoefRand=\"0.7\" KoefUgasanie=\"3\" Alpha=\"0.4\"", 16, 16, 0.25f, 0.7f, 3, 0.4f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    int32_t result = 1;
    auto fire = LoadObject<CFire>(core, std::string("<Properties NameModel=\"Hearth\" ") + c.attributes + "/>",
                                  &result);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(fire->GetWidth(), c.width);
    EXPECT_EQ(fire->GetHeight(), c.height);
    ASSERT_NE(fire->GetTexture(), nullptr);
    EXPECT_EQ(fire->GetTexture()->GetWidth(), c.width);
    EXPECT_EQ(fire->GetTexture()->GetHeight(), c.height);
    EXPECT_FLOAT_EQ(fire->GetStepPeriod(), c.period);
    EXPECT_FLOAT_EQ(fire->GetKoefRand(), c.koefRand);
    EXPECT_EQ(fire->GetDecay(), c.decay);
    EXPECT_FLOAT_EQ(fire->GetAlpha(), c.alpha);
  }
}

TEST_F(FireTest, QuadCoversTheModelBoxAndCentreIsItsBottomMiddle) {
  // Hearth: 128 x 128 centred on (0, 10, 0); TorchA: 32 x 32 on (-300, 10, -100).
  auto fire = LoadObject<CFire>(core, "<Properties NameModel=\"Hearth\"/>");
  const zuzorev::SVertexTex* q = fire->GetQuad();
  const float want[4][5] = {
      {-64, 0, 64, 0, 0.99f}, {64, 0, 64, 1, 0.99f}, {-64, 0, -64, 0, 0}, {64, 0, -64, 1, 0}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(q[k].x, want[k][0]) << k;
    EXPECT_FLOAT_EQ(q[k].y, want[k][1]) << k;
    EXPECT_FLOAT_EQ(q[k].z, want[k][2]) << k;
    EXPECT_FLOAT_EQ(q[k].u, want[k][3]) << k;
    EXPECT_FLOAT_EQ(q[k].v, want[k][4]) << k;
  }
  EXPECT_EQ(fire->GetFireCenter(), zormath::Vec3f(0, 10, -64));
  auto torch = LoadObject<CFire>(core, "<Properties NameModel=\"TorchA\"/>");
  EXPECT_EQ(torch->GetFireCenter(), zormath::Vec3f(-300, 10, -116));
  EXPECT_EQ(torch->GetPosition3D(), zormath::Vec3f(-300, 10, -100));
}

TEST_F(FireTest, SeedBandLightsSixteenCellsOfRowTwoAroundTheMiddle) {
  // A decay larger than any heat makes every cooled cell cold and spreads
  // only cold, so the cells left burning are seeds that were not cooled.
  struct Case {
    int width;
    int first, last;  // columns of the band
  } cases[] = {{16, 0, 15}, {64, 24, 39}, {33, 8, 23}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    auto fire = LoadObject<CFire>(core, "<Properties NameModel=\"Hearth\" KoefRand=\"2\" KoefUgasanie=\"1000\" "
                                        "TSizeX=\"" + std::to_string(c.width) + "\"/>");
    ASSERT_EQ(fire->GetWidth(), c.width);
    std::set<int> burning;
    for (int step = 0; step < 30; ++step) {
      fire->Update(0.1f, nullptr);
      const auto& heat = fire->GetHeat();
      for (size_t i = 0; i < heat.size(); ++i) {
        if (heat[i] == 0) continue;
        ASSERT_EQ(static_cast<int>(i) / c.width, 2) << "a hot cell outside row 2";
        ASSERT_EQ(heat[i], 99);
        ASSERT_EQ(fire->GetColors()[i], fire->GetPalette()[99]);
        burning.insert(static_cast<int>(i) % c.width);
      }
    }
    ASSERT_FALSE(burning.empty());
    EXPECT_EQ(*burning.begin(), c.first);
    EXPECT_EQ(*burning.rbegin(), c.last);
    EXPECT_EQ(burning.size(), 16u);
  }
}

TEST_F(FireTest, StepClockRunsAtMostFiveStepsAFrame) {
  struct Case {
    float dt;
    long long steps;
    float clockAfter;
  } cases[] = {{0.05f, 0, 0.05f}, {0.1f, 1, 0.0f}, {0.25f, 2, 0.05f}, {0.75f, 5, 0.0f}, {1e30f, 5, 0.0f},
               {0.0f, 0, 0.0f},   {-1.0f, 0, -1.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dt);
    auto fire = LoadObject<CFire>(core, "<Properties NameModel=\"Hearth\"/>");
    fire->Update(c.dt, nullptr);
    EXPECT_EQ(fire->GetStepCount(), c.steps);
    EXPECT_NEAR(fire->GetStepClock(), c.clockAfter, 1e-5f);
  }
  // The dropped time is gone: the next short frame runs nothing.
  auto fire = LoadObject<CFire>(core, "<Properties NameModel=\"Hearth\"/>");
  fire->Update(0.75f, nullptr);
  fire->Update(0.05f, nullptr);
  EXPECT_EQ(fire->GetStepCount(), 5);
  // A frame time that is no number does not stop the clock for good.
  fire->Update(std::nanf(""), nullptr);
  fire->Update(0.05f, nullptr);
  EXPECT_EQ(fire->GetStepCount(), 6);
}

TEST_F(FireTest, TextureIsWrittenOnlyAfterAStep) {
  auto fire = LoadObject<CFire>(core, "<Properties NameModel=\"Hearth\" KoefRand=\"2\"/>");
  const auto& texels = fire->GetTexture()->Data()->texels;
  fire->Update(0.05f, nullptr);
  EXPECT_EQ(std::count(texels.begin(), texels.end(), 0u), 16 * 16) << "no step, nothing written";
  fire->Update(0.05f, nullptr);
  ASSERT_EQ(fire->GetStepCount(), 1);
  EXPECT_TRUE(std::equal(texels.begin(), texels.end(), fire->GetColors().begin()));
}

TEST_F(FireTest, PaletteComesFromAPictureWithAlphaOrIsBuiltIn) {
  struct Case {
    const char* picture;
    size_t entries;
  } cases[] = {{"palette_alpha.png", 8}, {"palette_rgb.png", 100}, {"missing.png", 100}, {"", 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picture);
    int32_t result = 1;
    auto fire = LoadObject<CFire>(
        core, std::string("<Properties NameModel=\"Hearth\" TexturePalitra=\"") + c.picture + "\"/>", &result);
    ASSERT_EQ(result, 0);
    ASSERT_EQ(fire->GetPalette().size(), c.entries);
    if (c.entries == 8) {
      // Row after row: entry i is red i x 30, the first one transparent.
      EXPECT_EQ(fire->GetPalette()[0], 0x00000000u);
      EXPECT_EQ(fire->GetPalette()[5], 0xFF960000u);
    } else {
      EXPECT_EQ(fire->GetPalette(), CFire::BuiltInPalette());
    }
  }
}

TEST_F(FireTest, BuiltInPaletteIsAFlameRamp) {
  const std::vector<uint32_t> palette = CFire::BuiltInPalette();
  ASSERT_EQ(palette.size(), 100u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(palette[static_cast<size_t>(i)], 0u) << i;
  EXPECT_EQ(palette[99], palette[98]);
  for (int i = 11; i < 99; ++i) {
    EXPECT_GE((palette[static_cast<size_t>(i)] >> 16) & 255, (palette[static_cast<size_t>(i - 1)] >> 16) & 255) << i;
    EXPECT_GE(palette[static_cast<size_t>(i)] >> 24, palette[static_cast<size_t>(i - 1)] >> 24) << i;
  }
}

TEST_F(FireTest, RowsAreCopiedHonouringAWiderPitch) {
  // A 16 x 3 grid into rows 80 bytes apart (16 bytes of padding each).
  const int w = 16, h = 3, pitch = 4 * w + 16;
  std::vector<uint32_t> grid(static_cast<size_t>(w * h));
  for (size_t i = 0; i < grid.size(); ++i) grid[i] = 0xFF000000u | static_cast<uint32_t>(i);
  std::vector<uint8_t> bits(static_cast<size_t>(pitch * h), 0xAB);
  CFire::CopyRows(grid.data(), w, h, bits.data(), pitch);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t texel;
      std::memcpy(&texel, &bits[static_cast<size_t>(y * pitch + x * 4)], 4);
      EXPECT_EQ(texel, grid[static_cast<size_t>(y * w + x)]) << x << "," << y;
    }
    for (int b = 4 * w; b < pitch; ++b) EXPECT_EQ(bits[static_cast<size_t>(y * pitch + b)], 0xAB) << "padding";
  }
}

TEST_F(FireTest, DecayAndAlphaTakeOnlyTheirRanges) {
  auto fire = LoadObject<CFire>(core, "<Properties NameModel=\"Hearth\" Alpha=\"0.5\"/>");
  struct Decay {
    int32_t value;
    int32_t after;
  } decays[] = {{7, 7}, {50, 7}, {0, 7}, {-3, 7}, {1, 1}, {49, 49}};
  for (const Decay& d : decays) {
    EXPECT_EQ(fire->SetDecay(d.value), d.value);
    EXPECT_EQ(fire->GetDecay(), d.after) << d.value;
  }
  struct Alpha {
    float value;
    float after;
  } alphas[] = {{1.5f, 0.5f}, {0.25f, 0.25f}, {-0.1f, 0.25f}, {std::nanf(""), 0.25f}, {1.0f, 1.0f}, {0.0f, 0.0f}};
  for (const Alpha& a : alphas) {
    fire->SetAlpha(a.value);
    EXPECT_FLOAT_EQ(fire->GetAlpha(), a.after) << a.value;
  }
}

TEST_F(FireTest, BadDataFailsTheLoadWithItsMessage) {
  struct Case {
    const char* properties;
    std::vector<std::wstring> messages;
  } cases[] = {
      {"<Properties/>", {L"No_find attribute NameModel"}},
      {"<Properties NameModel=\"Nowhere\"/>", {L"Load mesh for fire"}},
      {"<Properties NameModel=\"Hearth\" NameFile=\"Missing.zorm\"/>", {L"Load mesh for fire"}},
      {"<Properties NameModel=\"Hearth\" NameRender=\"MT_NONE\"/>",
       {L"No find render seting MT_NONE", L"Init fire from xml."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.properties);
    testsupport::LogCapture log;
    int32_t result = 0;
    auto fire = LoadObject<CFire>(core, c.properties, &result);
    EXPECT_EQ(result, objects::kLoadFail);
    for (const std::wstring& m : c.messages) EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, m));
    // Whatever it kept, it neither steps nor draws into trouble.
    fire->Update(1.0f, nullptr);
    EXPECT_EQ(fire->Render(), 0);
  }
  testsupport::LogCapture log;
  CFire fire(core.Get());
  EXPECT_EQ(fire.Load(nullptr, L"Fire.zorm", 0), objects::kLoadFail);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Null xml element."));
}

TEST_F(FireTest, DrawsOneStripOfTwoTrianglesWithItsSetting) {
  auto fire = LoadObject<CFire>(core, "<Properties NameModel=\"Hearth\"/>");
  zuzorev::CRenderSystem& render = core.Render();
  render.Begin();
  fire->Render();
  const auto draws = render.GetFrameDraws();
  render.End();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].primitive, zuzorev::kPrimTriangleStrip);
  EXPECT_EQ(draws[0].vertexCount, 4);
  EXPECT_EQ(draws[0].seting, L"MT_FIRE");
  EXPECT_EQ(draws[0].texture0, L"#created");
}

}  // namespace
