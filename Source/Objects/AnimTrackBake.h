#pragma once
// Spreads a controller track of an export over the baked keys: linear
// between its keys, and before its first and after its last key by the
// track's out-of-range modes.
#include <vector>

#include "Objects/AnimKey.h"

namespace animfile {

enum class ETrack { Alpha, Scale, OffsetU, OffsetV };

// A track of fewer than two keys leaves the keys as they are. Track frames
// must lie within the keys (the reader clamps them).
void BakeTrack(std::vector<SAnimKey>& keys, const std::vector<SAnimTrackKey>& track, ETrack kind);

}  // namespace animfile
