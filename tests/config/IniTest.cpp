#include <gtest/gtest.h>

#include "AppPaths.h"
#include "GameGlobals.h"
#include "Ini.h"
#include "support/TestSupport.h"

namespace {

class IniFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    gUserDataPath = mDir.Path().wstring();
    gIniFileName = L"game.ini";
    Ini::GetPath(mPath);
  }
  void TearDown() override { ResetGameGlobals(); }
  void WriteIni(const std::string& text) { mDir.Write("game.ini", text); }

  testsupport::TempDir mDir;
  std::wstring mPath;
};

TEST_F(IniFixture, MissingFileIsCreatedEmptyAndEveryValueTakesItsDefault) {
  EXPECT_TRUE(std::filesystem::exists(mDir.Path() / "game.ini"));
  EXPECT_EQ(testsupport::ReadFile(mDir.Path() / "game.ini"), "");
  EXPECT_EQ(Ini::GetInt(mPath, L"Video", L"Width", 1024), 1024);
  EXPECT_FLOAT_EQ(Ini::GetFloat(mPath, L"Game", L"SoundVolume", 1.0f), 1.0f);
  std::wstring name = L"untouched";
  Ini::GetString(mPath, L"Game", L"PlayerName", name, L"");
  EXPECT_EQ(name, L"");
}

TEST_F(IniFixture, ReadEdgeCases) {
  WriteIni("[Game]\nLetters=abc\nEmpty=\nHalf=0.5\nLeading=2.5kg\n[video]\nwidth=800\n");
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    float expected;
  };
  const Case floats[] = {
      {L"Game", L"Letters", 0.0f},  // text without a leading number reads 0, not the default
      {L"Game", L"Empty", 1.0f},    // an empty value reads the default
      {L"Game", L"Half", 0.5f},
      {L"Game", L"Leading", 2.5f},
      {L"Game", L"Absent", 1.0f},
  };
  for (const auto& c : floats) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.key)));
    EXPECT_FLOAT_EQ(Ini::GetFloat(mPath, c.section, c.key, 1.0f), c.expected);
  }
  // Sections and keys match ignoring case.
  EXPECT_EQ(Ini::GetInt(mPath, L"Video", L"Width", 1024), 800);
}

TEST_F(IniFixture, LongPlayerNameIsCutTo199Characters) {
  WriteIni("[Game]\nPlayerName=" + std::string(250, 'x') + "\n");
  std::wstring name;
  Ini::GetString(mPath, L"Game", L"PlayerName", name, L"");
  EXPECT_EQ(name, std::wstring(199, L'x'));
}

TEST_F(IniFixture, WritesReadBack) {
  EXPECT_EQ(Ini::SetFloat(mPath, L"Game", L"SoundVolume", 0.5f), 1);
  EXPECT_EQ(Ini::SetInt(mPath, L"Video", L"Width", -640), 1);
  EXPECT_EQ(Ini::SetString(mPath, L"Game", L"PlayerName", L"Анна"), 1);
  std::string text = testsupport::ReadFile(mDir.Path() / "game.ini");
  EXPECT_NE(text.find("SoundVolume=0.500000"), std::string::npos) << text;
  EXPECT_FLOAT_EQ(Ini::GetFloat(mPath, L"Game", L"SoundVolume", 1.0f), 0.5f);
  EXPECT_EQ(Ini::GetInt(mPath, L"Video", L"Width", 0), -640);
  std::wstring name;
  Ini::GetString(mPath, L"Game", L"PlayerName", name, L"");
  EXPECT_EQ(name, L"Анна");
}

TEST(IniEmptyPath, EveryCallIsANoOp) {
  const std::wstring empty;
  EXPECT_EQ(Ini::GetInt(empty, L"Video", L"Width", 1024), 0);
  EXPECT_FLOAT_EQ(Ini::GetFloat(empty, L"Game", L"SoundVolume", 1.0f), 0.0f);
  std::wstring out = L"kept";
  Ini::GetString(empty, L"Game", L"PlayerName", out, L"def");
  EXPECT_EQ(out, L"kept");
  EXPECT_EQ(Ini::SetInt(empty, L"Video", L"Width", 1), 0);
  EXPECT_EQ(Ini::SetFloat(empty, L"Game", L"SoundVolume", 1.0f), 0);
  EXPECT_EQ(Ini::SetString(empty, L"Game", L"PlayerName", L"x"), 0);
}

}  // namespace
