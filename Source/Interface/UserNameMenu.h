#pragma once
// The name entry for a new player. Enter confirms like "OK"; Esc cancels
// only when the entry was reached from the player list.
#include <string>

#include "Interface/ProfileBox.h"

namespace rovovoz {
class CGUIEditBox;
}

class CUserNameMenu : public CProfileBox {
 public:
  CUserNameMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  // Empties the entry and gives it the keyboard, then opens.
  int Open() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;

  rovovoz::CGUIEditBox* GetEdit() const { return mEdit; }
  // Shows or hides the notice that the typed name cannot be kept.
  void ShowBadName(bool show);

 protected:
  void FindWidgets() override;

  rovovoz::CGUIBaseObject* mCancelButton = nullptr;
  rovovoz::CGUIBaseObject* mOkButton = nullptr;
  rovovoz::CGUIEditBox* mEdit = nullptr;
  rovovoz::CGUIBaseObject* mBadName = nullptr;
  std::wstring mRefusedName;  // the text the notice is about
};

// Made and owned by the game object.
extern CUserNameMenu* gUserNameMenu;
