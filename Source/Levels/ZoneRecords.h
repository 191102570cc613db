#pragma once
// The interaction-zone items of a scene, read from the Info block of its
// main file: simple items and complex items made of pieces. Entry indices
// are positions in the scene's entry vector; the loader keeps only items
// whose indices name entries (ind_sel -1: none).
#include <cstdint>
#include <string>
#include <vector>

// A simple item.
struct SZoneObject {
  std::wstring mName;
  int32_t ind = -1;
  int32_t ind_sel = -1;  // the entry its object effect shows, -1 none
};

// One piece of a complex item.
struct SZoneItem {
  int32_t num = 0;
  int32_t ind = -1;
  int32_t ind_sel = -1;
};

// A complex item: every piece, in file order, and the pieces in play now
// (empty after loading; the zones rebuild it).
struct SZoneComplex {
  std::wstring mName;
  std::vector<SZoneItem> mPieces;
  std::vector<SZoneItem> mActivePieces;
};
