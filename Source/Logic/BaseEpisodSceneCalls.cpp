// What a scene's actions and clicks ask of the chapter: neutral answers
// until the chapter's own operations come.
#include "Logic/BaseEpisod.h"

void CBaseEpisod::RecordFoundItem(const std::wstring&, const std::wstring&, int) {}
void CBaseEpisod::RecordItem(const std::wstring&) {}
bool CBaseEpisod::RecordFoundPiece(const std::wstring&, const std::wstring&, int, rovovoz::CBaseGeometryObject*) {
  return true;
}
bool CBaseEpisod::AcceptFindPiece(const std::wstring&, const std::wstring&, int) { return false; }
void CBaseEpisod::OpenSimpleTask(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                                 int) {}
void CBaseEpisod::AddComplexObject(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                                   int) {}
void CBaseEpisod::DeleteSimpleTask(const std::wstring&, const std::wstring&) {}
void CBaseEpisod::DeleteComplexTask(const std::wstring&, const std::wstring&) {}
void CBaseEpisod::SetSimpleTaskTip(const std::wstring&, const std::wstring&, const std::wstring&) {}
void CBaseEpisod::SetComplexTaskTip(const std::wstring&, const std::wstring&, const std::wstring&) {}
void CBaseEpisod::SetComplexPieceTip(const std::wstring&, const std::wstring&, int, const std::wstring&) {}
void CBaseEpisod::SceneObjectVisible(const std::wstring&, const std::wstring&, const std::wstring&, int,
                                     const std::wstring&, int) {}
void CBaseEpisod::SceneTriggerVisible(const std::wstring&, const std::wstring&, const std::wstring&, int) {}
void CBaseEpisod::SceneObjectsVisibleByMask(const std::wstring&, const std::wstring&, const std::wstring&, int,
                                            const std::wstring&, int, int, int) {}
void CBaseEpisod::SceneTriggersVisibleByMask(const std::wstring&, const std::wstring&, const std::wstring&, int, int,
                                             int) {}
void CBaseEpisod::SceneObjectUpdate(const std::wstring&, const std::wstring&, const std::wstring&, int) {}
void CBaseEpisod::SceneObjectRender2D(const std::wstring&, const std::wstring&, const std::wstring&, int) {}
void CBaseEpisod::SceneObjectTopRender(const std::wstring&, const std::wstring&, const std::wstring&, int) {}
void CBaseEpisod::DecrementSceneNamedCount(const std::wstring&, const std::wstring&) {}
void CBaseEpisod::DecrementSceneNamedCount2(const std::wstring&, const std::wstring&) {}
int32_t CBaseEpisod::RunSceneAction(const std::wstring&, const std::wstring&, const std::wstring&, int, SLogicAction*,
                                    int) {
  return 1;
}
int32_t CBaseEpisod::RunSceneActionE(const std::wstring&, const std::wstring&, const std::wstring&, int,
                                     SLogicAction*, int) {
  return 1;
}
void CBaseEpisod::StartRolik(std::wstring, int) {}
void CBaseEpisod::PlayRandomMusic(const std::wstring&, int) {}
void CBaseEpisod::StopRandomMusic(float) {}
