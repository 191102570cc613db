// The widgets under scripted input on the headless device: clicks that fire
// button commands, typed text in an edit box, a list reporting its selected
// entry to its command, check boxes and sliders.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GUIButton.h"
#include "Engine/rovovoz/GUICheckBox.h"
#include "Engine/rovovoz/GUIEditBox.h"
#include "Engine/rovovoz/GUIForm.h"
#include "Engine/rovovoz/GUIListBox.h"
#include "Engine/rovovoz/GUISlider.h"
#include "forms/FormsTestSupport.h"

namespace {

using rovovoz::CGUIForm;

class Widgets : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    ASSERT_GT(form.Load(L"TestForm.xml", 3), 0);
    core.Script().AddCommand(L"TestBCOk", [this] { ++okCalls; });
    core.Script().AddCommand(L"TestLBDelete", [this](uint32_t context, int32_t index) {
      listCalls.emplace_back(context, index);
    });
  }
  template <class T>
  T* Child(const wchar_t* name) {
    return dynamic_cast<T*>(form.GetChild(name));
  }
  formstest::Core core;
  CGUIForm form{core.Get(), nullptr};
  int okCalls = 0;
  std::vector<std::pair<uint32_t, int32_t>> listCalls;
};

// BOk stands at x 250..370, y 530..570.
TEST_F(Widgets, ButtonFiresItsCommandOnlyForAPressAndReleaseOnIt) {
  const struct {
    const char* what;
    float downX, downY, upX, upY;
    bool enabled, visible;
    int calls;
  } cases[] = {
      {"press and release on it", 310, 550, 310, 550, true, true, 1},
      {"released elsewhere", 310, 550, 310, 600, true, true, 0},
      {"pressed elsewhere", 310, 600, 310, 550, true, true, 0},
      {"disabled", 310, 550, 310, 550, false, true, 0},
      {"hidden", 310, 550, 310, 550, true, false, 0},
  };
  auto* ok = Child<rovovoz::CGUIButton>(L"BOk");
  ASSERT_NE(ok, nullptr);
  for (const auto& c : cases) {
    okCalls = 0;
    ok->SetEnable(c.enabled);
    ok->SetVisible(c.visible);
    core.MoveTo(c.downX, c.downY);
    core.Button(true);
    core.Frame(form);
    core.MoveTo(c.upX, c.upY);
    core.Button(false);
    core.Frame(form);
    EXPECT_EQ(okCalls, c.calls) << c.what;
    EXPECT_EQ((ok->GetEvent() & rovovoz::kGuiEventClickAll) != 0, c.calls == 1) << c.what;
  }
}

TEST_F(Widgets, ButtonEventsReportPointerOverAndClickBits) {
  auto* ok = Child<rovovoz::CGUIButton>(L"BOk");
  core.MoveTo(310, 550);
  core.Frame(form);
  EXPECT_EQ(ok->GetEvent(), rovovoz::kGuiEventOver);
  EXPECT_EQ(ok->GetActive(), 1);
  core.Click(form, 310, 550);
  EXPECT_EQ(ok->GetEvent(), rovovoz::kGuiEventOver | 0x02u | 0x04u | 0x10u);
  core.MoveTo(10, 10);
  core.Frame(form);
  EXPECT_EQ(ok->GetEvent(), 0u);
  EXPECT_EQ(ok->GetActive(), 0);
}

TEST_F(Widgets, ClearStateForgetsAPressInProgress) {
  core.MoveTo(310, 550);
  core.Button(true);
  core.Frame(form);
  form.ClearState();
  core.Button(false);
  core.Frame(form);
  EXPECT_EQ(okCalls, 0);
}

TEST_F(Widgets, AClickRunsTheCommandOnceWhenTheWidgetIsAlsoUpdatedOnItsOwn) {
  // A scene updates its form's widgets as scene objects and then the form.
  core.MoveTo(310, 550);
  core.Button(true);
  core.Button(false);
  core.Input().Update();
  form.GetChild(L"BOk")->Update(0.02f, core.Cursor());
  form.Update(0.02f, core.Cursor());
  EXPECT_EQ(okCalls, 1);
}

