#pragma once
// Byte-level reading and writing of the player's profile file: little-endian
// 4-byte numbers and fixed-size UTF-16LE text fields, one field at a time.
//
// The writer collects the bytes in memory so that the file can be replaced
// in one step. The reader walks an open file and never trusts it: every read
// is checked against the bytes left, and a list count is accepted only when
// the file can still hold that many elements, so a broken file can neither
// crash the reader nor make it allocate more than the file's size.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Field sizes in bytes, as the file lays them out.
constexpr size_t kPlayerNameField = 520;
constexpr size_t kLongNameField = 100;
constexpr size_t kItemNameField = 80;
constexpr size_t kShortNameField = 60;

// Number of UTF-16 units a wide string takes.
size_t Utf16Length(const std::wstring& text);

// The longest prefix of text that fits in maxUnits UTF-16 units without
// splitting a character.
std::wstring CutToUtf16Units(const std::wstring& text, size_t maxUnits);

// Key order of the file: keys compared as UTF-16 code units, a shorter key
// before a longer key that begins with it. (std::wstring compares code
// points, which differs only for characters above U+FFFF.)
bool Utf16Less(const std::wstring& a, const std::wstring& b);

class ProfileWriter {
 public:
  bool PutU32(uint32_t value);
  bool PutI32(int32_t value) { return PutU32(static_cast<uint32_t>(value)); }
  bool PutF32(float value);
  // The text's units, one 0 unit, and 0 units up to fieldBytes. A text that
  // does not fit is cut to fieldBytes / 2 - 1 units (a warning names it).
  bool PutText(const std::wstring& text, size_t fieldBytes);
  // A list count.
  bool PutCount(size_t count);

  const std::string& Bytes() const { return mBytes; }

 private:
  std::string mBytes;
};

class ProfileReader {
 public:
  // Reads from the file's current position to its end; the file stays open
  // and owned by the caller.
  explicit ProfileReader(std::FILE* file);

  bool GetU32(uint32_t& value);
  bool GetI32(int32_t& value);
  bool GetF32(float& value);
  // A text field of fieldBytes: its units up to the first 0 unit. False when
  // the field is short or holds no 0 unit.
  bool GetText(std::wstring& text, size_t fieldBytes);
  // A list count: 0 or less reads as an empty list. False when the count is
  // short or larger than the bytes left could hold, with at least
  // minElementBytes per element.
  bool GetCount(size_t& count, size_t minElementBytes);

  uint64_t BytesLeft() const { return mLeft; }

 private:
  bool GetBytes(void* out, size_t size);

  std::FILE* mFile;
  uint64_t mLeft = 0;
};

// Visits the entries of a map in the file's key order.
template <class Map, class Visit>
bool ForEachInFileOrder(const Map& map, Visit visit) {
  std::vector<const typename Map::value_type*> entries;
  entries.reserve(map.size());
  for (const auto& entry : map) entries.push_back(&entry);
  std::sort(entries.begin(), entries.end(), [](const auto* a, const auto* b) { return Utf16Less(a->first, b->first); });
  for (const auto* entry : entries)
    if (!visit(entry->first, entry->second)) return false;
  return true;
}
