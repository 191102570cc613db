// Any bytes as an input replay file.
#include <string>

#include "Engine/zuzorev/EventQueue.h"
#include "Engine/zuzorev/EventScriptFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring error;
  auto script = zuzorev::ParseEventScript(std::string(reinterpret_cast<const char*>(data), size), error);
  if (script) {
    zuzorev::CEventQueue queue;
    for (int frame = 0; frame < 4 && !script->IsFinished(); ++frame) script->PlayFrame(queue);
  }
  return 0;
}
