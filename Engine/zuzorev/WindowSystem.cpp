#include "Engine/zuzorev/WindowSystem.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Strings.h"

namespace zuzorev {
namespace {
const wchar_t* const kSource = L"Engine/zuzorev/WindowSystem";

// The display the window is on (the first one before there is a window).
SDL_Rect DisplayRect(SDL_Window* window, int fallbackWidth, int fallbackHeight) {
  const int index = window ? std::max(SDL_GetWindowDisplayIndex(window), 0) : 0;
  SDL_Rect r{0, 0, fallbackWidth, fallbackHeight};
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(index, &bounds) == 0 && bounds.w > 0 && bounds.h > 0) r = bounds;
  return r;
}
// SDL's event as the queue's; false for events the game does not read.
bool TranslateSDLEvent(const SDL_Event& sdl, SInputEvent& e) {
  switch (sdl.type) {
    case SDL_QUIT: e = SInputEvent::Of(EInputEvent::Quit); return true;
    case SDL_DISPLAYEVENT: e = SInputEvent::Of(EInputEvent::DisplayChanged); return true;
    case SDL_WINDOWEVENT:
      switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE: e = SInputEvent::Of(EInputEvent::Close); return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: e = SInputEvent::Of(EInputEvent::FocusGained); return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: e = SInputEvent::Of(EInputEvent::FocusLost); return true;
        case SDL_WINDOWEVENT_MINIMIZED: e = SInputEvent::Of(EInputEvent::Minimized); return true;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED: e = SInputEvent::Of(EInputEvent::Restored); return true;
        case SDL_WINDOWEVENT_EXPOSED: e = SInputEvent::Of(EInputEvent::Exposed); return true;
        case SDL_WINDOWEVENT_ENTER: e = SInputEvent::Of(EInputEvent::MouseEnter); return true;
        case SDL_WINDOWEVENT_LEAVE: e = SInputEvent::Of(EInputEvent::MouseLeave); return true;
        default: return false;
      }
    case SDL_MOUSEMOTION: e = SInputEvent::MouseMove(sdl.motion.x, sdl.motion.y); return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int button = -1;
      switch (sdl.button.button) {
        case SDL_BUTTON_LEFT: button = 0; break;
        case SDL_BUTTON_RIGHT: button = 1; break;
        case SDL_BUTTON_MIDDLE: button = 2; break;
        case SDL_BUTTON_X1: button = 3; break;
        case SDL_BUTTON_X2: button = 4; break;
        default: break;
      }
      // Another button still moves the pointer.
      if (button < 0)
        e = SInputEvent::MouseMove(sdl.button.x, sdl.button.y);
      else if (sdl.type == SDL_MOUSEBUTTONDOWN)
        e = SInputEvent::MouseDown(button, sdl.button.x, sdl.button.y);
      else
        e = SInputEvent::MouseUp(button, sdl.button.x, sdl.button.y);
      return true;
    }
    case SDL_MOUSEWHEEL:
      e = SInputEvent::Of(EInputEvent::MouseWheel);
      e.wheel = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
      return true;
    case SDL_KEYDOWN: e = SInputEvent::KeyDown(sdl.key.keysym.scancode, sdl.key.repeat != 0); return true;
    case SDL_KEYUP: e = SInputEvent::KeyUp(sdl.key.keysym.scancode); return true;
    case SDL_TEXTINPUT:
      e = SInputEvent::Of(EInputEvent::Text);
      e.text = Platform::Utf8ToWide(std::string_view(sdl.text.text, strnlen(sdl.text.text, sizeof sdl.text.text)));
      return true;
    default: return false;
  }
}
}  // namespace

intptr_t DefWindowProcW(WindowHandle window, uint32_t message, uintptr_t, intptr_t) {
  if (message == WM_CLOSE && window) window->DestroyWnd();
  return 0;
}

CWindowSystem::CWindowSystem() : CWindowSystem(GetDeviceKind()) {}

CWindowSystem::CWindowSystem(EDeviceKind kind) : mKind(kind) {
  // Quitting is the window procedure's decision, not SDL's.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (kind == EDeviceKind::GL) mVideo = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
  if (!mVideo) SDL_InitSubSystem(SDL_INIT_EVENTS);
  ReadDesktop();
}

