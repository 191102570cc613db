// The tree: loading its roots and branches, the drawing order, drawing,
// alpha, names and pushes.
#include "Objects/Derevo.h"

#include <tinyxml.h>

#include <cmath>

#include "Engine/TinyXmlExt/TinyXmlExt.h"
#include "Engine/rovovoz/GameCore.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/RenderSystem.h"
#include "Objects/ObjectSupport.h"

namespace {

constexpr const wchar_t* kSource = L"Source/Objects/Derevo";

zormath::Vec3f Translation(const zormath::Mat4f& m) { return zormath::Vec3f(m(3, 0), m(3, 1), m(3, 2)); }

// A direction read from a "Dir" child: a missing coordinate reads as 0.
zormath::Vec3f ReadDirection(const TiXmlElement* parent) {
  zormath::Vec3f v;
  const TiXmlElement* dir = parent ? FirstChildElementUpper(parent, "Dir") : nullptr;
  objects::ReadFloat(dir, "x", v.x);
  objects::ReadFloat(dir, "y", v.y);
  objects::ReadFloat(dir, "z", v.z);
  return v;
}

// The larger of the two absolute values, at least 0.01.
float Lever(float a, float b) {
  const float lever = std::fmax(std::fabs(a), std::fabs(b));
  return lever < 0.01f ? 0.01f : lever;
}

}  // namespace

CDerevo::CDerevo(rovovoz::CGameCore* core)
    : rovovoz::CBaseGeometryObject(core), mRender(objects::RenderOf(core)) {}

CDerevo::~CDerevo() {
  Release(0);
}

int32_t CDerevo::Load(uint32_t flags) {
  for (SDerevoBranch* branch : mRenderList) branch->mesh.Load(flags);
  return 1;
}

int32_t CDerevo::UnLoad(uint32_t flags) {
  for (SDerevoBranch* branch : mRenderList) branch->mesh.UnLoad(flags);
  return 1;
}

void CDerevo::ClearWind() {
  mMinDTime = mMaxDTime = 0.0f;
  mRandomPause = 0;
  mMinTimeSila = mMaxTimeSila = 0.0f;
  mRandomLength = 0;
  mMinSila = mMaxSila = 0.0f;
  mRandomStrength = 0;
  mWindDirection = zormath::Vec3f();
  mGustAmplitude = 0.0f;
  mValueReverse = 0.0f;
  mPullDirection = zormath::Vec3f();
  mPullStrength = 0.0f;
}

int32_t CDerevo::Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) {
  Release(0);
  if (!mRender) {
    objects::Error(kSource, __LINE__, L"Null render system");
    return objects::kLoadFail;
  }
  if (!properties) {
    objects::Error(kSource, __LINE__, L"Null xml element.");
    return objects::kLoadFail;
  }
  const std::wstring file = objects::TextOr(properties, "NameFile", modelFile);
  objects::ReadFloat(properties, "KoefSopr", mKoefSopr);
  ClearWind();

  if (const TiXmlElement* veter = FirstChildElementUpper(properties, "Veter")) {
    objects::ReadFloat(veter, "MinDTime", mMinDTime);
    objects::ReadFloat(veter, "MaxDTime", mMaxDTime);
    objects::ReadFloat(veter, "MinTimeSila", mMinTimeSila);
    objects::ReadFloat(veter, "MaxTimeSila", mMaxTimeSila);
    objects::ReadFloat(veter, "MinSila", mMinSila);
    objects::ReadFloat(veter, "MaxSila", mMaxSila);
    objects::ReadFloat(veter, "ValueReverse", mValueReverse);
    mRandomPause = objects::CorrectRange(mMinDTime, mMaxDTime);
    mRandomLength = objects::CorrectRange(mMinTimeSila, mMaxTimeSila);
    mRandomStrength = objects::CorrectRange(mMinSila, mMaxSila);
    mWindDirection = ReadDirection(veter);
  }
  if (const TiXmlElement* pull = FirstChildElementUpper(properties, "SilaPrit")) {
    objects::ReadFloat(pull, "Value", mPullStrength);
    mPullDirection = ReadDirection(pull);
  }

  const TiXmlElement* korni = FirstChildElementUpper(properties, "Korni");
  for (const TiXmlElement* koren = korni ? IterateChildrenElementUpper(korni, "Koren", nullptr) : nullptr; koren;
       koren = IterateChildrenElementUpper(korni, "Koren", koren)) {
    std::wstring model;
    if (!objects::ReadText(koren, "NameModel", model)) {
      objects::Error(kSource, __LINE__, L"No find attribute  NameModel");
      continue;
    }
    zormath::Mat4f matrix;
    if (mRender->GetMatrixTransform(file, model, matrix) <= 0) {
      objects::Error(kSource, __LINE__, L"LoadDerevo. Load koren transform file = %s model = %s", file.c_str(),
                     model.c_str());
      continue;
    }
    mRoots.emplace_back();
    SDerevoRoot& root = mRoots.back();
    root.matrix = matrix;
    zormath::Vec3f pivotPoint = Translation(matrix);
    LoadDerevo(file, root.branch, koren, pivotPoint, nullptr, flags);
    if (root.branch.mesh.Empty()) mRoots.pop_back();
  }
  UpdateRootMatrices();
  BuildRenderList();
  return 0;
}

