#pragma once
// The item tables' records: panel and loose items, items found in the scene
// (whole or in pieces) and the panel items that replace an item. Texts are
// stored already looked up, except the tip key.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/zuzorev/Mesh.h"

// A panel item (push) or an item freed from the scene (free).
struct SPredmetInfo {
  zuzorev::CMesh Mesh;
  std::wstring TextPanel;
  std::wstring TextLevelHint;
  std::wstring KeyTextTips;
  int32_t Count = 0;
};

// An item found in the scene: Count objects of one model, or the pieces of
// a model file that holds the whole item and its pieces.
struct SFindPredmetInfo {
  int32_t Count = 0;
  std::vector<zuzorev::CMesh> Pieces;
  zuzorev::CMesh Mesh;
  std::wstring TextPanel;
};

// The panel items given for an item, in file order.
using SReplacePredmetInfo = std::vector<std::wstring>;
