// The inventory strip: adding, removing and scrolling items, the 51st item,
// the click chain that puts an item on the cursor and back, and scene
// objects carried on the cursor.
#include "Levels/BaseLevel.h"
#include "Regions/BaseRegion.h"
#include "panel/PanelTestSupport.h"

namespace {

using paneltest::PanelFixture;

// A close-up that draws one held object itself (as a puzzle draws its marks
// at the pointer).
class CMarkRegion : public CBaseRegion {
 public:
  bool QueryMark(const std::wstring& name, const zormath::Vec3f&) override { return name == drawsItself; }
  std::wstring drawsItself;
};

class CMarkLevel : public CBaseLevel {
 public:
  explicit CMarkLevel(CBaseRegion* region) {
    region->SetName(L"Desk");
    mRegions[L"Desk"] = region;
  }
};

// A chapter whose current scene and state the test sets.
class SceneEpisod : public paneltest::TestEpisod {
 public:
  void SetScene(CBaseBack* scene, int32_t value) {
    mCurrentScene = scene;
    mState = value;
  }
};

class PanelStrip : public PanelFixture {
 protected:
  void AddItems(int count) {
    for (int i = 1; i <= count; ++i) panel->AddSimpleObject(L"Item_" + std::to_wstring(i), L"start");
  }
};

TEST_F(PanelStrip, ItemsTakeSlotsStepByStepAndTheEighthScrollsTheStrip) {
  AddItems(7);
  EXPECT_EQ(panel->GetFirstVisibleItem(), 0);
  for (int i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(ItemPlace(i).x, -236.0f + 79.0f * i) << i;
  EXPECT_FLOAT_EQ(ItemPlace(0).z, -341.0f);

  AddItems(8);  // names 1..7 are there already: only Item_8 is new
  ASSERT_EQ(panel->GetItemCount(), 8);
  EXPECT_EQ(panel->GetFirstVisibleItem(), 1);
  EXPECT_FLOAT_EQ(ItemPlace(7).x, -236.0f + 6 * 79.0f);
  EXPECT_FLOAT_EQ(ItemPlace(0).x, -236.0f - 79.0f);

  Run(0.04f);
  rovovoz::CGUIBaseObject* left = panel->GetChild(L"BLeft");
  rovovoz::CGUIBaseObject* right = panel->GetChild(L"BRight");
  ASSERT_TRUE(left && right);
  EXPECT_EQ(left->GetEnable(), 1);
  EXPECT_EQ(right->GetEnable(), 0);
}

TEST_F(PanelStrip, TheFiftyFirstItemAndUnknownNamesAreRefusedWithTheirErrors) {
  testsupport::LogCapture log;
  AddItems(50);
  ASSERT_EQ(panel->GetItemCount(), 50);
  panel->AddSimpleObject(L"Item_51", L"start");
  EXPECT_EQ(panel->GetItemCount(), 50);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"Too many items"));
  panel->DeleteSimpleObject(L"Item_50");
  Run(0.5f);
  ASSERT_EQ(panel->GetItemCount(), 49);
  panel->AddSimpleObject(L"NoSuchThing", L"start");
  EXPECT_EQ(panel->GetItemCount(), 49);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"AddSimpleObject. No find predmet for logic NoSuchThing"));
}

TEST_F(PanelStrip, ANameAlreadyInTheStripChangesNothingAlsoWhileItFliesOrGoes) {
  panel->AddSimpleObject(L"Key", L"p_menu");
  ASSERT_EQ(panel->GetItem(0).state, SPanelItem::kFlyingIn);
  panel->AddSimpleObject(L"Key", L"start");
  EXPECT_EQ(panel->GetItemCount(), 1);
  EXPECT_EQ(panel->GetItem(0).state, SPanelItem::kFlyingIn);
  panel->DeleteSimpleObject(L"Key");
  panel->AddSimpleObject(L"Key", L"start");
  EXPECT_EQ(panel->GetItemCount(), 1);
  EXPECT_EQ(panel->GetItem(0).state, SPanelItem::kRemoving);
}

TEST_F(PanelStrip, AnItemFromTheItemWindowFliesFromItsPlaceAndLandsAfterOneSecondWithItsSound) {
  panel->AddSimpleObject(L"Wick", L"p_menu");
  const SPanelItem& item = panel->GetItem(0);
  const zormath::Vec3f from = panel->GetPredmetMenu()->GetPredmetPosition();
  EXPECT_FLOAT_EQ(item.current.x, from.x);
  EXPECT_FLOAT_EQ(item.current.z, from.z);
  core.Quiet();
  for (int i = 0; i < 3; ++i) panel->HandleInventoryMouse(0.25f, nullptr);
  EXPECT_EQ(item.state, SPanelItem::kFlyingIn);
  EXPECT_FALSE(core.Played(L"Popadanie_obekta_na_igrovuyu_panel"));
  panel->HandleInventoryMouse(0.25f, nullptr);
  EXPECT_EQ(item.state, SPanelItem::kInStrip);
  EXPECT_TRUE(core.Played(L"Popadanie_obekta_na_igrovuyu_panel"));
  EXPECT_FLOAT_EQ(item.current.x, -236.0f);
  EXPECT_FLOAT_EQ(item.current.z, -341.0f);
}

