// Input states over frames, from events put on the window's event queue.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "support/CoreSupport.h"

namespace {

using zuzorev::CInputSystem;

using zuzorev::SInputEvent;

SInputEvent Key(bool down, SDL_Scancode code, bool repeat = false) {
  return down ? SInputEvent::KeyDown(code, repeat) : SInputEvent::KeyUp(code);
}

// Buttons: 0 left, 1 right.
SInputEvent Button(bool down, int button, int x = 10, int y = 20) {
  return down ? SInputEvent::MouseDown(button, x, y) : SInputEvent::MouseUp(button, x, y);
}

class Input : public ::testing::Test {
 protected:
  Input() : window(zuzorev::EDeviceKind::Headless) { EXPECT_GE(input.Init(&window), 0); }
  void Feed(const SInputEvent& e) { testsupport::Feed(window, {e}); }
  zuzorev::CWindowSystem window;
  CInputSystem input;
};

// Modes 1 (went down this frame), 2 (held) and 4 (came up this frame) of a
// key and a button across three frames: pressed, held, released.
TEST_F(Input, ThreeFramesOfPressHoldRelease) {
  struct Frame {
    std::vector<SInputEvent> events;
    bool down, held, up;
  } frames[] = {
      {{Key(true, SDL_SCANCODE_ESCAPE), Button(true, 0)}, true, true, false},
      {{Key(true, SDL_SCANCODE_ESCAPE, true)}, false, true, false},  // key repeat is no new press
      {{Key(false, SDL_SCANCODE_ESCAPE), Button(false, 0)}, false, false, true},
  };
  int n = 1;
  for (const auto& f : frames) {
    for (const auto& e : f.events) Feed(e);
    input.Update();
    EXPECT_EQ(input.IsVKey(27, 1), f.down) << "frame " << n;
    EXPECT_EQ(input.IsVKey(27, 2), f.held) << "frame " << n;
    EXPECT_EQ(input.IsVKey(27, 4), f.up) << "frame " << n;
    EXPECT_EQ(input.IsKey(0x01, 1), f.down) << "frame " << n;
    EXPECT_EQ(input.IsButton(0, 1), f.down) << "frame " << n;
    EXPECT_EQ(input.IsButton(0, 2), f.held) << "frame " << n;
    EXPECT_EQ(input.IsButton(0, 4), f.up) << "frame " << n;
    EXPECT_FALSE(input.IsButton(1, 1) || input.IsButton(1, 2) || input.IsButton(1, 4)) << "frame " << n;
    ++n;
  }
  input.Update();
  EXPECT_FALSE(input.IsButton(0, 4));  // the click was one frame only
}

TEST_F(Input, AClickWithinOneFrameIsDownAndUpButNotHeld) {
  Feed(Button(true, 1));
  Feed(Button(false, 1));
  input.Update();
  EXPECT_TRUE(input.IsButton(1, 1));
  EXPECT_FALSE(input.IsButton(1, 2));
  EXPECT_TRUE(input.IsButton(1, 4));
}

TEST_F(Input, StatesStayStableWithinAFrame) {
  input.Update();
  Feed(Button(true, 0));  // arrives mid-frame
  EXPECT_FALSE(input.IsButton(0, 1));
  EXPECT_FALSE(input.IsButton(0, 2));
  input.Update();
  EXPECT_TRUE(input.IsButton(0, 1));
}

TEST_F(Input, VirtualKeysAndScanCodesOfTheGame) {
  struct Case {
    SDL_Scancode sdl;
    int vk;
    int scan;
  } cases[] = {
      {SDL_SCANCODE_ESCAPE, 27, 0x01},   {SDL_SCANCODE_RETURN, 13, 0x1C},  {SDL_SCANCODE_KP_ENTER, 13, 0x9C},
      {SDL_SCANCODE_F1, 0x70, 0x3B},     {SDL_SCANCODE_END, 35, 0xCF},     {SDL_SCANCODE_H, 72, 0x23},
      {SDL_SCANCODE_KP_0, 0x60, 0x52},   {SDL_SCANCODE_KP_PLUS, 0x6B, 0x4E}, {SDL_SCANCODE_KP_MINUS, 0x6D, 0x4A},
      {SDL_SCANCODE_L, 0x4C, 0x26},      {SDL_SCANCODE_E, 0x45, 0x12},     {SDL_SCANCODE_R, 0x52, 0x13},
      {SDL_SCANCODE_PAGEUP, 33, 0xC9},   {SDL_SCANCODE_PAGEDOWN, 34, 0xD1}, {SDL_SCANCODE_HOME, 36, 0xC7},
      {SDL_SCANCODE_LCTRL, 17, 0x1D},    {SDL_SCANCODE_S, 'S', 0x1F},      {SDL_SCANCODE_M, 'M', 0x32},
      {SDL_SCANCODE_T, 'T', 0x14},
  };
  for (const auto& c : cases) {
    input.ClearAllState();
    Feed(Key(true, c.sdl));
    input.Update();
    EXPECT_TRUE(input.IsVKey(c.vk, 1)) << SDL_GetScancodeName(c.sdl);
    EXPECT_TRUE(input.IsKey(c.scan, 2)) << SDL_GetScancodeName(c.sdl);
    EXPECT_TRUE(input.IsAnyVKeys());
    Feed(Key(false, c.sdl));
  }
  input.ClearAllState();
  input.Update();
  EXPECT_FALSE(input.IsAnyVKeys());
  EXPECT_FALSE(input.IsVKey(0, 1));
  EXPECT_FALSE(input.IsKey(0xFFFF, 1));
  EXPECT_FALSE(input.IsButton(7, 1));
  EXPECT_FALSE(input.IsButton(0, 3));
}

TEST_F(Input, ClearingOneModeLeavesTheOthers) {
  Feed(Button(true, 0));
  Feed(Button(false, 0));
  Feed(Key(true, SDL_SCANCODE_ESCAPE));
  input.Update();
  input.ClearStateButton(0, 1);
  EXPECT_FALSE(input.IsButton(0, 1));
  EXPECT_TRUE(input.IsButton(0, 4));
  input.ClearStateButton(0, 4);
  EXPECT_FALSE(input.IsButton(0, 4));
  input.ClearStateKey(1, 1);
  EXPECT_FALSE(input.IsVKey(27, 1));
  EXPECT_TRUE(input.IsVKey(27, 2));
  input.Update();
  EXPECT_TRUE(input.IsVKey(27, 2));  // still held next frame
  input.ClearAllState();
  input.Update();
  EXPECT_FALSE(input.IsVKey(27, 2));
}

TEST_F(Input, TextWheelAndPointer) {
  SInputEvent text = SInputEvent::Of(zuzorev::EInputEvent::Text);
  text.text = L"Ann\u00e9";
  Feed(text);
  SInputEvent wheel = SInputEvent::Of(zuzorev::EInputEvent::MouseWheel);
  wheel.wheel = 2;
  Feed(wheel);
  Feed(SInputEvent::MouseMove(300, 200));
  input.Update();
  EXPECT_EQ(input.GetTextInput(), L"Ann\u00e9");
  EXPECT_EQ(input.GetWheel(), 2);
  int x = 0, y = 0;
  input.GetMousePosition(x, y);
  EXPECT_EQ(x, 300);
  EXPECT_EQ(y, 200);
  input.Update();
  EXPECT_TRUE(input.GetTextInput().empty());
}

TEST_F(Input, UnacquiredInputIsIgnored) {
  input.UnAcquire();
  Feed(Key(true, SDL_SCANCODE_ESCAPE));
  input.Update();
  EXPECT_FALSE(input.IsVKey(27, 1));
  ASSERT_GE(input.Acquire(), 0);
  Feed(Key(true, SDL_SCANCODE_ESCAPE));
  input.Update();
  EXPECT_TRUE(input.IsVKey(27, 1));
  CInputSystem loose;
  EXPECT_LT(loose.Init(nullptr), 0);
  EXPECT_LT(loose.Acquire(), 0);
}

TEST(Timer, ManualClockDrivesEveryTimer) {
  zuzorev::CTimer::UseManualClock(true);
  zuzorev::CTimer timer;
  zuzorev::CTimer::AdvanceManualClock(0.25);
  EXPECT_FLOAT_EQ(timer.GetElapsedTime(), 0.25f);
  EXPECT_FLOAT_EQ(timer.GetElapsedTime(), 0.0f);
  double start = timer.GetAbsoluteTime();
  zuzorev::CTimer::AdvanceManualClock(1.5);
  timer.ZeroTimer();
  EXPECT_FLOAT_EQ(timer.GetElapsedTime(), 0.0f);
  EXPECT_DOUBLE_EQ(timer.GetAbsoluteTime() - start, 1.5);
  zuzorev::CTimer::UseManualClock(false);
  zuzorev::CTimer real;
  EXPECT_GE(real.GetElapsedTime(), 0.0f);
}

}  // namespace
