#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/AtomicFile.h"
#include "Platform/Paths.h"
#include "Platform/ProfileFile.h"
#include "support/TestSupport.h"

using Platform::GetPrivateProfileIntW;
using Platform::GetPrivateProfileStringW;
using Platform::WritePrivateProfileStringW;

namespace {

std::wstring Wide(const std::filesystem::path& p) { return Platform::FromPath(p); }

}  // namespace

TEST(ProfileFile, ReadsValuesByCaseInsensitiveNames) {
  testsupport::TempDir dir;
  const std::wstring file = Wide(dir.Write("game.ini",
                                           "\xEF\xBB\xBF"
                                           "Orphan=1\r\n"
                                           "; Width=5 is only a comment\r\n"
                                           "[ video ]\r\n"
                                           "  Width = 1024  \r\n"
                                           "FullScreen=abc\r\n"
                                           "Height=768px\r\n"
                                           "Shift=-12\r\n"
                                           "Empty=\r\n"
                                           "[Game]\r\n"
                                           "PlayerName=\xD0\x96\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xB0\r\n"
                                           "Width=640"));
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    std::wstring text;
    int number;
  };
  const std::vector<Case> cases = {
      {L"Video", L"WIDTH", L"1024", 1024},
      {L"VIDEO", L"fullscreen", L"abc", 0},   // no digits
      {L"Video", L"Height", L"768px", 768},   // leading number only
      {L"Video", L"Shift", L"-12", -12},
      {L"Video", L"Empty", L"", 0},
      {L"Video", L"Wide", L"def", 99},        // absent key
      {L"Sound", L"Width", L"def", 99},       // absent section
      {L"Video", L"PlayerName", L"def", 99},  // key of another section
      {L"Video", L"; Width", L"def", 99},     // comments are no keys
      {L"", L"Orphan", L"def", 99},           // keys before any section belong to none
      {L"game", L"playername", L"\u0416\u0430\u043D\u043D\u0430", 0},
      {L"Game", L"Width", L"640", 640},       // last line without a line end
  };
  for (const auto& c : cases) {
    std::wstring text;
    GetPrivateProfileStringW(c.section, c.key, L"def", text, 200, file);
    EXPECT_EQ(text, c.text) << testing::PrintToString(std::wstring(c.key));
    EXPECT_EQ(GetPrivateProfileIntW(c.section, c.key, 99, file), c.number) << testing::PrintToString(std::wstring(c.key));
  }
}

TEST(ProfileFile, StringIsCutToBufferAndMissingFileGivesDefaults) {
  testsupport::TempDir dir;
  const std::wstring file = Wide(dir.Write("game.ini", "[Game]\nPlayerName=abcdef\nBig=99999999999\n"));
  struct Case {
    const wchar_t* key;
    size_t size;
    std::wstring expected;
  };
  const std::vector<Case> cases = {
      {L"PlayerName", 200, L"abcdef"}, {L"PlayerName", 4, L"abc"}, {L"PlayerName", 1, L""},
      {L"PlayerName", 0, L""},         {L"Absent", 3, L"de"},     // the default is cut too
  };
  for (const auto& c : cases) {
    std::wstring out = L"stale";
    EXPECT_EQ(GetPrivateProfileStringW(L"Game", c.key, L"default", out, c.size, file), c.expected.size());
    EXPECT_EQ(out, c.expected);
  }
  EXPECT_EQ(GetPrivateProfileIntW(L"Game", L"Big", 0, file), 2147483647);

  const std::wstring missing = Wide(dir.Path() / "absent.ini");
  std::wstring out;
  EXPECT_EQ(GetPrivateProfileIntW(L"Video", L"Width", 1024, missing), 1024);
  GetPrivateProfileStringW(L"Game", L"PlayerName", L"Player", out, 200, missing);
  EXPECT_EQ(out, L"Player");
}

