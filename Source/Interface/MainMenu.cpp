#include "Interface/MainMenu.h"

void CMainMenu::Enter() {}

void CMainMenu::ResetTimers() {}

void CMainMenu::SetGreeting() {}

int CMainMenu::UpdateScene(float, rovovoz::CMouseCursor*) { return 0; }
