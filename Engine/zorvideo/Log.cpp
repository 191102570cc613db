#include "Engine/zorvideo/Log.h"

#include "Engine/zuzorev/Log.h"

namespace zorvideo {

bool InitDebugSystemVideo(const std::wstring& fileName) { return zuzorev::OpenChannelLog(L"video", fileName); }

void VideoLogError(const std::wstring& text) {
  zuzorev::SLogRecord record;
  record.level = zuzorev::ELogLevel::Error;
  record.text = text;
  record.channel = L"video";
  zuzorev::WriteLogRecord(record);
}

}  // namespace zorvideo