TEST(ProfileFile, WritesKeepEveryOtherLine) {
  struct Case {
    const char* what;
    const char* before;  // nullptr: no file yet
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"update in place, names matched ignoring case", "; top \xFF\n[video]\n  width = 800 \n[Game]\nWidth=1\n", L"Video",
       L"Width", L"1024", "; top \xFF\n[video]\nwidth=1024\n[Game]\nWidth=1\n"},
      {"append key at the end of its section", "[Video]\nWidth=800\n; note\n\n[Game]\nX=1\n", L"VIDEO", L"Height",
       L"600", "[Video]\nWidth=800\n; note\nHeight=600\n\n[Game]\nX=1\n"},
      {"append key to the last section without line end", "[Video]\r\nWidth=800", L"Video", L"Height", L"600",
       "[Video]\r\nWidth=800\r\nHeight=600\r\n"},
      {"new section at the end", "[Video]\nWidth=800", L"Game", L"PlayerName", L"\u0416\u0430\u043D\u043D\u0430",
       "[Video]\nWidth=800\n[Game]\nPlayerName=\xD0\x96\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xB0\n"},
      {"byte order mark kept", "\xEF\xBB\xBF[Game]\n", L"Game", L"SoundVolume", L"0.500000",
       "\xEF\xBB\xBF[Game]\nSoundVolume=0.500000\n"},
      {"no file yet", nullptr, L"Game", L"SoundVolume", L"1", "[Game]\nSoundVolume=1\n"},
  };
  for (const auto& c : cases) {
    testsupport::TempDir dir;
    const auto path = c.before ? dir.Write("game.ini", c.before) : dir.Path() / "game.ini";
    EXPECT_EQ(WritePrivateProfileStringW(c.section, c.key, c.value, Wide(path)), 1) << c.what;
    EXPECT_EQ(testsupport::ReadFile(path), c.after) << c.what;
    std::wstring back;
    GetPrivateProfileStringW(c.section, c.key, L"", back, 200, Wide(path));
    EXPECT_EQ(back, c.value) << c.what;
  }
}

TEST(ProfileFile, FailedOrRefusedWriteLeavesFileAsItWas) {
  testsupport::TempDir dir;
  const std::string before = "[Game]\nPlayerName=Ann\n";
  const auto path = dir.Write("game.ini", before);
  const std::wstring file = Wide(path);

  struct Case {
    const char* what;
    const wchar_t* key;
    const wchar_t* value;
    std::wstring file;
    int failpoint;
  };
  const std::vector<Case> cases = {
      {"interrupted save", L"PlayerName", L"Bob", file, Platform::kAtomicWriteFailBeforeRename},
      {"line break in value", L"PlayerName", L"Bob\n[Video]", file, Platform::kAtomicWriteNoFailure},
      {"'=' in key", L"Player=Name", L"Bob", file, Platform::kAtomicWriteNoFailure},
      {"folder missing", L"PlayerName", L"Bob", Wide(dir.Path() / "missing" / "game.ini"),
       Platform::kAtomicWriteNoFailure},
      {"file is a folder", L"PlayerName", L"Bob", Wide(dir.Path()), Platform::kAtomicWriteNoFailure},
  };
  for (const auto& c : cases) {
    Platform::SetAtomicWriteFailpointForTests(c.failpoint);
    const int result = WritePrivateProfileStringW(L"Game", c.key, c.value, c.file);
    Platform::SetAtomicWriteFailpointForTests(Platform::kAtomicWriteNoFailure);
    EXPECT_EQ(result, 0) << c.what;
    EXPECT_EQ(testsupport::ReadFile(path), before) << c.what;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// Lines a read passes over are counted: the settings they meant keep their
// defaults, and the program says so.
TEST(ProfileFile, CountsTheLinesAReadPassesOver) {
  const struct {
    const char* name;
    std::string text;
    int unread;
  } cases[] = {
      {"missing file", "", 0},
      {"clean", "\xEF\xBB\xBF[Video]\r\nWidth=800\n\n; comment\n  [Game] \nName = Ann", 0},
      {"a stray word", "[Video]\nWidth=800\nHeight\n", 1},
      {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 3},
      {"NUL inside a key line", std::string("[Video]\nWidth=8\0\n", 17), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::TempDir dir;
    const auto path = dir.Path() / "game.ini";
    if (!c.text.empty()) dir.Write("game.ini", c.text);
    EXPECT_EQ(Platform::CountProfileLinesNotRead(Wide(path)), c.unread);
  }
}
