// The key-frame animated model: its play states, the pose of its keys on
// its model, speed, turn, visibility, overlay, the companion taking the
// export's place, and animations too short to index past.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/MaxAnim.h"
#include "keyframes/KeyframesTestSupport.h"

namespace {

using keyframestest::CompanionBytes;
using keyframestest::CompanionHeader;
using keyframestest::Export;
using keyframestest::KeyframesCore;
using zormath::Vec3f;
using zuzorev::ELogLevel;

class MaxAnim : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    // Lid01 goes from x 0 to x 100 in one second (11 samples at 10 a second)
    // and turns from facing z to facing x; its U offset runs 0 .. 1.
    std::string samples;
    for (int i = 0; i < 11; ++i) {
      const float c = 1.0f - static_cast<float>(i) / 10.0f;
      const float s = static_cast<float>(i) / 10.0f;
      // Direction (t3, t5, t4) = (s, 0, c).
      char row[200];
      std::snprintf(row, sizeof row, "<S v=\"1 0 0 %g %g 0 0 0 1 %d 0 0\"/>", s, c, 10 * i);
      samples += row;
    }
    core.Write("Lid.xaf",
               "<MaxAnimation><SceneInfo frameRate=\"10\" ticksPerFrame=\"160\"/>"
               "<Node name=\"Lid01\" parentNode=\"Scene Root\"><Samples count=\"11\">" +
                   samples +
                   "</Samples><Controller name=\"Lid01 \\ Material \\ U Offset\"><Keys count=\"2\">"
                   "<Key t=\"0\" v=\"0\"/><Key t=\"1600\" v=\"1\"/></Keys></Controller></Node></MaxAnimation>");
    core.Write("Long.xaf", Export("Long01", 21));
  }
  std::unique_ptr<CMaxAnim> Load(const std::string& anim, const std::string& file = "Lid.xaf",
                                 const std::string& node = "Lid01", const std::string& mesh = "Lid") {
    return effectstest::LoadObject<CMaxAnim>(core, "<Properties NameModel=\"" + mesh + "\" FileModel=\"Keyframes.zorm\">"
                                                   "<Anim FileAnim=\"" + file + "\" NameAnim=\"" + node + "\" " +
                                                   anim + "/></Properties>");
  }
  KeyframesCore core;
  testsupport::LogCapture log;
};

TEST_F(MaxAnim, PlayStatesEndAsTheirTableSays) {
  auto lid = Load("");
  ASSERT_NE(lid->GetModel(), nullptr);
  ASSERT_EQ(lid->GetTarget(), lid->GetModel());
  ASSERT_EQ(lid->GetKeyCount(), 11);
  EXPECT_EQ(lid->GetPlayState(), CMaxAnim::kStopped);
  rovovoz::CStaticObject3D& model = *lid->GetModel();

  lid->PlayOnce();
  lid->Update(0.5f, nullptr);
  EXPECT_NEAR(model.GetPosition3D().x, 50.0f, 1e-3f) << "halfway";
  EXPECT_NEAR(lid->GetOffsetU(), 0.5f, 1e-5f);
  lid->Update(0.5f, nullptr);
  EXPECT_EQ(lid->GetPlayState(), CMaxAnim::kStopped);
  EXPECT_EQ(lid->GetTime(), 0.0f);
  EXPECT_NEAR(model.GetPosition3D().x, 0.0f, 1e-4f) << "a single play ends in the first pose";

  lid->PlayAndHold();
  lid->Update(0.6f, nullptr);
  lid->Update(0.6f, nullptr);
  EXPECT_EQ(lid->GetPlayState(), CMaxAnim::kHeld);
  EXPECT_EQ(model.GetPosition3D(), Vec3f(100, 0, 0));
  lid->Update(0.3f, nullptr);
  EXPECT_EQ(model.GetPosition3D(), Vec3f(100, 0, 0)) << "held: nothing advances";

  auto longer = Load("", "Long.xaf", "Long01");
  ASSERT_FLOAT_EQ(longer->GetLength(), 2.0f);
  longer->PlayLoop();
  longer->Update(1.9f, nullptr);
  longer->Update(0.3f, nullptr);
  EXPECT_EQ(longer->GetPlayState(), CMaxAnim::kLoop);
  EXPECT_NEAR(longer->GetTime(), 0.2f, 1e-5f);
  EXPECT_NEAR(longer->GetAnimPosition().x, 20.0f, 1e-3f);

  struct PlayCase {
    int mode;
    int32_t state;
  } modes[] = {{0, CMaxAnim::kOnce}, {1, CMaxAnim::kLoop}, {2, CMaxAnim::kOnceAndHold}, {3, CMaxAnim::kHeld}};
  for (const PlayCase& c : modes) {
    lid->Play(c.mode);
    EXPECT_EQ(lid->GetPlayState(), c.state) << "mode " << c.mode;
  }
  lid->Play(7);
  EXPECT_EQ(lid->GetPlayState(), CMaxAnim::kHeld) << "an unknown mode does nothing";
}

