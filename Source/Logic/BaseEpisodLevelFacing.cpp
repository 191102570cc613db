// What a playable scene asks of the chapter it runs in, answered neutrally
// until the chapter's own operations take them over.
#include "Logic/BaseEpisod.h"

bool CBaseEpisod::IsEndingRequested() const { return false; }

void CBaseEpisod::DeleteSimpleObject(const std::wstring&, const std::wstring&) {}
