#pragma once
// A close-up view inside a scene: every entry of the close-up list is one,
// or one of the close-up classes derived from it. Until its own operations
// come it plays as the scene framework's scene, purely from its data files.
#include "Levels/BaseBack.h"

class CBaseRegion : public CBaseBack {
 public:
  CBaseRegion();
  ~CBaseRegion() override;
};
