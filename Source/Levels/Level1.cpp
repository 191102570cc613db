#include "Levels/Level1.h"

#include "Interface/SelectDifficulty.h"
#include "PlayerRecord.h"

namespace {
// The question comes when the timer first lies in this window.
constexpr float kAskFrom = 3.0f;
constexpr float kAskUntil = 5.0f;
constexpr float kAsked = 10.0f;
}  // namespace

int32_t CLevel_1::StartBack(uint32_t flags) {
  mTimer = 0.0f;
  return CBaseLevel::StartBack(flags);
}

void CLevel_1::UpdateLevel(float dt, rovovoz::CMouseCursor* cursor) {
  CBaseLevel::UpdateLevel(dt, cursor);
  mTimer += dt;
  if (mTimer < kAskFrom || mTimer > kAskUntil) return;
  mTimer = kAsked;
  DoAction(L"a_test_HintPosilka", 0, nullptr, kActionMaskAll);
  if (gCurrentPlayer.mDifficulty == 0 && gSelectDifficultyMenu) gSelectDifficultyMenu->Open();
}