TEST_F(Widgets, ButtonLoadedOnItsOwnFromAnyElement) {
  TiXmlDocument doc;
  ASSERT_TRUE(LoadXmlDocument(doc, L"GuiButtons.xml"));
  const TiXmlElement* root = FirstChildElementUpper(&doc, "GUI");
  const TiXmlElement* reset = IterateChildrenElement(root, nullptr);
  rovovoz::CGUIButton button(core.Get(), nullptr);
  ASSERT_GT(button.Load(reset, 3), 0);
  EXPECT_EQ(button.GetName(), L"ButtonReset");
  core.Click(button, 950, 725);
  EXPECT_NE(button.GetEvent() & rovovoz::kGuiEventClick, 0u);

  testsupport::LogCapture log;
  rovovoz::CGUIButton broken(core.Get(), nullptr);
  EXPECT_LT(broken.Load(IterateChildrenElement(root, reset), 3), 0);
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Error, L"No load image no_such_picture.png of widget ButtonBroken."));
  EXPECT_EQ(broken.GetName(), L"ButtonBroken") << "the button stays, as loaded";
}

// EditName: x 300..700, y 200..236, at most 8 characters, never \ / :
TEST_F(Widgets, EditBoxTakesTypedTextOnlyWithTheFocus) {
  auto* edit = Child<rovovoz::CGUIEditBox>(L"EditName");
  ASSERT_NE(edit, nullptr);
  core.Type("lost");
  core.Frame(form);
  EXPECT_EQ(edit->GetText(), L"");

  core.Click(form, 400, 218);  // a click gives the focus
  EXPECT_TRUE(edit->GetFocus());
  const struct {
    const char* typed;
    int backspaces;
    const wchar_t* text;
  } steps[] = {
      {"Ann", 0, L"Ann"},
      {"\xC3\xA9", 0, L"Ann\u00E9"},     // UTF-8 e acute
      {"", 2, L"An"},                     // Backspace
      {"a/b:c\\d", 0, L"Anabcd"},         // excluded characters are dropped
      {"xyz", 0, L"Anabcdxy"},            // no more than 8
  };
  for (const auto& s : steps) {
    core.Type(s.typed);
    for (int i = 0; i < s.backspaces; ++i) {
      core.Key(SDL_SCANCODE_BACKSPACE);
      core.Frame(form);
    }
    core.Frame(form);
    EXPECT_EQ(edit->GetText(), s.text) << s.typed;
  }

  edit->SetFocus(false);
  core.Type("q");
  core.Frame(form);
  EXPECT_EQ(edit->GetText(), L"Anabcdxy");
  edit->SetText(L"c:\\long name");
  EXPECT_EQ(edit->GetText(), L"clong na");
}

TEST_F(Widgets, OnlyOneEditBoxHasTheFocus) {
  auto* edit = Child<rovovoz::CGUIEditBox>(L"EditName");
  rovovoz::CGUIEditBox other(core.Get(), nullptr);
  edit->SetFocus(true);
  other.SetFocus(true);
  EXPECT_FALSE(edit->GetFocus());
  EXPECT_EQ(rovovoz::CGUIEditBox::GetFocused(), &other);
  core.Type("x");
  core.Frame(form);
  EXPECT_EQ(edit->GetText(), L"");
}

