#pragma once
// A resting model that comes to life now and then: after a random pause one
// of its animations, chosen at random, plays once; then the model rests
// again. One animation may be the click animation that the scene's action
// plays on demand, and with Click 2 it is kept out of the random choice.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"

namespace rovovoz {
class CModelAnimation3D;
class CStaticObject3D;
}  // namespace rovovoz

class CROModelAnimatoinList : public rovovoz::CBaseGeometryObject {
 public:
  static constexpr int kMaxAnimations = 10;

  explicit CROModelAnimatoinList(rovovoz::CGameCore* core);
  ~CROModelAnimatoinList() override;
  CROModelAnimatoinList(const CROModelAnimatoinList&) = delete;
  CROModelAnimatoinList& operator=(const CROModelAnimatoinList&) = delete;

  // Also draws the first pause after a scene load (shorter on average).
  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;
  void UpdateTempMatrix() override;

  // Plays the click animation now (the first animation when none is marked).
  void StartRandom();
  void GetModelNames(std::vector<std::wstring>& names) const;

  // -1 while resting.
  int32_t GetCurrent() const { return mCurrent; }
  int32_t GetCount() const { return mCount; }
  float GetPause() const { return mPause; }
  rovovoz::CStaticObject3D* GetStaticModel() const { return mStatic; }
  rovovoz::CModelAnimation3D* GetAnimation(int i) const;
  const std::wstring& GetAnimationName(int i) const { return mNames[static_cast<size_t>(i)]; }

 private:
  float DrawPause() const;
  // Plays the animation of that index; one that failed to load counts as
  // finished at once, so the model rests again.
  void PlayIndex(int index);

  rovovoz::CStaticObject3D* mStatic = nullptr;
  float mPause = 0.0f;
  float mPauseMin = 1.0f;
  float mPauseMax = 2.0f;
  int32_t mCount = 0;
  std::array<rovovoz::CModelAnimation3D*, kMaxAnimations> mAnimations{};
  std::array<std::wstring, kMaxAnimations> mNames;
  int32_t mCurrent = -1;
  int32_t mClickMode = 0;
  int32_t mClickAnimation = 0;
};
