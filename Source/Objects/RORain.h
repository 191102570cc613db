#pragma once
// Rain.
#include "Objects/EmptySceneObject.h"

class CRORain : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
