#pragma once
// A first-in first-out list of moves and signals run one step at a time:
// a move glides the program-wide move position from where the cursor
// stands to a target in a quarter of a second, eased at both ends; a
// signal raises the program-wide move signal for one frame, so that a
// scene learns when the moves queued before it are done.
#include <cstdint>
#include <vector>

#include "Engine/zormath/Math.h"

namespace rovovoz {
class CMouseCursor;
}

struct SMoveStep {
  enum : int32_t { kMove = 0, kSignal = 1 };

  float t = 0.001f;
  uint8_t started = 0;
  zormath::Vec3f start;
  zormath::Vec3f target;
  int32_t type = kMove;

  void Init(int32_t stepType, float x, float y, float z);
  // True while the step goes on.
  bool Update(float dt, rovovoz::CMouseCursor* cursor);
};

class CMoveQueue {
 public:
  CMoveQueue();
  void SetSpeed(float factor) { mSpeed = factor; }
  void Push(const SMoveStep& step) { mSteps.push_back(step); }
  void Clear() { mSteps.clear(); }
  // The front step only; a finished step leaves, the next starts next time.
  void Update(float dt, rovovoz::CMouseCursor* cursor);
  size_t GetCount() const { return mSteps.size(); }

 private:
  std::vector<SMoveStep> mSteps;
  float mSpeed = 1.0f;
};

uint8_t GetMoveQueueSignal();
void SetMoveQueueSignal(uint8_t value);

// Where the running move stands; scenes read it after CMoveQueue::Update.
extern zormath::Vec3f gMoveQueuePosition;
