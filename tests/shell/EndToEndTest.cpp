// The real program, started headless on the sample game: it loads, reaches
// the main menu and ends with exit code 0 when the desktop asks it to close,
// leaving a clean log, its settings and the loading timings behind.
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

// The lines of an HTML log at one level ("error", "warning"), without markup.
std::vector<std::string> LinesOfClass(const std::string& log, const std::string& level) {
  std::vector<std::string> lines;
  const std::string open = "<div class=\"" + level + "\">";
  for (size_t at = log.find(open); at != std::string::npos; at = log.find(open, at)) {
    at += open.size();
    const size_t end = log.find("</div>", at);
    lines.push_back(log.substr(at, end - at));
  }
  return lines;
}

// The one error line of a clean run: the main loop ends through the exit
// state by an update that answers "stop", and the shell logs that turn as
// failed.
const char* const kExitLine = "Update game.";

// How a run of the program went.
struct SRun {
  bool sawText = false;  // the awaited log text appeared
  bool exited = false;   // it ended by itself or on the close request
  int exitCode = -1;
};

// Starts the program headless in `installFolder` with `home` as the per-user
// root, waits until its log holds `awaited` or it ends by itself, then asks
// it to close (the desktop's close request) and waits for its end.
SRun RunProgram(const std::filesystem::path& installFolder, const std::filesystem::path& home,
                const std::string& awaited) {
  SRun run;
  const auto log = home / "Kestov Entertainment" / "LanternHallTale" / "log.html";
  const pid_t pid = ::fork();
  if (pid < 0) return run;
  if (pid == 0) {
    ::setenv("LHT_HEADLESS", "1", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    if (::chdir(installFolder.c_str()) != 0) ::_exit(120);
    const auto program = ProgramPath();
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(121);
  }
  int status = 0;
  bool ended = false;
  run.sawText = WaitFor(
      [&] {
        if (std::filesystem::exists(log) && ReadFile(log).find(awaited) != std::string::npos) return true;
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
        return ended;
      },
      120) &&
                !ended;
  if (!ended) {
    ::kill(pid, SIGTERM);
    ended = ::waitpid(pid, &status, 0) == pid;
  }
  run.exited = ended && WIFEXITED(status);
  if (run.exited) run.exitCode = WEXITSTATUS(status);
  return run;
}

TEST(EndToEnd, TheProgramStartsLoadsAndEndsCleanlyWhenClosed) {
  if (!std::filesystem::exists(ProgramPath())) GTEST_SKIP() << "the program is not built: " << ProgramPath();
  TempDir home;
  const auto user = home.Path() / "Kestov Entertainment" / "LanternHallTale";
  const auto log = user / "log.html";

  const SRun run = RunProgram(testsupport::GameDir(), home.Path(), "Main menu [OK].");
  ASSERT_TRUE(run.sawText) << ReadFile(log);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0);

  const std::string text = ReadFile(log);
  EXPECT_TRUE(LogHasInOrder(text, {"WinMain. Beg.", "New App. OK.", "Init. Beg", "Init window [OK].",
                                   "Init Load Progress. OK.", "Game init [OK].", "Start game [OK].", "Main menu [OK].",
                                   "Update game.",
                                   "Release No Window Beg.", "App Release Beg.", "GameCore Release OK.",
                                   "WinApp. OK."}))
      << text;
  // Every file of the sample game is there and reads: no warning, and no
  // error but the exit line, in any of the three logs.
  for (const std::string& name : {"log.html", "soundlog.html", "videolog.html"}) {
    SCOPED_TRACE(name);
    const std::string lines = ReadFile(user / name);
    EXPECT_EQ(LinesOfClass(lines, "warning"), std::vector<std::string>{}) << lines;
    std::vector<std::string> errors = LinesOfClass(lines, "error");
    std::erase_if(errors, [](const std::string& line) { return line.ends_with(std::string("] ") + kExitLine); });
    EXPECT_EQ(errors, std::vector<std::string>{}) << lines;
  }
  const std::string timings = ReadFile(user / "progressInfo");
  EXPECT_GT(timings.size(), 0u);
  EXPECT_EQ(timings.size() % 4, 0u);
  const std::string ini = ReadFile(user / "game.ini");
  EXPECT_NE(ini.find("[Video]"), std::string::npos);
  EXPECT_NE(ini.find("[Game]"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(user / "soundlog.html"));
}

// A start that fails is seen: the exit code is not 0 and the log names the
// file that stopped it (a broken configuration before the engine exists, a
// broken data file while the game loads).
TEST(EndToEnd, AStartThatFailsEndsWithAnErrorCodeAndNamesTheFile) {
  if (!std::filesystem::exists(ProgramPath())) GTEST_SKIP() << "the program is not built: " << ProgramPath();
  const struct {
    const char* name;
    const char* file;  // in a copy of the sample game
    const char* logFolder;
    std::vector<std::string> lines;
  } cases[] = {
      {"config",
       "DataLoc/config.xml",
       "",  // no SaveDir read
       {"XML file DataLoc\\config.xml not parsed: ", "Config file DataLoc\\config.xml not read: the game cannot start."}},
      {"sound list",
       "DataLoc/Sounds/Sounds.xml",
       "LanternHallTale",
       {"XML file DataLoc\\Sounds\\Sounds.xml not parsed: ", "Start game.", "WinApp. OK."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir home, install;
    std::filesystem::copy(testsupport::GameDir(), install.Path(), std::filesystem::copy_options::recursive);
    install.Write(c.file, "<Config><Path>");
    const SRun run = RunProgram(install.Path(), home.Path(), "Main menu [OK].");
    ASSERT_TRUE(run.exited);
    EXPECT_FALSE(run.sawText);
    EXPECT_EQ(run.exitCode, 1);
    const std::string log = ReadFile(home.Path() / "Kestov Entertainment" / c.logFolder / "log.html");
    EXPECT_TRUE(LogHasInOrder(log, c.lines)) << log;
  }
}

}  // namespace
