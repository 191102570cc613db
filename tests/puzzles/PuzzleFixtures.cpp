#include "puzzles/PuzzleFixtures.h"

#include "Levels/Puzzles/PuzzleLevel.h"

namespace puzzletest {

namespace {
std::wstring Name(const wchar_t* pattern, int number) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, pattern, number);
  return buffer;
}
}  // namespace

float MosaicCellX(int cell) { return -150.0f + 60.0f * static_cast<float>(cell % 5) + 30.0f; }
float MosaicCellZ(int cell) { return 150.0f - 60.0f * static_cast<float>(cell / 5) - 30.0f; }

std::vector<SShape> MosaicShapes() {
  std::vector<SShape> shapes;
  shapes.push_back({L"S_Ten", L"", -160, -160, 160, 160, 1});
  for (int i = 0; i < 25; ++i) {
    const float x = MosaicCellX(i), z = MosaicCellZ(i);
    shapes.push_back({Name(L"K_%.2d", i + 1), Name(L"TK_%.2d", i + 1), x - 29, z - 29, x + 29, z + 29, 2});
    shapes.push_back({Name(L"sel_%.2d", i + 1), L"", x - 29, z - 29, x + 29, z + 29, 3});
  }
  return shapes;
}

}  // namespace puzzletest
