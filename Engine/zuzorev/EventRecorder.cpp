#include "Engine/zuzorev/EventRecorder.h"

#include <cerrno>
#include <cstring>

#include "Engine/zuzorev/EventScriptFile.h"
#include "Platform/Strings.h"

namespace zuzorev {

std::unique_ptr<CEventRecorder> CEventRecorder::Create(const std::string& path, float frameTime, uint32_t seed,
                                                       std::wstring& error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = L"cannot write " + Platform::Utf8ToWide(path) + L": " + Platform::Utf8ToWide(std::strerror(errno));
    return nullptr;
  }
  const std::string header = FormatEventScriptHeader(frameTime, seed);
  std::fwrite(header.data(), 1, header.size(), file);
  std::fflush(file);
  return std::unique_ptr<CEventRecorder>(new CEventRecorder(file, frameTime, seed));
}

CEventRecorder::CEventRecorder(std::FILE* file, float frameTime, uint32_t seed)
    : mFile(file), mFrameTime(frameTime), mSeed(seed) {}

CEventRecorder::~CEventRecorder() {
  if (mFile) std::fclose(mFile);
}

void CEventRecorder::BeginFrame() {
  ++mFramesBegun;
  mInFrameStart = true;
}

void CEventRecorder::FrameStarted() {
  mInFrameStart = false;
  std::fflush(mFile);
}

void CEventRecorder::Record(const SInputEvent& e) {
  // An event read at a frame's start belongs to that frame; one read later
  // (a loading screen pumping events) reaches a replay with the next frame.
  const int frame = mInFrameStart ? mFramesBegun - 1 : mFramesBegun;
  const std::string line = FormatEventLine(frame, e) + "\n";
  std::fwrite(line.data(), 1, line.size(), mFile);
}

}  // namespace zuzorev
