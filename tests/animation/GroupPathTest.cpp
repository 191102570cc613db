#include <gtest/gtest.h>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/rovovoz/GroupPathObject.h"
#include "animation/AnimationTestSupport.h"
#include "support/TestSupport.h"

namespace {

using rovovoz::CBaseGeometryObject;
using rovovoz::CGroupPathObject;

// A boat crosses the room and then rises; a bird flies off in one second.
const char* const kCrossing = R"(<GroupPath Name="Crossing">
    <Track Name="Boat">
      <Key Time="0"/>
      <Key Time="2" X="200"/>
      <Key Time="4" X="200" Z="100"/>
    </Track>
    <Track Name="Bird">
      <Key Time="0" Y="5"/>
      <Key Time="1" X="-50" Y="5"/>
    </Track>
  </GroupPath>)";

void Advance(CGroupPathObject& group, float seconds) {
  for (float t = 0; t < seconds; t += 0.25f) group.Update(0.25f);
}

bool At(const CBaseGeometryObject& o, float x, float y, float z) {
  return o.GetPosition3D() == zormath::Vec3f(x, y, z);
}

class GroupPaths : public ::testing::Test {
 protected:
  GroupPaths() {
    boat.SetPosition3D(10, 0, 0);
    EXPECT_EQ(crossing.Load(animtest::Element(kCrossing).Get()), 1);
    EXPECT_EQ(crossing.AddObject(L"boat", &boat), 1);  // track names ignore case
    EXPECT_EQ(crossing.AddObject(L"Bird", &bird), 1);
  }
  testsupport::LogCapture log;
  CBaseGeometryObject boat, bird;
  CGroupPathObject crossing;
};

TEST_F(GroupPaths, MovesItsObjectsToTheEndAndReportsIt) {
  EXPECT_EQ(crossing.GetName(), L"Crossing");
  EXPECT_FLOAT_EQ(crossing.GetLength(), 4.0f);
  EXPECT_FALSE(crossing.IsInfinity());
  EXPECT_EQ(crossing.IsRunning(), 0);

  crossing.Start();
  EXPECT_EQ(crossing.IsRunning(), 1);
  EXPECT_TRUE(At(boat, 10, 0, 0));
  EXPECT_TRUE(At(bird, 0, 5, 0));
  Advance(crossing, 1.0f);
  EXPECT_TRUE(At(boat, 110, 0, 0));
  EXPECT_TRUE(At(bird, -50, 5, 0));  // its track is over; it waits there
  Advance(crossing, 2.0f);
  EXPECT_TRUE(At(boat, 210, 0, 50));
  EXPECT_EQ(crossing.IsRunning(), 1);
  Advance(crossing, 1.0f);
  EXPECT_EQ(crossing.IsRunning(), 0);
  EXPECT_TRUE(At(boat, 210, 0, 100));
  Advance(crossing, 1.0f);
  EXPECT_TRUE(At(boat, 210, 0, 100));

  // A new start counts from where the objects stand.
  crossing.Start();
  Advance(crossing, 2.0f);
  EXPECT_TRUE(At(boat, 410, 0, 100));
}

TEST_F(GroupPaths, StopHoldsAndGoToEndFinishesAtOnce) {
  crossing.Start();
  Advance(crossing, 1.0f);
  crossing.Stop();
  EXPECT_EQ(crossing.IsRunning(), 0);
  Advance(crossing, 1.0f);
  EXPECT_TRUE(At(boat, 110, 0, 0));

  crossing.Start();  // from (110, 0, 0) now
  Advance(crossing, 0.5f);
  crossing.GoToEnd();
  EXPECT_EQ(crossing.IsRunning(), 0);
  EXPECT_TRUE(At(boat, 310, 0, 100));
  EXPECT_TRUE(At(bird, -100, 10, 0));

  // Never started: the ends count from where the objects were added.
  CBaseGeometryObject crate;
  crate.SetPosition3D(1, 2, 3);
  CGroupPathObject fresh;
  ASSERT_EQ(fresh.Load(animtest::Element(kCrossing).Get()), 1);
  fresh.AddObject(L"Boat", &crate);
  fresh.GoToEnd();
  EXPECT_TRUE(At(crate, 201, 2, 103));
}

