#include "Engine/zuzorev/InputSystem.h"

#include <algorithm>
#include <climits>

#include "Engine/zuzorev/RenderTypes.h"

namespace zuzorev {
namespace {

// One row per key: SDL scancode, Windows virtual key, set-1 scan code (0 =
// none). A virtual key may name several SDL keys (Enter, Ctrl, Shift, Alt).
struct SKeyRow {
  SDL_Scancode sdl;
  int vk;
  int scan;
};

const SKeyRow kKeys[] = {
    {SDL_SCANCODE_ESCAPE, 27, 0x01},      {SDL_SCANCODE_1, '1', 0x02},
    {SDL_SCANCODE_2, '2', 0x03},          {SDL_SCANCODE_3, '3', 0x04},
    {SDL_SCANCODE_4, '4', 0x05},          {SDL_SCANCODE_5, '5', 0x06},
    {SDL_SCANCODE_6, '6', 0x07},          {SDL_SCANCODE_7, '7', 0x08},
    {SDL_SCANCODE_8, '8', 0x09},          {SDL_SCANCODE_9, '9', 0x0A},
    {SDL_SCANCODE_0, '0', 0x0B},          {SDL_SCANCODE_MINUS, 0xBD, 0x0C},
    {SDL_SCANCODE_EQUALS, 0xBB, 0x0D},    {SDL_SCANCODE_BACKSPACE, 8, 0x0E},
    {SDL_SCANCODE_TAB, 9, 0x0F},          {SDL_SCANCODE_Q, 'Q', 0x10},
    {SDL_SCANCODE_W, 'W', 0x11},          {SDL_SCANCODE_E, 'E', 0x12},
    {SDL_SCANCODE_R, 'R', 0x13},          {SDL_SCANCODE_T, 'T', 0x14},
    {SDL_SCANCODE_Y, 'Y', 0x15},          {SDL_SCANCODE_U, 'U', 0x16},
    {SDL_SCANCODE_I, 'I', 0x17},          {SDL_SCANCODE_O, 'O', 0x18},
    {SDL_SCANCODE_P, 'P', 0x19},          {SDL_SCANCODE_LEFTBRACKET, 0xDB, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0xDD, 0x1B}, {SDL_SCANCODE_RETURN, 13, 0x1C},
    {SDL_SCANCODE_LCTRL, 17, 0x1D},       {SDL_SCANCODE_A, 'A', 0x1E},
    {SDL_SCANCODE_S, 'S', 0x1F},          {SDL_SCANCODE_D, 'D', 0x20},
    {SDL_SCANCODE_F, 'F', 0x21},          {SDL_SCANCODE_G, 'G', 0x22},
    {SDL_SCANCODE_H, 'H', 0x23},          {SDL_SCANCODE_J, 'J', 0x24},
    {SDL_SCANCODE_K, 'K', 0x25},          {SDL_SCANCODE_L, 'L', 0x26},
    {SDL_SCANCODE_SEMICOLON, 0xBA, 0x27}, {SDL_SCANCODE_APOSTROPHE, 0xDE, 0x28},
    {SDL_SCANCODE_GRAVE, 0xC0, 0x29},     {SDL_SCANCODE_LSHIFT, 16, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0xDC, 0x2B}, {SDL_SCANCODE_Z, 'Z', 0x2C},
    {SDL_SCANCODE_X, 'X', 0x2D},          {SDL_SCANCODE_C, 'C', 0x2E},
    {SDL_SCANCODE_V, 'V', 0x2F},          {SDL_SCANCODE_B, 'B', 0x30},
    {SDL_SCANCODE_N, 'N', 0x31},          {SDL_SCANCODE_M, 'M', 0x32},
    {SDL_SCANCODE_COMMA, 0xBC, 0x33},     {SDL_SCANCODE_PERIOD, 0xBE, 0x34},
    {SDL_SCANCODE_SLASH, 0xBF, 0x35},     {SDL_SCANCODE_RSHIFT, 16, 0x36},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A, 0x37}, {SDL_SCANCODE_LALT, 18, 0x38},
    {SDL_SCANCODE_SPACE, 32, 0x39},       {SDL_SCANCODE_CAPSLOCK, 20, 0x3A},
    {SDL_SCANCODE_F1, 0x70, 0x3B},        {SDL_SCANCODE_F2, 0x71, 0x3C},
    {SDL_SCANCODE_F3, 0x72, 0x3D},        {SDL_SCANCODE_F4, 0x73, 0x3E},
    {SDL_SCANCODE_F5, 0x74, 0x3F},        {SDL_SCANCODE_F6, 0x75, 0x40},
    {SDL_SCANCODE_F7, 0x76, 0x41},        {SDL_SCANCODE_F8, 0x77, 0x42},
    {SDL_SCANCODE_F9, 0x78, 0x43},        {SDL_SCANCODE_F10, 0x79, 0x44},
    {SDL_SCANCODE_KP_7, 0x67, 0x47},      {SDL_SCANCODE_KP_8, 0x68, 0x48},
    {SDL_SCANCODE_KP_9, 0x69, 0x49},      {SDL_SCANCODE_KP_MINUS, 0x6D, 0x4A},
    {SDL_SCANCODE_KP_4, 0x64, 0x4B},      {SDL_SCANCODE_KP_5, 0x65, 0x4C},
    {SDL_SCANCODE_KP_6, 0x66, 0x4D},      {SDL_SCANCODE_KP_PLUS, 0x6B, 0x4E},
    {SDL_SCANCODE_KP_1, 0x61, 0x4F},      {SDL_SCANCODE_KP_2, 0x62, 0x50},
    {SDL_SCANCODE_KP_3, 0x63, 0x51},      {SDL_SCANCODE_KP_0, 0x60, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x6E, 0x53}, {SDL_SCANCODE_F11, 0x7A, 0x57},
    {SDL_SCANCODE_F12, 0x7B, 0x58},       {SDL_SCANCODE_KP_ENTER, 13, 0x9C},
    {SDL_SCANCODE_RCTRL, 17, 0x9D},       {SDL_SCANCODE_KP_DIVIDE, 0x6F, 0xB5},
    {SDL_SCANCODE_RALT, 18, 0xB8},        {SDL_SCANCODE_HOME, 36, 0xC7},
    {SDL_SCANCODE_UP, 38, 0xC8},          {SDL_SCANCODE_PAGEUP, 33, 0xC9},
    {SDL_SCANCODE_LEFT, 37, 0xCB},        {SDL_SCANCODE_RIGHT, 39, 0xCD},
    {SDL_SCANCODE_END, 35, 0xCF},         {SDL_SCANCODE_DOWN, 40, 0xD0},
    {SDL_SCANCODE_PAGEDOWN, 34, 0xD1},    {SDL_SCANCODE_INSERT, 45, 0xD2},
    {SDL_SCANCODE_DELETE, 46, 0xD3},
};

bool Valid(SDL_Scancode code) { return code > SDL_SCANCODE_UNKNOWN && code < SDL_NUM_SCANCODES; }
bool ValidKey(int key) { return key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES; }

}  // namespace

