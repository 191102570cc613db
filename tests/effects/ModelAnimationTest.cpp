// Objects that play engine animations or fade models: the animated model
// object's load and play table, the morph's cross-fade and blink, and the
// random animation list with its click animation.
#include <gtest/gtest.h>

#include <set>

#include "Engine/rovovoz/ModelAnimation3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/AnimObject3D.h"
#include "Objects/Morfing.h"
#include "Objects/ROModelAnimatoinList.h"
#include "effects/EffectsTestSupport.h"

namespace {

using effectstest::EffectsCore;
using effectstest::LoadObject;
using effectstest::ObjectOf;
using effectstest::RunFrames;
using zuzorev::ELogLevel;

class ModelAnimation : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  EffectsCore core;
  testsupport::LogCapture log;
};

std::string CatAnimation(const std::string& extra) {
  return "<Properties NameModel=\"Cat\" NameAnimXml=\"Cat.xml\" NameAnim=\"cat_wash\" " + extra + "/>";
}

TEST_F(ModelAnimation, AnimatedModelPlaysByInfinityAndBlend) {
  struct Case {
    const char* extra;
    int render2D;  // after Play
    int stateLater;  // 1.5 s later
    int afterStop0;
  } cases[] = {
      {"Infinity=\"0\" Blend=\"0\"", 1, rovovoz::kAnimFinished, rovovoz::kAnimFinished},
      {"Infinity=\"0\" Blend=\"1\"", 0, rovovoz::kAnimFinished, rovovoz::kAnimFinished},
      {"Infinity=\"1\" Blend=\"0\"", 1, rovovoz::kAnimPlaying, rovovoz::kAnimPlaying},
      {"Infinity=\"1\" Blend=\"1\"", 1, rovovoz::kAnimPlaying, rovovoz::kAnimPlaying},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    int32_t result = -1;
    auto cat = LoadObject<CAnimObject3D>(core, CatAnimation(c.extra), &result);
    ASSERT_EQ(result, 0);
    ASSERT_NE(cat->GetModel(), nullptr);
    cat->Play();
    EXPECT_EQ(cat->GetModel()->GetRender2D(), c.render2D);
    EXPECT_EQ(cat->GetModel()->GetCurrentName(), L"cat_wash");
    for (int i = 0; i < 6; ++i) cat->Update(0.25f, nullptr);
    EXPECT_EQ(cat->IsState(), c.stateLater);
    cat->Play();
    cat->Stop(0);
    if (c.afterStop0 == rovovoz::kAnimPlaying) EXPECT_EQ(cat->IsState(), rovovoz::kAnimPlaying) << "Stop (0) spares a loop";
    else EXPECT_EQ(cat->IsState(), rovovoz::kAnimIdle);
    cat->Stop(1);
    EXPECT_EQ(cat->IsState(), rovovoz::kAnimIdle);
  }
  // The named controls of the scene's Run action, whatever the settings.
  struct Control {
    void (CAnimObject3D::*play)();
    int render2D;
    int stateLater;
  } controls[] = {
      {&CAnimObject3D::PlayOnce, 1, rovovoz::kAnimFinished},
      {&CAnimObject3D::PlayLoop, 1, rovovoz::kAnimPlaying},
      {&CAnimObject3D::PlayBlendOnce, 0, rovovoz::kAnimFinished},
      {&CAnimObject3D::PlayBlendLoop, 1, rovovoz::kAnimPlaying},
  };
  for (const Control& c : controls) {
    auto cat = LoadObject<CAnimObject3D>(core, CatAnimation("Infinity=\"1\" Blend=\"1\""));
    (cat.get()->*c.play)();
    EXPECT_EQ(cat->GetModel()->GetRender2D(), c.render2D);
    for (int i = 0; i < 6; ++i) cat->Update(0.25f, nullptr);
    EXPECT_EQ(cat->IsState(), c.stateLater);
  }
}

