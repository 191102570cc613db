#pragma once
// A model playing the animations of a list at random.
#include "Objects/EmptySceneObject.h"

class CROModelAnimatoinList : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // Starts a random animation of its list.
  void StartRandom() {}
};
