#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/Strings.h"

using Platform::Utf8ToWide;
using Platform::WideToUtf8;

TEST(Strings, Utf8RoundTripsAnyCharacter) {
  struct Case {
    std::wstring wide;
    std::string utf8;
  };
  const std::vector<Case> cases = {
      {L"", ""},
      {L"Data\\Level\\Back_01.xml", "Data\\Level\\Back_01.xml"},
      {L"\u041F\u0440\u0438\u0432\u0435\u0442", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},  // Привет
      {L"\u20AC", "\xE2\x82\xAC"},
      {L"a\U0001F600b", "a\xF0\x9F\x98\x80" "b"},
      {L"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8);
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
  }
}

TEST(Strings, MalformedUtf8BecomesReplacementCharacters) {
  const std::wstring R = L"\uFFFD";
  struct Case {
    std::string bytes;
    std::wstring expected;
  };
  const std::vector<Case> cases = {
      {"\xFF", R},
      {"a\x80z", L"a" + R + L"z"},            // stray continuation byte
      {"ab\xC3", L"ab" + R},                  // cut off at the end
      {"\xE2\x82z", R + L"z"},                // cut off inside: one replacement, then resume
      {"\xC0\xAF", R + R},                    // overlong '/'
      {"\xED\xA0\x80", R + R + R},            // encoded surrogate
      {"\xF4\x90\x80\x80", R + R + R + R},    // past U+10FFFF
      {"\xF0\x9F\x98", R},                    // emoji missing its last byte
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.bytes), c.expected) << testing::PrintToString(c.bytes);

  // Wide values that are no characters are written as U+FFFD.
  const std::wstring invalid = {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), static_cast<wchar_t>(-1)};
  EXPECT_EQ(WideToUtf8(invalid), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Strings, Utf16JoinsSurrogatePairsAndReplacesLoneOnes) {
  const std::wstring wide = L"A\u0416\U0001F600";
  const std::u16string units = u"A\u0416\xD83D\xDE00";
  EXPECT_EQ(Platform::WideToUtf16(wide), units);
  EXPECT_EQ(Platform::Utf16ToWide(units), wide);

  struct Case {
    std::u16string units;
    std::wstring expected;
  };
  const std::vector<Case> cases = {
      {u"x\xD83D", L"x\uFFFD"},               // high surrogate at the end
      {u"\xDE00x", L"\uFFFDx"},               // low surrogate alone
      {u"\xDE00\xD83D", L"\uFFFD\uFFFD"},     // pair in the wrong order
      {u"\xD83D\xD83D\xDE00", L"\uFFFD\U0001F600"},
  };
  for (const auto& c : cases) EXPECT_EQ(Platform::Utf16ToWide(c.units), c.expected);
}

