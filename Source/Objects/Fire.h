#pragma once
// A fire: a flame texture drawn on a model.
#include "Objects/EmptySceneObject.h"

class CFire : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
