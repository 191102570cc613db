// Portals: their life cycle in the scene (enabled at start and by request,
// removed when done, highlighted for one frame), the portal cursor, the
// transition sound by the trigger's depth and the camera flight to the
// marker.
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/GameSoundSystem.h"
#include "levels/LevelTestSupport.h"

using namespace leveltest;

namespace {

const std::wstring kOn = L"Perehod_na_sleduyuschii_bek";
const std::wstring kBack = L"Perehod_na_predyduschii_bek";

class Portals : public ::testing::Test {
 protected:
  scenetest::SceneCore core{zuzorev::EDeviceKind::Headless, scenetest::SceneCore::EData::SampleGame};
  scenetest::FreshPlayer player;
  CRecPanel panel;
  GlobalScope<CGamePanel> panelScope{gGamePanel, &panel};
  CTestLevel level;
  CRecEpisod episod;

  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    ASSERT_EQ(core.Get()->GetSound()->LoadSoundList(L"DataLoc\\Sounds\\Sounds.xml", nullptr), 1);
    level.SetEpisod(&episod);
  }
  bool Playing(const std::wstring& name) {
    return core.Get()->GetSound()->GetState(name) == rovovoz::kSoundPlaying;
  }
  // The Info block of a scene with the portals "Door" (entry 0) and "Arch"
  // (entry 1).
  void LoadPortalInfo() {
    TiXmlDocument document;
    document.Parse(
        "<Level><Info><portal><Object Name=\"Door\" ind=\"0\"/><Object Name=\"Arch\" ind=\"1\"/></portal>"
        "</Info></Level>");
    ASSERT_EQ(level.LoadInfo(document.RootElement()), 1);
  }
  void StopSounds() {
    core.Get()->GetSound()->Stop(kOn, 0.0f);
    core.Get()->GetSound()->Stop(kBack, 0.0f);
  }
};

}  // namespace

TEST_F(Portals, AddRemoveAndHighlightKeepOneRecordPerPortal) {
  const int door = level.AddZoneItem(L"portal", L"Door");
  const int arch = level.AddZoneItem(L"portal", L"Arch");
  const int painted = level.AddZoneItem(L"portal", L"Painted", false);
  level.AddPortal(door);
  level.AddPortal(arch);
  level.AddPortal(door);
  level.AddPortal(painted);
  ASSERT_EQ(level.GetPortals().size(), 2u) << "once each; a portal without trigger is never enabled";
  level.RemovePortal(painted);
  level.RemovePortal(door);
  ASSERT_EQ(level.GetPortals().size(), 1u);
  EXPECT_EQ(level.GetPortals()[0].entryIndex, arch);

  level.HighlightPortal(arch);
  EXPECT_EQ(level.GetPortals()[0].highlighted, 1);
  level.Render();
  EXPECT_EQ(level.GetPortals()[0].highlighted, 0) << "a highlight lives one frame";
}

TEST_F(Portals, EachPortalFindsItsMarkerByName) {
  const int door = level.AddEntry(L"Door");
  const int arch = level.AddEntry(L"Arch");
  const int marker = level.AddEntry(L"TPOC_Door");
  LoadPortalInfo();
  ASSERT_EQ(level.GetPortalMarkers().size(), 1u) << "the arch has no marker";
  EXPECT_EQ(level.GetPortalMarkers().at(door), marker);
  level.AddPortal(door);
  level.AddPortal(arch);
  ASSERT_EQ(level.GetPortals().size(), 2u);
  EXPECT_EQ(level.GetPortals()[0].markerIndex, marker);
  EXPECT_EQ(level.GetPortals()[1].markerIndex, -1);
}

TEST_F(Portals, ARequestEnablesAPortalClickableButNotDrawnOnce) {
  const int door = level.AddZoneItem(L"portal", L"Door");
  level.HandleModeRequest(L"portal", L"Door", L"", 0);
  level.HandleModeRequest(L"portal", L"Door", L"", 0);
  ASSERT_EQ(level.GetPortals().size(), 1u);
  EXPECT_EQ(level.GetPortals()[0].entryIndex, door);
  EXPECT_EQ(level.GetEntry(door).mActive, 0);
  EXPECT_EQ(level.GetEntry(door).mClickable, 1);
  EXPECT_EQ(level.GetEntry(door).mState, 1);

  level.OnClickZone(L"portal", L"Door");
  EXPECT_TRUE(level.GetPortals().empty()) << "a done portal leaves the list";
}

TEST_F(Portals, TheCursorShowsThePortalOnlyOverAnEnabledOne) {
  const int door = level.AddZoneItem(L"portal", L"Door");
  level.UpdatePanelCursor(L"portal", door);
  EXPECT_EQ(panel.cursorKind, -1) << "not enabled: no portal cursor";
  level.AddPortal(door);
  level.UpdatePanelCursor(L"portal", door);
  EXPECT_EQ(panel.cursorKind, 6);
  EXPECT_EQ(panel.cursorTrigger, level.GetEntry(door).mTrigger);
  level.UpdatePanelCursor(L"region", door);
  EXPECT_EQ(panel.cursorKind, 4);
}

TEST_F(Portals, TheTransitionSoundFollowsTheTriggersDepth) {
  struct Case {
    const wchar_t* name;
    bool trigger;
    float y;
    const std::wstring& sound;
  };
  const Case cases[] = {
      {L"Deep", true, -200.5f, kBack},
      {L"Edge", true, -200.0f, kOn},
      {L"Near", true, 15.0f, kOn},
      {L"Flat", false, 0.0f, kOn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << Platform::WideToUtf8(c.name));
    StopSounds();
    episod.ending = true;
    const int index = level.AddZoneItem(L"portal", c.name, c.trigger, c.y);
    level.RunMcAction(index, L"simple", L"portal", c.name);
    EXPECT_TRUE(Playing(c.sound));
    EXPECT_FALSE(Playing(c.sound == kOn ? kBack : kOn));
  }
}

TEST_F(Portals, AClickThatLeavesTheSceneFliesTheCameraToTheMarkerWhenTheChaptersActionRuns) {
  const int door = level.AddEntry(L"Door");
  level.AddEntry(L"Arch");
  const int marker = level.AddEntry(L"TPOC_Door");
  level.GetEntry(marker).mTrigger->SetPosition3D(120.0f, 0.0f, 40.0f);
  LoadPortalInfo();

  struct Case {
    int zoomState;
    int32_t chapterAnswer;
    bool ending;
    std::vector<std::wstring> actions;
    int zoomAfter;
  };
  const Case cases[] = {
      {0, 1, true, {L"beg_camera_portal_Door"}, 1},
      {0, 0, true, {L"beg_camera_portal_Door"}, 0},
      {1, 1, true, {}, 1},
      {0, 1, false, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.zoomState << " " << c.chapterAnswer << " " << c.ending);
    StopSounds();
    level.mZoom.mState = c.zoomState;
    episod.actions.clear();
    episod.runResult = c.chapterAnswer;
    episod.ending = c.ending;
    panel.cursorKind = -1;
    level.RunMcAction(door, L"simple", L"portal", L"Door");
    EXPECT_EQ(episod.actions, c.actions);
    EXPECT_EQ(level.mZoom.mState, c.zoomAfter);
    EXPECT_EQ(Playing(kOn), c.ending) << "the sound plays only when the click leaves the scene";
    EXPECT_EQ(panel.cursorKind, c.ending ? 0 : -1);
  }
}
