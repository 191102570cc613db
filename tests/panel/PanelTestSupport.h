#pragma once
// Helpers of the game panel suite: a game core over the sample game (its
// sound list loaded, set as gGameCore while it lives), an item table of the
// logic made from the sample game's item pictures, a chapter that records
// what the panel asks of it, the panel loaded from the sample game's form,
// and scripted mouse input.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/rovovoz/TextManager.h"
#include "Engine/zorfile/FileSystem.h"
#include "Engine/zuzorev/EventQueue.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Game.h"
#include "Interface/GamePanel.h"
#include "Interface/PredmetMenu.h"
#include "Logic/BaseEpisod.h"
#include "Logic/Logic.h"
#include "PlayerRecord.h"
#include "support/CoreSupport.h"
#include "support/TestSupport.h"

namespace paneltest {

// A game core over the sample game, gGameCore while it lives.
class PanelCore {
 public:
  explicit PanelCore(zuzorev::EDeviceKind kind = zuzorev::EDeviceKind::Headless)
      : mCore(testsupport::MakeGameCore(kind)) {
    zorfile::CFileSystem* fs = mCore->GetFileSystem();
    fs->SetInstallFolder(testsupport::GameDir());
    testsupport::AddGameDataPaths(*fs);
    fs->InsertPath((testsupport::GameDir() / "DataLoc" / "Sounds").wstring(), zorfile::kKindSounds);
    mPrevious = gGameCore;
    gGameCore = mCore.get();
    if (!testsupport::StartWindowAndRender(*mCore, L"panel")) return;
    mCore->GetInput()->Init(mCore->GetWindow());
    mCore->GetRender()->GetRenderSetingsManager()->LoadSetingsFromXml(L"Data\\BaseSetings.xml", 1);
    mCore->GetTextManager()->Load(L"DataLoc\\Texts\\Texts.xml");
    mCore->GetSound()->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", nullptr);
    mCursor = std::make_unique<rovovoz::CMouseCursor>(mCore.get());
    mOk = true;
  }
  ~PanelCore() { gGameCore = mPrevious; }
  PanelCore(const PanelCore&) = delete;
  PanelCore& operator=(const PanelCore&) = delete;

  bool Ok() const { return mOk; }
  rovovoz::CGameCore* Get() { return mCore.get(); }
  rovovoz::CMouseCursor* Cursor() { return mCursor.get(); }
  zuzorev::CInputSystem& Input() { return *mCore->GetInput(); }
  rovovoz::CGameSoundSystem& Sound() { return *mCore->GetSound(); }

  // The sound started since the last Quiet.
  bool Played(const std::wstring& name) const { return mCore->GetSound()->GetState(name) == rovovoz::kSoundPlaying; }
  // Every sound played once ends (no audio device on the test machines).
  void Quiet() { mCore->GetSound()->Update(0.01f); }

  // The pointer over a point of the interface space (x across, z up).
  void MoveTo(float x, float z) { mCursor->SetPosition3D(zormath::Vec3f(x, 0.0f, z)); }
  // A press and release of a button (0 left, 1 right) that the next frame sees.
  void Click(int button) {
    int x = 0, y = 0;
    Input().GetMousePosition(x, y);
    Input().HandleEvent(zuzorev::SInputEvent::MouseDown(button, x, y));
    Input().HandleEvent(zuzorev::SInputEvent::MouseUp(button, x, y));
  }
  // Collects this frame's input.
  void NextFrame() { Input().Update(); }

