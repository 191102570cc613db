#pragma once
// Helpers for the engine's rendering, input and picking suites: a file
// system over the sample game (or a folder of a test's own), and a render
// system on the headless or the GL device.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "support/CoreSupport.h"
#include "support/TestSupport.h"

namespace rendertest {

// Makes the file system resolve names in `folder` (the sample game by
// default) for as long as it lives.
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(const std::filesystem::path& folder = testsupport::GameDir()) {
    mPrevious = zorfile::GetFileSystem();
    mFs.SetInstallFolder(folder);
    testsupport::AddGameDataPaths(mFs);
    zorfile::SetFileSystem(&mFs);
  }
  ~ScopedFileSystem() { zorfile::SetFileSystem(mPrevious); }
  zorfile::CFileSystem& Fs() { return mFs; }

 private:
  zorfile::CFileSystem mFs;
  zorfile::CFileSystem* mPrevious;
};

// A window and a render system of one kind at 1024 x 768, windowed. For
// GL, Ok() is false (and Reason() says why) when no context can be made.
class Device {
 public:
  explicit Device(zuzorev::EDeviceKind kind) {
    if (kind == zuzorev::EDeviceKind::GL) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    mWindow = std::make_unique<zuzorev::CWindowSystem>(kind);
    mRender = std::make_unique<zuzorev::CRenderSystem>(kind);
    int full = 0;
    if (mWindow->Init(L"test", L"test", 101, 1024, 768, full, nullptr, nullptr) < 0) {
      mReason = "no window";
      return;
    }
    zuzorev::SDevInitParams params;
    params.Width = 1024;
    params.Height = 768;
    if (mRender->Init(mWindow.get(), params) < 0) {
      mReason = "no render device";
      return;
    }
    mOk = true;
  }
  ~Device() {
    mRender.reset();
    mWindow.reset();
  }
  bool Ok() const { return mOk; }
  const char* Reason() const { return mReason; }
  zuzorev::CRenderSystem& Render() { return *mRender; }
  zuzorev::CWindowSystem& Window() { return *mWindow; }

 private:
  std::unique_ptr<zuzorev::CWindowSystem> mWindow;
  std::unique_ptr<zuzorev::CRenderSystem> mRender;
  bool mOk = false;
  const char* mReason = "";
};

}  // namespace rendertest

#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"

namespace rendertest {

// A game core on one device with the sample game's search paths, its
// window opened at 1024 x 768 and its render system started.
class Core {
 public:
  explicit Core(zuzorev::EDeviceKind kind) : mCore(testsupport::MakeGameCore(kind)) {
    mCore->GetFileSystem()->SetInstallFolder(testsupport::GameDir());
    testsupport::AddGameDataPaths(*mCore->GetFileSystem());
    mOk = testsupport::StartWindowAndRender(*mCore, L"test");
  }
  bool Ok() const { return mOk; }
  rovovoz::CGameCore* Get() { return mCore.get(); }
  zuzorev::CRenderSystem& Render() { return *mCore->GetRender(); }

  // The game's camera: orthographic over the virtual screen, looking down y.
  void SetupCamera() { testsupport::SetupGameCamera(*mCore); }

  // The sample game's render settings and the game's camera, as a scene
  // draws with them.
  void UseGameView() {
    Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"BaseSetings.xml", 1);
    SetupCamera();
  }

 private:
  std::unique_ptr<rovovoz::CGameCore> mCore;
  bool mOk = false;
};

}  // namespace rendertest
