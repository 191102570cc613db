#pragma once
// A model looping through numbered textures.
#include "Objects/EmptySceneObject.h"

class CROAnimTextureLoop : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
