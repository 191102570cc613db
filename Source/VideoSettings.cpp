#include "VideoSettings.h"

#include <algorithm>

#include "GameLog.h"
#include "Ini.h"

namespace {
const wchar_t* const kSource = L"Source/VideoSettings";
}

zuzorev::SDevInitParams gVideoSettings;
zuzorev::SDevInitParams gVideoSettingsNew;
zuzorev::SDisplayModeI gDisplayModes;
int gDisplayModeIndex = 0;
int gDisplayRequest = kDisplayNone;
int gDisplayResult = 0;

void ReadVideoSettings(const std::wstring& iniPath, zuzorev::SDevInitParams& settings) {
  settings.Antialiasing = Ini::GetInt(iniPath, L"Video", L"Antialising", 0);
  settings.FullScreen = Ini::GetInt(iniPath, L"Video", L"FullScreen", 1);
  settings.Width = Ini::GetInt(iniPath, L"Video", L"Width", 1024);
  settings.Height = Ini::GetInt(iniPath, L"Video", L"Height", 768);
  settings.RefreshRate = Ini::GetInt(iniPath, L"Video", L"RefreshRate", 85);
  settings.Wide = Ini::GetInt(iniPath, L"Video", L"Wide", 0);
  settings.Version = 1;
  settings.Format = zuzorev::kFormatX8R8G8B8;
  settings.Reserved = 0;
}

void WriteVideoSettings(const std::wstring& iniPath, const zuzorev::SDevInitParams& settings) {
  Ini::SetInt(iniPath, L"Video", L"Antialising", settings.Antialiasing);
  WriteVideoMode(iniPath, settings);
}

void WriteVideoMode(const std::wstring& iniPath, const zuzorev::SDevInitParams& settings) {
  Ini::SetInt(iniPath, L"Video", L"FullScreen", settings.FullScreen);
  Ini::SetInt(iniPath, L"Video", L"Width", settings.Width);
  Ini::SetInt(iniPath, L"Video", L"Height", settings.Height);
  Ini::SetInt(iniPath, L"Video", L"RefreshRate", settings.RefreshRate);
  Ini::SetInt(iniPath, L"Video", L"Wide", settings.Wide);
}

bool ChooseDisplayMode(const zuzorev::SDisplayModeI& modes, zuzorev::SDevInitParams& settings, int& index) {
  for (size_t i = 0; i < modes.Modes.size(); ++i) {
    const zuzorev::SDisplayMode& mode = modes.Modes[i];
    if (mode.Height != settings.Height || mode.Width != settings.Width) continue;
    const auto& rates = mode.RefreshRates;
    if (std::find(rates.begin(), rates.end(), settings.RefreshRate) != rates.end()) {
      index = static_cast<int>(i);
      return true;
    }
    if (!rates.empty()) {
      settings.RefreshRate = rates.back();
      index = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

bool DesktopRestoreSize(int desktopWidth, int desktopHeight, int& width, int& height) {
  if (desktopHeight == height && desktopWidth == width) return false;
  const int larger = std::max(desktopWidth, desktopHeight);
  const int smaller = std::min(desktopWidth, desktopHeight);
  if (width > height) {
    width = larger;
    height = smaller;
  } else {
    height = larger;
    width = smaller;
  }
  return true;
}

bool CarryOutReInitRequest(const std::function<int32_t()>& reInitWindow,
                           const std::function<int32_t()>& reInitDevice) {
  const int request = gDisplayRequest;
  if (reInitWindow() < 0) {
    gamelog::Error(kSource, __LINE__, L"mWindowSys ReInit.");
    return false;
  }
  if (reInitDevice() < 0) {
    if (request == kDisplayRestore) {
      gamelog::Error(kSource, __LINE__, L"mRenderSys re ReInit.");
      return false;
    }
    gamelog::Error(kSource, __LINE__, L"mRenderSys ReInit.");
    gDisplayResult = 1;
  }
  if (request == kDisplayRestore) gDisplayResult = 2;
  gDisplayRequest = kDisplayNone;
  return true;
}
