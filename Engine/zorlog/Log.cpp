#include "Engine/zorlog/Log.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>

#include "Platform/Format.h"
#include "Platform/Paths.h"
#include "Platform/Strings.h"

namespace zuzorev {
namespace {

const wchar_t* const kMainChannel = L"log";

const char* const kHtmlHeader =
    "<!DOCTYPE html>\n"
    "<html><head><meta charset=\"utf-8\"><title>log</title>\n"
    "<style>body{font-family:monospace} .info{color:#000} .warning{color:#a60} .error{color:#c00}</style>\n"
    "</head><body>\n";
const char* const kHtmlFooter = "</body></html>\n";

struct LogState {
  std::mutex mutex;
  std::filesystem::path folder;  // empty until InitDebugSystem
  std::map<std::wstring, std::FILE*> files;  // channel -> open log
  bool capturing = false;
  std::vector<SLogRecord> captured;
  bool keeping = false;  // main-log lines wait for the log to open
  std::vector<SLogRecord> kept;
};

// Never destroyed: messages may still come from other static destructors.
LogState& State() {
  static LogState* state = new LogState;
  return *state;
}

// The message being built on this thread: InitError, ErrorAddFileAndLine and
// AddDebug* come as separate calls, so each thread keeps its own.
struct PendingMessage {
  std::wstring text;
  std::wstring file;
  int line = 0;
};
thread_local PendingMessage tPending;

const char* LevelClass(ELogLevel level) {
  switch (level) {
    case ELogLevel::Info: return "info";
    case ELogLevel::Warning: return "warning";
    case ELogLevel::Error: return "error";
  }
  return "info";
}

const char* LevelName(ELogLevel level) {
  switch (level) {
    case ELogLevel::Info: return "INFO";
    case ELogLevel::Warning: return "WARNING";
    case ELogLevel::Error: return "ERROR";
  }
  return "INFO";
}

// Escapes the text for HTML and keeps the message on one line.
std::string EscapeHtml(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'\n': out += L"<br>"; break;
      case L'\r': break;
      default: out += c;
    }
  }
  return Platform::WideToUtf8(out);
}

std::string TimeStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const int millis =
      static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec, millis);
  return buffer;
}

std::string FormatHtmlLine(const SLogRecord& record) {
  std::string line = "<div class=\"";
  line += LevelClass(record.level);
  line += "\">";
  line += TimeStamp();
  line += ' ';
  line += LevelName(record.level);
  if (!record.file.empty()) {
    line += " [";
    line += EscapeHtml(record.file);
    if (record.line > 0) line += ':' + std::to_string(record.line);
    line += ']';
  }
  line += ' ';
  line += EscapeHtml(record.text);
  line += "</div>\n";
  return line;
}

std::FILE* OpenLogFile(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return nullptr;
  std::fputs(kHtmlHeader, file);
  std::fflush(file);
  return file;
}

void CloseLogFile(std::FILE* file) {
  if (!file) return;
  std::fputs(kHtmlFooter, file);
  std::fclose(file);
}

// Replaces the channel's log with a freshly opened file (state locked).
bool OpenChannelLocked(LogState& state, const std::wstring& channel, const std::wstring& fileName) {
  auto it = state.files.find(channel);
  if (it != state.files.end()) {
    CloseLogFile(it->second);
    state.files.erase(it);
  }
  if (state.folder.empty() || fileName.empty()) return false;
  std::FILE* file = OpenLogFile(state.folder / Platform::ToPath(fileName));
  if (!file) return false;
  state.files[channel] = file;
  return true;
}

void WriteLine(std::FILE* file, const SLogRecord& record) {
  const std::string line = FormatHtmlLine(record);
  std::fwrite(line.data(), 1, line.size(), file);
  std::fflush(file);
}

void Emit(SLogRecord record) {
  if (record.channel.empty()) record.channel = kMainChannel;
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  auto it = state.files.find(record.channel);
  if (it != state.files.end()) {
    WriteLine(it->second, record);
  } else {
    if (state.keeping && record.channel == kMainChannel && state.kept.size() < kMaxKeptLines)
      state.kept.push_back(record);
    if (record.level == ELogLevel::Error) {
      // No log file yet (or it could not be opened): errors must not vanish.
      std::string where;
      if (!record.file.empty())
        where = " [" + Platform::WideToUtf8(record.file) + ":" + std::to_string(record.line) + "]";
      std::fprintf(stderr, "%s error%s: %s\n", Platform::WideToUtf8(record.channel).c_str(), where.c_str(),
                   Platform::WideToUtf8(record.text).c_str());
    }
  }
  if (state.capturing) state.captured.push_back(std::move(record));
}

// A fresh pending message; without a format its text stays empty.
void StartPending(const wchar_t* format, va_list args) {
  tPending = PendingMessage{};
  if (format) tPending.text = Platform::FormatWideV(format, args);
}

void EmitPending(ELogLevel level) {
  SLogRecord record;
  record.level = level;
  record.text = std::move(tPending.text);
  record.file = std::move(tPending.file);
  record.line = tPending.line;
  record.channel = kMainChannel;
  tPending = PendingMessage{};
  Emit(std::move(record));
}

}  // namespace

bool InitDebugSystem(const std::wstring& folder, const std::wstring& fileName) {
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.folder = Platform::ToPath(folder);
  const bool opened = OpenChannelLocked(state, kMainChannel, fileName);
  if (opened)
    for (const SLogRecord& record : state.kept) WriteLine(state.files[kMainChannel], record);
  state.kept.clear();
  state.keeping = false;
  return opened;
}

void KeepLinesUntilLogOpens() {
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.kept.clear();
  state.keeping = true;
}

void CloseDebugSystem() {
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  for (auto& [channel, file] : state.files) CloseLogFile(file);
  state.files.clear();
  state.folder.clear();
  state.kept.clear();
  state.keeping = false;
}

bool OpenChannelLog(const std::wstring& channel, const std::wstring& fileName) {
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  return OpenChannelLocked(state, channel.empty() ? std::wstring(kMainChannel) : channel, fileName);
}

void InitError(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  StartPending(format, args);
  va_end(args);
}

void ErrorAddFileAndLine(const wchar_t* file, int line) {
  tPending.file = file ? file : L"";
  tPending.line = line;
}

// Goes through the pending message like the separate calls, so both ways
// leave the same record and the same (empty) pending message behind.
void LogMessage(ELogLevel level, const wchar_t* file, int line, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  StartPending(format, args);
  va_end(args);
  ErrorAddFileAndLine(file, line);
  EmitPending(level);
}

void AddDebugInfo() { EmitPending(ELogLevel::Info); }
void AddDebugWarning() { EmitPending(ELogLevel::Warning); }
void AddDebugError() { EmitPending(ELogLevel::Error); }

void WriteLogRecord(const SLogRecord& record) { Emit(record); }

void WriteChannelError(const std::wstring& channel, const std::wstring& text) {
  SLogRecord record;
  record.level = ELogLevel::Error;
  record.text = text;
  record.channel = channel;
  Emit(record);
}

void StartLogCapture() {
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.capturing = true;
}

void StopLogCapture() {
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.capturing = false;
}

const std::vector<SLogRecord>& GetCapturedLog() { return State().captured; }

void ClearCapturedLog() {
  LogState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.captured.clear();
}

}  // namespace zuzorev
