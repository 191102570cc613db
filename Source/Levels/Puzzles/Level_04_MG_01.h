#pragma once
// The mosaic behind the last door: 25 pieces of a 5 x 5 picture start
// scrambled; a click takes a piece, a click on another swaps the two, and
// they fly to each other's cell on springs. Solved when every piece lies
// in its own cell.
#include "Engine/zormath/Math.h"
#include "Levels/Puzzles/PuzzleLevel.h"

class CLevel_04_MG_01 : public CPuzzleLevel {
 public:
  enum : int { kIdle = 0, kHovered = 1, kSelected = 2, kFlying = 3, kHome = 4 };
  static constexpr int kSide = 5;
  static constexpr int kPieces = kSide * kSide;
  static constexpr float kStep = 0.01f;
  // The cell each piece starts in.
  static const int kStartCell[kPieces];

  struct SPiece {
    rovovoz::CStaticObject3D* model = nullptr;
    rovovoz::CBaseGeometryObject* mark = nullptr;  // shown over a piece in its own cell
    rovovoz::CTriangleObject3D* trigger = nullptr;
    int state = kIdle;
    int row = 0, column = 0;          // the cell it is in or flies to
    int homeRow = 0, homeColumn = 0;  // its own cell
    float driveX = 0.0f, driveZ = 0.0f;
    zormath::Vec3f speed{0.0f, 0.0f, 0.0f};
    zormath::Vec3f position{0.0f, 0.0f, 0.0f};
    float glow = 0.0f;
  };

  CLevel_04_MG_01();

  const SPiece& GetPiece(int i) const { return mPieces[i]; }
  const zormath::Vec3f& GetCellPosition(int cell) const { return mCells[cell]; }
  int GetHomeCount() const { return mCount; }

 protected:
  void OnBackStart() override;
  void OnSkip() override;
  void UpdatePuzzle(float dt, rovovoz::CMouseCursor* cursor) override;
  bool DrawsEntry(const SObjectEntry& entry) const override;
  void DrawPuzzle(SObjectEntry& entry) override;

 private:
  void Click(int i, rovovoz::CMouseCursor* cursor);
  void Kick(SPiece& piece);
  void StepPiece(SPiece& piece, float h, float g, float k);
  void DrawPiece(SPiece& piece);
  static bool InBoard(const SPiece& piece);
  const zormath::Vec3f& CellOf(const SPiece& piece) const { return mCells[piece.row * kSide + piece.column]; }

  SPiece mPieces[kPieces];
  zormath::Vec3f mCells[kPieces];
  int mCount = 0;
  float mStore = kStep;
  rovovoz::CStaticObject3D* mShadow = nullptr;  // "S_Ten", the board's shadow and the drawing's entry
};
