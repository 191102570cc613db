#pragma once
// Drifting clouds.
#include "Objects/EmptySceneObject.h"

class COblaka : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
