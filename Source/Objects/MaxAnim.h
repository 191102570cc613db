#pragma once
// A model driven by a key-frame animation.
#include <cstdint>

#include "Objects/EmptySceneObject.h"

class CMaxAnim : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // 0 once, 1 loop, 2 once and hold the last pose, 3 the end pose.
  void Play(int mode) { (void)mode; }
  // The object the animation moves.
  void SetTargetObject(rovovoz::CBaseGeometryObject* object) { (void)object; }
  void Reset() {}
  // Its model drawn with the texture cropped to the scaled extent.
  int32_t RenderTruncateTexture() { return 0; }
};
