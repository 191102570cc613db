#include "Objects/Blesk.h"

#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/Blesk";
// Point models are read whole.
constexpr uint32_t kPointFlags = 0x0FFFFFFFu;

float Lerp(float a, float b, float f) { return (1.0f - f) * a + f * b; }

float ReadNumber(const TiXmlElement* element, const char* name, float fallback) {
  float value = fallback;
  objects::ReadFloat(element, name, value);
  return zormath::Finite(value);
}

// A range from its two keys (defaults when missing), negative bounds raised
// to floor when asked.
SBleskRange ReadRange(const TiXmlElement* element, const char* minName, const char* maxName, float fallback,
                      bool noNegative) {
  SBleskRange range;
  range.min = ReadNumber(element, minName, fallback);
  range.max = ReadNumber(element, maxName, fallback);
  if (noNegative) {
    if (range.min < 0.0f) range.min = 0.0f;
    if (range.max < 0.0f) range.max = 0.0f;
  }
  range.Settle();
  return range;
}

}  // namespace

float SBleskRange::Draw() const {
  if (!random) return min;
  return min + (max - min) * Platform::RandomFloat();
}

void SBleskRange::Settle() {
  if (max < min) max = min;
  random = max > min;
}

CBlesk::CBlesk(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) { ResetSettings(); }

CBlesk::~CBlesk() { Release(0); }

void CBlesk::ResetSettings() {
  mScale = {1.0f, 1.0f, false};
  mWait = {0.0f, 0.0f, false};
  mPeakAlpha = {1.0f, 1.0f, false};
  mBeginTime = mCenterTime = mEndTime = {0.0f, 0.0f, false};
  mEndScaleMode = 0;
  mBeginSpin = mCenterSpin = mEndSpin = {1.0f, 1.0f, false};
  mBaseAlpha = 0.0f;
  mBaseScale = 0.1f;
  mAlpha = 1.0f;
}

int32_t CBlesk::Release(uint32_t) {
  mMesh.Release();
  ResetSettings();
  mBeginScaleMode = 0;
  mGlints.clear();
  return 0;
}

int32_t CBlesk::Load(uint32_t flags) {
  if (!mMesh.Empty()) mMesh.Load(flags);
  return 1;
}

int32_t CBlesk::UnLoad(uint32_t flags) {
  if (!mMesh.Empty()) mMesh.UnLoad(flags);
  return 1;
}

int32_t CBlesk::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  mGlints.clear();
  mMesh.Release();
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  // Without its star or its points the object would sparkle nowhere: the
  // scene drops it and says so.
  if (!objects::LoadPropertiesMesh(kSource, __LINE__, render, properties, modelFile, flags, mMesh,
                                   L"Load blesk model."))
    return objects::kLoadFail;
  std::wstring pointName;
  if (!objects::ReadText(properties, "NamePoint", pointName)) {
    objects::Error(kSource, __LINE__, L"No find attribute  NamePoint");
    return objects::kLoadFail;
  }
  zuzorev::CMeshPoint points;
  std::wstring pointModel;
  const int32_t loaded = objects::ReadText(properties, "NameModelPoint", pointModel)
                             ? render->LoadMesh(pointName, points, pointModel, kPointFlags)
                             : render->LoadMesh(pointName, points, L"", kPointFlags);
  if (loaded <= 0) {
    objects::Error(kSource, __LINE__, L"Load blesk point model.");
    return objects::kLoadFail;
  }
  if (!ReadSettings(properties)) return objects::kLoadFail;

  const std::vector<zormath::Vec3f>& list = points.GetListPoint();
  if (!list.empty()) {
    const float step = mWait.min / static_cast<float>(list.size());
    mGlints.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
      SGlint glint;
      if (!mWait.random) {
        // The glints start one after another.
        glint.state = 1;
        glint.duration = static_cast<float>(i) * step;
      } else {
        glint.state = 0;
      }
      glint.time = 0.0f;
      glint.alpha = mBaseAlpha;
      glint.point(3, 0) = list[i].x;
      glint.point(3, 1) = list[i].y;
      glint.point(3, 2) = list[i].z;
      glint.render = glint.point;
      glint.scaleRotation(0, 0) = mBaseScale;
      glint.scaleRotation(2, 2) = mBaseScale;
      mGlints.push_back(glint);
    }
  }
  UpdateTempMatrix();
  return 0;
}

