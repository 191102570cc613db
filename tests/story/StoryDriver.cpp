#include "StoryDriver.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "AppConfig.h"
#include "AppPaths.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorlog/Log.h"
#include "Engine/zorsound/Log.h"
#include "Engine/zorvideo/Log.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "FramePacer.h"
#include "Game.h"
#include "GameApp.h"
#include "GameState.h"
#include "Ini.h"
#include "InputReplay.h"
#include "Platform/Strings.h"
#include "Engine/rovovoz/GUILabel.h"
#include "Interface/GamePanel.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "Platform/Paths.h"
#include "PlayerFile.h"
#include "PlayerFileName.h"
#include "PlayerRecord.h"
#include "SaveInfo/EpisodTasks.h"
#include "Regions/BaseRegion.h"

namespace storytest {
namespace {

// A window of the virtual screen's own size, so the replay's window points
// are the virtual screen's points. The rest of game.ini (the remembered
// player) stays as the last play left it.
void UseWindowedDisplay(const std::wstring& path) {
  Ini::SetInt(path, L"Video", L"FullScreen", 0);
  Ini::SetInt(path, L"Video", L"Width", 1024);
  Ini::SetInt(path, L"Video", L"Height", 768);
  Ini::SetInt(path, L"Video", L"Wide", 0);
}

STurn LookAtTurn() {
  STurn turn;
  turn.state = gGameState;
  if (!gLogic) return turn;
  if (const SLogicStep* step = gLogic->GetStep(gLogic->GetTempStep())) turn.step = step->NameStep;
  turn.rolik = gLogic->GetTempRolik() != nullptr;
  if (CBaseEpisod* episod = gLogic->GetEpisod()) {
    if (CBaseBack* scene = episod->GetCurrentScene()) {
      turn.scene = scene->GetBackName();
      if (auto* level = dynamic_cast<CBaseLevel*>(scene))
        if (CBaseRegion* region = level->GetOpenRegion()) turn.region = region->GetBackName();
    }
  }
  if (gGamePanel) turn.cursorItem = gGamePanel->GetCursorName();
  for (const auto& [list, tasks] : gCurrentPlayer.mEpisodInfo.mBackObjects)
    for (const SObjectTaskInfo& task : tasks)
      if (task.mValue == 3) turn.found.push_back(list + L"_" + task.mName);
  for (const auto& [list, tasks] : gCurrentPlayer.mEpisodInfo.mBackComplex)
    for (const SComplexTaskInfo& task : tasks)
      if (task.mValue == 3) turn.found.push_back(list + L"_" + task.mName);
  for (const SPlayerItem& item : gCurrentPlayer.mItems) turn.items.push_back(item.mName);
  if (gGamePanel)
    for (const SHogListRow& row : gGamePanel->GetHogRows())
      if (row.Label) turn.hogRows.push_back(row.Label->GetText());
  SComplexTaskInfo* shelf = nullptr;
  if (gCurrentPlayer.mEpisodInfo.FindComplexTask(L"hog", L"Shelf", shelf) && shelf)
    for (const SComplexPiece& piece : shelf->mPieces) {
      // Found: taken off the list after it had a place on it.
      if (piece.mPending != 0 || piece.mValue == 0) continue;
      const auto text = gLogic->m_HogPredmetTexts.find(HogPieceObjectName(L"Shelf", static_cast<int>(piece.mId)));
      if (text != gLogic->m_HogPredmetTexts.end()) turn.hogFound.push_back(text->second);
    }
  return turn;
}
}  // namespace

// The SDL video driver a play on `device` needs; the previous one comes
// back when the play ends.
class VideoDriverFor {
 public:
  explicit VideoDriverFor(zuzorev::EDeviceKind device) {
    if (const char* was = std::getenv("SDL_VIDEODRIVER")) mWas = was;
    const char* display = std::getenv("DISPLAY");
    const bool x11 = display && *display;
    if (device == zuzorev::EDeviceKind::GL) ::setenv("SDL_VIDEODRIVER", x11 ? "x11" : "offscreen", 1);
  }
  ~VideoDriverFor() {
    if (mWas.empty())
      ::unsetenv("SDL_VIDEODRIVER");
    else
      ::setenv("SDL_VIDEODRIVER", mWas.c_str(), 1);
  }

