#pragma once
// The mini-game frame: the window, buttons and tutorial hint around a
// puzzle. The story logic, the chapter and the scene start it, poll it each
// frame and close it; the puzzles themselves are scene classes. The frame
// itself draws and plays nothing: RenderWindow and UpdateWindow are the
// window's drawing and animation for a frame that has a puzzle inside.
#include <cstdint>
#include <string>

#include "Engine/rovovoz/BaseObject.h"
#include "MemControlDe.h"

namespace rovovoz {
class CGameCore;
class CMouseCursor;
class CStaticObject3D;
class CGUIForm;
class CGUIBaseObject;
}  // namespace rovovoz

class CBaseMiniGame : public rovovoz::CBaseObject {
 public:
  // Window states: the delay before the hint, running, and the closing
  // fade of the window.
  enum : int { kStateDelay = 0, kStateRunning = 1, kStateClosing = 2 };

  explicit CBaseMiniGame(rovovoz::CGameCore* core);
  ~CBaseMiniGame() override;
  CBaseMiniGame(const CBaseMiniGame&) = delete;
  CBaseMiniGame& operator=(const CBaseMiniGame&) = delete;

  // Loads the button form of the buttons type; the options are not used.
  // Always 0.
  virtual int32_t Init(uint32_t options);
  // Loads every registered object with the flags; 1 when all loaded.
  int32_t Load(uint32_t flags) override;
  int32_t UnLoad(uint32_t flags) override;
  int32_t Release(uint32_t flags = 0) override;
  // Called when the mini-game begins, after Load; negative on failure.
  virtual int Start();
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;

  // The window model and the button form: 0, also when only the form
  // failed; E_FAIL when the window model did not load.
  virtual int32_t LoadWindow(const wchar_t* formPath);
  // One frame of the window: the delay, the hint, the closing fade. 0.
  virtual int32_t UpdateWindow(float dt, rovovoz::CMouseCursor* cursor);
  // The form, the hint and the window, without depth test. 0.
  virtual int32_t RenderWindow();
  // Closes every queued hint (a ticked box turns tutorial hints off).
  virtual int32_t CloseHint();

  // True while the mini-game is open.
  virtual bool IsActive() const;
  // Finished and the window's fade is over.
  virtual bool IsComplete() const;
  // True when the puzzle was solved.
  virtual bool IsWon() const;
  // True when the scene's ambient sound pauses while it runs.
  virtual bool PausesSceneSound() const;
  // Closes the hint and starts the closing fade; 1.
  virtual int Finish();

  int GetState() const { return mState; }
  bool IsFinished() const { return mFinished != 0; }
  float GetTimer() const { return mTimer; }
  void SetTimer(float seconds) { mTimer = seconds; }
  void SetButtonsType(uint32_t type) { mButtonsType = type; }
  void SetHintButtonEnabled(int on) { mHintButton = on; }
  rovovoz::CStaticObject3D* GetWindowModel() const { return mWindow; }
  rovovoz::CGUIForm* GetForm() const { return mForm; }
  rovovoz::CGUIBaseObject* GetSkipButton() const { return mSkip; }
  // The hint the frame shows: its name followed by "_Hint_01".
  std::wstring HintKey() const;

 protected:
  void ShowHint();

  rovovoz::CGameCore* mCore = nullptr;
  MemControlDe mMemControl;
  uint32_t mLoadFlags = 0;
  uint32_t mWindowOptions = 8;
  int32_t mFinished = 0;
  int32_t mHintButton = 0;
  int32_t mState = kStateDelay;
  uint32_t mButtonsType = 0;
  float mTimer = 0.0f;
  rovovoz::CStaticObject3D* mWindow = nullptr;
  rovovoz::CGUIForm* mForm = nullptr;
  rovovoz::CGUIBaseObject* mClose = nullptr;
  rovovoz::CGUIBaseObject* mSkip = nullptr;
  rovovoz::CGUIBaseObject* mHint = nullptr;
};
