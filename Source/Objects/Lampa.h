#pragma once
// A flickering lamp.
#include "Objects/EmptySceneObject.h"

class CLampa : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
