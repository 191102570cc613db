#pragma once
#include <string>

namespace zorvideo {

// Opens the video library's own log in the per-user folder (folder set by
// the main log's InitDebugSystem).
bool InitDebugSystemVideo(const std::wstring& fileName);
void VideoLogError(const std::wstring& text);

}  // namespace zorvideo
