#include "Interface/BonusDisableMenu.h"

int CBonusDisableMenu::Open() { return 1; }
