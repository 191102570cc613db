// Window events injected through SDL reach the window procedure as the
// application's messages; input events reach the input system.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/WindowSystem.h"

namespace {

using namespace zuzorev;

struct SMessage {
  uint32_t message;
  uintptr_t wParam;
  bool deleting;
  bool operator==(const SMessage&) const = default;
};

std::vector<SMessage> gMessages;
bool gDefaultClose = false;

intptr_t Proc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  gMessages.push_back({message, wParam, window->IsDelete()});
  if (message == WM_CLOSE && gDefaultClose) return DefWindowProcW(window, message, wParam, lParam);
  return 0;
}

SDL_Event WindowEvent(uint8_t event) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = event;
  return e;
}

class Window : public ::testing::TestWithParam<EDeviceKind> {
 protected:
  void SetUp() override {
    if (GetParam() == EDeviceKind::GL) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    window = std::make_unique<CWindowSystem>(GetParam());
    int full = 0;
    if (window->Init(L"Lantern Hall", L"Lantern Hall", 101, 640, 480, full, Proc, nullptr) < 0)
      GTEST_SKIP() << "no SDL window on the offscreen driver";
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // the window's own start-up events
    gMessages.clear();
    gDefaultClose = false;
  }
  void TearDown() override { window.reset(); }
  std::unique_ptr<CWindowSystem> window;
};

TEST_P(Window, EventsBecomeTheApplicationsMessages) {
  struct Case {
    SDL_Event event;
    SMessage message;
  };
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_Event display{};
  display.type = SDL_DISPLAYEVENT;
  display.display.event = SDL_DISPLAYEVENT_ORIENTATION;
  const Case cases[] = {
      {WindowEvent(SDL_WINDOWEVENT_CLOSE), {WM_CLOSE, 0, false}},
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), {WM_ACTIVATEAPP, 1, false}},
      {WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), {WM_ACTIVATEAPP, 0, false}},
      {WindowEvent(SDL_WINDOWEVENT_MINIMIZED), {WM_SIZE, SIZE_MINIMIZED, false}},
      {WindowEvent(SDL_WINDOWEVENT_RESTORED), {WM_SIZE, SIZE_RESTORED, false}},
      {WindowEvent(SDL_WINDOWEVENT_EXPOSED), {WM_NCPAINT, 0, false}},
      {quit, {WM_CLOSE, 0, false}},
      {display, {WM_SETTINGCHANGE, 0, false}},
  };
  for (const auto& c : cases) {
    gMessages.clear();
    SDL_Event e = c.event;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    EXPECT_EQ(window->PeekMessageWindow(), kPeekHandled);
    ASSERT_EQ(gMessages.size(), 1u) << c.message.message;
    EXPECT_TRUE(gMessages[0] == c.message) << c.message.message;
  }
  EXPECT_EQ(window->PeekMessageWindow(), kPeekNothing);
  EXPECT_FALSE(window->IsDestroyed());  // the procedure kept the window
}

TEST_P(Window, DefaultCloseDestroysTheWindowAndEndsThePump) {
  gDefaultClose = true;
  SDL_Event e = WindowEvent(SDL_WINDOWEVENT_CLOSE);
  SDL_PushEvent(&e);
  EXPECT_EQ(window->PeekMessageWindow(), kPeekQuit);
  ASSERT_EQ(gMessages.size(), 2u);
  EXPECT_TRUE(gMessages[0] == (SMessage{WM_CLOSE, 0, false}));
  EXPECT_TRUE(gMessages[1] == (SMessage{WM_DESTROY, 0, true}));  // IsDelete while it is destroyed
  EXPECT_FALSE(window->IsDelete());
  EXPECT_EQ(window->PeekMessageWindow(), kPeekQuit);
  EXPECT_EQ(window->SendMessageW(WM_CLOSE), 0);
  EXPECT_EQ(gMessages.size(), 2u);  // nothing reaches a destroyed window
  window->DestroyWnd();
  EXPECT_EQ(gMessages.size(), 2u);
}

