#pragma once
// The options box: volumes, display mode, full screen, wide screen, cursor.
#include <string>
#include <vector>

#include "Interface/InterfaceForm.h"

class COptionsMenu : public CInterfaceForm {
 public:
  COptionsMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Starts the opening; overGame 1 when opened from the pause menu.
  virtual int Open(int overGame);
  // Refreshes the full-screen box and the resolution label from the current mode.
  virtual void RefreshVideoControls();
};

// Made and owned by the game object.
extern COptionsMenu* gOptionsMenu;

// One label per display mode the options menu steps through, and the index
// of the mode it shows.
extern std::vector<std::wstring> gOptionsModeLabels;
extern int gOptionsModeIndex;
