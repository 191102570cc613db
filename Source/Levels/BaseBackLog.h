#pragma once
// Error lines of the scene framework, tagged with its source file.
#include "Engine/zorlog/Log.h"

namespace basebacklog {

constexpr const wchar_t* kSource = L"Source/Levels/BaseBack";

// printf-style wide format; %s takes const wchar_t*.
template <class... Args>
void Error(int line, const wchar_t* format, Args... args) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, kSource, line, format, args...);
}

}  // namespace basebacklog
