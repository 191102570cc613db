#include "Interface/UserMenu.h"

int CUserMenu::Open() { return 1; }