TEST_F(PanelStrip, DeletedItemsSinkAndTheirSlotsCloseUp) {
  AddItems(9);
  gCurrentPlayer.AddName(L"Item_3", 0);
  panel->DeleteSimpleObject(L"Item_3");
  EXPECT_FALSE(gCurrentPlayer.HasName(L"Item_3"));
  EXPECT_EQ(panel->GetItem(2).state, SPanelItem::kRemoving);
  Run(0.2f);
  EXPECT_EQ(panel->GetItemCount(), 9);
  Run(0.2f);
  ASSERT_EQ(panel->GetItemCount(), 8);
  EXPECT_EQ(panel->GetItem(2).name, L"Item_4");
  EXPECT_EQ(panel->GetFirstVisibleItem(), 1);
  EXPECT_FLOAT_EQ(ItemPlace(2).x, -236.0f + 79.0f);
}

TEST_F(PanelStrip, TheScrollButtonsMoveSevenAtATimeAndScrollToItemBringsAnItemIntoView) {
  AddItems(20);
  EXPECT_EQ(panel->GetFirstVisibleItem(), 13);
  const zormath::Vec3f place = panel->ScrollToItem(L"Item_2", 1);
  EXPECT_EQ(panel->GetFirstVisibleItem(), 1);
  EXPECT_FLOAT_EQ(place.x, -236.0f);
  panel->ScrollToItem(L"Item_20", 1);
  EXPECT_EQ(panel->GetFirstVisibleItem(), 13);
  EXPECT_FLOAT_EQ(panel->ScrollToItem(L"Missing", 1).x, 0.0f);

  panel->SetFirstVisibleItem(0);
  rovovoz::CGUIBaseObject* right = panel->GetChild(L"BRight");
  ASSERT_NE(right, nullptr);
  // BRight spans x 338..362 and z -366..-316 of the interface space.
  ClickAt(350.0f, -330.0f);
  ClickAt(350.0f, -330.0f);
  EXPECT_EQ(panel->GetFirstVisibleItem(), 13) << "the second step stops at count - 7";
}

TEST_F(PanelStrip, AScrollOutsideTheStripStopsAtItsEndsAndTheMouseStillFindsItsItems) {
  AddItems(10);
  struct Case {
    int asked, first;
  } cases[] = {{-5, 0}, {100, 3}, {3, 3}, {4, 3}, {2, 2}};
  for (const Case& c : cases) {
    panel->SetFirstVisibleItem(c.asked);
    EXPECT_EQ(panel->GetFirstVisibleItem(), c.first) << c.asked;
    EXPECT_FLOAT_EQ(ItemPlace(c.first).x, -236.0f) << "the first visible item stands in the first slot";
  }
  // Scrolled "past the end", the last slot holds the last item, and a
  // click there takes it (no record beyond the count is looked at).
  panel->SetFirstVisibleItem(60);
  ClickAt(-236.0f + 6 * 79.0f, -341.0f);
  EXPECT_EQ(panel->GetCursorName(), L"Item_10");
  // Slot records outside the fifty answer an empty record.
  EXPECT_TRUE(panel->GetItem(-1).name.empty());
  EXPECT_TRUE(panel->GetItem(CGamePanel::kMaxItems).name.empty());
}

TEST_F(PanelStrip, AClickOnAnItemRunsTheChainThenTheItemIsHeldAndAClickOnItsSlotPutsItBack) {
  panel->AddSimpleObject(L"Key", L"start");
  panel->AddSimpleObject(L"Wick", L"start");
  Run(0.1f);
  core.Quiet();
  ClickAt(ItemPlace(1).x + 10.0f, ItemPlace(1).z - 10.0f);
  ASSERT_EQ(episod.actions, (std::vector<std::wstring>{L"gpanel_mc_i_Wick", L"gpanel_in_cursor_Wick"}));
  EXPECT_EQ(panel->GetCursorName(), L"Wick");
  EXPECT_TRUE(panel->HasCursorObject());
  EXPECT_EQ(panel->GetItem(1).state, SPanelItem::kHeld);
  EXPECT_TRUE(core.Played(L"Vzyatie_obekta_s_igrovoi_paneli"));

  panel->SetCursorIcon(0.0f, core.Cursor());
  panel->UpdateCursorObject();  // drawn at the pointer, where the flight back starts
  ClickAt(ItemPlace(1).x, ItemPlace(1).z);
  EXPECT_TRUE(panel->IsCursorEmpty());
  EXPECT_EQ(episod.released, std::vector<std::wstring>{L"Wick"});
  EXPECT_EQ(panel->GetItem(1).state, SPanelItem::kFlyingIn);
  Run(1.1f);
  EXPECT_EQ(panel->GetItem(1).state, SPanelItem::kInStrip);
}

