// Clicks, tips, path objects and the drain of pending work: the entry
// points the scene's update and loading call. Their work belongs to the
// click, tip, path and scene-start handling.
#include "Levels/BaseBack.h"

int32_t CBaseBack::OnClick(int, int, rovovoz::CMouseCursor*) { return 0; }

void CBaseBack::ShowGameTip(const std::wstring&) {}

// A scene without a "_path" file is normal.
int32_t CBaseBack::LoadPathObjects(const std::wstring&) { return 1; }

int32_t CBaseBack::FinishPending() { return 0; }
