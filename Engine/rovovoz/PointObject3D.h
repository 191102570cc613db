#pragma once
// The points of a point model (a path or a set of spots), placed by the
// object's transform (identity unless moved).
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zuzorev/RenderTypes.h"

namespace rovovoz {

class CPointObject3D : public CBaseGeometryObject {
 public:
  explicit CPointObject3D(CGameCore* core = nullptr);

  // 0 on success, E_FAIL on failure (a missing file or mesh, no point).
  int32_t LoadModel(const std::wstring& file, const std::wstring& mesh, uint32_t flags, int extra = 0);
  int32_t LoadModel(const std::wstring& file, const wchar_t* mesh, uint32_t flags, int extra = 0) {
    return LoadModel(file, std::wstring(mesh ? mesh : L""), flags, extra);
  }
  int32_t Release(uint32_t flags = 0) override;

  int GetCountPoint() const { return static_cast<int>(mPoints.size()); }
  // The i-th point after the object's transform; (0, 0, 0) out of range.
  zormath::Vec3f GetPoint(int i) const;
  const std::vector<zormath::Vec3f>& GetListPoint() const { return mPoints; }

 private:
  std::vector<zormath::Vec3f> mPoints;  // as the file gives them
};

}  // namespace rovovoz
