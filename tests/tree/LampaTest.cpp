// The flickering lamp through its per-frame update with fixed frame times
// and a seeded random source: a lamp with no phases stays as it is, a long
// frame runs several states, a lamp may start lit, fades are cut to their
// phase, the draws of each switch come in their order, and bad data fails
// the load or is corrected.
#include <gtest/gtest.h>

#include <functional>

#include "Objects/Lampa.h"
#include "tree/TreeTestSupport.h"

namespace {

using treetest::Draws;
using treetest::LoadObject;
using treetest::TreeCore;
using zuzorev::ELogLevel;

std::string Lamp(const std::string& attributes) {
  return "<Properties NameModel=\"Glow\" " + attributes + "/>";
}

class Lampa : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  TreeCore core;
  testsupport::LogCapture log;
};

TEST_F(Lampa, WithBothPhasesZeroTheLampNeverChanges) {
  Draws r(3);
  auto lamp = LoadObject<CLampa>(core, Lamp("MinAlpha=\"0.3\" MaxAlpha=\"1\" MinTimeVis=\"0.2\" fRandTVis=\"1\""));
  for (int i = 0; i < 100; ++i) lamp->Update(0.5f, nullptr);
  EXPECT_EQ(lamp->GetState(), CLampa::kDark);
  EXPECT_EQ(lamp->GetCurrentAlpha(), 0.3f);
  EXPECT_EQ(lamp->GetMesh().GetAlphaAll(), 0.3f);
  EXPECT_EQ(r.Taken(), 0);
}

TEST_F(Lampa, OneLongFrameRunsSeveralStatesAndKeepsTheRhythm) {
  // Dark 0.5 s, flicker on 0.1 s, lit 1 s, flicker off 0.2 s: 1.8 s a turn.
  const std::string xml = Lamp(
      "TimeVis=\"1\" TimeUnVis=\"0.5\" MinAlpha=\"0.2\" MaxAlpha=\"0.9\" MinTimeVis=\"0.1\" MaxTimeVis=\"0\" "
      "MinTimeUnVis=\"0.2\" MaxTimeUnVis=\"0.2\"");
  auto once = LoadObject<CLampa>(core, xml);
  auto steps = LoadObject<CLampa>(core, xml);
  once->Update(2.35f, nullptr);
  for (int i = 0; i < 47; ++i) steps->Update(0.05f, nullptr);
  for (const CLampa* lamp : {once.get(), steps.get()}) {
    // 2.35 s = one turn and the dark phase, 0.05 s into the flicker on.
    EXPECT_EQ(lamp->GetState(), CLampa::kSwitchingOn);
    EXPECT_NEAR(lamp->GetStateElapsed(), 0.05f, 1e-4f);
    EXPECT_NEAR(lamp->GetCurrentAlpha(), 0.55f, 1e-3f) << "halfway from 0.2 to 0.9";
    EXPECT_NEAR(lamp->GetMesh().GetAlphaAll(), 0.55f, 1e-3f);
  }
}

TEST_F(Lampa, StartsLitOrDarkAsTVisibleSays) {
  struct Case {
    const char* visible;
    int state;
    float alpha, length;
    float toSwitch;  // seconds until the first switch
  } cases[] = {{"0", CLampa::kDark, 0.1f, 1.0f, 0.5f}, {"1", CLampa::kLit, 0.8f, 2.0f, 1.5f}};
  for (const Case& c : cases) {
    auto lamp = LoadObject<CLampa>(core, Lamp(std::string("TVisible=\"") + c.visible +
                                              "\" TimeVis=\"2\" TimeUnVis=\"1\" TempTime=\"0.5\" MinAlpha=\"0.1\" "
                                              "MaxAlpha=\"0.8\""));
    EXPECT_EQ(lamp->GetState(), c.state) << c.visible;
    EXPECT_EQ(lamp->GetCurrentAlpha(), c.alpha) << c.visible;
    EXPECT_EQ(lamp->GetMesh().GetAlphaAll(), c.alpha) << c.visible;
    EXPECT_EQ(lamp->GetStateLength(), c.length) << c.visible;
    EXPECT_EQ(lamp->GetStateElapsed(), 0.5f) << c.visible;
    lamp->Update(c.toSwitch - 0.01f, nullptr);
    EXPECT_EQ(lamp->GetState(), c.state) << c.visible;
    lamp->Update(0.02f, nullptr);
    EXPECT_EQ(lamp->GetState(), c.state == CLampa::kLit ? CLampa::kDark : CLampa::kLit) << c.visible;
  }
}

