#pragma once
// The entrance hall, the story's first scene: a little after each visit
// starts it shows its first tutorial hint and, for a player who has not
// chosen yet, asks for the difficulty.
#include "Levels/BaseLevel.h"

class CLevel_1 : public CBaseLevel {
 public:
  int32_t StartBack(uint32_t flags) override;
  void UpdateLevel(float dt, rovovoz::CMouseCursor* cursor) override;

 private:
  // Seconds since the visit started; parked past the window once the
  // question has been asked, so it comes once a visit.
  float mTimer = 0.0f;
};
