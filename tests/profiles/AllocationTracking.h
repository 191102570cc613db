#pragma once
// Watches the sizes that operator new is asked for, so that tests can tell
// how much a reader allocated for what a file claims.
#include <cstddef>

void StartAllocationTracking();
// Stops watching; the largest single allocation since the start.
size_t StopAllocationTracking();
