#pragma once
// A virtual X server for the suite: the real game's window opens in it, on
// Mesa's software GL, as it would on a player's desktop.
#include <string>

namespace playgl {

// Starts Xvfb on a free display (it picks the number itself, so suites run
// side by side) and points DISPLAY at it; stops it when destroyed. Where
// DISPLAY is already set, that server is used. Without Xvfb nothing starts
// and the plays fall back to SDL's offscreen driver.
class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  // The display the plays use ("" none: the offscreen driver).
  const std::string& Display() const { return mDisplay; }

 private:
  int mPid = -1;
  std::string mDisplay;
};

}  // namespace playgl
