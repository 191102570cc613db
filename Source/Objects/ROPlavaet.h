#pragma once
// An object bobbing on water.
#include "Objects/EmptySceneObject.h"

class CROPlavaet : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
