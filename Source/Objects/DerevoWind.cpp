// The tree in motion: gusts, the spring step of every branch and the world
// matrices that carry a child on its parents' bend.
#include <cmath>

#include "Engine/zormath/Transform.h"
#include "Objects/Derevo.h"
#include "Platform/Random.h"

namespace {

constexpr float kPi = 3.1415927f;

zormath::Mat4f Multiply(const zormath::Mat4f& left, const zormath::Mat4f& right) {
  zormath::Mat4f out;
  zormath::MatrixMultiply(left.m, out.m, right.m);
  return out;
}

}  // namespace

int32_t CDerevo::Update(float dt, rovovoz::CMouseCursor*) {
  UpdateWind(dt);
  return 0;
}

void CDerevo::UpdateTempMatrix() {
  rovovoz::CBaseGeometryObject::UpdateTempMatrix();
  UpdateRootMatrices();
}

void CDerevo::UpdateWind(float dt) {
  float force = 0.0f;
  if (mMaxSila > 0.0f && mMaxDTime > 0.0f && mMaxTimeSila > 0.0f) {
    // A gust is a half-sine pulse over its length; the force of the frame
    // in which a gust starts is the one worked out before it starts.
    mGustRemaining -= dt;
    if (mGustRemaining > 0.0f)
      force = std::sin(mGustRemaining * kPi / mGustLength) * mGustAmplitude;
    else
      mGustAmplitude = 0.0f;
    mGustElapsed += dt;
    if (mGustElapsed > mGustPause) {
      mGustAmplitude = mRandomStrength ? mMinSila + Platform::RandomFloat() * (mMaxSila - mMinSila) : mMinSila;
      mGustLength =
          mRandomLength ? mMinTimeSila + Platform::RandomFloat() * (mMaxTimeSila - mMinTimeSila) : mMinTimeSila;
      mGustRemaining = mGustLength;
      mGustPause = mRandomPause ? mMinDTime + Platform::RandomFloat() * (mMaxDTime - mMinDTime) : mMinDTime;
      if (mValueReverse > 0.0f) {
        const float r = Platform::RandomFloat();
        if (mValueReverse > r) mGustAmplitude = -mGustAmplitude;
      }
      mGustElapsed = 0.0f;
    }
  }
  mForce = force;
  for (SDerevoRoot& root : mRoots) UpdateBranch(root.branch, dt, 0.0f, mWindDirection, force);
  UpdateRootMatrices();
}

void CDerevo::UpdateBranch(SDerevoBranch& branch, float dt, float parentVelocity, const zormath::Vec3f& wind,
                           float force) {
  const zormath::Vec3f aw = zormath::TransformNormal(branch.axisA, branch.world);
  const zormath::Vec3f bw = zormath::TransformNormal(branch.axisB, branch.world);
  float t1 = 0.0f;
  float t2 = 0.0f;
  if (force != 0.0f) {
    t1 = -(branch.NapravlDir * zormath::Dot(aw, wind)) * force * branch.leverZ;
    t2 = -(branch.NapravlRight * zormath::Dot(bw, wind)) * force * branch.leverX;
  }
  if (mPullStrength > 0.0f) t1 = t1 - (branch.NapravlDir * zormath::Dot(aw, mPullDirection)) * mPullStrength;
  if (branch.pushAmount > 0.0f) {
    branch.pushRemaining -= dt;
    if (branch.pushRemaining <= 0.0f) {
      branch.pushAmount = 0.0f;
    } else {
      // The push grows linearly from 0 to its amount over its duration.
      const float g = branch.pushAmount * (1.0f - branch.pushRemaining / branch.pushDuration);
      t1 = t1 - (branch.NapravlDir * zormath::Dot(aw, branch.pushDirection)) * g * branch.leverZ;
      t2 = t2 - (branch.NapravlRight * zormath::Dot(bw, branch.pushDirection)) * g * branch.leverX;
    }
  }
  const float c = zormath::Dot(branch.bent, branch.axisA);
  const float k = branch.KoefUprugosti;
  float x = c * k * branch.SilaUprugosti + (t1 + t2) * k;
  x = x + branch.leverZ * branch.velocity * mKoefSopr;
  x = x + branch.leverZ * parentVelocity * mKoefSopr;
  const float a = t2 + (t1 - x);

  const float step = branch.velocity * dt + (a * dt) * dt;
  zormath::Mat4f turn;
  zormath::MatrixRotationY(turn.m, -step);
  branch.bent = zormath::TransformNormal(branch.bent, turn);
  branch.bend = Multiply(branch.bend, turn);
  branch.velocity = branch.velocity + a * dt;

  for (SDerevoBranch& child : branch.children)
    UpdateBranch(child, dt, branch.velocity + parentVelocity, wind, force);
}

void CDerevo::UpdateRootMatrices() {
  for (SDerevoRoot& root : mRoots) UpdateBranchMatrix(root.branch, root.matrix);
}

void CDerevo::UpdateBranchMatrix(SDerevoBranch& branch, const zormath::Mat4f& parent) {
  const zormath::Mat4f chain = Multiply(Multiply(branch.bend, branch.placement), parent);
  branch.world = Multiply(branch.pivot, chain);
  branch.world = Multiply(Multiply(branch.inversePivot, branch.world), mTemp);
  for (SDerevoBranch& child : branch.children) UpdateBranchMatrix(child, chain);
}
