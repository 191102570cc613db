#pragma once
// printf-style formatting onto std::wstring with the original platform's
// wide conventions: %s and %c take wide arguments (%hs / %hc narrow ones),
// a stray or trailing '%' prints as itself, and no format can crash it.
#include <cstdarg>
#include <string>

namespace Platform {

std::wstring FormatWide(const wchar_t* format, ...);
std::wstring FormatWideV(const wchar_t* format, va_list args);

}  // namespace Platform
