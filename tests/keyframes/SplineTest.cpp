// The spline mover: passes with pauses in which it is not drawn, a closed
// loop, its frame cycle, one pass after Start, scale by height, and short
// paths and odd settings that must not index outside what it holds.
#include <gtest/gtest.h>

#include "Engine/rovovoz/PointObject3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/ROMoveSpline.h"
#include "keyframes/KeyframesTestSupport.h"

namespace {

using keyframestest::KeyframesCore;
using zormath::Vec3f;

class Spline : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  std::unique_ptr<CROMoveSpline> Load(const std::string& model, const std::string& move) {
    return effectstest::LoadObject<CROMoveSpline>(
        core, "<Properties><Model Model=\"Bird\" FileModel=\"Keyframes.zorm\" CountKadr=\"3\" " + model + "/><Move " + move + "/></Properties>");
  }
  size_t DrawsOf(CROMoveSpline& bird) {
    zuzorev::CRenderSystem& render = core.Render();
    render.Begin();
    const size_t before = render.GetFrameDraws().size();
    bird.Render();
    const size_t draws = render.GetFrameDraws().size() - before;
    render.End();
    return draws;
  }
  KeyframesCore core;
};

TEST_F(Spline, PassesRunFromTheFirstPointToTheLastWithUndrawnPausesBetween) {
  auto bird = Load("", "Rand=\"0\" Loop=\"0\" TimeMove=\"0.2\" TimeStop1=\"0.5\" TimeStop2=\"0.5\"");
  ASSERT_NE(bird->GetPath(), nullptr);
  ASSERT_EQ(bird->GetPath()->GetCountPoint(), 5);
  // From wherever the random start put it, into the first full pause.
  int guard = 0;
  while (!bird->IsPaused() && guard++ < 1000) bird->Update(0.01f, nullptr);
  while (bird->IsPaused() && guard++ < 1000) bird->Update(0.01f, nullptr);
  while (!bird->IsPaused() && guard++ < 1000) bird->Update(0.01f, nullptr);
  ASSERT_LT(guard, 1000);
  int paused = 0;
  while (bird->IsPaused()) {
    EXPECT_EQ(DrawsOf(*bird), 0u) << "not drawn while it waits";
    bird->Update(0.01f, nullptr);
    ++paused;
  }
  EXPECT_NEAR(paused, 50, 1) << "a pause of TimeStop seconds";
  std::vector<float> xs;
  while (!bird->IsPaused()) {
    xs.push_back(bird->GetPosition().x);
    EXPECT_EQ(DrawsOf(*bird), 1u);
    bird->Update(0.01f, nullptr);
  }
  ASSERT_FALSE(xs.empty());
  EXPECT_NEAR(xs.front(), -200.0f, 6.0f) << "starts at point 0";
  EXPECT_NEAR(xs.back(), 200.0f, 6.0f) << "ends at point 4";
  EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
  EXPECT_NEAR(static_cast<float>(xs.size()), 80.0f, 1.0f) << "four segments of 0.2 s";
  EXPECT_EQ(bird->GetDirection(), 1) << "Rand 0 always runs forward";
}

TEST_F(Spline, LoopWrapsWithoutPausesAndFramesCycle) {
  auto bird = Load("TimeAnim=\"0.3\"", "Loop=\"1\" TimeMove=\"0.1\" TimeStop1=\"3\" TimeStop2=\"3\"");
  bird->Start();
  bird->Update(0.0f, nullptr);
  std::vector<int> frames;
  std::vector<int> indices;
  for (int i = 0; i < 12; ++i) {
    bird->Update(0.05f, nullptr);
    frames.push_back(bird->GetFrame());
    indices.push_back(bird->GetPointIndex());
    EXPECT_FALSE(bird->IsPaused());
  }
  EXPECT_EQ(frames, (std::vector<int>{0, 0, 1, 1, 2, 2, 0, 0, 1, 1, 2, 2})) << "three frames of 0.1 s";
  EXPECT_NE(std::find(indices.begin(), indices.end(), 4), indices.end());
  const auto wrap = std::find(indices.begin(), indices.end(), 4);
  ASSERT_NE(wrap + 1, indices.end());
  EXPECT_TRUE(*(wrap + 1) == 4 || *(wrap + 1) == 0) << "from the last point on to the first";
  EXPECT_EQ(bird->GetRunState(), CROMoveSpline::kStopped) << "Start runs one round of the loop";
}

