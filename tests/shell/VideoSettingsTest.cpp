#include <gtest/gtest.h>

#include "AppPaths.h"
#include "Ini.h"
#include "ShellTestSupport.h"
#include "VideoSettings.h"

namespace {

using zuzorev::SDevInitParams;
using zuzorev::SDisplayMode;
using zuzorev::SDisplayModeI;

SDisplayModeI Modes(std::initializer_list<SDisplayMode> modes) {
  SDisplayModeI list;
  list.Modes = modes;
  return list;
}

TEST(ChooseDisplayMode, TakesTheFirstModeOfTheSizeAndAUsableRate) {
  struct Case {
    const char* name;
    SDisplayModeI modes;
    int width, height, rate;
    bool chosen;
    int index, rateAfter;
  };
  const Case cases[] = {
      {"rate offered", Modes({{800, 600, {60}}, {1024, 768, {60, 85}}}), 1024, 768, 85, true, 1, 85},
      {"rate not offered: the last one", Modes({{1024, 768, {60, 75}}}), 1024, 768, 85, true, 0, 75},
      {"a mode without rates is passed over", Modes({{1024, 768, {}}, {1024, 768, {70}}}), 1024, 768, 85, true, 1,
       70},
      {"size not offered", Modes({{800, 600, {60}}, {1280, 1024, {60}}}), 1024, 768, 85, false, -1, 85},
      {"width and height both count", Modes({{768, 1024, {60}}}), 1024, 768, 85, false, -1, 85},
      {"no modes at all", Modes({}), 1024, 768, 85, false, -1, 85},
  };
  for (const Case& c : cases) {
    SDevInitParams settings;
    settings.Width = c.width;
    settings.Height = c.height;
    settings.RefreshRate = c.rate;
    int index = -1;
    EXPECT_EQ(ChooseDisplayMode(c.modes, settings, index), c.chosen) << c.name;
    EXPECT_EQ(index, c.index) << c.name;
    EXPECT_EQ(settings.RefreshRate, c.rateAfter) << c.name;
  }
}

TEST(DesktopRestoreSize, KeepsTheOrientationOfTheModeInForce) {
  struct Case {
    int desktopW, desktopH, modeW, modeH;
    bool change;
    int w, h;
  };
  const Case cases[] = {
      {1920, 1080, 1920, 1080, false, 1920, 1080},  // already the desktop's
      {1920, 1080, 1024, 768, true, 1920, 1080},    // ordinary landscape
      {1920, 1080, 1080, 1920, true, 1080, 1920},   // rotated display stays rotated
      {1080, 1920, 1024, 768, true, 1920, 1080},    // a portrait desktop read, landscape mode
      {1920, 1080, 900, 900, true, 1080, 1920},     // equal sides: the larger goes to the height
  };
  for (const Case& c : cases) {
    int w = c.modeW, h = c.modeH;
    EXPECT_EQ(DesktopRestoreSize(c.desktopW, c.desktopH, w, h), c.change);
    EXPECT_EQ(w, c.w);
    EXPECT_EQ(h, c.h);
  }
}

TEST(VideoSettingsFile, DefaultsWithoutGameIniAndRoundTrip) {
  shelltest::UserFolder user;
  std::wstring path;
  Ini::GetPath(path);
  SDevInitParams s;
  s.RefreshRate = 1;
  ReadVideoSettings(path, s);
  EXPECT_EQ(s.Version, 1);
  EXPECT_EQ(s.FullScreen, 1);
  EXPECT_EQ(s.Width, 1024);
  EXPECT_EQ(s.Height, 768);
  EXPECT_EQ(s.RefreshRate, 85);
  EXPECT_EQ(s.Format, 22);
  EXPECT_EQ(s.Antialiasing, 0);
  EXPECT_EQ(s.Wide, 0);
  EXPECT_EQ(s.Reserved, 0);

  s = SDevInitParams{};
  s.FullScreen = 0;
  s.Width = 1280;
  s.Height = 1024;
  s.RefreshRate = 60;
  s.Antialiasing = 2;
  s.Wide = 1;
  WriteVideoSettings(path, s);
  SDevInitParams back;
  ReadVideoSettings(path, back);
  EXPECT_EQ(back.FullScreen, 0);
  EXPECT_EQ(back.Width, 1280);
  EXPECT_EQ(back.Height, 1024);
  EXPECT_EQ(back.RefreshRate, 60);
  EXPECT_EQ(back.Antialiasing, 2);
  EXPECT_EQ(back.Wide, 1);
}

TEST(DisplayRequest, OutcomesOfTheReInitialisation) {
  struct Case {
    const char* name;
    int request;
    int32_t window, device;
    bool goesOn;
    int result, requestAfter;
    const wchar_t* error;  // null: none
  };
  const Case cases[] = {
      {"new mode works", kDisplayReInit, 1, 1, true, 0, kDisplayNone, nullptr},
      {"device fails in the new mode: the game goes on", kDisplayReInit, 1, -1, true, 1, kDisplayNone,
       L"mRenderSys ReInit."},
      {"old mode back", kDisplayRestore, 1, 1, true, 2, kDisplayNone, nullptr},
      {"old mode fails too: close", kDisplayRestore, 1, -1, false, 0, kDisplayRestore, L"mRenderSys re ReInit."},
      {"window fails: close", kDisplayReInit, -1, 1, false, 0, kDisplayReInit, L"mWindowSys ReInit."},
  };
  for (const Case& c : cases) {
    testsupport::LogCapture log;
    gDisplayRequest = c.request;
    gDisplayResult = 0;
    int deviceCalls = 0;
    const bool goesOn = CarryOutReInitRequest([&] { return c.window; },
                                              [&] {
                                                ++deviceCalls;
                                                return c.device;
                                              });
    EXPECT_EQ(goesOn, c.goesOn) << c.name;
    EXPECT_EQ(gDisplayResult, c.result) << c.name;
    EXPECT_EQ(gDisplayRequest, c.requestAfter) << c.name;
    EXPECT_EQ(deviceCalls, c.window < 0 ? 0 : 1) << c.name;
    const auto errors = log.Texts(zuzorev::ELogLevel::Error);
    if (c.error)
      EXPECT_EQ(errors, std::vector<std::wstring>{c.error}) << c.name;
    else
      EXPECT_TRUE(errors.empty()) << c.name;
  }
  gDisplayRequest = kDisplayNone;
  gDisplayResult = 0;
}

}  // namespace
