#include "Logic/BaseEpisod.h"

void CBaseEpisod::SetStartedFlag() {}
void CBaseEpisod::AddPredmet(const std::wstring&, const std::wstring&) {}
int32_t CBaseEpisod::RunAction(const std::wstring&, int, SLogicAction*, int) { return 1; }
std::vector<std::wstring> CBaseEpisod::ShowHint(const std::wstring&) { return {}; }
bool CBaseEpisod::IsSceneTriggerSet(const std::wstring&, const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSceneObjectActive(const std::wstring&, const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSceneObjectUpdated(const std::wstring&, const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSimpleTaskVisible(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsComplexTaskVisible(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSimpleTaskOpen(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsComplexTaskOpen(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsSimpleTaskDeleted(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsComplexTaskDeleted(const std::wstring&, const std::wstring&) { return false; }
bool CBaseEpisod::IsPiecesLeftCount(const std::wstring&, const std::wstring&, int) { return false; }
