#pragma once
// printf-style formatting onto std::wstring with the wide conventions the
// game's format strings are written in: %s and %c take wide arguments,
// %hs / %S / %hc narrow ones (narrow text is UTF-8), %ls / %lc wide ones. A stray or trailing '%'
// prints as itself, a null string as "(null)"; numbers use the "C" locale;
// widths and precisions are capped at 4096.
#include <cstdarg>
#include <string>

namespace Platform {

std::wstring FormatWide(const wchar_t* format, ...);
std::wstring FormatWideV(const wchar_t* format, va_list args);

}  // namespace Platform