bool CBlesk::ReadSettings(const TiXmlElement* properties) {
  const TiXmlElement* point = FirstChildElementUpper(properties, "Point");
  if (!point) {
    objects::Error(kSource, __LINE__, L"No find teg Point");
    return false;
  }
  mBaseScale = ReadNumber(point, "BaseScale", 0.1f);
  if (mBaseScale < 0.0f) mBaseScale = 0.1f;
  mScale.min = ReadNumber(point, "MinScale", 1.0f);
  mScale.max = ReadNumber(point, "MaxScale", 1.0f);
  if (mScale.min <= 0.0f) mScale.min = 1.0f;
  if (mScale.max <= 0.0f) mScale.max = 1.0f;
  if (mScale.min < mBaseScale) mScale.min = mBaseScale;
  mScale.Settle();
  mBaseAlpha = zormath::Clamp(ReadNumber(point, "BaseAlpha", 0.0f), 0.0f, 1.0f);
  mPeakAlpha.min = zormath::Clamp(ReadNumber(point, "MinAlpha", 1.0f), 0.0f, 1.0f);
  if (mPeakAlpha.min < mBaseAlpha) mPeakAlpha.min = mBaseAlpha;
  mPeakAlpha.max = ReadNumber(point, "MaxAlpha", 1.0f);
  if (mPeakAlpha.max < 0.0f) mPeakAlpha.max = 0.0f;
  mPeakAlpha.Settle();
  mWait.min = ReadNumber(point, "MinDeltaTime", 0.0f);
  mWait.max = ReadNumber(point, "MaxDeltaTime", 0.0f);
  if (mWait.min < 0.0f) mWait.min = 0.0f;
  if (mWait.max < 0.0f) mWait.max = 1.0f;
  mWait.Settle();

  const TiXmlElement* begin = FirstChildElementUpper(properties, "Begin");
  if (!begin) {
    objects::Error(kSource, __LINE__, L"No find teg Begin");
    return false;
  }
  objects::ReadInt(begin, "Scale", mBeginScaleMode);
  mBeginTime = ReadRange(begin, "MinTime", "MaxTime", 0.0f, true);
  mBeginSpin = ReadRange(begin, "MinSpeed", "MaxSpeed", 1.0f, false);

  const TiXmlElement* center = FirstChildElementUpper(properties, "Center");
  if (!center) {
    objects::Error(kSource, __LINE__, L"No find teg Center");
    return false;
  }
  mCenterTime = ReadRange(center, "MinTime", "MaxTime", 0.0f, true);
  mCenterSpin = ReadRange(center, "MinSpeed", "MaxSpeed", 1.0f, false);

  const TiXmlElement* end = FirstChildElementUpper(properties, "End");
  if (!end) {
    objects::Error(kSource, __LINE__, L"No find teg End");
    return false;
  }
  objects::ReadInt(end, "Scale", mEndScaleMode);
  mEndTime = ReadRange(end, "MinTime", "MaxTime", 0.0f, true);
  mEndSpin = ReadRange(end, "MinSpeed", "MaxSpeed", 1.0f, false);
  return true;
}

void CBlesk::Place(SGlint& glint) const {
  zormath::Mat4f placed;
  zormath::MatrixMultiply(glint.scaleRotation.m, placed.m, glint.point.m);
  zormath::MatrixMultiply(placed.m, glint.render.m, GetTempMatrix3D().m);
}

void CBlesk::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  for (SGlint& glint : mGlints) Place(glint);
}

