#pragma once
// The loading screen: the logo slides first, then a fixed picture of seven
// models with a bar that fills as the game data loads. Loaders call Tick
// between files; each tick has the host handle the window's events and
// recover a lost display, advances the bar from the progress tracker and
// draws one frame.
#include <memory>
#include <string>

#include "Engine/zuzorev/Timer.h"

class LoadScreenHost;
class Logo;
class ProgressTracker;
namespace rovovoz {
class CGameCore;
class CStaticObject3D;
}  // namespace rovovoz
namespace zuzorev {
class CRenderSystem;
class CInputSystem;
}  // namespace zuzorev

class LoadProgress {
 public:
  static constexpr int kObjectCount = 7;
  static constexpr int kBarObject = 4;  // "Alpha_loader_shkala", the mask over the scale
  // Tries of the display recovery during one tick before the load goes on
  // without it (one try every 100 ms).
  static constexpr int kMaxDisplayRecoveryTries = 50;

  LoadProgress();
  ~LoadProgress();
  LoadProgress(const LoadProgress&) = delete;
  LoadProgress& operator=(const LoadProgress&) = delete;

  // Starts the tracker and loads the seven models; 0 at the first model that
  // fails. Without a host no events are handled between files.
  int Load(rovovoz::CGameCore* core, LoadScreenHost* host = nullptr);
  // One loading step (insideFrame 0: between files, drawing a whole frame;
  // 1: inside the game's frame). 1 while loading goes on; 0 once a frame at
  // 100 percent was drawn, and on the tick at which the logo finishes.
  int Tick(int insideFrame);
  // 2: loading and the logo both ended at 100 percent; 0 while below 100;
  // else 1 once the logo has finished.
  int GetState() const;
  // The logo reacts to a skip click between ticks.
  void UpdateLogo();
  // Writes this run's timings and shows a full bar from now on.
  void SaveProgress();
  // Gives the models and the logo back; always 1.
  int Release();

  // Takes the logo over (null: none).
  void SetLogo(Logo* logo);
  Logo* GetLogo() const { return mLogo.get(); }
  // The next frame drawn after the logo starts the menu music.
  void RequestMenuMusic() { mMenuMusicRequest = 1; }

  float GetProgress() const { return mProgress; }
  float GetProgressAtLogoEnd() const { return mProgressAtLogoEnd; }
  int IsLogoFinished() const { return mLogoFinished; }
  int IsDone() const { return mDone; }
  int GetTickCount() const { return mTickCount; }
  const ProgressTracker* GetTracker() const { return mTracker.get(); }
  rovovoz::CStaticObject3D* GetObject(int index) const;

  // Tests: the wait between two tries of the display recovery (null: the
  // real 100 ms).
  using RetrySleep = void (*)();
  static void SetRetrySleepForTests(RetrySleep sleep);

 private:
  struct SObject {
    int loaded = 0;
    rovovoz::CStaticObject3D* model = nullptr;
  };

  void PumpAndRecoverDisplay();
  void DrawObjects(int insideFrame);

  float mProgress = 0.0f;
  float mProgressAtLogoEnd = 0.0f;
  int mLogoFinished = 0;
  int mDone = 0;
  zuzorev::CRenderSystem* mRender = nullptr;
  zuzorev::CInputSystem* mInput = nullptr;
  rovovoz::CGameCore* mCore = nullptr;
  LoadScreenHost* mHost = nullptr;
  SObject mObjects[kObjectCount];
  std::unique_ptr<ProgressTracker> mTracker;
  std::unique_ptr<Logo> mLogo;
  zuzorev::CTimer mTimer;
  int mMenuMusicRequest = 0;
  int mTickCount = 0;
  static RetrySleep sRetrySleep;
};

// The loading screen while the game data loads at start-up (null before and
// after).
extern LoadProgress* gLoadProgress;
