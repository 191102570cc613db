#include "Interface/WinMenu.h"

int CWinMenu::Open() { return 1; }
