#include "Interface/ExitMenu.h"

int CExitMenu::Open() { return 1; }