TEST_F(ModelAnimation, AnimatedModelPlacementAndNeutralAnswers) {
  // The model file argument beats FileName; FileName serves without one.
  auto cat = LoadObject<CAnimObject3D>(core, CatAnimation("FileName=\"Nothing.zorm\""));
  EXPECT_EQ(cat->GetLocationMatrix3D()(3, 0), 350.0f);
  auto fromAttribute = std::make_unique<CAnimObject3D>(core.Get());
  testsupport::Element element(CatAnimation("FileName=\"Effects.zorm\""));
  ASSERT_EQ(fromAttribute->Load(element.Get(), L"", 0), 0);
  EXPECT_EQ(fromAttribute->GetLocationMatrix3D()(3, 2), 250.0f);

  int32_t result = -1;
  auto still = LoadObject<CAnimObject3D>(core, "<Properties NameModel=\"Cat\" NameAnimXml=\"Cat.xml\"/>", &result);
  EXPECT_EQ(result, 0) << "no NameAnim: a success with nothing to draw";
  EXPECT_EQ(still->GetModel(), nullptr);
  still->Play();
  still->Stop(1);
  EXPECT_EQ(still->Render(), 0);
  EXPECT_EQ(still->Load(3), 1);
  EXPECT_EQ(still->UnLoad(3), 1);
  EXPECT_EQ(still->GetAlpha(), 1.0f);
  EXPECT_EQ(still->IsState(), 0);
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());

  auto bad = LoadObject<CAnimObject3D>(
      core, "<Properties NameModel=\"Cat\" NameAnimXml=\"Cat.xml\" NameAnim=\"cat_dance\"/>", &result);
  EXPECT_LT(result, 0);
  EXPECT_EQ(bad->GetModel(), nullptr);
  ASSERT_FALSE(log.Texts(ELogLevel::Error).empty());
  EXPECT_EQ(log.Texts(ELogLevel::Error).back(), L"Load object anim 3d name = Cat");
}

TEST_F(ModelAnimation, MorphSwitchesEveryIntervalCrossFadingOverTheLastTwoSeconds) {
  auto back = effectstest::LoadEffectsScene();
  auto* morph = ObjectOf<CMorfing>(*back, effectstest::kPortrait);
  ASSERT_NE(morph, nullptr);
  ASSERT_NE(morph->GetSecond(), nullptr);
  EXPECT_EQ(back->GetEntry(effectstest::kPortraitB).mObject, nullptr) << "the second model is drawn by the morph";
  EXPECT_EQ(back->GetEntry(effectstest::kPortraitB).mMakeModel, 0);
  EXPECT_FLOAT_EQ(morph->GetInterval(), 3.0f);
  auto alphas = [&] { return std::pair{morph->GetFirst()->GetAlpha(), morph->GetSecond()->GetAlpha()}; };
  // T1 = T2 = 3, frames of 0.25 s.
  struct Step {
    int frames;
    float first, second;
  } steps[] = {{0, 1.0f, 0.0f},  {4, 1.0f, 0.0f},     {4, 0.5f, 0.5f},   {2, 0.25f, 0.75f},
               {2, 0.0f, 1.0f},  {1, 0.0f, 1.0f},     {4, 0.0f, 1.0f},   {5, 0.625f, 0.375f}};
  for (const Step& s : steps) {
    RunFrames(*back, s.frames, 0.25f);
    EXPECT_FLOAT_EQ(alphas().first, s.first);
    EXPECT_FLOAT_EQ(alphas().second, s.second);
  }
  EXPECT_EQ(morph->GetCurrent(), 1);
  morph->SetAlpha(0.5f);
  EXPECT_FLOAT_EQ(alphas().first, 0.3125f) << "the object's alpha takes effect at once";
  EXPECT_FLOAT_EQ(alphas().second, 0.1875f);
}

TEST_F(ModelAnimation, MorphBlinksTwiceThenHidesBothUntilTheSequenceEnds) {
  auto back = effectstest::LoadEffectsScene();
  auto* morph = ObjectOf<CMorfing>(*back, effectstest::kPortrait);
  ASSERT_NE(morph, nullptr);
  morph->Start();
  auto alphas = [&] { return std::pair{morph->GetFirst()->GetAlpha(), morph->GetSecond()->GetAlpha()}; };
  // Two blink units a second; frames of 0.25 s add half a unit.
  struct Step {
    int frames;
    float first, second;
  } steps[] = {{1, 0.5f, 0.5f}, {1, 0.0f, 1.0f}, {2, 1.0f, 0.0f}, {2, 0.0f, 1.0f},
               {2, 1.0f, 0.0f}, {1, 0.75f, 0.0f}, {1, 0.5f, 0.0f}, {2, 0.0f, 0.0f}, {10, 0.0f, 0.0f}};
  for (const Step& s : steps) {
    RunFrames(*back, s.frames, 0.25f);
    EXPECT_NEAR(alphas().first, s.first, 1e-6f);
    EXPECT_NEAR(alphas().second, s.second, 1e-6f);
    EXPECT_TRUE(morph->IsBlinking());
  }
  RunFrames(*back, 1, 0.25f);
  EXPECT_FALSE(morph->IsBlinking()) << "past 11 units the sequence ends";
  RunFrames(*back, 1, 0.25f);
  EXPECT_GT(alphas().first + alphas().second, 0.9f) << "the idle cross-fade takes over again";
  morph->Start();
  RunFrames(*back, 2, 0.25f);
  morph->Start();
  RunFrames(*back, 1, 0.25f);
  EXPECT_NEAR(alphas().first, 0.5f, 1e-6f) << "a second Start restarts the sequence";
}

