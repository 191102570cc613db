#include "Levels/Puzzles/Level_04_MG_01.h"

#include <algorithm>
#include <cmath>

#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Levels/ObjectEntry.h"
#include "MiniGame/MiniGameMath.h"

namespace {

constexpr const wchar_t* kShadowName = L"S_Ten";
constexpr float kGlowRate = 8.0f;
constexpr float kDamping = 0.82f;
constexpr float kSpring = 200000.0f;
constexpr float kKick = 25000.0f;
constexpr float kShadowAlpha = 0.28f;
constexpr int kHiddenUntilRunning = 4;

}  // namespace

const int CLevel_04_MG_01::kStartCell[kPieces] = {8,  7,  5,  2,  1,  9,  3,  4,  0,  6,  11, 15, 14,
                                                  16, 22, 24, 19, 20, 17, 21, 23, 18, 12, 10, 13};

CLevel_04_MG_01::CLevel_04_MG_01() : CPuzzleLevel(*FindPuzzleRules(L"CLevel_04_MG_01")) {}

void CLevel_04_MG_01::OnBackStart() {
  for (int i = 0; i < kPieces; ++i) {
    SPiece& piece = mPieces[i];
    piece = SPiece{};
    piece.trigger = FindTrigger(PieceName(L"TK_%.2d", i + 1));
    if (piece.trigger) mCells[i] = piece.trigger->GetPosition3D();
    piece.homeRow = i / kSide;
    piece.homeColumn = i % kSide;
    piece.model = FindModel(PieceName(L"K_%.2d", i + 1));
    piece.mark = FindPiece(PieceName(L"sel_%.2d", i + 1));
  }
  mShadow = FindModel(kShadowName);
  mCount = 0;
  mStore = kStep;
  RunPuzzleAction(L"a_test_del_push_B4KysokPazl");
  for (int i = 0; i < kPieces; ++i) {
    SPiece& piece = mPieces[i];
    piece.row = kStartCell[i] / kSide;
    piece.column = kStartCell[i] % kSide;
    piece.position = CellOf(piece);
    if (piece.model) piece.model->SetPosition3D(piece.position);
    if (piece.mark) piece.mark->SetPosition3D(piece.position);
    if (piece.trigger) piece.trigger->SetPosition3D(piece.position);
  }
  SetObjectParamA(kShadowName, 1);
}

void CLevel_04_MG_01::OnSkip() {
  for (SPiece& piece : mPieces) {
    piece.row = piece.homeRow;
    piece.column = piece.homeColumn;
    piece.state = kFlying;
  }
}

void CLevel_04_MG_01::UpdatePuzzle(float dt, rovovoz::CMouseCursor* cursor) {
  for (SPiece& piece : mPieces)
    if (piece.state == kHovered) piece.state = kIdle;
  if (!mDone) {
    for (int i = 0; i < kPieces; ++i) {
      SPiece& piece = mPieces[i];
      if (piece.state == kFlying || !IsUnderCursor(piece.trigger, cursor)) continue;
      Click(i, cursor);
      break;
    }
  }
  mStore += dt;
  while (mStore >= kStep) {
    mStore -= kStep;
    mCount = 0;
    for (SPiece& piece : mPieces) StepPiece(piece, kStep, kGlowRate, kDamping);
    if (!mDone && mCount == kPieces) Win();
  }
}

void CLevel_04_MG_01::Click(int i, rovovoz::CMouseCursor*) {
  SPiece& piece = mPieces[i];
  if (!IsButton(0, 4)) {
    if (piece.state != kSelected) piece.state = kHovered;
    return;
  }
  if (mSelected == i) {
    piece.state = kIdle;
    mSelected = -1;
  } else if (mSelected < 0) {
    PlaySound(L"Klik_po_kusochku_mozaiki");
    piece.state = kSelected;
    mSelected = i;
  } else {
    PlaySound(L"Smena_kusochkov_mozaiki");
    SPiece& other = mPieces[mSelected];
    std::swap(piece.row, other.row);
    std::swap(piece.column, other.column);
    Kick(piece);
    Kick(other);
    piece.state = kFlying;
    other.state = kFlying;
    mSelected = -1;
  }
}

