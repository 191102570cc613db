#pragma once
// The game window over SDL2. Every pump moves SDL's events into the
// engine's event queue, then empties the queue: window events become the
// messages of the application's window procedure (close, activate, minimise
// and restore, exposed, destroy, display change); keyboard, mouse and text
// events go to the input system. On the headless device there is no window,
// but the queue is still pumped, so tests and replays feed it (a scripted
// source replaces the desktop's input while it plays).
#include <cstdint>
#include <functional>
#include <string>

#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/EventQueue.h"

struct SDL_Window;

namespace zuzorev {

class CWindowSystem;
class CInputSystem;

// The window handle the game passes around (render and input Init, the
// close request).
using WindowHandle = CWindowSystem*;
// The application's window procedure.
using WindowProc = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Messages the window procedure receives.
enum : uint32_t {
  WM_DESTROY = 0x0002,
  WM_SIZE = 0x0005,
  WM_CLOSE = 0x0010,
  WM_SETTINGCHANGE = 0x001A,
  WM_ACTIVATEAPP = 0x001C,
  WM_NCPAINT = 0x0085,
};
// wParam of WM_SIZE.
enum : uintptr_t { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1 };

// PeekMessageWindow results.
enum : int { kPeekNothing = 0, kPeekHandled = 1, kPeekQuit = 3 };

// Default processing: WM_CLOSE destroys the window; everything else is 0.
intptr_t DefWindowProcW(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

class CWindowSystem {
 public:
  static constexpr const wchar_t* kClassName = L"ZOR Class name";

  CWindowSystem();
  explicit CWindowSystem(EDeviceKind kind);
  ~CWindowSystem();
  CWindowSystem(const CWindowSystem&) = delete;
  CWindowSystem& operator=(const CWindowSystem&) = delete;

  // Opens the window (hidden on the headless device). A size that cannot be
  // windowed (IsModeFullScreen) turns fullScreen on; full screen is a
  // borderless window covering the display, which is also asked to be full
  // screen of the window manager. N.
  int32_t Init(const std::wstring& title, const std::wstring& name, int icon, int width, int height,
               int& fullScreen, WindowProc proc, WindowHandle parent);
  // New size or full-screen state for the same window. N.
  int32_t ReInit(int width, int height, int& fullScreen, WindowHandle parent);
  // Pumps every pending event: window events reach the window procedure,
  // input events the input system. kPeekQuit once the window is gone,
  // kPeekNothing when nothing was pending, else kPeekHandled.
  int PeekMessageWindow();
  // A frame of the main loop starts: the scripted source, if any, adds its
  // events of this frame (and moves its fixed frame time on), then the
  // queue is pumped as PeekMessageWindow does.
  int BeginFrame();
  // The one queue the window and the input system read from.
  CEventQueue& GetEvents() { return mEvents; }
  // Reads the desktop size again (mode accepted).
  void UpdateSizeDesktop(int mode = 0);
  // Non-zero when width x height cannot be shown in a window.
  int IsModeFullScreen(int width, int height) const;
  int IsFullScreen() const { return mFullScreen ? 1 : 0; }
  // True while the window is being destroyed.
  bool IsDelete() const { return mDeleting; }
  bool IsDestroyed() const { return mDestroyed; }
  // Sends WM_DESTROY to the window procedure, then destroys the window.
  void DestroyWnd();
  // Calls the window procedure now (SendMessageW).
  intptr_t SendMessageW(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

  WindowHandle GetHWND() { return this; }
  SDL_Window* GetSDLWindow() const { return mWindow; }
  EDeviceKind GetKind() const { return mKind; }
  int GetDesktopWidth() const { return mDesktopWidth; }
  int GetDesktopHeight() const { return mDesktopHeight; }
  int GetDesktopRefreshRate() const { return mDesktopRate; }
  // Client size in window points.
  void GetWindowSize(int& width, int& height) const;
  // Back-buffer pixels per window point: above 1 on high-DPI displays.
  float GetPixelsPerPoint() const;
  bool IsMinimized() const { return mMinimized; }
  // The pointer is over the window.
  bool IsMouseInside() const { return mMouseInside; }

  // ShowCursor: +1 / -1 on a counter; the system pointer shows while it is
  // >= 0 or while the engine cursor asks for it. Returns the counter.
  int ShowCursor(int show);
  void SetSystemPointerWanted(bool wanted);
  int GetCursorCounter() const { return mCursorCounter; }

  // The input system that receives input events (null to detach).
  void SetInputSystem(CInputSystem* input) { mInput = input; }
  // Told when focus comes (true) or goes (false), before the message.
  void SetFocusHook(std::function<void(bool)> hook) { mFocusHook = std::move(hook); }
  // Headless: the desktop size to report.
  void SetDesktopSize(int width, int height);

 private:
  // Moves SDL's pending events into the queue.
  void PollSDL();
  void Dispatch(const SInputEvent& e);
  void ApplyCursor();
  void ReadDesktop();

  EDeviceKind mKind;
  bool mVideo = false;
  SDL_Window* mWindow = nullptr;
  WindowProc mProc = nullptr;
  CInputSystem* mInput = nullptr;
  CEventQueue mEvents;
  std::function<void(bool)> mFocusHook;
  std::wstring mTitle;
  int mWidth = 0;
  int mHeight = 0;
  bool mFullScreen = false;
  bool mOpen = false;
  bool mDeleting = false;
  bool mDestroyed = false;
  bool mMinimized = false;
  bool mMouseInside = true;
  int mDesktopWidth = 1920;
  int mDesktopHeight = 1080;
  int mDesktopRate = 60;
  int mCursorCounter = 0;
  bool mSystemPointerWanted = false;
};

}  // namespace zuzorev
