// Saved object states of a back and of its regions.
#include <gtest/gtest.h>

#include "SaveInfo/SBackSaveInfo.h"
#include "SaveInfo/SBaseSaveInfo.h"

namespace {

TEST(ObjectSaveRecords, EachPropertyHasItsPresenceAndValueBits) {
  struct Case {
    const char* property;
    void (*set)(SBaseSaveInfo&);
    uint32_t presence, valueBits;
  } cases[] = {
      {"Flag1", [](SBaseSaveInfo& s) { s.SetFlag1(L"a", nullptr, 5); }, 0x001, 0x01},
      {"Flag2", [](SBaseSaveInfo& s) { s.SetFlag2(L"a", nullptr, 1); }, 0x002, 0x02},
      {"Position", [](SBaseSaveInfo& s) { s.SetPosition(L"a", nullptr, 1, 2, 3); }, 0x004, 0},
      {"Flag4", [](SBaseSaveInfo& s) { s.SetFlag4(L"a", nullptr, 1); }, 0x008, 0x04},
      {"Int", [](SBaseSaveInfo& s) { s.SetInt(L"a", nullptr, -9); }, 0x010, 0},
      {"State", [](SBaseSaveInfo& s) { s.SetState(L"a", nullptr, 0x1F); }, 0x020, 0xF0000000},
      {"Float", [](SBaseSaveInfo& s) { s.SetFloat(L"a", nullptr, 0.5f); }, 0x040, 0},
      {"Render2D", [](SBaseSaveInfo& s) { s.SetRender2D(L"a", nullptr, 1); }, 0x080, 0x08},
      {"Flag16", [](SBaseSaveInfo& s) { s.SetFlag16(L"a", nullptr, 1); }, 0x100, 0x10},
      {"Flag32", [](SBaseSaveInfo& s) { s.SetFlag32(L"a", nullptr, 1); }, 0x200, 0x20},
  };
  for (const Case& c : cases) {
    SBaseSaveInfo save;
    c.set(save);
    ASSERT_EQ(save.Records().size(), 1u) << c.property;
    EXPECT_EQ(save.Records()[0].mPresence, c.presence) << c.property;
    EXPECT_EQ(save.Records()[0].mValueBits, c.valueBits) << c.property;
  }
}

TEST(ObjectSaveRecords, SettersAndGettersOfOneObject) {
  SBaseSaveInfo save;
  ASSERT_TRUE(save.SetFlag1(L"a", nullptr, 0));
  uint32_t flag = 7;
  EXPECT_TRUE(save.GetFlag1(L"a", nullptr, flag));
  EXPECT_EQ(flag, 0u);
  EXPECT_EQ(save.Records()[0].mPresence, 0x001u);

  ASSERT_TRUE(save.SetState(L"b", nullptr, 7));
  ASSERT_TRUE(save.SetFlag1(L"b", nullptr, 1));
  const SObjectSaveInfo& b = save.Records()[1];
  EXPECT_EQ(b.mPresence, 0x021u);
  EXPECT_EQ(b.mValueBits, 0x70000001u);
  uint32_t state = 0;
  EXPECT_TRUE(save.GetState(L"b", nullptr, state));
  EXPECT_EQ(state, 7u);

  // An unrecorded property of an existing object answers true and leaves
  // the caller's default alone; a missing object answers false.
  int32_t value = 42;
  EXPECT_TRUE(save.GetInt(L"b", nullptr, value));
  EXPECT_EQ(value, 42);
  EXPECT_FALSE(save.GetInt(L"zzz", nullptr, value));
  float x = 1, y = 1, z = 1;
  EXPECT_TRUE(save.SetPosition(nullptr, L"b", 4, 5, 6));
  EXPECT_TRUE(save.GetPosition(L"b", nullptr, x, y, z));
  EXPECT_EQ(x + y + z, 15.0f);
}

TEST(ObjectSaveRecords, FindingByNameAndSecondName) {
  SBaseSaveInfo save;
  // Made under the second name when the name is empty, found again by it.
  ASSERT_TRUE(save.SetFlag2(L"", L"second", 1));
  EXPECT_EQ(save.Records()[0].mName, L"second");
  EXPECT_TRUE(save.Exists(L"other", L"second"));

  // Name matching one record and second name another: the earlier one wins.
  save.SetInt(L"first", nullptr, 1);
  size_t position = 9;
  ASSERT_TRUE(save.Find(L"first", L"second", position, false));
  EXPECT_EQ(position, 0u);

  // Names match exactly.
  EXPECT_FALSE(save.Exists(L"FIRST", nullptr));

  // Two unusable names make nothing.
  for (const wchar_t* empty : {static_cast<const wchar_t*>(nullptr), L""}) {
    EXPECT_FALSE(save.SetFlag1(empty, empty, 1));
    EXPECT_FALSE(save.Find(empty, empty, position, true));
  }
  EXPECT_EQ(save.Records().size(), 2u);
}

TEST(ObjectSaveRecords, ClearingTheLastPropertyErasesTheRecord) {
  SBaseSaveInfo save;
  save.SetFlag1(L"only", nullptr, 1);
  save.SetFlag1(L"both", nullptr, 1);
  save.SetState(L"both", nullptr, 3);
  save.SetInt(L"after", nullptr, 1);

  save.ClearFlag1(L"only", nullptr);
  save.ClearFlag1(L"both", nullptr);
  ASSERT_EQ(save.Records().size(), 2u);
  EXPECT_EQ(save.Records()[0].mName, L"both");  // the rest keep their order
  EXPECT_EQ(save.Records()[0].mPresence, 0x020u);
  EXPECT_EQ(save.Records()[0].mValueBits, 0x30000000u);

  save.ClearPosition(L"missing", nullptr);  // nothing to clear
  EXPECT_EQ(save.Records().size(), 2u);
  EXPECT_TRUE(save.Remove(L"after", nullptr));
  EXPECT_FALSE(save.Remove(L"after", nullptr));
}

TEST(ObjectSaveRecords, WholeRecords) {
  SBaseSaveInfo save;
  SObjectSaveInfo record;
  record.mName = L"door";
  record.mPresence = 0x004;
  record.mValueBits = 0x3F;  // value bits of absent properties are kept as they are
  record.mX = 8;
  EXPECT_FALSE(save.SetRecord(record));  // added
  record.mPresence = 0x010;
  record.mInt = 5;
  EXPECT_TRUE(save.SetRecord(record));  // replaced, presence mask included
  ASSERT_EQ(save.Records().size(), 1u);

  SObjectSaveInfo read;
  read.mName = L"door";
  ASSERT_TRUE(save.GetRecord(read));
  EXPECT_EQ(read, record);
  SObjectSaveInfo missing;
  missing.mName = L"window";
  missing.mInt = 77;
  EXPECT_FALSE(save.GetRecord(missing));
  EXPECT_EQ(missing.mInt, 77);
}

TEST(SceneSaveRecords, RegionFormsLeaveTheRegionBehind) {
  SBackSaveInfo back;
  EXPECT_FALSE(back.ExistsInRegion(L"Region_A", L"x", nullptr));
  ASSERT_EQ(back.mRegions.count(L"Region_A"), 1u);
  EXPECT_TRUE(back.mRegions[L"Region_A"].Records().empty());

  // The back's x and the region's x are separate records.
  back.SetFlag1(L"x", nullptr, 1);
  back.SetFlag1InRegion(L"Region_A", L"x", nullptr, 1);
  back.ClearFlag1InRegion(L"Region_A", L"x", nullptr);
  EXPECT_TRUE(back.Exists(L"x", nullptr));
  EXPECT_FALSE(back.ExistsInRegion(L"Region_A", L"x", nullptr));

  // Region names match exactly.
  back.SetIntInRegion(L"region_a", L"y", nullptr, 1);
  EXPECT_EQ(back.mRegions.size(), 2u);
}

TEST(SceneSaveRecords, ACopyIsIndependent) {
  SBackSaveInfo original;
  original.SetStateInRegion(L"R", L"x", nullptr, 2);
  SBackSaveInfo copy = original;
  copy.SetStateInRegion(L"R", L"x", nullptr, 9);
  uint32_t state = 0;
  original.GetStateInRegion(L"R", L"x", nullptr, state);
  EXPECT_EQ(state, 2u);
}

}  // namespace