TEST_F(Lampa, FadesAreCutToTheirPhase) {
  struct Case {
    const char* fades;
    float inLength, outLength;
  } cases[] = {
      {"TimeAddAlpha=\"3\" TimeSubAlpha=\"5\"", 1.0f, 2.0f},
      {"TimeAddAlpha=\"0.4\" TimeSubAlpha=\"0.5\"", 0.4f, 0.5f},
      {"TimeAddAlpha=\"-1\" TimeSubAlpha=\"0\"", 0.0f, 0.0f},
  };
  for (const Case& c : cases) {
    auto lamp = LoadObject<CLampa>(
        core, Lamp(std::string("TimeVis=\"1\" TimeUnVis=\"2\" MinAlpha=\"0\" MaxAlpha=\"1\" ") + c.fades));
    lamp->Update(2.0f, nullptr);  // switches on at once
    ASSERT_EQ(lamp->GetState(), CLampa::kLit) << c.fades;
    EXPECT_EQ(lamp->GetFadeInLength(), c.inLength) << c.fades;
    lamp->Update(0.2f, nullptr);
    const float f = c.inLength > 0.0f ? std::min(0.2f / c.inLength, 1.0f) : 1.0f;
    EXPECT_NEAR(lamp->GetCurrentAlpha(), f, 1e-5f) << c.fades << ": the fade-in";
    lamp->Update(0.8f, nullptr);  // switches off at once
    ASSERT_EQ(lamp->GetState(), CLampa::kDark) << c.fades;
    EXPECT_EQ(lamp->GetFadeOutLength(), c.outLength) << c.fades;
  }
}

TEST_F(Lampa, EachSwitchDrawsItsLengthAndAlphaInOrder) {
  const std::string bounds = "TimeVis=\"2\" TimeUnVis=\"4\" MinAlpha=\"0.2\" MaxAlpha=\"1\" ";
  struct Case {
    const char* what;
    std::string xml;
    float toSwitch;
    int state;
    std::function<float(const Draws&)> length;
    std::function<float(const Draws&)> alphaTo;
  } cases[] = {
      {"switching on at once: length, then alpha", bounds + "fRandTVis=\"1\" fRandAlphaV=\"1\"", 4.0f, CLampa::kLit,
       [](const Draws& r) { return r[0] * 2.0f; }, [](const Draws& r) { return 1.0f - r[1] * (1.0f - 0.2f); }},
      {"flickering on: alpha, then length", bounds + "fRandAlphaV=\"1\" MinTimeVis=\"0.1\" MaxTimeVis=\"0.5\"", 4.0f,
       CLampa::kSwitchingOn, [](const Draws& r) { return 0.1f + r[1] * (0.5f - 0.1f); },
       [](const Draws& r) { return 1.0f - r[0] * (1.0f - 0.2f); }},
      {"a flicker from 0 up to its Max", bounds + "MinTimeVis=\"0\" MaxTimeVis=\"0.5\"", 4.0f, CLampa::kSwitchingOn,
       [](const Draws& r) { return r[0] * 0.5f; }, [](const Draws&) { return 1.0f; }},
      {"switching off at once: length, then alpha",
       "TVisible=\"1\" " + bounds + "fRandTUnVis=\"1\" fRandAlphaUnV=\"1\"", 2.0f, CLampa::kDark,
       [](const Draws& r) { return r[0] * 4.0f; }, [](const Draws& r) { return 0.2f + r[1] * (1.0f - 0.2f); }},
      {"flickering off: alpha, then length",
       "TVisible=\"1\" " + bounds + "fRandAlphaUnV=\"1\" MinTimeUnVis=\"0.1\" MaxTimeUnVis=\"0.3\"", 2.0f,
       CLampa::kSwitchingOff, [](const Draws& r) { return 0.1f + r[1] * (0.3f - 0.1f); },
       [](const Draws& r) { return 0.2f + r[0] * (1.0f - 0.2f); }},
  };
  for (const Case& c : cases) {
    Draws r(2024);
    auto lamp = LoadObject<CLampa>(core, Lamp(c.xml));
    lamp->Update(c.toSwitch, nullptr);
    EXPECT_EQ(lamp->GetState(), c.state) << c.what;
    EXPECT_FLOAT_EQ(lamp->GetStateLength(), c.length(r)) << c.what;
    EXPECT_FLOAT_EQ(lamp->GetAlphaTo(), c.alphaTo(r)) << c.what;
  }
}

