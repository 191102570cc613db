// A play recorded from the desktop's input to a file and played back from
// it: the events come back in the frames they arrived in, with the frame
// time and seed the recording ran on; a damaged file is refused whole with
// the line that is wrong.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "Engine/zuzorev/EventRecorder.h"
#include "Engine/zuzorev/EventScriptFile.h"
#include "Engine/zuzorev/InputSystem.h"
#include "Engine/zuzorev/Timer.h"
#include "Engine/zuzorev/WindowSystem.h"
#include "Platform/Random.h"
#include "support/TestSupport.h"

namespace {

using namespace zuzorev;

intptr_t Proc(WindowHandle, uint32_t, uintptr_t, intptr_t) { return 0; }

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class EventReplayFile : public ::testing::Test {
 protected:
  void SetUp() override {
    int full = 0;
    ASSERT_GE(window.Init(L"t", L"t", 101, 800, 600, full, Proc, nullptr), 0);
    ASSERT_GE(input.Init(&window), 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    path = std::filesystem::temp_directory_path() /
           ("lht-replay-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
  }
  void TearDown() override {
    window.GetEvents().SetScript(nullptr);
    window.GetEvents().SetRecorder(nullptr);
    std::filesystem::remove(path);
  }
  void Frame() {
    window.BeginFrame();
    input.Update();
  }
  static void PushClick(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }

  CWindowSystem window{EDeviceKind::Headless};
  CInputSystem input;
  std::filesystem::path path;
};

TEST_F(EventReplayFile, ARecordedPlayComesBackInItsFramesWithItsClockAndSeed) {
  std::wstring error;
  auto recorder = CEventRecorder::Create(path.string(), 0.25f, 777u, error);
  ASSERT_TRUE(recorder) << std::string(error.begin(), error.end());
  window.GetEvents().SetRecorder(std::move(recorder));
  EXPECT_TRUE(CTimer::IsManualClock()) << "a recording runs on its fixed frame time";
  const int firstRandom = Platform::Random();

  CTimer timer;
  timer.GetElapsedTime();
  Frame();  // frame 0: nothing
  EXPECT_FLOAT_EQ(timer.GetElapsedTime(), 0.25f);
  PushClick(30, 40);
  Frame();  // frame 1: the click
  PushClick(50, 60);
  window.PeekMessageWindow();  // a loading screen's pump: reaches a replay with frame 2
  Frame();
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  Frame();  // frame 3: the key
  window.GetEvents().SetRecorder(nullptr);
  EXPECT_FALSE(CTimer::IsManualClock());

  const std::string text = ReadAll(path);
  EXPECT_NE(text.find("frame-time 0.25\nseed 777\n"), std::string::npos) << text;
  EXPECT_NE(text.find("1 down 0 30 40\n"), std::string::npos) << text;
  EXPECT_NE(text.find("2 down 0 50 60\n"), std::string::npos) << text;
  EXPECT_NE(text.find("3 key-down 41\n"), std::string::npos) << text;

  auto script = LoadEventScript(path.string(), error);
  ASSERT_TRUE(script) << std::string(error.begin(), error.end());
  EXPECT_FLOAT_EQ(script->GetFrameTime(), 0.25f);
  window.GetEvents().SetScript(std::move(script));
  EXPECT_EQ(Platform::Random(), firstRandom) << "the replay draws the recording's numbers";
  struct SExpect {
    bool down;
    int x;
    bool esc;
  } frames[] = {{false, 0, false}, {true, 30, false}, {true, 50, false}, {false, 50, true}};
  int n = 0;
  for (const SExpect& f : frames) {
    Frame();
    int x = 0, y = 0;
    input.GetMousePosition(x, y);
    EXPECT_EQ(input.IsButton(0, kInputDown), f.down) << "frame " << n;
    if (f.down || n == 3) {
      EXPECT_EQ(x, f.x) << "frame " << n;
    }
    EXPECT_EQ(input.IsVKey(27, kInputDown), f.esc) << "frame " << n;
    ++n;
  }
}

TEST_F(EventReplayFile, EveryKindOfEventSurvivesTheTextForm) {
  SInputEvent text = SInputEvent::Of(EInputEvent::Text);
  text.text = L"two  words \u00e9";
  SInputEvent wheel = SInputEvent::Of(EInputEvent::MouseWheel);
  wheel.wheel = -3;
  const std::vector<SInputEvent> events = {
      SInputEvent::MouseMove(-5, 7),  SInputEvent::MouseDown(2, 1, 2), SInputEvent::MouseUp(4, 3, 4),
      wheel,                          SInputEvent::KeyDown(44, true),  SInputEvent::KeyUp(44),
      text,                           SInputEvent::Of(EInputEvent::Quit),
      SInputEvent::Of(EInputEvent::FocusLost), SInputEvent::Of(EInputEvent::DisplayChanged)};
  std::string file = FormatEventScriptHeader(0.5f, 1u);
  for (size_t i = 0; i < events.size(); ++i) file += FormatEventLine(static_cast<int>(i), events[i]) + "\n";
  std::wstring error;
  auto script = ParseEventScript(file, error);
  ASSERT_TRUE(script) << std::string(error.begin(), error.end());
  CEventQueue queue;
  for (size_t i = 0; i < events.size(); ++i) {
    script->PlayFrame(queue);
    SInputEvent got;
    ASSERT_TRUE(queue.Pop(got)) << i;
    EXPECT_EQ(FormatEventLine(static_cast<int>(i), got), FormatEventLine(static_cast<int>(i), events[i]));
    EXPECT_EQ(got.text, events[i].text) << i;
  }
}

TEST_F(EventReplayFile, ADamagedReplayIsRefusedWithItsLine) {
  const std::string header = "lht-input 1\nframe-time 0.1\n";
  struct SCase {
    std::string text;
    const wchar_t* expected;
  } cases[] = {
      {"", L"empty"},
      {"hello\n", L"line 1"},
      {"lht-input 2\n", L"line 1"},
      {"lht-input 1\n0 move 1 2\n", L"no frame-time"},
      {"lht-input 1\nframe-time 0\n", L"line 2"},
      {"lht-input 1\nframe-time nan\n", L"line 2"},
      {"lht-input 1\nframe-time 0.1x\n", L"line 2"},
      {header + "seed -1\n", L"line 3"},
      {header + "seed 4294967296\n", L"line 3"},
      {header + "-1 move 1 2\n", L"line 3"},
      {header + "99999999999 move 1 2\n", L"line 3"},
      {header + "3 jump 1 2\n", L"line 3"},
      {header + "3 move 1\n", L"line 3"},
      {header + "3 move 1 2 3\n", L"line 3"},
      {header + "3 down 5 1 2\n", L"line 3"},
      {header + "3 move 1 99999999999\n", L"line 3"},
      {header + "# a note\n\n3 key-down 4 twice\n", L"line 5"},
      {header + "3\n", L"line 3"},
  };
  for (const SCase& c : cases) {
    std::wstring error;
    EXPECT_EQ(ParseEventScript(c.text, error), nullptr) << c.text;
    EXPECT_NE(error.find(c.expected), std::wstring::npos) << c.text << " gave " << std::string(error.begin(), error.end());
  }
  std::wstring error;
  EXPECT_EQ(LoadEventScript((path.parent_path() / "no-such-replay.txt").string(), error), nullptr);
  EXPECT_NE(error.find(L"cannot open"), std::wstring::npos);
}

// A replay kept beside a test may be written by hand, with notes, blank
// lines and Windows line ends.
TEST_F(EventReplayFile, AHandWrittenReplayPlays) {
  std::wstring error;
  auto script = LoadEventScript((testsupport::FixturesDir() / "input" / "clicks.replay").string(), error);
  ASSERT_TRUE(script) << std::string(error.begin(), error.end());
  EXPECT_FLOAT_EQ(script->GetFrameTime(), 0.1f);
  ASSERT_TRUE(script->GetSeed());
  EXPECT_EQ(*script->GetSeed(), 42u);
  std::vector<std::string> lines;
  CEventQueue queue;
  for (int frame = 0; frame < 10; ++frame) {
    script->PlayFrame(queue);
    for (SInputEvent e; queue.Pop(e);) lines.push_back(FormatEventLine(frame, e));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"0 move 100 200", "2 down 0 100 200", "3 up 0 100 200",
                                             "5 key-down 41", "5 text a b", "9 quit"}));
}

TEST_F(EventReplayFile, AFinishedReplayHandsTheInputBackWhenAsked) {
  auto script = std::make_unique<CEventScript>(0.1f, 5u);
  script->Add(0, SInputEvent::MouseMove(3, 4));
  window.GetEvents().SetReleaseFinishedScript(true);
  window.GetEvents().SetScript(std::move(script));
  Frame();
  EXPECT_TRUE(window.GetEvents().IsScripted());
  Frame();
  EXPECT_FALSE(window.GetEvents().IsScripted());
  EXPECT_FALSE(CTimer::IsManualClock()) << "the real clock runs again";
  PushClick(9, 9);
  Frame();
  EXPECT_TRUE(input.IsButton(0, kInputDown)) << "the desktop's input counts again";
  window.GetEvents().SetReleaseFinishedScript(false);
}

}  // namespace
