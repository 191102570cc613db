#pragma once
// Helpers of the effect-object suite: a game core over the effect fixtures
// (a model file with one quad per effect mesh, numbered pictures with gaps,
// an animation set and a frame file), set as the game's core while it
// lives, and the fixture scene that names every effect object.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Game.h"
#include "Platform/Random.h"
#include "scene/SceneTestSupport.h"
#include "support/CoreSupport.h"
#include "support/TestSupport.h"

namespace effectstest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "effects"; }

constexpr uint32_t kSeed = 12345;

class EffectsCore {
 public:
  // fixtures: the install folder (the effect fixtures unless another suite
  // brings its own).
  explicit EffectsCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless,
                       const std::filesystem::path& fixtures = Fixtures())
      : mCore(testsupport::MakeGameCore(kind)) {
    if (kind == zuzorev::EDeviceKind::GL) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    mCore->GetFileSystem()->SetInstallFolder(fixtures);
    testsupport::AddGameDataPaths(*mCore->GetFileSystem());
    mPrevious = gGameCore;
    gGameCore = mCore.get();
    Platform::SeedRandom(kSeed);
    if (!testsupport::StartWindowAndRender(*mCore, L"test")) return;
    mOk = Render().GetRenderSetingsManager()->LoadSetingsFromXml(L"Data\\BaseSetings.xml", 1) >= 0;
  }
  ~EffectsCore() { gGameCore = mPrevious; }
  EffectsCore(const EffectsCore&) = delete;
  EffectsCore& operator=(const EffectsCore&) = delete;

  bool Ok() const { return mOk; }
  rovovoz::CGameCore* Get() { return mCore.get(); }
  zuzorev::CRenderSystem& Render() { return *mCore->GetRender(); }

  // The game's camera: orthographic over the virtual screen, looking down y.
  void SetupCamera() { testsupport::SetupGameCamera(*mCore); }

 private:
  std::unique_ptr<rovovoz::CGameCore> mCore;
  rovovoz::CGameCore* mPrevious = nullptr;
  bool mOk = false;
};

// Entries of Data\Level\Effects.xml.
enum EEntry {
  kPic = 0,
  kFlame = 1,
  kGlow = 2,
  kDoor = 3,
  kPortrait = 4,
  kPortraitB = 5,
  kCat = 6,
  kMist = 7,
  kMistPlain = 8,
  kSign = 9,
  kTree = 10,
  kTree4 = 11,
  kTreeX = 12,
  kVane = 13,
  kFlame01 = 14,
  kFlame03 = 15,
};

inline std::unique_ptr<scenetest::CTestBack> LoadEffectsScene() {
  return scenetest::LoadScene(L"Data\\Level\\Effects.xml", L"Effects");
}

// The entry's object as its class (null when it is of another).
template <class T>
T* ObjectOf(scenetest::CTestBack& back, int entry) {
  return dynamic_cast<T*>(back.GetEntry(entry).mObject);
}

// Runs the scene's object update for `frames` frames of dt seconds.
inline void RunFrames(scenetest::CTestBack& back, int frames, float dt) {
  for (int i = 0; i < frames; ++i) back.UpdateObjects(dt);
}

// One object of a class loaded from a Properties element written as text,
// with the fixture model file.
template <class T>
std::unique_ptr<T> LoadObject(EffectsCore& core, const std::string& properties, int32_t* result = nullptr,
                              uint32_t flags = 0) {
  auto object = std::make_unique<T>(core.Get());
  testsupport::Element element(properties);
  const int32_t got = object->Load(element.Get(), L"Effects.zorm", flags);
  if (result) *result = got;
  return object;
}

}  // namespace effectstest