TEST_F(GroupPaths, RestartWhileRunningKeepsTheStartingPoints) {
  crossing.Start();
  Advance(crossing, 2.0f);
  ASSERT_TRUE(At(boat, 210, 0, 0));
  crossing.Start();
  EXPECT_TRUE(At(boat, 10, 0, 0));
  EXPECT_EQ(crossing.IsRunning(), 1);
}

TEST_F(GroupPaths, EndlessGroupStartsOverUntilBroughtToItsEnd) {
  const std::string endless = std::string(kCrossing).replace(std::string(kCrossing).find("Name=\"Crossing\""), 15,
                                                             "Name=\"Crossing\" Infinity=\"1\"");
  CGroupPathObject loop;
  ASSERT_EQ(loop.Load(animtest::Element(endless).Get()), 1);
  EXPECT_TRUE(loop.IsInfinity());
  loop.AddObject(L"Boat", &boat);
  loop.Start();
  Advance(loop, 5.0f);
  EXPECT_EQ(loop.IsRunning(), 1);
  EXPECT_TRUE(At(boat, 110, 0, 0));  // one second into its second round
  loop.GoToEnd();
  EXPECT_EQ(loop.IsRunning(), 0);
  EXPECT_TRUE(At(boat, 210, 0, 100));
}

TEST_F(GroupPaths, CopiesShareTracksButNotObjects) {
  CBaseGeometryObject other;
  CGroupPathObject copy(crossing);
  copy.ClearObjects();
  EXPECT_EQ(copy.AddObject(L"Bird", &other), 1);
  EXPECT_EQ(crossing.GetObjectCount(), 2u);
  CGroupPathObject assigned;
  assigned = copy;
  EXPECT_EQ(assigned.GetObjectCount(), 1u);
  assigned.Start();
  Advance(assigned, 1.0f);
  EXPECT_TRUE(At(other, -50, 5, 0));
  EXPECT_TRUE(At(bird, 0, 0, 0));
  EXPECT_EQ(crossing.IsRunning(), 0);
}

TEST_F(GroupPaths, ObjectsWithoutATrackAreRefusedAndLogged) {
  CBaseGeometryObject fish;
  EXPECT_EQ(crossing.AddObject(L"Fish", &fish), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Warning, L"GroupPath Crossing: no track Fish"));
  EXPECT_EQ(crossing.AddObject(L"Boat", nullptr), 0);
  crossing.Start();
  Advance(crossing, 4.0f);
  EXPECT_TRUE(At(fish, 0, 0, 0));
  EXPECT_EQ(crossing.IsRunning(), 0);
}

TEST(GroupPathLoading, ContentThatMakesNoPathFails) {
  testsupport::LogCapture log;
  const char* const bad[] = {
      R"(<GroupPath Name="Empty"/>)",
      R"(<GroupPath Name="NoKeys"><Track Name="A"/><Track Name="B"><Step/></Track></GroupPath>)",
      R"(<GroupPath Name="Back"><Track Name="A"><Key Time="2"/><Key Time="1"/></Track></GroupPath>)",
      R"(<GroupPath Name="Negative"><Track Name="A"><Key Time="-1"/></Track></GroupPath>)",
  };
  for (const char* xml : bad) {
    SCOPED_TRACE(xml);
    log.Clear();
    CGroupPathObject group;
    EXPECT_EQ(group.Load(animtest::Element(xml).Get()), 0);
    EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error).size(), 1u);
    EXPECT_FLOAT_EQ(group.GetLength(), 0.0f);
    group.Start();
    group.Update(1.0f);  // an empty group ends at once and moves nothing
    EXPECT_EQ(group.IsRunning(), 0);
  }
  CGroupPathObject none;
  EXPECT_EQ(none.Load(nullptr), 0);

  // Numbers that are not numbers count as 0; one track of keys suffices.
  CGroupPathObject odd;
  ASSERT_EQ(odd.Load(animtest::Element(R"(<GroupPath><Track Name="A"><Key Time="x" X="1e40"/></Track></GroupPath>)")
                         .Get()),
            1);
  EXPECT_FLOAT_EQ(odd.GetLength(), 0.0f);
}

}  // namespace
