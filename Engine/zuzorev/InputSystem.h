#pragma once
// Keyboard and mouse input collected once per frame. Events arrive from the
// engine's event queue as the window pumps it between frames; Update
// turns them into this frame's states, which stay stable for the whole
// frame: mode 1 = went down this frame, 2 = held, 4 = came up this frame (a
// click). Windows virtual-key and set-1 scan-code numbers map to SDL
// scancodes through one table.
#include <SDL2/SDL_scancode.h>

#include <bitset>
#include <cstdint>
#include <string>

#include "Engine/zuzorev/EventQueue.h"
#include "Engine/zuzorev/WindowSystem.h"

namespace zuzorev {

enum : int { kInputDown = 1, kInputHeld = 2, kInputUp = 4 };

class CInputSystem {
 public:
  static constexpr int kButtons = 5;  // 0 left, 1 right, 2 middle, 3 and 4 extra

  CInputSystem() = default;
  ~CInputSystem();
  CInputSystem(const CInputSystem&) = delete;
  CInputSystem& operator=(const CInputSystem&) = delete;

  // Takes input events from the window from now on. N.
  int32_t Init(WindowHandle window);
  // Accepts input (Init acquires too). N.
  int32_t Acquire();
  // Ignores input until Acquire; every state is forgotten.
  void UnAcquire();
  void Release();

  // Makes the events since the last Update this frame's states.
  void Update();
  // Forgets every key and button (also what is held).
  void ClearAllState();

  // A Windows virtual key (27 Esc, 13 Enter, 0x70 F1, 'A'...) in a mode.
  bool IsVKey(int vk, int mode) const;
  // A set-1 scan code (0x01 Esc, 0x1D left Ctrl, 0xC9 Page Up...) in a mode.
  bool IsKey(int scanCode, int mode) const;
  // Button 0 left, 1 right, 2 middle, in a mode.
  bool IsButton(int button, int mode) const;
  // Any key went down this frame.
  bool IsAnyVKeys() const;
  // Forget one mode of a button or key (scan code) for the rest of the frame.
  void ClearStateButton(int button, int mode);
  void ClearStateKey(int scanCode, int mode);
  void ClearStateVKey(int vk, int mode);

  // Text typed this frame (UTF-8 text input turned wide).
  const std::wstring& GetTextInput() const { return mText; }
  // Wheel steps this frame (up positive).
  int GetWheel() const { return mWheel; }
  // Last pointer position in window points.
  void GetMousePosition(int& x, int& y) const {
    x = mMouseX;
    y = mMouseY;
  }
  void SetMousePosition(int x, int y) {
    mMouseX = x;
    mMouseY = y;
  }

  // One input event, as the window takes it from the event queue.
  void HandleEvent(const SInputEvent& e);

  // Table look-ups (0 = SDL_SCANCODE_UNKNOWN when unmapped).
  static SDL_Scancode ScancodeOfScanCode(int scanCode);
  static int VKeyOfScancode(SDL_Scancode code);

 private:
  struct SState {
    std::bitset<SDL_NUM_SCANCODES> level, pendingDown, pendingUp, down, held, up;
    std::bitset<kButtons> bLevel, bPendingDown, bPendingUp, bDown, bHeld, bUp;
  };
  bool KeyState(SDL_Scancode code, int mode) const;
  void ClearKey(SDL_Scancode code, int mode);

  CWindowSystem* mWindow = nullptr;
  bool mAcquired = false;
  SState mS;
  std::wstring mPendingText, mText;
  int mPendingWheel = 0, mWheel = 0;
  int mMouseX = 0, mMouseY = 0;
};

}  // namespace zuzorev
