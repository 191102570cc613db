#pragma once
// Records of the story script that the player's progress keeps copies of.
// The progress stores and copies whole action entries; the fields of an
// operation record and of a conditional block belong to the script reader.
#include <cstdint>
#include <string>
#include <vector>

// One operation of an action.
struct SLogicAction {};

// One conditional block of an action.
struct SLogicIf {};

// One named action of the script. Ref counts down special runs and is saved
// with the player; Ret is the result of a normal run.
struct SLogicActionEntry {
  std::wstring Name;
  int32_t Ref = 1;
  int32_t Ret = 1;
  std::vector<SLogicIf> Ifs;
  std::vector<SLogicAction> Actions;
};
