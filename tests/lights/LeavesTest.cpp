// Falling leaves: the start of a leaf with its draws, the edge it enters
// by, the head start at load, swing and tumble, the orientation rows, and
// the bad data (no leaf model, a model that fails, no wind).
#include <gtest/gtest.h>

#include <cmath>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ROListopad.h"
#include "Platform/Random.h"
#include "lights/LightsTestSupport.h"

namespace {

using lightstest::LightsCore;
using lightstest::LoadObject;
using zuzorev::ELogLevel;

class Leaves : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  LightsCore core;
  testsupport::LogCapture log;
};

std::string Leaves3(const std::string& attributes) {
  return "<Properties File=\"Lights.zorm\" M1=\"Leaf1\" M2=\"Leaf2\" M3=\"Leaf3\" " + attributes + "/>";
}

TEST_F(Leaves, ALeafStartsWithItsDrawsInOrder) {
  Platform::SeedRandom(5);
  std::vector<float> r;
  std::vector<int> raw;
  for (int i = 0; i < 13; ++i) {
    raw.push_back(Platform::Random());
    r.push_back(static_cast<float>(raw.back() / 32767.0));
  }
  Platform::SeedRandom(5);
  auto leaves = LoadObject<CROListopad>(core, Leaves3("Num=\"1\" vx=\"0\" vy=\"-100\" dAngle=\"0\" Margin=\"50\" "
                                                      "R=\"100\" AddR=\"10\" Razmah=\"0.9\""));
  ASSERT_EQ(leaves->GetModelCount(), 3);
  const SLeaf& leaf = leaves->GetLeaves()[0];
  EXPECT_FLOAT_EQ(leaf.mScale, 0.3f * r[0] * r[1] + 0.7f);
  EXPECT_EQ(leaf.mModel, leaves->GetModel(raw[3] % 3)) << "the fourth draw picks the model";
  EXPECT_FLOAT_EQ(leaf.mSwing, (10.0f * r[4] + 100.0f) * leaf.mScale);
  EXPECT_FLOAT_EQ(leaf.mSwingAngle, r[5] * 0.2f + 0.9f);
  EXPECT_FLOAT_EQ(leaf.mTumble, r[6] + 0.5f);
  EXPECT_FLOAT_EQ(std::fabs(leaf.mRhythm), r[7] * 2.0f);
  EXPECT_EQ(leaf.mRhythm < 0.0f, raw[8] % 2 == 0) << "an even draw turns the rhythm round";
  EXPECT_FLOAT_EQ(leaf.mLife, (2.0f * 50.0f + 768.0f) / 100.0f) << "down the screen: the height to cross";
  EXPECT_FLOAT_EQ(leaf.mStart.x, (0.5f - r[11]) * 1024.0f) << "straight down: in by the top";
  EXPECT_FLOAT_EQ(leaf.mStart.z, 50.0f + 384.0f + 100.0f);
  EXPECT_FLOAT_EQ(leaf.mElapsed, r[12] * leaf.mLife) << "a head start along its path";
}

TEST_F(Leaves, EveryLeafEntersByTheEdgeItMovesAwayFrom) {
  struct Case {
    const char* wind;
    float startX;  // sign of the start x; 0 any
    float startZ;  // sign of the start z; 0 any
    bool side;     // enters at a side (|start x| = Margin + 512)
  } cases[] = {
      {"vx=\"0\" vy=\"-100\"", 0, 1, false},
      {"vx=\"0\" vy=\"100\"", 0, -1, false},
      {"vx=\"100\" vy=\"0.0001\"", -1, 0, true},
      {"vx=\"-100\" vy=\"-0.0001\"", 1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wind);
    auto leaves = LoadObject<CROListopad>(core, Leaves3(std::string("Num=\"40\" dAngle=\"0\" ") + c.wind));
    const zormath::Vec3f velocity = leaves->GetLeaves()[0].mVelocity;
    for (const SLeaf& leaf : leaves->GetLeaves()) {
      EXPECT_FLOAT_EQ(leaf.mVelocity.x, velocity.x) << "dAngle 0: one velocity for all";
      EXPECT_FLOAT_EQ(leaf.mVelocity.z, velocity.z);
      if (c.startX != 0) {
        EXPECT_GT(leaf.mStart.x * c.startX, 0.0f);
      }
      if (c.startZ != 0) {
        EXPECT_GT(leaf.mStart.z * c.startZ, 0.0f);
      }
      EXPECT_EQ(std::fabs(leaf.mStart.x) == 50.0f + 512.0f, c.side);
    }
  }
}

