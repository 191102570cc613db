#pragma once
// Every file written for the player goes through here: the bytes go to a
// temporary file in the same folder, are flushed and synced, and the
// temporary file is renamed over the old one. On any failure the old file
// stays as it was and the temporary one is removed.
#include <filesystem>
#include <string>
#include <string_view>

namespace Platform {

// Returns false (and leaves the old file untouched) on any failure; error,
// when given, receives a short description naming the file.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);

// Reads a whole regular file; false (bytes untouched) when it cannot be
// opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Test hook: while set to kAtomicWriteFailBeforeRename, every write stops
// after the temporary file is written and synced but before the rename, as
// an interrupted save would (the temporary file is removed, the old file
// kept, false returned). kAtomicWriteNoFailure turns it off again.
constexpr int kAtomicWriteNoFailure = 0;
constexpr int kAtomicWriteFailBeforeRename = 1;
void SetAtomicWriteFailpointForTests(int stage);

}  // namespace Platform
