#pragma once
// The extras: wallpapers, concept art, the guide.
#include "Interface/MenuFrame.h"

class CExtrasMenu : public CMenuFrame {
 public:
  CExtrasMenu(rovovoz::CGameCore* core, rovovoz::CGUIBaseObject* parent);

  using CMenuFrame::Open;
  // Starts the opening; overGame 1 when opened over the running game.
  virtual int Open(int overGame);
};

// Made and owned by the game object.
extern CExtrasMenu* gExtrasMenu;