void CDerevo::LoadDerevo(const std::wstring& file, SDerevoBranch& branch, const TiXmlElement* element,
                         zormath::Vec3f& pivotPoint, const zormath::Mat4f* parent, uint32_t flags) {
  std::wstring model;
  if (!objects::ReadText(element, "NameModel", model)) {
    objects::Error(kSource, __LINE__, L"No find attribute  NameModel");
    return;
  }
  if (!mRender || mRender->LoadMesh(file, branch.mesh, model, flags, 0) <= 0) {
    branch.mesh.Release(0);
    objects::Error(kSource, __LINE__, L"LoadDerevo. Load model file = %s model = %s", file.c_str(), model.c_str());
    return;
  }
  branch.name = model;
  objects::ReadFloat(element, "KoefUprugosti", branch.KoefUprugosti);
  objects::ReadFloat(element, "SilaUprugosti", branch.SilaUprugosti);
  objects::ReadFloat(element, "NapravlDir", branch.NapravlDir);
  objects::ReadFloat(element, "NapravlRight", branch.NapravlRight);

  const zormath::Vec3f meshPosition = Translation(branch.mesh.GetTransform());
  const zormath::Vec3f offset = pivotPoint - meshPosition;
  branch.pivot = zormath::MatrixTranslation(offset.x, offset.y, offset.z);
  // A singular matrix inverts to the identity.
  zormath::MatrixInverse(branch.pivot, branch.inversePivot);
  branch.placement = branch.inversePivot;
  if (parent) zormath::MatrixMultiply(branch.inversePivot.m, branch.placement.m, parent->m);
  branch.bend = zormath::Mat4f::Identity();

  const zuzorev::SAABBox& box = branch.mesh.GetBox();
  branch.leverZ = Lever(box.Min.z, box.Max.z);
  branch.leverX = Lever(box.Min.x, box.Max.x);

  branch.axisA = zormath::Vec3f(1.0f, 0.0f, 0.0f);
  branch.axisB = zormath::Vec3f(0.0f, 0.0f, 1.0f);
  branch.bent = branch.axisB;
  branch.velocity = 0.0f;
  branch.pushAmount = branch.pushRemaining = branch.pushDuration = 0.0f;
  branch.pushDirection = zormath::Vec3f();

  for (const TiXmlElement* child = IterateChildrenElementUpper(element, "Child", nullptr); child;
       child = IterateChildrenElementUpper(element, "Child", child)) {
    pivotPoint = meshPosition;
    branch.children.emplace_back();
    LoadDerevo(file, branch.children.back(), child, pivotPoint, parent, flags);
    if (branch.children.back().mesh.Empty()) branch.children.pop_back();
  }
}

