#include "Objects/MaxAnim.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/AnimCompanion.h"
#include "Objects/AnimExport.h"
#include "Objects/ObjectSupport.h"

namespace {

constexpr uint32_t kVertexStride = 24;

// The positions of a mesh's first part (vertices 24 bytes apart, x y z first).
std::vector<zormath::Vec3f> RestPose(rovovoz::CStaticObject3D* model) {
  std::vector<zormath::Vec3f> pose;
  if (!model) return pose;
  zuzorev::CSubMesh sub = model->GetMesh()->GetSubMesh(0);
  zuzorev::CVertexBuffer* buffer = sub.GetVertexBuffer();
  if (!buffer || buffer->GetStride() != kVertexStride) return pose;
  const uint8_t* bytes = buffer->Bytes();
  pose.resize(buffer->GetVertexCount());
  for (size_t v = 0; v < pose.size(); ++v) std::memcpy(&pose[v].x, bytes + v * kVertexStride, 12);
  sub.Release();
  return pose;
}

}  // namespace

CMaxAnim::CMaxAnim(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CMaxAnim::~CMaxAnim() { Release(0); }

int32_t CMaxAnim::Load(uint32_t flags) { return mTarget ? mTarget->Load(flags) : 1; }

int32_t CMaxAnim::UnLoad(uint32_t flags) { return mTarget ? mTarget->UnLoad(flags) : 1; }

int32_t CMaxAnim::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  std::wstring mesh;
  objects::ReadText(properties, "NameModel", mesh);
  const std::wstring file = objects::TextOr(properties, "FileModel", modelFile);
  const TiXmlElement* anim = properties ? FirstChildElementUpper(properties, "Anim") : nullptr;
  std::wstring animFile;
  std::wstring node;
  if (anim) {
    objects::ReadText(anim, "FileAnim", animFile);
    objects::ReadText(anim, "NameAnim", node);
    objects::ReadFloat(anim, "Speed", mSpeed);
    objects::ReadInt(anim, "Rotate", mRotate);
    objects::ReadInt(anim, "AlwaysVisible", mAlwaysVisible);
    objects::ReadFloat(anim, "OverlayAlpha", mOverlayAlpha);
    objects::ReadInt(anim, "OverlayWithNormal", mOverlayWithNormal);
  }
  LoadModelAndAnim(file, mesh, anim ? animFile : std::wstring(), node, flags);
  return 0;
}

int32_t CMaxAnim::LoadFromFiles(const std::wstring& modelFile, const std::wstring& mesh,
                                const std::wstring& animFile, const std::wstring& node, uint32_t flags) {
  Release(0);
  LoadModelAndAnim(modelFile, mesh, animFile, node, flags);
  return 0;
}

void CMaxAnim::LoadModelAndAnim(const std::wstring& modelFile, const std::wstring& mesh,
                                const std::wstring& animFile, const std::wstring& node, uint32_t flags) {
  if (!mesh.empty()) mModel = objects::LoadStaticModel(mCore, modelFile, mesh, flags | 9u);
  if (mModel) {
    mModel->SetRender2D(0);
    mModel->GetMesh()->SetAllSmooth(0);
    mTarget = mModel;
  }
  if (!animFile.empty()) LoadAnimation(animFile, node);
}

void CMaxAnim::LoadAnimation(const std::wstring& animFile, const std::wstring& node) {
  const std::wstring companion = animfile::CompanionName(animFile, node);
  SAnimData anim;
  bool read = animfile::CompanionExists(companion) && animfile::ReadCompanion(companion, anim);
  if (!read) read = animfile::ReadExport(animFile, node, RestPose(mModel), anim);
  // A failed export read may still carry the node's own keys.
  mAnim = std::move(anim);
  (void)read;
  if (!mAnim.keys.empty()) mLength = mAnim.length;
}

