// Character dialogs of the sample game: started by name with a text or with
// their own line, faded in, kept for their time, faded out, sent away by a
// click; and the sample game's interface files load without a complaint.
#include <gtest/gtest.h>

#include <algorithm>

#include "Engine/rovovoz/DialogManager.h"
#include "Engine/rovovoz/GUIForm.h"
#include "forms/FormsTestSupport.h"

namespace {

using rovovoz::CDialogManager;

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(core.Ok());
    ASSERT_GT(dialogs.Load(L"Data\\Interface\\GPDialogs.xml", 3), 0);
  }
  void Step(int frames, float dt = 0.1f) {
    for (int i = 0; i < frames; ++i) core.Frame(dialogs, dt);
  }
  float Alpha() { return dialogs.GetDialog(dialogs.GetCurrentName())->GetAlpha(); }
  std::vector<std::wstring> DrawnTexts() {
    core.Render().Begin();
    dialogs.Render();
    std::vector<std::wstring> texts;
    for (const auto& d : core.Render().GetFrameDraws())
      if (!d.text.empty()) texts.push_back(d.text);
    return texts;
  }
  formstest::Core core;
  CDialogManager dialogs{core.Get()};
};

TEST_F(Dialogs, StartShowsTheGivenTextOrTheDialogsOwnLine) {
  ASSERT_TRUE(dialogs.StartDialog(L"tips_gp", L""));
  EXPECT_TRUE(DrawnTexts().empty()) << "it starts transparent";
  Step(3);
  auto texts = DrawnTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"The old keeper"), texts.end());
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::wstring& t) {
    return t.find(L"The lanterns burn low tonight.") == 0;
  })) << "the keeper's own line, wrapped in its box";

  ASSERT_TRUE(dialogs.StartDialog(L"tips2_gp", L"Light the desk lantern first."));
  EXPECT_EQ(dialogs.GetCurrentName(), L"tips2_gp");
  Step(3);
  texts = DrawnTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"Light the desk lantern first."), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), L"The old keeper"), texts.end()) << "one dialog at a time";

  dialogs.Stop();
  EXPECT_FALSE(dialogs.IsPlaying());
  EXPECT_TRUE(DrawnTexts().empty());
}

TEST_F(Dialogs, FadesInStaysForItsTimeAndFadesOut) {
  // tips_gp: in 0.3 s, shown 3 s + 0.04 s a character (5 here), out 0.4 s.
  ASSERT_TRUE(dialogs.StartDialog(L"tips_gp", L"Hello"));
  const struct {
    int frames;  // of 0.1 s, in total
    bool playing;
    float alpha;
  } timeline[] = {{1, true, 1.0f / 3.0f}, {3, true, 1.0f}, {30, true, 1.0f}, {37, true, 0.5f}, {40, false, 0.0f}};
  int done = 0;
  for (const auto& t : timeline) {
    Step(t.frames - done);
    done = t.frames;
    EXPECT_EQ(dialogs.IsPlaying(), t.playing) << t.frames;
    if (t.playing) EXPECT_NEAR(Alpha(), t.alpha, 1e-3) << t.frames;
  }
}

TEST_F(Dialogs, AClickOnTheDialogSendsItAway) {
  ASSERT_TRUE(dialogs.StartDialog(L"tips_gp", L"Hello"));
  Step(5);
  core.Click(dialogs, 800, 600, 0.1f);  // elsewhere
  EXPECT_NEAR(Alpha(), 1.0f, 1e-3);
  core.Click(dialogs, 300, 60, 0.1f);  // on its panel: fading out from full
  EXPECT_NEAR(Alpha(), 1.0f, 1e-3);
  Step(2);
  EXPECT_NEAR(Alpha(), 0.5f, 1e-3);
  Step(3);
  EXPECT_FALSE(dialogs.IsPlaying());
}

TEST_F(Dialogs, UnknownDialogsAndFilesAreRefusedWithALogLine) {
  testsupport::LogCapture log;
  EXPECT_FALSE(dialogs.StartDialog(L"no_such_dialog", L"text"));
  EXPECT_TRUE(log.Contains(zuzorev::ELogLevel::Warning, L"No find dialog no_such_dialog."));
  CDialogManager other(core.Get());
  EXPECT_LT(other.Load(L"Data\\Interface\\NoDialogs.xml", 3), 0);
  EXPECT_LT(other.Load(L"TestForm.xml", 3), 0) << "no Dialogs root";
  EXPECT_EQ(log.Texts(zuzorev::ELogLevel::Error).size(), 2u);
}

TEST(SampleInterface, FilesLoadWithoutAnyComplaint) {
  formstest::Core core;
  ASSERT_TRUE(core.Ok());
  testsupport::LogCapture log;
  CDialogManager dialogs(core.Get());
  EXPECT_GT(dialogs.Load(L"Data\\Interface\\GPDialogs.xml", 3), 0);
  rovovoz::CGUIForm form(core.Get(), nullptr);
  EXPECT_GT(form.Load(L"Data\\Interface\\LanternLog.xml", 3), 0);
  for (const wchar_t* name : {L"EditName", L"ListLanterns", L"BAdd", L"BClose", L"Title"})
    EXPECT_NE(form.GetChild(name), nullptr) << Platform::WideToUtf8(name);
  form.Render();
  dialogs.StartDialog(L"tips_gp", L"");
  dialogs.Render();
  EXPECT_TRUE(log.Records().empty()) << Platform::WideToUtf8(log.Records().front().text);
}

}  // namespace
