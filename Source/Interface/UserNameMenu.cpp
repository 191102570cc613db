#include "Interface/UserNameMenu.h"

int CUserNameMenu::Open() { return 1; }
