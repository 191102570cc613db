#pragma once
// What each puzzle scene class does with the protocol all puzzles share:
// which action starts it, which one it runs when solved, which one skips
// it, the sound of the win, and how the skip ends it.
#include <string>

enum class ESkipKind {
  None,         // the class has no skip: "a_skip" is ignored
  ByFrames,     // pieces go home; the ordinary win test ends the puzzle
  EndAtOnce,    // the end action runs at once
  OwnEnding,    // the class ends itself (its own fade, no end action)
};

struct SPuzzleRules {
  const wchar_t* fileName;      // the scene file the factory knows it by
  const wchar_t* className;
  const wchar_t* startAction;   // null: the puzzle plays from "a_back_start"
  const wchar_t* endAction;     // run once when the puzzle is solved
  const wchar_t* skipAction;    // null: no skip
  const wchar_t* successSound;  // null: none
  bool soundAfterEnd;           // the sound follows the end action
  ESkipKind skip;
  bool framesWithoutCursor;     // the puzzle still moves in frames without a cursor
};

// The 22 rows, in the order of the scene list.
const SPuzzleRules* PuzzleRulesTable(size_t& count);
// The row of the class name, or null.
const SPuzzleRules* FindPuzzleRules(const std::wstring& className);
