#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "Engine/zorsound/Log.h"
#include "Engine/zorvideo/Log.h"
#include "Engine/zorlog/Log.h"
#include "Platform/Paths.h"
#include "support/TestSupport.h"

namespace {

using testsupport::LogCapture;
using testsupport::ReadFile;
using testsupport::TempDir;
using zuzorev::ELogLevel;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::vector<std::string> MessageLines(const std::filesystem::path& file) {
  std::vector<std::string> out;
  for (auto& line : Lines(ReadFile(file)))
    if (line.rfind("<div", 0) == 0) out.push_back(line);
  return out;
}

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { zuzorev::CloseDebugSystem(); }
  void TearDown() override { zuzorev::CloseDebugSystem(); }
  LogCapture mCapture;
};

TEST_F(LogTest, FormatsThePendingMessageAndTagsItWithFileAndLine) {
  struct Case {
    std::function<void()> init;
    std::wstring expected;
  };
  const std::vector<Case> cases = {
      {[] { zuzorev::InitError(L"Load text from file %s", L"Data\\Texts.xml"); }, L"Load text from file Data\\Texts.xml"},
      {[] { zuzorev::InitError(L"%d of %s: %c", 3, L"ключ", L'я'); }, L"3 of ключ: я"},
      {[] { zuzorev::InitError(L"loaded 100%"); }, L"loaded 100%"},
      {[] { zuzorev::InitError(L""); }, L""},
      {[] { zuzorev::InitError(nullptr); }, L""},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    mCapture.Clear();
    cases[i].init();
    zuzorev::ErrorAddFileAndLine(L"Source/Levels/BaseBack", 42);
    zuzorev::AddDebugError();
    ASSERT_EQ(mCapture.Records().size(), 1u);
    const auto& r = mCapture.Records()[0];
    EXPECT_EQ(r.text, cases[i].expected);
    EXPECT_EQ(r.level, ELogLevel::Error);
    EXPECT_EQ(r.file, L"Source/Levels/BaseBack");
    EXPECT_EQ(r.line, 42);
    EXPECT_EQ(r.channel, L"log");
  }
}

TEST_F(LogTest, EachLevelEmitsOnceAndClearsThePendingMessage) {
  zuzorev::InitError(L"info");
  zuzorev::ErrorAddFileAndLine(L"GamePanel", 7);
  zuzorev::AddDebugInfo();
  zuzorev::InitError(L"warning");
  zuzorev::AddDebugWarning();
  zuzorev::AddDebugError();  // nothing pending: an empty, untagged message

  const auto& r = mCapture.Records();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].level, ELogLevel::Info);
  EXPECT_EQ(r[0].text, L"info");
  EXPECT_EQ(r[1].level, ELogLevel::Warning);
  EXPECT_EQ(r[1].text, L"warning");
  EXPECT_TRUE(r[1].file.empty());  // the tag of the message before does not stick
  EXPECT_EQ(r[1].line, 0);
  EXPECT_EQ(r[2].level, ELogLevel::Error);
  EXPECT_TRUE(r[2].text.empty());
}

