// The location map: its places as Map.xml lists them (at most 100), their
// flags from the player's progress, the current place, the way to the
// nearest task for the hints, and opening and closing.
#include <sstream>

#include "Interface/Map.h"
#include "menus/MenuTestSupport.h"

namespace {

class TaskMap : public CMap {
 public:
  using CMap::CMap;
  std::set<std::wstring> tasks;

 protected:
  bool SceneHasTask(const SMapLocation& l) const override { return tasks.count(l.Name) != 0; }
};

class Map : public menutest::MenuFixture {
 protected:
  Map() : map(mapGlobal, core.Get(), L"Data\\Interface\\Map.xml") {}
  TaskMap* mapGlobal = nullptr;
  menutest::Loaded<TaskMap> map;
  paneltest::TestEpisod chapter;
};

TEST_F(Map, TheSamplePlacesAreReadWithTheirNamesAndNeighbours) {
  ASSERT_EQ(map.Result(), 1);
  const auto& places = map->GetLocations();
  ASSERT_EQ(places.size(), 4u);
  EXPECT_EQ(places[0].Text, L"Entrance hall");
  EXPECT_EQ(places[0].LevelFile, L"Data\\Level\\Back_1.xml");
  EXPECT_EQ(places[0].InMap, 1);
  EXPECT_EQ(places[1].InMap, 2);
  // Places on the map with pictures have them; the close-up has none.
  EXPECT_TRUE(map->HasPicture(0));
  EXPECT_FALSE(map->HasPicture(1));
  EXPECT_TRUE(map->HasPicture(2));
  EXPECT_TRUE(map->HasPicture(3));
  ASSERT_EQ(places[0].Sosed.size(), 2u);
  EXPECT_EQ(places[0].Sosed[1].Portal, L"T_Door");
  EXPECT_EQ(places[1].ParentBack, L"Back_1");
  EXPECT_EQ(places[3].AtionBackOpen, L"lamproom");
}

TEST_F(Map, MoreThanAHundredPlacesKeepTheFirstHundredWithAWarning) {
  std::ostringstream xml;
  xml << "<Form Name=\"Map\">";
  for (int i = 0; i < 103; ++i) xml << "<Level Name=\"P" << i << "\"><InMap Value=\"0\"/></Level>";
  xml << "</Form>";
  testsupport::Element form(xml.str());
  testsupport::LogCapture log;
  CMap big(core.Get(), nullptr);
  big.LoadProperty(form.Get(), 0, 3);
  ASSERT_EQ(big.GetLocations().size(), 100u);
  EXPECT_EQ(big.GetLocations().back().Name, L"P99");
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Warning).size(), 1u);
}

TEST_F(Map, FlagsFollowTheProgressAndTheGameMode) {
  struct SCase {
    const char* name;
    uint32_t mode;
    std::vector<std::wstring> visited;
    std::wstring current;
    std::set<std::wstring> tasks;
    std::vector<int> shown, isVisited, isCurrent, hasTask;
  };
  const SCase cases[] = {
      {"nothing yet", 1, {}, L"", {}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"in the hall", 1, {L"Back_1"}, L"Back_1", {}, {1, 1, 1, 1}, {1, 0, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 0}},
      {"a task at the desk lights the hall", 1, {L"Back_1", L"Back_1_reg_4"}, L"Back_1", {L"Back_1_reg_4"},
       {1, 1, 1, 1}, {1, 1, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}},
      {"an unvisited place passes nothing on", 1, {L"Back_1"}, L"Back_1", {L"Back_1_reg_4"},
       {1, 1, 1, 1}, {1, 0, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 0}},
      {"up in the lamp room", 1, {L"Back_1", L"Back_2", L"Back_4"}, L"Back_4", {}, {1, 1, 1, 1}, {1, 0, 1, 1},
       {0, 0, 0, 1}, {0, 0, 0, 0}},
      {"the bonus chapter hides the story's places", 2, {}, L"", {}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0},
       {0, 0, 0, 0}},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    gCurrentPlayer.mGameMode = c.mode;
    gCurrentPlayer.mMapLocations = c.visited;
    gCurrentPlayer.mLocationName = c.current;
    map->tasks = c.tasks;
    map->Open(&chapter);
    const auto& places = map->GetLocations();
    ASSERT_EQ(places.size(), c.shown.size());
    for (size_t i = 0; i < places.size(); ++i) {
      EXPECT_EQ(places[i].Shown, c.shown[i]) << i;
      EXPECT_EQ(places[i].Visited, c.isVisited[i]) << i;
      EXPECT_EQ(places[i].Current, c.isCurrent[i]) << i;
      EXPECT_EQ(places[i].HasTask, c.hasTask[i]) << i;
    }
  }
  EXPECT_EQ(gCurrentPlayer.mHintKartaShown, 1u);
}

TEST_F(Map, TheCurrentPlaceFollowsTheSceneStarted) {
  map->SetCurrentLocation(L"Data\\Level\\Back_2.xml");
  EXPECT_EQ(gCurrentPlayer.mLocationName, L"Back_2");
  map->SetCurrentLocation(L"Data\\Level\\Back_9.xml");
  EXPECT_EQ(gCurrentPlayer.mLocationName, L"Back_2") << "a scene not on the map changes nothing";
}

