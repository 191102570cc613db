#include "Logic/Logic.h"

CLogic::CLogic() = default;

CLogic::~CLogic() = default;

int CLogic::LoadSteps(const std::wstring&) { return 1; }

int CLogic::LoadLevels() { return 1; }

int CLogic::LoadRegions() { return 1; }

int CLogic::LoadMiniGames() { return 1; }

int CLogic::LoadRoliki() { return 1; }

int CLogic::LoadPredmets(const std::wstring&) { return 1; }

int CLogic::LoadHogPredmets(const std::wstring&) { return 1; }

int CLogic::LoadDialogs() { return 1; }

int CLogic::LoadSadanies(const std::wstring&) { return 1; }

std::wstring CLogic::FindItemText(const std::wstring&) const { return std::wstring(); }

const SLogicPredmet* CLogic::StdPredmetMapFind(const std::wstring&) const { return nullptr; }

CBaseMiniGame* CLogic::FindMiniGame(const std::wstring&) const { return nullptr; }

int CLogic::Play() { return 0; }

int CLogic::ReInit() { return 1; }

void CLogic::Render() {}

void CLogic::ResumeCurrent() {}

void CLogic::SaveCurrentStepName(int) {}

void CLogic::StopEpisod() {}

void CLogic::Update(float, rovovoz::CMouseCursor*) {}

void CLogic::UpdateEpisod(float) {}
