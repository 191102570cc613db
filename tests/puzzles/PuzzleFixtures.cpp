#include "puzzles/PuzzleFixtures.h"

#include <cmath>
#include <cwchar>

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

float HexagonX(int piece) { return -325.0f + 50.0f * static_cast<float>(piece) + 25.0f; }

std::vector<SShape> HexagonShapes(int without) {
  std::vector<SShape> shapes;
  for (int i = 0; i < 13; ++i) {
    const float x = HexagonX(i);
    shapes.push_back({Name(L"kysok_%.2d", i + 1), i + 1 == without ? L"" : Name(L"T_kysok_%.2d", i + 1), x - 24, -24,
                      x + 24, 24, 2});
  }
  shapes.push_back({L"A_DlyaMashtaba", L"", -330, -60, 330, 60, 1});
  return shapes;
}

float MoonX(int point) { return std::round(150.0f * std::cos(1.5707964f + 1.2566371f * static_cast<float>(point))); }
float MoonZ(int point) { return std::round(150.0f * std::sin(1.5707964f + 1.2566371f * static_cast<float>(point))); }

std::vector<SShape> MoonShapes() {
  const wchar_t* models[] = {L"S_HLuna5_01", L"S_HLuna1_03", L"S_HLuna3_05", L"S_HLuna9_07", L"S_HLuna7_09"};
  const wchar_t* lit[] = {L"S_HLunaNajata5_01", L"S_HLunaNajata1_03", L"S_HLunaNajata3_05", L"S_HLunaNajata9_07",
                          L"S_HLunaNajata7_09"};
  std::vector<SShape> shapes;
  for (int k = 0; k < 5; ++k) {
    const float x = MoonX(k), z = MoonZ(k);
    shapes.push_back({models[k], Name(L"T_Luna%i", 2 * k + 1), x - 30, z - 30, x + 30, z + 30, 2});
    shapes.push_back({lit[k], L"", x - 30, z - 30, x + 30, z + 30, 2});
  }
  return shapes;
}

}  // namespace puzzletest