TEST_F(Lampa, AlphaIsTheObjectsTimesTheLampsOwnAndTheMeshSmoothsIn2D) {
  auto lamp = LoadObject<CLampa>(core, Lamp("TimeVis=\"1\" TimeUnVis=\"1\" MinAlpha=\"0.4\" MaxAlpha=\"1\""));
  lamp->SetAlpha(0.5f);
  EXPECT_EQ(lamp->GetAlpha(), 0.5f);
  EXPECT_FLOAT_EQ(lamp->GetMesh().GetAlphaAll(), 0.2f);
  lamp->Update(1.0f, nullptr);
  EXPECT_FLOAT_EQ(lamp->GetMesh().GetAlphaAll(), 0.5f) << "lit at full alpha";
  lamp->SetRender2D(1);
  EXPECT_EQ(lamp->GetMesh().GetAllSmooth(), 1);
  EXPECT_EQ(lamp->GetRender2D(), 1);
  lamp->SetRender2D(0);
  EXPECT_EQ(lamp->GetMesh().GetAllSmooth(), 0);
  // Placed where its mesh stands in the model file.
  EXPECT_EQ(lamp->GetTempMatrix3D()(3, 0), -300.0f);
  EXPECT_EQ(lamp->GetTempMatrix3D()(3, 2), 200.0f);
}

TEST_F(Lampa, BadDataFailsTheLoadOrIsCorrected) {
  struct Case {
    const char* what;
    std::string xml;
    bool loads;
    std::vector<std::wstring> errors;
  } cases[] = {
      {"no model name", "<Properties TimeVis=\"1\"/>", false, {L"No find attribute  NameModel"}},
      {"a model the file lacks", "<Properties NameModel=\"Nothing\" TimeVis=\"1\"/>", false, {L"Load lampa model."}},
      {"negative phases never end a state", Lamp("TimeVis=\"-1\" TimeUnVis=\"-1\" MaxAlpha=\"1\""), true, {}},
      {"a negative lit phase with a dark one", Lamp("TimeVis=\"-2\" TimeUnVis=\"0.5\" MaxAlpha=\"1\""), true, {}},
      {"negative flicker bounds", Lamp("TimeVis=\"1\" TimeUnVis=\"1\" MinTimeVis=\"-1\" MaxTimeVis=\"-3\" "
                                       "MinTimeUnVis=\"-2\" MaxTimeUnVis=\"-1\" fRandTVis=\"1\""), true, {}},
      {"a negative head start", Lamp("TimeVis=\"1\" TimeUnVis=\"1\" TempTime=\"-5\""), true, {}},
  };
  for (const Case& c : cases) {
    log.Clear();
    int32_t result = 0;
    auto lamp = LoadObject<CLampa>(core, c.xml, &result);
    EXPECT_EQ(result, c.loads ? 0 : static_cast<int32_t>(0x80004005u)) << c.what;
    EXPECT_EQ(log.Texts(ELogLevel::Error), c.errors) << c.what;
    for (int i = 0; i < 200; ++i) lamp->Update(0.05f, nullptr);
    lamp->Update(1e30f, nullptr);
    EXPECT_GE(lamp->GetCurrentAlpha(), 0.0f) << c.what;
    EXPECT_LE(lamp->GetCurrentAlpha(), 1.0f) << c.what;
    core.Render().Begin();
    EXPECT_EQ(lamp->Render(), 0);
    core.Render().End();
  }
}

}  // namespace
