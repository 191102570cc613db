#include "Levels/BaseLevel.h"

CBaseLevel::CBaseLevel() = default;

CBaseLevel::~CBaseLevel() = default;

// ---- what the chapter calls by its state ------------------------------------

int32_t CBaseLevel::UpdateFromEpisode(float dt, rovovoz::CMouseCursor*) {
  UpdateObjects(dt);
  return 0;
}

int32_t CBaseLevel::UpdateNoPick(float dt, rovovoz::CMouseCursor*) {
  UpdateObjects(dt);
  return 0;
}

void CBaseLevel::OnEpisodeStarted() {}

int32_t CBaseLevel::RenderObjectsAndPanel() { return Render(); }

int32_t CBaseLevel::RenderWithoutPanel() { return Render(); }

int32_t CBaseLevel::GetStartFlag() const { return 1; }

int CBaseLevel::FindHintTarget(int) { return 0; }

bool CBaseLevel::IsObjectParamCSetInAny(const std::wstring& name) { return IsObjectParamCSet(name); }

bool CBaseLevel::ShowsCursorObject(const std::wstring&, const zormath::Vec3f&) { return false; }

int32_t CBaseLevel::LoadForm(const std::vector<std::wstring>& words) { return HandleWordCommand(words); }
