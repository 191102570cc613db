#include "Interface/BadWindowModeMenu.h"

int CBadWindowModeMenu::Open() { return 1; }
