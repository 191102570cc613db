#pragma once
// One-call logging for the shell: builds the message, tags it with its
// source file and line and emits it at one level. Wide-string arguments are
// passed as c_str().
#include "Engine/zorlog/Log.h"

namespace gamelog {

template <typename... Args>
void Info(const wchar_t* source, int line, const wchar_t* format, Args... args) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Info, source, line, format, args...);
}

template <typename... Args>
void Warning(const wchar_t* source, int line, const wchar_t* format, Args... args) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Warning, source, line, format, args...);
}

template <typename... Args>
void Error(const wchar_t* source, int line, const wchar_t* format, Args... args) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Error, source, line, format, args...);
}

}  // namespace gamelog
