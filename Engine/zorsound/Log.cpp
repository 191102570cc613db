#include "Engine/zorsound/Log.h"

#include "Engine/zorlog/Log.h"

namespace zorsound {

bool InitDebugSystemSound(const std::wstring& fileName) { return zuzorev::OpenChannelLog(L"sound", fileName); }

void SoundLogError(const std::wstring& text) { zuzorev::WriteChannelError(L"sound", text); }

}  // namespace zorsound
