#pragma once
// A tree of the scene's model file swaying in the wind.
#include "Objects/EmptySceneObject.h"

class CDerevo : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
