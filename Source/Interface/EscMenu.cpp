#include "Interface/EscMenu.h"

int CEscMenu::Open() { return 1; }
