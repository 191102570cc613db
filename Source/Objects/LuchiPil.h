#pragma once
// Light rays with dust floating in them.
#include "Objects/EmptySceneObject.h"

class CLuchiPil : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;
};
