#pragma once
// Thirteen hexagon pieces turned a sixth of a turn per click (left one
// way, right the other) until all point the same way. A turning piece
// lifts and casts a shadow; the skip turns them home one turn at a time;
// after the win the united picture shrinks and fades when asked.
#include <deque>
#include <utility>

#include "Levels/Puzzles/PuzzleLevel.h"

class CLevel_05_MG_02 : public CPuzzleLevel {
 public:
  enum : int { kHidden = 0, kRest = 1, kHovered = 2, kTurning = 3 };
  static constexpr int kPieces = 13;
  static constexpr float kTurnStep = 1.0471976f;  // a sixth of a turn

  struct SPiece {
    rovovoz::CStaticObject3D* model = nullptr;
    rovovoz::CTriangleObject3D* trigger = nullptr;
    float turn = 0.0f;  // 0 at rest, 0.001 .. 1 while turning
    float from = 0.0f, angle = 0.0f, to = 0.0f;
    float glow = 0.0f;
    int state = kRest;
  };

  CLevel_05_MG_02();

  const SPiece& GetPiece(int i) const { return mPieces[i]; }
  size_t GetQueueLength() const { return mQueue.size(); }
  bool IsAutoSolving() const { return mAutoSolve != 0; }
  float GetFade() const { return mFade; }

 protected:
  void OnBackStart() override;
  void OnSkip() override;
  void OnPuzzleAction(const std::wstring& name) override;
  void UpdatePuzzle(float dt, rovovoz::CMouseCursor* cursor) override;
  bool DrawsEntry(const SObjectEntry& entry) const override;
  void DrawPuzzle(SObjectEntry& entry) override;

 private:
  void StartTurn(SPiece& piece, int direction);
  void UpdatePiece(SPiece& piece, float dt, rovovoz::CMouseCursor* cursor);
  void StepQueue();
  void TestWin();
  void DrawPiece(SPiece& piece);

  SPiece mPieces[kPieces];
  std::deque<std::pair<int, int>> mQueue;  // (piece, direction) of the skip
  rovovoz::CStaticObject3D* mUnited = nullptr;
  int mAutoSolve = 0;
  int mQueueBusy = 0;
  int mFadeFlag = 0;
  float mFade = 0.0f;
};
