#include <gtest/gtest.h>

#include <cmath>

#include "Engine/rovovoz/ModelAnimation3D.h"
#include "animation/AnimationTestSupport.h"
#include "support/TestSupport.h"

namespace {

using rovovoz::CModelAnimation3D;
using rovovoz::kAnimFinished;
using rovovoz::kAnimIdle;
using rovovoz::kAnimPlaying;
using zuzorev::ELogLevel;

const wchar_t* const kLanternSet = L"Data\\Animation\\LanternAnim.xml";

void Advance(CModelAnimation3D& model, float seconds) {
  for (float t = 0; t < seconds; t += 0.125f) model.Update(0.125f, nullptr);
}

class AnimationSets : public ::testing::Test {
 protected:
  animtest::AnimCore core;
  testsupport::LogCapture log;
  testsupport::TempDir dir;
};

TEST_F(AnimationSets, SampleSetGivesNamedClipsOverMeshes) {
  ASSERT_EQ(core.Anims().LoadAnimSet(kLanternSet), 1);
  EXPECT_EQ(core.Anims().LoadAnimSet(L"data/animation/LANTERNANIM.xml"), 1);  // read once
  EXPECT_EQ(core.Anims().GetClipCount(), 2u);
  const rovovoz::SAnimClip* sway = core.Anims().FindClip(L"lantern_sway");
  ASSERT_NE(sway, nullptr);
  EXPECT_EQ(sway->model, L"Back_1.zorm");
  EXPECT_FLOAT_EQ(sway->length, 2.0f);
  ASSERT_EQ(sway->tracks.size(), 2u);
  EXPECT_EQ(sway->tracks[1].mesh, L"S_LanternGlow");
  EXPECT_EQ(core.Anims().FindClip(L"Lantern_Sway"), nullptr);  // names are exact
  EXPECT_TRUE(log.Records().empty());
}

TEST_F(AnimationSets, TracksInterpolateAndHoldTheirEnds) {
  rovovoz::SAnimTrack track;
  rovovoz::SAnimKey a, b;
  a.time = 1;
  a.offset = zormath::Vec3f(0, 0, 0);
  a.alpha = 0;
  b.time = 3;
  b.offset = zormath::Vec3f(10, -4, 2);
  b.angleY = 1;
  b.scale = 3;
  b.alpha = 1;
  track.keys = {a, b};
  struct Case {
    float t;
    float x, angle, scale, alpha;
  };
  for (const Case c : {Case{0, 0, 0, 1, 0}, Case{1, 0, 0, 1, 0}, Case{2, 5, 0.5f, 2, 0.5f}, Case{2.5f, 7.5f, 0.75f, 2.5f, 0.75f},
                       Case{3, 10, 1, 3, 1}, Case{9, 10, 1, 3, 1}}) {
    SCOPED_TRACE(c.t);
    rovovoz::SAnimKey k = track.At(c.t);
    EXPECT_FLOAT_EQ(k.offset.x, c.x);
    EXPECT_FLOAT_EQ(k.angleY, c.angle);
    EXPECT_FLOAT_EQ(k.scale, c.scale);
    EXPECT_FLOAT_EQ(k.alpha, c.alpha);
  }
}

TEST_F(AnimationSets, BrokenSetsAndClipsAreRefusedWithAReason) {
  struct Case {
    const char* name;
    const char* bytes;  // null: no file
    int32_t result;
    size_t clips;
  };
  const Case cases[] = {
      {"Missing.xml", nullptr, zuzorev::kFail, 0},
      {"Garbage.xml", "<AnimSet><Clip Name=", zuzorev::kFail, 0},
      {"WrongRoot.xml", "<Anims><Clip Name=\"a\" Model=\"m\"><Mesh Name=\"x\"/></Clip></Anims>", zuzorev::kFail, 0},
      {"NoModel.xml", "<AnimSet><Clip Name=\"a\"><Mesh Name=\"x\"/></Clip></AnimSet>", zuzorev::kFail, 0},
      {"NoMesh.xml", "<AnimSet><Clip Name=\"a\" Model=\"m\"/></AnimSet>", zuzorev::kFail, 0},
      {"Backwards.xml",
       "<AnimSet><Clip Name=\"a\" Model=\"m\"><Mesh Name=\"x\"><Key Time=\"2\"/><Key Time=\"1\"/></Mesh></Clip>"
       "<Clip Name=\"b\" Model=\"m\"><Mesh Name=\"x\"><Key Time=\"nan\" X=\"1e30\"/></Mesh></Clip></AnimSet>",
       1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rovovoz::CAnimModelManager manager;
    log.Clear();
    const auto path = c.bytes ? dir.Write(c.name, c.bytes) : dir.Path() / c.name;
    EXPECT_EQ(manager.LoadAnimSet(path.wstring()), c.result);
    EXPECT_EQ(manager.GetClipCount(), c.clips);
    EXPECT_FALSE(log.Records().empty());
  }
}

class AnimatedModels : public AnimationSets {
 protected:
  AnimatedModels() { core.Anims().LoadAnimSet(kLanternSet); }
};

TEST_F(AnimatedModels, OneShotClipPlaysAndReportsFinished) {
  CModelAnimation3D lantern(core.Get());
  ASSERT_EQ(lantern.LoadAnimation(L"lantern_flare", 3, 0), 1);
  EXPECT_EQ(lantern.IsState(), kAnimIdle);
  ASSERT_EQ(lantern.Play(L"lantern_flare", 1, 0, 0.0f, 0, 0), 1);
  ASSERT_EQ(lantern.Play(L"", 0, 0, 0.0f, 0, 0), 1);
  EXPECT_EQ(lantern.IsState(), kAnimPlaying);
  Advance(lantern, 0.875f);
  EXPECT_EQ(lantern.IsState(), kAnimPlaying);
  Advance(lantern, 0.125f);
  EXPECT_EQ(lantern.IsState(), kAnimFinished);
  EXPECT_FLOAT_EQ(lantern.GetTime(), 1.0f);  // holds its last pose
  Advance(lantern, 1.0f);
  EXPECT_EQ(lantern.IsState(), kAnimFinished);

  // Played again from its start.
  lantern.Play(L"lantern_flare", 1, 0, 0.0f, 0, 0);
  EXPECT_EQ(lantern.IsState(), kAnimPlaying);
  EXPECT_FLOAT_EQ(lantern.GetTime(), 0.0f);
  lantern.Stop(0);
  EXPECT_EQ(lantern.IsState(), kAnimIdle);
  Advance(lantern, 2.0f);
  EXPECT_EQ(lantern.IsState(), kAnimIdle);
}

TEST_F(AnimatedModels, LoopsNeverFinishAndQueuedClipsFollow) {
  CModelAnimation3D lantern(core.Get());
  // Not loaded before: the play call loads it.
  ASSERT_EQ(lantern.PlayLoop(L"lantern_sway", 1, 0, 0.0f, 0, 0), 1);
  Advance(lantern, 10.5f);
  EXPECT_EQ(lantern.IsState(), kAnimPlaying);
  EXPECT_FLOAT_EQ(lantern.GetTime(), 0.5f);

  // A one-shot with a loop queued behind it.
  lantern.Play(L"lantern_flare", 1, 0, 0.0f, 0, 0);
  lantern.PlayLoop(L"lantern_sway", 0, 0, 0.0f, 0, 0);
  Advance(lantern, 1.25f);
  EXPECT_EQ(lantern.GetCurrentName(), L"lantern_sway");
  EXPECT_FLOAT_EQ(lantern.GetTime(), 0.25f);
  EXPECT_EQ(lantern.IsState(), kAnimPlaying);

  // The empty name empties the queue: the one-shot stops at its end.
  lantern.Play(L"lantern_flare", 1, 0, 0.0f, 0, 0);
  lantern.PlayLoop(L"lantern_sway", 0, 0, 0.0f, 0, 0);
  lantern.Play(L"", 0, 0, 0.0f, 0, 0);
  Advance(lantern, 2.0f);
  EXPECT_EQ(lantern.GetCurrentName(), L"lantern_flare");
  EXPECT_EQ(lantern.IsState(), kAnimFinished);

  // Queued while nothing plays: it starts at once.
  lantern.Play(L"lantern_sway", 0, 0, 0.0f, 0, 0);
  EXPECT_EQ(lantern.GetCurrentName(), L"lantern_sway");
  EXPECT_EQ(lantern.IsState(), kAnimPlaying);
}

TEST_F(AnimatedModels, UnknownClipsFailAndChangeNothing) {
  CModelAnimation3D lantern(core.Get());
  EXPECT_EQ(lantern.LoadAnimation(L"no_such_clip", 3, 0), zuzorev::kFail);
  EXPECT_TRUE(log.Contains(ELogLevel::Warning, L"Animation no_such_clip is in no animation set loaded"));
  lantern.PlayLoop(L"lantern_sway", 1, 0, 0.0f, 0, 0);
  EXPECT_EQ(lantern.Play(L"no_such_clip", 1, 0, 0.0f, 0, 0), zuzorev::kFail);
  EXPECT_EQ(lantern.GetCurrentName(), L"lantern_sway");
  EXPECT_EQ(lantern.IsState(), kAnimPlaying);

  // A clip over a mesh the model file lacks.
  dir.Write("Bad.xml", R"(<AnimSet><Clip Name="ghost" Model="Back_1.zorm"><Mesh Name="S_Ghost"/></Clip></AnimSet>)");
  ASSERT_EQ(core.Anims().LoadAnimSet((dir.Path() / "Bad.xml").wstring()), 1);
  EXPECT_EQ(lantern.LoadAnimation(L"ghost", 3, 0), zuzorev::kFail);

  CModelAnimation3D coreless(nullptr);
  EXPECT_EQ(coreless.LoadAnimation(L"lantern_sway", 3, 0), zuzorev::kFail);
  EXPECT_EQ(coreless.Play(L"lantern_sway", 1, 0, 0.0f, 0, 0), zuzorev::kFail);
  EXPECT_EQ(coreless.IsState(), kAnimIdle);
  EXPECT_EQ(coreless.Render(), 0);
}

TEST_F(AnimatedModels, MeshesArePosedByTheirTracksAroundTheModel) {
  CModelAnimation3D lantern(core.Get());
  lantern.SetPosition3D(100, 0, 0);
  lantern.PlayLoop(L"lantern_sway", 1, 0, 0.0f, 0, 0);
  Advance(lantern, 0.5f);
  lantern.Render();
  const zuzorev::SDrawRecord* body = core.LastDrawOf(L"S_Lantern");
  const zuzorev::SDrawRecord* glow = core.LastDrawOf(L"S_LanternGlow");
  ASSERT_NE(body, nullptr);
  ASSERT_NE(glow, nullptr);
  // The first mesh turns about the model's point ...
  EXPECT_NEAR(body->world(0, 0), std::cos(0.06f), 1e-6);
  EXPECT_NEAR(body->world(0, 2), std::sin(0.06f), 1e-6);
  EXPECT_FLOAT_EQ(body->world(3, 0), 100.0f);
  // ... the glow keeps its place above it (5 nearer, 90 up in the file)
  // and breathes: scale 1.05 and alpha 0.8 half-way to its peak.
  EXPECT_NEAR(glow->world(3, 0), 100.0f, 1e-3);
  EXPECT_NEAR(glow->world(3, 1), 5.0f, 1e-3);
  EXPECT_NEAR(glow->world(3, 2), 90.0f, 1e-3);
  EXPECT_NEAR(glow->world(0, 0), 1.05f, 1e-6);
  const float glowAlpha = glow->color[3];
  EXPECT_GT(glowAlpha, 0.0f);

  // The model's alpha and the clip's alpha both multiply.
  lantern.SetAlpha(L"lantern_sway", 0.5f);
  EXPECT_FLOAT_EQ(lantern.GetAlpha(L"lantern_sway"), 0.5f);
  lantern.SetAlpha(0.5f);
  lantern.Render();
  EXPECT_FLOAT_EQ(core.LastDrawOf(L"S_LanternGlow")->color[3], glowAlpha * 0.25f);
  lantern.SetAlpha(L"lantern_flare", 0.1f);  // not loaded: nothing changes
  EXPECT_FLOAT_EQ(lantern.GetAlpha(L"lantern_flare"), 1.0f);

  const size_t before = core.Render().GetFrameDraws().size();
  lantern.SetVisible(0);
  lantern.Render();
  EXPECT_EQ(core.Render().GetFrameDraws().size(), before);
}

TEST_F(AnimatedModels, BlendMovesSharedMeshesAndFadesTheRest) {
  dir.Write("Glow.xml", R"(<AnimSet><Clip Name="glow_only" Model="Back_1.zorm" Length="1">
      <Mesh Name="S_LanternGlow"><Key Time="0" Alpha="1"/></Mesh></Clip></AnimSet>)");
  ASSERT_EQ(core.Anims().LoadAnimSet((dir.Path() / "Glow.xml").wstring()), 1);
  CModelAnimation3D lantern(core.Get());
  lantern.PlayLoop(L"lantern_sway", 1, 0, 0.0f, 0, 0);
  Advance(lantern, 0.5f);  // turned 0.06
  lantern.Render();
  const float opaque = core.LastDrawOf(L"S_Lantern")->color[3];
  lantern.PlayBlend(L"lantern_flare", 1, 0, 0.5f, 0, 0);
  lantern.Play(L"", 0, 0, 0.0f, 0, 0);
  lantern.Update(0.25f, nullptr);
  lantern.Render();
  // Half-way: the body is half-way back from its sway to the flare's rest,
  // drawn once and whole.
  EXPECT_NEAR(core.LastDrawOf(L"S_Lantern")->world(0, 2), std::sin(0.03f), 1e-6);
  EXPECT_FLOAT_EQ(core.LastDrawOf(L"S_Lantern")->color[3], opaque);
  lantern.Update(0.25f, nullptr);
  lantern.Render();
  EXPECT_NEAR(core.LastDrawOf(L"S_Lantern")->world(0, 2), 0.0f, 1e-6);
  Advance(lantern, 0.5f);
  EXPECT_EQ(lantern.IsState(), kAnimFinished);

  // A mesh the new clip lacks fades out with the blend.
  lantern.PlayBlend(L"glow_only", 1, 0, 0.5f, 0, 0);
  core.Render().Begin();
  lantern.Render();
  const float full = core.LastDrawOf(L"S_Lantern")->color[3];
  lantern.Update(0.25f, nullptr);
  core.Render().Begin();
  lantern.Render();
  ASSERT_NE(core.LastDrawOf(L"S_Lantern"), nullptr);
  EXPECT_FLOAT_EQ(core.LastDrawOf(L"S_Lantern")->color[3], full * 0.5f);
  lantern.Update(0.25f, nullptr);
  core.Render().Begin();
  lantern.Render();
  EXPECT_EQ(core.LastDrawOf(L"S_Lantern"), nullptr);
}

}  // namespace
