#pragma once
// A rippling reflection.
#include "Objects/EmptySceneObject.h"

class CROOtragenie : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
