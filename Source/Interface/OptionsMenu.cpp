#include "Interface/OptionsMenu.h"

std::vector<std::wstring> gOptionsModeLabels;
int gOptionsModeIndex = 0;

int COptionsMenu::Open(int) { return 1; }

void COptionsMenu::RefreshVideoControls() {}
