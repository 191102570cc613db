// Flip-books: the numbered textures of one mesh, the numbered meshes of a
// model loop with its pauses, and the texture loop with its packed colour;
// driven through the scene's per-frame update with fixed frame times.
#include <gtest/gtest.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/AnimTexture3D.h"
#include "Objects/ROAnimModelLoop.h"
#include "Objects/ROAnimTextureLoop.h"
#include "effects/EffectsTestSupport.h"

namespace {

using effectstest::EffectsCore;
using effectstest::LoadObject;
using effectstest::ObjectOf;
using effectstest::RunFrames;

class FlipBook : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  EffectsCore core;
  testsupport::LogCapture log;
};

TEST_F(FlipBook, NumberedTexturesEndAtTheFirstMissingNumberAndLoop) {
  auto back = effectstest::LoadEffectsScene();
  auto* pic = ObjectOf<CAnimTexture3D>(*back, effectstest::kPic);
  ASSERT_NE(pic, nullptr);
  ASSERT_EQ(pic->GetFrameCount(), 4) << "Wave05 is missing, so Wave06 is never reached";
  EXPECT_EQ(pic->GetFrame(3)->GetName(), L"Wave04.png");
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(pic->GetFrame(i)->IsLoaded()) << "the scene's Load (3) read them";

  // Period 0.5 s, frames of 0.25 s: an exact period advances.
  struct Step {
    int frames;
    int shown;
  } steps[] = {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 0}, {1, 0}, {1, 1}};
  for (const Step& s : steps) {
    RunFrames(*back, s.frames, 0.25f);
    EXPECT_EQ(pic->GetCurrentFrame(), s.shown);
  }
  // One long frame skips several pictures.
  back->UpdateObjects(1.25f);
  EXPECT_EQ(pic->GetCurrentFrame(), 3);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
  // The missing Wave05 is the series' expected end, not a fault to warn of.
  for (const std::wstring& line : log.Texts(zuzorev::ELogLevel::Warning))
    EXPECT_EQ(line.find(L"Wave05"), std::wstring::npos) << "a warning names the series' end";
}

TEST_F(FlipBook, TexturesAreReadOnlyWithTheTextureFlagAndAZeroPeriodFreezes) {
  auto pic = LoadObject<CAnimTexture3D>(core, "<Properties NameModel=\"Pic\" BaseTexture=\"Wave\" ExtTexture=\".png\"/>");
  ASSERT_EQ(pic->GetFrameCount(), 4);
  EXPECT_EQ(pic->GetFrame(0)->GetName(), L"Wave01.png");
  EXPECT_FALSE(pic->GetFrame(0)->IsLoaded()) << "made by the factory with flags 0: named, not read";
  pic->Load(1);
  EXPECT_FALSE(pic->GetFrame(0)->IsLoaded());
  pic->Load(3);
  EXPECT_TRUE(pic->GetFrame(0)->IsLoaded());
  pic->UnLoad(3);
  EXPECT_FALSE(pic->GetFrame(0)->IsLoaded());
  for (int i = 0; i < 10; ++i) pic->Update(1.0f, nullptr);
  EXPECT_EQ(pic->GetCurrentFrame(), 0) << "no DeltaTime: the first picture stays";
}

TEST_F(FlipBook, ModelLoopPausesBetweenPassesAndHoldsTheLastFrameWithStopRender) {
  auto back = effectstest::LoadEffectsScene();
  auto* flame = ObjectOf<CROAnimModelLoop>(*back, effectstest::kFlame);
  ASSERT_NE(flame, nullptr);
  // 5 frames at 5 a second: one pass a second, then a pause of one pass.
  auto held = LoadObject<CROAnimModelLoop>(
      core, "<Properties NameModel=\"Flame\" CountKadr=\"5\" CountKadrSek=\"5\" TimeStop=\"1\" StopRender=\"1\"/>");
  struct Step {
    int frames;
    int shown;      // without StopRender; -1 nothing
    int heldShown;  // with it
  } steps[] = {{0, 0, 0},  {1, 1, 1},  {1, 2, 2},  {1, 3, 3},  {1, 4, 4},
               {1, -1, 4}, {2, -1, 4}, {1, -1, 4}, {1, 1, 1},  {3, 4, 4}};
  for (const Step& s : steps) {
    RunFrames(*back, s.frames, 0.25f);
    for (int i = 0; i < s.frames; ++i) held->Update(0.25f, nullptr);
    EXPECT_EQ(flame->GetShownFrame(), s.shown) << "phase " << flame->GetPhase();
    EXPECT_EQ(held->GetShownFrame(), s.heldShown) << "phase " << held->GetPhase();
  }
  EXPECT_FLOAT_EQ(flame->GetPause(), 1.0f) << "a fixed pause is never redrawn";
}

