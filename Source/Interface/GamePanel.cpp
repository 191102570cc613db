#include "Interface/GamePanel.h"

void CGamePanel::AddGhostObject() {}

void CGamePanel::AddSimpleObject(const std::wstring&, const std::wstring&, int, int) {}

void CGamePanel::DeleteSimpleObject(const std::wstring&) {}

void CGamePanel::DropCursorObject(int) {}

rovovoz::CBaseGeometryObject* CGamePanel::GetAlphaEkran() { return nullptr; }

rovovoz::CBaseGeometryObject* CGamePanel::GetAlphaEkran2() { return nullptr; }

rovovoz::CBaseGeometryObject* CGamePanel::GetAlphaEkran3() { return nullptr; }

rovovoz::CBaseGeometryObject* CGamePanel::GetAlphaEkran4() { return nullptr; }

std::wstring CGamePanel::GetCursorName() { return std::wstring(); }

rovovoz::CBaseGeometryObject* CGamePanel::GetDirka() { return nullptr; }

bool CGamePanel::IsCursorEmpty() { return true; }

bool CGamePanel::IsCursorName(const std::wstring&) { return false; }

bool CGamePanel::IsMouseOverPanel(rovovoz::CMouseCursor*) { return false; }

void CGamePanel::LoadDialog(std::wstring) {}

void CGamePanel::RenderPredmetMenu() {}

void CGamePanel::SetComplexHogList(const std::wstring&) {}

void CGamePanel::SetCursorIcon(float, rovovoz::CMouseCursor*) {}

void CGamePanel::SetCursorMode(int, int, int) {}

void CGamePanel::SetCursorModeByName(const std::wstring&, int, int) {}

void CGamePanel::SetPanelMode(std::wstring, std::wstring) {}

void CGamePanel::ShowHintAt(float, float, float, float, float) {}

bool CGamePanel::ShowPredmet(const std::wstring&) { return false; }

void CGamePanel::StartDialog() {}

void CGamePanel::StartDnevnikEffect(int) {}

void CGamePanel::StartMorphEffect(const zormath::Vec3f&, rovovoz::CBaseGeometryObject*) {}

void CGamePanel::TakeToCursor(const std::wstring&, rovovoz::CBaseGeometryObject*) {}

int CGamePanel::UpdatePredmetMenu(float, rovovoz::CMouseCursor*) { return -2; }
