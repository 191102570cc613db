#pragma once
// The notice that a profile file could not be read: it names the file's
// player and waits for "BOk"; the main menu then deletes the file.
#include <string>

#include "Interface/NoticeBox.h"

class CUserDestroyMenu : public CNoticeBox {
 public:
  CUserDestroyMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent) : CNoticeBox(core, parent) {}

  using CNoticeBox::Open;
  // Shows the name part of the file name ("abc.dat" shows abc).
  virtual int Open(const std::wstring& fileName);
};

// Made and owned by the game object.
extern CUserDestroyMenu* gUserDestroyMenu;
