#include "Interface/UserExistMenu.h"

int CUserExistMenu::Open() { return 1; }