TEST_F(Spline, StartRunsOnePassAndStopsDrawnAtItsEnd) {
  auto bird = Load("", "Rand=\"1\" TimeMove=\"0.2\" TimeStop1=\"1\" TimeStop2=\"2\"");
  bird->Start();
  EXPECT_EQ(bird->GetRunState(), CROMoveSpline::kOnePass);
  EXPECT_EQ(bird->GetPosition(), Vec3f(-200, 0, 100));
  EXPECT_EQ(DrawsOf(*bird), 1u) << "no pause after Start";
  for (int i = 0; i < 200; ++i) bird->Update(0.05f, nullptr);
  EXPECT_EQ(bird->GetRunState(), CROMoveSpline::kStopped);
  EXPECT_NEAR(bird->GetPosition().x, 200.0f, 1e-3f);
  EXPECT_EQ(DrawsOf(*bird), 1u) << "drawn where it stopped";
  bird->Resume();
  EXPECT_EQ(bird->GetRunState(), CROMoveSpline::kOnePass);
  EXPECT_EQ(bird->GetPosition().x, 200.0f) << "Resume keeps the place";
}

TEST_F(Spline, ScaleFollowsTheHeightOfThePath) {
  auto flat = Load("", "MinScale=\"0.5\" MaxScale=\"1.5\" Loop=\"1\"");
  flat->Start();
  for (int i = 0; i < 5; ++i) {
    flat->Update(0.03f, nullptr);
    EXPECT_FLOAT_EQ(flat->GetFrameModel(flat->GetFrame())->GetScale().x, 1.0f) << "a flat path: the mean";
  }
  auto hill = Load("Spline=\"Hill\"", "MinScale=\"0.5\" MaxScale=\"1.5\" Loop=\"1\" TimeMove=\"1\"");
  hill->Start();
  hill->Update(1.0f, nullptr);
  hill->Update(0.5f, nullptr);
  hill->Update(0.5f, nullptr);
  ASSERT_NEAR(hill->GetPosition().y, 100.0f, 1e-3f);
  const Vec3f s = hill->GetFrameModel(hill->GetFrame())->GetScale();
  EXPECT_FLOAT_EQ(s.x, 1.5f) << "the top of the path";
  EXPECT_FLOAT_EQ(s.y, 1.0f);
}

TEST_F(Spline, ShortPathsAndOddSettingsStayInside) {
  for (uint32_t seed = 1; seed < 40; ++seed) {
    Platform::SeedRandom(seed);
    auto two = Load("Spline=\"Two\"", "Rand=\"1\"");
    EXPECT_EQ(two->GetPointIndex(), 0) << "seed " << seed;
    EXPECT_EQ(two->GetDirection(), 1);
    for (int i = 0; i < 30; ++i) two->Update(0.1f, nullptr);
    EXPECT_GE(two->GetPosition().x, -100.0f);
    EXPECT_LE(two->GetPosition().x, 100.0f);
  }
  auto one = Load("Spline=\"One\"", "Rand=\"1\"");
  for (int i = 0; i < 30; ++i) one->Update(0.1f, nullptr);
  EXPECT_EQ(one->GetPosition(), Vec3f(30, 0, 40)) << "a single point: it stands still";

  const std::string longName(200, 'N');
  auto odd = effectstest::LoadObject<CROMoveSpline>(
      core, "<Properties><Model Model=\"Bird\" FileModel=\"Keyframes.zorm\" CountKadr=\"99\" TimeAnim=\"0\" Spline=\"" +
                longName + "\"/><Move TimeMove=\"0\"/></Properties>");
  EXPECT_EQ(odd->GetFrameCount(), CROMoveSpline::kMaxFrames);
  EXPECT_EQ(odd->GetPath(), nullptr);
  for (int i = 0; i < 10; ++i) odd->Update(0.1f, nullptr);
  EXPECT_GE(odd->GetFrame(), 0);

  std::vector<std::wstring> names = {L"Other"};
  auto bird = Load("", "");
  bird->GetModelNames(names);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Bird01", L"Bird02", L"Bird03"}));
}

}  // namespace
