#pragma once
// A tree or plant made of branch meshes of one model file. Every branch is
// an angular spring about its own Y axis: a steady pull, random wind gusts
// (half-sine pulses) and one-off pushes by branch name give it a torque, it
// integrates its own bend velocity and angle, and a child branch rides on
// the bend of all its parents.
#include <cstdint>
#include <string>
#include <vector>

#include "Engine/rovovoz/BaseGeometryObject.h"
#include "Engine/zormath/Math.h"
#include "Engine/zuzorev/Mesh.h"

class TiXmlElement;
namespace zuzorev {
class CRenderSystem;
}

// One branch; it owns its children.
struct SDerevoBranch {
  std::wstring name;                         // the branch's mesh name
  float velocity = 0.0f;                     // bend velocity, radians a second
  zormath::Vec3f axisA{1.0f, 0.0f, 0.0f};    // fixed
  zormath::Vec3f axisB{0.0f, 0.0f, 1.0f};    // fixed
  zormath::Vec3f bent{0.0f, 0.0f, 1.0f};     // axis B turned by the bend
  float KoefUprugosti = 1.0f;
  float SilaUprugosti = 1.0f;
  float leverZ = 0.01f;                      // lever arms from the mesh's box
  float leverX = 0.01f;
  zuzorev::CMesh mesh;
  zormath::Mat4f pivot = zormath::Mat4f::Identity();         // to the pivot point
  zormath::Mat4f placement = zormath::Mat4f::Identity();
  zormath::Mat4f bend = zormath::Mat4f::Identity();          // accumulated bend
  zormath::Mat4f inversePivot = zormath::Mat4f::Identity();
  zormath::Mat4f world = zormath::Mat4f::Identity();         // drawn with this
  float NapravlRight = 1.0f;                 // weight of the torque about Z
  float NapravlDir = 1.0f;                   // weight of the torque about X
  float pushAmount = 0.0f;                   // 0: no push
  float pushRemaining = 0.0f;
  float pushDuration = 0.0f;
  zormath::Vec3f pushDirection;
  std::vector<SDerevoBranch> children;       // in file order
};

// One root: its placement in the model file and its branch.
struct SDerevoRoot {
  zormath::Mat4f matrix = zormath::Mat4f::Identity();
  SDerevoBranch branch;
};

class CDerevo : public rovovoz::CBaseGeometryObject {
 public:
  explicit CDerevo(rovovoz::CGameCore* core);
  ~CDerevo() override;
  CDerevo(const CDerevo&) = delete;
  CDerevo& operator=(const CDerevo&) = delete;

  int32_t Load(uint32_t flags) override;
  int32_t Load(const TiXmlElement* properties, const std::wstring& modelFile, uint32_t flags) override;
  int32_t Render() override;
  int32_t Update(float dt, rovovoz::CMouseCursor* cursor) override;
  int32_t Release(uint32_t flags = 0) override;
  int32_t UnLoad(uint32_t flags) override;
  void SetAlpha(float alpha) override;
  float GetAlpha() const override { return 1.0f; }
  void UpdateTempMatrix() override;

  // Gust timer and force, the springs of every root, then the matrices.
  virtual void UpdateWind(float dt);
  // Spring step of one branch and, below it, of its children.
  virtual void UpdateBranch(SDerevoBranch& branch, float dt, float parentVelocity, const zormath::Vec3f& wind,
                            float force);
  virtual void UpdateRootMatrices();
  virtual void UpdateBranchMatrix(SDerevoBranch& branch, const zormath::Mat4f& parent);
  // Loads one branch and its children; a branch that fails keeps an empty
  // mesh (its caller leaves it out).
  virtual void LoadDerevo(const std::wstring& file, SDerevoBranch& branch, const TiXmlElement* element,
                          zormath::Vec3f& pivotPoint, const zormath::Mat4f* parent, uint32_t flags);
  virtual void GetModelNames(const SDerevoBranch& branch, std::vector<std::wstring>& names) const;
  virtual void ReleaseBranch(SDerevoBranch& branch, uint32_t flags);
  // The first root of that name, else the first branch of it inside the
  // roots in order; null when none. Names compare exactly.
  virtual SDerevoBranch* FindRoot(const std::wstring& name);
  virtual SDerevoBranch* FindBranch(const std::wstring& name, SDerevoBranch& branch);
  virtual void BuildRenderList();
  virtual void AddToRenderList(SDerevoBranch& branch);
  virtual void SetBranchAlpha(SDerevoBranch& branch, float alpha);
  // The mesh names of every branch, for the scene to draw them no more.
  virtual void CollectModelNames(std::vector<std::wstring>& names) const;
  // The branch's world matrix, or the identity when there is no such branch.
  virtual zormath::Mat4f& GetBranchMatrix(zormath::Mat4f& out, const std::wstring& name);
  // Pushes the named branch; null when there is no such branch.
  virtual SDerevoBranch* PushBranch(const std::wstring& name, const zormath::Vec3f& direction, float amount,
                                    float duration);

  const std::vector<SDerevoRoot>& GetRoots() const { return mRoots; }
  const std::vector<SDerevoBranch*>& GetRenderList() const { return mRenderList; }
  // The force of the last update's wind.
  float GetForce() const { return mForce; }
  float GetGustAmplitude() const { return mGustAmplitude; }
  float GetGustLength() const { return mGustLength; }
  float GetGustRemaining() const { return mGustRemaining; }
  float GetGustPause() const { return mGustPause; }
  float GetGustElapsed() const { return mGustElapsed; }

 private:
  void ClearWind();

  std::vector<SDerevoRoot> mRoots;
  zuzorev::CRenderSystem* mRender = nullptr;
  float mMinDTime = 0.0f, mMaxDTime = 0.0f;
  int mRandomPause = 0;
  float mMinTimeSila = 0.0f, mMaxTimeSila = 0.0f;
  int mRandomLength = 0;
  float mMinSila = 0.0f, mMaxSila = 0.0f;
  int mRandomStrength = 0;
  zormath::Vec3f mWindDirection;
  float mGustAmplitude = 0.0f;
  float mGustElapsed = 0.0f;
  float mGustPause = 0.0f;
  float mGustRemaining = 0.0f;
  float mGustLength = 0.0f;
  float mValueReverse = 0.0f;
  zormath::Vec3f mPullDirection;
  float mPullStrength = 0.0f;
  float mKoefSopr = 0.0f;
  float mForce = 0.0f;
  std::vector<SDerevoBranch*> mRenderList;  // every branch, lowest first
};
