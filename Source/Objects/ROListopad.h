#pragma once
// Falling leaves.
#include "Objects/EmptySceneObject.h"

class CROListopad : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
