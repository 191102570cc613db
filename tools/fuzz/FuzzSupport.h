#pragma once
// What every fuzz harness shares: the log written to /dev/null (so that a
// run is not slowed by a line per refused input), a file system over the
// sample game, and the input put in a file so that it is read the way the
// game reads data.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace rovovoz {
class CGameCore;
}

namespace fuzzsupport {

// Once per process: log, SDL's dummy drivers, the file system over Game/.
void SetUp();

// A game core on the headless device over the sample game (install folder
// Game/, its models, textures and XML), made once and set as gGameCore.
rovovoz::CGameCore* SampleCore();

// Writes the input to a file named fileName in a private temporary folder;
// returns its absolute path.
std::wstring WriteInput(const uint8_t* data, size_t size, const char* fileName);

// The private temporary folder the inputs are written to.
std::filesystem::path InputFolder();

}  // namespace fuzzsupport
