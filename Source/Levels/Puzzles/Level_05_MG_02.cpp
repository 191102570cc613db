#include "Levels/Puzzles/Level_05_MG_02.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/ObjectEntry.h"
#include "MiniGame/MiniGameMath.h"
#include "Platform/Random.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kTurnRate = 8.0f;
constexpr float kGlowRate = 4.0f;
constexpr float kFadeRate = 4.0f;
constexpr float kWinTolerance = 0.001f;
constexpr const wchar_t* kDrawEntry = L"kysok_01";
constexpr int kHiddenPiece = 1;

float Wrapped(float a) {
  a = a - kTwoPi * static_cast<float>(static_cast<int>(a / kTwoPi));
  if (a > kPi) a -= kTwoPi;
  if (a < -kPi) a += kTwoPi;
  return a;
}

}  // namespace

CLevel_05_MG_02::CLevel_05_MG_02() : CPuzzleLevel(*FindPuzzleRules(L"CLevel_05_MG_02")) {}

void CLevel_05_MG_02::OnBackStart() {
  mUnited = FindModel(L"A_DlyaMashtaba");
  for (int i = 0; i < kPieces; ++i) {
    SPiece& piece = mPieces[i];
    // A piece without its model or its trigger is left out: neither drawn
    // nor picked nor counted.
    piece.model = FindModel(PieceName(L"kysok_%.2d", i + 1));
    piece.trigger = FindTrigger(PieceName(L"T_kysok_%.2d", i + 1));
    piece.glow = 0.0f;
    piece.turn = 0.0f;
    if (piece.state == kTurning) piece.state = kRest;
  }
  mPieces[kHiddenPiece].state = kHidden;
  mFade = 0.0f;
  mAutoSolve = 0;
  mFadeFlag = 0;
  mQueueBusy = 0;
  mQueue.clear();
  SetObjectParamA(kDrawEntry, 1);
  for (SPiece& piece : mPieces) {
    const int k = static_cast<int>(6.0f * static_cast<float>(Platform::Random()) / 32767.0f);
    piece.angle = kHalfPi + static_cast<float>(k) * kTurnStep;
    piece.from = piece.to = piece.angle;
    if (piece.model) piece.model->SetDirection3D(zormath::Vec3f(std::cos(piece.angle), 0.0f, std::sin(piece.angle)));
  }
  RunPuzzleAction(L"a_test_del_push_B5PazzlPart2");
}

void CLevel_05_MG_02::OnSkip() {
  mAutoSolve = 1;
  if (!mQueue.empty()) return;
  for (int i = 0; i < kPieces; ++i) {
    const SPiece& piece = mPieces[i];
    const float a = Wrapped(piece.state == kTurning ? piece.to : piece.angle);
    const int turns = static_cast<int>(std::floor(std::fabs(a - kHalfPi) / kTurnStep + 0.5f));
    const int direction = a > kHalfPi ? 0 : 1;
    for (int t = 0; t < turns; ++t) mQueue.emplace_back(i, direction);
  }
}

void CLevel_05_MG_02::OnPuzzleAction(const std::wstring& name) {
  if (name == L"a_b5mg2_need_push_down_UnitedHexagons") mFadeFlag = 1;
}

void CLevel_05_MG_02::StartTurn(SPiece& piece, int direction) {
  if (piece.state == kTurning) return;
  piece.state = kTurning;
  PlaySound(L"Mozaika_provorachivaetsya");
  piece.turn = 0.001f;
  piece.from = piece.angle;
  piece.to = direction == 1 ? piece.angle + kTurnStep : piece.angle - kTurnStep;
}

