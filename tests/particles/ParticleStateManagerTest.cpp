#include <gtest/gtest.h>

#include "Engine/rovovoz/BaseParamInitEmiter.h"
#include "Engine/rovovoz/ParticleEmiterXml.h"
#include "Engine/rovovoz/ParticleStateManager.h"
#include "particles/ParticleTestSupport.h"
#include "support/TestSupport.h"

namespace {

using rovovoz::CParticleStateManager;
using rovovoz::SParticleState;
using zuzorev::ELogLevel;

class EmiterLists : public ::testing::Test {
 protected:
  rendertest::ScopedFileSystem fs;  // the sample game
  testsupport::TempDir dir;
  testsupport::LogCapture log;
};

TEST_F(EmiterLists, SampleListGivesEveryTypeItsValues) {
  CParticleStateManager states;
  ASSERT_EQ(states.LoadEmiters(L"Data\\Particles\\Emiters.xml"), 1);
  EXPECT_EQ(states.GetCount(), 4u);
  const SParticleState* spark = states.Find(L"LanternSpark");
  ASSERT_NE(spark, nullptr);
  EXPECT_EQ(spark->texture, L"glow.png");
  EXPECT_EQ(spark->render, L"MT_PARTICLE_OVERLAY");
  EXPECT_FLOAT_EQ(spark->rate, 25.0f);
  EXPECT_EQ(spark->burst, 6);
  EXPECT_FLOAT_EQ(spark->life, 0.9f);
  EXPECT_TRUE(spark->gravity == zormath::Vec3f(0, 0, -80));
  EXPECT_EQ(spark->color, 0xFFFFD070u);
  EXPECT_EQ(spark->colorEnd, 0x00FF6020u);
  EXPECT_EQ(spark->max, 120);
  // The names the game's emitter blocks use are there too.
  EXPECT_NE(states.Find(L"pm_fv_part1"), nullptr);
  EXPECT_NE(states.Find(L"part_find_sel"), nullptr);
  EXPECT_TRUE(log.Texts(ELogLevel::Warning).empty());
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
}

TEST_F(EmiterLists, LaterListAddsAndReplacesFromTheDefaults) {
  CParticleStateManager states;
  ASSERT_EQ(states.LoadEmiters(L"Data\\Particles\\Emiters.xml"), 1);
  auto second = dir.Write("More.xml", R"(<emiters>
      <EMITER Name="LanternSpark" Rate="3"/>
      <Emiter Name="Dust" Life="4"/>
      <Emiter Rate="9"/>
    </emiters>)");
  ASSERT_EQ(states.LoadEmiters(second.wstring()), 1);
  EXPECT_EQ(states.GetCount(), 5u);
  // Replaced whole: what the new entry does not say comes from the defaults.
  EXPECT_FLOAT_EQ(states.Find(L"LanternSpark")->rate, 3.0f);
  EXPECT_EQ(states.Find(L"LanternSpark")->burst, 0);
  EXPECT_FLOAT_EQ(states.Find(L"Dust")->life, 4.0f);
  EXPECT_EQ(log.Texts(ELogLevel::Warning).size(), 1u);  // the entry without a name
}

TEST_F(EmiterLists, BrokenListsFailWithAnErrorAndKeepWhatWasKnown) {
  struct Case {
    const char* name;
    const char* bytes;  // null: no file at all
  };
  const Case cases[] = {
      {"Missing.xml", nullptr},
      {"Garbage.xml", "\x01\x02<<Emiters"},
      {"WrongRoot.xml", "<Particles><Emiter Name=\"A\"/></Particles>"},
      {"Empty.xml", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CParticleStateManager states;
    ASSERT_EQ(states.LoadEmiters(L"Data\\Particles\\Emiters.xml"), 1);
    log.Clear();
    const auto path = c.bytes ? dir.Write(c.name, c.bytes) : dir.Path() / c.name;
    EXPECT_EQ(states.LoadEmiters(path.wstring()), 0);
    EXPECT_EQ(log.Texts(ELogLevel::Error).size(), 1u);
    EXPECT_EQ(states.GetCount(), 4u);
  }
}

TEST_F(EmiterLists, OutOfRangeValuesAreBoundedAndBadVectorsKept) {
  particletest::Element e(R"(<Emiter Rate="1e12" Burst="-4" Life="-3" LifeSpread="7" Spread="400" Size="nan"
      Max="-1" Direction="1 2" Gravity="0, -5, 2.5"/>)");
  SParticleState s = rovovoz::DefaultParticleState();
  rovovoz::ReadParticleState(e.Get(), s);
  EXPECT_FLOAT_EQ(s.rate, 10000.0f);
  EXPECT_EQ(s.burst, 0);
  EXPECT_FLOAT_EQ(s.life, 0.01f);
  EXPECT_LT(s.lifeSpread, s.life);  // no particle is born dead
  EXPECT_FLOAT_EQ(s.spread, 180.0f);
  EXPECT_FLOAT_EQ(s.size, 0.0f);
  EXPECT_EQ(s.max, 0);
  EXPECT_TRUE(s.direction == zormath::Vec3f(0, 0, 1));
  EXPECT_TRUE(s.gravity == zormath::Vec3f(0, -5, 2.5f));
  EXPECT_EQ(log.Texts(ELogLevel::Warning).size(), 1u);
}

TEST_F(EmiterLists, UnknownTypeFallsBackToTheBaseTypeAndIsLoggedOnce) {
  CParticleStateManager empty;
  EXPECT_EQ(empty.Get(L"Nothing").name, L"TBaseEmiter");  // built in
  CParticleStateManager states;
  ASSERT_EQ(states.LoadEmiters(L"Data\\Particles\\Emiters.xml"), 1);
  log.Clear();
  EXPECT_FLOAT_EQ(states.Get(L"Nothing").spread, 30.0f);  // the list's TBaseEmiter
  states.Get(L"Nothing");
  EXPECT_EQ(log.Texts(ELogLevel::Warning).size(), 1u);
}

TEST_F(EmiterLists, EmiterElementNamesItsTypeOverridesItAndPlacesTheBlock) {
  CParticleStateManager states;
  ASSERT_EQ(states.LoadEmiters(L"Data\\Particles\\Emiters.xml"), 1);
  particletest::Element e(R"(<Emiter Type="LanternSpark" Rate="4" X="1" Y="2" Z="3" Width="20" Depth="-6"/>)");
  SParticleState type;
  rovovoz::CBaseParamInitEmiter block;
  rovovoz::ReadEmiterElement(e.Get(), &states, type, block);
  EXPECT_EQ(block.mName, L"LanternSpark");
  EXPECT_FLOAT_EQ(type.rate, 4.0f);
  EXPECT_EQ(type.burst, 6);  // from the type
  EXPECT_TRUE(block.mPosition == zormath::Vec3f(1, 2, 3));
  EXPECT_FLOAT_EQ(block.mWidth, 20.0f);
  EXPECT_FLOAT_EQ(block.mDepth, 0.0f);
}

TEST(EmiterBlock, DefaultsAndItsOperations) {
  rovovoz::CBaseParamInitEmiter block;
  EXPECT_EQ(block.mName, L"TBaseEmiter");
  EXPECT_FLOAT_EQ(block.mScaleX, 1.0f);
  EXPECT_EQ(block.mAreaKind, rovovoz::kEmiterAreaRectangle);
  block.AddPoint(zormath::Vec3f(1, 2, 3));
  block.AddPoint(zormath::Vec3f(4, 5, 6));
  block.AddDirection(zormath::Vec3f(0, 0, 1));
  EXPECT_EQ(block.mPoints.size(), 2u);
  block.ClearPoints();
  EXPECT_TRUE(block.mPoints.empty());
  EXPECT_EQ(block.mDirections.size(), 1u);
  block.ClearDirections();
  EXPECT_TRUE(block.mDirections.empty());

  block.mName = L"part_find_sel";
  block.mTextureFile = L"A_ZonaBlesk.tga";
  block.mX1 = -16;
  block.mScaleZ = 3;
  block.mRate = 8;
  block.mAreaKind = rovovoz::kEmiterAreaRegion;
  block.mRegion.Build({rovovoz::CGeometryRegion3D::STriangle{{0, 10, 0}, {0, 0, 10}, 0}});
  block.AddPoint(zormath::Vec3f(1, 1, 1));
  block.SetDefault();
  rovovoz::CBaseParamInitEmiter fresh;
  EXPECT_EQ(block.mName, fresh.mName);
  EXPECT_TRUE(block.mTextureFile.empty());
  EXPECT_FLOAT_EQ(block.mX1, 0.0f);
  EXPECT_FLOAT_EQ(block.mScaleZ, 1.0f);
  EXPECT_FLOAT_EQ(block.mRate, 0.0f);
  EXPECT_EQ(block.mAreaKind, rovovoz::kEmiterAreaRectangle);
  EXPECT_TRUE(block.mRegion.IsEmpty());
  EXPECT_TRUE(block.mPoints.empty());
}

}  // namespace
