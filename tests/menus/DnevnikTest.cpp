// The diary: the spread it opens on, its arrows and page turns, the map
// button by place, its opening and closing, and the ways it closes while
// the map lies over the book.
#include "Interface/Dnevnik.h"
#include "Interface/Map.h"
#include "menus/MenuTestSupport.h"

namespace {

class Dnevnik : public menutest::MenuFixture {
 protected:
  Dnevnik()
      : diary(gDnevnik, core.Get(), L"Data\\Interface\\Dnevnik.xml"),
        map(gMap, core.Get(), L"Data\\Interface\\Map.xml") {
    gCurrentPlayer.mTutorialHints = 0;
    gCurrentPlayer.mLocationName = L"Back_1_reg_4";
  }
  void Notes(int count, uint32_t notePage) {
    const wchar_t* names[] = {L"note_hall", L"note_desk", L"note_gallery", L"note_hall"};
    gCurrentPlayer.mNotePages.clear();
    for (int i = 0; i < count; ++i) gCurrentPlayer.mNotePages.push_back(names[i % 4]);
    gCurrentPlayer.mNotePage = notePage;
  }
  // Opens and runs the opening to its end.
  void OpenFully() {
    diary->Open(&chapter);
    int result = 0;
    for (int i = 0; i < 100 && result == 0; ++i) result = diary->UpdateShowAnimation(0.05f);
    ASSERT_EQ(result, 1);
  }
  // A click on a widget of a form laid out where its file puts it.
  void ClickOn(rovovoz::CGUIBaseObject* widget) {
    ASSERT_NE(widget, nullptr);
    zuzorev::SRect box;
    widget->GetBoxRect(box);
    core.MoveTo((box.left + box.right) / 2.0f - 512.0f, 384.0f - (box.top + box.bottom) / 2.0f);
    core.Click(0);
    core.NextFrame();
  }
  std::wstring Text(const wchar_t* name) { return diary->GetChild(name)->GetText(); }
  int Enabled(const wchar_t* name) { return diary->GetChild(name)->GetEnable(); }

  menutest::Loaded<CDnevnik> diary;
  menutest::Loaded<CMap> map;
  paneltest::TestEpisod chapter;
};

TEST_F(Dnevnik, OpensOnTheSpreadWithTheNewestNote) {
  struct SCase {
    const char* name;
    int notes;
    uint32_t notePage;
    int page;
    bool left, right;
    const wchar_t *leftNumber, *rightNumber;
    int leftArrow, rightArrow;
  };
  const SCase cases[] = {
      {"no notes", 0, 0, 1, false, false, L"1", L"2", 0, 0},
      {"one note", 1, 1, 1, true, false, L"1", L"2", 0, 0},
      {"the third note just added", 3, 3, 3, true, false, L"3", L"4", 1, 0},
      {"the fourth note just added", 4, 4, 3, true, true, L"3", L"4", 1, 0},
      {"a page far past the notes", 4, 40, 3, true, true, L"3", L"4", 1, 0},
      {"the first spread of four", 4, 0, 1, true, true, L"1", L"2", 0, 1},
  };
  ASSERT_GE(diary.Result(), 0);
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    Notes(c.notes, c.notePage);
    diary->Open(&chapter);
    EXPECT_EQ(diary->GetPage(), c.page);
    EXPECT_EQ(diary->GetLeftForm() != nullptr, c.left);
    EXPECT_EQ(diary->GetRightForm() != nullptr, c.right);
    EXPECT_EQ(Text(L"LPageLeft"), c.leftNumber);
    EXPECT_EQ(Text(L"LPageRight"), c.rightNumber);
    EXPECT_EQ(Enabled(L"BLeft"), c.leftArrow);
    EXPECT_EQ(Enabled(L"BRight"), c.rightArrow);
    EXPECT_EQ(gCurrentPlayer.mNotePage, static_cast<uint32_t>(c.page - 1));
  }
}

