#pragma once
#include <string>

namespace zorsound {

// Opens the sound library's own log in the per-user folder (folder set by
// the main log's InitDebugSystem).
bool InitDebugSystemSound(const std::wstring& fileName);
// Writes one error line to the sound log.
void SoundLogError(const std::wstring& text);

}  // namespace zorsound