TEST_F(Map, TheHintLeadsThroughThePortalTowardsTheNearestTask) {
  struct SCase {
    const char* name;
    std::vector<std::wstring> visited;
    std::set<std::wstring> tasks;
    const wchar_t* scene;
    const wchar_t* portal;
  };
  const SCase cases[] = {
      {"a task next door", {L"Back_1", L"Back_2"}, {L"Back_2"}, L"Back_1.xml", L"T_Door"},
      {"the task of a close-up", {L"Back_1", L"Back_1_reg_4", L"Back_2"}, {L"Back_1_reg_4"}, L"Back_2.xml",
       L"T_DoorBack"},
      {"a task two rooms away", {L"Back_1", L"Back_2", L"Back_4"}, {L"Back_4"}, L"Back_1.xml", L"T_Door"},
      {"down from the lamp room", {L"Back_1", L"Back_2", L"Back_4"}, {L"Back_1"}, L"Back_4.xml", L"T_HatchDown"},
      {"not visited", {L"Back_1"}, {L"Back_2"}, L"Back_1.xml", L""},
      {"no task", {L"Back_1", L"Back_2"}, {}, L"Back_1.xml", L""},
      {"a scene not on the map", {L"Back_1", L"Back_2"}, {L"Back_2"}, L"Back_7.xml", L""},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    gCurrentPlayer.mMapLocations = c.visited;
    map->tasks = c.tasks;
    map->Open(&chapter);
    EXPECT_EQ(map->FindHintPortal(c.scene), c.portal);
  }
}

TEST_F(Map, OpeningTakesAQuarterSecondAndClosingHalfASecond) {
  map->Open(nullptr);
  EXPECT_EQ(map->GetState(), 1);
  int frames = 0;
  while (map->GetState() != 0 && frames < 100) {
    map->UpdateShowAnimation(0.05f);
    ++frames;
  }
  EXPECT_EQ(frames, 6);
  EXPECT_EQ(map->RunPendingAction(), 0) << "nothing chosen, nothing run";
}

TEST_F(Map, AClickOnAVisitedPlaceTravelsAndOnTheCurrentOneOnlyCloses) {
  struct SCase {
    const char* name;
    std::vector<std::wstring> visited;
    std::wstring current;
    std::wstring travel;  // AtionBackOpen of the gallery
    int closes;
    std::wstring pending;
  };
  const SCase cases[] = {
      {"to the gallery", {L"Back_1", L"Back_2"}, L"Back_1", L"gallery", 1, L"a_open_back_gallery"},
      {"the place the player stands in", {L"Back_1", L"Back_2"}, L"Back_2", L"gallery", 1, L""},
      {"a place not yet open", {L"Back_1"}, L"Back_1", L"gallery", 0, L""},
      {"a one-letter action is no travel", {L"Back_1", L"Back_2"}, L"Back_1", L"g", 0, L""},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    gCurrentPlayer.mGameMode = 1;
    gCurrentPlayer.mMapLocations = c.visited;
    gCurrentPlayer.mLocationName = c.current;
    map->Locations()[2].AtionBackOpen = c.travel;
    map->Open(&chapter);
    for (int i = 0; i < 10; ++i) map->UpdateShowAnimation(0.05f);
    ASSERT_EQ(map->GetState(), 0);
    core.MoveTo(160.0f, 60.0f);  // the gallery's picture
    core.Click(0);
    core.NextFrame();
    EXPECT_EQ(map->Update(0.02f, core.Cursor()), c.closes);
    EXPECT_EQ(map->GetPendingAction(), c.pending);
    map->Render();
    chapter.actions.clear();
    EXPECT_EQ(map->RunPendingAction(), c.pending.empty() ? 0 : 1);
    EXPECT_EQ(chapter.actions, c.pending.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.pending});
    core.NextFrame();
  }
}

TEST_F(Map, HoveringAPlaceShowsItsNameAfterAFifthOfASecond) {
  gCurrentPlayer.mMapLocations = {L"Back_1", L"Back_2"};
  map->Open(&chapter);
  for (int i = 0; i < 10; ++i) map->UpdateShowAnimation(0.05f);
  core.MoveTo(160.0f, 60.0f);
  core.Quiet();
  map->Update(0.1f, core.Cursor());
  EXPECT_LT(map->GetLocations()[2].Hover, 0.0f);
  map->Update(0.1f, core.Cursor());
  EXPECT_NEAR(map->GetLocations()[2].Hover, 0.0f, 1e-5);
  EXPECT_TRUE(core.Played(L"Poyavlenie_vyplyvayuschego_hinta"));
  map->Update(0.5f, core.Cursor());
  EXPECT_FLOAT_EQ(map->GetLocations()[2].Hover, 1.01f);
  core.MoveTo(-400.0f, -300.0f);
  map->Update(0.1f, core.Cursor());
  EXPECT_NEAR(map->GetLocations()[2].Hover, 0.01f, 1e-5);
}

}  // namespace
