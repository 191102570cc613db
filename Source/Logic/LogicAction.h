#pragma once
// Records of a parsed story script. The chapter and every scene and close-up
// execute the very same records; the player's progress keeps copies of whole
// action entries.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Code of a keyword that is not in its table (operation, target type,
// condition or condition target).
constexpr uint32_t kLogicUnknownCode = 0xFF000000u;

// One operation: do Operation on a target of kind Type with these
// parameters, after a delay of time + time2 x random seconds.
struct SLogicAction {
  uint32_t Operation = kLogicUnknownCode;
  uint32_t Type = kLogicUnknownCode;
  std::wstring par1, par2, par3, par4;
  int32_t par_i1 = 0, par_i2 = 0, par_i3 = 0, par_i4 = 0;
  float par_f1 = 0.0f, par_f2 = 0.0f, par_f3 = 0.0f;
  // Seconds left before a queued operation runs (run time only).
  float Countdown = 0.0f;
  // Minimum delay, never negative, and the random extra range.
  float time = 0.0f;
  float time2 = 0.0f;
  // Text key of a tip, read by the executors.
  std::wstring key_tips;

  void Clear() { *this = SLogicAction(); }
};

// One test of a conditional block.
struct SLogicCondition {
  uint32_t Code = kLogicUnknownCode;
  uint32_t Type = kLogicUnknownCode;
  std::wstring par1, par2, par3, par4;
  int32_t par_i1 = 0;

  void Clear() { *this = SLogicCondition(); }
};

// Operations that run only when every condition holds; Ret is handed back
// to the caller as the block's result.
struct SLogicIf {
  std::vector<SLogicCondition> Conditions;
  std::vector<SLogicAction> Actions;
  int32_t Ret = 0;
};

// One named action of the script. Ref counts down special runs and is saved
// with the player; Ret is the result of a normal run.
struct SLogicActionEntry {
  std::wstring Name;
  int32_t Ref = 1;
  int32_t Ret = 1;
  std::vector<SLogicIf> Ifs;
  std::vector<SLogicAction> Actions;
};

// Named actions in plain wide-character order of their names.
using SLogicActionMap = std::map<std::wstring, SLogicActionEntry>;
