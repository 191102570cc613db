#include "Objects/ROModelAnimatoinList.h"

#include <tinyxml.h>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/AnimModelManager.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ModelAnimation3D.h"
#include "Engine/rovovoz/StaticObject3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"
#include "Platform/Random.h"

namespace {
constexpr uint32_t kAnimationFlags = 3;
}

CROModelAnimatoinList::CROModelAnimatoinList(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CROModelAnimatoinList::~CROModelAnimatoinList() { Release(0); }

float CROModelAnimatoinList::DrawPause() const {
  const float r = Platform::RandomFloat();
  return r * (mPauseMax - mPauseMin) + mPauseMin;
}

int32_t CROModelAnimatoinList::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  int32_t smooth = 0;
  objects::ReadInt(properties, "Smooth", smooth);
  bool placed = false;
  zormath::Vec3f place;
  zuzorev::CRenderSystem* render = objects::RenderOf(mCore);
  if (const TiXmlElement* pos = properties ? FirstChildElementUpper(properties, "Pos") : nullptr) {
    std::wstring mesh;
    zormath::Mat4f transform;
    zuzorev::SAABBox box;
    if (render && objects::ReadText(pos, "NameModel", mesh) && render->GetMatrixTransform(modelFile, mesh, transform) > 0 &&
        render->GetAABBox(modelFile, mesh, box) > 0) {
      // The middle of the box, where the mesh stands.
      const zormath::Vec3f centre = (box.Min + box.Max) * 0.5f;
      place = zormath::Vec3f(transform(3, 0), transform(3, 1), transform(3, 2)) + centre;
      placed = true;
    }
  }
  // Without a Pos the clips play where the still model stands (a clip
  // draws its first mesh at its own origin).
  zormath::Mat4f modelPlace = zormath::Mat4f::Identity();
  if (const TiXmlElement* model = properties ? FirstChildElementUpper(properties, "Model") : nullptr) {
    std::wstring mesh;
    if (objects::ReadText(model, "NameModel", mesh)) {
      const std::wstring file = objects::TextOr(model, "FileModel", modelFile);
      mStatic = objects::LoadStaticModel(mCore, file, mesh, flags);
      if (render) render->GetMatrixTransform(file, mesh, modelPlace);
    }
  }
  objects::ReadFloat(properties, "T1", mPauseMin);
  objects::ReadFloat(properties, "T2", mPauseMax);
  mCount = 0;
  rovovoz::CAnimModelManager* manager = mCore ? mCore->GetAnimModelManager() : nullptr;
  for (const TiXmlElement* anim = properties ? IterateChildrenElementUpper(properties, "Anim", nullptr) : nullptr;
       anim && mCount < kMaxAnimations; anim = IterateChildrenElementUpper(properties, "Anim", anim)) {
    const size_t slot = static_cast<size_t>(mCount);
    objects::ReadText(anim, "Name", mNames[slot]);
    std::wstring setFile;
    if (manager && objects::ReadText(anim, "File", setFile)) manager->LoadAnimSet(setFile);
    if (objects::ReadInt(anim, "Click", mClickMode)) mClickAnimation = mCount;
    auto* animation = new rovovoz::CModelAnimation3D(mCore);
    if (animation->LoadAnimation(mNames[slot], kAnimationFlags, 0) < 0) {
      delete animation;
      animation = nullptr;
    }
    mAnimations[slot] = animation;
    ++mCount;
  }
  if (!placed)
    for (rovovoz::CModelAnimation3D* animation : mAnimations)
      if (animation) animation->SetLocationMatrix3D(modelPlace);
  if (placed) {
    const int render2D = smooth == 0 ? 1 : 0;
    if (mStatic) {
      mStatic->SetPosition3D(place);
      mStatic->SetRender2D(render2D);
    }
    for (rovovoz::CModelAnimation3D* animation : mAnimations) {
      if (!animation) continue;
      animation->SetPosition3D(place);
      animation->SetRender2D(render2D);
    }
  }
  return 0;
}

int32_t CROModelAnimatoinList::Load(uint32_t flags) {
  if (mStatic) mStatic->Load(flags);
  for (rovovoz::CModelAnimation3D* animation : mAnimations)
    if (animation) animation->Load(flags);
  const float pause = DrawPause();
  mPause = pause * Platform::RandomFloat();
  mCurrent = -1;
  return 1;
}

int32_t CROModelAnimatoinList::UnLoad(uint32_t flags) {
  if (mStatic) mStatic->UnLoad(flags);
  for (rovovoz::CModelAnimation3D* animation : mAnimations)
    if (animation) animation->UnLoad(flags);
  return 1;
}

int32_t CROModelAnimatoinList::Release(uint32_t) {
  delete mStatic;
  mStatic = nullptr;
  for (rovovoz::CModelAnimation3D*& animation : mAnimations) {
    delete animation;
    animation = nullptr;
  }
  mCurrent = -1;
  return 0;
}

void CROModelAnimatoinList::PlayIndex(int index) {
  rovovoz::CModelAnimation3D* animation = GetAnimation(index);
  if (!animation) {
    mCurrent = -1;
    return;
  }
  mCurrent = index;
  animation->Play(mNames[static_cast<size_t>(index)], 1, 0, 0.0f, 0, 0);
}

int32_t CROModelAnimatoinList::Update(float dt, rovovoz::CMouseCursor*) {
  if (mCurrent < 0) {
    mPause -= dt;
    if (mPause < 0.0f && mCount >= 1) {
      mPause = DrawPause();
      int index = Platform::Random() % mCount;
      if (mClickMode == 2 && mCount >= 2)
        while (index == mClickAnimation) index = Platform::Random() % mCount;
      PlayIndex(index);
    }
    return 0;
  }
  rovovoz::CModelAnimation3D* animation = GetAnimation(mCurrent);
  if (!animation) {
    mCurrent = -1;
    return 0;
  }
  animation->Update(dt, nullptr);
  if (animation->IsState() == rovovoz::kAnimFinished) mCurrent = -1;
  return 0;
}

int32_t CROModelAnimatoinList::Render() {
  if (rovovoz::CModelAnimation3D* animation = GetAnimation(mCurrent)) animation->Render();
  else if (mStatic) mStatic->Render();
  return 0;
}

void CROModelAnimatoinList::SetAlpha(float alpha) {
  if (mStatic) mStatic->GetMesh()->SetAlphaAll(alpha);
  for (rovovoz::CModelAnimation3D* animation : mAnimations)
    if (animation) animation->SetAlpha(alpha);
}

void CROModelAnimatoinList::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mStatic) mStatic->SetWorldMatrix3D(GetWorldMatrix3D());
  for (rovovoz::CModelAnimation3D* animation : mAnimations)
    if (animation) animation->SetWorldMatrix3D(GetWorldMatrix3D());
}

void CROModelAnimatoinList::StartRandom() {
  mPause = DrawPause();
  PlayIndex(mClickAnimation);
}

void CROModelAnimatoinList::GetModelNames(std::vector<std::wstring>& names) const {
  if (mStatic) names.push_back(mStatic->GetNameModel());
}

rovovoz::CModelAnimation3D* CROModelAnimatoinList::GetAnimation(int i) const {
  return i >= 0 && i < mCount ? mAnimations[static_cast<size_t>(i)] : nullptr;
}
