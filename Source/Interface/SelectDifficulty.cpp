#include "Interface/SelectDifficulty.h"

int CSelectDifficultyMenu::Open() { return 1; }
