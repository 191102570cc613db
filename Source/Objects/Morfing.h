#pragma once
// A cross-fade between two models of the scene's model file.
#include <string>
#include <vector>

#include "Objects/EmptySceneObject.h"

class CMorfing : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  void Start() {}
  zormath::Vec3f GetPosition() const { return GetPosition3D(); }
  // Appends the meshes of the scene's model file that it draws itself.
  void GetModelNames(std::vector<std::wstring>& names) const { (void)names; }
};