void CLevel_04_MG_01::Kick(SPiece& piece) {
  if (!piece.model || !InBoard(piece)) return;
  zormath::Vec3f d = CellOf(piece) - piece.model->GetPosition3D();
  Vector3RotateY(d, 1.5707964f);
  piece.driveX = kKick * d.x;
  piece.driveZ = kKick * d.z;
}

bool CLevel_04_MG_01::InBoard(const SPiece& piece) {
  return piece.row >= 0 && piece.row < kSide && piece.column >= 0 && piece.column < kSide;
}

void CLevel_04_MG_01::StepPiece(SPiece& piece, float h, float g, float k) {
  if (piece.state == kHovered || piece.state == kSelected || piece.state == kHome)
    piece.glow = std::min(piece.glow + h * g, 1.0f);
  else
    piece.glow = std::max(piece.glow - h * g, 0.0f);
  if (InBoard(piece)) {
    const zormath::Vec3f& cell = CellOf(piece);
    if (piece.state == kFlying && piece.model) {
      const zormath::Vec3f d = cell - piece.model->GetPosition3D();
      piece.driveX = piece.driveX + kSpring * h * d.x;
      piece.speed.x = piece.speed.x + 0.5f * piece.driveX * h * h;
      piece.position.x = piece.position.x + h * piece.speed.x;
      piece.driveZ = piece.driveZ + kSpring * h * d.z;
      piece.speed.z = piece.speed.z + 0.5f * piece.driveZ * h * h;
      piece.position.z = piece.position.z + h * piece.speed.z;
      piece.driveX *= k;
      piece.driveZ *= k;
      piece.speed.x *= k;
      piece.speed.z *= k;
      if (std::sqrt(Vector3LengthSquared(piece.speed.x, 0.0f, piece.speed.z)) < 1.0f) {
        const bool home = piece.row == piece.homeRow && piece.column == piece.homeColumn;
        piece.state = home ? kHome : kIdle;
      }
    } else if (piece.state != kFlying) {
      piece.position = cell;
    } else {
      // A flying piece without a model has nothing to fly: it lands.
      piece.position = cell;
      piece.state = kIdle;
    }
  }
  if (piece.row == piece.homeRow && piece.column == piece.homeColumn) {
    if (piece.state == kIdle) piece.state = kHome;
    ++mCount;
  }
  if (piece.model) piece.model->SetPosition3D(piece.position);
  if (piece.mark) piece.mark->SetPosition3D(piece.position);
  if (piece.trigger) piece.trigger->SetPosition3D(piece.position);
}

bool CLevel_04_MG_01::DrawsEntry(const SObjectEntry& entry) const { return entry.mModelName == kShadowName; }

void CLevel_04_MG_01::DrawPuzzle(SObjectEntry&) {
  for (int i = 0; i < kPieces; ++i) {
    if (mPieces[i].state == kFlying) continue;
    if (i == kHiddenUntilRunning && !mRunning) continue;
    DrawPiece(mPieces[i]);
  }
  for (SPiece& piece : mPieces)
    if (piece.state == kFlying) DrawPiece(piece);
  if (mShadow) {
    mShadow->SetAlpha(kShadowAlpha);
    mShadow->Render();
  }
}

void CLevel_04_MG_01::DrawPiece(SPiece& piece) {
  if (!piece.model) return;
  piece.model->Render();
  if (piece.state == kHome) {
    if (piece.mark) {
      piece.mark->SetAlpha(piece.glow);
      piece.mark->Render();
    }
  } else {
    piece.model->RenderAsOverlay(piece.glow);
  }
}
