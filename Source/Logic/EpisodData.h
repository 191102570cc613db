#pragma once
// One chapter of the story as its files describe it: its name and the
// progress a new game of it starts from. Of that progress the chapter files
// fill the name, the end count (mValue), the script tree (the chapter's own
// actions and, per scene, an SSaveMapPair with the scene's and its
// close-ups' actions) and the per-scene task counts (SBackTaskCounts: the
// scene's count and start flag, and per close-up its count and start flag).
#include <string>

#include "SaveInfo/SEpisodInfo.h"

struct SEpisodData {
  std::wstring Name;
  SEpisodInfo Info;
};
