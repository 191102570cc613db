#include "Engine/rovovoz/PointObject3D.h"

#include "Engine/rovovoz/GameCore.h"
#include "Engine/zormath/Transform.h"
#include "Engine/zuzorev/RenderSystem.h"

namespace rovovoz {

CPointObject3D::CPointObject3D(CGameCore* core) : CBaseGeometryObject(core) {}

int32_t CPointObject3D::LoadModel(const std::wstring& file, const std::wstring& mesh, uint32_t flags, int) {
  zuzorev::CRenderSystem* render = mCore ? mCore->GetRender() : nullptr;
  zuzorev::CMeshPoint points;
  if (!render || render->LoadMesh(file, points, mesh, flags, 0) < 0 || points.Empty()) return zuzorev::kFail;
  mPoints = points.GetListPoint();
  return 0;
}

int32_t CPointObject3D::Release(uint32_t) {
  mPoints.clear();
  return 0;
}

zormath::Vec3f CPointObject3D::GetPoint(int i) const {
  if (i < 0 || i >= GetCountPoint()) return zormath::Vec3f();
  return zormath::TransformCoord(mPoints[static_cast<size_t>(i)], mTemp);
}

}  // namespace rovovoz
