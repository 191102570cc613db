// Bad data never crashes an effect object: missing required attributes give
// their lines and a failed load, counts out of range are clamped, a frame
// list with nothing loadable draws nothing, a broken animation file is
// named, and a Pos mesh the model file lacks leaves the models where they
// are.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>

#include "Engine/rovovoz/ModelAnimation3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Objects/AnimObject3D.h"
#include "Objects/AnimTexture3D.h"
#include "Objects/Morfing.h"
#include "Objects/ROAnimModelLoop.h"
#include "Objects/ROAnimTextureLoop.h"
#include "Objects/ROModelAnimatoinList.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/ROPlavaet.h"
#include "Objects/ROSimpleDerevo.h"
#include "Objects/SimpleFrameAnim.h"
#include "Platform/Paths.h"
#include "effects/EffectsTestSupport.h"

namespace {

using effectstest::EffectsCore;
using effectstest::LoadObject;
using zuzorev::ELogLevel;

class BadData : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  EffectsCore core;
  testsupport::LogCapture log;
  testsupport::TempDir dir;
};

// Every operation the scene calls, with a few seconds of frames.
void Exercise(rovovoz::CBaseGeometryObject& object) {
  object.Load(3);
  object.SetWorldMatrix3D(zormath::Mat4f::Identity());
  for (int i = 0; i < 50; ++i) object.Update(0.1f, nullptr);
  object.SetAlpha(0.5f);
  object.Render();
  object.Stop(0);
  object.Stop(1);
  object.SetRender2D(1);
  object.LoadTransformForMesh();
  object.UnLoad(3);
  const zormath::Vec3f p = object.GetPosition3D();
  EXPECT_FALSE(std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z));
}

TEST_F(BadData, RequiredAttributesGiveTheirLinesAndAFailedLoad) {
  struct Case {
    std::function<std::unique_ptr<rovovoz::CBaseGeometryObject>(int32_t&)> load;
    std::vector<std::wstring> errors;
  } cases[] = {
      {[&](int32_t& r) { return LoadObject<CAnimTexture3D>(core, "<Properties BaseTexture=\"Wave\"/>", &r); },
       {L"No find attribute NameModel"}},
      {[&](int32_t& r) { return LoadObject<CAnimTexture3D>(core, "<Properties NameModel=\"Pic\"/>", &r); },
       {L"No find attribute BaseTexture"}},
      {[&](int32_t& r) { return LoadObject<CAnimTexture3D>(core, "<Properties NameModel=\"Nothing\" BaseTexture=\"Wave\"/>", &r); },
       {L"Load animation texture mesh model."}},
      {[&](int32_t& r) { return LoadObject<CAnimObject3D>(core, "<Properties NameAnimXml=\"Cat.xml\" NameAnim=\"cat_wash\"/>", &r); },
       {}},
      {[&](int32_t& r) { return LoadObject<CAnimObject3D>(core, "<Properties NameModel=\"Cat\" NameAnim=\"cat_wash\"/>", &r); },
       {}},
  };
  for (auto& c : cases) {
    log.Clear();
    int32_t result = 0;
    auto object = c.load(result);
    EXPECT_LT(result, 0);
    std::vector<std::wstring> errors = log.Texts(ELogLevel::Error);
    EXPECT_EQ(errors, c.errors);
    Exercise(*object);
  }
  CAnimTexture3D noCore(nullptr);
  testsupport::Element element("<Properties NameModel=\"Pic\" BaseTexture=\"Wave\"/>");
  log.Clear();
  EXPECT_LT(noCore.Load(element.Get(), L"Effects.zorm", 0), 0);
  EXPECT_LT(noCore.Load(nullptr, L"Effects.zorm", 0), 0);
  EXPECT_EQ(log.Texts(ELogLevel::Error), (std::vector<std::wstring>{L"Null render system", L"Null render system"}));
  CAnimTexture3D withCore(core.Get());
  log.Clear();
  EXPECT_LT(withCore.Load(nullptr, L"Effects.zorm", 0), 0);
  EXPECT_EQ(log.Texts(ELogLevel::Error), std::vector<std::wstring>{L"Null xml element."});
}

