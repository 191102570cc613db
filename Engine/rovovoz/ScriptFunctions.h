#pragma once
// The command registry. Menus register their commands by name when they are
// made; a form file names the command of each button and list, and the form
// calls it by that name when the widget is used.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace rovovoz {

class CScriptFunctions {
 public:
  // A button's command: no arguments, no result.
  using Handler = std::function<void()>;
  // A list's command: the list's context word and the entry index (-1 when
  // no entry is selected).
  using ListHandler = std::function<void(uint32_t context, int32_t index)>;

  CScriptFunctions() = default;
  CScriptFunctions(const CScriptFunctions&) = delete;
  CScriptFunctions& operator=(const CScriptFunctions&) = delete;

  // Registers a command; a name registered again gets the new handler (of
  // either form). An empty name or handler is refused.
  void AddCommand(const std::wstring& name, Handler handler);
  void AddCommand(const std::wstring& name, ListHandler handler);

  // Runs the command registered under exactly this name. False, with a
  // warning in the log, when there is no such command of this form.
  bool Call(const std::wstring& name) const;
  bool CallList(const std::wstring& name, uint32_t context, int32_t index) const;

 private:
  struct SCommand {
    Handler plain;
    ListHandler list;
  };
  std::map<std::wstring, SCommand> mCommands;
};

}  // namespace rovovoz
