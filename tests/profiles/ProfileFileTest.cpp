// The profile file byte for byte: the layout against fixtures written from
// the layout itself, round trips, and a reader that no broken file can crash
// or make allocate beyond the file's size.
#include <gtest/gtest.h>

#include "AllocationTracking.h"
#include "PlayerRecord.h"
#include "ProfileTestHelpers.h"
#include "SaveInfo/ProfileStream.h"
#include "support/TestSupport.h"

using namespace profiletest;

namespace {

// Offsets in a fresh record's file (Ann.dat).
constexpr size_t kEpisodeBlock = 820;
constexpr size_t kSceneListCount = 1056;
constexpr size_t kItemCount = 1060;

PlayerRecord MakeAnn() {
  PlayerRecord ann;
  ann.mName = L"Ann";
  return ann;
}

// Reads the bytes and reports the largest allocation made meanwhile.
bool ReadTracked(const std::string& bytes, size_t& largest) {
  PlayerRecord record;
  StartAllocationTracking();
  const bool ok = ReadBytes(bytes, record);
  largest = StopAllocationTracking();
  return ok;
}

TEST(ProfileFile, FreshPlayerAnnIsTheLayoutsBytes) {
  const std::string expected = Fixture("Ann.dat");
  ASSERT_EQ(expected.size(), 1324u);
  EXPECT_EQ(WriteBytes(MakeAnn()), expected);

  PlayerRecord read;
  ASSERT_TRUE(ReadBytes(expected, read));
  ExpectSameRecord(MakeAnn(), read);
}

TEST(ProfileFile, RichFileFromTheLayoutReadsFieldForFieldAndWritesBackTheSameBytes) {
  const std::string expected = Fixture("Mia.dat");
  PlayerRecord read;
  ASSERT_TRUE(ReadBytes(expected, read));
  ExpectSameRecord(MakeMia(), read);
  EXPECT_EQ(WriteBytes(MakeMia()), expected);
}

TEST(ProfileFile, RichRecordRoundTrips) {
  PlayerRecord mia = MakeMia();
  // Two regions in one back and a second back with its own objects, beyond
  // what the fixture holds.
  mia.SetRegionObjectPosition(L"Back_2", L"Region_B", L"lid", nullptr, -1.0f, 0.5f, 99.0f);
  mia.SetBackObjectFloat(L"Back_2", L"lamp", L"lamp_2", 0.125f);
  mia.mEpisodInfo.mBackObjects[L"push"] = {{L"crate", 0, L"tip_crate"}};
  PlayerRecord read;
  ASSERT_TRUE(ReadBytes(WriteBytes(mia), read));
  ExpectSameRecord(mia, read);
}

TEST(ProfileFile, ReadingLeavesTheRecordUntouchedOnFailureAndReplacesItOnSuccess) {
  PlayerRecord record = MakeMia();
  std::string bytes = WriteBytes(MakeAnn());
  EXPECT_FALSE(ReadBytes(bytes.substr(0, 900), record));
  ExpectSameRecord(MakeMia(), record);
  ASSERT_TRUE(ReadBytes(bytes, record));
  ExpectSameRecord(MakeAnn(), record);  // nothing of Mia is left
}

TEST(ProfileFile, OnlyVersionTwoIsRead) {
  std::string bytes = Fixture("Ann.dat");
  for (uint32_t version : {0u, 1u, 3u, 0x02000000u}) {
    PutWord(bytes, 0, version);
    PlayerRecord record;
    EXPECT_FALSE(ReadBytes(bytes, record)) << version;
  }
}

TEST(ProfileFile, EveryCutShortFileIsUnreadableAndExtraBytesAreIgnored) {
  for (const char* name : {"Ann.dat", "Mia.dat"}) {
    const std::string bytes = Fixture(name);
    for (size_t size = 0; size < bytes.size(); ++size) {
      PlayerRecord record;
      ASSERT_FALSE(ReadBytes(bytes.substr(0, size), record)) << name << " cut at " << size;
    }
    PlayerRecord record;
    EXPECT_TRUE(ReadBytes(bytes + std::string(7, '\x55'), record)) << name;
  }
}

TEST(ProfileFile, HugeCountsAreUnreadableWithoutAllocatingForThem) {
  // Every count of a fresh record's file.
  const size_t counts[] = {
      kEpisodeBlock + 216,
      kEpisodeBlock + 220,
      kEpisodeBlock + 224,  // back tasks, objects, complex tasks
      kEpisodeBlock + 228,
      kEpisodeBlock + 232,  // episode actions, backs of the tree
      kSceneListCount,
      kItemCount,
      1064,
      1072,
      1080,  // scenes, items, name values, pages, locations
  };
  const std::string ann = Fixture("Ann.dat");
  for (size_t offset : counts) {
    for (uint32_t huge : {0x7FFFFFFFu, 0x00100000u, 20u}) {
      std::string bytes = ann;
      ASSERT_EQ(WordAt(bytes, offset), 0u) << offset;
      PutWord(bytes, offset, huge);
      size_t largest = 0;
      EXPECT_FALSE(ReadTracked(bytes, largest)) << "count at " << offset << " = " << huge;
      EXPECT_LE(largest, bytes.size()) << "count at " << offset;
    }
  }
}

TEST(ProfileFile, NoWordOfARichFileCanCrashTheReaderOrInflateIt) {
  // Every field starts on a 4-byte boundary; whatever a word holds (a count,
  // a number, part of a text), the reader neither crashes nor allocates more
  // than the file holds.
  const std::string mia = Fixture("Mia.dat");
  for (size_t offset = 0; offset + 4 <= mia.size(); offset += 4) {
    for (uint32_t value : {0x7FFFFFFFu, 0xFFFFFFFFu, 0x41414141u}) {
      std::string bytes = mia;
      PutWord(bytes, offset, value);
      size_t largest = 0;
      ReadTracked(bytes, largest);
      ASSERT_LE(largest, bytes.size()) << "word at " << offset << " = " << value;
    }
  }
}

TEST(ProfileFile, CountsOfZeroOrLessAreEmptyLists) {
  std::string bytes = Fixture("Ann.dat");
  PutWord(bytes, kItemCount, 0xFFFFFFFF);  // -1
  PutWord(bytes, kSceneListCount, 0x80000000);
  PlayerRecord record;
  ASSERT_TRUE(ReadBytes(bytes, record));
  EXPECT_TRUE(record.mItems.empty());
  EXPECT_TRUE(record.mBackSaves.empty());
}

TEST(ProfileFile, BrokenTextFieldsAreUnreadable) {
  struct Case {
    const char* what;
    size_t from, to;  // bytes set to `fill`
    char fill;
  } cases[] = {
      {"player name without its terminator", 4, 524, 'A'},
      {"empty player name", 4, 6, '\0'},
      {"step name without its terminator", 524, 624, 'B'},
      {"location name without its terminator", 1084, 1184, 'C'},
  };
  for (const Case& c : cases) {
    std::string bytes = Fixture("Ann.dat");
    for (size_t i = c.from; i < c.to; ++i) bytes[i] = c.fill;
    PlayerRecord record;
    EXPECT_FALSE(ReadBytes(bytes, record)) << c.what;
  }
}

TEST(ProfileFile, UnitsAfterATerminatorAreIgnored) {
  std::string bytes = Fixture("Mia.dat");
  for (size_t i = 4 + 8; i < 524; ++i) bytes[i] = 'z';  // after "Mia" and its 0 unit
  PlayerRecord record;
  ASSERT_TRUE(ReadBytes(bytes, record));
  EXPECT_EQ(record.mName, L"Mia");
}

TEST(ProfileFile, NamesAsLongAsTheirFieldsHoldRoundTripAndLongerOnesAreCutToFit) {
  struct Case {
    size_t units;  // what the field holds
    std::wstring PlayerRecord::*field;
  } cases[] = {
      {259, &PlayerRecord::mName},
      {49, &PlayerRecord::mStepName},
      {29, &PlayerRecord::mAfterHogItem},
      {49, &PlayerRecord::TempRolik},
  };
  for (const Case& c : cases) {
    PlayerRecord fits = MakeMia();
    fits.*c.field = std::wstring(c.units, L'n');
    PlayerRecord read;
    ASSERT_TRUE(ReadBytes(WriteBytes(fits), read));
    EXPECT_EQ(read.*c.field, fits.*c.field) << c.units;

    testsupport::LogCapture log;
    PlayerRecord tooLong = MakeMia();
    tooLong.*c.field = std::wstring(c.units, L'n') + L"xyz";
    const std::string bytes = WriteBytes(tooLong);
    EXPECT_EQ(bytes.size(), WriteBytes(fits).size()) << "nothing written past the field";
    ASSERT_TRUE(ReadBytes(bytes, read));
    EXPECT_EQ(read.*c.field, fits.*c.field);
    EXPECT_FALSE(log.Texts(zuzorev::ELogLevel::Warning).empty());
  }

  PlayerRecord items = MakeMia();
  items.mItems = {{std::wstring(39, L'i'), 1}};
  items.mMapLocations = {std::wstring(29, L'm')};
  items.mEpisodInfo.mBackObjects[L"find"] = {{std::wstring(49, L'o'), 1, std::wstring(49, L'p')}};
  PlayerRecord read;
  ASSERT_TRUE(ReadBytes(WriteBytes(items), read));
  ExpectSameRecord(items, read);
}

TEST(ProfileFile, MapsAreWrittenInUtf16Order) {
  // U+1F600 is written as surrogates (0xD83D 0xDE00) and so comes before
  // U+E000, although its code point is larger.
  PlayerRecord record = MakeAnn();
  record.AddBackSave(L"\U0001F600");
  record.AddBackSave(L"\uE000");
  const std::string bytes = WriteBytes(record);
  ASSERT_EQ(WordAt(bytes, kSceneListCount), 2u);
  EXPECT_EQ(WordAt(bytes, kSceneListCount + 4), 0xDE00D83Du);
}

TEST(ProfileFile, ANamelessRecordWritesNothing) {
  PlayerRecord nameless = MakeMia();
  nameless.mName.clear();
  ProfileWriter out;
  EXPECT_FALSE(nameless.Write(out));
  EXPECT_TRUE(out.Bytes().empty());
  PlayerRecord record;
  EXPECT_FALSE(ReadBytes(std::string(), record));
}

}  // namespace
