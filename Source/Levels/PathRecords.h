#pragma once
// Path objects of a scene: groups of the scene's objects that move together
// along a group path of the "_path" companion, with what each move does to
// its objects at its start and its end.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/GroupPathObject.h"

// One moved object. Settings are -1 when the file does not give them; only
// 0 and 1 act (LoadTransf and SaveEndPos on 1 only).
struct SPathItem {
  int32_t mEntry = -1;
  int32_t mStartVisible = -1;
  int32_t mEndVisible = -1;
  int32_t mLoadTransf = -1;
  int32_t mSaveEndPos = -1;
  int32_t mStartSmooth = -1;
  int32_t mEndSmooth = -1;
};

struct SPathObject {
  std::wstring mName;
  rovovoz::CGroupPathObject mGroup;
  std::vector<SPathItem> mItems;
};

// A move under way; queued moves hold mode 7 of the mode queue.
struct SRunningPath {
  int32_t mPath = -1;
  std::wstring mEndAction;
  int32_t mQueued = 0;
};

// A queued start that waits for mode 7 to reach the front.
struct SPathRequest {
  int32_t mPath = -1;
  std::wstring mEndAction;
};