TEST_F(Leaves, LeavesSwingAndTumbleAlongTheirPathAndStartAgainWhenAcross) {
  auto leaves = LoadObject<CROListopad>(core, Leaves3("Num=\"20\" Rot3D=\"0.5\""));
  bool spread = false;
  for (const SLeaf& leaf : leaves->GetLeaves()) spread = spread || leaf.mElapsed > 0.1f * leaf.mLife;
  EXPECT_TRUE(spread) << "the screen is not empty at first";
  leaves->Update(0.5f, nullptr);
  for (const SLeaf& leaf : leaves->GetLeaves()) {
    const float wave = std::sin(leaf.mElapsed * leaf.mRhythm);
    const float p = wave * leaf.mSwingAngle;
    EXPECT_FLOAT_EQ(leaf.mAngle, wave * leaf.mTumble);
    EXPECT_NEAR(leaf.mPosition.x, leaf.mStart.x + leaf.mVelocity.x * leaf.mElapsed + leaf.mSwing * std::sin(p), 1e-3f);
    EXPECT_NEAR(leaf.mPosition.z,
                leaf.mStart.z + leaf.mVelocity.z * leaf.mElapsed + leaf.mSwing * (1.0f - std::cos(p)), 1e-3f);
  }
  leaves->Update(100.0f, nullptr);  // every leaf past its life
  leaves->Update(0.0f, nullptr);    // and started again
  for (const SLeaf& leaf : leaves->GetLeaves()) EXPECT_EQ(leaf.mElapsed, 0.0f) << "a restart has no head start";
}

TEST_F(Leaves, OrientationRowsTiltWithRot3D) {
  for (float rot : {0.0f, 0.5f}) {
    SCOPED_TRACE(rot);
    auto leaves = LoadObject<CROListopad>(
        core, "<Properties File=\"Lights.zorm\" M1=\"Leaf1\" Num=\"1\" Rot3D=\"" + std::to_string(rot) + "\"/>");
    leaves->Update(0.3f, nullptr);
    const SLeaf& leaf = leaves->GetLeaves()[0];
    ASSERT_LT(leaf.mElapsed, leaf.mLife);
    lightstest::BeginFrame(core.Render());
    leaves->Render();
    ASSERT_EQ(core.Render().GetFrameDraws().size(), 1u);
    const zormath::Mat4f& o = leaf.mModel->GetOrientationMatrix3D();
    const float a = leaf.mAngle, b = rot * a;
    EXPECT_NEAR(o(0, 0), std::cos(a), 1e-5f);
    EXPECT_NEAR(o(0, 2), std::sin(a), 1e-5f);
    EXPECT_NEAR(o(1, 1), std::cos(b), 1e-5f);
    EXPECT_NEAR(o(1, 2), std::sin(b), 1e-5f);
    EXPECT_NEAR(o(2, 0), -std::sin(a), 1e-5f);
    EXPECT_NEAR(o(2, 2), std::cos(b) * std::cos(a), 1e-5f);
    EXPECT_FLOAT_EQ(leaf.mModel->GetScale().x, leaf.mScale * 0.5f);
  }
}

TEST_F(Leaves, BadDataStartsNoLeafAndNeverDividesByZero) {
  struct Case {
    const char* properties;
    int32_t result;
    const wchar_t* logged;  // error or warning text, or null
  } cases[] = {
      {"<Properties File=\"Lights.zorm\" Num=\"5\"/>", 0, nullptr},
      {"<Properties File=\"Lights.zorm\" M2=\"Leaf2\" Num=\"5\"/>", 0, nullptr},
      {"<Properties M1=\"Leaf1\"/>", static_cast<int32_t>(0x80004005u), L"No find attribute File"},
      {"<Properties File=\"Lights.zorm\" M1=\"Leaf1\" M2=\"NoSuchLeaf\"/>", static_cast<int32_t>(0x80004005u),
       L"ROListopad failed load model NoSuchLeaf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.properties);
    log.Clear();
    int32_t result = 0;
    auto leaves = LoadObject<CROListopad>(core, c.properties, &result);
    EXPECT_EQ(result, c.result);
    if (c.logged) {
      EXPECT_TRUE(log.Contains(ELogLevel::Error, c.logged) || log.Contains(ELogLevel::Warning, c.logged));
    }
    Platform::SeedRandom(8);
    const int first = Platform::Random();
    Platform::SeedRandom(8);
    leaves->Update(1.0f, nullptr);
    EXPECT_EQ(Platform::Random(), first) << "no leaf started";
    lightstest::BeginFrame(core.Render());
    leaves->Render();
    EXPECT_TRUE(core.Render().GetFrameDraws().empty());
  }
  // No wind: the leaves never cross, are never drawn, and nothing is NaN.
  auto calm = LoadObject<CROListopad>(core, Leaves3("Num=\"5\" vx=\"0\" vy=\"0\""));
  for (int i = 0; i < 3; ++i) calm->Update(0.5f, nullptr);
  for (const SLeaf& leaf : calm->GetLeaves()) EXPECT_TRUE(std::isfinite(leaf.mPosition.x + leaf.mPosition.z));
  lightstest::BeginFrame(core.Render());
  calm->Render();
  EXPECT_TRUE(core.Render().GetFrameDraws().empty());
}

}  // namespace