 private:
  std::unique_ptr<rovovoz::CGameCore> mCore;
  std::unique_ptr<rovovoz::CMouseCursor> mCursor;
  rovovoz::CGameCore* mPrevious = nullptr;
  bool mOk = false;
};

// The logic's item table: the sample game's three items, and numbered
// extra ones for filling the strip.
class TestLogic : public CLogic {
 public:
  explicit TestLogic(rovovoz::CGameCore* core) {
    for (const wchar_t* name : {L"Key", L"Wick", L"Lantern"}) {
      auto model = std::make_unique<rovovoz::CStaticObject3D>(core);
      model->LoadModel(L"Predmets.zorm", std::wstring(L"P_") + name, 11);
      SPredmetInfo item;
      item.TextPanel = std::wstring(L"i_") + name;
      item.Count = 1;
      item.Mesh.Clone(*model->GetMesh(), 2);
      mModels.push_back(std::move(model));
      mItems[name] = item;
    }
    mItems[L"Key"].Count = 3;
    for (int i = 1; i <= 60; ++i) {
      SPredmetInfo item = mItems[L"Wick"];
      item.TextPanel = L"t_item_" + std::to_wstring(i);
      mItems[L"Item_" + std::to_wstring(i)] = item;
    }
    mPrevious = gLogic;
    gLogic = this;
  }
  ~TestLogic() override { gLogic = mPrevious; }
  const SPredmetInfo* StdPredmetMapFind(const std::wstring& name) const override {
    auto it = mItems.find(name);
    return it == mItems.end() ? nullptr : &it->second;
  }

 private:
  std::vector<std::unique_ptr<rovovoz::CStaticObject3D>> mModels;
  std::map<std::wstring, SPredmetInfo> mItems;
  CLogic* mPrevious = nullptr;
};

// A chapter that records the actions and requests of the panel and answers
// as a test sets it up.
class TestEpisod : public CBaseEpisod {
 public:
  int32_t RunAction(const std::wstring& name, int, SLogicAction*, int) override {
    actions.push_back(name);
    return refused.count(name) ? 0 : 1;
  }
  int ForwardSceneAction(const std::wstring& name, int, int, int) override {
    sceneActions.push_back(name);
    return 1;
  }
  int GetState() const override { return state; }
  bool RequestMenu() override {
    requests.push_back(L"menu");
    return true;
  }
  bool RequestGuide() override {
    requests.push_back(L"guide");
    return true;
  }
  void RequestDiary() override { requests.push_back(L"diary"); }
  void RequestToBacks(const std::wstring& kind, const std::wstring& name, const std::wstring&, int, int) override {
    requests.push_back(kind + L":" + name);
  }
  int FindHint() override { return hintResult; }
  bool IsSceneItemWindowMode() override { return frontMode != 0; }
  void OnCursorObjectReleased(const std::wstring& name) override { released.push_back(name); }
  bool IsHogObjectMarked(const std::wstring& name) override { return marked.count(name) > 0; }
  void GetComplexHogItems(std::vector<SComplexHogItem>& out, const std::wstring& set) override {
    auto it = sets.find(set);
    if (it != sets.end()) out = it->second;
  }

  std::vector<std::wstring> actions, sceneActions, requests, released;
  std::set<std::wstring> refused, marked;
  std::map<std::wstring, std::vector<SComplexHogItem>> sets;
  int state = 1;
  int hintResult = 0;
  int frontMode = 0;
};

// The panel of the sample game, loaded, with a fresh player record and a
// recording chapter attached.
class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!core.Ok()) GTEST_SKIP() << "no headless core";
    gCurrentPlayer = PlayerRecord();
    gCurrentPlayer.mName = L"Tester";
    logic = std::make_unique<TestLogic>(core.Get());
    panel = std::make_unique<CGamePanel>(core.Get(), nullptr);
    ASSERT_EQ(panel->Load(L"Data\\Interface\\GamePanel.xml", 3), 0);
    gGamePanel = panel.get();
    panel->SetBack(&episod);
    panel->RestoreFromPlayer();
  }
  void TearDown() override {
    gGamePanel = nullptr;
    panel.reset();
    logic.reset();
    gCurrentPlayer = PlayerRecord();
  }
  // Frames of the panel's update with the pointer where it is.
  void Run(float seconds, float dt = 0.02f) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += dt) {
      core.NextFrame();
      panel->Update(dt, core.Cursor());
    }
  }
  // One frame with a click of a button at a point.
  void ClickAt(float x, float z, int button = 0) {
    core.MoveTo(x, z);
    core.Click(button);
    core.NextFrame();
    panel->Update(0.02f, core.Cursor());
  }
  // Where the strip item of that index rests.
  zormath::Vec3f ItemPlace(int index) const { return panel->GetItem(index).target; }

  PanelCore core;
  std::unique_ptr<TestLogic> logic;
  std::unique_ptr<CGamePanel> panel;
  TestEpisod episod;
};

}  // namespace paneltest
