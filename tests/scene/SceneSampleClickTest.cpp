// The sample game's entrance hall played through the scene's per-frame
// update with a scripted mouse: the key is clicked and disappears, and it
// stays found when the player leaves and comes back and when the game is
// restarted from the saved profile.
#include <gtest/gtest.h>

#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zuzorev/EventScript.h"
#include "Levels/BaseLevel.h"
#include "Logic/BaseEpisod.h"
#include "PlayerFile.h"
#include "scene/SceneRunSupport.h"
#include "scene/SceneTestSupport.h"

namespace {

using namespace scenetest;
using zuzorev::SInputEvent;

// Entries of Back_1.xml: the lantern (where the wick is used), the key
// (found), the loose wick (picked up).
constexpr int kLantern = 2, kKey = 3, kWick = 4;

// The chapter as far as a find needs it: found items go into the player's
// chapter progress as done.
class CHallEpisod : public CBaseEpisod {
 public:
  void RecordFoundItem(const std::wstring& group, const std::wstring& item, int) override {
    gCurrentPlayer.mEpisodInfo.AddObjectTask(group, item, 3);
    found.push_back(group + L"/" + item);
  }
  std::vector<std::wstring> found;
};

// The panel's cursor as the test holds it.
class CHallPanel : public CTestPanel {
 public:
  std::wstring GetCursorName() override { return carried; }
  bool IsCursorEmpty() override { return carried.empty(); }
  void DropCursorObject(int mode) override {
    drops.push_back(mode);
    carried.clear();
  }
  std::wstring carried;
  std::vector<int> drops;
};

class SampleHallClick : public ::testing::Test {
 protected:
  SampleHallClick() : core(zuzorev::EDeviceKind::Headless, SceneCore::EData::SampleGame), cursor(core.Get()) {
    gCurrentPlayer.mName = L"Keeper";
  }
  // A visit of the hall as the scene framework plays it: loaded, attached
  // to the chapter and started (the playable scene's own attach also
  // wants the chapter's progress, which its own tests give it).
  std::unique_ptr<CBaseBack> Enter() {
    auto hall = std::make_unique<CBaseBack>();
    EXPECT_EQ(hall->InitBack(L"Data\\Level\\Back_1.xml"), 1);
    hall->SetName(L"Back_1");
    EXPECT_EQ(hall->Load(3), 1);
    EXPECT_EQ(hall->AttachToEpisod(&episod, nullptr), 1);
    EXPECT_EQ(hall->StartBack(1), 1);
    return hall;
  }
  void Frame(CBaseBack& hall) {
    core.Get()->GetWindow()->BeginFrame();
    core.Get()->GetInput()->Update();
    cursor.UpdatePosition();
    hall.UpdateEntries(0.05f, &cursor, 0);
  }

  SceneCore core;
  testsupport::LogCapture log;
  FreshPlayer player;
  CHallEpisod episod;
  CHallPanel panel;
  PanelScope panelScope{&panel};
  rovovoz::CMouseCursor cursor;
};

TEST_F(SampleHallClick, TheKeyIsFoundByAClickAndStaysFound) {
  ASSERT_TRUE(core.Ok());
  std::unique_ptr<CBaseBack> hall = Enter();
  // The chapter opens the task: the hall arms the key.
  gCurrentPlayer.mEpisodInfo.AddObjectTask(L"find", L"Key", 1);
  hall->HandleModeRequest(L"find", L"Key", L"", 0);
  ASSERT_EQ(hall->GetEntry(kKey).mState, 1);
  ASSERT_EQ(hall->GetEntry(kKey).mActive, 1);

  const zuzorev::SAABBox box = hall->GetEntry(kKey).mTrigger->GetAABBox(1);
  float wx = 0.0f, wy = 0.0f;
  core.Render().VirtualToWindow(512.0f + (box.Min.x + box.Max.x) * 0.5f, 384.0f - (box.Min.z + box.Max.z) * 0.5f,
                                wx, wy);
  const int x = static_cast<int>(wx), y = static_cast<int>(wy);
  auto script = std::make_unique<zuzorev::CEventScript>(0.05f, 11u);
  script->Add(0, SInputEvent::MouseMove(x, y));
  script->Add(1, SInputEvent::MouseDown(0, x, y));
  script->Add(2, SInputEvent::MouseUp(0, x, y));
  core.Get()->GetWindow()->GetEvents().SetScript(std::move(script));
  for (int frame = 0; frame < 3; ++frame) Frame(*hall);
  core.Get()->GetWindow()->GetEvents().SetScript(nullptr);

  EXPECT_EQ(episod.found, (std::vector<std::wstring>{L"find/Key"}));
  EXPECT_EQ(panel.shown, (std::vector<std::wstring>{L"Key"})) << "the item window opens for the key";
  EXPECT_EQ(hall->GetEntry(kKey).mState, 3);
  EXPECT_EQ(hall->GetEntry(kKey).mActive, 0) << "the key disappears";
  int saved = 0;
  EXPECT_TRUE(hall->GetSavedObjectState(kKey, saved));
  EXPECT_EQ(saved, 3);

  // Leaving and coming back.
  hall->UnLoad(3);
  hall = Enter();
  EXPECT_EQ(hall->GetEntry(kKey).mState, 3);
  EXPECT_EQ(hall->GetEntry(kKey).mActive, 0);
  hall->UnLoad(3);
  hall.reset();

  // Restarting the game from the saved profile.
  testsupport::TempDir folder;
  const std::filesystem::path file = folder.Path() / "Keeper.prf";
  ASSERT_TRUE(WriteProfileFile(file, gCurrentPlayer));
  gCurrentPlayer = PlayerRecord();
  ASSERT_EQ(ReadProfileFile(file, gCurrentPlayer), EPlayerFileRead::Read);
  hall = Enter();
  EXPECT_EQ(hall->GetEntry(kKey).mState, 3);
  EXPECT_EQ(hall->GetEntry(kKey).mActive, 0);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

TEST_F(SampleHallClick, TheLooseWickIsPickedUpAndUsedOnTheLantern) {
  ASSERT_TRUE(core.Ok());
  std::unique_ptr<CBaseBack> hall = Enter();
  for (const wchar_t* group : {L"free", L"push"}) {
    gCurrentPlayer.mEpisodInfo.AddObjectTask(group, L"Wick", 1);
    hall->HandleModeRequest(group, L"Wick", L"", 0);
  }
  ASSERT_EQ(hall->GetEntry(kWick).mState, 1);
  ASSERT_EQ(hall->GetEntry(kLantern).mState, 1);

  hall->OnClick(kWick, 1, nullptr);
  EXPECT_EQ(hall->GetEntry(kWick).mState, 3);
  EXPECT_EQ(hall->GetEntry(kWick).mActive, 0);

  // Carried from the panel onto the lantern: the lantern stays on screen and
  // can no longer be clicked.
  panel.carried = L"Wick";
  hall->OnClick(kLantern, 1, nullptr);
  EXPECT_EQ(episod.found, (std::vector<std::wstring>{L"free/Wick", L"push/Wick"}));
  EXPECT_EQ(panel.drops, (std::vector<int>{2}));
  EXPECT_EQ(hall->GetEntry(kLantern).mState, 3);
  EXPECT_EQ(hall->GetEntry(kLantern).mActive, 1);
  EXPECT_EQ(hall->GetEntry(kLantern).mClickable, 0);
  EXPECT_TRUE(log.Texts(zuzorev::ELogLevel::Error).empty());
}

}  // namespace
