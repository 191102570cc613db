#include "Engine/rovovoz/BaseParamInitEmiter.h"

namespace rovovoz {

CBaseParamInitEmiter::CBaseParamInitEmiter() { SetDefault(); }

CBaseParamInitEmiter::~CBaseParamInitEmiter() = default;

void CBaseParamInitEmiter::SetDefault() {
  mName = L"TBaseEmiter";
  mTextureFile.clear();
  mRenderSeting.clear();
  mPosition = zormath::Vec3f();
  mX1 = mZ1 = mX2 = mZ2 = 0;
  mWidth = mDepth = 0;
  mScaleX = mScaleZ = 1;
  mAreaKind = kEmiterAreaRectangle;
  mRate = 0;
  mSizeScale = 1;
  mLifeScale = 1;
  mPoints.clear();
  mDirections.clear();
  mRegion.Clear();
  mTexture.Release();
}

void CBaseParamInitEmiter::AddPoint(const zormath::Vec3f& offset) { mPoints.push_back(offset); }

void CBaseParamInitEmiter::AddDirection(const zormath::Vec3f& direction) { mDirections.push_back(direction); }

void CBaseParamInitEmiter::ClearPoints() { mPoints.clear(); }

void CBaseParamInitEmiter::ClearDirections() { mDirections.clear(); }

}  // namespace rovovoz
