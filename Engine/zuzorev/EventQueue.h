#pragma once
// The one queue every mouse, key and window event passes through on its way
// into the game. The window system fills it from SDL once per frame; a
// scripted source (tests, replays) fills it frame by frame instead, and
// then also fixes the frame time and the random seed. The window system
// empties it into the window procedure and the input system, so nothing
// else in the game reads input from SDL.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace zuzorev {

class CEventScript;

enum class EInputEvent : uint8_t {
  MouseMove,    // x, y
  MouseDown,    // button, x, y
  MouseUp,      // button, x, y
  MouseWheel,   // wheel (steps, up positive)
  KeyDown,      // key, repeat
  KeyUp,        // key
  Text,         // text
  Quit,         // the desktop asks the program to end
  Close,        // the window's close box
  FocusGained,
  FocusLost,
  Minimized,
  Restored,
  Exposed,
  MouseEnter,
  MouseLeave,
  DisplayChanged,
};

struct SInputEvent {
  EInputEvent kind = EInputEvent::MouseMove;
  int x = 0, y = 0;      // window points
  int button = 0;        // 0 left, 1 right, 2 middle, 3 and 4 extra
  int key = 0;           // SDL scancode
  bool repeat = false;   // a key held down and repeating
  int wheel = 0;
  std::wstring text;

  static SInputEvent Of(EInputEvent kind);
  static SInputEvent MouseMove(int x, int y);
  static SInputEvent MouseDown(int button, int x, int y);
  static SInputEvent MouseUp(int button, int x, int y);
  static SInputEvent KeyDown(int key, bool repeat = false);
  static SInputEvent KeyUp(int key);
};

class CEventQueue {
 public:
  CEventQueue();
  ~CEventQueue();
  CEventQueue(const CEventQueue&) = delete;
  CEventQueue& operator=(const CEventQueue&) = delete;

  void Push(SInputEvent e);
  // Takes the oldest event; false when none is waiting.
  bool Pop(SInputEvent& e);
  bool IsEmpty() const { return mEvents.empty(); }
  void Clear() { mEvents.clear(); }

  // Plays a script from its first frame on (null: back to the desktop's
  // events). A script's seed seeds the game's random source now; a fixed
  // frame time puts every timer on a clock that moves only by that time at
  // each frame's start.
  void SetScript(std::unique_ptr<CEventScript> script);
  CEventScript* GetScript() const { return mScript.get(); }
  bool IsScripted() const { return mScript != nullptr; }
  // A frame of the main loop starts: the script's events of this frame
  // join the queue and the fixed frame time passes.
  void BeginFrame();

 private:
  std::deque<SInputEvent> mEvents;
  std::unique_ptr<CEventScript> mScript;
  bool mOwnsClock = false;
};

}  // namespace zuzorev