// ListName: x 300..700, y 260..460, rows of 40 pixels, context 7.
TEST_F(Widgets, ListReportsTheSelectedEntryToItsCommand) {
  auto* list = Child<rovovoz::CGUIListBox>(L"ListName");
  ASSERT_NE(list, nullptr);
  for (const wchar_t* name : {L"Anna", L"Boris", L"Clara"}) list->AddItem(name);
  ASSERT_EQ(list->GetCount(), 3);

  core.Click(form, 400, 320);  // row 1
  EXPECT_EQ(list->GetSelected(), 1);
  EXPECT_TRUE(listCalls.empty()) << "one click only selects";
  core.Click(form, 400, 320);  // double click on row 1
  ASSERT_EQ(listCalls.size(), 1u);
  EXPECT_EQ(listCalls[0], std::make_pair(7u, 1));

  core.Click(form, 400, 280);  // row 0, then row 2: no double click
  core.Click(form, 400, 360);
  EXPECT_EQ(list->GetSelected(), 2);
  core.Click(form, 400, 360, 0.5f);  // too late for a double click
  EXPECT_EQ(listCalls.size(), 1u);

  core.Key(SDL_SCANCODE_DELETE);
  core.Frame(form);
  ASSERT_EQ(listCalls.size(), 2u);
  EXPECT_EQ(listCalls[1], std::make_pair(7u, 2));
  EXPECT_EQ(list->GetItemText(2), L"Clara");

  // While an edit box has the focus, Delete belongs to it.
  Child<rovovoz::CGUIEditBox>(L"EditName")->SetFocus(true);
  core.Key(SDL_SCANCODE_DELETE);
  core.Frame(form);
  EXPECT_EQ(listCalls.size(), 2u);
  Child<rovovoz::CGUIEditBox>(L"EditName")->SetFocus(false);

  list->RemoveAll();
  core.Key(SDL_SCANCODE_DELETE);
  core.Frame(form);
  ASSERT_EQ(listCalls.size(), 3u);
  EXPECT_EQ(listCalls[2], std::make_pair(7u, -1));
}

TEST_F(Widgets, ListSelectionAndTextsStayInsideTheEntries) {
  auto* list = Child<rovovoz::CGUIListBox>(L"ListName");
  list->AddItem(L"Anna");
  const struct {
    int select, selected;
  } cases[] = {{0, 0}, {1, -1}, {-5, -1}};
  for (const auto& c : cases) {
    list->SetSelected(c.select);
    EXPECT_EQ(list->GetSelected(), c.selected) << c.select;
  }
  EXPECT_EQ(list->GetItemText(1), L"");
  EXPECT_EQ(list->GetItemText(-1), L"");
  core.Click(form, 400, 440);  // below the last entry: nothing to select
  EXPECT_EQ(list->GetSelected(), -1);
}

// CheckFull: x 220..252, y 480..512.
TEST_F(Widgets, CheckBoxTogglesOrReportsAClickWhileLocked) {
  int toggles = 0, locked = 0;
  core.Script().AddCommand(L"TestCheck", [&] { ++toggles; });
  core.Script().AddCommand(L"TestCheckLocked", [&] { ++locked; });
  auto* check = Child<rovovoz::CGUICheckBox>(L"CheckFull");
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->GetCheck(), 0);
  core.Click(form, 236, 496);
  EXPECT_EQ(check->GetCheck(), 1);
  EXPECT_EQ(toggles, 1);
  check->SetEnable(0);
  core.Click(form, 236, 496);
  EXPECT_EQ(check->GetCheck(), 1);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(toggles, 1);
}

// SlayderMusik: x 300..520 (thumb 20 wide, so the thumb's middle runs from
// 310 to 510), y 486..506.
TEST_F(Widgets, SliderFollowsThePointerWhileHeld) {
  auto* slider = Child<rovovoz::CGUISlider>(L"SlayderMusik");
  ASSERT_NE(slider, nullptr);
  EXPECT_FLOAT_EQ(slider->GetValue(), 0.5f);
  core.MoveTo(360, 496);
  core.Button(true);
  core.Frame(form);
  EXPECT_NEAR(slider->GetValue(), 0.25f, 1e-4);
  core.MoveTo(600, 560);  // dragged past the end, off the track
  core.Frame(form);
  EXPECT_FLOAT_EQ(slider->GetValue(), 1.0f);
  core.Button(false);
  core.Frame(form);
  core.MoveTo(310, 496);
  core.Frame(form);
  EXPECT_FLOAT_EQ(slider->GetValue(), 1.0f) << "released: the thumb stays";
  slider->SetValue(-2.0f);
  EXPECT_FLOAT_EQ(slider->GetValue(), 0.0f);
}

}  // namespace
