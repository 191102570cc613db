// The lightning flash: its pause and strength draws, the brightness curve
// drawn at points of the cycle, the L key forcing a flash only when there
// is thunder, a frozen cycle at TimeKoef 0, and the thunder stopped when
// the scene is left.
#include <gtest/gtest.h>

#include <SDL.h>

#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Objects/ROMolnia.h"
#include "Platform/Random.h"
#include "lights/LightsTestSupport.h"

namespace {

using lightstest::LightsCore;
using lightstest::LoadObject;

constexpr const char* kStorm =
    "<Properties><BaseProperties Time1=\"1\" Time2=\"1\" Alpha1=\"0.5\" Alpha2=\"0.5\"/><Sound File=\"Thunder\"/>"
    "<Obj Model=\"Sky\" Alpha=\"0.8\"/><Obj Model=\"Cloud\"/><Obj Model=\"NoSuchMesh\"/><Obj Model=\"Wall\"/>"
    "<Obj Model=\"Bolt\" IsMoln=\"1\"/></Properties>";

class Lightning : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    ASSERT_GE(core.Get()->GetInput()->Init(core.Get()->GetWindow()), 0);
  }
  // The alphas of the draws of one frame, by mesh name in draw order.
  std::vector<std::pair<std::wstring, float>> Frame(CROMolnia& molnia) {
    lightstest::BeginFrame(core.Render());
    molnia.Render();
    std::vector<std::pair<std::wstring, float>> draws;
    for (const zuzorev::SDrawRecord& draw : core.Render().GetFrameDraws()) draws.emplace_back(draw.mesh, draw.color[3]);
    return draws;
  }
  // Press and release of L, seen by the next update.
  void TapL() {
    core.Get()->GetInput()->HandleEvent(zuzorev::SInputEvent::KeyDown(SDL_SCANCODE_L));
    core.Get()->GetInput()->HandleEvent(zuzorev::SInputEvent::KeyUp(SDL_SCANCODE_L));
    core.Get()->GetInput()->Update();
  }
  void NoKeys() { core.Get()->GetInput()->Update(); }
  LightsCore core;
};

TEST_F(Lightning, LoadDrawsPauseTimerAndStrengthInOrder) {
  Platform::SeedRandom(99);
  const float r1 = Platform::RandomFloat(), r2 = Platform::RandomFloat(), r3 = Platform::RandomFloat();
  Platform::SeedRandom(99);
  auto molnia = LoadObject<CROMolnia>(
      core, "<Properties><BaseProperties Time1=\"2\" Time2=\"4\" Alpha1=\"0.2\" Alpha2=\"0.6\"/></Properties>");
  const float pause = 2.0f + r1 * 2.0f;
  EXPECT_FLOAT_EQ(molnia->GetPause(), pause);
  EXPECT_FLOAT_EQ(molnia->GetTimer(), r2 * pause) << "the first flash after a random part of a pause";
  EXPECT_FLOAT_EQ(molnia->GetStrength(), 0.2f + r3 * 0.4f);
}