TEST(Strings, CaseInsensitiveCompareAndFind) {
  struct Compare {
    std::wstring a, b;
    int sign;
  };
  const std::vector<Compare> compares = {
      {L"LHT60_MM.ZORM", L"lht60_mm.zorm", 0},
      {L"", L"", 0},
      {L"abc", L"ABD", -1},
      {L"B", L"a", 1},
      {L"abc", L"ABCD", -1},
      {L"Zebra", L"apple", 1},
      {L"\u0416", L"\u0436", -1},  // only ASCII letters fold
  };
  for (const auto& c : compares) {
    const int r = Platform::CompareNoCase(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << testing::PrintToString(c.a) << " vs " << testing::PrintToString(c.b);
    EXPECT_EQ(Platform::EqualsNoCase(c.a, c.b), c.sign == 0);
    EXPECT_EQ(Platform::EqualsNoCase(WideToUtf8(c.a), WideToUtf8(c.b)), c.sign == 0);
  }

  struct Find {
    std::wstring haystack, needle;
    size_t pos, expected;
  };
  const size_t npos = std::wstring::npos;
  const std::vector<Find> finds = {
      {L"Data\\Level\\Back_01.XML", L".xml", 0, 18},
      {L"abcABC", L"abc", 1, 3},
      {L"abc", L"abcd", 0, npos},
      {L"abc", L"", 2, 2},
      {L"abc", L"", 4, npos},
      {L"abc", L"c", 7, npos},
      {L"", L"a", 0, npos},
  };
  for (const auto& f : finds)
    EXPECT_EQ(Platform::FindNoCase(f.haystack, f.needle, f.pos), f.expected) << testing::PrintToString(f.haystack);
}

TEST(Strings, SplitStringWords) {
  using Words = std::vector<std::wstring>;
  struct Case {
    std::wstring text, delimiters;
    Words expected;
  };
  const std::vector<Case> cases = {
      {L"a b ", L" ", {L"a", L"b", L""}},
      {L"hide", L" ", {L"hide"}},
      {L"", L" ", {}},
      {L"   lead", L" ", {L"lead"}},
      {L"a  \t b", L" \t", {L"a", L"b"}},
      {L"a b   ", L" ", {L"a", L"b", L""}},  // a run at the end still gives one empty word
      {L"  ", L" ", {L""}},
      {L"x,y;z", L",;", {L"x", L"y", L"z"}},
      {L"no delimiters", L"", {L"no delimiters"}},
  };
  for (const auto& c : cases) {
    Words out = {L"stale"};
    Platform::SplitString(c.text, c.delimiters, out);
    EXPECT_EQ(out, c.expected) << testing::PrintToString(c.text);
  }
}

TEST(Strings, SplitPathComponents) {
  struct Case {
    std::wstring path, drive, directory, name, extension;
  };
  const std::vector<Case> cases = {
      {L"C:\\Games\\Data\\Back_01.xml", L"C:", L"\\Games\\Data\\", L"Back_01", L".xml"},
      {L"Data/Level/Back_01.xml", L"", L"Data/Level/", L"Back_01", L".xml"},
      {L"Data\\Level/mixed.tar.gz", L"", L"Data\\Level/", L"mixed.tar", L".gz"},
      {L"Back_01.xml", L"", L"", L"Back_01", L".xml"},
      {L"Data\\noext", L"", L"Data\\", L"noext", L""},
      {L"Data\\v1.2\\file", L"", L"Data\\v1.2\\", L"file", L""},
      {L"D:name.txt", L"D:", L"", L"name", L".txt"},
      {L"Data\\", L"", L"Data\\", L"", L""},
      {L"", L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    std::wstring drive = L"x", directory = L"x", name = L"x", extension = L"x";
    Platform::SplitPath(c.path, &drive, &directory, &name, &extension);
    EXPECT_EQ(drive, c.drive) << testing::PrintToString(c.path);
    EXPECT_EQ(directory, c.directory) << testing::PrintToString(c.path);
    EXPECT_EQ(name, c.name) << testing::PrintToString(c.path);
    EXPECT_EQ(extension, c.extension) << testing::PrintToString(c.path);
  }

  // Null outputs are skipped; each component is capped at 259 characters.
  std::wstring name;
  const std::wstring longName(400, L'n');
  Platform::SplitPath(L"dir\\" + longName + L".dat", nullptr, nullptr, &name, nullptr);
  EXPECT_EQ(name, std::wstring(259, L'n'));
}

TEST(Strings, TrimRemovesBlanksAtBothEnds) {
  EXPECT_EQ(Platform::Trim(L" \t 1024 \r\n"), L"1024");
  EXPECT_EQ(Platform::Trim(L"a b"), L"a b");
  EXPECT_EQ(Platform::Trim(L" \t\r\n"), L"");
}

TEST(Strings, DataNameKeyFoldsCaseAndSlashesOnly) {
  EXPECT_EQ(Platform::DataNameKey(L"Data\\Level\\BACK_1.Xml"), L"data/level/back_1.xml");
  EXPECT_EQ(Platform::DataNameKey(L"data/level/back_1.xml"), Platform::DataNameKey(L"DATA\\LEVEL\\Back_1.XML"));
  EXPECT_EQ(Platform::DataNameKey(L"Ключ\\Б"), L"Ключ/Б");  // only ASCII letters fold
}
