#pragma once
// A model playing the animations of an animation set.
#include "Objects/EmptySceneObject.h"

class CAnimObject3D : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // Play controls of the scene actions; Stop (value) ends the animation.
  void Play() {}
  void PlayOnce() {}
  void PlayLoop() {}
  void PlayBlendOnce() {}
  void PlayBlendLoop() {}
};
