#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "Platform/Format.h"

using Platform::FormatWide;

TEST(Format, ConversionsWithWideDefaults) {
  const wchar_t* nullWide = nullptr;
  const char* nullNarrow = nullptr;
  struct Case {
    std::wstring expected, actual;
  };
  const std::vector<Case> cases = {
      {L"name=Ann", FormatWide(L"name=%s", L"Ann")},
      {L"C:\\Save\\game.ini", FormatWide(L"%s\\%s", L"C:\\Save", L"game.ini")},
      {L"\u0416\u0443\u043A", FormatWide(L"%ls", L"\u0416\u0443\u043A")},
      {L"narrow \u0416", FormatWide(L"%hs %S", "narrow", "\xD0\x96")},
      {L"[\u0416][A][z]", FormatWide(L"[%c][%hc][%lc]", static_cast<wint_t>(L'\u0416'), 'A', static_cast<wint_t>(L'z'))},
      {L"-42 |   42|42  |+7", FormatWide(L"%d |%5d|%-4d|%+d", -42, 42, 42, 7)},
      {L" 3.14", FormatWide(L"%5.2f", 3.14159)},
      {L"0.500000", FormatWide(L"%f", 0.5)},
      {L"1.5e+06 1.50E+03 0.25", FormatWide(L"%g %.2E %G", 1500000.0, 1500.0, 0.25)},
      {L"ff FF 17 0x1f", FormatWide(L"%x %X %o %#x", 255u, 255u, 15u, 31u)},
      {L"007 05 _03", FormatWide(L"%.3d %02d _%.2d", 7, 5, 3)},
      {L"4294967295 4464", FormatWide(L"%u %hd", 0xFFFFFFFFu, 70000)},
      {L"-9000000000 9000000000 12", FormatWide(L"%lld %I64d %zu", -9000000000LL, 9000000000LL, size_t{12})},
      {L"   42|42   |3.1", FormatWide(L"%*d|%*d|%.*f", 5, 42, -5, 42, 1, 3.14)},
      {L"   ab|ab   |abc", FormatWide(L"%5.2s|%-5s|%.3s", L"abcdef", L"ab", L"abcdef")},
      {L"100%", FormatWide(L"100%")},
      {L"50% off", FormatWide(L"%d%% off", 50)},
      {L"%q7", FormatWide(L"%q%d", 7)},  // a stray '%' consumes no argument
      {L"%-5q|%", FormatWide(L"%-5q|%")},
      {L"(null) (null)", FormatWide(L"%s %hs", nullWide, nullNarrow)},
      {L"", FormatWide(L"")},
      {L"", FormatWide(nullptr)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, HugeFieldsAreBounded) {
  // A corrupt format must not make the formatter allocate without limit.
  const std::wstring wide = FormatWide(L"%999999999999d", 1);
  EXPECT_LE(wide.size(), 8192u);
  EXPECT_EQ(wide.back(), L'1');
  EXPECT_LE(FormatWide(L"%.999999999999f", 1.0).size(), 8192u);
  EXPECT_LE(FormatWide(L"%*s", -2147483647 - 1, L"x").size(), 8192u);
}
