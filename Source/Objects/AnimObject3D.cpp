#include "Objects/AnimObject3D.h"

#include "Engine/rovovoz/AnimModelManager.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/rovovoz/ModelAnimation3D.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"

namespace {
constexpr const wchar_t* kSource = L"Source/Objects/AnimObject3D";
}

CAnimObject3D::CAnimObject3D(rovovoz::CGameCore* core) : rovovoz::CBaseGeometryObject(core) {}

CAnimObject3D::~CAnimObject3D() { Release(0); }

int32_t CAnimObject3D::Load(uint32_t flags) { return mModel ? mModel->Load(flags) : 1; }

int32_t CAnimObject3D::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  if (!mCore) return objects::kLoadFail;
  std::wstring meshName;
  objects::ReadText(properties, "NameModel", meshName);
  const std::wstring file = modelFile.empty() ? objects::TextOr(properties, "FileName", L"") : modelFile;
  objects::ReadInt(properties, "Blend", mBlend);
  objects::ReadInt(properties, "Infinity", mInfinity);
  std::wstring setFile;
  if (meshName.empty() || !objects::ReadText(properties, "NameAnimXml", setFile)) return objects::kLoadFail;
  rovovoz::CAnimModelManager* manager = mCore->GetAnimModelManager();
  if (!manager || manager->LoadAnimSet(L"Data\\Animation\\" + setFile) < 0) return objects::kLoadFail;
  std::wstring animation;
  if (!objects::ReadText(properties, "NameAnim", animation)) return 0;

  mModel = new rovovoz::CModelAnimation3D(mCore);
  mAnimation = animation;
  if (mModel->LoadAnimation(mAnimation, flags, 0) < 0) {
    objects::Error(kSource, __LINE__, L"Load object anim 3d name = %s", meshName.c_str());
    delete mModel;
    mModel = nullptr;
    return objects::kLoadFail;
  }
  mMeshLocation = zormath::Mat4f::Identity();
  if (zuzorev::CRenderSystem* render = mCore->GetRender()) render->GetMatrixTransform_(file, meshName, mMeshLocation);
  SetLocationMatrix3D(mMeshLocation);
  mModel->SetRender2D(1);
  Play();
  return 0;
}

int32_t CAnimObject3D::Render() {
  if (mModel) mModel->Render();
  return 0;
}

int32_t CAnimObject3D::Update(float dt, rovovoz::CMouseCursor* cursor) {
  if (mModel) mModel->Update(dt, cursor);
  return 0;
}

int32_t CAnimObject3D::Release(uint32_t flags) {
  mAnimation.clear();
  mBlend = 0;
  mInfinity = 1;
  mMeshLocation = zormath::Mat4f::Identity();
  delete mModel;
  mModel = nullptr;
  return rovovoz::CBaseGeometryObject::Release(flags);
}

int32_t CAnimObject3D::UnLoad(uint32_t flags) { return mModel ? mModel->UnLoad(flags) : 1; }

void CAnimObject3D::LoadTransformForMesh() {
  rovovoz::CBaseGeometryObject::LoadTransformForMesh();
  if (mModel) mModel->LoadTransformForMesh();
  SetLocationMatrix3D(mMeshLocation);
}

void CAnimObject3D::SetAlpha(float alpha) {
  if (mModel) mModel->SetAlpha(alpha);
}

float CAnimObject3D::GetAlpha() const { return mModel ? mModel->rovovoz::CBaseObject::GetAlpha() : 1.0f; }

int32_t CAnimObject3D::Stop(int mode) {
  if (!mModel) return 0;
  if ((mode == 0 && mInfinity == 0) || mode == 1) mModel->Stop(0);
  return 0;
}

void CAnimObject3D::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  if (mModel) mModel->SetWorldMatrix3D(GetTempMatrix3D());
}

void CAnimObject3D::SetRender2D(int on) {
  rovovoz::CBaseGeometryObject::SetRender2D(on);
  if (mModel) mModel->SetRender2D(on);
}

void CAnimObject3D::Play() {
  if (!mModel) return;
  if (mInfinity == 0) {
    if (mBlend == 0) {
      mModel->Play(mAnimation, 1, 0, 0.0f, 0, 0);
    } else {
      mModel->SetRender2D(0);
      mModel->PlayBlend(mAnimation, 1, 0, 0.0f, 0, 0);
    }
    mModel->Play(L"", 0, 0, 0.0f, 0, 0);
  } else if (mBlend == 0) {
    mModel->PlayLoop(mAnimation, 1, 0, 0.0f, 0, 0);
  } else {
    mModel->PlayBlendLoop(mAnimation, 1, 0, 0.0f, 0, 0);
  }
}

void CAnimObject3D::PlayOnce() {
  if (!mModel) return;
  mModel->Play(mAnimation, 1, 0, 0.0f, 0, 0);
  mModel->Play(L"", 0, 0, 0.0f, 0, 0);
}

void CAnimObject3D::PlayLoop() {
  if (mModel) mModel->PlayLoop(mAnimation, 1, 0, 0.0f, 0, 0);
}

void CAnimObject3D::PlayBlendOnce() {
  if (!mModel) return;
  mModel->SetRender2D(0);
  mModel->PlayBlend(mAnimation, 1, 0, 0.0f, 0, 0);
  mModel->PlayBlend(L"", 0, 0, 0.0f, 0, 0);
}

void CAnimObject3D::PlayBlendLoop() {
  if (mModel) mModel->PlayBlendLoop(mAnimation, 1, 0, 0.0f, 0, 0);
}

void CAnimObject3D::SetRenderSeting(int seting, int part) {
  if (mModel) mModel->SetRenderSeting(seting, part);
}

int32_t CAnimObject3D::IsState() const { return mModel ? mModel->IsState() : 0; }
