#include "Interface/RolikInterfaceMenu.h"

int CRolikInterfaceMenu::Open() { return 1; }
