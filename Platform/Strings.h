#pragma once
// Text helpers shared by the engine layer and the game. In memory every name
// and text is a std::wstring (UTF-32 on Linux); files hold UTF-8 (text, XML)
// or UTF-16LE code units (binary profiles).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

// UTF-8 <-> wide. Malformed UTF-8 bytes decode to U+FFFD; never throws.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// UTF-16 code units <-> wide. Surrogate pairs join into one character;
// a lone surrogate becomes U+FFFD.
std::wstring Utf16ToWide(const std::u16string_view units);
std::u16string WideToUtf16(std::wstring_view wide);

// ASCII-only case folding (the data's names are ASCII words).
wchar_t ToLowerAscii(wchar_t c);
std::wstring ToLowerAscii(std::wstring_view s);
std::string ToLowerAscii(std::string_view s);
// <0, 0, >0 like wcscmp after folding ASCII letters to lower case.
int CompareNoCase(std::wstring_view a, std::wstring_view b);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Index of the first occurrence of needle at or after pos, ignoring ASCII
// case; std::wstring::npos when absent. An empty needle is found at pos.
size_t FindNoCase(std::wstring_view haystack, std::wstring_view needle, size_t pos = 0);

// Splits text at any of the delimiter characters. Runs of delimiters count
// as one separator, leading delimiters make no word, and trailing delimiters
// yield one empty word at the end ("a b " -> "a", "b", "").
void SplitString(std::wstring_view text, std::wstring_view delimiters, std::vector<std::wstring>& out);

// Splits a path into drive ("C:"), directory (with its trailing separator),
// name (without extension) and extension (with its dot). Both '\' and '/'
// separate folders. A null output skips that component.
void SplitPath(std::wstring_view path, std::wstring* drive, std::wstring* directory, std::wstring* name,
               std::wstring* extension);

// A data name folded for use as a map key: ASCII lower case, '\' as '/',
// so names differing only in slashes or letter case are the same key.
std::wstring DataNameKey(std::wstring_view name);

// Trims blanks (space, tab, CR, LF) at both ends.
std::wstring Trim(std::wstring_view s);

}  // namespace Platform