SDL_Scancode CInputSystem::ScancodeOfScanCode(int scanCode) {
  for (const auto& row : kKeys)
    if (row.scan == scanCode) return row.sdl;
  return SDL_SCANCODE_UNKNOWN;
}

int CInputSystem::VKeyOfScancode(SDL_Scancode code) {
  for (const auto& row : kKeys)
    if (row.sdl == code) return row.vk;
  return 0;
}

CInputSystem::~CInputSystem() { Release(); }

int32_t CInputSystem::Init(WindowHandle window) {
  if (!window) return kFail;
  if (mWindow && mWindow != window) mWindow->SetInputSystem(nullptr);
  mWindow = window;
  mWindow->SetInputSystem(this);
  mAcquired = true;
  ClearAllState();
  return kOk;
}

int32_t CInputSystem::Acquire() {
  if (!mWindow) return kFail;
  mAcquired = true;
  return kOk;
}

void CInputSystem::UnAcquire() {
  mAcquired = false;
  ClearAllState();
}

void CInputSystem::Release() {
  if (mWindow) mWindow->SetInputSystem(nullptr);
  mWindow = nullptr;
  mAcquired = false;
  ClearAllState();
}

void CInputSystem::HandleEvent(const SInputEvent& e) {
  if (e.kind == EInputEvent::MouseMove) {
    mMouseX = e.x;
    mMouseY = e.y;
    return;
  }
  if (!mAcquired) return;
  switch (e.kind) {
    case EInputEvent::KeyDown: {
      // A scripted key may be any number: checked before it becomes a key.
      if (!ValidKey(e.key) || e.repeat) return;
      const auto code = static_cast<SDL_Scancode>(e.key);
      mS.level.set(code);
      mS.pendingDown.set(code);
      return;
    }
    case EInputEvent::KeyUp: {
      if (!ValidKey(e.key)) return;
      const auto code = static_cast<SDL_Scancode>(e.key);
      if (mS.level.test(code)) mS.pendingUp.set(code);
      mS.level.reset(code);
      return;
    }
    case EInputEvent::MouseDown:
    case EInputEvent::MouseUp: {
      mMouseX = e.x;
      mMouseY = e.y;
      if (e.button < 0 || e.button >= kButtons) return;
      const size_t b = static_cast<size_t>(e.button);
      if (e.kind == EInputEvent::MouseDown) {
        mS.bLevel.set(b);
        mS.bPendingDown.set(b);
      } else {
        if (mS.bLevel.test(b)) mS.bPendingUp.set(b);
        mS.bLevel.reset(b);
      }
      return;
    }
    case EInputEvent::MouseWheel: {
      // Saturates: a script may give any step count.
      const long long sum = static_cast<long long>(mPendingWheel) + e.wheel;
      mPendingWheel = static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
      return;
    }
    case EInputEvent::Text: mPendingText += e.text; return;
    default: return;
  }
}

