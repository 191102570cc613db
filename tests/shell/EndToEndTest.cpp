// The real program, started headless on the sample game: it loads, runs its
// main loop and ends with exit code 0 when the desktop asks it to close,
// leaving its log, its settings and the loading timings behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "Platform/Paths.h"
#include "support/TestSupport.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

// The program next to this suite in the build tree.
std::filesystem::path ProgramPath() {
  return Platform::GetExecutableFolder().parent_path() / "Source" / "LanternHallTale";
}

bool WaitFor(const std::function<bool()>& done, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return done();
}

// The texts of the log's lines that hold one of the given texts, in order.
bool LogHasInOrder(const std::string& log, const std::vector<std::string>& texts) {
  size_t at = 0;
  for (const std::string& t : texts) {
    at = log.find(t, at);
    if (at == std::string::npos) return false;
    at += t.size();
  }
  return true;
}

TEST(EndToEnd, TheProgramStartsLoadsAndEndsCleanlyWhenClosed) {
  const auto program = ProgramPath();
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "the program is not built: " << program;
  TempDir home;
  const auto user = home.Path() / "Kestov Entertainment" / "LanternHallTale";
  const auto log = user / "log.html";

  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::setenv("LHT_HEADLESS", "1", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    if (::chdir(testsupport::GameDir().c_str()) != 0) ::_exit(120);
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(121);
  }
  const bool started = WaitFor(
      [&] {
        return std::filesystem::exists(log) && ReadFile(log).find("Start game [OK].") != std::string::npos;
      },
      120);
  ::kill(pid, SIGTERM);  // the desktop's close request
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(started) << ReadFile(log);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);

  const std::string text = ReadFile(log);
  EXPECT_TRUE(LogHasInOrder(text, {"WinMain. Beg.", "New App. OK.", "Init. Beg", "Init window [OK].",
                                   "Init Load Progress. OK.", "Game init [OK].", "Start game [OK].", "Update game.",
                                   "Release No Window Beg.", "App Release Beg.", "GameCore Release OK.",
                                   "WinApp. OK."}))
      << text;
  // The story data of the sample game (task file, chapters, item tables)
  // reads without an error line.
  EXPECT_EQ(text.find("ERROR [Source/Logic/"), std::string::npos) << text;
  const std::string timings = ReadFile(user / "progressInfo");
  EXPECT_GT(timings.size(), 0u);
  EXPECT_EQ(timings.size() % 4, 0u);
  const std::string ini = ReadFile(user / "game.ini");
  EXPECT_NE(ini.find("[Video]"), std::string::npos);
  EXPECT_NE(ini.find("[Game]"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(user / "soundlog.html"));
}

}  // namespace
