#pragma once
// A model moving along a spline.
#include <string>
#include <vector>

#include "Objects/EmptySceneObject.h"

class CROMoveSpline : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // Appends the meshes of the scene's model file that it draws itself.
  void GetModelNames(std::vector<std::wstring>& names) const { (void)names; }
};
