#include <gtest/gtest.h>
#include <cstdlib>
#include <iostream>
#include "StoryDriver.h"
#include "Platform/Strings.h"
TEST(StoryExplore, Dump) {
  const char* path = std::getenv("STORY_SCRIPT");
  if (!path) GTEST_SKIP();
  storytest::StoryDriver d;
  std::string reason;
  const bool ok = d.Play(path, reason);
  for (auto& l : storytest::LogLinesOf(d.ReadLog("log.html"), "error")) std::cout << "E: " << l << "\n";
  ASSERT_TRUE(ok) << reason;
  storytest::STurn last;
  for (size_t i = 0; i < d.Turns().size(); ++i) {
    const auto& t = d.Turns()[i];
    if (i == 0 || !(t == last))
      std::cout << i << " st=" << t.state << " step=" << Platform::WideToUtf8(t.step) << " scene=" << Platform::WideToUtf8(t.scene)
                << " reg=" << Platform::WideToUtf8(t.region) << " cur=" << Platform::WideToUtf8(t.cursorItem) << " rolik=" << t.rolik << " found=" << t.found.size() << (t.found.empty() ? "" : Platform::WideToUtf8(t.found.back())) << " items=" << t.items.size() << "\n";
    last = t;
  }
  for (auto n : {"log.html", "soundlog.html", "videolog.html"})
    for (auto lv : {"error", "warning"})
      for (auto& l : storytest::LogLinesOf(d.ReadLog(n), lv)) std::cout << n << " " << lv << ": " << l << "\n";
}