 private:
  std::string mWas;
};

StoryDriver::StoryDriver(zuzorev::EDeviceKind device) : mDevice(device) {}
StoryDriver::~StoryDriver() = default;

bool StoryDriver::Play(const std::filesystem::path& replay, std::string& reason) {
  mTurns.clear();
  zuzorev::SetDeviceKind(mDevice);
  VideoDriverFor videoDriver(mDevice);
  UseWindowedDisplay(mSample.User().IniPath());
  zuzorev::InitDebugSystem(gUserDataPath, L"log.html");
  zorsound::InitDebugSystemSound(L"soundlog.html");
  zorvideo::InitDebugSystemVideo(L"videolog.html");
  ::setenv(InputReplay::kReplayVariable, replay.string().c_str(), 1);
  gAppStarting = 1;
  // The replay runs on its own fixed frame time: the pacer hands out the
  // next frame as soon as the turn before has ended, instead of a display
  // period later.
  CTickGate gate;
  gFramePacer.SetSleepForTests([&gate](uint32_t) { gate.Wait(); });
  gGameApp = new GameApp();
  bool started = false;
  if (!gGameApp->Init(L"game.ini")) {
    reason = "the application did not start";
  } else if (!InputReplay::AttachFromEnvironment(gGameApp->GetCore()->GetWindow()->GetEvents())) {
    reason = "the replay " + replay.string() + " was not attached";
  } else if (!gGameApp->InitGame()) {
    reason = "the game did not load";
  } else {
    gAppStarting = 0;
    started = true;
    GameApp::SetTurnHookForTests([this, &gate] {
      mTurns.push_back(LookAtTurn());
      if (gExtraProbe) gExtraProbe();
      gate.Release();
    });
    GameApp::SetFrameHookForTests([this](zuzorev::CRenderSystem& render) {
      if (gFrameProbe) gFrameProbe(render, mTurns.size());
    });
    gGameApp->Run();
    GameApp::SetTurnHookForTests(nullptr);
    GameApp::SetFrameHookForTests(nullptr);
  }
  ::unsetenv(InputReplay::kReplayVariable);
  gate.Open();  // the game stops its pacer on the way out
  gGameApp->ReleaseGame();
  delete gGameApp;
  gGameApp = nullptr;
  gFramePacer.Stop();
  gFramePacer.SetSleepForTests(nullptr);
  zuzorev::CTimer::UseManualClock(false);
  zuzorev::CloseDebugSystem();
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
  // The next play starts from the program's start values again, on the
  // same sample game and user folder.
  shelltest::ResetShellGlobals();
  mSample.User().Use();
  gInstallPath = Platform::FromPath(testsupport::GameDir());
  zorfile::CFileSystem fileSystem;
  fileSystem.SetInstallFolder(testsupport::GameDir());
  zorfile::CFileSystem* previous = zorfile::GetFileSystem();
  zorfile::SetFileSystem(&fileSystem);
  gAppConfig.LoadFromXml(L"DataLoc\\config.xml");
  zorfile::SetFileSystem(previous);
  return started;
}

std::string StoryDriver::ReadLog(const std::string& name) const {
  std::ifstream in(mSample.User().Path() / name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> LogLinesOf(const std::string& log, const std::string& level) {
  std::vector<std::string> lines;
  const std::string open = "<div class=\"" + level + "\">";
  for (size_t at = log.find(open); at != std::string::npos; at = log.find(open, at)) {
    at += open.size();
    const size_t end = log.find("</div>", at);
    lines.push_back(log.substr(at, end == std::string::npos ? std::string::npos : end - at));
  }
  return lines;
}

std::vector<std::string> ErrorLines(const StoryDriver& driver) {
  std::vector<std::string> errors;
  for (const char* log : {"log.html", "soundlog.html", "videolog.html"})
    for (const std::string& line : LogLinesOf(driver.ReadLog(log), "error"))
      if (line.find("Update game.") == std::string::npos) errors.push_back(std::string(log) + ": " + line);
  return errors;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && Platform::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

bool SeedFinishedPlayer(const StoryDriver& driver, const std::wstring& name) {
  PlayerRecord player;
  player.mName = name;
  player.mDifficulty = 1;
  player.mGameFinished = 1;
  const std::filesystem::path users = driver.User().Path() / "Users";
  std::error_code error;
  std::filesystem::create_directories(users, error);
  if (!WriteProfileFile(users / Platform::ToPath(PlayerFileName(player.mName)), player)) return false;
  Ini::SetString(driver.User().IniPath(), L"Game", L"PlayerName", player.mName);
  return true;
}

}  // namespace storytest