TEST_F(MaxAnim, SpeedAndTurnSettings) {
  auto fast = Load("Speed=\"2\"");
  fast->PlayOnce();
  fast->Update(0.25f, nullptr);
  EXPECT_NEAR(fast->GetAnimPosition().x, 50.0f, 1e-3f);
  fast->Update(0.25f, nullptr);
  EXPECT_EQ(fast->GetPlayState(), CMaxAnim::kStopped) << "twice the speed: half the time";

  auto turning = Load("");
  turning->PlayOnce();
  turning->Update(0.5f, nullptr);
  EXPECT_NEAR(turning->GetModel()->GetDirection3D().x, 0.5f, 0.05f) << "turns with its keys";

  auto still = Load("Rotate=\"0\"");
  const Vec3f facing = still->GetModel()->GetDirection3D();
  still->PlayOnce();
  still->Update(0.5f, nullptr);
  EXPECT_EQ(still->GetModel()->GetDirection3D(), facing) << "Rotate 0 keeps the turn during play";
  still->SetEndPose();
  EXPECT_NEAR(still->GetModel()->GetDirection3D().x, 1.0f, 1e-5f) << "the end pose turns anyway";
  EXPECT_EQ(still->GetPlayState(), CMaxAnim::kHeld);
}

TEST_F(MaxAnim, DrawnOnlyWhilePlayingOrAlwaysVisibleAndAsOverlayAboveOneHundredth) {
  zuzorev::CRenderSystem& render = core.Render();
  struct Case {
    const char* attributes;
    bool play;
    size_t draws;
    bool overlay;
  } cases[] = {
      {"AlwaysVisible=\"0\"", false, 0, false},
      {"AlwaysVisible=\"1\"", false, 1, false},
      {"OverlayAlpha=\"0.01\"", true, 1, false},
      {"OverlayAlpha=\"0.02\"", true, 1, true},
      {"OverlayAlpha=\"0.02\" OverlayWithNormal=\"1\"", true, 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    auto lid = Load(c.attributes);
    lid->PlayOnce();
    if (!c.play) lid->Reset();
    ASSERT_GE(render.Begin(), 0);
    const size_t before = render.GetFrameDraws().size();
    lid->Render();
    const auto& draws = render.GetFrameDraws();
    ASSERT_EQ(draws.size(), before + c.draws);
    if (c.draws) {
      EXPECT_EQ(draws.back().blend == zuzorev::EBlend::Add, c.overlay);
      if (c.draws == 2) {
        EXPECT_NE(draws[before].blend, zuzorev::EBlend::Add) << "the normal draw first";
      }
      EXPECT_TRUE(draws.back().tex0Transform) << "the U offset track shifts the texture";
    }
    render.End();
    EXPECT_EQ(render.GetTransform(zuzorev::kTransformTexture0), zormath::Mat4f::Identity());
  }
}

TEST_F(MaxAnim, CompanionTakesTheExportsPlaceAndAShortOneFallsBack) {
  // The export Door.xaf does not exist: with the companion it is not opened.
  CompanionBytes bytes = CompanionHeader(3, 10, 160, 0, 0.2f);
  bytes.Key({0, 0, 0}).Key({10, 0, 0}).Key({20, 0, 0}).Int(1).Int(4);
  for (int k = 0; k < 3; ++k)
    for (int v = 0; v < 4; ++v) bytes.Vec(static_cast<float>(k), static_cast<float>(v), 0);
  core.Write("Door.Door01.anim", bytes.Bytes());
  auto door = Load("", "Door.xaf", "Door01", "Flag");
  EXPECT_EQ(door->GetKeyCount(), 3);
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
  door->PlayOnce();
  door->Update(0.15f, nullptr);
  EXPECT_NEAR(door->GetAnimPosition().x, 15.0f, 1e-3f);
  // The vertex frames reach the model's first part.
  const zuzorev::CSubMesh sub = door->GetModel()->GetMesh()->GetSubMesh(0);
  float x = 0.0f;
  std::memcpy(&x, sub.GetVertexBuffer()->Bytes() + 24, 4);
  EXPECT_NEAR(x, 1.5f, 1e-4f);

  // Short: the export is read instead.
  core.Write("Lid.Lid01.anim", bytes.Bytes().substr(0, 40));
  auto lid = Load("");
  EXPECT_EQ(lid->GetKeyCount(), 11);
  EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 1u) << "the short companion is named";
}

