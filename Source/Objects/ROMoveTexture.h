#pragma once
// A model whose texture scrolls.
#include "Objects/EmptySceneObject.h"

class CROMoveTexture : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // Starts scrolling (direction +1, or -1 when asked).
  void Start(int direction) { (void)direction; }
};
