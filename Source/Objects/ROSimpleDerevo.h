#pragma once
// A model swaying to and fro.
#include "Objects/EmptySceneObject.h"

class CROSimpleDerevo : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
