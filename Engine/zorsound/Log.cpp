#include "Engine/zorsound/Log.h"

#include "Engine/zuzorev/Log.h"

namespace zorsound {

bool InitDebugSystemSound(const std::wstring& fileName) { return zuzorev::OpenChannelLog(L"sound", fileName); }

void SoundLogError(const std::wstring& text) {
  zuzorev::SLogRecord record;
  record.level = zuzorev::ELogLevel::Error;
  record.text = text;
  record.channel = L"sound";
  zuzorev::WriteLogRecord(record);
}

}  // namespace zorsound