CWindowSystem::~CWindowSystem() {
  if (mWindow) SDL_DestroyWindow(mWindow);
  mWindow = nullptr;
  SDL_QuitSubSystem(mVideo ? (SDL_INIT_VIDEO | SDL_INIT_EVENTS) : SDL_INIT_EVENTS);
}

void CWindowSystem::ReadDesktop() {
  if (!mVideo) return;  // headless: what SetDesktopSize gave
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
    mDesktopWidth = mode.w;
    mDesktopHeight = mode.h;
    mDesktopRate = mode.refresh_rate > 0 ? mode.refresh_rate : 60;
  }
}

void CWindowSystem::UpdateSizeDesktop(int) { ReadDesktop(); }

void CWindowSystem::SetDesktopSize(int width, int height) {
  if (width > 0) mDesktopWidth = width;
  if (height > 0) mDesktopHeight = height;
}

int CWindowSystem::IsModeFullScreen(int width, int height) const {
  return width >= mDesktopWidth || height >= mDesktopHeight ? 1 : 0;
}

int32_t CWindowSystem::Init(const std::wstring& title, const std::wstring&, int, int width, int height,
                            int& fullScreen, WindowProc proc, WindowHandle) {
  if (mOpen) return kFail;
  if (width <= 0 || height <= 0) return kFail;
  if (IsModeFullScreen(width, height)) fullScreen = 1;
  mProc = proc;
  mTitle = title;
  mWidth = width;
  mHeight = height;
  mFullScreen = fullScreen != 0;
  mDestroyed = false;
  if (mKind == EDeviceKind::GL) {
    if (!mVideo) {
      LogMessage(ELogLevel::Error, kSource, __LINE__, L"No video: %hs", SDL_GetError());
      return kFail;
    }
    PrepareGLWindowAttributes();
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
    SDL_Rect r{static_cast<int>(SDL_WINDOWPOS_CENTERED), static_cast<int>(SDL_WINDOWPOS_CENTERED), width, height};
    if (mFullScreen) {
      // SDL reports the desktop's size for a full-screen window at once, but
      // on X11 it is the window manager that resizes the real window: with
      // none, or one that ignores or delays the request, the drawable would
      // keep the mode's size. A borderless window that already covers the
      // display is full screen whatever the window manager does.
      r = DisplayRect(nullptr, mDesktopWidth, mDesktopHeight);
      flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    mWindow = SDL_CreateWindow(Platform::WideToUtf8(title).c_str(), r.x, r.y, r.w, r.h, flags);
    if (!mWindow) {
      LogMessage(ELogLevel::Error, kSource, __LINE__, L"Create window: %hs", SDL_GetError());
      return kFail;
    }
    PinLoadedGLDrivers();
  }
  mOpen = true;
  ApplyCursor();
  return kOk;
}

int32_t CWindowSystem::ReInit(int width, int height, int& fullScreen, WindowHandle) {
  if (!mOpen || width <= 0 || height <= 0) return kFail;
  if (IsModeFullScreen(width, height)) fullScreen = 1;
  mWidth = width;
  mHeight = height;
  mFullScreen = fullScreen != 0;
  if (mWindow) {
    // SDL only notes a new size or position of a full-screen window for
    // later, so the window leaves full screen before it is placed.
    if (SDL_SetWindowFullscreen(mWindow, 0) != 0) return kFail;
    if (mFullScreen) {
      // Covers the display itself, as in Init: the drawable must not depend
      // on the window manager honouring the full-screen request.
      const SDL_Rect r = DisplayRect(mWindow, mDesktopWidth, mDesktopHeight);
      SDL_SetWindowBordered(mWindow, SDL_FALSE);
      SDL_SetWindowSize(mWindow, r.w, r.h);
      SDL_SetWindowPosition(mWindow, r.x, r.y);
      if (SDL_SetWindowFullscreen(mWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return kFail;
    } else {
      SDL_SetWindowBordered(mWindow, SDL_TRUE);
      SDL_SetWindowSize(mWindow, width, height);
      SDL_SetWindowPosition(mWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  }
  return kOk;
}

void CWindowSystem::GetWindowSize(int& width, int& height) const {
  if (mWindow) {
    SDL_GetWindowSize(mWindow, &width, &height);
    return;
  }
  width = mFullScreen ? mDesktopWidth : mWidth;
  height = mFullScreen ? mDesktopHeight : mHeight;
}

float CWindowSystem::GetPixelsPerPoint() const {
  if (!mWindow) return 1.0f;
  // Both sizes are SDL's own account of the window, so their ratio is the
  // display's scale even while that account runs ahead of the real window.
  int pw = 0, ph = 0, ww = 0, wh = 0;
  SDL_GL_GetDrawableSize(mWindow, &pw, &ph);
  SDL_GetWindowSize(mWindow, &ww, &wh);
  return pw > 0 && ww > 0 ? static_cast<float>(pw) / ww : 1.0f;
}

intptr_t CWindowSystem::SendMessageW(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (mDestroyed) return 0;
  if (mProc) return mProc(this, message, wParam, lParam);
  return DefWindowProcW(this, message, wParam, lParam);
}

void CWindowSystem::DestroyWnd() {
  if (mDeleting || mDestroyed || !mOpen) return;  // the WM_DESTROY handler may ask again
  mDeleting = true;
  if (mProc) mProc(this, WM_DESTROY, 0, 0);
  if (mWindow) SDL_DestroyWindow(mWindow);
  mWindow = nullptr;
  mDeleting = false;
  mDestroyed = true;
  mOpen = false;
}

int CWindowSystem::BeginFrame() {
  mEvents.BeginFrame();
  const int result = PeekMessageWindow();
  mEvents.FrameStarted();
  return result;
}

int CWindowSystem::PeekMessageWindow() {
  if (mDestroyed) return kPeekQuit;
  PollSDL();
  int result = kPeekNothing;
  SInputEvent e;
  while (!mDestroyed && mEvents.Pop(e)) {
    result = kPeekHandled;
    Dispatch(e);
  }
  return mDestroyed ? kPeekQuit : result;
}

void CWindowSystem::PollSDL() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    SInputEvent event;
    if (!TranslateSDLEvent(e, event)) continue;
    // A script plays alone; only the desktop's request to end still counts.
    if (mEvents.IsScripted() && event.kind != EInputEvent::Quit) continue;
    mEvents.Push(std::move(event));
  }
}

void CWindowSystem::Dispatch(const SInputEvent& e) {
  switch (e.kind) {
    case EInputEvent::Quit:
    case EInputEvent::Close: SendMessageW(WM_CLOSE); return;
    case EInputEvent::DisplayChanged:
      ReadDesktop();
      SendMessageW(WM_SETTINGCHANGE);
      return;
    case EInputEvent::FocusGained:
      if (mFocusHook) mFocusHook(true);
      SendMessageW(WM_ACTIVATEAPP, 1);
      return;
    case EInputEvent::FocusLost:
      if (mFocusHook) mFocusHook(false);
      SendMessageW(WM_ACTIVATEAPP, 0);
      return;
    case EInputEvent::Minimized:
      mMinimized = true;
      SendMessageW(WM_SIZE, SIZE_MINIMIZED);
      return;
    case EInputEvent::Restored:
      mMinimized = false;
      SendMessageW(WM_SIZE, SIZE_RESTORED);
      return;
    case EInputEvent::Exposed: SendMessageW(WM_NCPAINT); return;
    case EInputEvent::MouseEnter: mMouseInside = true; return;
    case EInputEvent::MouseLeave: mMouseInside = false; return;
    default:
      if (mInput) mInput->HandleEvent(e);
      return;
  }
}

int CWindowSystem::ShowCursor(int show) {
  mCursorCounter += show ? 1 : -1;
  ApplyCursor();
  return mCursorCounter;
}

void CWindowSystem::SetSystemPointerWanted(bool wanted) {
  if (wanted == mSystemPointerWanted) return;
  mSystemPointerWanted = wanted;
  ApplyCursor();
}

void CWindowSystem::ApplyCursor() {
  if (!mVideo) return;
  SDL_ShowCursor(mCursorCounter >= 0 || mSystemPointerWanted ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace zuzorev
