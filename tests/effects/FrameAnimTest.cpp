// The frame animation: its modes over time, the rounding of the frame, the
// stop results, the start modes of its Properties, the animation file with
// mirrored frames and trigger models, and moving it through the base.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/SimpleFrameAnim.h"
#include "effects/EffectsTestSupport.h"

namespace {

using effectstest::EffectsCore;
using effectstest::LoadObject;
using effectstest::ObjectOf;
using effectstest::RunFrames;

class FrameAnim : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  std::unique_ptr<CSimpleFrameAnim> Door(const std::string& extra = "") {
    return LoadObject<CSimpleFrameAnim>(core, "<Properties TemplateModelName=\"Door\" NumOfFrames=\"5\" " + extra + "/>");
  }
  EffectsCore core;
  testsupport::LogCapture log;
};

TEST_F(FrameAnim, PlayOfFiveFramesEndsAfterAboutOneAndAHalfSeconds) {
  auto back = effectstest::LoadEffectsScene();
  auto* door = ObjectOf<CSimpleFrameAnim>(*back, effectstest::kDoor);
  ASSERT_NE(door, nullptr);
  ASSERT_EQ(door->GetFrameCount(), 5);
  EXPECT_EQ(door->GetPlayMode(), CSimpleFrameAnim::kStopped) << "no OnStart, no Infinity";
  door->Play();
  // 0.66 a second in frames of 0.01 s: 4 x time decides the frame, halves up.
  struct Step {
    int frames;  // total since Play
    int mode;
    int frame;
  } steps[] = {{56, 1, 1}, {57, 1, 2}, {94, 1, 2}, {95, 1, 3}, {151, 1, 4}, {152, 0, 4}};
  int done = 0;
  for (const Step& s : steps) {
    RunFrames(*back, s.frames - done, 0.01f);
    done = s.frames;
    SCOPED_TRACE(s.frames);
    EXPECT_EQ(door->GetPlayMode(), s.mode) << "time " << door->GetTime();
    EXPECT_EQ(door->GetCurrentFrame(), s.frame) << "time " << door->GetTime();
  }
  EXPECT_EQ(door->GetTime(), 1.0f);
  door->Play();
  EXPECT_EQ(door->GetTime(), 0.0f) << "Play from mode 0 starts again";
  door->Update(0.5f, nullptr);
  door->Play();
  EXPECT_GT(door->GetTime(), 0.0f) << "Play while playing keeps going";
}

TEST_F(FrameAnim, BackLoopsAndStops) {
  auto door = Door();
  door->PlayBack();
  EXPECT_EQ(door->GetTime(), 1.0f);
  door->Update(0.0f, nullptr);
  EXPECT_EQ(door->GetCurrentFrame(), 4) << "PlayBack starts on the last frame";
  for (int i = 0; i < 200; ++i) door->Update(0.01f, nullptr);
  EXPECT_EQ(door->GetPlayMode(), 0);
  EXPECT_EQ(door->GetCurrentFrame(), 0);

  door->PlayLoop();
  for (int i = 0; i < 160; ++i) door->Update(0.01f, nullptr);
  EXPECT_EQ(door->GetPlayMode(), CSimpleFrameAnim::kPlayLoop) << "a loop never ends by itself";
  EXPECT_LT(door->GetTime(), 0.1f) << "and starts again at 0";

  door->StopAtStart();
  door->PlayLoopUpDown();
  for (int i = 0; i < 200; ++i) door->Update(0.01f, nullptr);
  EXPECT_NEAR(door->GetTime(), 2.0f - 1.32f, 0.01f) << "up to 1, then down";

  struct Case {
    int how;
    int result;
    float time;  // -1: where it was
  } cases[] = {{0, 0, -1.0f}, {1, 0, 1.0f}, {2, 0, 0.0f}, {5, 3, -1.0f}, {-1, -3, -1.0f}};
  for (const Case& c : cases) {
    door->SetFactorSpeed(0.66f);
    door->PlayLoop();
    door->Update(0.3f, nullptr);
    const float before = door->GetTime();
    EXPECT_EQ(door->StopAt(c.how), c.result) << c.how;
    EXPECT_EQ(door->GetPlayMode(), 0) << c.how;
    EXPECT_FLOAT_EQ(door->GetTime(), c.time < 0 ? before : c.time) << c.how;
  }
}

