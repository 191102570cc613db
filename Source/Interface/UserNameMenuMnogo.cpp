#include "Interface/UserNameMenuMnogo.h"

int CUserNameMenuMnogo::Open() { return 1; }
