#pragma once
// Fire made of particles.
#include "Objects/EmptySceneObject.h"

class CFirePart : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