TEST_F(FrameAnim, StartModesFromProperties) {
  struct Case {
    const char* extra;
    int mode;
    int start;
  } cases[] = {
      {"OnStart=\"PlayLoop\"", 3, 3},       {"Infinity=\"1\"", 3, 3},
      {"Infinity=\"2\"", 4, 4},             {"OnStart=\"PlayLoopUpDown\" Infinity=\"1\"", 4, 4},
      {"OnStart=\"Play\"", 1, 1},           {"OnStart=\"PlayBack\"", 2, 2},
      {"OnStart=\"Dance\" Infinity=\"1\"", 0, -1}, {"Infinity=\"0\"", 0, -1},
      {"", 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    auto door = Door(c.extra);
    EXPECT_EQ(door->GetPlayMode(), c.mode);
    EXPECT_EQ(door->GetStartMode(), c.start);
  }
  auto door = Door("OnStart=\"PlayLoopUpDown\" SetFactorSpeed=\"0.5\"");
  EXPECT_EQ(door->GetSpeed(), 0.5f);
  for (int i = 0; i < 30; ++i) door->Update(0.1f, nullptr);
  door->Stop(7);
  EXPECT_EQ(door->GetTime(), 0.0f);
  EXPECT_EQ(door->GetPlayMode(), CSimpleFrameAnim::kPlayLoopUpDown) << "Stop rewinds into the start mode";
  door->Update(0.1f, nullptr);
  EXPECT_GT(door->GetTime(), 0.0f) << "and rises again";
}

TEST_F(FrameAnim, AnimationFileMirrorsFramesAndPicksThroughTheShownFrame) {
  auto door = Door("OnStart=\"PlayLoop\"");
  ASSERT_TRUE(door->LoadAnimationXml(L"Data\\Animation\\Door.xml"));
  ASSERT_EQ(door->GetFrameCount(), 5);
  EXPECT_EQ(door->GetHitCount(), 5);
  EXPECT_EQ(door->GetPlayMode(), 0) << "a new file stops the animation at its start";
  EXPECT_EQ(door->GetFrame(4)->GetScale().x, -1.0f) << "FlipX";
  EXPECT_EQ(door->GetFrame(0)->GetScale().x, 1.0f);

  // Frame k's trigger covers the strip x = 10 + 16 k .. 26 + 16 k, z 210 .. 290.
  auto hitAt = [&](float x) { return door->IsHit(x, 10.0f, 250.0f); };
  door->Update(0.0f, nullptr);
  EXPECT_TRUE(hitAt(18.0f));
  EXPECT_FALSE(hitAt(50.0f));
  door->StopAtEnd();
  door->Update(0.0f, nullptr);
  EXPECT_TRUE(hitAt(82.0f));
  EXPECT_FALSE(hitAt(18.0f));

  // Scaled as one object, the mirrored frame stays mirrored.
  door->SetScale(2.0f, 7.0f, 3.0f);
  EXPECT_EQ(door->GetFrame(4)->GetScale(), zormath::Vec3f(-2.0f, 1.0f, 3.0f));
  EXPECT_EQ(door->GetFrame(0)->GetScale(), zormath::Vec3f(2.0f, 1.0f, 3.0f));
  door->ScaleFrames(1.0f);
  EXPECT_EQ(door->GetFrame(4)->GetScale(), zormath::Vec3f(-1.0f, 1.0f, 1.0f));

  // A second file replaces every frame and trigger.
  ASSERT_TRUE(door->LoadAnimationXml(L"Data\\Animation\\Door.xml"));
  EXPECT_EQ(door->GetFrameCount(), 5);
  EXPECT_EQ(door->GetHitCount(), 5);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

TEST_F(FrameAnim, MovedThroughTheBaseItMovesEveryFrameAndTrigger) {
  auto door = Door();
  ASSERT_TRUE(door->LoadAnimationXml(L"Data\\Animation\\Door.xml"));
  rovovoz::CBaseGeometryObject& base = *door;
  EXPECT_EQ(base.GetPosition3D(), zormath::Vec3f(50, 0, 250)) << "where the first frame's mesh stands";
  base.SetPosition3D(zormath::Vec3f(150.0f, 5.0f, 250.0f));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(door->GetFrame(i)->GetPosition3D(), zormath::Vec3f(150.0f, 5.0f, 250.0f));
  EXPECT_EQ(base.GetPosition3D(), zormath::Vec3f(150.0f, 5.0f, 250.0f));
  door->Update(0.0f, nullptr);
  EXPECT_TRUE(door->IsHit(150.0f, 10.0f, 250.0f)) << "the trigger moved along";
  EXPECT_FALSE(door->IsHit(18.0f, 10.0f, 250.0f));
  base.SetPositionX3D(0.0f);
  EXPECT_EQ(door->GetFrame(2)->GetPosition3D().x, 0.0f);
  base.SetDirection3D(zormath::Vec3f(1, 0, 0));
  EXPECT_EQ(door->GetFrame(3)->GetDirection3D(), zormath::Vec3f(1, 0, 0));
  base.SetScale(3.0f, 1.0f, 1.0f);
  EXPECT_EQ(base.GetScale().x, 3.0f);

  CSimpleFrameAnim empty(core.Get());
  EXPECT_EQ(empty.GetPosition3D(), zormath::Vec3f(0, 0, 0));
  EXPECT_EQ(empty.GetScale(), zormath::Vec3f(1, 1, 1));
  EXPECT_FALSE(empty.IsHit(0, 0, 0));
  EXPECT_EQ(empty.Render(), 0);
}

}  // namespace
