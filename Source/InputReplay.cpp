#include "InputReplay.h"

#include <cstdlib>

#include "Engine/zuzorev/EventRecorder.h"
#include "Engine/zuzorev/EventScriptFile.h"
#include "GameLog.h"
#include "Platform/Random.h"
#include "Platform/Strings.h"

namespace InputReplay {
namespace {
const wchar_t* const kSource = L"Source/InputReplay";

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}
}  // namespace

bool AttachFromEnvironment(zuzorev::CEventQueue& queue) {
  std::wstring error;
  if (const char* path = Variable(kReplayVariable)) {
    const std::wstring name = Platform::Utf8ToWide(path);
    auto script = zuzorev::LoadEventScript(path, error);
    if (!script) {
      gamelog::Error(kSource, __LINE__, L"Replay %s not played: %s", name.c_str(), error.c_str());
      return false;
    }
    queue.SetReleaseFinishedScript(true);
    queue.SetScript(std::move(script));
    gamelog::Info(kSource, __LINE__, L"Replaying input from %s.", name.c_str());
    return true;
  }
  if (const char* path = Variable(kRecordVariable)) {
    const std::wstring name = Platform::Utf8ToWide(path);
    // The seed a player's own start would draw, kept in the file.
    const uint32_t seed = static_cast<uint32_t>(Platform::Random()) << 15 ^ static_cast<uint32_t>(Platform::Random());
    auto recorder =
        zuzorev::CEventRecorder::Create(path, zuzorev::CEventRecorder::kDefaultFrameTime, seed, error);
    if (!recorder) {
      gamelog::Error(kSource, __LINE__, L"Input not recorded: %s", error.c_str());
      return false;
    }
    queue.SetRecorder(std::move(recorder));
    gamelog::Info(kSource, __LINE__, L"Recording input to %s.", name.c_str());
  }
  return true;
}

}  // namespace InputReplay