TEST_P(Window, InputEventsReachTheInputSystem) {
  CInputSystem input;
  ASSERT_GE(input.Init(window.get()), 0);
  SDL_Event down{};
  down.type = SDL_MOUSEBUTTONDOWN;
  down.button.button = SDL_BUTTON_LEFT;
  SDL_PushEvent(&down);
  window->PeekMessageWindow();
  input.Update();
  EXPECT_TRUE(input.IsButton(0, 1));
  EXPECT_TRUE(gMessages.empty());
  input.Release();
  SDL_PushEvent(&down);
  window->PeekMessageWindow();  // no input system any more: dropped
}

// What SDL delivers becomes the queue's event the input system reads.
TEST_P(Window, SDLInputEventsAsTheGameReadsThem) {
  CInputSystem input;
  ASSERT_GE(input.Init(window.get()), 0);
  auto button = [](uint8_t b, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = b;
    e.button.x = x;
    e.button.y = y;
    return e;
  };
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  SDL_Event text;
  std::memset(&text, 'a', sizeof text);  // no end mark: read up to the text field's end, no further
  text.type = SDL_TEXTINPUT;
  std::memcpy(text.text.text, "Ann\xC3\xA9", 5);
  SDL_Event repeat{};
  repeat.type = SDL_KEYDOWN;
  repeat.key.keysym.scancode = SDL_SCANCODE_F1;
  repeat.key.repeat = 1;
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 300;
  motion.motion.y = 200;
  for (SDL_Event e : {motion, button(SDL_BUTTON_X1, 1, 2), button(9, 11, 12), wheel, text, repeat})
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  window->PeekMessageWindow();
  input.Update();
  EXPECT_TRUE(input.IsButton(3, kInputDown));
  EXPECT_FALSE(input.IsButton(0, kInputDown) || input.IsButton(1, kInputDown) || input.IsButton(2, kInputDown));
  int x = 0, y = 0;
  input.GetMousePosition(x, y);
  EXPECT_EQ(x, 11) << "an unknown button still moves the pointer";
  EXPECT_EQ(y, 12);
  EXPECT_EQ(input.GetWheel(), -2);
  EXPECT_EQ(input.GetTextInput(), L"Ann\u00e9" + std::wstring(sizeof text.text.text - 5, L'a'));
  EXPECT_FALSE(input.IsAnyVKeys()) << "a key repeat is no press";
}

INSTANTIATE_TEST_SUITE_P(Devices, Window, ::testing::Values(EDeviceKind::Headless, EDeviceKind::GL),
                         [](const auto& info) { return info.param == EDeviceKind::GL ? "SDLWindow" : "Headless"; });

TEST(WindowSystem, SizesCursorCounterAndFullScreen) {
  CWindowSystem window(EDeviceKind::Headless);
  window.SetDesktopSize(1280, 1024);
  EXPECT_EQ(window.IsModeFullScreen(1024, 768), 0);
  EXPECT_EQ(window.IsModeFullScreen(1280, 768), 1);
  int full = 0;
  ASSERT_GE(window.Init(L"t", L"t", 101, 1280, 1024, full, Proc, nullptr), 0);
  EXPECT_EQ(full, 1);  // cannot be windowed
  EXPECT_EQ(window.IsFullScreen(), 1);
  int w = 0, h = 0;
  window.GetWindowSize(w, h);
  EXPECT_EQ(w, 1280);
  full = 0;
  ASSERT_GE(window.ReInit(800, 600, full, nullptr), 0);
  EXPECT_EQ(window.IsFullScreen(), 0);
  window.GetWindowSize(w, h);
  EXPECT_EQ(h, 600);
  EXPECT_LT(window.ReInit(0, 600, full, nullptr), 0);
  int again = 0;
  EXPECT_LT(window.Init(L"t", L"t", 101, 800, 600, again, Proc, nullptr), 0);  // one window only

  EXPECT_EQ(window.ShowCursor(0), -1);
  EXPECT_EQ(window.ShowCursor(0), -2);
  EXPECT_EQ(window.ShowCursor(1), -1);
  EXPECT_EQ(window.ShowCursor(1), 0);
  EXPECT_EQ(window.GetCursorCounter(), 0);
}

}  // namespace
