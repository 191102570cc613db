// Picking: points of the scene plane against trigger models, the camera's
// mapping from the virtual screen, the trigger's region and point models.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "Engine/rovovoz/Camera.h"
#include "Engine/rovovoz/MouseCursor.h"
#include "Engine/rovovoz/PointObject3D.h"
#include "Engine/rovovoz/TriangleObject3D.h"
#include "Engine/zormath/Transform.h"
#include "Platform/Paths.h"
#include "render/RenderTestSupport.h"

namespace {

using rovovoz::CTriangleObject3D;
using zormath::Vec3f;

class Picking : public ::testing::Test {
 protected:
  Picking() : core(zuzorev::EDeviceKind::Headless) {
    core.Get()->GetFileSystem()->InsertPath(Platform::FromPath(testsupport::FixturesDir() / "picking"),
                                            zorfile::kKindModels);
  }
  std::unique_ptr<CTriangleObject3D> Load(const wchar_t* name) {
    auto t = std::make_unique<CTriangleObject3D>(core.Get());
    EXPECT_GE(t->LoadModel(L"Triggers.zorm", name, 8, 0), 0) << name;
    return t;
  }
  rendertest::Core core;
};

struct PickCase {
  const char* what;
  const wchar_t* trigger;
  float x, z;
  bool hit;
  float y;
};

TEST_F(Picking, PointsAgainstTriggers) {
  const PickCase cases[] = {
      {"inside", L"T_Square", 10, 20, true, 10},
      {"on the shared diagonal", L"T_Square", 25, 25, true, 10},
      {"on an outer edge", L"T_Square", 50, 0, true, 10},
      {"on a corner", L"T_Square", -50, -50, true, 10},
      {"just outside", L"T_Square", 50.01f, 0, false, 0},
      {"far outside", L"T_Square", 0, 300, false, 0},
      {"only the lower triangle", L"T_Stack", 205, 5, true, 20},
      {"only the upper triangle", L"T_Stack", 310, 25, true, 40},
      {"both: the higher wins", L"T_Stack", 230, 30, true, 40},
      {"slope start", L"T_Slope", 400, 50, true, 0},
      {"slope middle", L"T_Slope", 450, 10, true, 50},
  };
  for (const auto& c : cases) {
    auto t = Load(c.trigger);
    float y = -1234.0f;
    EXPECT_EQ(t->PickOrthoPointY(Vec3f(c.x, 999.0f, c.z), y) != 0, c.hit) << c.what;
    if (c.hit) {
      EXPECT_NEAR(y, c.y, 1e-3f) << c.what;
    } else {
      EXPECT_FLOAT_EQ(y, -1234.0f) << c.what << ": a miss leaves the height";
    }
  }
}

TEST_F(Picking, TransformedTriggers) {
  struct Case {
    const char* what;
    std::function<void(CTriangleObject3D&)> place;
    float x, z;
    bool hit;
    float y;
  } cases[] = {
      {"moved", [](CTriangleObject3D& t) { t.SetPosition3D(300, 10, 0); }, 320, 0, true, 10},
      {"moved, old place empty", [](CTriangleObject3D& t) { t.SetPosition3D(300, 10, 0); }, 0, 0, false, 0},
      {"raised", [](CTriangleObject3D& t) { t.SetPositionY3D(70); }, 0, 0, true, 70},
      {"scaled along x", [](CTriangleObject3D& t) { t.SetScaleX(2); }, 90, 0, true, 10},
      {"mirrored keeps the hits", [](CTriangleObject3D& t) { t.SetScaleX(-1); }, 40, 40, true, 10},
      {"turned 45 degrees: a corner reaches out", [](CTriangleObject3D& t) { t.SetAngleAxisY(float(M_PI / 4)); },
       69, 0, true, 10},
      {"turned 45 degrees: an old corner is empty",
       [](CTriangleObject3D& t) { t.SetAngleAxisY(float(M_PI / 4)); }, 48, 48, false, 0},
      {"scene zoom through the world matrix",
       [](CTriangleObject3D& t) {
         t.SetWorldMatrix3D(zormath::MatrixScaling(1.5f, 1, 1.5f) * zormath::MatrixTranslation(0, 0, 100));
       },
       70, 170, true, 10},
      {"back to the file placement",
       [](CTriangleObject3D& t) {
         t.SetPosition3D(500, 0, 500);
         t.LoadTransformForMesh();
       },
       0, 0, true, 10},
  };
  for (const auto& c : cases) {
    auto t = Load(L"T_Square");
    c.place(*t);
    float y = 0;
    EXPECT_EQ(t->PickOrthoPointY(Vec3f(c.x, 0, c.z), y) != 0, c.hit) << c.what;
    if (c.hit) {
      EXPECT_NEAR(y, c.y, 1e-3f) << c.what;
    }
  }
}

TEST_F(Picking, TriggerBoxAndRegion) {
  auto t = Load(L"T_Stack");
  EXPECT_TRUE(t->GetRegion().IsReady());
  EXPECT_TRUE(t->GetRegion().IsEmpty());
  t->SetPosition3D(t->GetPosition3D() + Vec3f(-100, 0, 0));
  t->CreateRegion();
  const auto& region = t->GetRegion();
  EXPECT_EQ(region.GetTriangleCount(), 2u);
  EXPECT_FLOAT_EQ(region.GetArea(), 10000.0f);
  EXPECT_TRUE(region.Contains(105, 5));
  EXPECT_FALSE(region.Contains(205, 5));
  for (float r : {0.0f, 0.3f, 0.7f, 1.0f}) {
    Vec3f p = region.PointAt(r, 1 - r, r * 0.5f);
    EXPECT_TRUE(region.Contains(p.x, p.z)) << r;
  }
  rovovoz::CGeometryRegion3D copy = region;  // emitters take a copy
  EXPECT_EQ(copy.GetTriangleCount(), 2u);
  zuzorev::SAABBox box = t->GetAABBox(1);
  EXPECT_FLOAT_EQ(box.Min.x, 100.0f);
  EXPECT_FLOAT_EQ(box.Max.z, 120.0f);
  EXPECT_FLOAT_EQ(box.Max.y, 40.0f);

  CTriangleObject3D missing(core.Get());
  EXPECT_LT(missing.LoadModel(L"Triggers.zorm", L"T_None", 8, 0), 0);
  EXPECT_FALSE(missing.GetRegion().IsReady());
  EXPECT_EQ(missing.PickOrthoPointY(Vec3f(0, 0, 0)), 0);
}

TEST_F(Picking, CameraMapsTheVirtualScreenOntoTheScene) {
  rovovoz::CCamera camera(core.Get());
  camera.SetFovX(1024);
  camera.SetFovY(768);
  camera.SetPosition(0, 1010, 0);
  camera.SetDirection(Vec3f(0, -1, 0), Vec3f(0, 0, 1));
  camera.SetNearDist(0.1f);
  camera.SetFarDist(1110);
  camera.Update(0, nullptr);
  struct Case {
    float sx, sy, x, z;
  } cases[] = {{512, 384, 0, 0}, {0, 0, -512, 384}, {1024, 768, 512, -384}, {516, 380, 4, 4}};
  for (const auto& c : cases) {
    rovovoz::SRay ray;
    camera.OrthoScreenToWorld(ray, 1024, 768, Vec3f(c.sx, c.sy, 0), 1);
    EXPECT_NEAR(ray.Origin.x, c.x, 1e-3f);
    EXPECT_NEAR(ray.Origin.y, 1010.0f, 1e-3f);
    EXPECT_NEAR(ray.Origin.z, c.z, 1e-3f);
    EXPECT_TRUE(ray.Direction == Vec3f(0, -1, 0));
    Vec3f world;
    camera.OrthoScreenToWorld(world, Vec3f(c.sx, c.sy, 0), 1);
    EXPECT_NEAR(world.y, 0.0f, 1e-3f);
    Vec3f back;
    camera.OrthoWorldToScreen(back, world, 1024, 768);
    EXPECT_NEAR(back.x, c.sx, 1e-3f);
    EXPECT_NEAR(back.y, c.sy, 1e-3f);
  }
  // The view and projection put y = 1009.9 at depth 0 and y = -100 at 1.
  const zormath::Mat4f vp = camera.GetViewMatrix() * camera.GetProjectionMatrix(1);
  EXPECT_NEAR(zormath::TransformCoord(Vec3f(0, 1009.9f, 0), vp).z, 0.0f, 1e-4f);
  EXPECT_NEAR(zormath::TransformCoord(Vec3f(0, -100, 0), vp).z, 1.0f, 1e-4f);
  EXPECT_NEAR(zormath::TransformCoord(Vec3f(512, 0, 384), vp).x, 1.0f, 1e-5f);
  EXPECT_NEAR(zormath::TransformCoord(Vec3f(512, 0, 384), vp).y, 1.0f, 1e-5f);

  // The pointer over the key of the sample hall picks its trigger.
  CTriangleObject3D key(core.Get());
  ASSERT_GE(key.LoadModel(L"Back_1_tr.zorm", L"T_Key", 8, 0), 0);
  rovovoz::CMouseCursor cursor(core.Get());
  cursor.SetPosition(512 - 270, 384 + 120, 1);
  zormath::Vec3f screen;
  cursor.GetPosition(screen, 1);
  rovovoz::SRay ray;
  camera.OrthoScreenToWorld(ray, 1024, 768, screen, 1);
  float y = 0;
  EXPECT_EQ(key.PickOrthoPointY(ray, y), 1);
  EXPECT_FLOAT_EQ(y, 40.0f);
  EXPECT_EQ(key.PickOrthoPointY(cursor.GetPosition3D(1)), 1);
}

TEST_F(Picking, PointModelsGiveTheirPointsInOrder) {
  rovovoz::CPointObject3D path(core.Get());
  ASSERT_EQ(path.LoadModel(L"Triggers.zorm", L"P_Path", 9, 0), 0);
  ASSERT_EQ(path.GetCountPoint(), 3);
  EXPECT_TRUE(path.GetPoint(1) == Vec3f(10, 0, 5));
  EXPECT_TRUE(path.GetPoint(3) == Vec3f());
  path.SetPosition3D(1, 2, 3);
  EXPECT_TRUE(path.GetPoint(2) == Vec3f(21, 2, 3));
  rovovoz::CPointObject3D hall(core.Get());
  ASSERT_EQ(hall.LoadModel(L"Back_1_pt.zorm", L"P_DustPath", 0x0FFFFFFF, 0), 0);
  EXPECT_EQ(hall.GetCountPoint(), 5);
  rovovoz::CPointObject3D none(core.Get());
  EXPECT_LT(none.LoadModel(L"Triggers.zorm", L"P_None", 9, 0), 0);
  zuzorev::CMeshPoint points;
  ASSERT_GE(core.Render().LoadMesh(L"Back_1_pt.zorm", points, L"P_Glints", 0x0FFFFFFF, 0), 0);
  EXPECT_EQ(points.GetListPoint().size(), 4u);
  EXPECT_TRUE(points.GetPoint(0, 1) == Vec3f(-300, 50, -110));
}

}  // namespace
