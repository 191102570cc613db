#pragma once
// The question before a player is deleted.
#include <string>

#include "Interface/ProfileBox.h"

class CUserDeleteMenu : public CProfileBox {
 public:
  CUserDeleteMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  // The player the question is about (the "Name" text).
  void SetPlayerName(const std::wstring& name);
  std::wstring GetPlayerName() const;

 protected:
  void FindWidgets() override { mName = GetChild(L"Name"); }

  rovovoz::CGUIBaseObject* mName = nullptr;
};

// Made and owned by the game object.
extern CUserDeleteMenu* gUserDeleteMenu;
