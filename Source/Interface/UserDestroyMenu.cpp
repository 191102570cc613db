#include "Interface/UserDestroyMenu.h"

int CUserDestroyMenu::Open() { return 1; }