void CLevel_05_MG_02::UpdatePiece(SPiece& piece, float dt, rovovoz::CMouseCursor* cursor) {
  if (!piece.model || !piece.trigger) return;
  if (cursor && IsUnderCursor(piece.trigger, cursor) && !mAutoSolve && piece.state != kTurning) {
    piece.state = kHovered;
    cursor->SetCursor(L"cur_click", 0);
    if (IsButton(0, 4))
      StartTurn(piece, 0);
    else if (IsButton(1, 4))
      StartTurn(piece, 1);
  } else if (piece.state == kHovered) {
    piece.state = kRest;
  }
  if (piece.turn > 0.0f) {
    piece.turn += kTurnRate * dt;
    if (piece.turn >= 1.0f) {
      piece.turn = 1.0f;
      piece.state = kRest;
      mQueueBusy = 0;
    }
    const float e = CosineEase(piece.turn);
    piece.angle = (1.0f - e) * piece.from + e * piece.to;
    if (piece.turn == 1.0f) piece.turn = 0.0f;
  }
  piece.model->SetDirection3D(zormath::Vec3f(std::cos(piece.angle), 0.0f, std::sin(piece.angle)));
  if (piece.state == kHovered)
    piece.glow = std::min(piece.glow + kGlowRate * dt, 1.0f);
  else
    piece.glow = std::max(piece.glow - kGlowRate * dt, 0.0f);
}

void CLevel_05_MG_02::StepQueue() {
  if (mQueueBusy || mQueue.empty()) return;
  const auto [index, direction] = mQueue.front();
  // A piece still in the player's turn takes its queued turn after it:
  // started now, the turn would be ignored and the skip never end.
  if (index >= 0 && index < kPieces && mPieces[index].state == kTurning) return;
  mQueue.pop_front();
  if (index < 0 || index >= kPieces) return;
  SPiece& piece = mPieces[index];
  // A left-out piece cannot turn: its entries are dropped and nothing waits.
  if (!piece.model || !piece.trigger) return;
  mQueueBusy = 1;
  StartTurn(piece, direction);
}

void CLevel_05_MG_02::TestWin() {
  int count = 0;
  for (const SPiece& piece : mPieces) {
    // A left-out piece cannot be turned, so it does not hold the win back.
    if (!piece.model || !piece.trigger) {
      ++count;
      continue;
    }
    const zormath::Vec3f d = piece.model->GetDirection3D();
    if (Vector3LengthSquared(d.x, d.y, d.z - 1.0f) <= kWinTolerance * kWinTolerance) ++count;
  }
  if (count == kPieces) Win();
}

void CLevel_05_MG_02::UpdatePuzzle(float dt, rovovoz::CMouseCursor* cursor) {
  if (!mDone)
    for (SPiece& piece : mPieces) UpdatePiece(piece, dt, cursor);
  if (mAutoSolve) StepQueue();
  if (!mDone) TestWin();
  if (mFadeFlag) mFade = std::min(mFade + kFadeRate * dt, 1.0f);
}

bool CLevel_05_MG_02::DrawsEntry(const SObjectEntry& entry) const { return entry.mModelName == kDrawEntry; }

void CLevel_05_MG_02::DrawPuzzle(SObjectEntry&) {
  if (mDone) {
    if (!mUnited) return;
    mUnited->SetScaleX(1.0f - 0.1f * mFade);
    mUnited->SetScaleZ(1.0f - 0.1f * mFade);
    mUnited->SetAlpha(1.0f - 0.4f * mFade);
    mUnited->Render();
    return;
  }
  for (SPiece& piece : mPieces)
    if (piece.state != kTurning) DrawPiece(piece);
  for (SPiece& piece : mPieces)
    if (piece.state == kTurning) DrawPiece(piece);
}

void CLevel_05_MG_02::DrawPiece(SPiece& piece) {
  if (!piece.model || !piece.trigger) return;
  const float s = piece.turn > 0.5f ? 1.0f - piece.turn : piece.turn;
  if (piece.state == kTurning) piece.model->RenderShadow(16.0f * s, 16.0f * s, 0.75f);
  piece.model->SetScaleX(1.0f + 0.5f * s);
  piece.model->SetScaleZ(1.0f + 0.5f * s);
  if (piece.state == kHidden) return;
  piece.model->Render();
  piece.model->RenderAsOverlay(piece.glow);
}
