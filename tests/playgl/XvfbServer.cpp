#include "XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace playgl {

XvfbServer::XvfbServer() {
  if (const char* display = std::getenv("DISPLAY"); display && *display) {
    mDisplay = display;
    return;
  }
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  const pid_t pid = fork();
  if (pid == 0) {
    close(pipeFds[0]);
    const std::string fd = std::to_string(pipeFds[1]);
    // Keep the server's own chatter out of the test output, and keep it off
    // the test's output pipe: a server left behind by a test that crashed
    // would hold the pipe open and CTest would wait for it until its timeout.
    // It also ends with the test.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (FILE* devNull = std::fopen("/dev/null", "w")) {
      dup2(fileno(devNull), STDOUT_FILENO);
      dup2(fileno(devNull), STDERR_FILENO);
    }
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeFds[1]);
  if (pid < 0) {
    close(pipeFds[0]);
    return;
  }
  mPid = pid;
  // The server writes its display number once it takes connections.
  std::string number;
  pollfd waitFor{pipeFds[0], POLLIN, 0};
  char c = 0;
  while (poll(&waitFor, 1, 10000) > 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
  close(pipeFds[0]);
  if (number.empty()) {
    std::fprintf(stderr, "Xvfb did not start; the plays use SDL's offscreen driver\n");
    kill(mPid, SIGTERM);
    waitpid(mPid, nullptr, 0);
    mPid = -1;
    return;
  }
  mDisplay = ":" + number;
  setenv("DISPLAY", mDisplay.c_str(), 1);
}

XvfbServer::~XvfbServer() {
  if (mPid <= 0) return;
  unsetenv("DISPLAY");
  kill(mPid, SIGTERM);
  waitpid(mPid, nullptr, 0);
}

}  // namespace playgl