TEST_F(ModelAnimation, ListNeverPlaysTheExcludedClickAnimationAtRandom) {
  auto back = effectstest::LoadEffectsScene();
  auto* cat = ObjectOf<CROModelAnimatoinList>(*back, effectstest::kCat);
  ASSERT_NE(cat, nullptr);
  ASSERT_EQ(cat->GetCount(), 3);
  std::set<int> played;
  for (int i = 0; i < 2000; ++i) {
    back->UpdateObjects(0.05f);
    if (cat->GetCurrent() >= 0) played.insert(cat->GetCurrent());
  }
  EXPECT_EQ(played, (std::set<int>{0, 2})) << "Click 2 keeps cat_yawn out of the random choice";
  while (cat->GetCurrent() >= 0) back->UpdateObjects(0.05f);
  cat->StartRandom();
  EXPECT_EQ(cat->GetCurrent(), 1) << "the scene's Run plays it";
  EXPECT_GE(cat->GetPause(), 2.0f);
  RunFrames(*back, 22, 0.05f);
  EXPECT_EQ(cat->GetCurrent(), -1) << "finished: the cat rests again";
}

TEST_F(ModelAnimation, ListChoiceRules) {
  const std::string model = "<Model NameModel=\"Cat\"/>";
  auto anim = [](const char* name, const char* click = nullptr) {
    return std::string("<Anim Name=\"") + name + "\" File=\"Data\\Animation\\Cat.xml\"" +
           (click ? std::string(" Click=\"") + click + "\"" : std::string()) + "/>";
  };
  {
    // One animation marked Click 2 still plays at random.
    auto list = LoadObject<CROModelAnimatoinList>(core, "<Properties T1=\"0\" T2=\"0\">" + model +
                                                            anim("cat_yawn", "2") + "</Properties>");
    list->Load(3);
    EXPECT_EQ(list->GetPause(), 0.0f);
    list->Update(0.0f, nullptr);
    EXPECT_EQ(list->GetCurrent(), -1) << "a pause of exactly 0 waits one more frame";
    list->Update(0.01f, nullptr);
    EXPECT_EQ(list->GetCurrent(), 0);
  }
  {
    // Without Click the scene's Run plays the first.
    auto list = LoadObject<CROModelAnimatoinList>(
        core, "<Properties>" + model + anim("cat_tail") + anim("cat_wash") + "</Properties>");
    list->StartRandom();
    EXPECT_EQ(list->GetCurrent(), 0);
    EXPECT_EQ(list->GetAnimationName(0), L"cat_tail");
  }
  {
    // An animation that failed to load counts as finished at once.
    auto list = LoadObject<CROModelAnimatoinList>(
        core, "<Properties T1=\"0\" T2=\"0\">" + model + anim("cat_dance", "1") + "</Properties>");
    list->Load(3);
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_EQ(list->GetAnimation(0), nullptr);
    list->StartRandom();
    EXPECT_EQ(list->GetCurrent(), -1);
    list->Update(0.01f, nullptr);
    list->Update(0.01f, nullptr);
    EXPECT_EQ(list->GetCurrent(), -1);
    EXPECT_EQ(list->Render(), 0) << "the static model is shown";
  }
  {
    std::string eleven;
    for (int i = 0; i < 11; ++i) eleven += anim(i == 10 ? "cat_yawn" : "cat_wash", i == 10 ? "1" : nullptr);
    auto list = LoadObject<CROModelAnimatoinList>(core, "<Properties>" + model + eleven + "</Properties>");
    EXPECT_EQ(list->GetCount(), 10) << "an eleventh Anim is ignored";
    list->StartRandom();
    EXPECT_EQ(list->GetCurrent(), 0) << "so is its Click";
  }
}

}  // namespace
