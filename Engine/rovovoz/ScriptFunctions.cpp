#include "Engine/rovovoz/ScriptFunctions.h"

#include <utility>

#include "Engine/zorlog/Log.h"

namespace rovovoz {

namespace {

const wchar_t* const kSourceTag = L"Engine/rovovoz/ScriptFunctions";

void WarnMissing(const wchar_t* format, const std::wstring& name, int line) {
  zuzorev::LogMessage(zuzorev::ELogLevel::Warning, kSourceTag, line, format, name.c_str());
}

}  // namespace

void CScriptFunctions::AddCommand(const std::wstring& name, Handler handler) {
  if (name.empty() || !handler) return;
  mCommands[name] = SCommand{std::move(handler), nullptr};
}

void CScriptFunctions::AddCommand(const std::wstring& name, ListHandler handler) {
  if (name.empty() || !handler) return;
  mCommands[name] = SCommand{nullptr, std::move(handler)};
}

bool CScriptFunctions::Call(const std::wstring& name) const {
  auto it = mCommands.find(name);
  if (it == mCommands.end() || !it->second.plain) {
    WarnMissing(L"Script command not found: %s", name, __LINE__);
    return false;
  }
  // Copy first: a handler may register commands and so touch the map.
  Handler handler = it->second.plain;
  handler();
  return true;
}

bool CScriptFunctions::CallList(const std::wstring& name, uint32_t context, int32_t index) const {
  auto it = mCommands.find(name);
  if (it == mCommands.end() || !it->second.list) {
    WarnMissing(L"Script list command not found: %s", name, __LINE__);
    return false;
  }
  ListHandler handler = it->second.list;
  handler(context, index);
  return true;
}

}  // namespace rovovoz
