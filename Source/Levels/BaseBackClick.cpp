// Clicks on the scene's entries: the hover and click chains belong to the
// click handling, which the scene's update already calls here.
#include "Levels/BaseBack.h"

int32_t CBaseBack::OnClick(int, int, rovovoz::CMouseCursor*) { return 0; }
