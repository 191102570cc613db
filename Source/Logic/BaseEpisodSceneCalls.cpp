// What a scene's clicks ask of the chapter that is no task, item or object
// operation of the chapter's own.
#include "Logic/BaseEpisod.h"

// Pieces of a complex "find" item are never taken by a click.
bool CBaseEpisod::AcceptFindPiece(const std::wstring&, const std::wstring&, int) { return false; }
