#include "Logic/BaseEpisod.h"

int CBaseEpisod::RunAction(const std::wstring&, int, int, int) { return 0; }

int CBaseEpisod::ForwardSceneAction(const std::wstring&, int, int, int) { return 1; }

int CBaseEpisod::GetState() const { return 0; }

bool CBaseEpisod::RequestMenu() { return true; }

bool CBaseEpisod::RequestGuide() { return true; }

void CBaseEpisod::RequestDiary() {}

void CBaseEpisod::RequestToBacks(const std::wstring&, const std::wstring&, const std::wstring&, int, int) {}

int CBaseEpisod::FindHint() { return 0; }

int CBaseEpisod::GetSceneFrontMode() { return 0; }

bool CBaseEpisod::SceneShowsCursorObject(const std::wstring&, const zormath::Vec3f&) { return false; }

void CBaseEpisod::OnCursorObjectReleased(const std::wstring&) {}

int CBaseEpisod::QueryPredmet(const std::wstring&) { return 0; }

bool CBaseEpisod::IsHogObjectMarked(const std::wstring&) { return true; }

void CBaseEpisod::GetComplexHogItems(std::vector<SComplexHogItem>&, const std::wstring&) {}