TEST_F(FlipBook, ModelLoopDrawsARandomPauseEachPassOnlyAboveATenthOfAPass) {
  auto random = LoadObject<CROAnimModelLoop>(
      core, "<Properties NameModel=\"Flame\" CountKadr=\"5\" CountKadrSek=\"5\" TimeStop1=\"1\" TimeStop2=\"3\"/>");
  auto fixed = LoadObject<CROAnimModelLoop>(
      core,
      "<Properties NameModel=\"Flame\" CountKadr=\"5\" CountKadrSek=\"5\" TimeStop=\"0.5\" TimeStop1=\"0\""
      " TimeStop2=\"0.1\"/>");
  std::vector<float> pauses{random->GetPause()};
  for (int i = 0; i < 200; ++i) {
    random->Update(0.05f, nullptr);
    fixed->Update(0.05f, nullptr);
    if (random->GetPause() != pauses.back()) pauses.push_back(random->GetPause());
    EXPECT_FLOAT_EQ(fixed->GetPause(), 0.5f);
  }
  EXPECT_GE(pauses.size(), 3u) << "a new pause after every pass";
  for (float p : pauses) {
    EXPECT_GE(p, 1.0f);
    EXPECT_LE(p, 3.0f);
  }
}

TEST_F(FlipBook, ModelLoopFrameNamesCountsAndControls) {
  auto back = effectstest::LoadEffectsScene();
  // The loop's meshes Flame01 and Flame03 are scene entries: no plain model.
  for (int entry : {effectstest::kFlame01, effectstest::kFlame03}) {
    EXPECT_EQ(back->GetEntry(entry).mMakeModel, 0);
    EXPECT_EQ(back->GetEntry(entry).mObject, nullptr);
  }
  EXPECT_NE(back->GetEntry(effectstest::kMistPlain).mObject, nullptr) << "other entries keep theirs";

  auto many = LoadObject<CROAnimModelLoop>(core, "<Properties NameModel=\"Flame\" CountKadr=\"75\"/>");
  EXPECT_EQ(many->GetFrameCount(), 60);
  std::vector<std::wstring> names;
  many->GetModelNames(names);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Flame01", L"Flame02", L"Flame03", L"Flame04", L"Flame05"}));
  auto single = LoadObject<CROAnimModelLoop>(core, "<Properties NameModel=\"Glow\" CountKadr=\"1\"/>");
  ASSERT_NE(single->GetFrameModel(0), nullptr) << "one frame: the mesh name without a number";
  EXPECT_EQ(single->GetFrameModel(0)->GetNameModel(), L"Glow");

  struct Case {
    const char* infinity;
    int stopMode;
    int playAfter;
  } cases[] = {{"1", 0, 1}, {"1", 1, 2}, {"0", 0, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.infinity);
    auto loop = LoadObject<CROAnimModelLoop>(
        core, std::string("<Properties NameModel=\"Flame\" CountKadr=\"5\" CountKadrSek=\"5\" Infinity=\"") +
                  c.infinity + "\"/>");
    loop->Start(0);
    loop->Update(0.5f, nullptr);
    EXPECT_EQ(loop->Stop(c.stopMode), 2);
    EXPECT_EQ(loop->GetPhase(), 0.0f) << "Stop rewinds";
    EXPECT_EQ(loop->GetPlayState(), c.playAfter);
  }
  // Backwards: the phase runs to -1 and the frames from the last.
  auto loop = LoadObject<CROAnimModelLoop>(core, "<Properties NameModel=\"Flame\" CountKadr=\"5\" CountKadrSek=\"5\"/>");
  loop->Start(1);
  loop->Update(0.25f, nullptr);
  EXPECT_FLOAT_EQ(loop->GetPhase(), -0.25f);
  EXPECT_EQ(loop->GetShownFrame(), 3);
}

TEST_F(FlipBook, TextureLoopSkipsAMissingPictureAndPacksItsColourIntoPartZero) {
  auto back = effectstest::LoadEffectsScene();
  auto* glow = ObjectOf<CROAnimTextureLoop>(*back, effectstest::kGlow);
  ASSERT_NE(glow, nullptr);
  ASSERT_NE(glow->GetModel(), nullptr);
  EXPECT_EQ(glow->GetFrameCount(), 3);
  EXPECT_TRUE(glow->GetTexture(0).IsNamed());
  EXPECT_FALSE(glow->GetTexture(1).IsNamed()) << "Glow02 is missing: an empty frame";
  EXPECT_TRUE(glow->GetTexture(2).IsNamed());

  // 0x80FF8040: red 1, green 128/255, blue 64/255, alpha 128/255.
  auto material = [&] { return glow->GetModel()->GetMesh()->GetD3DMaterial(0).Diffuse; };
  EXPECT_FLOAT_EQ(material().r, 1.0f);
  EXPECT_FLOAT_EQ(material().g, 128.0f / 255.0f);
  EXPECT_FLOAT_EQ(material().b, 64.0f / 255.0f);
  EXPECT_FLOAT_EQ(material().a, 128.0f / 255.0f);
  glow->SetAlpha(0.5f);
  EXPECT_FLOAT_EQ(material().a, 64.0f / 255.0f);
  EXPECT_FLOAT_EQ(glow->GetModel()->GetMesh()->GetD3DMaterial(0).Ambient.g, 128.0f / 255.0f);

  struct Step {
    int frames;
    int shown;
  } steps[] = {{1, 0}, {1, 1}, {1, 2}, {1, 2}, {1, 0}};
  for (const Step& s : steps) {
    RunFrames(*back, s.frames, 0.25f);
    EXPECT_EQ(glow->GetShownFrame(), s.shown) << "phase " << glow->GetPhase();
  }
  EXPECT_EQ(glow->Stop(1), 2);
  RunFrames(*back, 4, 0.25f);
  EXPECT_EQ(glow->GetPhase(), 0.0f) << "stopped";
}

}  // namespace
