#pragma once
// Helpers of the logic data suite: a headless game core whose file system
// serves one folder (the logic fixtures, a temporary folder or the sample
// game), with models searched in its Models folder and its texts loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Game.h"
#include "Logic/Logic.h"
#include "support/CoreSupport.h"
#include "support/TestSupport.h"

namespace logicdata {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "logic"; }

class LogicCore {
 public:
  explicit LogicCore(const std::filesystem::path& folder = Fixtures(), bool sampleGame = false)
      : mCore(testsupport::MakeGameCore(zuzorev::EDeviceKind::Headless)) {
    zorfile::CFileSystem* fs = mCore->GetFileSystem();
    fs->SetInstallFolder(folder);
    if (sampleGame)
      testsupport::AddGameDataPaths(*fs);
    else
      fs->InsertPath(L"Models", zorfile::kKindModels);
    mPrevious = gGameCore;
    gGameCore = mCore.get();
    mOk = testsupport::StartWindowAndRender(*mCore, L"test");
    mCore->GetTextManager()->Load(sampleGame ? L"DataLoc\\Texts\\Texts.xml" : L"Texts.xml");
  }
  ~LogicCore() { gGameCore = mPrevious; }
  LogicCore(const LogicCore&) = delete;
  LogicCore& operator=(const LogicCore&) = delete;
  bool Ok() const { return mOk; }

 private:
  std::unique_ptr<rovovoz::CGameCore> mCore;
  rovovoz::CGameCore* mPrevious = nullptr;
  bool mOk = false;
};

// The error lines logged while it lives.
inline std::vector<std::wstring> Errors(const testsupport::LogCapture& log) {
  return log.Texts(zuzorev::ELogLevel::Error);
}

}  // namespace logicdata
