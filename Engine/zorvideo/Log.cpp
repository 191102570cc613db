#include "Engine/zorvideo/Log.h"

#include "Engine/zorlog/Log.h"

namespace zorvideo {

bool InitDebugSystemVideo(const std::wstring& fileName) { return zuzorev::OpenChannelLog(L"video", fileName); }

void VideoLogError(const std::wstring& text) { zuzorev::WriteChannelError(L"video", text); }

}  // namespace zorvideo
