#pragma once
// Every file written for the player goes through here: the bytes go to a
// temporary file in the same folder, are flushed and synced, and the
// temporary file is renamed over the old one. On any failure the old file
// stays as it was and the temporary one is removed.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

// Returns false (and leaves the old file untouched) on any failure; error,
// when given, receives a short description naming the file.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);

// The temporary file of a write is named "<file name>.tmp-" and six letters
// or digits. A write killed before its rename leaves it behind.
constexpr std::string_view kAtomicTempMarker = ".tmp-";
constexpr size_t kAtomicTempRandomChars = 6;
// True when fileName (a bare name) is such a temporary file's name.
bool IsAtomicWriteLeftover(const std::filesystem::path& fileName);
// Removes the regular files directly in folder whose names are such
// temporary names, and nothing else; returns the paths removed. failed, when
// given, receives those that could not be removed.
std::vector<std::filesystem::path> RemoveAtomicWriteLeftovers(const std::filesystem::path& folder,
                                                              std::vector<std::filesystem::path>* failed = nullptr);

// Reads a whole regular file; false (bytes untouched) when it cannot be
// opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Test hook: while set to kAtomicWriteFailBeforeRename, every write stops
// after the temporary file is written and synced but before the rename, as
// an interrupted save would (the temporary file is removed, the old file
// kept, false returned). kAtomicWriteNoFailure turns it off again.
constexpr int kAtomicWriteNoFailure = 0;
constexpr int kAtomicWriteFailBeforeRename = 1;
// As a process killed at that point: the temporary file stays behind.
constexpr int kAtomicWriteKilledBeforeRename = 2;
void SetAtomicWriteFailpointForTests(int stage);

}  // namespace Platform
