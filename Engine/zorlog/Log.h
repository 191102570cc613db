#pragma once
// The engine's debug log. A message is built by InitError, tagged with its
// source by ErrorAddFileAndLine and emitted at one level by AddDebugInfo,
// AddDebugWarning or AddDebugError (or all at once by LogMessage): one HTML
// line per message, flushed at once.
#include <functional>
#include <string>
#include <vector>

namespace zuzorev {

enum class ELogLevel { Info, Warning, Error };

struct SLogRecord {
  ELogLevel level = ELogLevel::Info;
  std::wstring text;
  std::wstring file;
  int line = 0;
  std::wstring channel;  // "log", "sound" or "video"
};

// Opens (truncates) folder/fileName as the main log. False when it cannot be
// opened; messages then still reach the sinks.
bool InitDebugSystem(const std::wstring& folder, const std::wstring& fileName);
void CloseDebugSystem();

// A program's first steps run before it knows where its log goes: from this
// call on, the main log's lines are kept (at most kMaxKeptLines) until
// InitDebugSystem opens the log and writes them first into it. Closing the
// log, or opening none, drops what was kept.
constexpr size_t kMaxKeptLines = 256;
void KeepLinesUntilLogOpens();

// Builds the pending message: printf-style wide format, %s and %c take wide
// arguments, a stray '%' prints as itself.
void InitError(const wchar_t* format, ...);
void ErrorAddFileAndLine(const wchar_t* file, int line);
void AddDebugInfo();
void AddDebugWarning();
void AddDebugError();

// The three steps above in one call: formats like InitError, tags the
// message with its source file and line and emits it at `level`.
void LogMessage(ELogLevel level, const wchar_t* file, int line, const wchar_t* format, ...);

// Opens (truncates) fileName in the folder given to InitDebugSystem as the
// log of one channel ("sound", "video"). False before InitDebugSystem or when
// the file cannot be opened; that channel's messages then still reach the
// capture (and stderr for errors).
bool OpenChannelLog(const std::wstring& channel, const std::wstring& fileName);

// Writes a message straight to one channel (used by the sound and video
// libraries for their own logs). An empty channel means the main log.
void WriteLogRecord(const SLogRecord& record);
// One error line on a channel's own log ("sound", "video").
void WriteChannelError(const std::wstring& channel, const std::wstring& text);

// In-memory sink: every emitted record is also appended here while capture
// is on. Tests read it through the helpers in tests/support.
void StartLogCapture();
void StopLogCapture();
const std::vector<SLogRecord>& GetCapturedLog();
void ClearCapturedLog();

}  // namespace zuzorev