TEST_F(MaxAnim, SingleKeysAndZeroLengthsNeitherReadPastTheKeysNorHang) {
  CompanionBytes one = CompanionHeader(1, 10, 160, 0, 0.0f);
  one.Key({5, 0, 0}).Int(0);
  core.Write("One.One01.anim", one.Bytes());
  CompanionBytes longer = CompanionHeader(2, 10, 160, 0, 5.0f);  // length beyond its keys
  longer.Key({1, 0, 0}).Key({2, 0, 0}).Int(0);
  core.Write("Two.Two01.anim", longer.Bytes());
  auto single = Load("", "One.xaf", "One01");
  ASSERT_EQ(single->GetKeyCount(), 1);
  single->PlayLoop();
  single->Update(0.5f, nullptr);
  EXPECT_EQ(single->GetAnimPosition(), Vec3f(5, 0, 0));
  EXPECT_EQ(single->GetPlayState(), CMaxAnim::kLoop);
  single->PlayOnce();
  single->Update(0.1f, nullptr);
  EXPECT_EQ(single->GetPlayState(), CMaxAnim::kStopped);

  // A loop far shorter than a frame, and a speed that is no number: the
  // time wraps in one step and stays finite.
  CompanionBytes tiny = CompanionHeader(2, 10, 160, 0, 1e-30f);
  tiny.Key({1, 0, 0}).Key({2, 0, 0}).Int(0);
  core.Write("Tiny.Tiny01.anim", tiny.Bytes());
  auto fast = Load("", "Tiny.xaf", "Tiny01");
  fast->PlayLoop();
  fast->Update(0.37f, nullptr);
  EXPECT_LT(fast->GetTime(), 1e-30f);
  auto wild = Load("Speed=\"1e39\"", "Tiny.xaf", "Tiny01");
  wild->PlayLoop();
  wild->Update(0.5f, nullptr);
  EXPECT_TRUE(std::isfinite(wild->GetTime()));

  auto two = Load("", "Two.xaf", "Two01");
  two->PlayOnce();
  two->Update(3.0f, nullptr);
  EXPECT_EQ(two->GetAnimPosition(), Vec3f(2, 0, 0)) << "past the keys: the last pair at its end";
}

TEST_F(MaxAnim, ModelOrAnimationMissingLeavesTheObjectStill) {
  auto none = Load("", "Lid.xaf", "Lid01", "NoSuchMesh");
  EXPECT_EQ(none->GetModel(), nullptr);
  none->PlayOnce();
  none->Update(0.5f, nullptr);
  EXPECT_FLOAT_EQ(none->GetTime(), 0.5f) << "time still runs";
  EXPECT_EQ(none->Render(), 0);

  auto noAnim = Load("", "Missing.xaf", "Lid01");
  EXPECT_NE(noAnim->GetModel(), nullptr);
  EXPECT_EQ(noAnim->GetKeyCount(), 0);
  noAnim->PlayLoop();
  noAnim->Update(2.5f, nullptr);
  EXPECT_EQ(noAnim->GetPlayState(), CMaxAnim::kLoop);

  // Another object as the target; the own model is not moved then.
  rovovoz::CStaticObject3D box(core.Get());
  ASSERT_GT(box.LoadModel(L"Keyframes.zorm", L"Box", 0, 0), 0);
  auto lid = Load("");
  lid->SetTargetObject(&box);
  lid->PlayAndHold();
  lid->Update(2.0f, nullptr);
  EXPECT_EQ(box.GetPosition3D(), Vec3f(100, 0, 0));

  CMaxAnim menu(core.Get());
  EXPECT_EQ(menu.LoadFromFiles(L"Keyframes.zorm", L"Lid", L"Lid.xaf", L"Lid01", 11), 0);
  EXPECT_EQ(menu.GetKeyCount(), 11);
  menu.PlayAndHold();
  menu.Update(1.0f, nullptr);
  EXPECT_EQ(menu.GetModel()->GetPosition3D(), Vec3f(100, 0, 0));
}

}  // namespace
