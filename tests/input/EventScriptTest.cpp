// A scripted input source played through the window's event queue: its
// events arrive in the frames they are listed for, its seed seeds the
// game's random source, its frame time is the time every timer sees, and
// the desktop's own input cannot slip in while it plays.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "Engine/zuzorev/EventScript.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Platform/Random.h"

namespace {

using namespace zuzorev;

std::vector<uint32_t> gMessages;

intptr_t Proc(WindowHandle, uint32_t message, uintptr_t, intptr_t) {
  gMessages.push_back(message);
  return 0;
}

class EventScript : public ::testing::Test {
 protected:
  void SetUp() override {
    int full = 0;
    ASSERT_GE(window.Init(L"t", L"t", 101, 800, 600, full, Proc, nullptr), 0);
    ASSERT_GE(input.Init(&window), 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    gMessages.clear();
  }
  void TearDown() override { window.GetEvents().SetScript(nullptr); }
  // One frame as the main loop runs it: the frame starts, then the game
  // reads its input.
  void Frame() {
    window.BeginFrame();
    input.Update();
  }

  CWindowSystem window{EDeviceKind::Headless};
  CInputSystem input;
};

TEST_F(EventScript, EventsArriveInTheirFrames) {
  auto script = std::make_unique<CEventScript>();
  // Listed out of order: each frame plays its own, in the order given.
  script->Add(2, SInputEvent::MouseUp(0, 40, 50));
  script->Add(0, SInputEvent::MouseMove(10, 20));
  script->Add(1, SInputEvent::MouseDown(0, 30, 40));
  script->Add(2, SInputEvent::KeyDown(SDL_SCANCODE_ESCAPE));
  script->Add(4, SInputEvent::Of(EInputEvent::FocusLost));
  script->Add(-3, SInputEvent::KeyUp(SDL_SCANCODE_ESCAPE));  // before the start: the first frame
  CEventScript* playing = script.get();
  window.GetEvents().SetScript(std::move(script));

  struct Expected {
    int x, y;
    bool down, up, escDown;
    size_t messages;
  } frames[] = {
      {10, 20, false, false, false, 0},
      {30, 40, true, false, false, 0},
      {40, 50, false, true, true, 0},
      {40, 50, false, false, false, 0},
      {40, 50, false, false, false, 1},
  };
  int n = 0;
  for (const Expected& f : frames) {
    Frame();
    int x = 0, y = 0;
    input.GetMousePosition(x, y);
    EXPECT_EQ(x, f.x) << "frame " << n;
    EXPECT_EQ(y, f.y) << "frame " << n;
    EXPECT_EQ(input.IsButton(0, kInputDown), f.down) << "frame " << n;
    EXPECT_EQ(input.IsButton(0, kInputUp), f.up) << "frame " << n;
    EXPECT_EQ(input.IsVKey(27, kInputDown), f.escDown) << "frame " << n;
    EXPECT_EQ(gMessages.size(), f.messages) << "frame " << n;
    ++n;
  }
  EXPECT_EQ(gMessages, std::vector<uint32_t>{WM_ACTIVATEAPP});
  EXPECT_EQ(playing->GetFrame(), 5);
  EXPECT_TRUE(playing->IsFinished());

  // An event added for a frame already played comes with the next one.
  playing->Add(1, SInputEvent::MouseMove(7, 8));
  window.PeekMessageWindow();  // a pump that starts no frame plays nothing
  int x = 0, y = 0;
  input.GetMousePosition(x, y);
  EXPECT_EQ(x, 40);
  Frame();
  input.GetMousePosition(x, y);
  EXPECT_EQ(x, 7);
}

TEST_F(EventScript, FixedFrameTimeAndSeed) {
  Platform::SeedRandom(4242);
  const int expected[] = {Platform::Random(), Platform::Random(), Platform::Random()};
  Platform::SeedRandom(1);

  CTimer frameTimer;
  window.GetEvents().SetScript(std::make_unique<CEventScript>(0.125f, 4242u));
  EXPECT_TRUE(CTimer::IsManualClock());
  for (int value : expected) EXPECT_EQ(Platform::Random(), value);
  frameTimer.GetElapsedTime();
  for (int i = 0; i < 3; ++i) {
    Frame();
    EXPECT_FLOAT_EQ(frameTimer.GetElapsedTime(), 0.125f) << "frame " << i;
  }
  window.PeekMessageWindow();
  EXPECT_FLOAT_EQ(frameTimer.GetElapsedTime(), 0.0f) << "only a frame's start moves the clock";

  // Leaving the script gives the real clock back, without a jump backwards.
  window.GetEvents().SetScript(nullptr);
  EXPECT_FALSE(CTimer::IsManualClock());
  EXPECT_GE(frameTimer.GetElapsedTime(), 0.0f);
  EXPECT_LT(frameTimer.GetElapsedTime(), 1.0f);

  // No frame time, no seed: the real clock runs and the random source goes on.
  Platform::SeedRandom(9);
  const int next = Platform::Random();
  Platform::SeedRandom(9);
  window.GetEvents().SetScript(std::make_unique<CEventScript>(-1.0f));
  EXPECT_FALSE(CTimer::IsManualClock());
  EXPECT_EQ(Platform::Random(), next);
}

TEST_F(EventScript, TheDesktopsInputWaitsWhileAScriptPlaysButItsQuitDoesNot) {
  window.GetEvents().SetScript(std::make_unique<CEventScript>());
  SDL_Event down{};
  down.type = SDL_MOUSEBUTTONDOWN;
  down.button.button = SDL_BUTTON_LEFT;
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  for (SDL_Event* e : {&down, &focus, &quit}) ASSERT_EQ(SDL_PushEvent(e), 1);
  Frame();
  EXPECT_FALSE(input.IsButton(0, kInputDown));
  EXPECT_EQ(gMessages, std::vector<uint32_t>{WM_CLOSE});

  // Without a script the desktop's input counts again.
  window.GetEvents().SetScript(nullptr);
  ASSERT_EQ(SDL_PushEvent(&down), 1);
  Frame();
  EXPECT_TRUE(input.IsButton(0, kInputDown));
}

TEST_F(EventScript, ScriptedNumbersOutOfRangeAreSafe) {
  auto script = std::make_unique<CEventScript>();
  for (int key : {-1, 0, static_cast<int>(SDL_NUM_SCANCODES), 1 << 20}) script->Add(0, SInputEvent::KeyDown(key));
  for (int button : {-1, CInputSystem::kButtons}) script->Add(0, SInputEvent::MouseDown(button, 5, 6));
  SInputEvent wheel = SInputEvent::Of(EInputEvent::MouseWheel);
  wheel.wheel = INT_MAX;
  script->Add(0, wheel);
  script->Add(0, wheel);
  wheel.wheel = INT_MIN;
  script->Add(1, wheel);
  script->Add(1, wheel);
  window.GetEvents().SetScript(std::move(script));
  Frame();
  EXPECT_EQ(input.GetWheel(), INT_MAX) << "the steps saturate";
  EXPECT_FALSE(input.IsAnyVKeys());
  for (int b = 0; b < CInputSystem::kButtons; ++b) EXPECT_FALSE(input.IsButton(b, kInputDown));
  int x = 0, y = 0;
  input.GetMousePosition(x, y);
  EXPECT_EQ(x, 5) << "the pointer still moves";
  Frame();
  EXPECT_EQ(input.GetWheel(), INT_MIN);
}

}  // namespace
