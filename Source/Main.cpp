// Program entry: the start-up sequence lives in GameAppEntry.
#include "GameAppEntry.h"

int main() { return GameMain(); }
