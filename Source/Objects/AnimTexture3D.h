#pragma once
// A model with an animated texture.
#include "Objects/EmptySceneObject.h"

class CAnimTexture3D : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
