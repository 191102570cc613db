#pragma once
// Small helpers every interface window shares: effect sounds by name and
// the click test of a form's buttons.
#include <string>

#include "Engine/rovovoz/GUIBaseObject.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"

namespace ui {

// An effect sound, played once from its start.
inline void PlaySound(rovovoz::CGameCore* core, const std::wstring& name) {
  if (core && core->GetSound() && !name.empty()) core->GetSound()->Play(name, 0.0f, 1);
}

// The widget was clicked in its last update.
inline bool IsClicked(const rovovoz::CGUIBaseObject* widget) {
  return widget && (widget->GetEvent() & rovovoz::kGuiEventClick) != 0;
}

// Updates a button and tells whether it was clicked; a clicked button's
// state is cleared.
inline bool UpdateAndClick(rovovoz::CGUIBaseObject* widget, float dt, rovovoz::CMouseCursor* cursor) {
  if (!widget) return false;
  widget->Update(dt, cursor);
  if (!IsClicked(widget)) return false;
  widget->ClearState();
  return true;
}

}  // namespace ui

namespace ui {

// Player names match ignoring the case of ASCII letters.
inline bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace ui
