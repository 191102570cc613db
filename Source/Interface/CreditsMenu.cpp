#include "Interface/CreditsMenu.h"

int CCreditsMenu::Open() { return 1; }
