#pragma once
// A frame animation: one mesh of the scene's model file per frame.
#include <string>
#include <vector>

#include "Objects/EmptySceneObject.h"

class CSimpleFrameAnim : public CEmptySceneObject {
 public:
  using CEmptySceneObject::CEmptySceneObject;

  // Play controls of the scene actions.
  void Play() {}
  void PlayBack() {}
  void PlayLoop() {}
  void PlayLoopUpDown() {}
  // Stops where it is (0), at the end (1) or at the start (2).
  void StopAt(int where) { (void)where; }
  // Appends the meshes of the scene's model file that it draws itself.
  void GetModelNames(std::vector<std::wstring>& names) const { (void)names; }
};
