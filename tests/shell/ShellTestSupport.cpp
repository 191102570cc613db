#include "ShellTestSupport.h"

#include <algorithm>

#include "AppConfig.h"
#include "AppPaths.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/Device.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "GameGlobals.h"
#include "GameState.h"
#include "LoadProgress.h"
#include "Platform/Paths.h"

namespace shelltest {

UserFolder::UserFolder() {
  Platform::SetUserDataRootForTests(mDir.Path());
  std::filesystem::create_directories(Path());
  Use();
}

void UserFolder::Use() const {
  gUserDataPath = Platform::FromPath(Path());
  gIniFileName = L"game.ini";
}

UserFolder::~UserFolder() {
  gUserDataPath.clear();
  Platform::SetUserDataRootForTests({});
}

std::filesystem::path UserFolder::Path() const { return mDir.Path() / "Kestov Entertainment" / "Test"; }

std::wstring UserFolder::IniPath() const { return Platform::FromPath(Path() / "game.ini"); }

SampleGame::SampleGame() {
  ResetShellGlobals();
  mUser.Use();
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::Headless);
  gInstallPath = Platform::FromPath(testsupport::GameDir());
  zorfile::CFileSystem fileSystem;
  fileSystem.SetInstallFolder(testsupport::GameDir());
  zorfile::CFileSystem* previous = zorfile::GetFileSystem();
  zorfile::SetFileSystem(&fileSystem);
  gAppConfig.LoadFromXml(L"DataLoc\\config.xml");
  zorfile::SetFileSystem(previous);
}

SampleGame::~SampleGame() {
  zuzorev::SetDeviceKind(zuzorev::EDeviceKind::GL);
  gInstallPath.clear();
  gAppConfig.SetDefaults();
}

void SampleCoreTest::SetUp() {
  mCore = std::make_unique<rovovoz::CGameCore>();
  mCore->GetFileSystem()->SetInstallFolder(testsupport::GameDir());
  gAppConfig.ApplyToFileSystem(mCore->GetFileSystem());
  int full = 0;
  ASSERT_EQ(mCore->GetWindow()->Init(L"t", L"t", 101, 1024, 768, full, nullptr, nullptr), zuzorev::kOk);
  zuzorev::SDevInitParams params;
  ASSERT_EQ(mCore->GetRender()->Init(mCore->GetWindow(), params), zuzorev::kOk);
  mCore->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
}

void ResetShellGlobals() {
  ResetGameGlobals();
  Calls().clear();
  RecordingLogic::Reset();
}

std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

bool Called(const std::string& call) { return std::find(Calls().begin(), Calls().end(), call) != Calls().end(); }

std::string RecordingLogic::sFailing;
int RecordingLogic::sPlayResult = 1;
bool RecordingLogic::sCloseDuringPlay = false;
std::vector<float> RecordingLogic::sUpdateTimes;

void RecordingLogic::Reset() {
  sFailing.clear();
  sPlayResult = 1;
  sCloseDuringPlay = false;
  sUpdateTimes.clear();
}

int RecordingLogic::Play() {
  Calls().push_back("Logic.Play");
  if (sCloseDuringPlay) gExitRequest = kExitWindowClosed;
  return sPlayResult;
}

int RecordingLogic::Record(const std::string& call) {
  const int ticks = gLoadProgress ? gLoadProgress->GetTickCount() : -1;
  Calls().push_back(call + "@" + std::to_string(ticks));
  return call == sFailing ? 0 : 1;
}

}  // namespace shelltest
