#include "AppPaths.h"

std::wstring gInstallPath;
std::wstring gUserDataPath;
std::wstring gIniFileName;
