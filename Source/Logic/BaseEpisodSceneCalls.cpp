// The names a scene's actions and clicks use for the chapter's operations:
// each hands the call to the chapter's own.
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"

void CBaseEpisod::RecordFoundItem(const std::wstring& group, const std::wstring& item, int) {
  SetSimpleTaskFound(group, item);
}
void CBaseEpisod::RecordItem(const std::wstring& item) { AddFoundItemName(item); }
bool CBaseEpisod::RecordFoundPiece(const std::wstring& group, const std::wstring& item, int piece,
                                   rovovoz::CBaseGeometryObject* model) {
  return SetComplexPieceFound(group, item, piece, model);
}
// Pieces of a complex "find" item are never taken by a click.
bool CBaseEpisod::AcceptFindPiece(const std::wstring&, const std::wstring&, int) { return false; }
void CBaseEpisod::OpenSimpleTask(const std::wstring& group, const std::wstring& item, const std::wstring& tipKey,
                                 const std::wstring& text, int value) {
  AddSimpleObject(group, item, tipKey, text, value);
}
void CBaseEpisod::DeleteSimpleTask(const std::wstring& group, const std::wstring& item) {
  DeleteSimpleObject(group, item);
}
void CBaseEpisod::DeleteComplexTask(const std::wstring& group, const std::wstring& item) {
  DeleteComplexObject(group, item);
}
void CBaseEpisod::SetSimpleTaskTip(const std::wstring& group, const std::wstring& item, const std::wstring& tipKey) {
  SetSimpleTaskTips(group, item, tipKey);
}
void CBaseEpisod::SetComplexTaskTip(const std::wstring& group, const std::wstring& item, const std::wstring& tipKey) {
  SetComplexTaskTips(group, item, tipKey);
}
void CBaseEpisod::SetComplexPieceTip(const std::wstring& group, const std::wstring& item, int piece,
                                     const std::wstring& tipKey) {
  SetPieceTaskTips(group, item, piece, tipKey);
}
void CBaseEpisod::SceneObjectVisible(const std::wstring& scene, const std::wstring& region, const std::wstring& object,
                                     int visible, const std::wstring& command, int reload) {
  SetBackObjectVisible(scene, region, object, visible, command, reload);
}
void CBaseEpisod::SceneTriggerVisible(const std::wstring& scene, const std::wstring& region,
                                      const std::wstring& object, int value) {
  SetBackTriangleVisible(scene, region, object, value);
}
void CBaseEpisod::SceneObjectsVisibleByMask(const std::wstring& scene, const std::wstring& region,
                                            const std::wstring& prefix, int visible, const std::wstring& command,
                                            int reload, int first, int last) {
  SetBackObjectMask(scene, region, prefix, visible, command, reload, first, last);
}
void CBaseEpisod::SceneTriggersVisibleByMask(const std::wstring& scene, const std::wstring& region,
                                             const std::wstring& prefix, int value, int first, int last) {
  SetBackTriangleMask(scene, region, prefix, value, first, last);
}
void CBaseEpisod::SceneObjectUpdate(const std::wstring& scene, const std::wstring& region, const std::wstring& object,
                                    int value) {
  SetBackObjectUpdate(scene, region, object, value);
}
void CBaseEpisod::SceneObjectRender2D(const std::wstring& scene, const std::wstring& region,
                                      const std::wstring& object, int value) {
  SetBackObjectRender2D(scene, region, object, value);
}
void CBaseEpisod::SceneObjectTopRender(const std::wstring& scene, const std::wstring& region,
                                       const std::wstring& object, int value) {
  SetBackObjectTopRender(scene, region, object, value);
}
void CBaseEpisod::DecrementSceneNamedCount(const std::wstring& scene, const std::wstring& counter) {
  if (CBaseBack* back = FindBack(scene)) back->DecrementNamedCount(counter);
}
void CBaseEpisod::DecrementSceneNamedCount2(const std::wstring& scene, const std::wstring& counter) {
  if (CBaseBack* back = FindBack(scene)) back->DecrementNamedCount2(counter);
}
int32_t CBaseEpisod::RunSceneAction(const std::wstring& scene, const std::wstring& region, const std::wstring& action,
                                    int mode, SLogicAction* record, int mask) {
  return RunBackAction(scene, region, action, mode, record, mask);
}
int32_t CBaseEpisod::RunSceneActionE(const std::wstring& scene, const std::wstring& region,
                                     const std::wstring& action, int mode, SLogicAction* record, int mask) {
  return RunBackActionE(scene, region, action, mode, record, mask);
}
void CBaseEpisod::PlayRandomMusic(const std::wstring& name, int flag) { StartRandomMusic(&name, flag); }
