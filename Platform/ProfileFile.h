#pragma once
// Single settings of game.ini read and written: "[Section]" headers and
// "Key=Value" lines, sections and keys matched ignoring case, values trimmed,
// every other line kept as it was. The file is UTF-8 and written atomically.
#include <string>

namespace Platform {

// Leading decimal integer of the value (optional sign); def when the section
// or key is absent; 0 when the value has no leading digits.
int GetPrivateProfileIntW(const std::wstring& section, const std::wstring& key, int def, const std::wstring& file);

// Copies the value (or def when absent) into out, cut to size - 1 characters
// (size counts the terminator, as a caller's buffer does). Returns the
// number of characters copied.
size_t GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                                std::wstring& out, size_t size, const std::wstring& file);

// Sets the value, adding the key at the end of its section or the section
// at the end of the file when missing. Returns 1 on success, 0 when nothing
// was written: the write failed, the file exists but cannot be read, or the
// texts cannot be stored in a line (empty key, '=' in the key, ']' in the
// section, a line break anywhere).
int WritePrivateProfileStringW(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                               const std::wstring& file);

// How many lines of the file a read passes over: lines that are not blank,
// a comment (';'), a "[Section]" header or a "Key=Value" line, and lines
// that hold a NUL byte. 0 for a missing file.
int CountProfileLinesNotRead(const std::wstring& file);

}  // namespace Platform
