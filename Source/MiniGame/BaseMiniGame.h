#pragma once
// The mini-game frame: the window, buttons and tutorial hint around a
// puzzle. The story logic, the chapter and the scene start it, poll it each
// frame and close it; the puzzles themselves are scene classes.
#include <cstdint>

#include "Engine/rovovoz/BaseObject.h"
#include "MemControlDe.h"

namespace rovovoz {
class CGameCore;
class CMouseCursor;
}  // namespace rovovoz

class CBaseMiniGame : public rovovoz::CBaseObject {
 public:
  // Window states: running, then closing while the window fades.
  enum : int { kStateRunning = 1, kStateClosing = 2 };

  explicit CBaseMiniGame(rovovoz::CGameCore* core);
  ~CBaseMiniGame() override;
  CBaseMiniGame(const CBaseMiniGame&) = delete;
  CBaseMiniGame& operator=(const CBaseMiniGame&) = delete;

  // Reads the frame's options (the list loader passes 8); negative on failure.
  virtual int32_t Init(uint32_t options);
  // Loads every registered object with the flags; 1 when all loaded.
  int32_t Load(uint32_t flags) override;
  int32_t UnLoad(uint32_t flags) override;
  // Called when the mini-game begins, after Load; negative on failure.
  virtual int Start();
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Render() override;

  // True while the mini-game is open.
  virtual bool IsActive() const;
  // The player closed or finished it and its window is back to running.
  virtual bool IsComplete() const;
  // True when the puzzle was solved.
  virtual bool IsWon() const;
  // True when the scene's ambient sound pauses while it runs.
  virtual bool PausesSceneSound() const;
  // Closes the hint and starts the closing fade; 1.
  virtual int Finish();

  int GetState() const { return mState; }
  bool IsFinished() const { return mFinished; }

 protected:
  rovovoz::CGameCore* mCore = nullptr;
  MemControlDe mMemControl;
  uint32_t mLoadFlags = 0;
  uint32_t mInitOptions = 0;
  bool mFinished = false;
  int mState = kStateRunning;
};
