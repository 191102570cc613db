#pragma once
// Every program-wide pointer and value of the game back to the value it has
// when the program starts: no application, no engine pointers, no menus, no
// logic, no player list, an empty current player, the first screen state,
// the default configuration and empty paths. The objects the pointers point
// at are not freed: their owners release them first. Tests call it between
// cases so that no case sees what another left behind.
void ResetGameGlobals();