int32_t CMaxAnim::Release(uint32_t) {
  mTarget = nullptr;
  delete mModel;
  mModel = nullptr;
  mAnim = SAnimData();
  mAlphaFactor = 1.0f;
  mBaseAlpha = 1.0f;
  mOffsetU = 0.0f;
  mOffsetV = 0.0f;
  mTime = 0.0f;
  mLength = 1.0f;
  mAnimPosition = zormath::Vec3f();
  mPlay = kStopped;
  mAlwaysVisible = 0;
  mOverlayWithNormal = 0;
  mOverlayAlpha = 0.0f;
  mSpeed = 1.0f;
  mRotate = 1;
  return 0;
}

int32_t CMaxAnim::Update(float dt, rovovoz::CMouseCursor*) {
  dt *= mSpeed;
  if (mPlay == kStopped || mPlay == kHeld) return 0;
  mTime += dt;
  if (!std::isfinite(mTime)) mTime = 0.0f;
  if (mTime >= mLength) {
    switch (mPlay) {
      case kOnce:
        mPlay = kStopped;
        mTime = 0.0f;
        break;
      case kOnceAndHold:
        SetEndPose();
        return 0;
      case kLoop:
        // An animation without length holds its first pose.
        if (mLength > 0.0f) {
          // Many lengths at once (a tiny length, a huge step) in one go.
          mTime = std::fmod(mTime, mLength);
        } else {
          mTime = 0.0f;
        }
        break;
      default:
        break;
    }
  }
  const size_t n = mAnim.keys.size();
  if (n > 0) {
    const float rate = static_cast<float>(mAnim.frameRate);
    // Clamped before the cast: a time far past the keys still converts.
    const float frame = std::clamp(rate * mTime - 0.001f, -1.0f, static_cast<float>(n));
    int64_t i = static_cast<int64_t>(frame);
    float w = (mTime - static_cast<float>(i) / rate) * rate;
    // Never past the last pair of keys; a single key stands alone.
    const int64_t last = static_cast<int64_t>(n) - 2;
    if (i > last || i < 0) {
      i = std::clamp<int64_t>(i, 0, std::max<int64_t>(last, 0));
      w = std::clamp((mTime - static_cast<float>(i) / rate) * rate, 0.0f, 1.0f);
    }
    ApplyKeys(static_cast<size_t>(i), n == 1 ? 0.0f : w);
  }
  SetRender2D(0);
  return 0;
}

void CMaxAnim::ApplyKeys(size_t i, float w) {
  const SAnimKey& a = mAnim.keys[i];
  const SAnimKey& b = mAnim.keys[std::min(i + 1, mAnim.keys.size() - 1)];
  const float u = 1.0f - w;
  mAnimPosition = a.position * u + b.position * w;
  const zormath::Vec3f direction = a.direction * u + b.direction * w;
  const zormath::Vec3f up = a.up * u + b.up * w;
  const zormath::Vec3f scale = a.scale * u + b.scale * w;
  const float alpha = u * a.alpha + w * b.alpha;
  mOffsetU = u * a.offsetU + w * b.offsetU;
  mOffsetV = u * a.offsetV + w * b.offsetV;
  if (mTarget) {
    mTarget->SetPosition3D(mAnimPosition);
    if (mRotate) {
      mTarget->SetDirection3D(direction);
      mTarget->SetUp3D(up);
    }
    mTarget->SetScale(scale);
    mTarget->SetAlpha(mAlphaFactor * alpha);
    mBaseAlpha = alpha;
  }
  if (!a.vertices.empty()) BlendVertices(a, b, w);
}

void CMaxAnim::BlendVertices(const SAnimKey& a, const SAnimKey& b, float w) {
  if (!mModel) return;
  zuzorev::CSubMesh sub = mModel->GetMesh()->GetSubMesh(0);
  zuzorev::CVertexBuffer* buffer = sub.GetVertexBuffer();
  if (!buffer || buffer->GetStride() != kVertexStride) return;
  auto* bytes = static_cast<uint8_t*>(buffer->Lock(0, 0, 0));
  if (!bytes) return;
  const size_t count = std::min({static_cast<size_t>(buffer->GetVertexCount()), a.vertices.size(), b.vertices.size()});
  const float u = 1.0f - w;
  for (size_t v = 0; v < count; ++v) {
    const zormath::Vec3f p = a.vertices[v] * u + b.vertices[v] * w;
    std::memcpy(bytes + v * kVertexStride, &p.x, 12);
  }
  buffer->Unlock();
  sub.Release();
}