TEST_F(Lightning, TheBrightnessCurveAtPointsOfTheCycle) {
  auto molnia = LoadObject<CROMolnia>(core, kStorm);
  ASSERT_EQ(molnia->GetCount(), 5) << "every Obj counts, loaded or not";
  molnia->SetAlpha(0.5f);
  NoKeys();
  const int before = core.Starts(L"Thunder");
  molnia->Update(1.0f, nullptr);  // past the first pause: a flash
  EXPECT_EQ(molnia->GetTimer(), 0.0f);
  EXPECT_EQ(core.Starts(L"Thunder") - before, 1);
  const float k = 0.5f * 0.5f;  // strength x object alpha
  auto pulse = [](float f) { return 4.0f * f * (1.0f - f); };
  struct Case {
    float t;
    std::vector<std::pair<std::wstring, float>> draws;
  } cases[] = {
      {0.1f,
       {{L"Sky", 0.5f}, {L"Cloud", 0.5f}, {L"Wall", 0.5f}, {L"Bolt", 0.5f},
        {L"Sky", 0.8f * pulse(0.1f / 0.43f) * k}, {L"Cloud", pulse(0.1f / 0.43f) * k},
        {L"Wall", std::min(1.0f, 2.0f * pulse(0.1f / 0.43f)) * k}, {L"Bolt", pulse(0.1f / 0.43f) * k}}},
      {0.3f,
       {{L"Sky", 0.8f * pulse(0.3f / 0.43f) * k}, {L"Cloud", pulse(0.3f / 0.43f) * k},
        {L"Wall", std::min(1.0f, 2.0f * pulse(0.3f / 0.43f)) * k}, {L"Bolt", pulse(0.3f / 0.43f) * k}}},
      {0.5f,
       {{L"Sky", 0.8f * pulse(0.07f / 0.14f) * k}, {L"Cloud", pulse(0.07f / 0.14f) * k},
        {L"Wall", pulse(0.07f / 0.14f) * k}, {L"Bolt", pulse(0.07f / 0.14f) * k}}},
      {0.7f, {{L"Bolt", (1.0f - 0.13f / 0.23f) * 0.5f * k}}},
      {0.9f, {}},
  };
  float t = 0.0f;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.t);
    molnia->Update(c.t - t, nullptr);
    t = c.t;
    const auto draws = Frame(*molnia);
    ASSERT_EQ(draws.size(), c.draws.size()) << (draws.empty() ? std::string() : Platform::WideToUtf8(draws[0].first));
    for (size_t i = 0; i < draws.size(); ++i) {
      EXPECT_EQ(draws[i].first, c.draws[i].first) << i;
      EXPECT_NEAR(draws[i].second, c.draws[i].second, 2e-3f) << i;
    }
  }
}

TEST_F(Lightning, NothingIsDrawnAtTheExactEndsOfThePulses) {
  for (float t : {0.43f, 0.57f}) {
    SCOPED_TRACE(t);
    // A flash, then the timer run to exactly the end of a pulse.
    auto molnia = LoadObject<CROMolnia>(core, kStorm);
    NoKeys();
    molnia->Update(1.0f, nullptr);
    molnia->Update(t, nullptr);
    EXPECT_FLOAT_EQ(molnia->GetTimer(), t);
    if (molnia->GetTimer() == t) {
      EXPECT_TRUE(Frame(*molnia).empty());
    }
  }
}

TEST_F(Lightning, TheKeyForcesAFlashOnlyWithThunderToHear) {
  struct Case {
    const char* sound;
    bool flashes;
  } cases[] = {{"Thunder", true}, {"T", false}, {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sound);
    auto molnia = LoadObject<CROMolnia>(
        core, std::string("<Properties><BaseProperties Time1=\"5\" Time2=\"5\" TimeKoef=\"0\"/><Sound File=\"") +
                  c.sound + "\"/><Obj Model=\"Sky\"/></Properties>");
    NoKeys();
    const float frozen = molnia->GetTimer();
    for (int i = 0; i < 10; ++i) molnia->Update(1.0f, nullptr);
    EXPECT_EQ(molnia->GetTimer(), frozen) << "TimeKoef 0 freezes the cycle";
    const int before = core.Starts(L"Thunder");
    TapL();
    molnia->Update(0.1f, nullptr);
    EXPECT_EQ(molnia->GetTimer() == 0.0f, c.flashes);
    EXPECT_EQ(core.Starts(L"Thunder") - before, c.flashes ? 1 : 0);
  }
}

TEST_F(Lightning, EleventhObjIsIgnoredAndLeavingTheSceneStopsTheThunder) {
  std::string properties = "<Properties><Sound File=\"Thunder\"/>";
  for (int i = 0; i < 11; ++i) properties += i == 10 ? "<Obj Model=\"Bolt\"/>" : "<Obj Model=\"Sky\"/>";
  auto molnia = LoadObject<CROMolnia>(core, properties + "</Properties>");
  EXPECT_EQ(molnia->GetCount(), 10);
  std::vector<std::wstring> names;
  molnia->GetModelNames(names);
  EXPECT_EQ(names, std::vector<std::wstring>(10, L"Sky"));
  core.Get()->GetSound()->PlayLoop(L"Thunder", 0.0f);
  EXPECT_EQ(core.Get()->GetSound()->GetState(L"Thunder"), rovovoz::kSoundPlaying);
  molnia->UnLoad(3);
  core.Get()->GetSound()->Update(0.6f);
  EXPECT_EQ(core.Get()->GetSound()->GetState(L"Thunder"), rovovoz::kSoundStopped);
}

}  // namespace
