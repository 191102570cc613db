#pragma once
// One step of the story as the step list names it: a map screen, a chapter
// (two Level steps, one that prepares it and one that starts it), a cut-scene
// or a mini-game.
#include <cstdint>
#include <string>

// Step kinds (the tag of the step's element).
enum : uint32_t { kStepMap = 0, kStepLevel = 1, kStepRolik = 2, kStepMiniGame = 4 };
// Step-kind selector of the developer jumps that matches every kind.
constexpr uint32_t kStepAnyType = 0x0F000000u;

struct SLogicStep {
  uint32_t Type = kStepMap;
  // Unique name, kept in the player's record as the step to resume.
  std::wstring NameStep;
  // What the step runs: chapter, cut-scene or mini-game name.
  std::wstring Name;
  // "InitEpisod" or "CalculateEpisod" for the two steps of a chapter.
  std::wstring NameState;
  std::wstring Value;
  std::wstring Value2;
};
