#include "Interface/PlayMenu.h"

int CPlayMenu::Open() { return 1; }
