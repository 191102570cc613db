#pragma once
// The player list: choose, create or delete a player.
#include "Interface/ProfileBox.h"

namespace rovovoz {
class CGUIListBox;
}

class CUserMenu : public CProfileBox {
 public:
  CUserMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  // Refills the list, then opens.
  int Open() override;
  // Every player's name in list order; the current player selected.
  virtual void FillList();

  rovovoz::CGUIListBox* GetList() const { return mList; }

 protected:
  void FindWidgets() override;

  rovovoz::CGUIListBox* mList = nullptr;  // "ListName", owned by the form
};

// Made and owned by the game object.
extern CUserMenu* gUserMenu;
