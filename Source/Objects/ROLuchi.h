#pragma once
// Pulsing light rays.
#include "Objects/EmptySceneObject.h"

class CROLuchi : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
