#pragma once
// Glints twinkling at the points of a point model.
#include "Objects/EmptySceneObject.h"

class CBlesk : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
