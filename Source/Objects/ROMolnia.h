#pragma once
// A lightning flash.
#include <string>
#include <vector>

#include "Objects/EmptySceneObject.h"

class CROMolnia : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // Appends the meshes of the scene's model file that it draws itself.
  void GetModelNames(std::vector<std::wstring>& names) const { (void)names; }
};
