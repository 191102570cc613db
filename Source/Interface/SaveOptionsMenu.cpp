#include "Interface/SaveOptionsMenu.h"

int CSaveOptionsMenu::Open() { return 1; }
