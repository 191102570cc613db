#pragma once
// The puzzle test harness: a headless core for the suite, a tiny scene
// written from shapes (pieces and triggers as x-z rectangles), the puzzle
// made by its file name through the scene factory, mouse events fed to the
// engine's input frame by frame, the puzzle's frame run with a fixed frame
// time and a seeded random source, and what it plays, runs and shows on
// the cursor recorded.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/zuzorev/EventQueue.h"
#include "Levels/BaseLevel.h"
#include "support/TestSupport.h"

namespace puzzletest {

// One scene object: a model, a trigger or both, covering x0..x1, z0..z1 at height y.
struct SShape {
  std::wstring model;    // NameModel, empty for a trigger only
  std::wstring trigger;  // TriangleModel, empty for a model only
  float x0 = 0, z0 = 0, x1 = 0, z1 = 0;
  float y = 0;
  float CenterX() const { return (x0 + x1) * 0.5f; }
  float CenterZ() const { return (z0 + z1) * 0.5f; }
};

class CPuzzleHarness {
 public:
  // The suite's core; call from SetUpTestSuite / TearDownTestSuite.
  static void SetUpSuite();
  static void TearDownSuite();
  static rovovoz::CGameCore* Core();
  // The suite's "Data" folder (models go to its "Models").
  static std::filesystem::path DataDir();

  CPuzzleHarness();
  ~CPuzzleHarness();
  CPuzzleHarness(const CPuzzleHarness&) = delete;
  CPuzzleHarness& operator=(const CPuzzleHarness&) = delete;

  // Writes the scene of the shapes, makes it by the file name through the
  // factory, loads it, seeds the random source and runs "a_back_start".
  CBaseLevel* Load(const std::wstring& file, const std::vector<SShape>& shapes, uint32_t seed = 1);
  CBaseLevel* Scene() const { return mScene.get(); }
  template <class T>
  T* As() const {
    return dynamic_cast<T*>(mScene.get());
  }
  // OnAction with mode 0 (or the mode given).
  int32_t Action(const std::wstring& name, int mode = 0);

  // One frame of dt seconds; the cursor is handed over unless told not to.
  void Frame(float dt = kDt, bool withCursor = true);
  void Frames(int count, float dt = kDt, bool withCursor = true);
  // Moves the pointer over a scene point (x, z) and runs a frame.
  void Hover(float x, float z, float dt = kDt);
  // A press and release of the button over the point within one frame.
  void Click(float x, float z, int button = 0, float dt = kDt, bool withCursor = true);
  // Only the press (the button goes down this frame), then only the release.
  void Press(float x, float z, int button = 0, float dt = kDt);
  void Release(float x, float z, int button = 0, float dt = kDt);

  // "sound:<name>" and "action:<name>" in the order they happened.
  const std::vector<std::wstring>& Events() const { return mEvents; }
  int Count(const std::wstring& event) const;
  void ClearEvents() { mEvents.clear(); }
  // The cursor image name after each frame.
  const std::vector<std::wstring>& CursorImages() const { return mCursorImages; }
  rovovoz::CMouseCursor& Cursor() { return *mCursor; }

  static constexpr float kDt = 1.0f / 60.0f;

 private:
  void Feed(std::initializer_list<zuzorev::SInputEvent> events, float dt);

  std::unique_ptr<CBaseLevel> mScene;
  std::unique_ptr<rovovoz::CMouseCursor> mCursor;
  std::vector<std::wstring> mEvents;
  std::vector<std::wstring> mCursorImages;
};

}  // namespace puzzletest
