#pragma once
// The playable scene: every scene of the scene list is one, or one of the
// scene classes derived from it. Until its own operations come it plays as
// the scene framework's scene, purely from its data files.
#include "Levels/BaseBack.h"

class CBaseLevel : public CBaseBack {
 public:
  CBaseLevel();
  ~CBaseLevel() override;
};
