#pragma once
// The XML export of a key-frame animation (root "MaxAnimation"): the
// samples of one node baked into one key per frame, its controller tracks
// spread over those keys, and the tracks of its parent node over them once
// more.
#include <string>
#include <vector>

#include "Objects/AnimKey.h"

namespace animfile {

// Reads node `node` of `file` into out. restPose holds the vertex positions
// of the animated mesh's first part (empty without a model): vertex tracks
// move the vertices that lie near their first key. False when the file is
// missing or malformed (out then holds what was read of the node itself
// only when its own part was sound); a file without the root element reads
// as an empty animation.
bool ReadExport(const std::wstring& file, const std::wstring& node, const std::vector<zormath::Vec3f>& restPose,
                SAnimData& out);

}  // namespace animfile
