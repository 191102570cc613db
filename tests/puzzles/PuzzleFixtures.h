#pragma once
// The fixture scenes of the built puzzles, shared by their own tests and
// the protocol test.
#include <vector>

#include "puzzles/PuzzleHarness.h"

namespace puzzletest {

// The mosaic: 25 pieces "K_%.2d" with triggers "TK_%.2d" in a 5 x 5 grid of
// 60 x 60 cells from (-150, 150), home marks "sel_%.2d" and "S_Ten".
std::vector<SShape> MosaicShapes();
// The centre of the mosaic's cell k.
float MosaicCellX(int cell);
float MosaicCellZ(int cell);

// The hexagons: 13 pieces "kysok_%.2d" with triggers "T_kysok_%.2d" in a
// row of 50-wide cells from x = -325, and "A_DlyaMashtaba"; the trigger
// named in `without` is left out.
std::vector<SShape> HexagonShapes(int without = 0);
float HexagonX(int piece);

// The moons: five models and their highlighted twins on the points of a
// star of radius 150, triggers "T_Luna1" .. "T_Luna9" (odd) over them.
std::vector<SShape> MoonShapes();
float MoonX(int point);
float MoonZ(int point);

}  // namespace puzzletest