TEST_F(LogTest, OneCallMessageMatchesTheThreeStepOne) {
  const ELogLevel levels[] = {ELogLevel::Info, ELogLevel::Warning, ELogLevel::Error};
  void (*const emit[])() = {zuzorev::AddDebugInfo, zuzorev::AddDebugWarning, zuzorev::AddDebugError};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    mCapture.Clear();
    zuzorev::InitError(L"%d of %s: %c", 3, L"ключ", L'я');
    zuzorev::ErrorAddFileAndLine(L"Source/Levels/BaseBack", 42);
    emit[i]();
    zuzorev::LogMessage(levels[i], L"Source/Levels/BaseBack", 42, L"%d of %s: %c", 3, L"ключ", L'я');
    zuzorev::LogMessage(levels[i], nullptr, 0, nullptr);
    zuzorev::AddDebugInfo();  // nothing left pending by the one-call form

    const auto& r = mCapture.Records();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].level, levels[i]);
    EXPECT_EQ(r[1].level, levels[i]);
    EXPECT_EQ(r[1].text, r[0].text);
    EXPECT_EQ(r[1].text, L"3 of ключ: я");
    EXPECT_EQ(r[1].file, r[0].file);
    EXPECT_EQ(r[1].line, r[0].line);
    EXPECT_EQ(r[1].channel, r[0].channel);
    EXPECT_EQ(r[2].level, levels[i]);
    EXPECT_TRUE(r[2].text.empty());
    EXPECT_TRUE(r[2].file.empty());
    EXPECT_TRUE(r[3].text.empty());
    EXPECT_TRUE(r[3].file.empty());
    EXPECT_EQ(r[3].line, 0);
  }
}

TEST_F(LogTest, WritesOneEscapedHtmlLinePerMessageFlushedAtOnce) {
  TempDir dir;
  const auto path = dir.Path() / "log.html";
  std::ofstream(path) << "old content";
  ASSERT_TRUE(zuzorev::InitDebugSystem(Platform::FromPath(dir.Path()), L"log.html"));

  zuzorev::InitError(L"Tag <b>&\"x\" in %s", L"Привет\nnext");
  zuzorev::ErrorAddFileAndLine(L"Source\\Objects\\MaxAnim", 12);
  zuzorev::AddDebugError();
  zuzorev::InitError(L"ready");
  zuzorev::AddDebugInfo();

  // Read while the log is still open: every line is already on disk.
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.find("old content"), std::string::npos);
  EXPECT_NE(text.find("<html>"), std::string::npos);
  const auto lines = MessageLines(path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("ERROR"), std::string::npos);
  EXPECT_NE(lines[0].find("[Source\\Objects\\MaxAnim:12]"), std::string::npos);
  EXPECT_NE(lines[0].find("Tag &lt;b&gt;&amp;&quot;x&quot; in Привет<br>next"), std::string::npos);
  EXPECT_NE(lines[1].find("INFO"), std::string::npos);
  EXPECT_NE(lines[1].find("ready"), std::string::npos);
  EXPECT_EQ(lines[1].find('['), std::string::npos);  // untagged: no source part
}

// Lines of the first steps wait for the log and come first in it; lines
// logged before anyone asked for that, or after a log was closed, do not.
TEST_F(LogTest, LinesKeptUntilTheLogOpensComeFirstInIt) {
  TempDir dir;
  zuzorev::LogMessage(ELogLevel::Error, L"t", 1, L"before keeping");
  zuzorev::KeepLinesUntilLogOpens();
  zuzorev::LogMessage(ELogLevel::Error, L"t", 2, L"config not parsed");
  zuzorev::LogMessage(ELogLevel::Info, L"t", 3, L"early info");
  zorsound::SoundLogError(L"a sound line keeps to its own channel");
  ASSERT_TRUE(zuzorev::InitDebugSystem(Platform::FromPath(dir.Path()), L"log.html"));
  zuzorev::LogMessage(ELogLevel::Info, L"t", 4, L"after opening");
  zuzorev::CloseDebugSystem();
  zuzorev::LogMessage(ELogLevel::Info, L"t", 5, L"after closing");
  ASSERT_TRUE(zuzorev::InitDebugSystem(Platform::FromPath(dir.Path()), L"log2.html"));

  const auto lines = MessageLines(dir.Path() / "log.html");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find("ERROR [t:2] config not parsed"), std::string::npos);
  EXPECT_NE(lines[1].find("early info"), std::string::npos);
  EXPECT_NE(lines[2].find("after opening"), std::string::npos);
  EXPECT_TRUE(MessageLines(dir.Path() / "log2.html").empty());

  // Kept lines are bounded.
  zuzorev::CloseDebugSystem();
  zuzorev::KeepLinesUntilLogOpens();
  for (size_t i = 0; i < zuzorev::kMaxKeptLines + 10; ++i) zuzorev::LogMessage(ELogLevel::Info, L"t", 6, L"many");
  ASSERT_TRUE(zuzorev::InitDebugSystem(Platform::FromPath(dir.Path()), L"log3.html"));
  EXPECT_EQ(MessageLines(dir.Path() / "log3.html").size(), zuzorev::kMaxKeptLines);
}

