#pragma once
// Shared by the profile suites: the rich player "Mia" (the same content as
// the fixture Mia.dat), a field-by-field comparison of records, and reading
// and writing records through the profile's byte format.
#include <filesystem>
#include <string>

#include "PlayerRecord.h"

namespace profiletest {

// Mia: something in every list and map. Kept equal to the fixture that
// tests/fixtures/profiles/make_profiles.py writes from the file layout.
PlayerRecord MakeMia();

// The bytes PlayerRecord::Write gives; empty when it refuses.
std::string WriteBytes(const PlayerRecord& record);
// PlayerRecord::Read over the bytes.
bool ReadBytes(const std::string& bytes, PlayerRecord& record);

// Every field of the two records, the action entries by Name, Ref and Ret.
void ExpectSameRecord(const PlayerRecord& expected, const PlayerRecord& actual);

std::string Fixture(const std::string& name);

// Little-endian word access into file bytes.
uint32_t WordAt(const std::string& bytes, size_t offset);
void PutWord(std::string& bytes, size_t offset, uint32_t value);

}  // namespace profiletest
