#pragma once
// The hint pop-up: a message box that shows queued hints one at a time.
// The game object owns three of them.
#include <cstdint>
#include <string>

namespace rovovoz {
class CGameCore;
class CMouseCursor;
}  // namespace rovovoz

class CHintMenu {
 public:
  explicit CHintMenu(rovovoz::CGameCore* core);
  virtual ~CHintMenu();
  CHintMenu(const CHintMenu&) = delete;
  CHintMenu& operator=(const CHintMenu&) = delete;

  // The pop-up's file; false on failure.
  virtual bool Load(const std::wstring& file);
  // After a display re-initialisation; negative on failure.
  virtual int32_t ReInit();
  // One step of the shown hint; a negative byte once the box has closed.
  virtual int8_t Update(float dt, rovovoz::CMouseCursor* cursor);
  virtual void Render();
  // The box's check box.
  virtual bool GetCheck();
  // all 1 closes every queued hint at once.
  virtual void CloseHint(int all, float delay);
  // The visible box in the interface plane; all zero without a hint.
  virtual void GetBoxRect(float& left, float& top, float& right, float& bottom);
  virtual bool SelectHint(const std::wstring& name);
  virtual void Show();

 protected:
  rovovoz::CGameCore* mCore;
};

// Made and owned by the game object.
extern CHintMenu* gHintMenu;
extern CHintMenu* gHintMenu2;
extern CHintMenu* gHintMenu3;
