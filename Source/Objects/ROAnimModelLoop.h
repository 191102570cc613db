#pragma once
// A loop through numbered frame meshes of the scene's model file.
#include <string>
#include <vector>

#include "Objects/EmptySceneObject.h"

class CROAnimModelLoop : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // Starts scrolling (direction +1, or -1 when asked).
  void Start(int direction) { (void)direction; }
  // Appends the meshes of the scene's model file that it draws itself.
  void GetModelNames(std::vector<std::wstring>& names) const { (void)names; }
};
