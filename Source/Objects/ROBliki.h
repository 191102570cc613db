#pragma once
// Twinkling highlights.
#include "Objects/EmptySceneObject.h"

class CROBliki : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