TEST_F(LogTest, FailsSoftlyWhenTheLogCannotBeOpened) {
  EXPECT_FALSE(zuzorev::InitDebugSystem(L"/nonexistent-folder/for/logs", L"log.html"));
  zuzorev::InitError(L"still captured");
  zuzorev::AddDebugWarning();
  EXPECT_TRUE(mCapture.Contains(ELogLevel::Warning, L"still captured"));
}

TEST_F(LogTest, SoundAndVideoWriteTheirOwnLogsInTheSameFolder) {
  // Before the main log is open there is no folder: capture only.
  EXPECT_FALSE(zorsound::InitDebugSystemSound(L"soundlog.html"));
  zorsound::SoundLogError(L"early sound error");
  ASSERT_EQ(mCapture.Records().size(), 1u);
  EXPECT_EQ(mCapture.Records()[0].channel, L"sound");

  TempDir dir;
  ASSERT_TRUE(zuzorev::InitDebugSystem(Platform::FromPath(dir.Path()), L"log.html"));
  ASSERT_TRUE(zorsound::InitDebugSystemSound(L"soundlog.html"));
  ASSERT_TRUE(zorvideo::InitDebugSystemVideo(L"videolog.html"));
  mCapture.Clear();
  zorsound::SoundLogError(L"no device <0>");
  zorvideo::VideoLogError(L"bad stream");

  const auto sound = MessageLines(dir.Path() / "soundlog.html");
  const auto video = MessageLines(dir.Path() / "videolog.html");
  ASSERT_EQ(sound.size(), 1u);
  ASSERT_EQ(video.size(), 1u);
  EXPECT_NE(sound[0].find("no device &lt;0&gt;"), std::string::npos);
  EXPECT_NE(video[0].find("bad stream"), std::string::npos);
  EXPECT_TRUE(MessageLines(dir.Path() / "log.html").empty());

  ASSERT_EQ(mCapture.Records().size(), 2u);
  EXPECT_EQ(mCapture.Records()[0].channel, L"sound");
  EXPECT_EQ(mCapture.Records()[0].level, ELogLevel::Error);
  EXPECT_EQ(mCapture.Records()[1].channel, L"video");
}

TEST_F(LogTest, MessagesFromManyThreadsStayWhole) {
  TempDir dir;
  ASSERT_TRUE(zuzorev::InitDebugSystem(Platform::FromPath(dir.Path()), L"log.html"));
  constexpr int kThreads = 4, kEach = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < kEach; ++i) {
        zuzorev::InitError(L"thread %d message %d", t, i);
        zuzorev::ErrorAddFileAndLine(L"Worker", t + 1);
        zuzorev::AddDebugInfo();
      }
    });
  for (auto& th : threads) th.join();

  const auto lines = MessageLines(dir.Path() / "log.html");
  ASSERT_EQ(lines.size(), static_cast<size_t>(kThreads * kEach));
  for (const auto& line : lines) {
    // Each thread's text keeps its own tag.
    const auto tag = line.find("[Worker:");
    ASSERT_NE(tag, std::string::npos) << line;
    const int t = line[tag + 8] - '1';
    EXPECT_NE(line.find("thread " + std::to_string(t) + " message"), std::string::npos) << line;
  }
  EXPECT_EQ(mCapture.Records().size(), static_cast<size_t>(kThreads * kEach));
}

}  // namespace
