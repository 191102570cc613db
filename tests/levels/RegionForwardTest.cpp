// The chapter's task calls that a playable scene shares with its close-ups,
// the question whether a scene or one of its close-ups has an action of a
// name, and the held object a close-up draws itself.
#include <functional>

#include "levels/LevelTestSupport.h"

using namespace leveltest;

namespace {

// Notes every task call it gets as "<name>.<call>" before doing its own.
template <class Base>
class CNoting : public Base {
 public:
  CNoting(Log* calls, const std::wstring& name) : mCalls(calls) { this->SetName(name); }
  void OnHogClick(const std::wstring& g, const std::wstring& i, const std::wstring& c, int pick) override {
    Note(L"OnHogClick");
    Base::OnHogClick(g, i, c, pick);
  }
  void OnPushClick(const std::wstring& g, const std::wstring& i) override {
    Note(L"OnPushClick");
    Base::OnPushClick(g, i);
  }
  void CameraMoveSimple(const std::wstring& g, const std::wstring& i, int v, const std::wstring& c, int r) override {
    Note(L"CameraMoveSimple");
    Base::CameraMoveSimple(g, i, v, c, r);
  }
  void CameraMoveComplex(const std::wstring& g, const std::wstring& i, int v, const std::wstring& c, int r) override {
    Note(L"CameraMoveComplex");
    Base::CameraMoveComplex(g, i, v, c, r);
  }

 private:
  void Note(const wchar_t* call) { mCalls->push_back(this->GetName() + L"." + call); }
  Log* mCalls;
};

// A playable scene that finds its actions in the player's progress as the
// game does, with close-ups added by hand.
class CPlainLevel : public CBaseLevel {
 public:
  explicit CPlainLevel(const std::wstring& name) { SetName(name); }
  void AddRegion(CBaseRegion* region) { mRegions[region->GetName()] = region; }
};

// A chapter whose scene list and current scene a test sets.
class CListEpisod : public CRecEpisod {
 public:
  void AddScene(CBaseBack* scene) { mScenes.push_back(scene); }
  void SetCurrent(CBaseBack* scene, int32_t state) {
    mCurrentScene = scene;
    mState = state;
  }
};

// A close-up that draws the named held objects itself and remembers where
// it was asked to.
class CMarkRegion : public CTestRegion {
 public:
  explicit CMarkRegion(const std::wstring& name) : CTestRegion(nullptr, name) {}
  bool QueryMark(const std::wstring& name, const zormath::Vec3f& point) override {
    asked = point;
    return drawsItself.count(name) != 0;
  }
  std::set<std::wstring> drawsItself;
  zormath::Vec3f asked{0.0f, 0.0f, 0.0f};
};

class RegionForward : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(core.Ok()); }
  scenetest::SceneCore core;
  scenetest::FreshPlayer player;
  rovovoz::CGUIForm frame{core.Get(), nullptr};
  GlobalScope<rovovoz::CGUIForm> frameScope{gRegionForm, &frame};
};

}  // namespace

TEST_F(RegionForward, TaskCallsReachTheSceneThenEachCloseUpInNameOrder) {
  Log calls;
  CNoting<CTestLevel> level(&calls, L"Hall");
  CNoting<CTestRegion> desk(&calls, L"Desk");
  CNoting<CTestRegion> box(&calls, L"Box");
  level.AddRegion(&desk);
  level.AddRegion(&box);
  const struct {
    const wchar_t* call;
    std::function<void()> run;
  } cases[] = {
      {L"OnHogClick", [&] { level.OnHogClick(L"hog", L"Shelf", L"camera", 1); }},
      {L"OnPushClick", [&] { level.OnPushClick(L"push", L"Clock"); }},
      {L"CameraMoveSimple", [&] { level.CameraMoveSimple(L"find", L"Key", 1, L"", 0); }},
      {L"CameraMoveComplex", [&] { level.CameraMoveComplex(L"hog", L"Jar", 0, L"", 0); }},
  };
  for (const auto& c : cases) {
    calls.clear();
    c.run();
    const std::wstring call = c.call;
    EXPECT_EQ(calls, (Log{L"Hall." + call, L"Box." + call, L"Desk." + call})) << call;
  }
}

TEST_F(RegionForward, ATaskObjectOfACloseUpIsShownByTheScenesCall) {
  CTestLevel level;
  CTestRegion desk(nullptr, L"Desk");
  ASSERT_EQ(desk.LoadBack(nullptr, &level), 1);
  level.AddRegion(&desk);
  const int key = desk.AddZoneItem(L"find", L"Key");
  level.CameraMoveSimple(L"find", L"Key", 0, L"", 0);
  EXPECT_EQ(desk.GetEntry(key).mActive, 0);
  level.CameraMoveSimple(L"find", L"Key", 1, L"", 0);
  EXPECT_EQ(desk.GetEntry(key).mActive, 1);
}

