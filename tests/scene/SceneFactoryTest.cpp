// The object factory: every type keyword, the order of elements for one
// entry, the failure messages, the particle effect's placement and the
// meshes composite objects draw themselves.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <functional>

#include "Engine/RerivuzoZurodo/ParticleEffect.h"
#include "Engine/rovovoz/ParticleSystem.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/VideoObject3D.h"
#include "Objects/AnimObject3D.h"
#include "Objects/AnimTexture3D.h"
#include "Objects/Blesk.h"
#include "Objects/Derevo.h"
#include "Objects/Fire.h"
#include "Objects/FirePart.h"
#include "Objects/Lampa.h"
#include "Objects/LuchiPil.h"
#include "Objects/MaxAnim.h"
#include "Objects/MolniiElektr.h"
#include "Objects/Morfing.h"
#include "Objects/Oblaka.h"
#include "Objects/ROAnimModelLoop.h"
#include "Objects/ROAnimTextureLoop.h"
#include "Objects/ROBliki.h"
#include "Objects/ROListopad.h"
#include "Objects/ROLuchi.h"
#include "Objects/ROModelAnimatoinList.h"
#include "Objects/ROMolnia.h"
#include "Objects/ROMoveSpline.h"
#include "Objects/ROMoveTexture.h"
#include "Objects/ROOtragenie.h"
#include "Objects/ROPlavaet.h"
#include "Objects/RORain.h"
#include "Objects/ROSimpleDerevo.h"
#include "Objects/SimpleFrameAnim.h"
#include "Objects/Struya.h"
#include "scene/SceneTestSupport.h"

namespace {

using scenetest::CTestBack;
using zuzorev::ELogLevel;
using Check = std::function<bool(rovovoz::CBaseGeometryObject*)>;

template <class T>
Check Is() {
  return [](rovovoz::CBaseGeometryObject* o) { return dynamic_cast<T*>(o) != nullptr; };
}

constexpr int kBox = 4;  // S_Box of Draw.xml

class SceneFactory : public ::testing::Test {
 protected:
  // A scene of Draw.xml whose object file is the given Object elements.
  std::unique_ptr<CTestBack> WithObjects(const std::string& objects) {
    auto back = scenetest::LoadScene(L"Level\\Draw.xml");
    const auto file = dir.Write("Draw_anim.xml", "<?xml version=\"1.0\"?>\n<Objects>\n" + objects + "</Objects>\n");
    for (int i = 0; i < back->GetEntryCount(); ++i) back->GetEntry(i).mRender2D = 0;
    log.Clear();
    EXPECT_EQ(back->LoadObjects(Platform::FromPath(file), back->GetFileRender()), 1);
    return back;
  }

