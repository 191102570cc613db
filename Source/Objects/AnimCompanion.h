#pragma once
// The binary companion of a key-frame export: the same animation already
// baked, one 64-byte record per frame, little-endian, found in the
// animation search paths.
#include <string>

#include "Objects/AnimKey.h"

namespace animfile {

// The export's name up to its first '.', then '.', the node and ".anim":
// Anim\door.xaf with Door01 gives Anim\door.Door01.anim.
std::wstring CompanionName(const std::wstring& exportFile, const std::wstring& node);

// True when the companion is in the animation search paths.
bool CompanionExists(const std::wstring& name);

// Reads a companion into out. A file that is short, or whose header cannot
// be right (no sample, no frame rate, a negative vertex count, sizes beyond
// the file), is refused with a line in the log and out is left empty.
bool ReadCompanion(const std::wstring& name, SAnimData& out);

}  // namespace animfile