void CBlesk::Step(SGlint& g, float dt) {
  const int32_t state = g.state;
  switch (state) {
    case 0:
      g.duration = mWait.Draw();
      g.time = 0.0f;
      g.state = 1;
      return;
    case 1:
      g.time += dt;
      if (g.time >= g.duration) {
        g.time = 0.0f;
        g.state = 2;
        g.alphaFrom = g.alpha = mBaseAlpha;
        g.alphaTo = mPeakAlpha.Draw();
        g.spin = mBeginSpin.Draw();
        g.scaleFrom = g.scaleTo = mBaseScale;
        if (mBeginScaleMode > 0) g.scaleTo = mScale.Draw();
        else if (mBeginScaleMode < 0) g.scaleFrom = mScale.Draw();
        g.scale = g.scaleFrom;
        g.duration = mBeginTime.Draw();
        g.scaleRotation = zormath::Mat4f::Identity();
        g.scaleRotation(0, 0) *= g.scale;
        g.scaleRotation(2, 2) *= g.scale;
        Place(g);
        g.angle = 0.0f;
      }
      return;
    case 2:
      g.time += dt;
      if (g.time >= 0.9f * g.duration) {
        if (g.time < g.duration) {
          g.state = 3;
          g.spinFrom = g.spin;
          g.spinTo = mCenterSpin.Draw();
          const float f = 1.0f - (g.duration - g.time) / (0.1f * g.duration);
          g.spin = Lerp(g.spinFrom, g.spinTo, f);
        } else {
          g.state = 4;
          g.alpha = g.alphaTo;
          g.scale = g.scaleTo;
          g.spin = mCenterSpin.Draw();
          g.duration = mCenterTime.Draw();
          g.time = 0.0f;
        }
      }
      if (g.state != 4) {
        const float f = g.time / g.duration;
        g.alpha = Lerp(g.alphaFrom, g.alphaTo, f);
        g.scale = Lerp(g.scaleFrom, g.scaleTo, f);
      }
      break;
    case 3:
      g.time += dt;
      if (g.time >= g.duration) {
        g.state = 4;
        g.alpha = g.alphaTo;
        g.spin = g.spinTo;
        g.duration = mCenterTime.Draw();
        g.time = 0.0f;
      } else {
        g.alpha = Lerp(g.alphaFrom, g.alphaTo, g.time / g.duration);
      }
      break;
    case 4:
      g.time += dt;
      if (g.time >= g.duration) {
        g.state = 5;
        g.spinFrom = g.spin;
        g.spinTo = mEndSpin.Draw();
        g.alphaFrom = g.alpha;
        g.alphaTo = mBaseAlpha;
        g.scaleFrom = g.scaleTo = g.scale;
        if (mEndScaleMode > 0) g.scaleTo = mScale.Draw();
        else if (mEndScaleMode < 0) g.scaleTo = mBaseScale;
        g.duration = mEndTime.Draw();
        g.time = 0.0f;
      }
      break;
    case 5:
      g.time += dt;
      if (g.time < 0.1f * g.duration) {
        g.spin = Lerp(g.spinFrom, g.spinTo, g.time / (0.1f * g.duration));
      } else if (g.time < g.duration) {
        g.state = 6;
        g.spin = g.spinTo;
      } else {
        g.state = 0;
        g.alpha = mBaseAlpha;
        g.scale = g.scaleTo;
      }
      if (g.state != 0) {
        const float f = g.time / g.duration;
        g.alpha = Lerp(g.alphaFrom, g.alphaTo, f);
        g.scale = Lerp(g.scaleFrom, g.scaleTo, f);
      }
      break;
    case 6:
      g.time += dt;
      if (g.time < g.duration) {
        const float f = g.time / g.duration;
        g.alpha = Lerp(g.alphaFrom, g.alphaTo, f);
        g.scale = Lerp(g.scaleFrom, g.scaleTo, f);
      } else {
        g.state = 0;
        g.alpha = mBaseAlpha;
        g.scale = g.scaleTo;
      }
      break;
    default:
      g.state = 0;
      return;
  }
  // States 2 to 6 turn and size the star.
  g.angle += g.spin * dt;
  zormath::MatrixRotationY(g.scaleRotation.m, g.angle);
  for (int c = 0; c < 3; ++c) {
    g.scaleRotation(0, c) *= g.scale;
    g.scaleRotation(2, c) *= g.scale;
  }
  Place(g);
}

int32_t CBlesk::Update(float dt, rovovoz::CMouseCursor*) {
  for (SGlint& glint : mGlints) Step(glint, dt);
  return 0;
}

int32_t CBlesk::Render() {
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (!render || mMesh.Empty()) return 0;
  for (const SGlint& glint : mGlints) {
    float alpha = mAlpha * glint.alpha;
    if (glint.state == 0) {
      if (mBaseAlpha == 0.0f) continue;
      alpha = mAlpha * mBaseAlpha;
    }
    mMesh.SetAlphaAll(alpha);
    ApplyTransform(glint.render);
    render->RenderMesh(mMesh, 0, 1);
  }
  return 0;
}
