#pragma once
// A water jet.
#include "Objects/EmptySceneObject.h"

class CStruya : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