TEST_F(Dnevnik, TheRightPageStandsBesideTheLeftAndAMissingNoteLeavesItsSideEmpty) {
  gCurrentPlayer.mNotePages = {L"note_hall", L"no_such_note"};
  gCurrentPlayer.mNotePage = 0;
  diary->Open(&chapter);
  ASSERT_NE(diary->GetLeftForm(), nullptr);
  EXPECT_EQ(diary->GetRightForm(), nullptr);
  Notes(2, 0);
  diary->Open(&chapter);
  ASSERT_NE(diary->GetRightForm(), nullptr);
  EXPECT_FLOAT_EQ(diary->GetRightForm()->GetPosition3D().x - diary->GetLeftForm()->GetPosition3D().x, 425.0f);
}

TEST_F(Dnevnik, OpeningAndClosingTakeASecondEach) {
  Notes(1, 1);
  diary->Open(&chapter);
  EXPECT_EQ(diary->GetState(), CDnevnik::kOpening);
  float t = 0.0f;
  int result = 0;
  while (result == 0 && t < 5.0f) {
    result = diary->UpdateShowAnimation(0.125f);
    t += 0.125f;
    if (t == 0.25f) EXPECT_FLOAT_EQ(diary->GetChild(L"BFon")->GetAlpha(), 0.5f);
    if (t == 0.5f) EXPECT_FLOAT_EQ(diary->GetChild(L"BFon")->GetAlpha(), 1.0f);
  }
  // The phase must pass 1.0 before the book counts as open.
  EXPECT_EQ(result, 1);
  EXPECT_EQ(t, 1.125f);
  EXPECT_EQ(diary->GetState(), CDnevnik::kShown);

  diary->RequestClose();
  EXPECT_EQ(diary->Update(0.1f, core.Cursor()), 1);
  EXPECT_EQ(diary->GetState(), CDnevnik::kClosing);
  diary->UpdateShowAnimation(0.55f);
  EXPECT_FLOAT_EQ(diary->GetChild(L"BFon")->GetAlpha(), 0.0f);
  EXPECT_EQ(diary->UpdateShowAnimation(0.5f), 1);
  EXPECT_FLOAT_EQ(diary->GetPhase(), 0.0f);
}

TEST_F(Dnevnik, TheArrowsTurnTwoPagesAfterAQuickFade) {
  Notes(4, 0);
  OpenFully();
  ClickOn(diary->GetChild(L"BRight"));
  EXPECT_EQ(diary->Update(0.01f, core.Cursor()), 0);
  EXPECT_EQ(diary->GetPage(), 1);
  core.NextFrame();
  for (int i = 0; i < 10; ++i) diary->Update(0.01f, core.Cursor());
  EXPECT_EQ(diary->GetPage(), 3);
  EXPECT_EQ(Text(L"LPageLeft"), L"3");
  EXPECT_EQ(gCurrentPlayer.mNotePage, 2u);
  EXPECT_EQ(Enabled(L"BRight"), 0);
  // A disabled arrow turns nothing.
  ClickOn(diary->GetChild(L"BRight"));
  for (int i = 0; i < 10; ++i) diary->Update(0.01f, core.Cursor());
  EXPECT_EQ(diary->GetPage(), 3);
  ClickOn(diary->GetChild(L"BLeft"));
  for (int i = 0; i < 10; ++i) diary->Update(0.01f, core.Cursor());
  EXPECT_EQ(diary->GetPage(), 1);
}

