#include "Interface/WarningMenu.h"

int CWarningMenu::Open() { return 1; }
