#pragma once
// The one place where a player's name becomes a file name. Saving, loading
// and deleting a player all go through it, so a name can never reach
// outside the Users folder or make a file that cannot be written.
#include <cstddef>
#include <string>

// Longest player name the profile can hold (its 520-byte field).
constexpr size_t kMaxPlayerNameUnits = 259;
// Longest file name, leaving room for the temporary file written beside it
// (a file name holds at most 255 bytes).
constexpr size_t kMaxPlayerFileNameBytes = 255 - 16;

// True when the profile's name field keeps the name exactly as it is: not
// empty, at most kMaxPlayerNameUnits UTF-16 units, no U+0000 (the field's
// terminator: the name would read back cut, as another player) and only
// Unicode scalar values (no lone surrogate halves, nothing past U+10FFFF).
bool PlayerNameFits(const std::wstring& playerName);

// The player's name with ".dat" appended. Characters that some file systems
// refuse in a name (control characters, < > : " / \ | ? *), the
// escape character % itself and a leading dot are written as %XX, so two
// names never share a file unless they differ only in letter case. Empty
// when the name is empty, longer than the profile holds, not valid text, or
// too long for a file name.
std::wstring PlayerFileName(const std::wstring& playerName);
