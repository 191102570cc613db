#pragma once
// One player's profile file: the whole PlayerRecord, field by field, in the
// binary layout of version 2 (little-endian numbers, fixed-size UTF-16LE
// text fields, counted lists, maps in key order). The record's own Write and
// Read produce and check the bytes; these functions put them on disk.
#include <cstdint>
#include <filesystem>

class PlayerRecord;

constexpr uint32_t kPlayerFileVersion = 2;

// Replaces the file in one step (temporary file, sync, rename), so an
// interrupted save leaves the previous file whole. False, with an error in
// the log naming the file, when the record is nameless or the file cannot
// be written; the old file is then kept.
bool WriteProfileFile(const std::filesystem::path& path, const PlayerRecord& record);

enum class EPlayerFileRead {
  Read,        // the record holds the file's content
  NotOpened,   // the file could not be opened
  Unreadable,  // not a complete version-2 profile; the record is unchanged
};
EPlayerFileRead ReadProfileFile(const std::filesystem::path& path, PlayerRecord& record);