int32_t CDerevo::Release(uint32_t flags) {
  ClearWind();
  mGustElapsed = mGustPause = mGustRemaining = mGustLength = 0.0f;
  mKoefSopr = 0.0f;
  mForce = 0.0f;
  for (SDerevoRoot& root : mRoots) ReleaseBranch(root.branch, flags);
  mRoots.clear();
  mRenderList.clear();
  return rovovoz::CBaseGeometryObject::Release(flags);
}

void CDerevo::ReleaseBranch(SDerevoBranch& branch, uint32_t flags) {
  branch.mesh.Release(flags);
  for (SDerevoBranch& child : branch.children) ReleaseBranch(child, flags);
}

void CDerevo::BuildRenderList() {
  mRenderList.clear();
  for (SDerevoRoot& root : mRoots) AddToRenderList(root.branch);
}

void CDerevo::AddToRenderList(SDerevoBranch& branch) {
  // Lowest first by the height of the load-time world matrix; equal
  // heights keep load order.
  const float height = branch.world(3, 1);
  auto at = mRenderList.begin();
  while (at != mRenderList.end() && !((*at)->world(3, 1) > height)) ++at;
  mRenderList.insert(at, &branch);
  for (SDerevoBranch& child : branch.children) AddToRenderList(child);
}

int32_t CDerevo::Render() {
  if (!mRender) return 0;
  for (const SDerevoBranch* branch : mRenderList) {
    mRender->SetTransform(zuzorev::kTransformWorld, branch->world);
    mRender->RenderMesh(branch->mesh, 0, 1);
  }
  return 0;
}

void CDerevo::SetAlpha(float alpha) {
  for (SDerevoRoot& root : mRoots) SetBranchAlpha(root.branch, alpha);
}

void CDerevo::SetBranchAlpha(SDerevoBranch& branch, float alpha) {
  branch.mesh.SetAlphaAll(alpha);
  for (SDerevoBranch& child : branch.children) SetBranchAlpha(child, alpha);
}

void CDerevo::GetModelNames(const SDerevoBranch& branch, std::vector<std::wstring>& names) const {
  names.push_back(branch.mesh.GetNameModel());
  for (const SDerevoBranch& child : branch.children) GetModelNames(child, names);
}

void CDerevo::CollectModelNames(std::vector<std::wstring>& names) const {
  for (const SDerevoRoot& root : mRoots) GetModelNames(root.branch, names);
}

SDerevoBranch* CDerevo::FindRoot(const std::wstring& name) {
  for (SDerevoRoot& root : mRoots)
    if (root.branch.name == name) return &root.branch;
  for (SDerevoRoot& root : mRoots)
    if (SDerevoBranch* found = FindBranch(name, root.branch)) return found;
  return nullptr;
}

SDerevoBranch* CDerevo::FindBranch(const std::wstring& name, SDerevoBranch& branch) {
  for (SDerevoBranch& child : branch.children) {
    if (child.name == name) return &child;
    if (SDerevoBranch* found = FindBranch(name, child)) return found;
  }
  return nullptr;
}

zormath::Mat4f& CDerevo::GetBranchMatrix(zormath::Mat4f& out, const std::wstring& name) {
  const SDerevoBranch* branch = FindRoot(name);
  out = branch ? branch->world : zormath::Mat4f::Identity();
  return out;
}

SDerevoBranch* CDerevo::PushBranch(const std::wstring& name, const zormath::Vec3f& direction, float amount,
                                   float duration) {
  SDerevoBranch* branch = FindRoot(name);
  if (!branch) return nullptr;
  branch->pushDirection = direction;
  branch->pushAmount = amount;
  branch->pushDuration = duration;
  branch->pushRemaining = duration;
  return branch;
}
