// The found-item window: it grows in, answers OK once it stands, and
// shrinks away; its count label and a second opening while it goes.
#include "Engine/rovovoz/GUILabel.h"
#include "Interface/PredmetMenu.h"
#include "panel/PanelTestSupport.h"

namespace {

class PredmetMenu : public paneltest::PanelFixture {
 protected:
  CPredmetMenu& Menu() { return *panel->GetPredmetMenu(); }
  // BOk as the open window shows it.
  void ClickOk() {
    core.MoveTo(0.0f, -96.0f);
    core.Click(0);
    core.NextFrame();
  }
};

TEST_F(PredmetMenu, TheItemStandsWhereTheTriggerFilePlacesItAndFliesFromThere) {
  EXPECT_FLOAT_EQ(Menu().GetPredmetPosition().x, 0.0f);
  EXPECT_FLOAT_EQ(Menu().GetPredmetPosition().z, 60.0f);
}

TEST_F(PredmetMenu, ResultsAlongOpeningOkAndClosing) {
  core.Quiet();
  ASSERT_EQ(Menu().SetPredmet(L"Wick", 0), 1);
  EXPECT_TRUE(core.Played(L"Otkrytie_okna"));
  EXPECT_EQ(Menu().GetState(), CPredmetMenu::kAppearing);
  EXPECT_FLOAT_EQ(Menu().GetMatrix()(0, 0), 0.5f);
  ClickOk();
  EXPECT_EQ(Menu().Update(0.1f, core.Cursor()), 0) << "OK is not taken while the window grows";
  core.Quiet();
  EXPECT_EQ(Menu().Update(0.2f, core.Cursor()), 0);
  EXPECT_EQ(Menu().GetState(), CPredmetMenu::kShown);
  EXPECT_TRUE(core.Played(L"Poluchenie_obekta"));
  EXPECT_FLOAT_EQ(Menu().GetMatrix()(0, 0), 1.0f);
  EXPECT_FLOAT_EQ(Menu().GetMatrix()(3, 2), 60.0f);
  core.NextFrame();
  EXPECT_EQ(Menu().Update(0.02f, core.Cursor()), 0);
  ClickOk();
  core.Quiet();
  EXPECT_EQ(Menu().Update(0.02f, core.Cursor()), -1);
  EXPECT_EQ(Menu().GetChild(L"BOk")->GetEvent() & rovovoz::kGuiEventClick, 0u) << "the window took the click";
  EXPECT_TRUE(core.Played(L"Zakrytie_okna"));
  EXPECT_EQ(Menu().Update(0.1f, core.Cursor()), 0);
  EXPECT_EQ(Menu().Update(0.2f, core.Cursor()), -2);
  EXPECT_EQ(Menu().GetVisible(), 0);
}

TEST_F(PredmetMenu, ASecondItemWhileTheWindowGoesStartsGrowingAgainAtHalfSize) {
  ASSERT_EQ(Menu().SetPredmet(L"Wick", 0), 1);
  Menu().Update(0.3f, core.Cursor());
  ClickOk();
  ASSERT_EQ(Menu().Update(0.02f, core.Cursor()), -1);
  Menu().Update(0.1f, core.Cursor());
  ASSERT_EQ(Menu().SetPredmet(L"Lantern", 0), 1);
  EXPECT_EQ(Menu().GetState(), CPredmetMenu::kAppearing);
  EXPECT_FLOAT_EQ(Menu().GetAngle(), 0.0f);
  EXPECT_FLOAT_EQ(Menu().GetMatrix()(0, 0), 0.5f);
  EXPECT_STREQ(Menu().GetPredmetName(), L"Lantern");
}

TEST_F(PredmetMenu, TheCountLabelShowsOnlyCountsAboveOne) {
  const struct {
    const wchar_t* item;
    int visible;
    const wchar_t* text;
  } cases[] = {{L"Key", 1, L"3"}, {L"Wick", 0, L""}};
  for (const auto& c : cases) {
    ASSERT_EQ(Menu().SetPredmet(c.item, 0), 1);
    ASSERT_NE(Menu().GetItemLabel(), nullptr);
    EXPECT_EQ(Menu().GetItemLabel()->GetVisible(), c.visible) << c.item;
    EXPECT_EQ(Menu().GetItemLabel()->GetText(), c.text) << c.item;
  }
}

TEST_F(PredmetMenu, AnUnknownItemIsAnErrorAndTheWindowStaysAsItWas) {
  ASSERT_EQ(Menu().SetPredmet(L"Wick", 0), 1);
  Menu().Update(0.3f, core.Cursor());
  testsupport::LogCapture log;
  EXPECT_EQ(Menu().SetPredmet(L"Ghost", 0), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"SetPredmet. No find logic push predmet."));
  EXPECT_EQ(Menu().GetState(), CPredmetMenu::kShown);
  EXPECT_STREQ(Menu().GetPredmetName(), L"Wick");
}

}  // namespace