TEST_F(PanelStrip, TheHeldObjectIsDrawnBesideThePointerUnlessTheSceneDrawsItItself) {
  panel->AddSimpleObject(L"Wick", L"start");
  Run(1.1f);
  CMarkRegion desk;
  CMarkLevel level(&desk);
  SceneEpisod chapter;
  panel->SetBack(&chapter);
  core.MoveTo(100.0f, 50.0f);
  panel->SetCursorIcon(0.0f, core.Cursor());
  panel->TakeToCursor(L"Wick", nullptr);
  rovovoz::CStaticObject3D* model = panel->GetItem(0).model.get();
  zuzorev::CRenderSystem& render = *core.Get()->GetRender();
  const struct {
    int32_t state;
    CBaseBack* scene;
    const wchar_t* sceneDraws;
    bool panelDraws;
  } cases[] = {
      {1, &level, L"", true},      {1, &level, L"Wick", false}, {3, &level, L"Wick", false},
      {6, &level, L"Wick", true},  // the pause menu: the scene is not asked
      {1, nullptr, L"Wick", true},
  };
  for (const auto& c : cases) {
    chapter.SetScene(c.scene, c.state);
    desk.drawsItself = c.sceneDraws;
    model->SetPosition3D(0.0f, 0.0f, 0.0f);
    render.Begin();
    panel->UpdateCursorObject();
    EXPECT_EQ(!render.GetFrameDraws().empty(), c.panelDraws) << c.state << " " << c.sceneDraws;
    render.End();
    const zormath::Vec3f at = model->GetPosition3D();
    EXPECT_FLOAT_EQ(at.y, c.panelDraws ? 249.0f : 0.0f);
    if (c.panelDraws) {
      EXPECT_FLOAT_EQ(at.x, 147.0f);
      EXPECT_FLOAT_EQ(at.z, 20.0f);
    }
  }
  panel->SetBack(&episod);
}

TEST_F(PanelStrip, ARefusedStepOfTheChainLeavesTheItemInTheStrip) {
  panel->AddSimpleObject(L"Key", L"start");
  Run(0.1f);
  const struct {
    const wchar_t* refused;
    std::vector<std::wstring> ran;
  } cases[] = {
      {L"gpanel_mc_i_Key", {L"gpanel_mc_i_Key"}},
      {L"gpanel_in_cursor_Key", {L"gpanel_mc_i_Key", L"gpanel_in_cursor_Key"}},
  };
  for (const auto& c : cases) {
    episod.actions.clear();
    episod.refused = {c.refused};
    ClickAt(ItemPlace(0).x, ItemPlace(0).z);
    EXPECT_EQ(episod.actions, c.ran);
    EXPECT_TRUE(panel->IsCursorEmpty());
    EXPECT_EQ(panel->GetItem(0).state, SPanelItem::kInStrip);
  }
}

TEST_F(PanelStrip, ARightClickSendsAHeldItemBackWithItsSound) {
  panel->AddSimpleObject(L"Key", L"start");
  Run(0.1f);
  ClickAt(ItemPlace(0).x, ItemPlace(0).z);
  ASSERT_EQ(panel->GetCursorName(), L"Key");
  core.Quiet();
  ClickAt(0.0f, 100.0f, 1);
  EXPECT_TRUE(panel->IsCursorEmpty());
  EXPECT_EQ(panel->GetItem(0).state, SPanelItem::kFlyingIn);
  EXPECT_TRUE(core.Played(L"Sbrasyvanie_obekta_na_igrovuyu_panel"));
}

TEST_F(PanelStrip, DeletingTheHeldItemClearsTheCursorWithoutAFlight) {
  panel->AddSimpleObject(L"Key", L"start");
  panel->TakeToCursor(L"Key", nullptr);
  ASSERT_EQ(panel->GetItem(0).state, SPanelItem::kHeld);
  panel->DeleteSimpleObject(L"Key");
  EXPECT_TRUE(panel->IsCursorEmpty());
  EXPECT_FALSE(panel->IsReturnFlightRunning());
  EXPECT_EQ(panel->GetItem(0).state, SPanelItem::kRemoving);
}

