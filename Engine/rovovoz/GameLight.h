#pragma once
// The scene's light, handed to the render system when enabled.
#include <string>

#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/RenderTypes.h"

namespace rovovoz {

class CGameCore;

class CGameLight {
 public:
  explicit CGameLight(CGameCore* core = nullptr) : mCore(core) {}

  void Init(const std::wstring& name) { mName = name; }
  // 3 = directional (the only type the game uses).
  void SetType(int type) { mType = type; }
  void SetDiffuse(float r, float g, float b, float a) { mDiffuse = {r, g, b, a}; }
  void SetAmbient(float r, float g, float b, float a) { mAmbient = {r, g, b, a}; }
  void SetSpecular(float r, float g, float b, float a) { mSpecular = {r, g, b, a}; }
  void SetDirection(float x, float y, float z) { mDirection = zormath::Vec3f(x, y, z); }
  void SetRange(float range) { mRange = range; }
  void SetAttenuation0(float a) { mAttenuation[0] = a; }
  void SetAttenuation1(float a) { mAttenuation[1] = a; }
  void SetAttenuation2(float a) { mAttenuation[2] = a; }
  // Switches the light on (1) or off (0) in the render system.
  void Enable(int on);

  const std::wstring& GetName() const { return mName; }
  int GetType() const { return mType; }
  bool IsEnabled() const { return mEnabled; }
  const zuzorev::SColorValue& GetDiffuse() const { return mDiffuse; }
  const zormath::Vec3f& GetDirection() const { return mDirection; }

 private:
  CGameCore* mCore;
  std::wstring mName;
  int mType = 3;
  zuzorev::SColorValue mDiffuse{1, 1, 1, 1};
  zuzorev::SColorValue mAmbient{0, 0, 0, 1};
  zuzorev::SColorValue mSpecular{0, 0, 0, 1};
  zormath::Vec3f mDirection{0, -1, 0};
  float mRange = 1000.0f;
  float mAttenuation[3] = {1, 0, 0};
  bool mEnabled = false;
};

}  // namespace rovovoz