  scenetest::SceneCore core;
  testsupport::LogCapture log;
  testsupport::TempDir dir;
};

TEST_F(SceneFactory, EveryKeywordMakesItsObject) {
  struct Case {
    const char* type;
    const char* properties;  // the Properties element; "" an empty one
    Check made;              // null: the load fails
    const wchar_t* failure;  // the failure message
    int render2D;
  } cases[] = {
      {"FIRE", "", nullptr, L"Load object fire name = S_Box", 0},
      {"fire", "<Properties NameModel=\"S_Box\"/>", nullptr, L"Load object fire name = S_Box", 0},
      {"DEREVO", "", Is<CDerevo>(), nullptr, 0},
      {"MOLNII_ELEKTR", "", Is<CMolniiElektr>(), nullptr, 0},
      {"LUCHIPIL", "<Properties NameModel=\"S_Box\"/>", Is<CLuchiPil>(), nullptr, 0},
      {"PARTICLE", "<Properties><Emiter Type=\"TBaseEmiter\"/></Properties>", Is<rovovoz::CParticleSystem>(), nullptr,
       0},
      {"Particle", "", nullptr, L"Load object particle name = S_Box", 0},
      {"STRUYA", "", nullptr, L"Load object struya name = S_Box", 0},
      {"struya", "<Properties NameModel=\"S_Box\"/>", Is<CStruya>(), nullptr, 0},
      {"MOVE_TEXTURE", "", Is<CROMoveTexture>(), nullptr, 0},
      {"OBLAKA", "", nullptr, L"Load object oblako name = S_Box", 0},
      {"oblaka", "<Properties NameModel=\"S_Box\"/>", Is<COblaka>(), nullptr, 0},
      {"ANIMATION3D", "", nullptr, L"Load object anim 3d name = S_Box", 0},
      {"ANIMTEXTURE3D", "", nullptr, L"Load object anim texture 3d name = S_Box", 0},
      {"animtexture3d", "<Properties NameModel=\"S_Box\" BaseTexture=\"None\"/>", Is<CAnimTexture3D>(), nullptr, 0},
      {"LAMPA", "<Properties NameModel=\"S_Box\"/>", Is<CLampa>(), nullptr, 1},
      {"BLESK", "", nullptr, L"Load object blesk name = S_Box", 0},
      {"blesk",
       "<Properties NameModel=\"S_Box\" NamePoint=\"Scene.zorm\" NameModelPoint=\"S_Box\">"
       "<Point/><Begin/><Center/><End/></Properties>",
       Is<CBlesk>(), nullptr, 0},
      {"KACHANIE", "", Is<CROSimpleDerevo>(), nullptr, 0},
      {"MOVE_SPLINE", "", Is<CROMoveSpline>(), nullptr, 0},
      {"ANIM_TEXTURE_LOOP", "", Is<CROAnimTextureLoop>(), nullptr, 0},
      {"ROBLIKI", "", Is<CROBliki>(), nullptr, 0},
      {"MODEL_ANIMATOIN_LIST", "", Is<CROModelAnimatoinList>(), nullptr, 0},
      {"LUCHI", "", Is<CROLuchi>(), nullptr, 0},
      {"ANIM_MODEL_LOOP", "", Is<CROAnimModelLoop>(), nullptr, 0},
      {"FRAME_ANIM", "", Is<CSimpleFrameAnim>(), nullptr, 0},
      {"MOLNIA", "", Is<CROMolnia>(), nullptr, 0},
      {"RAIN", "", Is<CRORain>(), nullptr, 0},
      {"OTRAGENIE", "", Is<CROOtragenie>(), nullptr, 0},
      {"FIRE_PART", "", Is<CFirePart>(), nullptr, 0},
      {"PLAVAET", "", Is<CROPlavaet>(), nullptr, 0},
      {"LISTOPAD", "", nullptr, L"Load object ROListopad name = S_Box", 0},
      {"listopad", "<Properties File=\"Scene.zorm\"/>", Is<CROListopad>(), nullptr, 0},
      {"MAX_ANIM", "", Is<CMaxAnim>(), nullptr, 0},
      {"VIDEO_OBJ", "", nullptr, L"Load object video name = S_Box", 1},
      {"PARTICLE_EFFECT", "", nullptr, L"Load object particle effect name = S_Box", 1},
      {"particle_effect", "<Properties Path=\"Particles\\Sparks\" Infinity=\"1\"/>",
       Is<RerivuzoZurodo::CParticleEffect>(), nullptr, 1},
      {"MORFING", "", Is<CMorfing>(), nullptr, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    const std::string properties = *c.properties ? c.properties : "<Properties/>";
    auto back =
        WithObjects(std::string("<Object Type=\"") + c.type + "\" NameObj=\"S_Box\">" + properties + "</Object>\n");
    const SObjectEntry& entry = back->GetEntry(kBox);
    EXPECT_EQ(entry.mFromObjectFile, 0);
    EXPECT_EQ(entry.mRender2D, c.render2D) << "set after the load, whether it succeeded or not";
    if (c.made) {
      ASSERT_NE(entry.mObject, nullptr);
      EXPECT_TRUE(c.made(entry.mObject));
      EXPECT_EQ(entry.mMakeModel, 0);
      EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
    } else {
      EXPECT_EQ(entry.mObject, nullptr) << "a failed object is deleted";
      ASSERT_FALSE(log.Texts(ELogLevel::Error).empty());
      EXPECT_EQ(log.Texts(ELogLevel::Error).back(), c.failure) << "after what the object itself reports";
    }
  }
}

TEST_F(SceneFactory, ElementsOfOneEntryAndBadElements) {
  {
    auto back = WithObjects(
        "<Object Type=\"FIRE_PART\" NameObj=\"S_Box\"><Properties/></Object>\n"
        "<Object Type=\"LAMPA\" NameObj=\"S_Box\"><Properties NameModel=\"S_Box\"/></Object>\n");
    EXPECT_NE(dynamic_cast<CLampa*>(back->GetEntry(kBox).mObject), nullptr) << "the second replaces the first";
  }
  {
    auto back = WithObjects(
        "<Object Type=\"ROTATE\" NameObj=\"S_Box\"><Properties Speed=\"1.5\"/></Object>\n"
        "<Object Type=\"FIRE_PART\" NameObj=\"S_Box\"><Properties/></Object>\n");
    EXPECT_NE(dynamic_cast<CFirePart*>(back->GetEntry(kBox).mObject), nullptr);
    EXPECT_FLOAT_EQ(back->GetEntry(kBox).mRotateSpeed, 1.5f) << "a rotating typed object";
  }
  {
    auto back = WithObjects(
        "<Object Type=\"FIRE_PART\" NameObj=\"S_Box\"><Properties/></Object>\n"
        "<Object Type=\"ROTATE\" NameObj=\"S_Box\"><Properties Speed=\"2\"/></Object>\n");
    EXPECT_NE(dynamic_cast<CFirePart*>(back->GetEntry(kBox).mObject), nullptr) << "ROTATE after the object keeps it";
    EXPECT_FLOAT_EQ(back->GetEntry(kBox).mRotateSpeed, 2.0f);
  }
  {
    auto back = WithObjects("<Object Type=\"rotate\" NameObj=\"S_Ball\"><Properties Speed=\"0.5\"/></Object>\n");
    SObjectEntry& ball = back->GetEntry(5);
    ASSERT_NE(dynamic_cast<rovovoz::CStaticObject3D*>(ball.mObject), nullptr) << "the static model stays";
    EXPECT_FLOAT_EQ(ball.mRotateSpeed, 0.5f);
    back->UpdateObjects(2.0f);
    EXPECT_NEAR(std::fabs(ball.mObject->GetRight3D().z), std::sin(1.0f), 1e-5f) << "and turns";
    EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
  }
  {
    auto back = WithObjects(
        "<Object Type=\"FIRE\" NameObj=\"s_box\"><Properties/></Object>\n"
        "<Object Type=\"FIRE\" NameObj=\"Nothing\"><Properties/></Object>\n"
        "<Object NameObj=\"S_Ball\"><Properties/></Object>\n"
        "<Object Type=\"FIRE\"><Properties/></Object>\n"
        "<Object Type=\"SMOKE\" NameObj=\"S_GreyA\"><Properties/></Object>\n"
        "<Object Type=\"FIRE\" NameObj=\"S_GreyB\"/>\n");
    const std::vector<std::wstring> errors = {L"No find object s_box.", L"No find object Nothing."};
    EXPECT_EQ(log.Texts(ELogLevel::Error), errors);
    EXPECT_NE(back->GetEntry(kBox).mObject, nullptr) << "a name differing in case names nothing";
    EXPECT_NE(back->GetEntry(5).mObject, nullptr) << "no Type: skipped whole";
    // An element that makes nothing leaves the entry's picture alone.
    for (int entry : {1, 2}) {
      EXPECT_NE(dynamic_cast<rovovoz::CStaticObject3D*>(back->GetEntry(entry).mObject), nullptr) << entry;
      EXPECT_EQ(back->GetEntry(entry).mFromObjectFile, 1) << entry;
      EXPECT_EQ(back->GetEntry(entry).mMakeModel, 1) << entry;
    }
  }
}

TEST_F(SceneFactory, ParticleEffectPlacedOnItsMesh) {
  {
    auto back = WithObjects(
        "<Object Type=\"PARTICLE_EFFECT\" NameObj=\"S_Ball\">"
        "<Properties Path=\"Particles\\Sparks\" Infinity=\"1\" fPosT=\"1\"/></Object>\n");
    auto* effect = dynamic_cast<RerivuzoZurodo::CParticleEffect*>(back->GetEntry(5).mObject);
    ASSERT_NE(effect, nullptr);
    EXPECT_TRUE(effect->IsLoaded());
    EXPECT_TRUE(effect->IsInfinity());
    EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
    zormath::Mat4f placement;
    ASSERT_GT(core.Render().GetMatrixTransform(L"", placement, L"Scene.zorm", L"S_Ball"), 0);
    EXPECT_EQ(effect->GetLocationMatrix3D(), placement) << "the effect stands where its mesh does";
  }
  // A mesh the render file lacks: the effect loads unplaced, with a word.
  auto back = scenetest::LoadScene(L"Level\\Scene_1.xml");
  const auto file = dir.Write("Missing_anim.xml",
                              "<Objects><Object Type=\"PARTICLE_EFFECT\" NameObj=\"S_Missing\">"
                              "<Properties Path=\"Particles\\Sparks\" fPosT=\"1\"/></Object></Objects>");
  log.Clear();
  back->LoadObjects(Platform::FromPath(file), back->GetFileRender());
  EXPECT_EQ(log.Texts(ELogLevel::Error),
            std::vector<std::wstring>{
                L"Load PARTICLE_EFFECT. Load matrix transform. File = Scene.zorm ModelName = S_Missing"});
  EXPECT_NE(dynamic_cast<RerivuzoZurodo::CParticleEffect*>(back->GetEntry(4).mObject), nullptr);
}

TEST_F(SceneFactory, NumbersThatAreNoNumbersAreNamedWithTheirFileAndKeepTheDefaults) {
  auto back = WithObjects(
      "<Object Type=\"RAIN\" NameObj=\"S_Box\"><Properties Texture=\"drop.png\" T=\"2\" "
      "dt=\"#-99999999999e999%n\"/></Object>\n"
      "<Object Type=\"ROTATE\" NameObj=\"S_Ball\"><Properties Speed=\"inf\"/></Object>\n"
      "<Object Type=\"PARTICLE_EFFECT\" NameObj=\"S_GreyA\"><Properties Path=\"Particles\\Sparks\" "
      "Infinity=\"yes\"/></Object>\n");
  const auto* rain = dynamic_cast<const CRORain*>(back->GetEntry(kBox).mObject);
  ASSERT_NE(rain, nullptr) << "the rain goes on with its default interval of 0.1 s";
  EXPECT_EQ(rain->GetParams().Capacity, 22);
  EXPECT_EQ(back->GetEntry(5).mRotateSpeed, 0.0f);
  const auto* effect = dynamic_cast<const RerivuzoZurodo::CParticleEffect*>(back->GetEntry(1).mObject);
  ASSERT_NE(effect, nullptr);
  EXPECT_FALSE(effect->IsInfinity());
  // The effect file's own warnings aside, one line per spoilt attribute.
  std::vector<std::wstring> warnings;
  for (const std::wstring& line : log.Texts(ELogLevel::Warning))
    if (line.find(L"Draw_anim.xml") != std::wstring::npos) warnings.push_back(line);
  ASSERT_EQ(warnings.size(), 3u);
  for (const wchar_t* attribute : {L"dt=", L"Speed=", L"Infinity="}) {
    const auto named = std::find_if(warnings.begin(), warnings.end(), [&](const std::wstring& line) {
      return line.find(attribute) != std::wstring::npos;
    });
    EXPECT_NE(named, warnings.end()) << Platform::WideToUtf8(attribute);
  }
  EXPECT_TRUE(log.Texts(ELogLevel::Error).empty());
}

TEST_F(SceneFactory, AParticleEffectWhoseFileDoesNotLoadIsReportedOnce) {
  auto back = WithObjects(
      "<Object Type=\"PARTICLE_EFFECT\" NameObj=\"S_Box\"><Properties Path=\"Particles\\Nowhere\"/></Object>\n");
  EXPECT_EQ(back->GetEntry(kBox).mObject, nullptr);
  const std::vector<std::wstring> errors = log.Texts(ELogLevel::Error);
  ASSERT_EQ(errors.size(), 2u) << "the effect file is read once, by the factory";
  EXPECT_NE(errors[0].find(L"Nowhere"), std::wstring::npos);
  EXPECT_EQ(errors[1], L"Load object particle effect name = S_Box");

  // A path longer than the 99 characters it has room for is cut, with a word.
  const std::string longPath = "Particles\\" + std::string(100, 'x');
  back = WithObjects("<Object Type=\"PARTICLE_EFFECT\" NameObj=\"S_Box\"><Properties Path=\"" + longPath +
                     "\"/></Object>\n");
  EXPECT_EQ(back->GetEntry(kBox).mObject, nullptr);
  const std::vector<std::wstring> warnings = log.Texts(ELogLevel::Warning);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find(L"Draw_anim.xml: attribute Path of S_Box is longer than 99 characters"),
            std::wstring::npos);
  ASSERT_FALSE(log.Texts(ELogLevel::Error).empty());
  EXPECT_EQ(log.Texts(ELogLevel::Error)[0].find(Platform::Utf8ToWide(longPath.substr(0, 100))), std::wstring::npos)
      << "the whole path is never asked for";
}

TEST_F(SceneFactory, MeshesACompositeDrawsLoseTheirOwnModels) {
  auto back = WithObjects("<Object Type=\"FIRE\" NameObj=\"S_GreyB\"><Properties/></Object>\n");
  rovovoz::CBaseGeometryObject* fire = back->GetEntry(2).mObject;
  back->TakeOverModelNames({L"S_GreyA", L"S_GreyB", L"T_Box", L"Nothing"});
  EXPECT_EQ(back->GetEntry(1).mObject, nullptr) << "S_GreyA is drawn by the composite";
  EXPECT_EQ(back->GetEntry(1).mMakeModel, 0);
  EXPECT_EQ(back->GetEntry(2).mObject, fire) << "an object of its own stays";
  EXPECT_EQ(back->GetEntry(2).mMakeModel, 0);
  EXPECT_NE(back->GetEntry(kBox).mObject, nullptr) << "trigger names are not model names";
}

TEST_F(SceneFactory, AnObjectFileOfAnotherKindIsNamedAndAMissingOneIsNot) {
  auto back = scenetest::LoadScene(L"Level\\Scene_1.xml");
  struct Case {
    const char* bytes;  // null: no file
    std::vector<std::wstring> errors;
  };
  const auto file = dir.Path() / "Other_anim.xml";
  const std::wstring name = Platform::FromPath(file);
  const Case cases[] = {
      {nullptr, {}},
      {"<Form><Object Type=\"FIRE\" NameObj=\"S_GreyB\"/></Form>", {L"No find teg <Objects> file xml " + name}},
  };
  for (const Case& c : cases) {
    if (c.bytes) dir.Write("Other_anim.xml", c.bytes);
    log.Clear();
    EXPECT_EQ(back->LoadObjects(name, back->GetFileRender()), 1);
    EXPECT_EQ(log.Texts(ELogLevel::Error), c.errors);
  }
}

}  // namespace
