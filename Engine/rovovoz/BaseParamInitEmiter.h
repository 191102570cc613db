#pragma once
// The parameter block from which a particle system makes one emitter. The
// caller fills it (usually on the stack) and hands it to
// CParticleSystem::AddEmiter, which copies what it needs.
//
// What the particles are like (life, speed, colours, size ...) comes from
// the emitter type named by mName in the particle-state manager; the block
// says where they are born and may override the type's picture, render
// setting and a few of its numbers.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/GeometryRegion3D.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Texture.h"

namespace rovovoz {

// Where an emitter's particles are born (mAreaKind).
enum : int32_t {
  kEmiterAreaRectangle = 0,  // the rectangle around the position
  kEmiterAreaRegion = 1,     // spread over mRegion (the rectangle while it is empty)
};

class CBaseParamInitEmiter {
 public:
  CBaseParamInitEmiter();
  CBaseParamInitEmiter(const CBaseParamInitEmiter&) = default;
  CBaseParamInitEmiter& operator=(const CBaseParamInitEmiter&) = default;

  // Back to the defaults: type "TBaseEmiter", no picture or setting of its
  // own, both point lists empty, numbers as constructed. The region and the
  // texture are emptied too.
  virtual void SetDefault();
  // Birth points, offsets from mPosition: when there are any, each particle
  // is born at one of them (chosen at random) instead of over the area.
  virtual void AddPoint(const zormath::Vec3f& offset);
  // Start directions: when there are any, each particle starts along one of
  // them (chosen at random, then spread by the type's cone) instead of the
  // type's direction.
  virtual void AddDirection(const zormath::Vec3f& direction);
  virtual void ClearPoints();
  virtual void ClearDirections();
  virtual ~CBaseParamInitEmiter();

  std::wstring mName;          // emitter type in the particle-state manager
  std::wstring mTextureFile;   // picture (data name); empty: the type's
  std::wstring mRenderSeting;  // render-setting name; empty: the type's

  zormath::Vec3f mPosition;  // in the particle system's own space
  // Emission rectangle in x-z: its centre is the middle of the corners
  // (x1, z1)-(x2, z2), offsets from the position; its size is mWidth x
  // mDepth. Both are multiplied by the scales. Size 0 x 0 is a point.
  float mX1 = 0, mZ1 = 0, mX2 = 0, mZ2 = 0;
  float mWidth = 0, mDepth = 0;
  float mScaleX = 1, mScaleZ = 1;
  int32_t mAreaKind = kEmiterAreaRectangle;

  float mRate = 0;       // particles per second; 0 or less: the type's
  float mSizeScale = 1;  // multiplies the type's sizes
  float mLifeScale = 1;  // multiplies the type's life

  std::vector<zormath::Vec3f> mPoints;
  std::vector<zormath::Vec3f> mDirections;
  // Outline in scene x-z (a trigger model's) for kEmiterAreaRegion; y comes
  // from the position.
  CGeometryRegion3D mRegion;
  // A picture the caller already holds; used before mTextureFile when named.
  zuzorev::CTexture mTexture;
};

}  // namespace rovovoz
