#pragma once
// The main menu over the animated title scene.
#include "Interface/InterfaceForm.h"

namespace rovovoz {
class CMouseCursor;
}

class CMainMenu : public CInterfaceForm {
 public:
  CMainMenu(rovovoz::CGameCore* core, rovovoz::CBaseObject* parent) : CInterfaceForm(core, parent) {}

  // Puts the main menu on screen (ambient rain, greeting, play menu hidden).
  virtual void Enter();
  // Zeroes the title scene's animation timers.
  virtual void ResetTimers();
  // Shows the greeting with the current player's name when there is one.
  virtual void SetGreeting();
  // Animates the title scene; 0 once its opening has run 4.5 seconds, else 1.
  virtual int UpdateScene(float dt, rovovoz::CMouseCursor* cursor);
};

// Made and owned by the game object.
extern CMainMenu* gMainMenu;
