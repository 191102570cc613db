// What a scene's clicks and actions ask of the chapter that is no task,
// item or object operation of the chapter's own.
#include "Levels/BaseBack.h"
#include "Logic/BaseEpisod.h"

// Pieces of a complex "find" item are never taken by a click.
bool CBaseEpisod::AcceptFindPiece(const std::wstring&, const std::wstring&, int) { return false; }

void CBaseEpisod::DecrementSceneNamedCount(const std::wstring& scene, const std::wstring& counter) {
  if (CBaseBack* back = FindBack(scene)) back->DecrementNamedCount(counter);
}

void CBaseEpisod::DecrementSceneNamedCount2(const std::wstring& scene, const std::wstring& counter) {
  if (CBaseBack* back = FindBack(scene)) back->DecrementNamedCount2(counter);
}
