#pragma once
// What every fuzz harness shares: the log written to /dev/null (so that a
// run is not slowed by a line per refused input), a file system over the
// sample game, and the input put in a file so that it is read the way the
// game reads data.
#include <cstddef>
#include <cstdint>
#include <string>

namespace rovovoz {
class CGameCore;
}

namespace fuzzsupport {

// Once per process: log, SDL's dummy drivers, the file system over Game/.
void SetUp();

// Writes the input to a file named fileName in a private temporary folder;
// returns its absolute path.
std::wstring WriteInput(const uint8_t* data, size_t size, const char* fileName);

// Once per process: a game core on the headless device over the sample
// game, its window and render system started, set as gGameCore.
rovovoz::CGameCore* HeadlessCore();

}  // namespace fuzzsupport
