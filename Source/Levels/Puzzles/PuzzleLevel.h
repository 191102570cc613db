#pragma once
// The base of every puzzle scene: the protocol all puzzles share, carried
// once. "a_back_start" sets the puzzle up, the start action lets it take
// input, the skip hands it to the class (or ends it at once), a win plays
// the success sound and runs the end action exactly once; a frame takes
// input only while running, with a cursor and with an engine core, and
// always ends in the playable scene's own frame. A class fills in the
// hooks with its board, its rules and its drawing.
#include <functional>
#include <string>

#include "Levels/BaseLevel.h"
#include "Levels/Puzzles/PuzzleRules.h"

namespace rovovoz {
class CTriangleObject3D;
class CStaticObject3D;
}  // namespace rovovoz

class CPuzzleLevel : public CBaseLevel {
 public:
  explicit CPuzzleLevel(const SPuzzleRules& rules);

  int32_t OnAction(const std::wstring& name, int mode) override;
  void UpdateLevel(float dt, rovovoz::CMouseCursor* cursor) override;
  void RenderObject(SObjectEntry& entry) override;

  const SPuzzleRules& GetRules() const { return mRules; }
  bool IsRunning() const { return mRunning != 0; }
  bool IsDone() const { return mDone != 0; }
  int GetSelected() const { return mSelected; }

  // Tests watch what puzzles play and run: kind "sound" or "action".
  using Observer = std::function<void(const std::wstring& kind, const std::wstring& name)>;
  static void SetObserverForTests(Observer observer);

 protected:
  // "a_back_start": the flags are cleared (running set for a class without
  // a start action) before this runs.
  virtual void OnBackStart() {}
  // The start action, after the running flag is set.
  virtual void OnStart() {}
  // The skip of a class that ends by its frames or by its own ending.
  virtual void OnSkip() {}
  // Any other action name (mode 0).
  virtual void OnPuzzleAction(const std::wstring& name) { (void)name; }
  // The puzzle's frame: while running with a core, with a cursor unless
  // the class moves in frames without one.
  virtual void UpdatePuzzle(float dt, rovovoz::CMouseCursor* cursor) {
    (void)dt, (void)cursor;
  }
  // The entry the class draws itself, and its drawing.
  virtual bool DrawsEntry(const SObjectEntry& entry) const {
    (void)entry;
    return false;
  }
  virtual void DrawPuzzle(SObjectEntry& entry) { (void)entry; }

  // The win: done once, the success sound and the end action.
  void Win();
  // Plays a sound by name when there is an engine core.
  void PlaySound(const std::wstring& name);
  // Runs an action of the scene (query, effect, end).
  void RunPuzzleAction(const std::wstring& name);
  // The button edge of the core's input (mode 1 went down, 4 came up).
  bool IsButton(int button, int mode) const;
  // The scene's object of that name; a missing one is logged and null.
  rovovoz::CBaseGeometryObject* FindPiece(const std::wstring& name) const;
  rovovoz::CStaticObject3D* FindModel(const std::wstring& name) const;
  // The trigger model of that trigger name; a missing one is logged and null.
  rovovoz::CTriangleObject3D* FindTrigger(const std::wstring& name) const;
  // The trigger lies under the cursor (false for a null one).
  static bool IsUnderCursor(rovovoz::CTriangleObject3D* trigger, rovovoz::CMouseCursor* cursor);
  // A printf name with one number ("K_%.2d").
  static std::wstring PieceName(const wchar_t* pattern, int number);

  int32_t mRunning = 0;
  int32_t mDone = 0;
  int32_t mSelected = -1;

 private:
  void Notify(const wchar_t* kind, const std::wstring& name) const;

  const SPuzzleRules& mRules;
};
