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
class CEventRecorder;

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
  // Once the script has played its last event the desktop's input takes
  // over again on the real clock (a replay watched by hand can be played
  // on from where it ends).
  void SetReleaseFinishedScript(bool release) { mReleaseFinished = release; }

  // Records the desktop's events from now on (null: stop recording). The
  // game runs on the recorder's frame time and seed while it records, so
  // the replay goes the same way. A script, while one plays, is not recorded.
  void SetRecorder(std::unique_ptr<CEventRecorder> recorder);
  CEventRecorder* GetRecorder() const { return mRecorder.get(); }

  // A frame of the main loop starts: the script's events of this frame
  // join the queue and the fixed frame time passes.
  void BeginFrame();
  // The window has read the desktop's events of the frame's start.
  void FrameStarted();

 private:
  // Puts every timer on the manual clock while a script or recording
  // runs at a fixed frame time.
  void TakeClock(float frameTime);
  void ReleaseClock();

  std::deque<SInputEvent> mEvents;
  std::unique_ptr<CEventScript> mScript;
  std::unique_ptr<CEventRecorder> mRecorder;
  bool mOwnsClock = false;
  bool mReleaseFinished = false;
};

}  // namespace zuzorev