TEST_F(PanelStrip, AHeldSceneObjectGoesBackOnARightClickOrAClickWhereItWasTaken) {
  rovovoz::CStaticObject3D wick(core.Get());
  ASSERT_GT(wick.LoadModel(L"Back_1.zorm", L"S_Wick", 11), 0);
  const zormath::Vec3f home = wick.GetPosition3D();
  struct Case {
    const char* what;
    float x, z;
    int button;
    bool returned;
  };
  const Case cases[] = {
      {"right click anywhere", 0.0f, 100.0f, 1, true},
      {"left click at its place", home.x + 10.0f, home.z, 0, true},
      {"left click with the drawn object at its place", home.x - 47.0f, home.z + 30.0f, 0, true},
      {"left click elsewhere", home.x + 200.0f, home.z, 0, false},
  };
  for (const Case& c : cases) {
    episod.actions.clear();
    episod.requests.clear();
    panel->TakeToCursor(L"Wick", &wick);
    Run(0.02f);  // the taking click is used up
    ASSERT_EQ(panel->GetCursorName(), L"Wick") << c.what;
    wick.SetPosition3D(home.x + 300.0f, 0.0f, home.z + 200.0f);
    ClickAt(c.x, c.z, c.button);
    EXPECT_EQ(panel->IsCursorEmpty(), c.returned) << c.what;
    if (!c.returned) {
      panel->DropCursorObject(2);
      continue;
    }
    EXPECT_EQ(episod.actions, std::vector<std::wstring>{L"a_return_sfind_Wick"}) << c.what;
    EXPECT_EQ(episod.requests, std::vector<std::wstring>{L"sfind:Wick"}) << c.what;
    EXPECT_TRUE(panel->IsReturnFlightRunning()) << c.what;
    Run(0.4f);
    EXPECT_FALSE(panel->IsReturnFlightRunning()) << c.what;
    EXPECT_NEAR(wick.GetPosition3D().x, home.x, 0.01f) << c.what;
    EXPECT_NEAR(wick.GetPosition3D().z, home.z, 0.01f) << c.what;
  }
}

TEST_F(PanelStrip, OutsideAdventureScenesTheStripIgnoresTheMouseAndTheScrollButtonsAreOff) {
  AddItems(10);
  panel->SetFirstVisibleItem(0);
  for (const wchar_t* mode : {L"hog", L"minigame"}) {
    panel->SetPanelMode(mode);
    ClickAt(ItemPlace(1).x, ItemPlace(1).z);
    EXPECT_TRUE(panel->IsCursorEmpty()) << mode;
    EXPECT_TRUE(episod.actions.empty()) << mode;
    EXPECT_EQ(panel->GetChild(L"BLeft")->GetEnable(), 0) << mode;
    EXPECT_EQ(panel->GetChild(L"BRight")->GetEnable(), 0) << mode;
  }
}

TEST_F(PanelStrip, RestoreShowsTheLastSevenOfTheSavedItems) {
  const struct {
    int saved;
    int first;
  } cases[] = {{9, 2}, {5, 0}};
  for (const auto& c : cases) {
    gCurrentPlayer.mItems.clear();
    for (int i = 1; i <= c.saved; ++i) gCurrentPlayer.AddName(L"Item_" + std::to_wstring(i), 0);
    panel->RestoreFromPlayer();
    EXPECT_EQ(panel->GetItemCount(), c.saved);
    EXPECT_EQ(panel->GetFirstVisibleItem(), c.first);
    for (int i = 0; i < c.saved; ++i) {
      EXPECT_EQ(panel->GetItem(i).state, SPanelItem::kInStrip);
      EXPECT_FLOAT_EQ(panel->GetItem(i).current.x, -236.0f + 79.0f * (i - c.first));
    }
  }
}

TEST_F(PanelStrip, CursorKindsByZoneName) {
  const struct {
    const wchar_t* name;
    int kind;
    const wchar_t* icon;
  } cases[] = {{L"Shesterni", 1, L"cur_shesternya"}, {L"PUSH", 2, L"cur_vzat"}, {L"click", 3, L"cur_click"},
               {L"glaz", 4, L"cur_glaz"},           {L"lupa", 5, L"cur_lupa"},  {L"other", 0, nullptr}};
  core.Cursor()->Load(L"Data\\Cursors\\Cursors.xml");
  for (const auto& c : cases) {
    core.Cursor()->SetCursor(L"cur_def", 0);
    panel->SetCursorModeByName(c.name);
    EXPECT_EQ(panel->GetCursorKind(), c.kind) << c.name;
    panel->SetCursorIcon(0.0f, core.Cursor());
    EXPECT_EQ(core.Cursor()->GetCursorName(), c.icon ? c.icon : L"cur_def") << c.name;
  }
}

}  // namespace
