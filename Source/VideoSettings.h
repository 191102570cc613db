#pragma once
// The display settings: the mode in force, the mode being tried, the modes
// the display offers, and the requests the screen-state machine hands to the
// main loop. Plus the pure rules behind them (reading and writing the
// "Video" section of game.ini, choosing the start mode, giving a rotated
// desktop its size back), kept apart so they can be tested alone.
#include <cstdint>
#include <functional>
#include <string>

#include "Engine/zuzorev/RenderTypes.h"

// The mode in force and the mode being tried (filled by the options menu or
// by the state machine).
extern zuzorev::SDevInitParams gVideoSettings;
extern zuzorev::SDevInitParams gVideoSettingsNew;
// The modes found at start-up, and the index of the chosen one.
extern zuzorev::SDisplayModeI gDisplayModes;
extern int gDisplayModeIndex;

// Display-change requests carried out by the main loop after a turn's render.
enum : int {
  kDisplayNone = 0,
  kDisplayReInit = 1,   // window and device with gVideoSettingsNew
  kDisplayWide = 2,     // wide mode of gVideoSettingsNew
  kDisplayRestore = 3,  // re-initialise again (retry of the old mode, or a restore)
};
extern int gDisplayRequest;
// Set to 0 in every active turn after the update; 1 = the re-initialisation
// of request 1 failed; 2 = a request-3 re-initialisation succeeded.
extern int gDisplayResult;

// Carries out a re-initialisation request (kDisplayReInit or
// kDisplayRestore): the window first, then the device (each negative on
// failure). A failed device in the new mode of request 1 is not fatal: the
// result 1 tells the state machine to go back to the old mode. A failed
// window, or a failed device on request 3, is: false, the program closes.
bool CarryOutReInitRequest(const std::function<int32_t()>& reInitWindow,
                           const std::function<int32_t()>& reInitDevice);

// Reads the "Video" section (defaults: windowed 0 / full screen 1, 1024 x
// 768, 85 Hz, no antialiasing, not wide) and fixes the three constant words.
void ReadVideoSettings(const std::wstring& iniPath, zuzorev::SDevInitParams& settings);
// Writes Antialising, FullScreen, Width, Height, RefreshRate and Wide.
void WriteVideoSettings(const std::wstring& iniPath, const zuzorev::SDevInitParams& settings);
// Writes the five keys a display change settles: FullScreen, Width, Height,
// RefreshRate, Wide.
void WriteVideoMode(const std::wstring& iniPath, const zuzorev::SDevInitParams& settings);

// The first mode of the list with the settings' size: its index when its
// rates hold the settings' rate, else (with rates) its last rate is taken
// into the settings. Modes without rates are passed over. False when no mode
// qualifies (settings and index untouched).
bool ChooseDisplayMode(const zuzorev::SDisplayModeI& modes, zuzorev::SDevInitParams& settings, int& index);

// The desktop size to put back when the display mode in force differs from
// the desktop's (width and height of the current mode in, new mode out): the
// larger desktop side goes to the larger side of the current mode (to the
// height when both sides are equal), so a rotated display keeps its
// orientation. False when the current mode already is the desktop's.
bool DesktopRestoreSize(int desktopWidth, int desktopHeight, int& width, int& height);