void CInputSystem::Update() {
  // A press and release between two frames still counts as both: down and
  // up this frame, not held.
  mS.down = mS.pendingDown;
  mS.up = mS.pendingUp;
  mS.held = mS.level;
  mS.bDown = mS.bPendingDown;
  mS.bUp = mS.bPendingUp;
  mS.bHeld = mS.bLevel;
  mS.pendingDown.reset();
  mS.pendingUp.reset();
  mS.bPendingDown.reset();
  mS.bPendingUp.reset();
  mText.swap(mPendingText);
  mPendingText.clear();
  mWheel = mPendingWheel;
  mPendingWheel = 0;
}

void CInputSystem::ClearAllState() {
  mS = SState{};
  mText.clear();
  mPendingText.clear();
  mWheel = mPendingWheel = 0;
}

bool CInputSystem::KeyState(SDL_Scancode code, int mode) const {
  if (!Valid(code)) return false;
  switch (mode) {
    case kInputDown: return mS.down.test(code);
    case kInputHeld: return mS.held.test(code);
    case kInputUp: return mS.up.test(code);
    default: return false;
  }
}

void CInputSystem::ClearKey(SDL_Scancode code, int mode) {
  if (!Valid(code)) return;
  if (mode & kInputDown) mS.down.reset(code);
  if (mode & kInputHeld) mS.held.reset(code);
  if (mode & kInputUp) mS.up.reset(code);
}

bool CInputSystem::IsVKey(int vk, int mode) const {
  if (vk <= 0) return false;
  for (const auto& row : kKeys)
    if (row.vk == vk && KeyState(row.sdl, mode)) return true;
  return false;
}

bool CInputSystem::IsKey(int scanCode, int mode) const { return KeyState(ScancodeOfScanCode(scanCode), mode); }

bool CInputSystem::IsButton(int button, int mode) const {
  if (button < 0 || button >= kButtons) return false;
  size_t b = static_cast<size_t>(button);
  switch (mode) {
    case kInputDown: return mS.bDown.test(b);
    case kInputHeld: return mS.bHeld.test(b);
    case kInputUp: return mS.bUp.test(b);
    default: return false;
  }
}

bool CInputSystem::IsAnyVKeys() const { return mS.down.any(); }

void CInputSystem::ClearStateButton(int button, int mode) {
  if (button < 0 || button >= kButtons) return;
  size_t b = static_cast<size_t>(button);
  if (mode & kInputDown) mS.bDown.reset(b);
  if (mode & kInputHeld) mS.bHeld.reset(b);
  if (mode & kInputUp) mS.bUp.reset(b);
}

void CInputSystem::ClearStateKey(int scanCode, int mode) { ClearKey(ScancodeOfScanCode(scanCode), mode); }

void CInputSystem::ClearStateVKey(int vk, int mode) {
  for (const auto& row : kKeys)
    if (row.vk == vk) ClearKey(row.sdl, mode);
}

}  // namespace zuzorev
