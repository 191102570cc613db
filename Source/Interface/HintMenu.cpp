#include "Interface/HintMenu.h"

CHintMenu::CHintMenu(rovovoz::CGameCore* core) : mCore(core) {}

CHintMenu::~CHintMenu() = default;

bool CHintMenu::Load(const std::wstring&) { return true; }

int32_t CHintMenu::ReInit() { return 1; }

int8_t CHintMenu::Update(float, rovovoz::CMouseCursor*) { return 0; }

void CHintMenu::Render() {}

bool CHintMenu::GetCheck() { return false; }

void CHintMenu::CloseHint(int, float) {}

void CHintMenu::GetBoxRect(float& left, float& top, float& right, float& bottom) { left = top = right = bottom = 0.0f; }

bool CHintMenu::SelectHint(const std::wstring&) { return false; }

void CHintMenu::Show() {}
