#pragma once
// Helpers of the scene framework suite: a game core over the scene fixtures
// (or the sample game) set as the game's core, and a small scene class that
// serves its actions from a fixture and records what the scene hands to
// the operations other parts of the game fill in.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Levels/BaseBack.h"
#include "Platform/Paths.h"
#include "Platform/Random.h"
#include "Platform/Strings.h"
#include "PlayerRecord.h"
#include "support/CoreSupport.h"
#include "support/TestSupport.h"

namespace scenetest {

inline std::filesystem::path Fixtures() { return testsupport::FixturesDir() / "scene"; }

// A game core on one device, set as gGameCore while it lives. Over the
// scene fixtures: names resolve from the fixture folder, models also from
// its Models folder. Over the sample game: the game's own search paths.
class SceneCore {
 public:
  enum class EData { Fixtures, SampleGame };

  explicit SceneCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless, EData data = EData::Fixtures)
      : mCore(testsupport::MakeGameCore(kind)) {
    zorfile::CFileSystem* fs = mCore->GetFileSystem();
    if (data == EData::Fixtures) {
      fs->SetInstallFolder(Fixtures());
      fs->InsertPath(L"Models", zorfile::kKindModels);
    } else {
      fs->SetInstallFolder(testsupport::GameDir());
      testsupport::AddGameDataPaths(*fs);
    }
    mPrevious = gGameCore;
    gGameCore = mCore.get();
    if (!testsupport::StartWindowAndRender(*mCore, L"test")) return;
    mCore->GetInput()->Init(mCore->GetWindow());
    if (data == EData::SampleGame)
      mCore->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"Data\\BaseSetings.xml", 1);
    mOk = true;
  }
  ~SceneCore() { gGameCore = mPrevious; }
  SceneCore(const SceneCore&) = delete;
  SceneCore& operator=(const SceneCore&) = delete;

  bool Ok() const { return mOk; }
  rovovoz::CGameCore* Get() { return mCore.get(); }
  zuzorev::CRenderSystem& Render() { return *mCore->GetRender(); }

 private:
  std::unique_ptr<rovovoz::CGameCore> mCore;
  rovovoz::CGameCore* mPrevious = nullptr;
  bool mOk = false;
};

struct SClick {
  int index;
  int pressed;
  bool operator==(const SClick&) const = default;
};

// A scene class of the suite: its actions are the names listed in the
// fixture Actions.xml; clicks, pops of the mode queue, tips, find items,
// played sounds and silencing calls are recorded.
class CTestBack : public CBaseBack {
 public:
  CTestBack() {
    TiXmlDocument document;
    if (!document.LoadFile((Fixtures() / "Actions.xml").string().c_str())) return;
    const TiXmlElement* root = FirstChildElementUpper(&document, "Actions");
    for (const TiXmlElement* a = IterateChildrenElementUpper(root, "Action", nullptr); a;
         a = IterateChildrenElementUpper(root, "Action", a)) {
      SLogicActionEntry& entry = mActions[ValueUtf8(FindUpper(a, "Name"))];
      entry.Name = ValueUtf8(FindUpper(a, "Name"));
    }
  }

  bool FindAction(const std::wstring& name, SLogicActionEntry*& entry) override {
    const auto found = mActions.find(name);
    if (found == mActions.end()) return false;
    entry = &found->second;
    return true;
  }
  int32_t OnClick(int index, int pressed, rovovoz::CMouseCursor*) override {
    clicks.push_back({index, pressed});
    return 0;
  }
  void PopMode(int) override { ++pops; }
  void ShowGameTip(const std::wstring& key) override { tips.push_back(key); }
  void AddFindItems(const std::wstring& list, const std::wstring& zone, const std::wstring& name) override {
    mFindItems.push_back({list, zone, name});
  }
  int32_t LoadObjects(const std::wstring& file, const std::wstring& renderFile) override {
    ++objectFileReads;
    return CBaseBack::LoadObjects(file, renderFile);
  }
  int32_t LoadFormObjects(const std::wstring& form, const std::wstring& render, const std::wstring& trigger) override {
    ++formFileReads;
    return CBaseBack::LoadFormObjects(form, render, trigger);
  }
  int32_t LoadPathObjects(const std::wstring& file) override {
    ++pathFileReads;
    return CBaseBack::LoadPathObjects(file);
  }
  void PlaySound(const std::wstring& name, float volume, float fadeIn, int flag) override {
    sounds.push_back(name);
    CBaseBack::PlaySound(name, volume, fadeIn, flag);
  }
  void StopAllEffects() override {
    soundCalls.push_back(L"StopAllEffects");
    CBaseBack::StopAllEffects();
  }
  void ResumeAmbientSounds() override {
    soundCalls.push_back(L"ResumeAmbientSounds");
    CBaseBack::ResumeAmbientSounds();
  }
  void ResumeMusic() override {
    soundCalls.push_back(L"ResumeMusic");
    CBaseBack::ResumeMusic();
  }

  // What the tests reach inside.
  using CBaseBack::mAlphaFades;
  using CBaseBack::mDebugFind;
  using CBaseBack::mFindItems;
  using CBaseBack::mMiniGame;
  using CBaseBack::mModes;
  using CBaseBack::mNoPick;
  using CBaseBack::mObjectEffects;
  using CBaseBack::mOverlay;
  using CBaseBack::mOverlayBursts;
  using CBaseBack::mShade;
  using CBaseBack::mShade2;
  using CBaseBack::mTipRequest;
  using CBaseBack::mViewMatrix;
  using CBaseBack::TakeOverModelNames;
  void SetOwner(CBaseBack* owner) { mOwner = owner; }
  bool HasSoundManagers() const { return mAmbientSound && mMusic && mSounds; }

  std::vector<SClick> clicks;
  int pops = 0;
  std::vector<std::wstring> tips;
  int objectFileReads = 0;
  int formFileReads = 0;
  int pathFileReads = 0;
  std::vector<std::wstring> sounds;
  std::vector<std::wstring> soundCalls;

 private:
  SActionMap mActions;
};

// A scene made from a fixture main file, loaded and put in its start state
// (as a visit would start it): every entry active, clickable, state 0,
// placed by identity.
inline std::unique_ptr<CTestBack> LoadScene(const std::wstring& file, const std::wstring& name = L"Scene") {
  auto back = std::make_unique<CTestBack>();
  EXPECT_EQ(back->InitBack(file), 1) << Platform::WideToUtf8(file);
  back->SetName(name);
  EXPECT_EQ(back->Load(3), 1);
  back->InitObjects();
  back->mViewMatrix = zormath::Mat4f::Identity();
  return back;
}

// The player record as a fresh player has it, for the length of a test.
class FreshPlayer {
 public:
  FreshPlayer() : mSaved(gCurrentPlayer) { gCurrentPlayer = PlayerRecord(); }
  ~FreshPlayer() { gCurrentPlayer = mSaved; }

 private:
  PlayerRecord mSaved;
};

}  // namespace scenetest