TEST_F(Dnevnik, TheMapButtonIsOnlyThereOutsideTheFirstPlaces) {
  struct SCase {
    const wchar_t* place;
    int disabled;
  };
  for (const SCase& c : {SCase{L"Back_1", 1}, SCase{L"Back_2", 1}, SCase{L"Back_3", 1}, SCase{L"", 1},
                         SCase{L"X", 1}, SCase{L"Back_1_reg_4", 0}, SCase{L"Back_22", 0}}) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.place, c.place + wcslen(c.place))));
    gCurrentPlayer.mLocationName = c.place;
    Notes(1, 1);
    OpenFully();
    EXPECT_EQ(gMapDisabled, c.disabled);
    ClickOn(diary->GetChild(L"BKarta"));
    diary->Update(0.01f, core.Cursor());
    EXPECT_EQ(diary->IsMapShown(), 1 - c.disabled);
    EXPECT_EQ(gCurrentPlayer.mHintDnevnikShown, 1u);
    core.NextFrame();
  }
}

TEST_F(Dnevnik, TheMapsDiaryButtonGoesBackToThePagesAndItsCloseButtonClosesBoth) {
  Notes(1, 1);
  OpenFully();
  ClickOn(diary->GetChild(L"BKarta"));
  diary->Update(0.01f, core.Cursor());
  ASSERT_EQ(diary->IsMapShown(), 1);
  core.NextFrame();
  for (int i = 0; i < 20; ++i) diary->Update(0.05f, core.Cursor());
  ClickOn(map->GetChild(L"BDnevnik"));
  EXPECT_EQ(diary->Update(0.01f, core.Cursor()), 0);
  core.NextFrame();
  int frames = 0;
  while (diary->IsMapShown() && frames < 100) {
    diary->Update(0.05f, core.Cursor());
    ++frames;
  }
  EXPECT_EQ(diary->IsMapShown(), 0);
  EXPECT_NEAR(frames * 0.05f, 0.5f, 0.06f);
  EXPECT_EQ(diary->GetState(), CDnevnik::kShown);

  ClickOn(diary->GetChild(L"BKarta"));
  diary->Update(0.01f, core.Cursor());
  core.NextFrame();
  for (int i = 0; i < 20; ++i) diary->Update(0.05f, core.Cursor());
  ClickOn(map->GetChild(L"BClose"));
  EXPECT_EQ(diary->Update(0.01f, core.Cursor()), 1);
  EXPECT_EQ(diary->GetState(), CDnevnik::kClosing);
}

TEST_F(Dnevnik, ThePanelsCloseRequestWinsEvenOverTheMap) {
  Notes(1, 1);
  OpenFully();
  ClickOn(diary->GetChild(L"BKarta"));
  diary->Update(0.01f, core.Cursor());
  ASSERT_EQ(diary->IsMapShown(), 1);
  diary->RequestClose();
  EXPECT_EQ(diary->Update(0.01f, core.Cursor()), 1);
  EXPECT_EQ(diary->GetState(), CDnevnik::kClosing);
}

TEST_F(Dnevnik, AClosingAfterTheMapsTravelTellsTheChapterSo) {
  Notes(1, 1);
  OpenFully();
  diary->RequestClose();
  diary->Update(0.01f, core.Cursor());
  int result = 0;
  for (int i = 0; i < 100 && result == 0; ++i) result = diary->Show(0.05f);
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(chapter.actions.empty());

  // Travel chosen on the map: the closing ends with 3 and the chapter has
  // run the travel action.
  gCurrentPlayer.mMapLocations = {L"Back_1", L"Back_2"};
  OpenFully();
  ClickOn(diary->GetChild(L"BKarta"));
  diary->Update(0.01f, core.Cursor());
  ASSERT_EQ(diary->IsMapShown(), 1);
  core.NextFrame();
  for (int i = 0; i < 10; ++i) diary->Update(0.05f, core.Cursor());
  core.MoveTo(160.0f, 60.0f);  // the gallery on the map
  core.Click(0);
  core.NextFrame();
  EXPECT_EQ(diary->Update(0.01f, core.Cursor()), 1);
  result = 0;
  for (int i = 0; i < 100 && result == 0; ++i) result = diary->Show(0.05f);
  EXPECT_EQ(result, 3);
  EXPECT_EQ(chapter.actions, std::vector<std::wstring>{L"a_open_back_gallery"});
}

}  // namespace
