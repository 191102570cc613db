#include "Interface/UserDeleteMenu.h"

int CUserDeleteMenu::Open() { return 1; }