int32_t CMaxAnim::Render() {
  if (mPlay == kStopped && !mAlwaysVisible) return 0;
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  const bool shift = mAnim.textureOffset != 0 && render;
  if (shift) {
    zormath::Mat4f offset = zormath::Mat4f::Identity();
    offset(2, 0) = mOffsetU;
    offset(2, 1) = mOffsetV;
    render->SetTransform(zuzorev::kTransformTexture0, offset);
    render->SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, zuzorev::kTextureTransformCount2);
  }
  if (mOverlayAlpha > 0.01f) {
    if (mOverlayWithNormal && mTarget) mTarget->Render();
    if (mModel) mModel->RenderAsOverlay(mBaseAlpha * mAlphaFactor * mOverlayAlpha);
  } else if (mTarget) {
    mTarget->Render();
  }
  if (shift) {
    render->SetTransform(zuzorev::kTransformTexture0, zormath::Mat4f::Identity());
    render->SetTextureStageState(0, zuzorev::kTssTextureTransformFlags, 0);
  }
  return 0;
}

int32_t CMaxAnim::RenderTruncateTexture() {
  if (mPlay == kStopped && !mAlwaysVisible) return 0;
  return mModel ? mModel->RenderTruncateTexture() : 0;
}

void CMaxAnim::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (mTarget) mTarget->LoadTransformForMesh();
}

void CMaxAnim::SetAlpha(float alpha) {
  mAlphaFactor = alpha;
  if (mTarget) mTarget->SetAlpha(alpha * mBaseAlpha);
}

void CMaxAnim::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mTarget) mTarget->SetWorldMatrix3D(GetTempMatrix3D());
}

void CMaxAnim::SetRender2D(int on) {
  rovovoz::CBaseGeometryObject::SetRender2D(on);
  if (mTarget) mTarget->SetRender2D(on);
}

void CMaxAnim::Reset() {
  mPlay = kStopped;
  if (!mAlwaysVisible) return;
  mTime = 0.0f;
  mPlay = kOnce;
  Update(0.0f, nullptr);
  mPlay = kStopped;
}

void CMaxAnim::PlayOnce() {
  mTime = 0.0f;
  mPlay = kOnce;
  Update(0.0f, nullptr);
}

void CMaxAnim::PlayAndHold() {
  mTime = 0.0f;
  mPlay = kOnceAndHold;
  Update(0.0f, nullptr);
}

void CMaxAnim::PlayLoop() {
  mTime = 0.0f;
  mPlay = kLoop;
  Update(0.0f, nullptr);
}

void CMaxAnim::Play(int mode) {
  switch (mode) {
    case 0:
      PlayOnce();
      break;
    case 1:
      PlayLoop();
      break;
    case 2:
      PlayAndHold();
      break;
    case 3:
      SetEndPose();
      break;
    default:
      break;
  }
}

void CMaxAnim::SetEndPose() {
  mTime = 0.0f;
  mPlay = kHeld;
  if (mAnim.keys.empty()) return;
  const SAnimKey& key = mAnim.keys.back();
  mAnimPosition = key.position;
  if (!mTarget) return;
  mTarget->SetPosition3D(key.position);
  mTarget->SetDirection3D(key.direction);
  mTarget->SetUp3D(key.up);
  mTarget->SetScale(key.scale);
  mTarget->SetAlpha(mAlphaFactor * key.alpha);
  mBaseAlpha = key.alpha;
}

void CMaxAnim::SetTargetObject(rovovoz::CBaseGeometryObject* object) {
  mTarget = object;
  if (mTarget) mTarget->SetRender2D(0);
}
