#pragma once
// The text form of a recorded play: a header with the frame time and the
// random seed, then one input event per line, prefixed by the frame it
// arrives in. Small, readable and diffable, so a replay kept beside a test
// can be read and mended by hand.
//
//   lht-input 1
//   frame-time 0.0166667
//   seed 2024
//   0 move 512 384
//   4 down 0 520 390
//   5 up 0 520 390
//   6 key-down 44
//   9 text hello
//   45 quit
#include <memory>
#include <string>

#include "Engine/zuzorev/EventScript.h"

namespace zuzorev {

// One event as a line of the file (frame first, no line end).
std::string FormatEventLine(int frame, const SInputEvent& e);
// The header lines of a file recorded at that frame time and seed.
std::string FormatEventScriptHeader(float frameTime, uint32_t seed);

// Reads a whole file's text. Null, with error naming the line and what is
// wrong with it, when the text is not a replay; a replay never half-loads.
std::unique_ptr<CEventScript> ParseEventScript(const std::string& text, std::wstring& error);
// Reads the file at path (UTF-8 name); error as ParseEventScript, or that
// the file cannot be read.
std::unique_ptr<CEventScript> LoadEventScript(const std::string& path, std::wstring& error);

}  // namespace zuzorev