TEST_F(RegionForward, TheChapterFindsAMarkInItsTreeOrAsAnActionOfAnySceneOrCloseUp) {
  CPlainLevel hall(L"Hall");
  CPlainLevel study(L"Study");
  CTestRegion desk(nullptr, L"Desk");
  ASSERT_EQ(desk.LoadBack(nullptr, &study), 1);
  study.AddRegion(&desk);
  CListEpisod episod;
  episod.AddScene(nullptr);
  episod.AddScene(&hall);
  episod.AddScene(&study);
  SMarkTree& tree = gCurrentPlayer.mEpisodInfo.mActions;
  tree.Backs[L"Cellar"];
  tree.Backs[L"Hall"].Actions[L"a_hall_lamp"].Name = L"a_hall_lamp";
  tree.Backs[L"Study"].Regions[L"Desk"][L"a_desk_drawer"].Name = L"a_desk_drawer";
  const struct {
    const wchar_t* name;
    bool found;
  } cases[] = {
      {L"Cellar", true},         // a group of the tree
      {L"a_hall_lamp", true},    // an action of a scene
      {L"a_desk_drawer", true},  // an action of a close-up of another scene
      {L"Desk", false},          // a close-up's name is no group of the tree
      {L"a_nowhere", false},
  };
  for (const auto& c : cases) EXPECT_EQ(episod.HasMarkGroup(c.name), c.found) << c.name;
  EXPECT_EQ(desk.HasAction(L"a_desk_drawer"), 1);
  EXPECT_EQ(hall.HasAction(L"a_desk_drawer"), 0) << "only the close-up's own scene asks it";
}

TEST_F(RegionForward, AHeldObjectDrawnByACloseUpIsLeftOutByThePanelOnlyInTheSceneStates) {
  CTestLevel level;
  CMarkRegion desk(L"Desk");
  desk.drawsItself = {L"GALKA"};
  level.AddRegion(&desk);
  CListEpisod episod;
  const zormath::Vec3f at(10.0f, 249.0f, -20.0f);
  const struct {
    int32_t state;
    CBaseBack* scene;
    const wchar_t* held;
    bool sceneDraws;
  } cases[] = {
      {1, &level, L"GALKA", true},   {2, &level, L"GALKA", true},  {3, &level, L"GALKA", true},
      {1, &level, L"Wick", false},   {6, &level, L"GALKA", false}, {10, &level, L"GALKA", false},
      {1, nullptr, L"GALKA", false},
  };
  for (const auto& c : cases) {
    episod.SetCurrent(c.scene, c.state);
    desk.asked = {};
    EXPECT_EQ(episod.QuerySceneMark(c.held, at), c.sceneDraws) << c.state << " " << c.held;
    if (c.sceneDraws) {
      EXPECT_FLOAT_EQ(desk.asked.x, 10.0f);
    }
  }
}

TEST_F(RegionForward, TheChaptersBeginAndEndMarksCountDownTheNamedScenesCounters) {
  CPlainLevel study(L"Study");
  CListEpisod episod;
  episod.AddScene(&study);
  auto& tasks = gCurrentPlayer.mEpisodInfo.mBackTasks[L"Study"];
  const struct {
    bool begin;
    const wchar_t* scene;
    const wchar_t* mark;
    int count, count2, lamp, lamp2;  // after the call, from 5, 5, 3, 3
  } cases[] = {
      {false, L"Study", L"lamp", 5, 5, 2, 3},
      {true, L"Study", L"lamp", 5, 5, 3, 2},
      {false, L"study", L"", 4, 5, 3, 3},  // scene names ignore case; no mark: the scene's own count
      {true, L"Study", L"", 5, 4, 3, 3},
      {false, L"Cellar", L"lamp", 5, 5, 3, 3},  // no such scene
      {true, L"", L"lamp", 5, 5, 3, 3},
  };
  for (const auto& c : cases) {
    tasks.mCount = tasks.mCount2 = 5;
    tasks.mCounters[L"lamp"] = tasks.mCounters2[L"lamp"] = 3;
    if (c.begin)
      episod.MarkBackBegin(c.scene, c.mark);
    else
      episod.MarkBackEnd(c.scene, c.mark);
    const std::wstring what = std::wstring(c.begin ? L"begin " : L"end ") + c.scene + L"/" + c.mark;
    EXPECT_EQ(tasks.mCount, c.count) << what;
    EXPECT_EQ(tasks.mCount2, c.count2) << what;
    EXPECT_EQ(tasks.mCounters[L"lamp"], c.lamp) << what;
    EXPECT_EQ(tasks.mCounters2[L"lamp"], c.lamp2) << what;
  }
}