TEST_F(BadData, OddCountsAndEmptyListsAreNeutral) {
  const std::string cases[] = {
      "<Properties NameModel=\"Flame\" CountKadr=\"0\" CountKadrSek=\"5\"/>",
      "<Properties NameModel=\"Flame\" CountKadr=\"500\" CountKadrSek=\"5\" TimeStop2=\"4\" Overlay=\"1\"/>",
      "<Properties NameModel=\"Flame\" CountKadr=\"-3\" CountKadrSek=\"5\" Napr=\"-1\"/>",
      "<Properties NameModel=\"Nothing\" CountKadr=\"5\" CountKadrSek=\"5\"/>",
  };
  for (const std::string& properties : cases) {
    SCOPED_TRACE(properties);
    int32_t result = -1;
    auto loop = LoadObject<CROAnimModelLoop>(core, properties, &result);
    EXPECT_EQ(result, 0);
    EXPECT_LE(loop->GetFrameCount(), 60);
    Exercise(*loop);
    EXPECT_FALSE(std::isnan(loop->GetPhase()));
    auto textures = LoadObject<CROAnimTextureLoop>(
        core, properties.substr(0, properties.size() - 2) + " TextreName=\"Nothing\" TextreName2=\".png\"/>", &result);
    EXPECT_EQ(result, 0);
    EXPECT_LE(textures->GetFrameCount(), 32);
    Exercise(*textures);
  }
  // No frame loads: the frame animation shows nothing and answers neutrally.
  for (const char* properties : {"<Properties TemplateModelName=\"Nothing\" NumOfFrames=\"5\" OnStart=\"PlayLoop\"/>",
                                 "<Properties NumOfFrames=\"5\"/>",
                                 "<Properties><Frames FileName=\"Effects.zorm\"><Frame ModelName=\"None\"/></Frames></Properties>",
                                 "<Properties><Frames FileName=\"Missing.zorm\"><Frame ModelName=\"Door01\"/></Frames></Properties>"}) {
    SCOPED_TRACE(properties);
    int32_t result = -1;
    auto anim = LoadObject<CSimpleFrameAnim>(core, properties, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(anim->GetFrameCount(), 0);
    Exercise(*anim);
    EXPECT_EQ(anim->GetCurrentFrame(), 0);
    EXPECT_FALSE(anim->IsHit(0, 0, 0));
  }
  // Models that are not in the file: nothing is drawn, nothing moves oddly.
  const char* missing = "<Properties NameModel=\"Nothing\" NameModel2=\"None\" Chastota=\"0\"/>";
  Exercise(*LoadObject<CMorfing>(core, missing));
  Exercise(*LoadObject<CROMoveTexture>(core, missing));
  Exercise(*LoadObject<CROPlavaet>(core, missing));
  Exercise(*LoadObject<CROSimpleDerevo>(core, missing));
  Exercise(*LoadObject<CROModelAnimatoinList>(core, "<Properties><Model NameModel=\"Nothing\"/><Anim/></Properties>"));
  EXPECT_EQ(log.Texts(ELogLevel::Error), std::vector<std::wstring>{L"No find model file Missing.zorm."})
      << "only the engine's word on the missing file";
}

TEST_F(BadData, ABrokenAnimationFileIsNamedAndLeavesNoFrames) {
  struct Case {
    const char* bytes;  // null: no file
    int frames;
  } cases[] = {
      {nullptr, 0},
      {"<Animation><Frames FileName=\"Effects.zorm\"><Frame ModelName=\"Door01\"/>", 0},
      {"<Other><Frames FileName=\"Effects.zorm\"><Frame ModelName=\"Door01\"/></Frames></Other>", 0},
      {"<Animation><Frames><Frame ModelName=\"Door01\"/></Frames><hitFrames><Frame ModelName=\"DoorHit01\"/>"
       "</hitFrames></Animation>", 0},
      {"<Animation><Frames FileName=\"Effects.zorm\"><Frame ModelName=\"Door01\"/><Frame/></Frames>"
       "<hitFrames FileName=\"Effects_tr.zorm\"><Frame ModelName=\"Nothing\"/></hitFrames></Animation>", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes ? c.bytes : "missing");
    const std::filesystem::path file = dir.Path() / "Anim.xml";
    std::filesystem::remove(file);
    if (c.bytes) dir.Write("Anim.xml", c.bytes);
    CSimpleFrameAnim anim(core.Get());
    log.Clear();
    const bool read = anim.LoadAnimationXml(Platform::FromPath(file));
    EXPECT_EQ(anim.GetFrameCount(), c.frames);
    EXPECT_EQ(anim.GetHitCount(), 0);
    if (read) {
      EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
    } else {
      ASSERT_FALSE(log.Texts(ELogLevel::Error).empty());
      EXPECT_EQ(log.Texts(ELogLevel::Error).back(), L"Load " + Platform::FromPath(file));
    }
    anim.PlayLoop();
    Exercise(anim);
  }
}

TEST_F(BadData, APosMeshTheFileLacksLeavesTheModelsInPlace) {
  int32_t result = -1;
  auto list = LoadObject<CROModelAnimatoinList>(
      core,
      "<Properties><Pos NameModel=\"Nothing\"/><Model NameModel=\"Cat\"/>"
      "<Anim Name=\"cat_wash\" File=\"Data\\Animation\\Cat.xml\"/></Properties>",
      &result);
  EXPECT_EQ(result, 0);
  ASSERT_NE(list->GetStaticModel(), nullptr);
  EXPECT_EQ(list->GetStaticModel()->GetPosition3D(), zormath::Vec3f(350, 0, 250));
  auto placed = LoadObject<CROModelAnimatoinList>(
      core,
      "<Properties><Pos NameModel=\"Sign\"/><Model NameModel=\"Cat\"/>"
      "<Anim Name=\"cat_wash\" File=\"Data\\Animation\\Cat.xml\"/></Properties>",
      &result);
  EXPECT_EQ(placed->GetStaticModel()->GetPosition3D(), zormath::Vec3f(300, 0, -100)) << "where the Pos mesh stands";
  EXPECT_EQ(placed->GetStaticModel()->GetRender2D(), 1) << "Smooth 0";
  EXPECT_EQ(placed->GetAnimation(0)->GetPosition3D(), zormath::Vec3f(300, 0, -100));
  Exercise(*list);
}

TEST_F(BadData, HugeRatesStayFinite) {
  auto picture = LoadObject<CAnimTexture3D>(
      core, "<Properties NameModel=\"Pic\" BaseTexture=\"Wave\" ExtTexture=\".png\" DeltaTime=\"1e-9\"/>");
  picture->Update(1000.0f, nullptr);
  EXPECT_GE(picture->GetCurrentFrame(), 0);
  EXPECT_LT(picture->GetCurrentFrame(), 4);
  auto mist = LoadObject<CROMoveTexture>(core, "<Properties NameModel=\"Mist\" Vx=\"1e38\" Vy=\"-3e38\"/>");
  auto sign = LoadObject<CROPlavaet>(
      core, "<Properties NameModel=\"Sign\"><PropertiesX Chastota=\"3e38\"/><PropertiesZ Chastota=\"-3e38\"/></Properties>");
  auto tree = LoadObject<CROSimpleDerevo>(core, "<Properties NameModel=\"Tree_01\" Chastota=\"3e38\"/>");
  auto glow = LoadObject<CROAnimTextureLoop>(
      core, "<Properties NameModel=\"Glow\" CountKadr=\"3\" CountKadrSek=\"3e38\" TextreName=\"Glow\" TextreName2=\".png\"/>");
  for (int i = 0; i < 100; ++i) {
    for (rovovoz::CBaseGeometryObject* o : std::initializer_list<rovovoz::CBaseGeometryObject*>{
             picture.get(), mist.get(), sign.get(), tree.get(), glow.get()})
      o->Update(10.0f, nullptr);
    ASSERT_TRUE(std::isfinite(mist->GetOffsetU()) && std::isfinite(mist->GetOffsetV()));
    ASSERT_LE(std::fabs(mist->GetOffsetU()), 1.0f);
    const zormath::Vec3f p = sign->GetModel()->GetPosition3D();
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.z));
    const zormath::Vec3f d = tree->GetModel()->GetDirection3D();
    ASSERT_TRUE(std::isfinite(d.x) && std::isfinite(d.z));
    ASSERT_TRUE(std::isfinite(glow->GetPhase()));
    ASSERT_GE(glow->GetShownFrame(), -1);
    ASSERT_LT(glow->GetShownFrame(), 3);
  }
}

}  // namespace
